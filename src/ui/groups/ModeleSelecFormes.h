// The rows of the form-selection result list: each listed code (a form or a repeated
// segment) with its text and frequency, supplied on demand; drags carry the selected rows as
// a group of forms.
#pragma once

#include "groups/SelectionFormes.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <string>

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ModeleSelecFormes : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne { ColForme, ColFrequence, NbColonnes };
    static constexpr int RoleCode = Qt::UserRole + 1;

    ModeleSelecFormes(const charg1 &base, const ListeCodes &liste, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    // The list changed: every row is supplied again.
    void Actualise();
    // What a drag of rows carries besides the codes: its source and the group's name
    // (Windows-1252, asked at the start of each drag).
    void SetSource(QObject *source) { m_source = source; }
    void SetNom(std::function<std::string()> nom) { m_nom = std::move(nom); }

  private:
    const charg1 &m_base;
    const ListeCodes &m_liste;
    QObject *m_source = nullptr;
    std::function<std::string()> m_nom;
};

} // namespace morvix::ui
