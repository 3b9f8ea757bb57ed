#include "sections/VueCarte.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "sections/CarteSections.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <limits>

namespace morvix::ui {

namespace {

// Type sizes of the map in pixels (6 and 8 points at 96 dots per inch), so that the screen
// and every picture made from it draw alike.
constexpr int kPixelsNumero = 8;
constexpr int kPixelsEntete = 11;
// The widest outline reaches this far out of its box.
constexpr int kDebordTrait = 2;

QFont police(int pixels) {
    QFont f;
    f.setPixelSize(pixels);
    return f;
}

// Text with its top-left corner at (x, y), on a transparent ground.
void texte(QPainter &p, int x, int y, const QString &t) {
    p.drawText(QRect(x, y, 100000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t);
}

} // namespace

void DessineCarte(QPainter &p, const CarteSections &carte, const QRect &zoneDonnee) {
    const DispositionCarte &d = carte.Disposition();
    const QRect zone = zoneDonnee.isNull() ? QRect(0, 0, d.Largeur(), d.Hauteur()) : zoneDonnee;
    p.save();
    p.fillRect(zone, Qt::white);
    p.setBackgroundMode(Qt::TransparentMode);

    if (const Partition *partition = carte.LaPartition()) {
        p.setFont(police(kPixelsEntete));
        const QColor rouge = CouleurQt(kRouge);
        const QString cle = DeCp1252(partition->Base().RetourneGraphie(partition->Cle, false));
        const int largeurCle = p.fontMetrics().horizontalAdvance(cle);
        for (const EnteteTranche &e : d.Entetes()) {
            if (e.y + kPixelsEntete < zone.top() || e.y - kPixelsEntete > zone.bottom()) {
                continue;
            }
            p.setPen(QPen(rouge, 1));
            texte(p, 20, e.y - 3, cle);
            p.drawLine(20 + largeurCle + 2, e.y + 2, d.XFin(), e.y + 2);
            texte(p, d.XFin() + 5, e.y - 3, DeCp1252(partition->Libelle(e.partie)));
        }
    }

    const int32_t t = d.TailleBoite();
    const auto [premier, fin] = d.Exposees(zone.top(), zone.bottom(), kDebordTrait);
    for (int32_t s = premier; s < fin; ++s) {
        const int x = d.X(s);
        const int y = d.Y(s);
        if (x > zone.right() + kDebordTrait || x + t < zone.left() - kDebordTrait) {
            continue;
        }
        const StyleBoite st = carte.Style(s);
        QPen trait(CouleurQt(st.trait), st.epaisseur);
        trait.setJoinStyle(Qt::MiterJoin);
        p.setPen(trait);
        p.setBrush(CouleurQt(st.fond));
        // The outline runs along the square's edge pixels, centred on them when wider.
        p.drawRect(QRectF(x + 0.5, y + 0.5, t - 1, t - 1));
        if (st.interieur && st.x2 > st.x1 && st.y2 > st.y1) {
            p.setPen(Qt::NoPen);
            p.setBrush(CouleurQt(st.couleurInterieur));
            p.drawRect(QRect(st.x1, st.y1, st.x2 - st.x1, st.y2 - st.y1));
        }
    }

    p.setFont(police(kPixelsNumero));
    p.setPen(Qt::black);
    for (const NumeroRangee &n : d.Numeros()) {
        if (n.y + kPixelsNumero >= zone.top() && n.y <= zone.bottom()) {
            texte(p, n.x, n.y, QString::number(n.numero));
        }
    }
    p.restore();
}

VueCarte::VueCarte(const CarteSections &carte, QWidget *parent) : QWidget(parent), m_carte(carte) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    Actualise();
}

QSize VueCarte::sizeHint() const {
    return {m_carte.Disposition().Largeur(), m_carte.Disposition().Hauteur()};
}

void VueCarte::Actualise() {
    setFixedSize(sizeHint());
    update();
}

void VueCarte::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    DessineCarte(p, m_carte, event->rect());
}

void VueCarte::mousePressEvent(QMouseEvent *event) {
    const QPoint pt = event->position().toPoint();
    const int32_t s = m_carte.Disposition().Touche(pt.x(), pt.y());
    if (s >= 0) {
        Q_EMIT Clic(s, event->modifiers() & Qt::ShiftModifier,
                    event->modifiers() & Qt::ControlModifier);
    }
    QWidget::mousePressEvent(event);
}

void VueCarte::contextMenuEvent(QContextMenuEvent *event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PmnCarte"));
    connect(menu.addAction(Tr("Enregistrer l'image...")), &QAction::triggered, this,
            &VueCarte::ExportDemande);
    menu.exec(event->globalPos());
}

} // namespace morvix::ui
