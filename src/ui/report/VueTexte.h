// A view of the whole text of a base that lays out only the lines on screen: each line of
// the text is built from the numeric text when it comes into view, so that a base of
// millions of items scrolls without delay.
#pragma once

#include <QAbstractScrollArea>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace morvix {
class charg1;
class Tgen;
} // namespace morvix

namespace morvix::ui {

class VueTexte : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit VueTexte(const charg1 &base, QWidget *parent = nullptr);
    ~VueTexte() override;

    // The group whose occurrences are highlighted (not owned; null for none).
    void SetGroupe(const Tgen *groupe);
    int32_t NbLignesTexte() const { return static_cast<int32_t>(m_debuts.size()) - 1; }
    int32_t PremiereLigne() const;
    // The displayed text of line i and the ranges drawn in the group's colour.
    QString TexteLigne(int32_t i) const;
    std::vector<std::pair<int, int>> PlagesGroupe(int32_t i) const;
    // Scrolls by n display lines (negative: up).
    void Defile(int n);

    // The text line holding a position (the last line for positions past the end).
    int32_t LigneDePosition(int32_t position) const;
    // Brings the line of `position` to the top of the view (one line of context above it)
    // and marks that item; -1 removes the mark.
    void MontrePosition(int32_t position);
    // The marked position, or -1.
    int32_t PositionMarquee() const { return m_marque; }
    // The first position of the line at the top of the view.
    int32_t PremierePositionVisible() const;

    // The selection made with the mouse (empty when none) and its copy to the clipboard.
    QString TexteSelectionne() const;
    void CopieSelection() const;
    bool ASelection() const { return m_ancre.ligne >= 0 && !(m_ancre == m_bout); }
    // Selects from (line, character) to (line, character), as a mouse drag would.
    void Selectionne(int32_t ligneDebut, int caractereDebut, int32_t ligneFin, int caractereFin);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Ligne {
        QString texte;
        QList<QTextLayout::FormatRange> formats;
        std::vector<std::pair<int, int>> groupe;
        // Each shown item: its position, first character and length.
        struct Item {
            int32_t position;
            int debut;
            int longueur;
        };
        std::vector<Item> items;
    };
    // A place in the text: a text line and a character of its shown text.
    struct Point {
        int32_t ligne = -1;
        int caractere = 0;
        bool operator==(const Point &o) const {
            return ligne == o.ligne && caractere == o.caractere;
        }
        bool operator<(const Point &o) const {
            return ligne != o.ligne ? ligne < o.ligne : caractere < o.caractere;
        }
    };
    Point PointSous(const QPoint &pixel);
    // The top of each text line on screen, from the first visible one.
    template <class F> void PourLignesVisibles(F &&f);
    Ligne Construit(int32_t i) const;
    QTextLayout &Disposition(int32_t i);
    void ViderCache();
    void MajDefilement();

    const charg1 &m_base;
    const Tgen *m_groupe = nullptr;
    // First position of each line of the text, then Nbitem.
    std::vector<int32_t> m_debuts;
    std::unordered_map<int32_t, std::unique_ptr<QTextLayout>> m_cache;
    int m_saut = 0; // display lines of the first text line above the top
    bool m_interne = false;
    int32_t m_marque = -1;
    Point m_ancre;
    Point m_bout;
};

} // namespace morvix::ui
