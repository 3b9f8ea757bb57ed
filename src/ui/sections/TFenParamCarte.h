// The settings popup of the section maps ("Réglages"): the three shades of the main group
// and the two coefficient thresholds that choose among them. One instance for the whole run,
// shared by every map; its threshold texts stay as they were last left.
#pragma once

#include "sections/CarteSections.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morvix::ui {

class TFenParamCarte : public QDialog {
    Q_OBJECT
  public:
    explicit TFenParamCarte(QWidget *parent = nullptr);

    QLabel *Shape1() const { return m_shape1; }
    QLabel *ShCol(int i) const { return m_shCol[i]; }
    QLineEdit *Edit1() const { return m_edit1; }
    QLineEdit *Edit2() const { return m_edit2; }
    QPushButton *BtnOk() const { return m_ok; }

    // The main group's colour: its three shades fill the squares.
    void SetCouleur(uint32_t couleur);
    morvix::Nuances Couleurs() const { return m_nuances; }

    // Applies OK to a map: the three shades, then Seuil2 from Edit1, then Seuil1 from Edit2.
    // A text that is not an integer stops there (what was taken stays taken) and its message
    // is returned; empty on success.
    QString Applique(morvix::CarteSections &carte) const;

  protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

  private:
    void peint();

    QLabel *m_shape1;
    QLabel *m_shCol[3];
    QLineEdit *m_edit1;
    QLineEdit *m_edit2;
    QPushButton *m_ok;
    uint32_t m_couleur = morvix::kNoir;
    morvix::Nuances m_nuances;
};

} // namespace morvix::ui
