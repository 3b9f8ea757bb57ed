// Frequencies shared by the PrimSpec runs of one CalcSpecTot: the reference frequency of
// every code and the per-part frequencies of the segments, gathered once. Internal to the
// partitions module.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace morvix::detail {

struct FrequencesSpec {
    std::vector<int32_t> FFormes; // frequency over the reference parts, per form
    std::vector<int32_t> FSeg;    // the same per segment (index k for code Nbart + 1 + k)
    // Non-zero (part, frequency) pairs of segment k: SegParties[SegDebut[k] .. SegDebut[k+1]).
    std::vector<int64_t> SegDebut;
    std::vector<std::pair<int32_t, int32_t>> SegParties;
};

} // namespace morvix::detail
