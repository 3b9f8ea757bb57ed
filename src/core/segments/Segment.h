// One repeated segment of a store: its forms, its frequency and where its occurrence
// positions lie in the store's .loc.sr file.
#pragma once

#include <cstdint>
#include <vector>

namespace morvix {

struct Segment {
    std::vector<int32_t> Formes; // form codes in text order, 2 to 11; the first is the pivot
    int32_t Frq = 0;             // number of occurrences
    int64_t PosLoc = 0;          // byte offset of the occurrence block in the .loc.sr file
};

} // namespace morvix
