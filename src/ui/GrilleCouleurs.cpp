#include "GrilleCouleurs.h"

#include "Texte.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvix::ui {

GrilleCouleurs::GrilleCouleurs(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GrilleCoul"));
    setMinimumSize(24, 64);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GrilleCouleurs::SetIndexAvant(int index) {
    if (index >= 0 && index < 16 && index != m_avant) {
        m_avant = index;
        update();
    }
}

QRect GrilleCouleurs::RectCase(int index) const {
    const int l = width() / 2, h = height() / 8;
    return {(index % 2) * l, (index / 2) * h, l, h};
}

int GrilleCouleurs::CaseA(const QPoint &p) const {
    for (int i = 0; i < 16; ++i) {
        if (RectCase(i).contains(p)) {
            return i;
        }
    }
    return -1;
}

void GrilleCouleurs::paintEvent(QPaintEvent *) {
    QPainter p(this);
    for (int i = 0; i < 16; ++i) {
        const QRect r = RectCase(i).adjusted(1, 1, -1, -1);
        p.fillRect(r, CouleurQt(kCouleursGrille[i]));
        p.setPen(Qt::gray);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    // The foreground colour is framed.
    const QRect r = RectCase(m_avant).adjusted(1, 1, -2, -2);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(r);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.drawRect(r.adjusted(2, 2, -2, -2));
}

void GrilleCouleurs::mousePressEvent(QMouseEvent *event) {
    const int i = CaseA(event->position().toPoint());
    if (i < 0 || event->button() != Qt::LeftButton) {
        return;
    }
    SetIndexAvant(i);
    Q_EMIT CouleurChoisie(Avant());
}

} // namespace morvix::ui
