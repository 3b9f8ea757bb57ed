// The main window: the frame in which every analysis window opens, with the toolbar of
// every command, the navigation and report pages on the left, the sheet tabs on the right
// and the status bar with its progress bar. It owns the open base, the report and the queue
// of recent groups, and opens bases (segmenting texts first when needed).
#pragma once

#include "ExecuteurTaches.h"
#include "dictionary/TFenDicNum.h"
#include "mainwindow/TFenOpt.h"
#include "report/TFenEddy.h"

#include "corpus/Corpus.h"
#include "groups/TgenQueue.h"
#include "report/Rapport.h"
#include "segments/SegRep.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabBar;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace morvix {
class charg1;
}

namespace morvix::ui {

class ConteneurGroupes;
class TFenDicNum;
class TFenEddy;
class TFenNavig;
class TFenParamCarte;
class TFenParamSpecSect;

// The article limit proposed when a segmentation stopped at `limite` having met `atteints`
// articles: at least twice the limit, at most what the options accept.
int32_t LimiteProposee(int32_t limite, int32_t atteints);

class TFenPrinc : public QMainWindow, private RapportArbre {
    Q_OBJECT
  public:
    explicit TFenPrinc(QWidget *parent = nullptr);
    ~TFenPrinc() override;

    // Opens the file named by the command line (cut at its first blank): a ".par" base,
    // else a text to segment. Changes the current folder to the file's folder.
    void LigneCommande(const QString &ligne);
    // Opens the base of the parameter file; false (with the error's message box) on failure.
    bool OuvreBase(const QString &chemin);
    // Verifies the keys of a text, asks for the delimiters, segments it and opens the base.
    bool Segmente(const QString &chemin);
    // Makes the group current and puts it at the front of the queue.
    void AjouteTgen(std::unique_ptr<Tgen> groupe);
    // Adds a sheet "Feuille " + counter.
    void NouvelleFeuille();
    // Puts a window into the left page control as a new last page.
    void Docke(QWidget *fenetre);
    // Shows a window as a child of the frame and returns its frame.
    QMdiSubWindow *AjouteEnfant(QWidget *fenetre);

    // Progress and status services for computations.
    void GaugeStepIt();
    void GaugeStepBy2();
    void GaugeReset();
    void StatusMessage(const QString &texte);

    const charg1 *Base() const { return m_base.get(); }
    // The repeated segments attached to the base (null until computed).
    const SegRep *SegmentsRepetes() const { return m_segRep.get(); }
    morvix::Rapport *RapportCourant() const { return m_rapport.get(); }
    const TgenQueue &Queue() const { return m_queue; }
    morvix::Corpus &CorpusModele() { return m_corpus; }
    Reglages &Settings() { return m_reglages; }
    // The job runner of every long computation; its gauge and Cancel button are the status
    // bar's.
    ExecuteurTaches &Taches() { return m_taches; }
    TFenNavig *Navigation() const { return m_navig; }
    QMdiArea *Mdi() const { return m_mdi; }
    QTabBar *OngletsFeuilles() const { return m_onglets; }
    QTabWidget *ListesGauche() const { return m_listesGauche; }
    QWidget *PanneauFond() const { return m_panneauFond; }
    QTreeWidget *TreeViewRapport() const { return m_arbreRapport; }
    QProgressBar *Gauge() const { return m_gauge; }
    QLabel *Panneau(int i) const { return m_panneaux[i]; }
    ConteneurGroupes *Container() const { return m_container; }
    TFenDicNum *FenDicNum() const { return m_fenDic; }
    TFenEddy *FenEddy() const { return m_fenEddy; }
    // The section maps' settings popup and the section specificity dialog, kept for the run.
    TFenParamCarte *ParamCarte() const { return m_paramCarte; }
    TFenParamSpecSect *ParamSpecSect() const { return m_paramSpecSect; }
    int LargeurLibre() const { return m_largeurLibre; }
    int HauteurLibre() const { return m_hauteurLibre; }
    QToolButton *Bouton(const char *nom) const;

    // The window list: children from the second to the last in window order, then the
    // first (the active one).
    std::vector<QMdiSubWindow *> OrdreListeFenetres() const;
    QMenu *PmnListFenPopup();
    void ListeFenetreClick(int position);
    QMenu *PmnPCLCPopup();
    // Brings forward the window of the "PCLC" node of partition p.
    void PCLCClick(int p);
    // The move-to-sheet menu: "Nouvelle feuille", then each other sheet.
    QMenu *MenuFeuilles();
    void VaVersFeuille(int feuille);
    // Sheet records: the windows recorded on sheet i.
    std::vector<QMdiSubWindow *> FenetresFeuille(int i) const;

