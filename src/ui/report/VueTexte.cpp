#include "report/VueTexte.h"

#include "Texte.h"
#include "base/charg1.h"
#include "groups/Tgen.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLine>
#include <QWheelEvent>

#include <algorithm>

namespace morvix::ui {

namespace {
constexpr int kMarge = 6;
constexpr size_t kCacheMax = 400;
constexpr size_t kItemsParMorceau = 4000;
} // namespace

VueTexte::VueTexte(const charg1 &base, QWidget *parent)
    : QAbstractScrollArea(parent), m_base(base) {
    setObjectName(QStringLiteral("HTMLEdit"));
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(p);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    const auto texte = base.TnumData();
    const int32_t limd = base.Limd();
    m_debuts.reserve(static_cast<size_t>(std::max(base.NbLignes(), 1)) + 2);
    m_debuts.push_back(0);
    for (size_t p = 0; p < texte.size(); ++p) {
        // A line without an end for thousands of items is shown in pieces, so that no
        // single piece is slow to lay out.
        const bool fin =
            texte[p] > limd || p + 1 - static_cast<size_t>(m_debuts.back()) >= kItemsParMorceau;
        if (fin && p + 1 < texte.size()) {
            m_debuts.push_back(static_cast<int32_t>(p + 1));
        }
    }
    m_debuts.push_back(static_cast<int32_t>(texte.size()));
    verticalScrollBar()->setRange(0, std::max(0, NbLignesTexte() - 1));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(10);
}

VueTexte::~VueTexte() = default;

void VueTexte::SetGroupe(const Tgen *groupe) {
    m_groupe = groupe;
    ViderCache();
    viewport()->update();
}

int32_t VueTexte::PremiereLigne() const { return verticalScrollBar()->value(); }

VueTexte::Ligne VueTexte::Construit(int32_t i) const {
    Ligne ligne;
    if (i < 0 || i >= NbLignesTexte()) {
        return ligne;
    }
    const int32_t limiteFormes = m_base.Nbform() + m_base.Nbartponct();
    const int32_t limiteCles = limiteFormes + m_base.Nbcle();
    const int32_t fin = m_debuts[static_cast<size_t>(i) + 1];
    QTextCharFormat formatCle;
    formatCle.setBackground(QColor(255, 255, 0));
    formatCle.setForeground(QColor(0, 0, 255));
    formatCle.setFontWeight(QFont::Bold);
    QTextCharFormat formatGroupe;
    formatGroupe.setFontWeight(QFont::Bold);
    if (m_groupe != nullptr) {
        const uint32_t c = m_groupe->Couleur == 0xFFFFFF ? 0 : m_groupe->Couleur;
        formatGroupe.setForeground(CouleurQt(c));
    }
    for (int32_t p = m_debuts[static_cast<size_t>(i)]; p < fin; ++p) {
        const int32_t code = m_base.Tnum(p);
        if (code >= 0 && code < limiteFormes) {
            ligne.texte += QLatin1Char(' ');
            const int debut = static_cast<int>(ligne.texte.size());
            ligne.texte += DeCp1252(m_base.RetourneGraphie(code, false));
            ligne.items.push_back({p, debut, static_cast<int>(ligne.texte.size()) - debut});
            if (m_groupe != nullptr && m_groupe->OccSet.contains(p)) {
                const int longueur = static_cast<int>(ligne.texte.size()) - debut;
                ligne.formats.append({debut, longueur, formatGroupe});
                ligne.groupe.emplace_back(debut, longueur);
            }
        } else if (code >= limiteFormes && code < limiteCles) {
            const int debut = static_cast<int>(ligne.texte.size());
            ligne.texte += QLatin1Char('<');
            ligne.texte += DeCp1252(m_base.RetourneGraphie(code, false));
            ligne.texte += QLatin1Char('=');
            if (p + 1 < m_base.Nbitem()) {
                ligne.texte += DeCp1252(m_base.RetourneGraphie(m_base.Tnum(p + 1), false));
            }
            ligne.texte += QLatin1Char('>');
            ligne.formats.append({debut, static_cast<int>(ligne.texte.size()) - debut, formatCle});
            ligne.items.push_back({p, debut, static_cast<int>(ligne.texte.size()) - debut});
            ++p;
        }
    }
    return ligne;
}

QString VueTexte::TexteLigne(int32_t i) const { return Construit(i).texte; }

std::vector<std::pair<int, int>> VueTexte::PlagesGroupe(int32_t i) const {
    return Construit(i).groupe;
}

QTextLayout &VueTexte::Disposition(int32_t i) {
    auto it = m_cache.find(i);
    if (it != m_cache.end()) {
        return *it->second;
    }
    if (m_cache.size() > kCacheMax) {
        m_cache.clear();
    }
    Ligne ligne = Construit(i);
    if (m_marque >= 0) {
        for (const Ligne::Item &item : ligne.items) {
            if (item.position == m_marque) {
                QTextCharFormat marque;
                marque.setBackground(palette().color(QPalette::Highlight));
                marque.setForeground(palette().color(QPalette::HighlightedText));
                ligne.formats.append({item.debut, item.longueur, marque});
            }
        }
    }
    auto disposition = std::make_unique<QTextLayout>(ligne.texte, font());
    disposition->setFormats(ligne.formats);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    disposition->setTextOption(option);
    const qreal largeur = std::max(40, viewport()->width() - 2 * kMarge);
    qreal hauteur = 0;
    disposition->beginLayout();
    for (QTextLine l = disposition->createLine(); l.isValid(); l = disposition->createLine()) {
        l.setLineWidth(largeur);
        l.setPosition(QPointF(0, hauteur));
        hauteur += l.height();
    }
    disposition->endLayout();
    return *m_cache.emplace(i, std::move(disposition)).first->second;
}

void VueTexte::ViderCache() { m_cache.clear(); }

template <class F> void VueTexte::PourLignesVisibles(F &&f) {
    const int32_t n = NbLignesTexte();
    int32_t i = PremiereLigne();
    qreal y = 2;
    if (i < n) {
        QTextLayout &premiere = Disposition(i);
        const int saut = std::min(m_saut, std::max(0, premiere.lineCount() - 1));
        if (saut > 0) {
            y -= premiere.lineAt(saut).y();
        }
    }
    const qreal bas = viewport()->height();
    for (; i < n && y < bas; ++i) {
        QTextLayout &d = Disposition(i);
        const qreal hauteur = std::max<qreal>(d.boundingRect().height(), fontMetrics().height());
        if (!f(i, d, y, hauteur)) {
            return;
        }
        y += hauteur;
    }
}

void VueTexte::paintEvent(QPaintEvent *) {
    QPainter p(viewport());
    Point debut = m_ancre, fin = m_bout;
    if (fin < debut) {
        std::swap(debut, fin);
    }
    QTextCharFormat choisi;
    choisi.setBackground(palette().color(QPalette::Highlight));
    choisi.setForeground(palette().color(QPalette::HighlightedText));
    PourLignesVisibles([&](int32_t i, QTextLayout &d, qreal y, qreal) {
        QList<QTextLayout::FormatRange> selection;
        if (ASelection() && i >= debut.ligne && i <= fin.ligne) {
            const int de = i == debut.ligne ? debut.caractere : 0;
            const int a = i == fin.ligne ? fin.caractere : static_cast<int>(d.text().size());
            if (a > de) {
                selection.append({de, a - de, choisi});
            }
        }
        d.draw(&p, QPointF(kMarge, y), selection);
        return true;
    });
}

VueTexte::Point VueTexte::PointSous(const QPoint &pixel) {
    Point trouve;
    PourLignesVisibles([&](int32_t i, QTextLayout &d, qreal y, qreal hauteur) {
        trouve.ligne = i;
        trouve.caractere = static_cast<int>(d.text().size());
        if (pixel.y() >= y + hauteur) {
            return true; // further down
        }
        for (int k = 0; k < d.lineCount(); ++k) {
            const QTextLine l = d.lineAt(k);
            if (pixel.y() < y + l.y() + l.height() || k + 1 == d.lineCount()) {
                trouve.caractere = l.xToCursor(pixel.x() - kMarge);
                break;
            }
        }
        return false;
    });
    return trouve;
}

void VueTexte::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus();
    m_ancre = PointSous(event->position().toPoint());
    m_bout = m_ancre;
    viewport()->update();
}

