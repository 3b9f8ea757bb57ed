// The rows of the chronological page: one per result of a PrimSpecChr, with the code's
// graphy, its total frequency, its frequency in the run, the coefficient and the run's
// parts. Rows are supplied on demand.
#pragma once

#include <QAbstractTableModel>

namespace morvix {
class Partition;
class PrimSpecChr;
} // namespace morvix

namespace morvix::ui {

class ModeleChrono : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ModeleChrono(const Partition &partition, QObject *parent = nullptr);

    // The results shown (null: none); the caller keeps them alive.
    void SetChrono(const PrimSpecChr *chrono);
    // The results were reordered.
    void Actualise();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const Partition &m_partition;
    const PrimSpecChr *m_chrono = nullptr;
};

} // namespace morvix::ui
