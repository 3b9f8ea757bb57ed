#include "mainwindow/TFenNavig.h"

#include "Traduction.h"
#include "mainwindow/Glyphes.h"

#include <QCloseEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <vector>

namespace morvix::ui {

TFenNavig::TFenNavig(QWidget *parent) : QWidget(parent), m_tree(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("FenNavig"));
    setWindowTitle(Tr("Navigation"));
    m_tree->setObjectName(QStringLiteral("TreePages"));
    m_tree->setHeaderHidden(true);
    m_tree->setIconSize(QSize(16, 16));
    // Button-face background until the first base is opened.
    m_tree->setAutoFillBackground(true);
    m_tree->setStyleSheet(QStringLiteral("QTreeWidget { background: palette(button); }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *courant, QTreeWidgetItem *) { TreePagesChange(courant); });
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *noeud, int) { TreePagesChange(noeud); });
}

QTreeWidgetItem *TFenNavig::AjouteNoeud(QTreeWidgetItem *parent, const QString &texte, int icone) {
    auto *noeud = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    noeud->setText(0, texte);
    noeud->setIcon(0, IconeNavigation(icone));
    return noeud;
}

QTreeWidgetItem *TFenNavig::AjouteBase(const QString &chemin) {
    m_tree->setVisible(false);
    m_tree->setStyleSheet(QStringLiteral("QTreeWidget { background: white; }"));
    QTreeWidgetItem *racine = AjouteNoeud(nullptr, chemin, 1);
    AjouteNoeud(racine, Tr("Texte"), 1);
    AjouteNoeud(racine, Tr("Dictionnaire"), 0);
    AjouteNoeud(racine, Tr("Cartes Sections"), 2);
    AjouteNoeud(racine, Tr("Partitions"), 2);
    m_tree->expandAll();
    return racine;
}

QTreeWidgetItem *TFenNavig::Trouve(const QString &texte) const {
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        if ((*it)->text(0) == texte) {
            return *it;
        }
    }
    return nullptr;
}

QTreeWidgetItem *TFenNavig::Enfant(const QTreeWidgetItem *parent, const QString &texte) {
    if (parent == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == texte) {
            return parent->child(i);
        }
    }
    return nullptr;
}

void TFenNavig::SetFenetre(QTreeWidgetItem *noeud, QWidget *fenetre) {
    m_fenetres[noeud] = fenetre;
}

QWidget *TFenNavig::Fenetre(const QTreeWidgetItem *noeud) const {
    auto it = m_fenetres.find(noeud);
    return it == m_fenetres.end() ? nullptr : it->second.data();
}

void TFenNavig::TreePagesChange(QTreeWidgetItem *noeud) {
    if (noeud == nullptr) {
        return;
    }
    if (QWidget *fenetre = Fenetre(noeud)) {
        Q_EMIT FenetreChoisie(fenetre);
    }
    Q_EMIT NoeudChoisi(noeud);
}

void TFenNavig::RetireBranche(QTreeWidgetItem *racine) {
    if (racine == nullptr) {
        return;
    }
    std::vector<QTreeWidgetItem *> pile{racine};
    while (!pile.empty()) {
        QTreeWidgetItem *n = pile.back();
        pile.pop_back();
        m_fenetres.erase(n);
        for (int i = 0; i < n->childCount(); ++i) {
            pile.push_back(n->child(i));
        }
    }
    delete racine;
}

void TFenNavig::closeEvent(QCloseEvent *event) { event->ignore(); }

} // namespace morvix::ui
