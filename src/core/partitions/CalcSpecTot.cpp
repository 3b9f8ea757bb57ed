#include "partitions/CalcSpecTot.h"

#include "base/charg1.h"
#include "partitions/FrequencesSpec.h"
#include "partitions/Partition.h"

#include <algorithm>

namespace morvix {

namespace {

// Gathers once what every part's run needs: reference frequencies of all codes, and the
// per-part frequencies of the segments (each read from the segment store a single time).
detail::FrequencesSpec rassemble(const Partition &part) {
    detail::FrequencesSpec f;
    const charg1 &base = part.Base();
    std::vector<int32_t> reference;
    for (int32_t q = 0; q < part.NbParties; ++q)
        if (part.Cochee[static_cast<size_t>(q)])
            reference.push_back(q);
    f.FFormes.resize(static_cast<size_t>(base.Nbform()));
    for (int32_t j = 0; j < base.Nbform(); ++j) {
        const int32_t *ligne = part.LigneFrq(j);
        int32_t F = 0;
        for (int32_t q : reference)
            F += ligne[q];
        f.FFormes[static_cast<size_t>(j)] = F;
    }
    if (base.SegmentStoreAttache()) {
        const int32_t nbseg = base.NbTotEntites() - base.Nbart();
        std::vector<int32_t> frq(static_cast<size_t>(part.NbParties));
        f.FSeg.resize(static_cast<size_t>(nbseg));
        f.SegDebut.reserve(static_cast<size_t>(nbseg) + 1);
        f.SegDebut.push_back(0);
        for (int32_t k = 0; k < nbseg; ++k) {
            part.FrqParties(base.Nbart() + 1 + k, frq.data());
            int32_t F = 0;
            for (int32_t q : reference)
                F += frq[static_cast<size_t>(q)];
            f.FSeg[static_cast<size_t>(k)] = F;
            for (int32_t q = 0; q < part.NbParties; ++q)
                if (frq[static_cast<size_t>(q)] != 0)
                    f.SegParties.emplace_back(q, frq[static_cast<size_t>(q)]);
            f.SegDebut.push_back(static_cast<int64_t>(f.SegParties.size()));
        }
    }
    return f;
}

} // namespace

CalcSpecTot::CalcSpecTot(Partition &partition, ProgressionSpec progression)
    : m_progression(std::move(progression)), m_partition(&partition) {
    for (int32_t q = 0; q < partition.NbParties; ++q)
        if (partition.Cochee[static_cast<size_t>(q)])
            m_numParties.push_back(q);
    m_nbform = partition.Base().Nbform();
    const detail::FrequencesSpec cache = rassemble(partition);

    const std::vector<bool> selecSauvee = partition.Selec;
    m_coeffFormes.assign(static_cast<size_t>(m_nbform) * m_numParties.size(), 0);
    m_coeffAutres.resize(m_numParties.size());
    for (size_t i = 0; i < m_numParties.size(); ++i) {
        partition.Selec.assign(static_cast<size_t>(partition.NbParties), false);
        partition.Selec[static_cast<size_t>(m_numParties[i])] = true;
        auto spec = std::make_unique<PrimSpec>(partition, 1);
        spec->SetProgression(m_progression);
        spec->calcule(&cache);
        int8_t *formes = m_coeffFormes.data() + i * static_cast<size_t>(m_nbform);
        for (const ResSpec &r : spec->Resultats()) {
            if (r.Code >= 0 && r.Code < m_nbform)
                formes[r.Code] = static_cast<int8_t>(std::clamp(r.Coeff, -127, 127));
            else
                m_coeffAutres[i].emplace_back(r.Code, r.Coeff);
        }
        std::sort(m_coeffAutres[i].begin(), m_coeffAutres[i].end());
        m_specs.push_back(std::move(spec));
    }
    partition.Selec = selecSauvee;
}

int32_t CalcSpecTot::CoeffPartie(int32_t code, int32_t i) const {
    if (i < 0 || static_cast<size_t>(i) >= m_numParties.size())
        return 0;
    if (code >= 0 && code < m_nbform)
        return m_coeffFormes[static_cast<size_t>(i) * static_cast<size_t>(m_nbform) +
                             static_cast<size_t>(code)];
    const auto &autres = m_coeffAutres[static_cast<size_t>(i)];
    auto it = std::lower_bound(autres.begin(), autres.end(), std::make_pair(code, INT32_MIN));
    return it != autres.end() && it->first == code ? it->second : 0;
}

} // namespace morvix
