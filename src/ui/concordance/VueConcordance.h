// The read-only view of a concordance or inventory document: the core's document lines in
// a fixed-pitch font, the pole in bold in its group's colour (black for white), part
// headers in bold after a blank line. Only the lines on screen are drawn, so that hundreds
// of thousands of lines show and scroll at once. The mouse selects text (a double click a
// word); a press inside the selection followed by a move of 20 pixels asks for a drag of
// the selected text; group drags and texts from other programs can be dropped on it.
#pragma once

#include "concordance/Concordance.h"
#include "groups/TgenDrag.h"

#include <QAbstractScrollArea>
#include <QPoint>

#include <cstdint>
#include <memory>
#include <vector>

namespace morvix::ui {

class VueConcordance : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // A character of the view: display line and column.
    struct Curseur {
        int32_t ligne = 0;
        int32_t colonne = 0;
        bool operator==(const Curseur &) const = default;
        bool operator<(const Curseur &o) const {
            return ligne != o.ligne ? ligne < o.ligne : colonne < o.colonne;
        }
    };

    explicit VueConcordance(QWidget *parent = nullptr);

    // Shows the document (kept alive by the view), the pole drawn in `couleurPole`.
    void SetDocument(std::shared_ptr<const DocumentConcordance> document, uint32_t couleurPole);
    const DocumentConcordance *Document() const { return m_document.get(); }
    // Empties the view.
    void Vide();

    // Display lines: one per document item, and a blank line before each part header.
    int32_t NbLignes() const { return static_cast<int32_t>(m_lignes.size()); }
    QString TexteLigne(int32_t ligne) const;
    bool EstEntete(int32_t ligne) const;
    // The columns of the pole on a line (0, 0 on headers and blank lines).
    std::pair<int32_t, int32_t> PlagePole(int32_t ligne) const;
    // The colour the pole is drawn in.
    QColor CouleurPole() const;

    // The selection, in display order; the text between them (lines joined by "\n").
    Curseur DebutSelection() const { return std::min(m_ancre, m_curseur); }
    Curseur FinSelection() const { return std::max(m_ancre, m_curseur); }
    QString TexteSelectionne() const;
    void Selectionne(Curseur debut, Curseur fin);
    // The character under a point of the viewport.
    Curseur CurseurEn(const QPoint &point) const;
    // True while a press inside the selection waits for the move that starts a drag.
    bool GlissementEnAttente() const { return m_glissementEnAttente; }
    void AfficheLigne(int32_t ligne);

  Q_SIGNALS:
    // A drag of the selected text was started (the text as selected at the press).
    void GlissementDemande(const QString &texte);
    void GroupeDepose(const morvix::TgenDrag &drag);
    void TexteDepose(const QString &texte);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    void majDefilement();
    int hauteurLigne() const;
    qreal largeurCar() const;
    Curseur borne(Curseur c) const;
    void copie() const;

    std::shared_ptr<const DocumentConcordance> m_document;
    // Item of each display line, -1 for the blank line before a header.
    std::vector<int32_t> m_lignes;
    int32_t m_colonnesMax = 0;
    QColor m_couleurPole;
    QFont m_gras;
    Curseur m_ancre, m_curseur;
    bool m_selectionEnCours = false;
    bool m_glissementEnAttente = false;
    QPoint m_pointPression;
    QString m_texteGlisse;
};

} // namespace morvix::ui
