#include "partitions/ModeleSpecGrp.h"

#include "ExportTableau.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "partitions/TextesPartition.h"

#include <algorithm>

namespace morvix::ui {

ModeleSpecGrp::ModeleSpecGrp(const charg1 &base, const std::vector<ResSpec> &resultats,
                             QObject *parent)
    : QAbstractTableModel(parent), m_base(base), m_resultats(resultats) {}

void ModeleSpecGrp::SetPositives(bool positives) {
    if (positives == m_positives) {
        return;
    }
    beginResetModel();
    m_positives = positives;
    endResetModel();
}

const ResSpec &ModeleSpecGrp::Resultat(int32_t ligne) const {
    const auto i = static_cast<size_t>(ligne);
    return m_positives ? m_resultats[i] : m_resultats[m_resultats.size() - 1 - i];
}

int ModeleSpecGrp::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_resultats.size());
}

int ModeleSpecGrp::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

QVariant ModeleSpecGrp::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const ResSpec &r = Resultat(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColTerme:
            return DeCp1252(m_base.RetourneGraphie(r.Code, false));
        case ColFrqTot:
            return r.F;
        case ColFrqPartie:
            return r.k;
        case ColSpecif:
            return QString::fromStdString(TexteCoeffListe(r.Coeff));
        default:
            return {};
        }
    case RoleBrut:
        return index.column() == ColSpecif ? QVariant(r.Coeff) : QVariant();
    case RoleCode:
        return r.Code;
    case Qt::TextAlignmentRole:
        return index.column() == ColTerme ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeleSpecGrp::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == RoleBrut) {
        return section == ColSpecif ? QVariant(Tr("Spécif (valeur)")) : QVariant();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ColTerme:
        return Tr("Terme");
    case ColFrqTot:
        return Tr("Frq Tot.");
    case ColFrqPartie:
        return Tr("Frq Partie");
    case ColSpecif:
        return Tr("Spécif");
    default:
        return {};
    }
}

Qt::ItemFlags ModeleSpecGrp::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                           : Qt::NoItemFlags;
}

QStringList ModeleSpecGrp::mimeTypes() const { return {QString::fromLatin1(kFormatMorvix)}; }

QMimeData *ModeleSpecGrp::mimeData(const QModelIndexList &indexes) const {
    return GroupeDesLignes(indexes, m_source, std::string(), m_couleur,
                           [this](int ligne) { return Resultat(ligne).Code; });
}

} // namespace morvix::ui
