// The two boxes every specificity dialog has, side by side under their labels: the
// probability threshold in percent and the minimum frequency, with their hints. Used by the
// parameter dialogs of the partition window.
#pragma once

#include <QWidget>

#include <cstdint>

class QDialogButtonBox;
class QSpinBox;

namespace morvix::ui {

class BoitesParamSpec : public QWidget {
    Q_OBJECT
  public:
    // Threshold 0..100 (5 at first), minimum frequency `frqDefaut`.
    explicit BoitesParamSpec(int32_t frqDefaut, QWidget *parent = nullptr);

    QSpinBox *EdSeuil() const { return m_seuil; }
    QSpinBox *EdFrqMin() const { return m_frqMin; }
    int32_t Seuil() const;
    int32_t FrqMin() const;
    // The frequency box takes 1 .. fmax (the base's highest frequency).
    void SetFrequenceMax(int32_t fmax);

  private:
    QSpinBox *m_seuil;
    QSpinBox *m_frqMin;
};

// OK and Cancel, wired to the dialog.
QDialogButtonBox *BoutonsOkAnnuler(QWidget *dialogue);
// Fixed size and centred on the screen.
void FixeEtCentre(QWidget *dialogue);

} // namespace morvix::ui
