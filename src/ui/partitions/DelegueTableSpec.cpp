#include "partitions/DelegueTableSpec.h"

#include "partitions/ModeleTableSpec.h"

#include <QPainter>

namespace morvix::ui {

void DelegueTableSpec::paint(QPainter *peintre, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const {
    const QVariant coeff = index.data(ModeleTableSpec::RoleCoeff);
    if (!coeff.isValid()) {
        QStyledItemDelegate::paint(peintre, option, index);
        return;
    }
    peintre->save();
    const bool choisie = option.state & QStyle::State_Selected;
    peintre->fillRect(option.rect, choisie ? option.palette.highlight()
                                           : index.data(Qt::BackgroundRole).value<QBrush>());
    peintre->setFont(option.font);
    const QRect texte = option.rect.adjusted(2, 0, -1, 0);
    peintre->setPen(choisie ? option.palette.highlightedText().color() : QColor(Qt::black));
    peintre->drawText(texte, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    const int c = coeff.toInt();
    if (c != 0) {
        peintre->setPen(c > 0 ? QColor(255, 0, 0) : QColor(0, 0, 255));
        peintre->drawText(texte, Qt::AlignRight | Qt::AlignVCenter,
                          index.data(ModeleTableSpec::RoleTexteCoeff).toString());
    }
    peintre->restore();
}

} // namespace morvix::ui
