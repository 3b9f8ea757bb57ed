// The rows of a specificity list: the results (decreasing coefficient) in that order for
// "positives", reversed for "négatives", with the term, F, k and the coefficient. Rows are
// supplied on demand; a drag of the selected rows carries their codes as a group of forms.
// Serves both the partition lists and the section lists.
#pragma once

#include "partitions/PrimSpec.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ModeleSpecGrp : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne { ColTerme, ColFrqTot, ColFrqPartie, ColSpecif, NbColonnes };
    static constexpr int RoleCode = Qt::UserRole + 1;

    // `resultats` must outlive the model.
    ModeleSpecGrp(const charg1 &base, const std::vector<ResSpec> &resultats,
                  QObject *parent = nullptr);

    bool Positives() const { return m_positives; }
    void SetPositives(bool positives);
    // The result shown on a row.
    const ResSpec &Resultat(int32_t ligne) const;

    // What a drag carries besides the codes.
    void SetCouleur(uint32_t couleur) { m_couleur = couleur; }
    uint32_t Couleur() const { return m_couleur; }
    void SetSource(QObject *source) { m_source = source; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

  private:
    const charg1 &m_base;
    const std::vector<ResSpec> &m_resultats;
    bool m_positives = true;
    uint32_t m_couleur = 0xFF0000;
    QObject *m_source = nullptr;
};

} // namespace morvix::ui
