#include "partitions/CalcSpecTot.h"

#include "base/charg1.h"
#include "partitions/Avancement.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"
#include "util/Annulation.h"

#include <algorithm>
#include <climits>

namespace morvix {

namespace {

// The segments' frequencies in the parts, gathered once from the store: per segment its
// frequency over the reference parts, and per part the segments occurring there.
struct SegmentsParPartie {
    std::vector<int32_t> FRef;              // per segment index k (code Nbart + 1 + k)
    std::vector<int64_t> Debut;             // per part, into Cellules
    std::vector<FrqNonNulle> Cellules;      // (segment index, frequency), ascending index
    std::vector<std::vector<int32_t>> ParF; // segment indexes by reference frequency
    std::vector<int32_t> ValeursF;          // the distinct reference frequencies, ascending
};

SegmentsParPartie rassembleSegments(const Partition &part, int32_t frqMin) {
    SegmentsParPartie s;
    const charg1 &base = part.Base();
    const int32_t nbseg = base.NbTotEntites() - base.Nbart();
    const auto np = static_cast<size_t>(part.NbParties);
    s.FRef.assign(static_cast<size_t>(nbseg), 0);
    std::vector<std::vector<FrqNonNulle>> lignes(static_cast<size_t>(nbseg));
    std::vector<int64_t> parPartie(np + 1, 0);
    for (int32_t k = 0; k < nbseg; ++k) {
        std::vector<FrqNonNulle> &l = lignes[static_cast<size_t>(k)];
        part.FrqPartiesNonNulles(base.Nbart() + 1 + k, l);
        int32_t F = 0;
        for (const FrqNonNulle &c : l) {
            F += part.Cochee[static_cast<size_t>(c.Indice)] ? c.Frq : 0;
            ++parPartie[static_cast<size_t>(c.Indice) + 1];
        }
        s.FRef[static_cast<size_t>(k)] = F;
    }
    for (size_t q = 0; q < np; ++q)
        parPartie[q + 1] += parPartie[q];
    s.Debut = parPartie;
    s.Cellules.resize(static_cast<size_t>(parPartie[np]));
    for (int32_t k = 0; k < nbseg; ++k)
        for (const FrqNonNulle &c : lignes[static_cast<size_t>(k)])
            s.Cellules[static_cast<size_t>(parPartie[static_cast<size_t>(c.Indice)]++)] = {k,
                                                                                           c.Frq};
    std::vector<std::pair<int32_t, int32_t>> parF; // (F, segment) of the eligible segments
    for (int32_t k = 0; k < nbseg; ++k)
        if (s.FRef[static_cast<size_t>(k)] >= frqMin)
            parF.emplace_back(s.FRef[static_cast<size_t>(k)], k);
    std::sort(parF.begin(), parF.end());
    for (size_t x = 0; x < parF.size(); ++x) {
        if (x == 0 || parF[x].first != parF[x - 1].first) {
            s.ValeursF.push_back(parF[x].first);
            s.ParF.emplace_back();
        }
        s.ParF.back().push_back(parF[x].second);
    }
    return s;
}

} // namespace

CalcSpecTot::CalcSpecTot(const Partition &partition, ProgressionSpec progression,
                         const Annulation *annulation)
    : m_progression(std::move(progression)), m_partition(&partition) {
    calcule(annulation);
}

void CalcSpecTot::calcule(const Annulation *annulation) {
    const Partition &part = *m_partition;
    const charg1 &base = part.Base();
    int64_t tailleRef = 0;
    for (int32_t q = 0; q < part.NbParties; ++q)
        if (part.Cochee[static_cast<size_t>(q)]) {
            m_numParties.push_back(q);
            tailleRef += part.Taille[static_cast<size_t>(q)];
        }
    const size_t np = m_numParties.size();
    for (size_t i = 0; i < np; ++i)
        m_specs.push_back(std::make_unique<PrimSpec>(part, 1));
    if (np == 0)
        return;
    const int32_t frqMin = m_specs[0]->FrqMinimale();
    const double s = m_specs[0]->SeuilPct() * 0.01;
    const double T = static_cast<double>(tailleRef);
    const double lnT = LnFact(T);
    auto annule = [&] {
        m_annulee = true;
        m_specs.clear();
        m_numParties.clear();
    };

    // Reference frequency of every form.
    const int32_t nbform = base.Nbform();
    std::vector<int32_t> fRef(static_cast<size_t>(nbform), 0);
    for (int32_t j = 0; j < nbform; ++j)
        for (const FrqNonNulle &c : part.LigneForme(j))
            fRef[static_cast<size_t>(j)] += part.Cochee[static_cast<size_t>(c.Indice)] ? c.Frq : 0;

    // Each part's target is that part alone: k is its own frequency, so only the forms that
    // occur there can get a result (PrimSpec requires k != 0 of a form).
    int64_t cellules = 0;
    for (int32_t q : m_numParties)
        cellules += static_cast<int64_t>(part.ColonnePartie(q).size()) + 1;
    detail::Avancement formes(m_progression, cellules);
    for (size_t i = 0; i < np; ++i) {
        if (morvix::Annulee(annulation))
            return annule();
        const int32_t q = m_numParties[i];
        const double t = part.Taille[static_cast<size_t>(q)];
        const double lnTmt = LnFact(T - t), lnt = LnFact(t);
        std::vector<ResSpec> &res = m_specs[i]->m_resultats;
        for (const FrqNonNulle &c : part.ColonnePartie(q)) {
            const int32_t F = fRef[static_cast<size_t>(c.Indice)];
            if (F < frqMin)
                continue;
            const double dF = F;
            const int32_t coeff = ArrondiSpec(detail::ValSpecPre(
                T, t, dF, c.Frq, s, lnT, LnFact(T - dF), lnTmt, LnFact(dF), lnt));
            if (coeff != 0)
                res.push_back({c.Indice, F, c.Frq, coeff});
        }
        formes.pas(0, static_cast<int64_t>(part.ColonnePartie(q).size()) + 1);
    }

    // Segments: those occurring in the part as the forms; an absent one (k = 0) has a
    // coefficient that depends on its reference frequency only, computed once per value.
    if (base.SegmentStoreAttache()) {
        const SegmentsParPartie seg = rassembleSegments(part, frqMin);
        if (morvix::Annulee(annulation))
            return annule();
        const int32_t premier = base.Nbart() + 1;
        std::vector<size_t> vu(seg.FRef.size(), SIZE_MAX);
        auto travail = [&](int32_t q) {
            return seg.Debut[static_cast<size_t>(q) + 1] - seg.Debut[static_cast<size_t>(q)] +
                   static_cast<int64_t>(seg.ValeursF.size()) + 1;
        };
        int64_t total = 0;
        for (int32_t q : m_numParties)
            total += travail(q);
        detail::Avancement segments(m_progression, total);
        for (size_t i = 0; i < np; ++i) {
            if (morvix::Annulee(annulation))
                return annule();
            const auto q = static_cast<size_t>(m_numParties[i]);
            const double t = part.Taille[q];
            const double lnTmt = LnFact(T - t), lnt = LnFact(t);
            auto coefficient = [&](int32_t F, int32_t k) {
                const double dF = F;
                return ArrondiSpec(detail::ValSpecPre(T, t, dF, k, s, lnT, LnFact(T - dF), lnTmt,
                                                      LnFact(dF), lnt));
            };
            std::vector<ResSpec> &res = m_specs[i]->m_resultats;
            for (int64_t x = seg.Debut[q]; x < seg.Debut[q + 1]; ++x) {
                const FrqNonNulle c = seg.Cellules[static_cast<size_t>(x)];
                vu[static_cast<size_t>(c.Indice)] = i;
                const int32_t F = seg.FRef[static_cast<size_t>(c.Indice)];
                if (F < frqMin)
                    continue;
                const int32_t coeff = coefficient(F, c.Frq);
                if (coeff != 0)
                    res.push_back({premier + c.Indice, F, c.Frq, coeff});
            }
            for (size_t v = 0; v < seg.ValeursF.size(); ++v) {
                const int32_t F = seg.ValeursF[v];
                const int32_t coeff = coefficient(F, 0);
                if (coeff == 0)
                    continue;
                for (int32_t k : seg.ParF[v])
                    if (vu[static_cast<size_t>(k)] != i)
                        res.push_back({premier + k, F, 0, coeff});
            }
            segments.pas(1, travail(m_numParties[i]));
        }
    }

    // The order of PrimSpec: decreasing coefficient, then code.
    m_coeffs.resize(np);
    for (size_t i = 0; i < np; ++i) {
        std::vector<ResSpec> &res = m_specs[i]->m_resultats;
        std::vector<std::pair<int32_t, int32_t>> &index = m_coeffs[i];
        index.reserve(res.size());
        for (const ResSpec &r : res)
            index.emplace_back(r.Code, r.Coeff);
        std::sort(index.begin(), index.end());
        std::sort(res.begin(), res.end(), [](const ResSpec &a, const ResSpec &b) {
            return a.Coeff != b.Coeff ? a.Coeff > b.Coeff : a.Code < b.Code;
        });
    }
}

int32_t CalcSpecTot::CoeffPartie(int32_t code, int32_t i) const {
    if (i < 0 || static_cast<size_t>(i) >= m_coeffs.size())
        return 0;
    const auto &index = m_coeffs[static_cast<size_t>(i)];
    auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(code, INT32_MIN));
    return it != index.end() && it->first == code ? it->second : 0;
}

} // namespace morvix
