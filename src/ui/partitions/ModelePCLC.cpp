#include "partitions/ModelePCLC.h"

#include "ExportTableau.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/Partition.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace morvix::ui {

namespace {

// The tick of a ticked part, on a transparent background.
QPixmap dessineCoche() {
    QPixmap p(12, 12);
    p.fill(Qt::transparent);
    QPainter peintre(&p);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(QPen(QColor(0, 128, 0), 2));
    peintre.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(5, 9), QPointF(10, 3)}));
    return p;
}

} // namespace

ModelePCLC::ModelePCLC(const Partition &partition, QObject *parent)
    : QAbstractTableModel(parent), m_partition(partition), m_cochee(&partition.Cochee),
      m_selec(&partition.Selec), m_coche(dessineCoche()) {}

int ModelePCLC::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_partition.NbParties;
}

int ModelePCLC::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : NbColonnes;
}

QVariant ModelePCLC::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int32_t q = index.row();
    const auto i = static_cast<size_t>(q);
    const bool cochee = (*m_cochee)[i];
    const bool selec = (*m_selec)[i];
    switch (role) {
    case Qt::DisplayRole:
    case RoleBrut:
        switch (index.column()) {
        case ColCoche:
            // The tick is a picture; the export gets it as a raw column of its own.
            return role == RoleBrut ? QVariant(cochee ? 1 : 0) : QVariant(QString());
        case ColNum:
            return q + 1;
        case ColPartie:
            return DeCp1252(m_partition.Libelle(q));
        case ColOcc:
            return m_partition.Taille[i];
        case ColFormes:
            return m_partition.NbFormes[i];
        case ColHapax:
            return m_partition.NbHapax[i];
        case ColFmax:
            return m_partition.FmaxPartie[i];
        case ColForme:
            // A part without forms has no most frequent form.
            return m_partition.FmaxPartie[i] > 0 ? DeCp1252(m_partition.Base().RetourneGraphie(
                                                       m_partition.FormeFmax[i], false))
                                                 : QString();
        default:
            return {};
        }
    case Qt::DecorationRole:
        return index.column() == ColCoche && cochee ? QVariant(m_coche) : QVariant();
    case Qt::BackgroundRole:
        return selec ? QVariant(QApplication::palette().brush(QPalette::Highlight)) : QVariant();
    case Qt::ForegroundRole:
        return selec ? QVariant(QApplication::palette().brush(QPalette::HighlightedText))
                     : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= ColOcc && index.column() <= ColFmax
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::AccessibleTextRole:
        if (index.column() == ColCoche) {
            return cochee ? Tr("cochée") : Tr("non cochée");
        }
        return {};
    default:
        return {};
    }
}

QVariant ModelePCLC::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == RoleBrut) {
        return section == ColCoche ? QVariant(Tr("Cochée")) : QVariant();
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case ColCoche:
        return QString();
    case ColNum:
        return Tr("Num");
    case ColPartie:
        return Tr("Partie");
    case ColOcc:
        return Tr("Occurences");
    case ColFormes:
        return Tr("Formes");
    case ColHapax:
        return Tr("Hapax");
    case ColFmax:
        return Tr("Fmax");
    case ColForme:
        return Tr("Forme");
    default:
        return {};
    }
}

void ModelePCLC::SetDrapeaux(const std::vector<bool> *cochee, const std::vector<bool> *selec) {
    m_cochee = cochee != nullptr ? cochee : &m_partition.Cochee;
    m_selec = selec != nullptr ? selec : &m_partition.Selec;
    Actualise();
}

void ModelePCLC::Actualise() {
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, NbColonnes - 1));
    }
}

} // namespace morvix::ui
