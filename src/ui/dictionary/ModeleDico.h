// The rows of the dictionary window: forms and punctuation signs of the base with their
// frequencies, in the order of the `Ordre` table. Rows are supplied on demand.
#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ModeleDico : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne { ColForme, ColFrequence, NbColonnes };
    // The article code of a row, for drags.
    static constexpr int RoleCode = Qt::UserRole + 1;

    explicit ModeleDico(const charg1 &base, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    int32_t NbLignesDic() const { return static_cast<int32_t>(m_ordre.size()); }
    int32_t Code(int32_t ligne) const { return m_ordre[static_cast<size_t>(ligne)]; }
    // The row showing `code`, or -1.
    int32_t Ligne(int32_t code) const;
    bool TriAlphabetique() const { return m_alpha; }
    // Lexicometric order (rows in code order) or lexicographic order (forms by their
    // alphabetical rank, punctuation after them).
    void SetTriAlphabetique(bool alpha);

    // What a drag of the selected rows carries: colour and source control.
    void SetCouleur(uint32_t couleur) { m_couleur = couleur; }
    uint32_t Couleur() const { return m_couleur; }
    void SetSource(QObject *source) { m_source = source; }

  private:
    const charg1 &m_base;
    std::vector<int32_t> m_ordre;
    bool m_alpha = false;
    uint32_t m_couleur = 0xFF0000;
    QObject *m_source = nullptr;
};

} // namespace morvix::ui
