#include "Pastille.h"

#include "Interaction.h"
#include "Texte.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvix::ui {

Pastille::Pastille(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ShPastille"));
    setCursor(Qt::PointingHandCursor);
}

void Pastille::SetCouleur(uint32_t couleur) {
    if (couleur == m_couleur) {
        return;
    }
    m_couleur = couleur;
    update();
    Q_EMIT CouleurChangee(couleur);
}

bool Pastille::ChoisitCouleur() {
    const std::optional<QColor> choix = Interactions().choisitCouleur(this, CouleurQt(m_couleur));
    if (!choix) {
        return false;
    }
    SetCouleur(CouleurBgr(*choix));
    return true;
}

void Pastille::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), CouleurQt(m_couleur));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Pastille::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        ChoisitCouleur();
    }
}

} // namespace morvix::ui
