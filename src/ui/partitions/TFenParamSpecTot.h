// The parameter dialog of the per-part specificity table: threshold, minimum frequency and
// whether the reference corpus is restricted to the ticked parts. The partition window sets
// and reads its boxes.
#pragma once

#include <QDialog>

class QCheckBox;

namespace morvix::ui {

class BoitesParamSpec;

class TFenParamSpecTot : public QDialog {
    Q_OBJECT
  public:
    explicit TFenParamSpecTot(QWidget *owner);
    BoitesParamSpec *Boites() const { return m_boites; }
    QCheckBox *ChkRestreint() const { return m_restreint; }

  private:
    BoitesParamSpec *m_boites;
    QCheckBox *m_restreint;
};

} // namespace morvix::ui
