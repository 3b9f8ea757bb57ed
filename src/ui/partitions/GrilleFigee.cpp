#include "partitions/GrilleFigee.h"

#include <QHeaderView>
#include <QScrollBar>

namespace morvix::ui {

GrilleFigee::GrilleFigee(QWidget *parent) : QTableView(parent), m_figee(new QTableView(this)) {
    m_figee->setObjectName(QStringLiteral("ColonneFigee"));
    m_figee->setFocusPolicy(Qt::NoFocus);
    m_figee->verticalHeader()->hide();
    m_figee->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_figee->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_figee->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_figee->setVerticalScrollMode(ScrollPerPixel);
    m_figee->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(m_figee);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    verticalHeader()->hide();
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int largeur) {
                if (section == 0) {
                    m_figee->setColumnWidth(0, largeur);
                    metAJourGeometrie();
                }
            });
    connect(m_figee->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_figee->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void GrilleFigee::setModel(QAbstractItemModel *modele) {
    QTableView::setModel(modele);
    m_figee->setModel(modele);
    m_figee->setSelectionModel(selectionModel());
    connect(modele, &QAbstractItemModel::modelReset, this, [this] { cacheColonnes(); });
    connect(modele, &QAbstractItemModel::layoutChanged, this, [this] { cacheColonnes(); });
    connect(modele, &QAbstractItemModel::columnsInserted, this, [this] { cacheColonnes(); });
    cacheColonnes();
}

void GrilleFigee::SetHauteurLigne(int hauteur) {
    for (QTableView *v : {static_cast<QTableView *>(this), m_figee}) {
        v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        v->verticalHeader()->setDefaultSectionSize(hauteur);
    }
}

void GrilleFigee::cacheColonnes() {
    if (model() == nullptr) {
        return;
    }
    for (int c = 0; c < model()->columnCount(); ++c) {
        m_figee->setColumnHidden(c, c != 0);
    }
    m_figee->setColumnWidth(0, columnWidth(0));
    metAJourGeometrie();
}

void GrilleFigee::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    metAJourGeometrie();
}

void GrilleFigee::metAJourGeometrie() {
    m_figee->setGeometry(
        verticalHeader()->isVisible() ? verticalHeader()->width() + frameWidth() : frameWidth(),
        frameWidth(), columnWidth(0), viewport()->height() + horizontalHeader()->height());
}

QModelIndex GrilleFigee::moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) {
    const QModelIndex courant = QTableView::moveCursor(action, modificateurs);
    if (action == MoveLeft && courant.column() > 0 &&
        visualRect(courant).topLeft().x() < m_figee->columnWidth(0)) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        visualRect(courant).topLeft().x() -
                                        m_figee->columnWidth(0));
    }
    return courant;
}

void GrilleFigee::scrollTo(const QModelIndex &index, ScrollHint hint) {
    if (index.column() > 0) {
        QTableView::scrollTo(index, hint);
    }
}

} // namespace morvix::ui
