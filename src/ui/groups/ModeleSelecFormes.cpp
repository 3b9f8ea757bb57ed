#include "groups/ModeleSelecFormes.h"

#include "Texte.h"
#include "Traduction.h"
#include "mainwindow/DragObjects.h"

#include <algorithm>

namespace morvix::ui {

ModeleSelecFormes::ModeleSelecFormes(const charg1 &base, const ListeCodes &liste, QObject *parent)
    : QAbstractTableModel(parent), m_base(base), m_liste(liste) {}

int ModeleSelecFormes::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_liste.Taille();
}

int ModeleSelecFormes::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

QVariant ModeleSelecFormes::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_liste.Taille()) {
        return {};
    }
    const int32_t code = m_liste.Code(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColForme) {
            return DeCp1252(TexteCode(m_base, code));
        } else {
            const int32_t frq = FrequenceCode(m_base, code);
            return frq < 0 ? QString() : QString::number(frq);
        }
    case Qt::TextAlignmentRole:
        if (index.column() == ColFrequence) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    case RoleCode:
        return code;
    default:
        return {};
    }
}

QVariant ModeleSelecFormes::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return section == ColForme ? Tr("Forme") : Tr("Fréquence");
    }
    return {};
}

Qt::ItemFlags ModeleSelecFormes::flags(const QModelIndex &index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList ModeleSelecFormes::mimeTypes() const { return {QString::fromLatin1(kFormatMorvix)}; }

QMimeData *ModeleSelecFormes::mimeData(const QModelIndexList &indexes) const {
    // Rows dragged out of the list make a black group.
    return GroupeDesLignes(
        indexes, m_source, m_nom ? m_nom() : std::string(), 0,
        [this](int ligne) { return m_liste.Code(ligne); },
        [this](int ligne) { return ligne < m_liste.Taille(); });
}

void ModeleSelecFormes::Actualise() {
    beginResetModel();
    endResetModel();
}

} // namespace morvix::ui
