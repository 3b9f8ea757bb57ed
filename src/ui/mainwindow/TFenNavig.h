// The navigation window: a tree of every opened base and the analysis windows opened on it.
// Selecting a node that stands for a window brings that window back to the front.
#pragma once

#include <QPointer>
#include <QWidget>

#include <unordered_map>

class QTreeWidget;
class QTreeWidgetItem;

namespace morvix::ui {

class TFenNavig : public QWidget {
    Q_OBJECT
  public:
    explicit TFenNavig(QWidget *parent = nullptr);

    QTreeWidget *TreePages() const { return m_tree; }

    // Adds the branch of a newly opened base: the path, then "Texte", "Dictionnaire",
    // "Cartes Sections" and "Partitions". Returns the top-level node.
    QTreeWidgetItem *AjouteBase(const QString &chemin);
    // A child node of `parent` (top level when null) with icon 0, 1 or 2.
    QTreeWidgetItem *AjouteNoeud(QTreeWidgetItem *parent, const QString &texte, int icone = 0);
    // The first node, from the top of the whole tree, whose text is exactly `texte`.
    QTreeWidgetItem *Trouve(const QString &texte) const;
    // The first child of `parent` whose text is exactly `texte`.
    static QTreeWidgetItem *Enfant(const QTreeWidgetItem *parent, const QString &texte);

    // Removes a top-level branch and everything under it.
    void RetireBranche(QTreeWidgetItem *racine);

    // The window a node stands for (null when none, or when it was closed since).
    void SetFenetre(QTreeWidgetItem *noeud, QWidget *fenetre);
    QWidget *Fenetre(const QTreeWidgetItem *noeud) const;

  Q_SIGNALS:
    // A node standing for a window still open was selected.
    void FenetreChoisie(QWidget *fenetre);
    // Any node was selected (after FenetreChoisie when it stands for a window).
    void NoeudChoisi(QTreeWidgetItem *noeud);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void TreePagesChange(QTreeWidgetItem *noeud);

    QTreeWidget *m_tree;
    std::unordered_map<const QTreeWidgetItem *, QPointer<QWidget>> m_fenetres;
};

} // namespace morvix::ui
