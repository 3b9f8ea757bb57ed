// CalcSpecTot: the specificities of each ticked part in turn against all ticked parts, one
// PrimSpec result list per part, with a quick look-up of a code's coefficient in a part.
// Depends on PrimSpec and Partition.
#pragma once

#include "partitions/PrimSpec.h"

#include <memory>
#include <utility>
#include <vector>

namespace morvix {

class Annulation;

class CalcSpecTot {
  public:
    // Computes everything: the computed parts are those ticked now, ascending; each one is
    // the target against all of them (divisor 1), giving the results PrimSpec would give
    // with `Selec` set to that part alone. The partition is only read. `progression` is
    // called a hundred times over the forms of all parts (with 0), then, when a segment
    // store is attached, a hundred times over the segments (with 1).
    // `annulation` is polled between parts: when it was raised, Annulee() is true and
    // there is no computed part.
    CalcSpecTot(const Partition &partition, ProgressionSpec progression,
                const Annulation *annulation = nullptr);

    bool Annulee() const { return m_annulee; }

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
    void calcule(const Annulation *annulation);

    ProgressionSpec m_progression;
    std::vector<std::unique_ptr<PrimSpec>> m_specs;
    const Partition *m_partition;
    std::vector<int32_t> m_numParties;
    bool m_annulee = false;
    // Per computed part, its (code, coefficient) results by ascending code.
    std::vector<std::vector<std::pair<int32_t, int32_t>>> m_coeffs;
};

} // namespace morvix
