// The queue of the most recent groups behind the main window's group container: newest
// first, at most 20, one of them current. The queue owns its groups.
#pragma once

#include "groups/Tgen.h"
#include "groups/TgenDrag.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace morvix {

class TgenQueue {
  public:
    static constexpr size_t kCapacite = 20;

    // Makes the group current and puts it at the front; the oldest groups beyond 20 are
    // released. A null group is ignored.
    void AjouteTgen(std::unique_ptr<Tgen> group);
    // Makes the group at `index` (0 = newest, the menu's order) current; the order of the
    // queue does not change. False when there is no such group.
    bool Choisit(size_t index);

    // The group the container offers, or null before the first one.
    const Tgen *CurrentTgen() const { return m_current; }
    // Index of the current group in the queue, or -1.
    int32_t IndexCourant() const;
    // The container's hint: the current group's name, "Vide" before the first group.
    std::string Indication() const;
    // What a drag started from the container carries; no code without a current group.
    TgenDrag DragCourant() const;

    size_t size() const { return m_groups.size(); }
    const Tgen &operator[](size_t index) const { return *m_groups[index]; }

  private:
    std::deque<std::unique_ptr<Tgen>> m_groups;
    const Tgen *m_current = nullptr;
};

} // namespace morvix
