// A table view whose first column stays in place while the others scroll horizontally: a
// second view over the same model and selection shows that column above the first.
#pragma once

#include <QTableView>

namespace morvix::ui {

class GrilleFigee : public QTableView {
    Q_OBJECT
  public:
    explicit GrilleFigee(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // The view of the first column (its header gets the clicks on that column).
    QTableView *ColonneFigee() const { return m_figee; }
    // Row height of both views.
    void SetHauteurLigne(int hauteur);

  protected:
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

  private:
    void cacheColonnes();
    void metAJourGeometrie();

    QTableView *m_figee;
};

} // namespace morvix::ui
