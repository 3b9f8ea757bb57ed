// The section map window: every section of a view as a box, coloured by the groups dropped on
// it (the main one, and a second one dropped with Ctrl), optionally laid out under the parts
// of a partition; selection and moves from section to section, the text of the current
// section below the map, the section page and the map image for the report, and the
// specificities of the selected sections or of those holding the groups. The state and its
// rules are the core's CarteSections; the window shows them and runs the computations on the
// job runner.
#pragma once

#include "groups/TgenDrag.h"
#include "partitions/PrimSpec.h"
#include "sections/CarteSections.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QMimeData;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;
class QToolButton;

namespace morvix {
class Corpus;
class Rapport;
class Section;
class charg1;
} // namespace morvix

namespace morvix::ui {

class ExecuteurTaches;
struct Progression;
class TFenParamCarte;
class TFenParamSpecSect;
class VueCarte;
class VueParag;
struct Reglages;

// What a map needs of the rest of the program; every pointer may be null in tests, the
// computations then running at once.
struct ContexteCarte {
    ExecuteurTaches *taches = nullptr;
    morvix::Corpus *corpus = nullptr;
    const Reglages *reglages = nullptr;
    std::function<morvix::Rapport *()> rapport;
    TFenParamCarte *paramCarte = nullptr;
    TFenParamSpecSect *paramSpecSect = nullptr;
    // Opens the list of section specificities with its first label.
    std::function<void(std::vector<ResSpec>, const QString &)> ouvreSpecs;
};

class TFenCarteParag : public QWidget {
    Q_OBJECT
  public:
    TFenCarteParag(const charg1 &base, const Section &section, ContexteCarte contexte,
                   QWidget *parent = nullptr);
    ~TFenCarteParag() override;

    const morvix::CarteSections &Carte() const { return m_carte; }
    const Section &Vue() const { return m_section; }
    VueCarte *PaintBox1() const { return m_paintBox; }
    VueParag *ParagEdit() const { return m_paragEdit; }
    QSlider *TrackBar1() const { return m_trackBar; }
    QLabel *LbTailleBoite() const { return m_lbTaille; }
    QComboBox *ComboGrp() const { return m_comboGrp; }
    QCheckBox *ChkSeuil() const { return m_chkSeuil; }
    QLabel *LbTgen1() const { return m_lbTgen1; }
    QLabel *LbTgenSup() const { return m_lbTgenSup; }
    QLabel *ShTgen1() const { return m_shTgen1; }
    QLabel *ShTgenSup() const { return m_shTgenSup; }
    QToolButton *Bouton(const char *nom) const;

    // A group drag dropped (`second`: with Ctrl), or another program's text (a form of it
    // makes the main group); false when the data is neither.
    bool Depose(const QMimeData *data, bool second);
    // The main (or second) group made of these codes, as a drop makes it.
    void DeposeGroupe(const TgenDrag &contenu, bool second);
    // Refills the partition list: "<Aucune>", then the base's registered partitions.
    void RemplitPartitions();
    void ComboGrpChange(int index);
    void PaintBox1Clic(int32_t s, bool shift, bool ctrl);
    void BtnSecSuivClick();
    void BtnSecPrecClick();
    void BtnOccSuivClick();
    void BtnOccPrecClick();
    void BtnColClick();
    void BtnEffacerClick();
    // The current section's page for the report.
    void BtnAjouteRapClick();
    // The map's image for the report.
    void AjouteImageRapport();
    // Specificities of the selected sections (`desGroupes` false) or of those holding the
    // groups.
    void SpecifsSections(bool desGroupes);
    // The map saved as SVG or PNG.
    void ExporteImage();
    // Shows the current section's text.
    void AfficheTexte();

  protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    template <class R>
    void lance(std::function<R(const Progression &)> travail, std::function<void(R)> fin);
    void construitBarre();
    void majBoutons();
    // The next or previous section holding an occurrence of the first group, shown.
    void vaAOccurrence(bool suivante);
    void majGroupes();
    void redessine();

    const charg1 &m_base;
    const Section &m_section;
    ContexteCarte m_ctx;
    morvix::CarteSections m_carte;
    // Sizes of the sections in forms, counted once, when a group is first dropped.
    std::shared_ptr<const std::vector<int32_t>> m_formes;
    // Each group request has a number; only the latest one's result is applied.
    int64_t m_demande = 0;

    QSlider *m_trackBar = nullptr;
    QLabel *m_lbTaille = nullptr;
    QComboBox *m_comboGrp = nullptr;
    QCheckBox *m_chkSeuil = nullptr;
    QLabel *m_shTgen1 = nullptr;
    QLabel *m_lbTgen1 = nullptr;
    QLabel *m_shTgenSup = nullptr;
    QLabel *m_lbTgenSup = nullptr;
    QScrollArea *m_scrollBox = nullptr;
    VueCarte *m_paintBox = nullptr;
    VueParag *m_paragEdit = nullptr;
    QSplitter *m_splitter = nullptr;
};

} // namespace morvix::ui
