#include "mainwindow/ConteneurGroupes.h"

#include "Texte.h"
#include "Traduction.h"
#include "groups/TgenQueue.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Glyphes.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

namespace morvix::ui {

ConteneurGroupes::ConteneurGroupes(TgenQueue &queue, QWidget *parent)
    : QLabel(parent), m_queue(queue), m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("Container"));
    m_menu->setObjectName(QStringLiteral("PMnuQueue"));
    setFixedSize(38, 38);
    setAlignment(Qt::AlignCenter);
    setAcceptDrops(true);
    Actualise();
}

void ConteneurGroupes::Actualise() {
    const bool plein = m_queue.CurrentTgen() != nullptr;
    setPixmap(IconeGlyphe(plein ? Glyphe::ConteneurPlein : Glyphe::Conteneur).pixmap(32, 32));
    setToolTip(plein ? DeCp1252(m_queue.CurrentTgen()->Nom) : Tr("Vide"));
}

QMenu *ConteneurGroupes::PMnuQueuePopup() {
    m_menu->clear();
    const int32_t courant = m_queue.IndexCourant();
    for (size_t i = 0; i < m_queue.size(); ++i) {
        QAction *action = m_menu->addAction(DeCp1252(m_queue[i].Nom));
        action->setCheckable(true);
        action->setChecked(static_cast<int32_t>(i) == courant);
        connect(action, &QAction::triggered, this,
                [this, i] { ElemMenuClick(static_cast<int>(i)); });
    }
    return m_menu;
}

void ConteneurGroupes::ElemMenuClick(int index) {
    if (index >= 0 && m_queue.Choisit(static_cast<size_t>(index))) {
        Actualise();
    }
}

TgenDrag ConteneurGroupes::ContainerStartDrag() const { return m_queue.DragCourant(); }

bool ConteneurGroupes::Accepte(const QMimeData *data) const {
    if (const TTgenDragObject *drag = GroupeDeplace(data)) {
        return drag->Source() != this;
    }
    return !data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText();
}

void ConteneurGroupes::dragEnterEvent(QDragEnterEvent *event) {
    if (Accepte(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ConteneurGroupes::dragMoveEvent(QDragMoveEvent *event) {
    if (Accepte(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

bool ConteneurGroupes::Depose(const QMimeData *data) {
    if (!Accepte(data)) {
        return false;
    }
    if (const TTgenDragObject *drag = GroupeDeplace(data)) {
        Q_EMIT GroupeDepose(drag->Contenu());
    } else {
        Q_EMIT TexteDepose(data->text());
    }
    return true;
}

void ConteneurGroupes::dropEvent(QDropEvent *event) {
    if (Depose(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ConteneurGroupes::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        m_depart = event->position().toPoint();
    }
    QLabel::mousePressEvent(event);
}

void ConteneurGroupes::mouseMoveEvent(QMouseEvent *event) {
    if (!(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_depart).manhattanLength() <
            QApplication::startDragDistance()) {
        return;
    }
    const TgenDrag contenu = ContainerStartDrag();
    if (contenu.codes.empty()) {
        return;
    }
    auto *objet = new TTgenDragObject(this, contenu.nom, contenu.couleur,
                                      static_cast<int32_t>(contenu.codes.size()));
    objet->Codes = contenu.codes;
    auto *drag = new QDrag(this);
    drag->setMimeData(objet);
    drag->setPixmap(pixmap());
    drag->exec(Qt::CopyAction);
}

void ConteneurGroupes::contextMenuEvent(QContextMenuEvent *event) {
    PMnuQueuePopup()->popup(event->globalPos());
}

} // namespace morvix::ui
