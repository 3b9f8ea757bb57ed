#include "dictionary/ModeleDico.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"

#include <algorithm>
#include <numeric>

namespace morvix::ui {

ModeleDico::ModeleDico(const charg1 &base, QObject *parent)
    : QAbstractTableModel(parent), m_base(base),
      m_ordre(static_cast<size_t>(base.Nbform() + base.Nbartponct())) {
    std::iota(m_ordre.begin(), m_ordre.end(), 0);
}

int ModeleDico::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbLignesDic();
}

int ModeleDico::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

QVariant ModeleDico::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= NbLignesDic()) {
        return {};
    }
    const int32_t code = Code(index.row());
    switch (role) {
    case Qt::DisplayRole: {
        const Lexm lexm = m_base.RetourneLexm(code);
        if (index.column() == ColForme) {
            return DeCp1252(lexm.graphie != nullptr ? lexm.graphie : "");
        }
        return QString::number(lexm.frq);
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

QVariant ModeleDico::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    if (section == ColForme) {
        return m_alpha ? Tr("Formes (ordre lexicographique)") : Tr("Formes (ordre lexicométrique)");
    }
    return Tr("Fréquence");
}

Qt::ItemFlags ModeleDico::flags(const QModelIndex &index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

int32_t ModeleDico::Ligne(int32_t code) const {
    if (!m_alpha) {
        return code >= 0 && code < NbLignesDic() ? code : -1;
    }
    if (code >= 0 && code < m_base.Nbform()) {
        return m_base.Lexg(code);
    }
    return code >= m_base.Nbform() && code < NbLignesDic() ? code : -1;
}

void ModeleDico::SetTriAlphabetique(bool alpha) {
    beginResetModel();
    m_alpha = alpha;
    std::iota(m_ordre.begin(), m_ordre.end(), 0);
    if (alpha) {
        for (int32_t k = 0; k < m_base.Nbform(); ++k) {
            const int32_t rang = m_base.Lexg(k);
            if (rang >= 0 && rang < m_base.Nbform()) {
                m_ordre[static_cast<size_t>(rang)] = k;
            }
        }
    }
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, ColForme, ColForme);
}

QStringList ModeleDico::mimeTypes() const { return {QString::fromLatin1(kFormatMorvix)}; }

QMimeData *ModeleDico::mimeData(const QModelIndexList &indexes) const {
    return GroupeDesLignes(indexes, m_source, std::string(), m_couleur,
                           [this](int ligne) { return Code(ligne); });
}

} // namespace morvix::ui
