#include "groups/Tgen.h"

#include "base/charg1.h"

#include <algorithm>
#include <atomic>

namespace morvix {

namespace {

std::atomic<int32_t> g_indexPalette{0};

uint32_t nextColour() {
    int32_t index = g_indexPalette.load();
    while (!g_indexPalette.compare_exchange_weak(index, (index + 1) % 10)) {
    }
    return kPaletteTgen[index];
}

} // namespace

bool PositionSet::contains(int32_t position) const {
    return std::binary_search(m_positions.begin(), m_positions.end(), position);
}

int32_t Tgen::IndexPalette() { return g_indexPalette.load(); }

Tgen::Tgen(const charg1 *base, const int32_t *codes, int32_t n, const char *name)
    : Base(base), NbItems(std::max(n, 0)) {
    Couleur = nextColour();
    if (codes && NbItems > 0)
        Items.assign(codes, codes + NbItems);
    NbItems = static_cast<int32_t>(Items.size());
    if (base && NbItems > 0)
        Occ = base->LocOccFor(Items.data(), NbItems);
    NbOcc = static_cast<int32_t>(Occ.size());
    OccSet = PositionSet(Occ);
    if (name) {
        Nom = name;
    } else if (base && NbItems > 0) {
        Nom = base->RetourneGraphie(Items[0], false);
        if (NbItems > 1)
            Nom += '+';
    }
}

} // namespace morvix
