#include "groups/TgenDrag.h"

namespace morvix {

std::unique_ptr<Tgen> TgenDepuisDepot(const charg1 &base, const TgenDrag &drag, bool utiliseNom) {
    if (drag.codes.empty())
        return nullptr;
    const char *name = utiliseNom && !drag.nom.empty() ? drag.nom.c_str() : nullptr;
    auto group = std::make_unique<Tgen>(&base, drag.codes.data(),
                                        static_cast<int32_t>(drag.codes.size()), name);
    if (drag.couleur != kCouleurAucune)
        group->Couleur = drag.couleur;
    return group;
}

} // namespace morvix
