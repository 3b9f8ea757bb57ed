#include "VueGraphique.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGraphicsLayout>
#include <QMenu>
#include <QPainter>

namespace morvix::ui {

VueGraphique::VueGraphique(QChart *graphique, const QString &nom, QWidget *parent)
    : QChartView(graphique, parent) {
    setRenderHint(QPainter::Antialiasing);
    // The chart's colour reaches the edges of the window.
    graphique->setBackgroundRoundness(0);
    graphique->setMargins(QMargins(6, 6, 6, 6));
    graphique->layout()->setContentsMargins(0, 0, 0, 0);
    setAcceptDrops(true);
    m_actionImage = ActionExportImage(this, Dessin(), nom);
}

DessinExport VueGraphique::Dessin() {
    return {[this] { return viewport()->size(); },
            [this](QPainter &p) {
                // A view never shown (a hidden page) has not sized its chart yet.
                if (chart()->size() != QSizeF(size())) {
                    chart()->resize(size());
                    setSceneRect(chart()->geometry());
                }
                // Series added or changed since the last event loop are laid out first.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                QCoreApplication::sendPostedEvents(scene(), 0);
                const QRect source = viewport()->rect();
                render(&p, QRectF(QPointF(0, 0), QSizeF(source.size())), source);
            }};
}

void VueGraphique::contextMenuEvent(QContextMenuEvent *event) {
    QMenu menu(this);
    menu.addAction(m_actionImage);
    menu.exec(event->globalPos());
}

void VueGraphique::dragEnterEvent(QDragEnterEvent *event) {
    if (accepte && accepte(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void VueGraphique::dragMoveEvent(QDragMoveEvent *event) {
    if (accepte && accepte(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void VueGraphique::dropEvent(QDropEvent *event) {
    if (accepte && accepte(event->mimeData()) && depose) {
        depose(event->mimeData());
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

} // namespace morvix::ui
