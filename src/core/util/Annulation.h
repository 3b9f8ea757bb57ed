// The cancellation flag of a long computation: the interface raises it from its own thread,
// the computation polls it between steps and returns its "cancelled" result, leaving every
// file it would have replaced as it was.
#pragma once

#include <atomic>

namespace morvix {

class Annulation {
  public:
    void Demande() { m_demandee.store(true, std::memory_order_relaxed); }
    void Reinitialise() { m_demandee.store(false, std::memory_order_relaxed); }
    bool Demandee() const { return m_demandee.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> m_demandee{false};
};

// True when a flag is given and raised; computations take an optional flag.
inline bool Annulee(const Annulation *annulation) {
    return annulation != nullptr && annulation->Demandee();
}

} // namespace morvix
