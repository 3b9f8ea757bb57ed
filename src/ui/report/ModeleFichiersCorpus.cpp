#include "report/ModeleFichiersCorpus.h"

#include "Texte.h"
#include "Traduction.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace morvix::ui {

ModeleFichiersCorpus::ModeleFichiersCorpus(QObject *parent) : QAbstractTableModel(parent) {}

int ModeleFichiersCorpus::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fichiers.size());
}

int ModeleFichiersCorpus::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

QString ModeleFichiersCorpus::TexteType(int32_t type) {
    switch (type) {
    case kFicTexte:
        return Tr("Texte");
    case kFicWord:
    case kFicWordXml:
        return Tr("Doc. Word");
    case kFicOdt:
        return Tr("Doc. OpenDocument");
    default:
        return Tr("Inconnu");
    }
}

QVariant ModeleFichiersCorpus::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= m_fichiers.size()) {
        return {};
    }
    const Fic &f = m_fichiers[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColNom:
            return DeCp1252(f.Nom);
        case ColChemin:
            return DeCheminNatif(f.Chemin);
        case ColType:
            return TexteType(f.Type);
        default:
            return QString::number(f.Taille);
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == ColTaille) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::DecorationRole && index.column() == ColNom) {
        const QStyle::StandardPixmap image = f.Type == kFicTexte ? QStyle::SP_FileIcon
                                             : f.EstDocument()   ? QStyle::SP_FileDialogDetailedView
                                                                 : QStyle::SP_MessageBoxQuestion;
        return QApplication::style()->standardIcon(image);
    }
    return {};
}

QVariant ModeleFichiersCorpus::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ColNom:
        return Tr("Nom");
    case ColChemin:
        return Tr("Chemin");
    case ColType:
        return Tr("Type");
    default:
        return Tr("Taille");
    }
}

bool ModeleFichiersCorpus::Ajoute(const std::string &chemin) {
    if (std::any_of(m_fichiers.begin(), m_fichiers.end(),
                    [&](const Fic &f) { return f.Chemin == chemin; })) {
        return false;
    }
    const int ligne = static_cast<int>(m_fichiers.size());
    beginInsertRows({}, ligne, ligne);
    m_fichiers.emplace_back(chemin);
    endInsertRows();
    return true;
}

} // namespace morvix::ui
