#include "afc/VueCarteAFC.h"

#include "Interaction.h"
#include "Texte.h"
#include "afc/TListePoints.h"
#include "partitions/Partition.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStaticText>

namespace morvix::ui {

namespace {

// The map's pale yellow, the hint colour of the platform.
const QColor kFondCarte(0xFF, 0xFF, 0xE1);
const QColor kAxes(0x00, 0x80, 0x00);
const uint32_t kHachures = 0x6666FF;
// Changed parts beyond this many repaint the whole map rather than box by box.
constexpr size_t kMaxBoitesRepeintes = 200;

QRect rectBoite(const Boite &b) { return {b.x, b.y, b.l, b.h}; }

} // namespace

VueCarteAFC::VueCarteAFC(Partition &partition, TListePoints &points, QWidget *parent)
    : QWidget(parent), m_partition(partition), m_points(points),
      m_elastique(new QRubberBand(QRubberBand::Rectangle, this)) {
    setObjectName(QStringLiteral("Carte"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(60, 60);
    m_actionImage = ActionExportImage(this, Dessin(), QStringLiteral("carte-afc.svg"));
}

void VueCarteAFC::SetLibelles(std::vector<std::string> libelles) {
    m_libelles = std::move(libelles);
    const QFontMetrics fm(font());
    m_textes.resize(m_libelles.size());
    m_tailles.resize(m_libelles.size());
    // Laid out once: painting thousands of labels then costs no text shaping.
    for (size_t j = 0; j < m_libelles.size(); ++j) {
        m_textes[j] = QStaticText(DeCp1252(m_libelles[j]));
        m_textes[j].setTextFormat(Qt::PlainText);
        m_textes[j].prepare(QTransform(), font());
        m_tailles[j] = {fm.horizontalAdvance(m_textes[j].text()), fm.height()};
    }
    Actualise();
}

void VueCarteAFC::Actualise() {
    Dispose();
    update();
}

void VueCarteAFC::Dispose() { m_carte.Dispose(m_points, width(), height(), m_tailles); }

void VueCarteAFC::SetMode(ModeCarte mode) {
    m_mode = mode;
    setCursor(mode == ModeCarte::Coloriage ? Qt::PointingHandCursor : Qt::CrossCursor);
}

void VueCarteAFC::Dessine(QPainter &p, const QRect &zone) const {
    p.fillRect(zone, kFondCarte);
    const int W = width(), H = height();
    const EchelleCarte &e = m_carte.Echelle();
    p.setPen(QPen(kAxes, 2));
    // The vertical axis, with the ticks of the vertical factor on it; then the horizontal.
    const int ax = m_carte.AxeVertical(), ay = m_carte.AxeHorizontal();
    p.drawLine(ax, 0, ax, H);
    p.drawLine(0, ay, W, ay);
    for (const Graduation &g : m_carte.GraduationsX()) {
        const int x = e.PixelX(g.Valeur);
        if (x >= zone.left() - 2 && x <= zone.right() + 2) {
            p.drawLine(x, g.Longue ? ay - 3 : ay, x, ay + 3);
        }
    }
    for (const Graduation &g : m_carte.GraduationsY()) {
        const int y = e.PixelY(g.Valeur);
        if (y >= zone.top() - 2 && y <= zone.bottom() + 2) {
            p.drawLine(g.Longue ? ax - 3 : ax, y, ax + 3, y);
        }
    }
    const auto &boites = m_carte.Boites();
    const QBrush hachures(CouleurQt(kHachures), Qt::FDiagPattern);
    const QPen bordSelection(QColor(0, 0, 255), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen bord(Qt::black, 1);
    p.setFont(font());
    for (size_t j = 0; j < boites.size(); ++j) {
        const QRect r = rectBoite(boites[j]);
        if (!r.intersects(zone)) {
            continue;
        }
        if (m_partition.Cochee[j]) {
            p.fillRect(r, CouleurQt(m_partition.Couleurs[j]));
        } else {
            p.fillRect(r, kFondCarte);
            p.fillRect(r, hachures);
        }
        if (m_partition.Selec[j]) {
            p.setPen(bordSelection);
            p.drawRect(r.adjusted(1, 1, -2, -2));
            p.setPen(bord);
        } else {
            p.setPen(bord);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        if (j < m_textes.size()) {
            p.drawStaticText(r.x() + 3, r.y() + 3, m_textes[j]);
        }
    }
}

DessinExport VueCarteAFC::Dessin() {
    return {[this] { return size(); }, [this](QPainter &p) { Dessine(p, rect()); }};
}

void VueCarteAFC::paintEvent(QPaintEvent *event) {
    QPainter p(this);
    Dessine(p, event->rect());
}

void VueCarteAFC::resizeEvent(QResizeEvent *) { Dispose(); }

VueCarteAFC::Etat VueCarteAFC::EtatParties() const {
    return {m_partition.Selec, m_partition.Cochee, m_partition.Couleurs};
}

void VueCarteAFC::RepeintChangees(const Etat &avant) {
    std::vector<size_t> changees;
    for (size_t j = 0; j < m_carte.Boites().size() && j < avant.selec.size(); ++j) {
        if (avant.selec[j] != m_partition.Selec[j] || avant.cochee[j] != m_partition.Cochee[j] ||
            avant.couleurs[j] != m_partition.Couleurs[j]) {
            changees.push_back(j);
        }
    }
    if (changees.size() > kMaxBoitesRepeintes) {
        update();
        return;
    }
    // Overlapping boxes are painted in part order: repaint each changed box whole.
    for (size_t j : changees) {
        update(rectBoite(m_carte.Boites()[j]));
    }
}

void VueCarteAFC::mousePressEvent(QMouseEvent *event) {
    m_coin1 = m_coin2 = event->position().toPoint();
    m_enfonce = true;
    m_bouton = event->button();
}

void VueCarteAFC::mouseMoveEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    if (m_enfonce && event->buttons() != Qt::NoButton) {
        m_coin2 = pos;
        m_elastique->setGeometry(QRect(m_coin1, m_coin2).normalized());
        m_elastique->show();
        return;
    }
    const std::vector<int32_t> sous = m_carte.SousPixel(pos.x(), pos.y());
    Q_EMIT Survol(DeCp1252(TexteSurvol(m_points, sous, m_libelles)));
}

void VueCarteAFC::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_enfonce) {
        return;
    }
    m_enfonce = false;
    m_elastique->hide();
    if (!PartitionLibre()) {
        Bip();
        return;
    }
    const QPoint fin = event->position().toPoint();
    const std::vector<int32_t> touchees =
        m_carte.Touchees(m_coin1.x(), m_coin1.y(), fin.x(), fin.y());
    const Etat avant = EtatParties();
    AppliqueClicCarte(m_partition, touchees, m_mode, m_bouton == Qt::LeftButton,
                      event->modifiers().testFlag(Qt::ControlModifier), m_couleur);
    RepeintChangees(avant);
    Q_EMIT PartiesModifiees();
}

void VueCarteAFC::contextMenuEvent(QContextMenuEvent *event) {
    // The right button ticks and unticks parts; the picture is saved from Shift+right click
    // or from the keyboard's menu key.
    if (event->reason() == QContextMenuEvent::Mouse &&
        !event->modifiers().testFlag(Qt::ShiftModifier)) {
        return;
    }
    QMenu menu(this);
    menu.addAction(m_actionImage);
    menu.exec(event->globalPos());
}

} // namespace morvix::ui
