#include "segments/ModeleSR.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "segments/SegRep.h"

#include <algorithm>
#include <numeric>

namespace morvix::ui {

ModeleSR::ModeleSR(const charg1 &base, const SegRep &store, QObject *parent)
    : QAbstractTableModel(parent), m_base(base), m_store(store),
      m_ordre(static_cast<size_t>(store.NbSegments())), m_couleur(kSansCouleur) {
    std::iota(m_ordre.begin(), m_ordre.end(), 0);
}

int ModeleSR::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_ordre.size());
}

int ModeleSR::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

int32_t ModeleSR::Code(int32_t ligne) const { return m_base.Nbart() + 1 + Segment(ligne); }

QVariant ModeleSR::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int32_t s = Segment(index.row());
    const morvix::Segment &seg = m_store.Segs[static_cast<size_t>(s)];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColLg:
            return QString::number(seg.Formes.size());
        case ColSegment:
            return DeCp1252(m_store.RetourneGraphie(s));
        default:
            return QString::number(seg.Frq);
        }
    case Qt::TextAlignmentRole:
        if (index.column() != ColSegment) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    case RoleCode:
        return Code(index.row());
    default:
        return {};
    }
}

QVariant ModeleSR::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ColLg:
        return Tr("Lg");
    case ColSegment:
        return Tr("Segment");
    default:
        return Tr("Frq");
    }
}

Qt::ItemFlags ModeleSR::flags(const QModelIndex &index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void ModeleSR::Trie(Colonne colonne) {
    const ColonneSR c = colonne == ColLg        ? ColonneSR::Lg
                        : colonne == ColSegment ? ColonneSR::Segment
                                                : ColonneSR::Frq;
    beginResetModel();
    m_ordre = OrdreSegments(m_store, c);
    endResetModel();
}

QStringList ModeleSR::mimeTypes() const { return {QString::fromLatin1(kFormatMorvix)}; }

QMimeData *ModeleSR::mimeData(const QModelIndexList &indexes) const {
    return GroupeDesLignes(indexes, m_source, std::string(), m_couleur,
                           [this](int ligne) { return Code(ligne); });
}

} // namespace morvix::ui
