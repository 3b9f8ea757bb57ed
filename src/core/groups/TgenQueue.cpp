#include "groups/TgenQueue.h"

namespace morvix {

void TgenQueue::AjouteTgen(std::unique_ptr<Tgen> group) {
    if (!group)
        return;
    m_current = group.get();
    m_groups.push_front(std::move(group));
    while (m_groups.size() > kCapacite)
        m_groups.pop_back();
}

bool TgenQueue::Choisit(size_t index) {
    if (index >= m_groups.size())
        return false;
    m_current = m_groups[index].get();
    return true;
}

int32_t TgenQueue::IndexCourant() const {
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i].get() == m_current)
            return static_cast<int32_t>(i);
    return -1;
}

std::string TgenQueue::Indication() const { return m_current ? m_current->Nom : "Vide"; }

TgenDrag TgenQueue::DragCourant() const {
    TgenDrag drag;
    if (m_current) {
        drag.codes = m_current->Items;
        drag.couleur = m_current->Couleur;
        drag.nom = m_current->Nom;
    }
    return drag;
}

} // namespace morvix
