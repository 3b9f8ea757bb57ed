// Which sections of a view hold a group of forms, and the group's specificity coefficient in
// each of them; the sizes of all sections in graphical forms, counted once per view. Depends
// on corpus (Section), groups (Tgen) and the specificity model.
#pragma once

#include "util/Annulation.h"

#include <cstdint>
#include <vector>

namespace morvix {

class Section;
class Tgen;

// NbFormesSect of every section of the view, in one pass over the text.
std::vector<int32_t> FormesParSection(const Section &section);

struct MarquageGroupe {
    std::vector<char> marques;   // one per section: the section holds the group
    std::vector<int32_t> coeffs; // CoeffSpec of the group in each marked section, else 0
    bool annule = false;
};

// Marks every section that holds at least one occurrence of the group. With `coefficients`,
// each marked section s gets CoeffSpec(nbocc, formes[s], the group's frequency, its
// frequency in s, 0.05); `formes` is FormesParSection of the view. Occurrences before the
// first section belong to none. Cancelled: `annule` set, the rest left empty.
MarquageGroupe MarqueGroupe(const Section &section, const std::vector<int32_t> &formes,
                            const Tgen &groupe, int32_t nbocc, bool coefficients,
                            const Annulation *annulation = nullptr);

} // namespace morvix
