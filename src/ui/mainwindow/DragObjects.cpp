#include "mainwindow/DragObjects.h"

namespace morvix::ui {

TMorvixDragObject::TMorvixDragObject(QObject *source, int kind) : m_kind(kind), m_source(source) {
    setData(QString::fromLatin1(kFormatMorvix), QByteArray::number(kind));
}

TTgenDragObject::TTgenDragObject(QObject *source, std::string nom, uint32_t couleur, int32_t n)
    : TMorvixDragObject(source, 1), Codes(static_cast<size_t>(n > 0 ? n : 0)), Nom(std::move(nom)),
      Couleur(couleur) {}

TPartDragObject::TPartDragObject(QObject *source, Partition *partition)
    : TMorvixDragObject(source, 3), Part(partition) {}

const TTgenDragObject *GroupeDeplace(const QMimeData *data) {
    return qobject_cast<const TTgenDragObject *>(data);
}

} // namespace morvix::ui
