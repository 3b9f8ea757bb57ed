// The cells of the per-part specificity table: column 0 the graphy of each row's code,
// then one column per computed part with the frequency as its text and the coefficient
// behind it (RoleCoeff, and RoleBrut for the export, which gives each part a frequency
// column and a coefficient column). Rows are supplied on demand from the core's table.
#pragma once

#include <QAbstractTableModel>

#include <cstdint>

namespace morvix {
class TableSpec;
}

namespace morvix::ui {

class ModeleTableSpec : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The coefficient of a part cell (an int) and its text as the cell shows it.
    static constexpr int RoleCoeff = Qt::UserRole + 2;
    static constexpr int RoleTexteCoeff = Qt::UserRole + 3;
    // The code of a row (any column).
    static constexpr int RoleCode = Qt::UserRole + 1;

    explicit ModeleTableSpec(QObject *parent = nullptr);

    // The table shown (null: none); the caller keeps it alive and resets through here.
    void SetTable(const TableSpec *table);
    const TableSpec *Table() const { return m_table; }
    // The rows were reordered or replaced.
    void Actualise();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

  private:
    const TableSpec *m_table = nullptr;
};

} // namespace morvix::ui
