// The parameter dialog of the section specificities: the probability threshold in percent
// and the minimum frequency. One instance for the whole run; the caller sets the frequency
// box's range before each showing and reads both boxes after OK.
#pragma once

#include <QDialog>

#include <cstdint>

class QSpinBox;

namespace morvix::ui {

class TFenParamSpecSect : public QDialog {
    Q_OBJECT
  public:
    explicit TFenParamSpecSect(QWidget *parent = nullptr);

    QSpinBox *EdSeuil() const { return m_seuil; }
    QSpinBox *EdFrqMin() const { return m_frqMin; }
    // The "Fréquence minimale" box takes values 1 .. fmax (at least 1).
    void SetFrequenceMax(int32_t fmax);
    int32_t SeuilPct() const;
    int32_t FrqMin() const;

  private:
    QSpinBox *m_seuil;
    QSpinBox *m_frqMin;
};

} // namespace morvix::ui
