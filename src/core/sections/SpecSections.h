// The specificities of a set of sections against the whole base: every graphical form and,
// once repeated segments are attached, every segment, with its frequency in the sections
// and its coefficient. Depends on base (charg1), corpus (Section), groups (Tgen) and the
// specificity model.
#pragma once

#include "partitions/PrimSpec.h"
#include "util/Annulation.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace morvix {

class Section;

struct ParamSpecSections {
    int32_t frqMin = 2;   // units rarer than this are left out
    int32_t seuilPct = 5; // probability threshold, in percent
    int32_t nbEtiqs = 1;  // above 1, both sizes are divided by it (frequencies are not)
};

struct ResultatSpecSections {
    std::vector<ResSpec> resultats; // by decreasing coefficient, equal ones in code order
    int32_t nbSections = 0;         // target sections
    int64_t taille = 0;             // their size in graphical forms, before any division
    bool annule = false;
    // No target section, or targets without any form: nothing to show.
    bool Vide() const { return taille == 0; }
};

// `cibles`: distinct section indexes. For each form j with F = its frequency >= frqMin, k is
// its count in the target sections, and {j, F, k, c} is kept when c = CoeffSpec(T, t, F, k,
// seuil) is not 0, where T = Nbocc and t = the targets' size (both divided by nbEtiqs when
// it is above 1); then the same for each segment code of the attached store. `progression`
// is called about a hundred times per pass (0 forms, 1 segments); may be empty.
ResultatSpecSections SpecSections(const Section &section, const std::vector<int32_t> &cibles,
                                  const ParamSpecSections &param,
                                  const std::function<void(int32_t)> &progression = {},
                                  const Annulation *annulation = nullptr);

} // namespace morvix
