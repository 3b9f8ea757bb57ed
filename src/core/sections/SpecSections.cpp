#include "sections/SpecSections.h"

#include "base/charg1.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Specificite.h"

#include <algorithm>

namespace morvix {

namespace {

// About a hundred progress calls for a pass over n codes.
class Avancement {
  public:
    Avancement(const std::function<void(int32_t)> &progression, int32_t n, int32_t passe)
        : m_progression(progression), m_pas(n / 100), m_passe(passe) {}
    void apres() {
        if (m_compteur == m_pas) {
            if (m_progression)
                m_progression(m_passe);
            m_compteur = 0;
        }
        ++m_compteur;
    }

  private:
    const std::function<void(int32_t)> &m_progression;
    int32_t m_pas;
    int32_t m_passe;
    int32_t m_compteur = 0;
};

constexpr int32_t kPollAnnulation = 1024;

} // namespace

ResultatSpecSections SpecSections(const Section &section, const std::vector<int32_t> &cibles,
                                  const ParamSpecSections &param,
                                  const std::function<void(int32_t)> &progression,
                                  const Annulation *annulation) {
    ResultatSpecSections r;
    const charg1 &base = *section.Base;
    const int32_t nbform = base.Nbform();
    const std::vector<int32_t> &debuts = section.Debuts;

    // The form counts of the targets in one pass over their positions.
    std::vector<char> estCible(static_cast<size_t>(std::max(section.NbSections, 0)), 0);
    std::vector<int32_t> k(static_cast<size_t>(std::max(nbform, 0)), 0);
    const int32_t *t = base.TnumData().data();
    for (int32_t s : cibles) {
        if (s < 0 || s >= section.NbSections || estCible[static_cast<size_t>(s)])
            continue;
        estCible[static_cast<size_t>(s)] = 1;
        ++r.nbSections;
        const int32_t fin = debuts[static_cast<size_t>(s) + 1];
        for (int32_t p = debuts[static_cast<size_t>(s)]; p < fin; ++p) {
            const int32_t c = t[p];
            if (static_cast<uint32_t>(c) < static_cast<uint32_t>(nbform)) {
                ++k[static_cast<size_t>(c)];
                ++r.taille;
            }
        }
    }
    if (r.taille == 0)
        return r;

    double T = base.Nbocc();
    double tt = static_cast<double>(r.taille);
    if (param.nbEtiqs > 1) {
        T = static_cast<double>(static_cast<int64_t>(T) / param.nbEtiqs);
        tt = static_cast<double>(r.taille / param.nbEtiqs);
    }
    const double seuil = param.seuilPct / 100.0;

    Avancement formes(progression, nbform, 0);
    for (int32_t j = 0; j < nbform; ++j) {
        if ((j + 1) % kPollAnnulation == 0 && Annulee(annulation)) {
            r.annule = true;
            r.resultats.clear();
            return r;
        }
        const int32_t F = base.RetourneFrq(j);
        if (F >= param.frqMin) {
            const int32_t kj = k[static_cast<size_t>(j)];
            const int32_t c = CoeffSpec(T, tt, F, kj, seuil);
            if (c != 0)
                r.resultats.push_back({j, F, kj, c});
        }
        formes.apres();
    }

    if (const SegmentStore *store = base.SegmentStoreAttache()) {
        const int32_t premier = base.Nbart() + 1;
        const int32_t dernier = std::min(base.NbTotEntites(), base.Nbart() + store->NbSegments());
        Avancement segments(progression, base.NbTotEntites() - base.Nbart() + 1, 1);
        for (int32_t e = premier; e <= dernier; ++e) {
            if ((e - premier + 1) % kPollAnnulation == 0 && Annulee(annulation)) {
                r.annule = true;
                r.resultats.clear();
                return r;
            }
            const int32_t F = store->FrqSeg(e - premier);
            if (F >= param.frqMin) {
                // The segment's occurrences are those of a one-code group, as everywhere a
                // segment stands for a form.
                const Tgen groupe(&base, &e, 1, nullptr);
                int32_t ke = 0;
                for (int32_t p : groupe.Occ) {
                    const auto it = std::upper_bound(debuts.begin(), debuts.end(), p);
                    if (it == debuts.begin() || it == debuts.end())
                        continue; // before the first section, or past the text
                    ke += estCible[static_cast<size_t>(it - debuts.begin()) - 1];
                }
                const int32_t c = CoeffSpec(T, tt, F, ke, seuil);
                if (c != 0)
                    r.resultats.push_back({e, F, ke, c});
            }
            segments.apres();
        }
    }
    std::stable_sort(r.resultats.begin(), r.resultats.end(),
                     [](const ResSpec &a, const ResSpec &b) { return a.Coeff > b.Coeff; });
    return r;
}

} // namespace morvix
