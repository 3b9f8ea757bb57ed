#include "concordance/VueConcordance.h"

#include "Texte.h"
#include "concordance/ConcordanceDocuments.h"
#include "mainwindow/DragObjects.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace morvix::ui {

namespace {

constexpr int kMarge = 4;
constexpr int kDistanceGlissement = 20;

QFont policeConcordance() {
    QFont police(QStringLiteral("Courier New"));
    police.setStyleHint(QFont::Monospace);
    police.setFixedPitch(true);
    police.setPointSize(10);
    return police;
}

} // namespace

VueConcordance::VueConcordance(QWidget *parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ConcorEdit"));
    setFont(policeConcordance());
    m_gras = font();
    m_gras.setBold(true);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    viewport()->setPalette(p);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    verticalScrollBar()->setSingleStep(1);
    m_couleurPole = Qt::black;
}

void VueConcordance::SetDocument(std::shared_ptr<const DocumentConcordance> document,
                                 uint32_t couleurPole) {
    m_document = std::move(document);
    m_couleurPole = CouleurQt(couleurPole == kSansCouleur ? 0 : couleurPole);
    m_lignes.clear();
    m_colonnesMax = 0;
    if (m_document) {
        const auto &elements = m_document->elements;
        m_lignes.reserve(elements.size() + 16);
        for (size_t i = 0; i < elements.size(); ++i) {
            const ElementDocument &e = elements[i];
            size_t longueur = 0;
            if (e.entete) {
                m_lignes.push_back(-1);
                longueur = e.libelle.size() + 48;
            } else {
                longueur = e.ligne.gauche.size() + e.ligne.pole.size() + e.ligne.droite.size() + 2;
            }
            m_lignes.push_back(static_cast<int32_t>(i));
            m_colonnesMax = std::max(m_colonnesMax, static_cast<int32_t>(longueur));
        }
    }
    m_ancre = m_curseur = Curseur();
    m_glissementEnAttente = false;
    m_selectionEnCours = false;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    majDefilement();
    viewport()->update();
}

void VueConcordance::Vide() { SetDocument(nullptr, 0); }

QString VueConcordance::TexteLigne(int32_t ligne) const {
    if (ligne < 0 || ligne >= NbLignes() || m_lignes[static_cast<size_t>(ligne)] < 0) {
        return {};
    }
    const auto &e = m_document->elements[static_cast<size_t>(m_lignes[static_cast<size_t>(ligne)])];
    return DeCp1252(LigneAffichage(e).texte);
}

bool VueConcordance::EstEntete(int32_t ligne) const {
    if (ligne < 0 || ligne >= NbLignes() || m_lignes[static_cast<size_t>(ligne)] < 0) {
        return false;
    }
    return m_document->elements[static_cast<size_t>(m_lignes[static_cast<size_t>(ligne)])].entete;
}

std::pair<int32_t, int32_t> VueConcordance::PlagePole(int32_t ligne) const {
    if (ligne < 0 || ligne >= NbLignes() || m_lignes[static_cast<size_t>(ligne)] < 0) {
        return {0, 0};
    }
    const LigneAffichee l = LigneAffichage(
        m_document->elements[static_cast<size_t>(m_lignes[static_cast<size_t>(ligne)])]);
    return {static_cast<int32_t>(l.debutPole), static_cast<int32_t>(l.longueurPole)};
}

QColor VueConcordance::CouleurPole() const { return m_couleurPole; }

int VueConcordance::hauteurLigne() const { return std::max(1, fontMetrics().height()); }

qreal VueConcordance::largeurCar() const {
    // Fractional: rounded, the columns would drift from the text Qt lays out.
    return std::max<qreal>(1, QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M')));
}

void VueConcordance::majDefilement() {
    const int visibles = std::max(1, viewport()->height() / hauteurLigne());
    verticalScrollBar()->setRange(0, std::max(0, NbLignes() - visibles));
    verticalScrollBar()->setPageStep(visibles);
    const int largeur = 2 * kMarge + static_cast<int>(std::ceil(m_colonnesMax * largeurCar()));
    horizontalScrollBar()->setRange(0, std::max(0, largeur - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(largeurCar())));
}

void VueConcordance::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    majDefilement();
}

