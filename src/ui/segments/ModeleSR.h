// The rows of the repeated-segment list: one per segment of the store, in the order of the
// last column sort (store order at first), supplied on demand. Drags carry the segments'
// codes as a group.
#pragma once

#include "segments/ListeSegments.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace morvix {
class charg1;
class SegRep;
} // namespace morvix

namespace morvix::ui {

class ModeleSR : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne { ColLg, ColSegment, ColFrq, NbColonnes };
    // The base code of a row's segment (Nbart + 1 + its store index).
    static constexpr int RoleCode = Qt::UserRole + 1;

    ModeleSR(const charg1 &base, const SegRep &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    // The store index shown on a row, and its base code.
    int32_t Segment(int32_t ligne) const { return m_ordre[static_cast<size_t>(ligne)]; }
    int32_t Code(int32_t ligne) const;
    // Reorders the rows on a column (always the same order for a column).
    void Trie(Colonne colonne);

    // What a drag carries besides the codes: the colour and the source control.
    void SetCouleur(uint32_t couleur) { m_couleur = couleur; }
    uint32_t Couleur() const { return m_couleur; }
    void SetSource(QObject *source) { m_source = source; }

  private:
    const charg1 &m_base;
    const SegRep &m_store;
    std::vector<int32_t> m_ordre;
    uint32_t m_couleur;
    QObject *m_source = nullptr;
};

} // namespace morvix::ui
