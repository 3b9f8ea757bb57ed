#include "partitions/PrimSpec.h"

#include "base/charg1.h"
#include "partitions/FrequencesSpec.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"

#include <algorithm>

namespace morvix {

PrimSpec::PrimSpec(const Partition &partition, int32_t diviseur)
    : m_partition(&partition), m_cochee(&partition.Cochee), m_selec(&partition.Selec),
      m_seuil(partition.Seuil), m_frqMin(partition.FrqMin) {
    s_diviseur = diviseur;
}

void PrimSpec::Calcule() { calcule(nullptr); }

void PrimSpec::avance(int32_t &compteur, int32_t n, int32_t passe) const {
    if (compteur == n / 100) {
        if (m_progression)
            m_progression(passe);
        compteur = 0;
    }
    ++compteur;
}

void PrimSpec::calcule(const detail::FrequencesSpec *cache) {
    const Partition &part = *m_partition;
    const charg1 &base = part.Base();
    const std::vector<bool> &cochee = *m_cochee;
    const std::vector<bool> &selec = *m_selec;
    m_resultats.clear();

    std::vector<int32_t> reference, cibleRef; // parts of the reference; of both sets
    std::vector<char> estCibleRef(static_cast<size_t>(part.NbParties), 0);
    int64_t tailleRef = 0, tailleCible = 0;
    for (int32_t q = 0; q < part.NbParties; ++q) {
        const auto uq = static_cast<size_t>(q);
        if (cochee[uq]) {
            tailleRef += part.Taille[uq];
            reference.push_back(q);
        }
        if (selec[uq])
            tailleCible += part.Taille[uq];
        if (cochee[uq] && selec[uq]) {
            cibleRef.push_back(q);
            estCibleRef[uq] = 1;
        }
    }
    if (s_diviseur > 1) {
        tailleRef /= s_diviseur;
        tailleCible /= s_diviseur;
    }
    const double T = static_cast<double>(tailleRef);
    const double t = static_cast<double>(tailleCible);
    const double s = m_seuil * 0.01;
    const double lnT = LnFact(T), lnTmt = LnFact(T - t), lnt = LnFact(t);
    auto coefficient = [&](int32_t F, int32_t k) {
        const double dF = F;
        return ArrondiSpec(
            detail::ValSpecPre(T, t, dF, k, s, lnT, LnFact(T - dF), lnTmt, LnFact(dF), lnt));
    };

    // Forms pass.
    const int32_t nbform = base.Nbform();
    int32_t compteur = 0;
    for (int32_t j = 0; j < nbform; ++j) {
        const int32_t *ligne = part.LigneFrq(j);
        int32_t F = 0, k = 0;
        if (cache) {
            F = cache->FFormes[static_cast<size_t>(j)];
        } else {
            for (int32_t q : reference)
                F += ligne[q];
        }
        if (F != 0 && F >= m_frqMin) {
            for (int32_t q : cibleRef)
                k += ligne[q];
            if (k != 0) {
                const int32_t c = coefficient(F, k);
                if (c != 0)
                    m_resultats.push_back({j, F, k, c});
            }
        }
        avance(compteur, nbform, 0);
    }

    // Segments pass: absent segments (k = 0) can come out under-used.
    if (base.SegmentStoreAttache()) {
        const int32_t nbart = base.Nbart();
        const int32_t n = base.NbTotEntites() - nbart + 1;
        std::vector<int32_t> frq(static_cast<size_t>(part.NbParties));
        compteur = 0;
        for (int32_t e = nbart + 1; e <= base.NbTotEntites(); ++e) {
            int32_t F = 0, k = 0;
            if (cache) {
                const auto seg = static_cast<size_t>(e - nbart - 1);
                F = cache->FSeg[seg];
                if (F >= m_frqMin)
                    for (int64_t x = cache->SegDebut[seg]; x < cache->SegDebut[seg + 1]; ++x) {
                        const auto &pf = cache->SegParties[static_cast<size_t>(x)];
                        if (estCibleRef[static_cast<size_t>(pf.first)])
                            k += pf.second;
                    }
            } else {
                part.FrqParties(e, frq.data());
                for (int32_t q : reference)
                    F += frq[static_cast<size_t>(q)];
                for (int32_t q : cibleRef)
                    k += frq[static_cast<size_t>(q)];
            }
            if (F >= m_frqMin) {
                const int32_t c = coefficient(F, k);
                if (c != 0)
                    m_resultats.push_back({e, F, k, c});
            }
            avance(compteur, n, 1);
        }
    }

    std::stable_sort(m_resultats.begin(), m_resultats.end(),
                     [](const ResSpec &a, const ResSpec &b) { return a.Coeff > b.Coeff; });
}

} // namespace morvix