void VueConcordance::paintEvent(QPaintEvent *) {
    QPainter p(viewport());
    const int h = hauteurLigne();
    const qreal cw = largeurCar();
    const int x0 = kMarge - horizontalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    const Curseur debut = DebutSelection(), fin = FinSelection();
    const QColor fondSelection = palette().color(QPalette::Highlight);
    const QColor texteSelection = palette().color(QPalette::HighlightedText);
    const int32_t premiere = verticalScrollBar()->value();
    for (int32_t i = premiere, y = 0; i < NbLignes() && y < viewport()->height(); ++i, y += h) {
        const int32_t item = m_lignes[static_cast<size_t>(i)];
        if (item < 0) {
            continue;
        }
        const ElementDocument &e = m_document->elements[static_cast<size_t>(item)];
        const LigneAffichee l = LigneAffichage(e);
        const QString texte = DeCp1252(l.texte);
        // Pieces of the line: [0, pole), pole, [after pole, end); headers are one bold piece.
        struct Morceau {
            int debut, fin;
            bool gras;
            QColor couleur;
        };
        std::vector<Morceau> morceaux;
        const int n = static_cast<int>(texte.size());
        if (e.entete) {
            morceaux.push_back({0, n, true, Qt::black});
        } else {
            const int a = static_cast<int>(l.debutPole);
            const int b = a + static_cast<int>(l.longueurPole);
            morceaux.push_back({0, a, false, Qt::black});
            morceaux.push_back({a, b, true, m_couleurPole});
            morceaux.push_back({b, n, false, Qt::black});
        }
        // Selected columns of this line.
        int selA = 0, selB = 0;
        if (debut < fin && i >= debut.ligne && i <= fin.ligne) {
            selA = i == debut.ligne ? debut.colonne : 0;
            selB = i == fin.ligne ? fin.colonne : n + 1;
            p.fillRect(QRectF(x0 + selA * cw, y, (std::min(selB, n + 1) - selA) * cw, h),
                       fondSelection);
        }
        for (const Morceau &m : morceaux) {
            if (m.fin <= m.debut) {
                continue;
            }
            p.setFont(m.gras ? m_gras : font());
            // Character by column: the font is fixed-pitch, bold included, but drawing each
            // piece at its column keeps the columns exact whatever the font found.
            for (int c = m.debut; c < m.fin;) {
                const bool dans = c >= selA && c < selB;
                int f = c + 1;
                while (f < m.fin && ((f >= selA && f < selB) == dans)) {
                    ++f;
                }
                p.setPen(dans ? texteSelection : m.couleur);
                p.drawText(QPointF(x0 + c * cw, y + ascent), texte.mid(c, f - c));
                c = f;
            }
        }
    }
}

VueConcordance::Curseur VueConcordance::borne(Curseur c) const {
    c.ligne = std::clamp(c.ligne, 0, std::max(0, NbLignes() - 1));
    c.colonne = std::clamp(c.colonne, 0, static_cast<int32_t>(TexteLigne(c.ligne).size()));
    return c;
}

VueConcordance::Curseur VueConcordance::CurseurEn(const QPoint &point) const {
    const qreal cw = largeurCar();
    Curseur c;
    c.ligne = verticalScrollBar()->value() + std::max(0, point.y()) / hauteurLigne();
    const int x = point.x() - kMarge + horizontalScrollBar()->value();
    c.colonne = x < 0 ? 0 : static_cast<int32_t>(std::floor(x / cw + 0.5));
    return borne(c);
}

QString VueConcordance::TexteSelectionne() const {
    const Curseur debut = DebutSelection(), fin = FinSelection();
    if (!(debut < fin)) {
        return {};
    }
    QString texte;
    for (int32_t i = debut.ligne; i <= fin.ligne; ++i) {
        const QString ligne = TexteLigne(i);
        const int a = i == debut.ligne ? debut.colonne : 0;
        const int b = i == fin.ligne ? fin.colonne : static_cast<int>(ligne.size());
        if (i > debut.ligne) {
            texte += QLatin1Char('\n');
        }
        texte += ligne.mid(a, b - a);
    }
    return texte;
}

