#include "partitions/ModeleTableSpec.h"

#include "ExportTableau.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/TableSpec.h"
#include "partitions/TextesPartition.h"

#include <QBrush>
#include <QColor>

namespace morvix::ui {

ModeleTableSpec::ModeleTableSpec(QObject *parent) : QAbstractTableModel(parent) {}

void ModeleTableSpec::SetTable(const TableSpec *table) {
    beginResetModel();
    m_table = table;
    endResetModel();
}

void ModeleTableSpec::Actualise() {
    beginResetModel();
    endResetModel();
}

int ModeleTableSpec::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || m_table == nullptr ? 0 : m_table->NbLignes();
}

int ModeleTableSpec::columnCount(const QModelIndex &parent) const {
    return parent.isValid() || m_table == nullptr ? 0 : m_table->NbColonnes() + 1;
}

QVariant ModeleTableSpec::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || m_table == nullptr) {
        return {};
    }
    const int32_t ligne = index.row();
    const int32_t colonne = index.column() - 1;
    switch (role) {
    case Qt::DisplayRole:
        if (colonne < 0) {
            return DeCp1252(
                m_table->LaPartition().Base().RetourneGraphie(m_table->Code(ligne), false));
        }
        return m_table->Frequence(ligne, colonne);
    case RoleCode:
        return m_table->Code(ligne);
    case RoleCoeff:
    case RoleBrut:
        return colonne < 0 ? QVariant() : QVariant(m_table->Coeff(ligne, colonne));
    case RoleTexteCoeff:
        return colonne < 0 ? QVariant()
                           : QVariant(QString::fromStdString(
                                 TexteCoeffTableau(m_table->Coeff(ligne, colonne))));
    case Qt::BackgroundRole:
        // Odd rows of the grid (its header is row 0) on green.
        if (colonne < 0) {
            return {};
        }
        return QBrush(ligne % 2 == 0 ? QColor(0xC0, 0xDC, 0xC0) : QColor(Qt::white));
    case Qt::ForegroundRole:
        return colonne < 0 ? QVariant() : QVariant(QBrush(Qt::black));
    default:
        return {};
    }
}

QVariant ModeleTableSpec::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || m_table == nullptr) {
        return {};
    }
    const QString libelle =
        section == 0 ? Tr("Formes/SR")
                     : DeCp1252(m_table->LaPartition().Libelle(m_table->Partie(section - 1)));
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return libelle;
    }
    if (role == RoleBrut && section > 0) {
        return libelle + Tr(" (spécificité)");
    }
    return {};
}

Qt::ItemFlags ModeleTableSpec::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace morvix::ui
