// The rows of the partition window's PCLC grid: one per part, with its tick, number, label,
// size, vocabulary, hapax, highest frequency and its form. Selected parts show in the
// highlight colours. The flags shown are the partition's, or a copy while a computation
// may change them for its duration.
#pragma once

#include <QAbstractTableModel>
#include <QPixmap>

#include <cstdint>
#include <vector>

namespace morvix {
class Partition;
}

namespace morvix::ui {

class ModelePCLC : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne {
        ColCoche,
        ColNum,
        ColPartie,
        ColOcc,
        ColFormes,
        ColHapax,
        ColFmax,
        ColForme,
        NbColonnes
    };

    explicit ModelePCLC(const Partition &partition, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Shows these flags instead of the partition's (null: the partition's again).
    void SetDrapeaux(const std::vector<bool> *cochee, const std::vector<bool> *selec);
    // Repaints every row.
    void Actualise();

  private:
    const Partition &m_partition;
    const std::vector<bool> *m_cochee;
    const std::vector<bool> *m_selec;
    QPixmap m_coche;
};

} // namespace morvix::ui
