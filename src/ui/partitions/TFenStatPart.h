// The partition window: the main characteristics of every part (PCLC page, where parts are
// ticked and selected and from which the partition is dragged), the per-part specificity
// table of every form and segment (a virtual grid with a fixed first column, sorted by a
// click on its headers, taking a dropped group's forms as its rows) and the chronological
// specificities. Its buttons run the specificity computations on the main window's job
// runner and open the analysis windows; its pages go into the report.
//
// The partition belongs to the corpus model. While one of this window's computations runs,
// the flags it may change for its duration are shown from a copy and the grids take no
// click.
#pragma once

#include "partitions/PrimSpecChr.h"
#include "partitions/TableSpec.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;

namespace morvix {
class Partition;
struct TgenDrag;
} // namespace morvix

namespace morvix::ui {

class GrilleFigee;
class ModeleChrono;
class ModelePCLC;
class ModeleTableSpec;
class TFenPrinc;
struct Progression;

class TFenStatPart : public QWidget {
    Q_OBJECT
  public:
    TFenStatPart(TFenPrinc &fen, Partition &partition, QWidget *parent = nullptr);
    ~TFenStatPart() override;

    Partition &LaPartition() const { return m_partition; }
    QTabWidget *Pages() const { return m_pages; }
    QWidget *PagePCLC() const { return m_pagePCLC; }
    QWidget *PageTableSpec() const { return m_pageSpec; }
    QWidget *PageChrono() const { return m_pageChrono; }
    QPlainTextEdit *Resume() const { return m_resume; }
    QTableView *GrillePCLC() const { return m_grillePCLC; }
    GrilleFigee *GrilleSpec() const { return m_grilleSpec; }
    QTableView *GrilleChrono() const { return m_grilleChrono; }
    QRadioButton *RbFrequence() const { return m_rbFrequence; }
    QRadioButton *RbSpecificite() const { return m_rbSpecificite; }
    QComboBox *ListeSections() const { return m_listeSections; }
    ModelePCLC *ModeleParties() const { return m_modelePCLC; }
    ModeleTableSpec *ModeleSpec() const { return m_modeleSpec; }
    ModeleChrono *ModeleChronologique() const { return m_modeleChrono; }
    // A button of the right-hand panel by its object name ("BtnSpTot", "BtnSpecifs" ...).
    QAbstractButton *Bouton(const char *nom) const;

    const TableSpec *Table() const { return m_table.get(); }
    const PrimSpecChr *Chrono() const { return m_chrono.get(); }
    int32_t OrdreChrono() const { return m_ordreChrono; }
    bool CalculEnCours() const { return m_calculEnCours; }

    // The buttons.
    void BtnSpTotClick();
    void BtnSpecifsClick();
    void BtnSpDiacClick();
    void BtnCAHClick();
    void BtnAFCClick();
    void BtnParetoClick();
    void BtnAccVocClick();

    // A mouse release on the PCLC grid's cell (part, column) pressed before: column 0 ticks
    // or unticks the part (unticking also unselects it), any other column selects or
    // unselects a ticked part.
    void PCLCClic(int32_t partie, int32_t colonne);
    // A click on the specificity table's header: section 0 is the fixed column.
    void ClicEnteteSpec(int section);
    // "&fréquence" (true) or "&spécificité" clicked.
    void ClicCle(bool parFrequence);
    // A click on the chronological grid's header.
    void ClicEnteteChrono(int colonne);
    // A group dropped on the table: its codes become the rows, in its order.
    void DeposeGroupe(const TgenDrag &drag);
    // The report request: the PCLC page when it is the active page, otherwise the table's
    // page when the table exists. False when nothing was added.
    bool AjouteRapport();
    // Size and place of the window each time it becomes active: the width of the main
    // window's free area less 16, half its height less 12, at the top-left corner.
    void Active();

  protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *event) override;

  private:
    void creePanneau(QWidget *panneau);
    void creePagePCLC();
    void creePageSpec();
    void creePageChrono();
    void activeBoutons();
    void montrePage(QWidget *page);
    void installeTable(std::shared_ptr<TableSpec> table);
    bool filtrePCLC(QEvent *event);
    bool filtreDepot(QEvent *event);
    // Runs a computation of this window on the job runner: the grids show a copy of the
    // flags meanwhile and `fin` gets the result. The gauge takes `maxGauge` steps and goes
    // back to its range when the job ends, this window closed or not.
    template <class R>
    bool lance(std::function<R(const Progression &)> travail, std::function<void(R)> fin,
               int32_t maxGauge);

    TFenPrinc &m_fen;
    Partition &m_partition;
    std::shared_ptr<TableSpec> m_table;
    std::unique_ptr<PrimSpecChr> m_chrono;
    int32_t m_ordreChrono = -1;
    bool m_calculEnCours = false;
    std::vector<bool> m_cocheeVue, m_selecVue;
    // The PCLC cell where the left button went down, (-1, -1) when none, and where.
    int32_t m_appuiPartie = -1, m_appuiColonne = -1;
    QPoint m_appuiPosition;

    QTabWidget *m_pages = nullptr;
    QWidget *m_pagePCLC = nullptr;
    QWidget *m_pageSpec = nullptr;
    QWidget *m_pageChrono = nullptr;
    QPlainTextEdit *m_resume = nullptr;
    QTableView *m_grillePCLC = nullptr;
    GrilleFigee *m_grilleSpec = nullptr;
    QTableView *m_grilleChrono = nullptr;
    QRadioButton *m_rbFrequence = nullptr;
    QRadioButton *m_rbSpecificite = nullptr;
    QComboBox *m_listeSections = nullptr;
    ModelePCLC *m_modelePCLC = nullptr;
    ModeleTableSpec *m_modeleSpec = nullptr;
    ModeleChrono *m_modeleChrono = nullptr;
    std::vector<QAbstractButton *> m_boutonsCalcul;
};

} // namespace morvix::ui
