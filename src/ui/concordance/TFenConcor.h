// The concordance window: a pole typed, found by a pattern or dropped, its concordance
// (sorted, gathered by part, of a chosen width) or its distributional inventory shown in a
// view of the core's document, a history of the poles shown, a drag of a selected form out
// of the view, and on request a page of the report. Documents are built on the job runner.
#pragma once

#include "concordance/Concordance.h"
#include "groups/TgenDrag.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QStatusBar;
class QToolButton;

namespace morvix {
class charg1;
class Corpus;
class Partition;
class Rapport;
class Tgen;
} // namespace morvix

namespace morvix::ui {

class ExecuteurTaches;
class TTgenDragObject;
class VueConcordance;

class TFenConcor : public QWidget {
    Q_OBJECT
  public:
    // Types of document of CbTypeDocu.
    enum TypeDocument { Concordance = 0, Inventaire = 1 };
    // One pole shown, with the sort chosen when it was shown.
    struct EntreeHistorique {
        std::shared_ptr<const Tgen> groupe;
        int tri = 0; // index of ComboTri
    };

    // `rapport` gives the current report (null when there is none). `groupe`, when given,
    // is shown at once.
    TFenConcor(const charg1 &base, ExecuteurTaches &taches, Corpus &corpus,
               std::function<Rapport *()> rapport, std::unique_ptr<Tgen> groupe = nullptr,
               QWidget *parent = nullptr);
    ~TFenConcor() override;

    // Makes the group the pole: pushed on the history after the current entry, then shown.
    void MontrePole(std::shared_ptr<const Tgen> groupe);
    // The pole from EdForme (a graphy, or a pattern when ChkExpRep is ticked); nothing when
    // it names nothing.
    void EdFormeValide();
    void BtnPrecClick();
    void BtnSuivClick();
    // Builds the document of the pole with the current controls, on the job runner.
    void Reconstruit();
    // The group made from a group drop (named by the drag when it has a name).
    void Depose(const TgenDrag &drag);
    // A text dropped or handed over: a one-article pole when it names a form or a sign.
    void DeposeTexte(const QString &texte);
    // The drag object of a selected text: one code when the trimmed text is exactly one
    // form or sign, null otherwise (the drag is cancelled).
    TTgenDragObject *ObjetGlisse(const QString &texte) const;
    // Writes the page of the report: the inventory's when the inventory is shown, the
    // concordance's otherwise (built first when the view shows something else); nothing
    // without a pole or a report.
    void AjouteAuRapport();

    const Tgen *Pole() const { return m_pole.get(); }
    const std::vector<EntreeHistorique> &Historique() const { return m_historique; }
    int32_t IndexCourant() const { return m_courant; }
    const Partition *Regroupement() const { return m_partition; }
    // Refills ComboGrp: "<Aucun>" and the partitions of the corpus on this base.
    void RemplitComboGrp();

    QToolButton *BtnPrec() const { return m_btnPrec; }
    QToolButton *BtnSuiv() const { return m_btnSuiv; }
    QLineEdit *EdForme() const { return m_edForme; }
    QCheckBox *ChkExpRep() const { return m_chkExpRep; }
    QComboBox *ComboTri() const { return m_comboTri; }
    QComboBox *CbTypeDocu() const { return m_cbTypeDocu; }
    QComboBox *ComboGrp() const { return m_comboGrp; }
    QSpinBox *SpinLgCont() const { return m_spinLgCont; }
    QLineEdit *EdDelims() const { return m_edDelims; }
    QToolButton *BtnRecycle() const { return m_btnRecycle; }
    VueConcordance *ConcorEdit() const { return m_vue; }
    QStatusBar *StatusBar() const { return m_status; }

  protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *event) override;

  private:
    // What a document is built from.
    struct Parametres {
        const Tgen *pole = nullptr;
        int32_t sens = kTriAucun;
        int32_t largeur = kLargeurDefaut;
        const Partition *partition = nullptr;
        bool inventaire = false;
        std::string delimiteurs;
        bool operator==(const Parametres &) const = default;
    };
    struct Construction;

    Parametres parametresCourants() const;
    // Starts building; `fin` receives the document on the interface thread (not called
    // when the building was cancelled or could not start).
    bool lance(const Parametres &p,
               std::function<void(std::shared_ptr<const DocumentConcordance>)> fin);
    void affiche(const Parametres &p, std::shared_ptr<const DocumentConcordance> doc);
    void ecritPage(const Parametres &p, const DocumentConcordance &doc);
    void majBoutons();
    void choisitRegroupement(int index);
    // The grouping partition, dropped when it is no longer registered.
    const Partition *partitionValide();
    int32_t sensTri() const;
    void statut(const QString &texte);

    const charg1 &m_base;
    ExecuteurTaches &m_taches;
    Corpus &m_corpus;
    std::function<Rapport *()> m_rapport;
    std::shared_ptr<const Tgen> m_pole;
    std::vector<EntreeHistorique> m_historique;
    int32_t m_courant = -1;
    const Partition *m_partition = nullptr;
    std::vector<const Partition *> m_partitionsListe; // ComboGrp items 1..
    // The document shown and what it was built from.
    std::shared_ptr<const DocumentConcordance> m_document;
    Parametres m_parametresDocument;
    bool m_enCours = false;          // a building of this window runs
    bool m_aRefaire = false;         // rebuild once the running one has stopped
    bool m_rapportEnAttente = false; // a page asked for while a building ran

    QToolButton *m_btnPrec;
    QToolButton *m_btnSuiv;
    QLineEdit *m_edForme;
    QCheckBox *m_chkExpRep;
    QComboBox *m_comboTri;
    QComboBox *m_cbTypeDocu;
    QComboBox *m_comboGrp;
    QSpinBox *m_spinLgCont;
    QLineEdit *m_edDelims;
    QToolButton *m_btnRecycle;
    VueConcordance *m_vue;
    QStatusBar *m_status;
};

} // namespace morvix::ui