    // Report page commands.
    void InitArbreRapport();
    void BtnNouvRapClick();
    void BtnSauvRapportClick();
    bool SauveRapportSous();

    // The analysis commands, each defined in the file that wires its windows:
    // TFenPrincConcordance.cpp, TFenPrincSegments.cpp, TFenPrincPartitions.cpp,
    // TFenPrincSections.cpp, TFenPrincGroupes.cpp. A command whose window does not exist
    // yet answers false to its ...Disponible() and stays disabled.
    void BtnDocuClick();
    void BtnSRClick();
    void BtnPartClick();
    void BtnParagClick();
    void BtnSelFormesClick();
    static bool BtnDocuDisponible();
    static bool BtnSRDisponible();
    static bool BtnPartDisponible();
    static bool BtnParagDisponible();
    static bool BtnSelFormesDisponible();

    void BtnOptionsClick();
    // Sets MAXART from a text (the command line's --maxart), with the options' checks; the
    // refusal's message, or empty.
    QString ReglageMaxart(const QString &texte);
    void BtnRetreciClick();
    void Mosaique();
    void BtnAjouteRapClick();
    void BtnEditClick();
    void HelpBtnClick();
    // Opens a page with the desktop's browser, saying so when none could be started.
    void OuvrePage(const QString &page);
    // The text handler of drops from other programs: a form makes a one-form group.
    void DepotTexte(const QString &texte);

  protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

  private:
    struct Enregistrement {
        QPointer<QMdiSubWindow> fenetre;
        QRect position;
    };

    void CreeBarreOutils(QWidget *panel);
    void CreePanneauGauche();
    void CreeMenus();
    void CreeBarreEtat();
    void ActiveCommandesBase(bool actif);
    // While a job runs, the commands that would replace the base or its segments wait.
    void TacheEnCours(bool occupe);
    void FermeFenetresBase();
    void CalculeZoneLibre();
    void QuitteFeuille(int feuille);
    void EntreFeuille(int feuille);
    void ChoixNoeud(QWidget *fenetre);
    void NoeudChoisi(QTreeWidgetItem *noeud);
    // The dictionary (docked) and the text window of the open base, made again when closed.
    void OuvreDictionnaire();
    void OuvreTexte();
    void ContainerDragDrop(const TgenDrag &drag);
    void EntreeAjoutee(int32_t index, const std::string &titre) override;

    ExecuteurTaches m_taches;
    bool m_fermerApresTache = false;
    morvix::Corpus m_corpus;
    std::unique_ptr<charg1> m_base;
    // Attached to m_base, which it outlives; replaced by each computation.
    std::unique_ptr<SegRep> m_segRep;
    std::unique_ptr<morvix::Rapport> m_rapport;
    TgenQueue m_queue;
    Reglages m_reglages;
    int m_compteurFeuilles = 0;
    std::vector<std::vector<Enregistrement>> m_feuilles;
    int m_feuilleCourante = -1;
    int m_largeurLibre = 0;
    int m_hauteurLibre = 0;

    QWidget *m_panel1 = nullptr;
    QWidget *m_panneauFond = nullptr;
    QTabWidget *m_listesGauche = nullptr;
    QWidget *m_panBtnRetreci = nullptr;
    TFenNavig *m_navig = nullptr;
    QTreeWidget *m_arbreRapport = nullptr;
    QPushButton *m_btnNouvRap = nullptr;
    QPushButton *m_btnSauvRapport = nullptr;
    QMdiArea *m_mdi = nullptr;
    QSplitter *m_separateur = nullptr;
    QTabBar *m_onglets = nullptr;
    QProgressBar *m_gauge = nullptr;
    QPushButton *m_btnAnnuler = nullptr;
    QLabel *m_panneaux[3] = {nullptr, nullptr, nullptr};
    ConteneurGroupes *m_container = nullptr;
    QMenu *m_menuPCLC = nullptr;
    QMenu *m_menuListFen = nullptr;
    QMenu *m_menuFeuilles = nullptr;
    QMenu *m_menuFenetre = nullptr;
    QTimer *m_timerTile = nullptr;
    QTreeWidgetItem *m_branche = nullptr; // the open base's branch of the navigation tree
    QPointer<TFenDicNum> m_fenDic;
    QPointer<TFenEddy> m_fenEddy;
    TFenParamCarte *m_paramCarte = nullptr;
    TFenParamSpecSect *m_paramSpecSect = nullptr;
};

} // namespace morvix::ui
