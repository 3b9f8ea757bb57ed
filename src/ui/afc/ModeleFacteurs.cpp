#include "afc/ModeleFacteurs.h"

#include "ExportTableau.h"
#include "Texte.h"
#include "Traduction.h"
#include "afc/TListePoints.h"
#include "afc/TableFacteurs.h"

namespace morvix::ui {

ModeleFacteurs::ModeleFacteurs(const TListePoints &points, QObject *parent)
    : QAbstractTableModel(parent), m_points(points) {}

void ModeleFacteurs::SetLibelles(std::vector<std::string> libelles) {
    m_libelles = std::move(libelles);
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0));
    }
}

int ModeleFacteurs::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_points.NbPoints;
}

int ModeleFacteurs::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnesFacteurs(m_points);
}

QVariant ModeleFacteurs::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int ligne = index.row(), colonne = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return DeCp1252(TexteFacteurs(m_points, m_libelles, ligne, colonne));
    case RoleBrut:
        if (colonne == 0) {
            return {};
        }
        return ValeurFacteurs(m_points, ligne, colonne);
    case Qt::TextAlignmentRole:
        return colonne == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeleFacteurs::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        switch (section) {
        case 0:
            return Tr("Ident.");
        case 1:
            return Tr("Masse");
        case 2:
            return Tr("Distance");
        default:
            return QString::fromStdString(TitreColonneFacteurs(m_points, section));
        }
    }
    if (role == Qt::TextAlignmentRole) {
        return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == RoleBrut && section > 0) {
        return headerData(section, orientation, Qt::DisplayRole).toString() + Tr(" (valeur)");
    }
    return {};
}

} // namespace morvix::ui
