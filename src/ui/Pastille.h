// The colour swatch ("pastille") of the list windows: a square painted in the colour that
// drags of the list carry, with a black border; a click asks for another colour. It paints
// itself, so that its hint keeps the normal hint colours.
#pragma once

#include <QWidget>

#include <cstdint>

namespace morvix::ui {

class Pastille : public QWidget {
    Q_OBJECT
  public:
    explicit Pastille(QWidget *parent = nullptr);

    // 0x00BBGGRR.
    uint32_t Couleur() const { return m_couleur; }
    void SetCouleur(uint32_t couleur);
    // The colour dialog (through the interaction functions); true when a colour was chosen.
    bool ChoisitCouleur();

  Q_SIGNALS:
    void CouleurChangee(uint32_t couleur);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    uint32_t m_couleur = 0;
};

} // namespace morvix::ui
