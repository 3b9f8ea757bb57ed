// The view chooser ("Sections"): cuts the text into a new section view at the chosen
// punctuation signs, or brings back a view that exists, and opens a section map on it. Each
// new view is registered in the corpus and gets a node under "Cartes Sections"; each map a
// node "Vue n°" k under its view.
#pragma once

#include "sections/TFenCarteParag.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QListWidget;
class QTabWidget;

namespace morvix {
class Section;
class charg1;
struct InfoSection;
} // namespace morvix

namespace morvix::ui {

class TFenPrinc;

// What a map opened from the main window receives.
ContexteCarte ContexteCartes(TFenPrinc &fen);

// " découpées d'après le délimiteur: " then, for each delimiter, a blank and its graphy.
QString TitreVue(const Section &section);

class TFenChoixDelim : public QDialog {
    Q_OBJECT
  public:
    TFenChoixDelim(TFenPrinc &fen, const charg1 &base);

    QTabWidget *PgC() const { return m_pgc; }
    QListWidget *ListDelims() const { return m_listDelims; }
    QListWidget *LBoxSect() const { return m_lboxSect; }
    // The registered views of the base, in the order of LBoxSect.
    const std::vector<InfoSection *> &Vues() const { return m_vues; }

    // "Créer": a view on the selected delimiters (the registered one when it exists and the
    // user wants another window on it), and a map on it; nothing when none is selected.
    // Returns the map opened, or null.
    TFenCarteParag *BtnCreerClick();
    // Brings forward the first map of the view selected in LBoxSect and closes.
    void LBoxSectDblClick();

  private:
    TFenCarteParag *OuvreCarte(InfoSection &info);

    TFenPrinc &m_fen;
    const charg1 &m_base;
    QTabWidget *m_pgc;
    QListWidget *m_listDelims;
    QListWidget *m_lboxSect;
    std::vector<InfoSection *> m_vues;
};

} // namespace morvix::ui
