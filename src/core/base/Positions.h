// Moving from one occurrence to the next among ascending positions (finding a form in the
// text, stepping through a group's occurrences).
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace morvix {

// The first of the ascending positions after `depuis` (sens > 0) or the last one before it
// (sens < 0); -1 when there is none that way.
inline int32_t PositionVoisine(std::span<const int32_t> positions, int32_t depuis, int sens) {
    if (sens > 0) {
        const auto it = std::upper_bound(positions.begin(), positions.end(), depuis);
        return it == positions.end() ? -1 : *it;
    }
    const auto it = std::lower_bound(positions.begin(), positions.end(), depuis);
    return it == positions.begin() ? -1 : *(it - 1);
}

// The rank (from 1) of a position among ascending positions, 0 when it is not one of them.
inline int32_t RangPosition(std::span<const int32_t> positions, int32_t position) {
    const auto it = std::lower_bound(positions.begin(), positions.end(), position);
    return it != positions.end() && *it == position
               ? static_cast<int32_t>(it - positions.begin()) + 1
               : 0;
}

} // namespace morvix
