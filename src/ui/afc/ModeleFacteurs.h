// The factor table of a correspondence analysis: one row per part, its label, mass and
// distance, then its coordinates and the two further values on every factor; raw values
// behind the formatted cells for sorting and export.
#pragma once

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace morvix {
class TListePoints;
}

namespace morvix::ui {

class ModeleFacteurs : public QAbstractTableModel {
    Q_OBJECT
  public:
    ModeleFacteurs(const TListePoints &points, QObject *parent = nullptr);

    // The labels of the first column (Windows-1252).
    void SetLibelles(std::vector<std::string> libelles);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TListePoints &m_points;
    std::vector<std::string> m_libelles;
};

} // namespace morvix::ui
