#include "partitions/ModeleChrono.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpecChr.h"
#include "partitions/TextesPartition.h"

#include <QBrush>
#include <QColor>

namespace morvix::ui {

ModeleChrono::ModeleChrono(const Partition &partition, QObject *parent)
    : QAbstractTableModel(parent), m_partition(partition) {}

void ModeleChrono::SetChrono(const PrimSpecChr *chrono) {
    beginResetModel();
    m_chrono = chrono;
    endResetModel();
}

void ModeleChrono::Actualise() {
    beginResetModel();
    endResetModel();
}

int ModeleChrono::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || m_chrono == nullptr ? 0 : m_chrono->NbResultats();
}

int ModeleChrono::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kNbColonnesChrono;
}

QVariant ModeleChrono::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || m_chrono == nullptr) {
        return {};
    }
    const ResSpecChr &r = m_chrono->Resultat(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kChronoForme:
            return DeCp1252(m_partition.Base().RetourneGraphie(r.Code, false));
        case kChronoF:
            // Segments have their frequency from the segment store.
            return m_chrono->FrqTotale(r.Code);
        case kChronof:
            return r.f;
        case kChronoCoeff:
            return r.Coeff;
        case kChronoParties:
            return DeCp1252(TexteTranche(m_partition, r));
        default:
            return {};
        }
    case Qt::BackgroundRole:
        return QBrush(index.row() % 2 == 0 ? QColor(0xC0, 0xDC, 0xC0) : QColor(Qt::white));
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::TextAlignmentRole:
        return index.column() >= kChronoF && index.column() <= kChronoCoeff
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeleChrono::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case kChronoForme:
        return Tr("Formes/SR");
    case kChronoF:
        return QStringLiteral("F");
    case kChronof:
        return QStringLiteral("f");
    case kChronoCoeff:
        return Tr("coeff");
    case kChronoParties:
        return Tr("Partie(s)");
    default:
        return {};
    }
}

} // namespace morvix::ui
