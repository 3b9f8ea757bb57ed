// The correspondence-analysis dialog of a partition: title, active rows (the forms at or
// above the minimum frequency), columns, factors and the minimum frequency, which is also
// the partition's. In mode 1 (opened from a factorial map) the parts not ticked become
// supplementary columns. OK checks the fields and hands the run its parameters.
#pragma once

#include "afc/EcritCoran.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace morvix {
class Partition;
}

namespace morvix::ui {

class TFenParamAFC : public QDialog {
    Q_OBJECT
  public:
    TFenParamAFC(Partition &partition, QWidget *parent = nullptr);

    // 0: every part active; 1: the parts not ticked are supplementary.
    void SetMode(int mode) { m_mode = mode; }
    int Mode() const { return m_mode; }
    // The checked parameters, once the dialog was accepted.
    const ParamAfc &Parametres() const { return m_param; }

    QLineEdit *EdTitre() const { return m_edTitre; }
    QLineEdit *EdNI() const { return m_edNI; }
    QLineEdit *EdNJ() const { return m_edNJ; }
    QLineEdit *EdNI2() const { return m_edNI2; }
    QLineEdit *EdNF() const { return m_edNF; }
    QLineEdit *EdNJ2() const { return m_edNJ2; }
    QSpinBox *CSpinEdit1() const { return m_frqMin; }

    // The minimum frequency changed: stored in the partition, NI recomputed.
    void CSpinEdit1Change(int valeur);
    // Checks the fields; true (and Parametres() filled) when they are usable, otherwise
    // the message "Vérifiez vos paramètres" names the field and the dialog stays open.
    bool Verifie();

  private:
    Partition &m_partition;
    int m_mode = 0;
    ParamAfc m_param;
    QLineEdit *m_edTitre;
    QLineEdit *m_edNI;
    QLineEdit *m_edNJ;
    QLineEdit *m_edNI2;
    QLineEdit *m_edNF;
    QLineEdit *m_edNJ2;
    QSpinBox *m_frqMin;
};

} // namespace morvix::ui
