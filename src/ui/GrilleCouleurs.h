// The grid of the 16 standard colours in 2 columns and 8 rows: a click makes a colour the
// foreground colour and says so. Used by the tool panels that colour parts.
#pragma once

#include <QWidget>

#include <cstdint>

namespace morvix::ui {

// The 16 colours (0x00BBGGRR), row by row: black, maroon, green, olive, navy, purple, teal,
// grey, silver, red, lime, yellow, blue, fuchsia, aqua, white.
inline constexpr uint32_t kCouleursGrille[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

class GrilleCouleurs : public QWidget {
    Q_OBJECT
  public:
    explicit GrilleCouleurs(QWidget *parent = nullptr);

    int IndexAvant() const { return m_avant; }
    uint32_t Avant() const { return kCouleursGrille[m_avant]; }
    void SetIndexAvant(int index);
    // The cell under a point of the widget, or -1.
    int CaseA(const QPoint &p) const;
    QRect RectCase(int index) const;
    QSize sizeHint() const override { return {42, 160}; }

  Q_SIGNALS:
    // A colour was chosen with the mouse (it is now the foreground colour).
    void CouleurChoisie(uint32_t couleur);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    int m_avant = 12;
};

} // namespace morvix::ui
