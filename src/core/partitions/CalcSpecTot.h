// CalcSpecTot: the specificities of each ticked part in turn against all ticked parts, one
// PrimSpec per part, with a constant-time look-up of a code's coefficient in a part.
// Depends on PrimSpec and Partition.
#pragma once

#include "partitions/PrimSpec.h"

#include <memory>
#include <vector>

namespace morvix {

class CalcSpecTot {
  public:
    // Computes everything: the computed parts are those ticked now, ascending; `Selec` is
    // set to each of them in turn and restored afterwards. The divisor is always 1.
    CalcSpecTot(Partition &partition, ProgressionSpec progression);

    // Coefficient of the code in the i-th computed part (i indexes NumParties(), not the
    // partition's parts); 0 when the code has no result there or i is out of range.
    int32_t CoeffPartie(int32_t code, int32_t i) const;

    int32_t NbParties() const { return static_cast<int32_t>(m_numParties.size()); }
    // Partition part numbers of the computed parts, ascending.
    const std::vector<int32_t> &NumParties() const { return m_numParties; }
    // The i-th computed part's results.
    const PrimSpec &Spec(int32_t i) const { return *m_specs[static_cast<size_t>(i)]; }
    const Partition &LaPartition() const { return *m_partition; }

  private:
    ProgressionSpec m_progression;
    std::vector<std::unique_ptr<PrimSpec>> m_specs;
    const Partition *m_partition;
    std::vector<int32_t> m_numParties;
    // Look-up: forms through a dense table of Nbform entries per computed part; segment
    // codes through each part's results sorted by code.
    int32_t m_nbform = 0;
    std::vector<int8_t> m_coeffFormes; // [i * Nbform + code]
    std::vector<std::vector<std::pair<int32_t, int32_t>>> m_coeffAutres;
};

} // namespace morvix
