// The group container of the toolbar: groups of forms are dropped on it and dragged from
// it again; its menu lists the queue of recent groups and chooses the current one.
#pragma once

#include <QLabel>
#include <QPoint>

#include "groups/TgenDrag.h"

class QMenu;
class QMimeData;

namespace morvix {
class TgenQueue;
}

namespace morvix::ui {

class ConteneurGroupes : public QLabel {
    Q_OBJECT
  public:
    ConteneurGroupes(TgenQueue &queue, QWidget *parent = nullptr);

    // Rebuilds PMnuQueue: one item per queued group, newest first, the current one checked.
    QMenu *PMnuQueuePopup();
    // Makes the group at menu position `index` current.
    void ElemMenuClick(int index);
    // The hint and picture after a change of the queue.
    void Actualise();
    // What a drag started from the container carries (no code without a current group).
    TgenDrag ContainerStartDrag() const;
    // Takes a dropped group or text; false when the data is refused.
    bool Depose(const QMimeData *data);

  Q_SIGNALS:
    void GroupeDepose(const morvix::TgenDrag &drag);
    void TexteDepose(const QString &texte);

  protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    bool Accepte(const QMimeData *data) const;

    TgenQueue &m_queue;
    QMenu *m_menu;
    QPoint m_depart;
};

} // namespace morvix::ui
