#include "mainwindow/DragObjects.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace morvix::ui {

TMorvixDragObject::TMorvixDragObject(QObject *source, int kind) : m_kind(kind), m_source(source) {
    setData(QString::fromLatin1(kFormatMorvix), QByteArray::number(kind));
}

TTgenDragObject::TTgenDragObject(QObject *source, std::string nom, uint32_t couleur, int32_t n)
    : TMorvixDragObject(source, 1), Codes(static_cast<size_t>(n > 0 ? n : 0)), Nom(std::move(nom)),
      Couleur(couleur) {}

TTgenDragObject *GroupeDesLignes(const QModelIndexList &indexes, QObject *source, std::string nom,
                                 uint32_t couleur, const std::function<int32_t(int)> &code,
                                 const std::function<bool(int)> &garde) {
    std::vector<int> lignes;
    for (const QModelIndex &i : indexes)
        if (!garde || garde(i.row()))
            lignes.push_back(i.row());
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    if (lignes.empty())
        return nullptr;
    auto *drag =
        new TTgenDragObject(source, std::move(nom), couleur, static_cast<int32_t>(lignes.size()));
    for (size_t i = 0; i < lignes.size(); ++i)
        drag->Codes[i] = code(lignes[i]);
    return drag;
}

void PrepareListeGlissee(QTableView *liste) {
    liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste->setShowGrid(true);
    liste->setDragEnabled(true);
    liste->setDragDropMode(QAbstractItemView::DragOnly);
    liste->verticalHeader()->hide();
    liste->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    liste->verticalHeader()->setDefaultSectionSize(liste->fontMetrics().height() + 4);
}

TPartDragObject::TPartDragObject(QObject *source, Partition *partition)
    : TMorvixDragObject(source, 3), Part(partition) {}

const TTgenDragObject *GroupeDeplace(const QMimeData *data) {
    return qobject_cast<const TTgenDragObject *>(data);
}

} // namespace morvix::ui