void VueConcordance::Selectionne(Curseur debut, Curseur fin) {
    m_ancre = borne(debut);
    m_curseur = borne(fin);
    viewport()->update();
}

void VueConcordance::AfficheLigne(int32_t ligne) {
    const int32_t haut = verticalScrollBar()->value();
    const int32_t visibles = std::max(1, viewport()->height() / hauteurLigne());
    if (ligne < haut) {
        verticalScrollBar()->setValue(ligne);
    } else if (ligne >= haut + visibles) {
        verticalScrollBar()->setValue(ligne - visibles + 1);
    }
}

void VueConcordance::copie() const {
    const QString texte = TexteSelectionne();
    if (!texte.isEmpty()) {
        QApplication::clipboard()->setText(texte);
    }
}

void VueConcordance::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copie();
        return;
    }
    if (event->matches(QKeySequence::SelectAll) && NbLignes() > 0) {
        Selectionne({0, 0},
                    {NbLignes() - 1, static_cast<int32_t>(TexteLigne(NbLignes() - 1).size())});
        return;
    }
    QScrollBar *v = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Down:
        v->setValue(v->value() + 1);
        break;
    case Qt::Key_Up:
        v->setValue(v->value() - 1);
        break;
    case Qt::Key_PageDown:
        v->setValue(v->value() + v->pageStep());
        break;
    case Qt::Key_PageUp:
        v->setValue(v->value() - v->pageStep());
        break;
    case Qt::Key_Home:
        v->setValue(0);
        break;
    case Qt::Key_End:
        v->setValue(v->maximum());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void VueConcordance::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const Curseur c = CurseurEn(event->position().toPoint());
    const Curseur debut = DebutSelection(), fin = FinSelection();
    // Strictly inside the selection: the press may start a drag of the selected text.
    if (debut < c && c < fin) {
        m_glissementEnAttente = true;
        m_texteGlisse = TexteSelectionne();
        m_pointPression = event->position().toPoint();
        return;
    }
    m_ancre = m_curseur = c;
    m_selectionEnCours = true;
    viewport()->update();
}

void VueConcordance::mouseMoveEvent(QMouseEvent *event) {
    const QPoint point = event->position().toPoint();
    if (m_glissementEnAttente) {
        if ((point - m_pointPression).manhattanLength() >= kDistanceGlissement) {
            m_glissementEnAttente = false;
            Q_EMIT GlissementDemande(m_texteGlisse);
        }
        return;
    }
    if (m_selectionEnCours) {
        m_curseur = CurseurEn(point);
        AfficheLigne(m_curseur.ligne);
        viewport()->update();
    }
}

void VueConcordance::mouseReleaseEvent(QMouseEvent *event) {
    if (m_glissementEnAttente) {
        // A click inside the selection without a drag puts the cursor there.
        m_ancre = m_curseur = CurseurEn(event->position().toPoint());
        viewport()->update();
    }
    m_glissementEnAttente = false;
    m_selectionEnCours = false;
}

void VueConcordance::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The word under the mouse: the run of non-blank characters.
    const Curseur c = CurseurEn(event->position().toPoint());
    const QString ligne = TexteLigne(c.ligne);
    int a = std::min(c.colonne, static_cast<int32_t>(ligne.size()));
    if (a == ligne.size() && a > 0) {
        --a;
    }
    if (a >= ligne.size() || ligne[a].isSpace()) {
        return;
    }
    int b = a;
    while (a > 0 && !ligne[a - 1].isSpace()) {
        --a;
    }
    while (b < ligne.size() && !ligne[b].isSpace()) {
        ++b;
    }
    m_selectionEnCours = false;
    Selectionne({c.ligne, a}, {c.ligne, b});
}

namespace {

bool texteExterne(const QMimeData *data) {
    return !data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText();
}

} // namespace

void VueConcordance::dragEnterEvent(QDragEnterEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr || texteExterne(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void VueConcordance::dragMoveEvent(QDragMoveEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr || texteExterne(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void VueConcordance::dropEvent(QDropEvent *event) {
    if (const TTgenDragObject *groupe = GroupeDeplace(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT GroupeDepose(groupe->Contenu());
    } else if (texteExterne(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT TexteDepose(event->mimeData()->text());
    }
}

} // namespace morvix::ui
