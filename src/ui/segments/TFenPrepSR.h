// The parameter dialog of the repeated-segment computation: the punctuation signs and key
// types that stop the search for the form preceding an occurrence (all ticked at first),
// and the two thresholds, never above the highest form frequency of the base.
#pragma once

#include <QDialog>

#include <cstdint>
#include <set>

class QLabel;
class QListWidget;
class QSpinBox;

namespace morvix {
class charg1;
}

namespace morvix::ui {

class TFenPrepSR : public QDialog {
    Q_OBJECT
  public:
    explicit TFenPrepSR(const charg1 &base, QWidget *parent = nullptr);

    // The codes of the ticked punctuation signs and key types.
    std::set<int32_t> Delimiteurs() const;
    int32_t SeuilFormes() const;
    int32_t SeuilSegments() const;

    QListWidget *ListDelims() const { return m_delims; }
    QListWidget *ListCles() const { return m_cles; }
    QSpinBox *EditForme() const { return m_forme; }
    QSpinBox *EditSR() const { return m_sr; }

  private:
    QListWidget *m_delims;
    QListWidget *m_cles;
    QSpinBox *m_forme;
    QSpinBox *m_sr;
};

} // namespace morvix::ui
