// The repeated-segment list: every segment of the store with its length and frequency,
// sorted on any column, dragged as a group of segments in the colour of the chip, and
// written as a page of the report. It shows the store, which the main window keeps with
// the base.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QTableView;
class QToolButton;

namespace morvix {
class charg1;
class Rapport;
class SegRep;
} // namespace morvix

namespace morvix::ui {

class ModeleSR;
class Pastille;

class TfrmSR : public QWidget {
    Q_OBJECT
  public:
    // `rapport` gives the current report (null when there is none).
    TfrmSR(const charg1 &base, const SegRep &store, std::function<Rapport *()> rapport,
           QWidget *parent = nullptr);

    const SegRep &Store() const { return m_store; }
    QTableView *ListSR() const { return m_liste; }
    ModeleSR *Modele() const { return m_modele; }
    QToolButton *SpdBtnRap() const { return m_btnRap; }
    Pastille *ShPastille() const { return m_pastille; }
    uint32_t CouleurPastille() const;
    void SetCouleurPastille(uint32_t couleur);

    // Sorts the rows on the column (the same order at every click).
    void ListSRColumnClick(int colonne);
    // Writes the list as a page of the report ("sr.html", then "sr2.html", ...) and
    // registers it; false when there is no report or the page cannot be written (said in a
    // message box).
    bool SpdBtnRapClick();
    // The selected rows, in row order.
    std::vector<int32_t> LignesSelectionnees() const;

  private:
    const charg1 &m_base;
    const SegRep &m_store;
    std::function<Rapport *()> m_rapport;
    ModeleSR *m_modele;
    QTableView *m_liste;
    Pastille *m_pastille;
    QToolButton *m_btnRap;
};

} // namespace morvix::ui
