// The drawing area of a section map: paints the boxes, row numbers and span headers that the
// core's layout places, only those crossing the exposed rectangle, and turns a mouse press
// into the section under it. The same drawing serves the screen, the report's JPEG and the
// SVG and PNG exports.
#pragma once

#include <QWidget>

class QPainter;

namespace morvix {
class CarteSections;
}

namespace morvix::ui {

// Paints what of the map crosses `zone` (everything when `zone` is null), on a white ground.
void DessineCarte(QPainter &peintre, const CarteSections &carte, const QRect &zone = QRect());

class VueCarte : public QWidget {
    Q_OBJECT
  public:
    explicit VueCarte(const CarteSections &carte, QWidget *parent = nullptr);

    // Takes the size of the map's drawing area and repaints.
    void Actualise();
    QSize sizeHint() const override;

  Q_SIGNALS:
    // A press on the box of section s.
    void Clic(int32_t s, bool shift, bool ctrl);
    // The context menu's "Enregistrer l'image...".
    void ExportDemande();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    const CarteSections &m_carte;
};

} // namespace morvix::ui
