// Draws a part cell of the per-part specificity table: the frequency at the left and, when
// the code is specific there, the coefficient at the right, red when positive and blue when
// negative.
#pragma once

#include <QStyledItemDelegate>

namespace morvix::ui {

class DelegueTableSpec : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *peintre, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace morvix::ui
