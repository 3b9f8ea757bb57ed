// What the loaded base needs of an attached repeated-segment store: segment k has the code
// Nbart + 1 + k in every query of the base.
#pragma once

#include <cstdint>
#include <vector>

namespace morvix {

class SegmentStore {
  public:
    virtual ~SegmentStore() = default;

    // Number of segments in the store.
    virtual int32_t NbSegments() const = 0;
    // Form codes of the segment of index k, in text order.
    virtual std::vector<int32_t> Formes(int32_t k) const = 0;
    // Ascending positions of the occurrences of the segment of index k.
    virtual std::vector<int32_t> LocOccSeg(int32_t k) const = 0;
    // Frequency of the segment of index k.
    virtual int32_t FrqSeg(int32_t k) const = 0;
};

} // namespace morvix
