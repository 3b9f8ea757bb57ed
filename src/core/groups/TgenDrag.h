// The content of a group drag (codes, colour, name) and the protocol by which every drop
// site turns it into a group of its own. The drag object itself belongs to the windows.
#pragma once

#include "groups/Tgen.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace morvix {

class charg1;

struct TgenDrag {
    std::vector<int32_t> codes;
    uint32_t couleur = kCouleurAucune; // white: no colour chosen
    std::string nom;                   // empty: no name given
};

// Builds the group of a drop on `base`: named by the drag's name when the site uses names
// and the name is not empty, otherwise by the group itself; the drag's colour replaces the
// palette colour unless it is white. Null when the drag carries no code.
std::unique_ptr<Tgen> TgenDepuisDepot(const charg1 &base, const TgenDrag &drag, bool utiliseNom);

} // namespace morvix
