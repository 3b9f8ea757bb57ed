// The parameter dialog of the "Sp Diac." button: threshold, minimum frequency, and which of
// the specific increments and the chronological specificities to compute. The partition
// window reads it and runs the computations.
#pragma once

#include <QDialog>

class QCheckBox;

namespace morvix {
class Partition;
}

namespace morvix::ui {

class BoitesParamSpec;

class TFenParamSpecDiac : public QDialog {
    Q_OBJECT
  public:
    TFenParamSpecDiac(QWidget *owner, const Partition &partition);
    BoitesParamSpec *Boites() const { return m_boites; }
    QCheckBox *ChkAccroissements() const { return m_accroissements; }
    QCheckBox *ChkChrono() const { return m_chrono; }

  private:
    BoitesParamSpec *m_boites;
    QCheckBox *m_accroissements;
    QCheckBox *m_chrono;
};

} // namespace morvix::ui
