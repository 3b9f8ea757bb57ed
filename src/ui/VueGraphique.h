// The view of every chart window: a chart view whose context menu saves the picture, which
// hands the report a copy of what it shows, and which passes drops to its window.
#pragma once

#include "ExportImage.h"

#include <QChartView>

#include <functional>

class QMimeData;

namespace morvix::ui {

class VueGraphique : public QChartView {
    Q_OBJECT
  public:
    // `nom` is the file name proposed when saving the picture (without extension).
    VueGraphique(QChart *graphique, const QString &nom, QWidget *parent = nullptr);

    // The drawing as shown (the visible part of the chart at the view's size).
    DessinExport Dessin();
    // A copy of the view's canvas, for the report.
    QImage Copie() { return ImageDessin(Dessin()); }
    QAction *ActionImage() const { return m_actionImage; }

    // Drops: `accepte` tells whether the data can be dropped, `depose` takes it.
    std::function<bool(const QMimeData *)> accepte;
    std::function<void(const QMimeData *)> depose;

  protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    QAction *m_actionImage;
};

} // namespace morvix::ui