void VueTexte::mouseMoveEvent(QMouseEvent *event) {
    if ((event->buttons() & Qt::LeftButton) == 0 || m_ancre.ligne < 0) {
        return;
    }
    const QPoint pixel = event->position().toPoint();
    // Dragging past an edge scrolls the text on.
    if (pixel.y() < 0) {
        Defile(-1);
    } else if (pixel.y() > viewport()->height()) {
        Defile(1);
    }
    m_bout = PointSous(pixel);
    viewport()->update();
}

void VueTexte::Selectionne(int32_t ligneDebut, int caractereDebut, int32_t ligneFin,
                           int caractereFin) {
    m_ancre = {ligneDebut, caractereDebut};
    m_bout = {ligneFin, caractereFin};
    viewport()->update();
}

QString VueTexte::TexteSelectionne() const {
    if (!ASelection()) {
        return {};
    }
    Point debut = m_ancre, fin = m_bout;
    if (fin < debut) {
        std::swap(debut, fin);
    }
    const auto texte = m_base.TnumData();
    QString resultat;
    for (int32_t i = debut.ligne; i <= fin.ligne && i < NbLignesTexte(); ++i) {
        const QString ligne = TexteLigne(i);
        const int de = i == debut.ligne ? debut.caractere : 0;
        const int a = i == fin.ligne ? fin.caractere : static_cast<int>(ligne.size());
        resultat += ligne.mid(de, std::max(0, a - de));
        // Pieces of one long line join without a break.
        const int32_t dernier = m_debuts[static_cast<size_t>(i) + 1] - 1;
        if (i < fin.ligne && dernier >= 0 && texte[static_cast<size_t>(dernier)] > m_base.Limd()) {
            resultat += QLatin1Char('\n');
        }
    }
    return resultat;
}

