// The parameter dialog of the "Spécifs" button of the partition window: the threshold and
// minimum frequency of the specificities of the selected parts against the ticked parts.
// Its boxes show their defaults each time; OK stores them into the partition, and the
// partition window then runs the computation and opens the list.
#pragma once

#include <QDialog>

namespace morvix {
class Partition;
}

namespace morvix::ui {

class BoitesParamSpec;

class TFenParamSpec : public QDialog {
    Q_OBJECT
  public:
    TFenParamSpec(QWidget *owner, Partition &partition);
    BoitesParamSpec *Boites() const { return m_boites; }
    void accept() override;

  private:
    Partition &m_partition;
    BoitesParamSpec *m_boites;
};

} // namespace morvix::ui
