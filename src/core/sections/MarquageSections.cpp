#include "sections/MarquageSections.h"

#include "base/charg1.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Specificite.h"

#include <algorithm>

namespace morvix {

std::vector<int32_t> FormesParSection(const Section &section) {
    std::vector<int32_t> formes(static_cast<size_t>(section.NbSections), 0);
    const int32_t *t = section.Base->TnumData().data();
    const auto nbform = static_cast<uint32_t>(section.Base->Nbform());
    for (int32_t s = 0; s < section.NbSections; ++s) {
        int32_t n = 0;
        const int32_t fin = section.Debuts[static_cast<size_t>(s) + 1];
        for (int32_t p = section.Debuts[static_cast<size_t>(s)]; p < fin; ++p)
            n += static_cast<uint32_t>(t[p]) < nbform;
        formes[static_cast<size_t>(s)] = n;
    }
    return formes;
}

MarquageGroupe MarqueGroupe(const Section &section, const std::vector<int32_t> &formes,
                            const Tgen &groupe, int32_t nbocc, bool coefficients,
                            const Annulation *annulation) {
    MarquageGroupe m;
    const auto n = static_cast<size_t>(section.NbSections);
    m.marques.assign(n, 0);
    m.coeffs.assign(n, 0);
    if (n == 0 || groupe.Occ.empty())
        return m;
    // One merge of the group's ascending positions with the ascending section starts: each
    // section holding an occurrence is met once, with its count of occurrences.
    const std::vector<int32_t> &debuts = section.Debuts;
    const std::vector<int32_t> &occ = groupe.Occ;
    auto it = std::lower_bound(occ.begin(), occ.end(), debuts.front());
    int32_t compte = 0;
    while (it != occ.end() && *it < debuts.back()) {
        if ((++compte & 0x3FF) == 0 && Annulee(annulation)) {
            m.annule = true;
            m.marques.clear();
            m.coeffs.clear();
            return m;
        }
        // The section holding *it: the last start at or before it.
        const auto s = static_cast<size_t>(std::upper_bound(debuts.begin(), debuts.end(), *it) -
                                           debuts.begin()) -
                       1;
        const auto fin = std::lower_bound(it, occ.end(), debuts[s + 1]);
        m.marques[s] = 1;
        if (coefficients) {
            const auto k = static_cast<int32_t>(fin - it);
            m.coeffs[s] = CoeffSpec(nbocc, formes[s], groupe.NbOcc, k, 0.05);
        }
        it = fin;
    }
    return m;
}

} // namespace morvix