void VueTexte::CopieSelection() const {
    if (ASelection()) {
        QGuiApplication::clipboard()->setText(TexteSelectionne());
    }
}

int32_t VueTexte::LigneDePosition(int32_t position) const {
    const auto it = std::upper_bound(m_debuts.begin(), m_debuts.end() - 1, position);
    return std::max<int32_t>(0, static_cast<int32_t>(it - m_debuts.begin()) - 1);
}

int32_t VueTexte::PremierePositionVisible() const {
    const int32_t i = PremiereLigne();
    return i < NbLignesTexte() ? m_debuts[static_cast<size_t>(i)] : 0;
}

void VueTexte::MontrePosition(int32_t position) {
    m_marque = position;
    ViderCache();
    if (position >= 0 && NbLignesTexte() > 0) {
        const int32_t ligne = LigneDePosition(position);
        m_interne = true;
        verticalScrollBar()->setValue(std::max(0, ligne - 1));
        m_interne = false;
        m_saut = 0;
    }
    viewport()->update();
}

void VueTexte::Defile(int n) {
    int32_t ligne = PremiereLigne();
    const int32_t total = NbLignesTexte();
    if (total == 0) {
        return;
    }
    int saut = m_saut;
    while (n > 0) {
        const int lignes = std::max(1, Disposition(ligne).lineCount());
        if (saut + n < lignes) {
            saut += n;
            n = 0;
        } else if (ligne + 1 < total) {
            n -= lignes - saut;
            saut = 0;
            ++ligne;
        } else {
            saut = lignes - 1;
            n = 0;
        }
    }
    while (n < 0) {
        if (saut + n >= 0) {
            saut += n;
            n = 0;
        } else if (ligne > 0) {
            n += saut + 1;
            --ligne;
            saut = std::max(1, Disposition(ligne).lineCount()) - 1;
        } else {
            saut = 0;
            n = 0;
        }
    }
    m_interne = true;
    verticalScrollBar()->setValue(ligne);
    m_interne = false;
    m_saut = saut;
    viewport()->update();
}

void VueTexte::scrollContentsBy(int, int) {
    if (!m_interne) {
        m_saut = 0;
    }
    viewport()->update();
}

void VueTexte::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    ViderCache();
    MajDefilement();
}

void VueTexte::MajDefilement() {
    const int lignesVisibles =
        std::max(1, viewport()->height() / std::max(1, fontMetrics().height()));
    verticalScrollBar()->setPageStep(std::max(1, lignesVisibles / 2));
}

void VueTexte::wheelEvent(QWheelEvent *event) {
    const int crans = event->angleDelta().y() / 40;
    if (crans != 0) {
        Defile(-crans);
    }
    event->accept();
}

void VueTexte::keyPressEvent(QKeyEvent *event) {
    const int page = std::max(1, viewport()->height() / std::max(1, fontMetrics().height()) - 1);
    if (event->matches(QKeySequence::Copy)) {
        CopieSelection();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Down:
        Defile(1);
        break;
    case Qt::Key_Up:
        Defile(-1);
        break;
    case Qt::Key_PageDown:
        Defile(page);
        break;
    case Qt::Key_PageUp:
        Defile(-page);
        break;
    case Qt::Key_Home:
        verticalScrollBar()->setValue(0);
        break;
    case Qt::Key_End:
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace morvix::ui
