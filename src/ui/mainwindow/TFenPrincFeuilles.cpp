// Sheets of windows, the window list, the PCLC menu and the navigation tree's selection.
#include "mainwindow/TFenPrinc.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/TFenNavig.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QTreeWidgetItem>

namespace morvix::ui {

void TFenPrinc::NouvelleFeuille() {
    ++m_compteurFeuilles;
    m_feuilles.emplace_back();
    m_onglets->addTab(Tr("Feuille ") + QString::number(m_compteurFeuilles));
}

std::vector<QMdiSubWindow *> TFenPrinc::FenetresFeuille(int i) const {
    std::vector<QMdiSubWindow *> fenetres;
    if (i >= 0 && i < static_cast<int>(m_feuilles.size())) {
        for (const Enregistrement &e : m_feuilles[static_cast<size_t>(i)]) {
            if (e.fenetre) {
                fenetres.push_back(e.fenetre);
            }
        }
    }
    return fenetres;
}

void TFenPrinc::QuitteFeuille(int feuille) {
    if (feuille < 0 || feuille >= static_cast<int>(m_feuilles.size())) {
        return;
    }
    auto &liste = m_feuilles[static_cast<size_t>(feuille)];
    liste.clear();
    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
        if (w->isVisible()) {
            liste.push_back({w, w->geometry()});
        }
        w->hide();
    }
}

void TFenPrinc::EntreFeuille(int feuille) {
    if (feuille < 0 || feuille >= static_cast<int>(m_feuilles.size())) {
        return;
    }
    for (const Enregistrement &e : m_feuilles[static_cast<size_t>(feuille)]) {
        if (e.fenetre) {
            e.fenetre->show();
        }
    }
    Mosaique();
}

QMenu *TFenPrinc::MenuFeuilles() {
    if (m_menuFeuilles == nullptr) {
        m_menuFeuilles = new QMenu(this);
        m_menuFeuilles->setObjectName(QStringLiteral("PmnFeuilles"));
    }
    m_menuFeuilles->clear();
    connect(m_menuFeuilles->addAction(Tr("Nouvelle feuille")), &QAction::triggered, this, [this] {
        NouvelleFeuille();
        VaVersFeuille(m_onglets->count() - 1);
    });
    for (int i = 0; i < m_onglets->count(); ++i) {
        if (i != m_onglets->currentIndex()) {
            connect(m_menuFeuilles->addAction(m_onglets->tabText(i)), &QAction::triggered, this,
                    [this, i] { VaVersFeuille(i); });
        }
    }
    return m_menuFeuilles;
}

void TFenPrinc::VaVersFeuille(int feuille) {
    QMdiSubWindow *active = m_mdi->activeSubWindow();
    if (active == nullptr || feuille < 0 || feuille >= static_cast<int>(m_feuilles.size()) ||
        feuille == m_onglets->currentIndex()) {
        return;
    }
    m_feuilles[static_cast<size_t>(feuille)].push_back({active, active->geometry()});
    active->hide();
}

std::vector<QMdiSubWindow *> TFenPrinc::OrdreListeFenetres() const {
    // Window order: the active window first, then the others from the top of the stack.
    const auto pile = m_mdi->subWindowList(QMdiArea::StackingOrder);
    std::vector<QMdiSubWindow *> ordre(pile.rbegin(), pile.rend());
    QMdiSubWindow *active = m_mdi->activeSubWindow();
    if (active != nullptr) {
        std::erase(ordre, active);
        ordre.insert(ordre.begin(), active);
    }
    return ordre;
}

QMenu *TFenPrinc::PmnListFenPopup() {
    m_menuListFen->clear();
    const auto ordre = OrdreListeFenetres();
    for (size_t i = 1; i <= ordre.size() && !ordre.empty(); ++i) {
        QMdiSubWindow *w = ordre[i % ordre.size()];
        const int position = static_cast<int>(i - 1);
        connect(m_menuListFen->addAction(w->windowTitle()), &QAction::triggered, this,
                [this, position] { ListeFenetreClick(position); });
    }
    return m_menuListFen;
}

void TFenPrinc::ListeFenetreClick(int position) {
    const auto ordre = OrdreListeFenetres();
    const size_t cible = static_cast<size_t>(position) + 1;
    if (position < 0 || cible >= ordre.size()) {
        return;
    }
    QMdiSubWindow *w = ordre[cible];
    if (w->isMinimized()) {
        QMdiSubWindow *active = ordre.front();
        w->setWindowState(active->windowState() & ~Qt::WindowActive);
        w->show();
    }
    m_mdi->setActiveSubWindow(w);
    w->raise();
}

QMenu *TFenPrinc::PmnPCLCPopup() {
    m_menuPCLC->clear();
    for (int32_t p = 0; p < m_corpus.NbPartitions(); ++p) {
        const Partition &partition = *m_corpus.PartitionI(p).Part;
        const QString titre = DeCp1252(partition.Base().RetourneGraphie(partition.Cle, false));
        connect(m_menuPCLC->addAction(titre), &QAction::triggered, this,
                [this, p] { PCLCClick(p); });
    }
    return m_menuPCLC;
}

void TFenPrinc::PCLCClick(int p) {
    if (p < 0 || p >= m_corpus.NbPartitions()) {
        return;
    }
    auto *graphiques = static_cast<QTreeWidgetItem *>(m_corpus.PartitionI(p).Noeud);
    QTreeWidgetItem *noeud = TFenNavig::Enfant(
        graphiques != nullptr ? graphiques->parent() : nullptr, QStringLiteral("PCLC"));
    if (auto *cadre = qobject_cast<QMdiSubWindow *>(m_navig->Fenetre(noeud))) {
        cadre->showNormal();
        m_mdi->setActiveSubWindow(cadre);
        cadre->raise();
    }
}

void TFenPrinc::ChoixNoeud(QWidget *fenetre) {
    auto *cadre = qobject_cast<QMdiSubWindow *>(fenetre);
    if (cadre == nullptr) {
        return;
    }
    if (cadre->isMinimized()) {
        cadre->showNormal();
    }
    cadre->show();
    m_mdi->setActiveSubWindow(cadre);
    cadre->raise();
    Mosaique();
}

} // namespace morvix::ui
