#include "sections/TFenCarteParag.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/TFenOpt.h"
#include "partitions/Partition.h"
#include "sections/SpecSections.h"
#include "sections/TFenParamCarte.h"
#include "sections/TFenParamSpecSect.h"
#include "sections/VueCarte.h"
#include "sections/VueParag.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

// The partition list, refilled each time it drops down.
class ComboPartitions : public QComboBox {
  public:
    std::function<void()> avantOuverture;

  protected:
    void showPopup() override {
        if (avantOuverture) {
            avantOuverture();
        }
        QComboBox::showPopup();
    }
};

// Shown at most in the text pane; a longer section is cut there and says so.
constexpr int64_t kPositionsTexteMax = 100000;

void carreCouleur(QLabel *carre, const QColor &couleur) {
    carre->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid gray;").arg(couleur.name()));
}

// What a group drop computes away from the interface: the group, its marks, and the
// section sizes when they were not counted yet.
struct Marquage {
    std::unique_ptr<Tgen> groupe;
    MarquageGroupe marques;
    std::shared_ptr<const std::vector<int32_t>> formes;
};

} // namespace

TFenCarteParag::TFenCarteParag(const charg1 &base, const Section &section, ContexteCarte contexte,
                               QWidget *parent)
    : QWidget(parent), m_base(base), m_section(section), m_ctx(std::move(contexte)),
      m_carte(section) {
    setObjectName(QStringLiteral("FenCarteParag"));
    setWindowTitle(Tr("Sections"));
    setAcceptDrops(true);
    construitBarre();

    m_paintBox = new VueCarte(m_carte);
    m_scrollBox = new QScrollArea;
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setWidget(m_paintBox);
    m_scrollBox->setBackgroundRole(QPalette::Base);
    m_paragEdit = new VueParag(base);
    m_splitter = new QSplitter(Qt::Vertical);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->addWidget(m_scrollBox);
    m_splitter->addWidget(m_paragEdit);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 1);
    layout()->addWidget(m_splitter);

    connect(m_paintBox, &VueCarte::Clic, this, &TFenCarteParag::PaintBox1Clic);
    connect(m_paintBox, &VueCarte::ExportDemande, this, &TFenCarteParag::ExporteImage);
    RemplitPartitions();
    resize(width(), 390);
    majGroupes();
    majBoutons();
    AfficheTexte();
}

TFenCarteParag::~TFenCarteParag() = default;

void TFenCarteParag::construitBarre() {
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(2, 2, 2, 2);
    colonne->setSpacing(2);
    auto *ligne1 = new QHBoxLayout;
    auto *ligne2 = new QHBoxLayout;
    colonne->addLayout(ligne1);
    colonne->addLayout(ligne2);

    m_trackBar = new QSlider(Qt::Horizontal);
    m_trackBar->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar->setRange(kTailleBoiteMin, kTailleBoiteMax);
    m_trackBar->setTickInterval(1);
    m_trackBar->setTickPosition(QSlider::TicksBelow);
    m_trackBar->setValue(kTailleBoiteDefaut);
    m_trackBar->setFixedWidth(120);
    m_trackBar->setToolTip(Tr("Taille des boîtes"));
    m_trackBar->setAccessibleName(Tr("Taille des boîtes"));
    m_lbTaille = new QLabel(QString::number(kTailleBoiteDefaut));
    m_lbTaille->setObjectName(QStringLiteral("LbTailleBoite"));
    m_lbTaille->setMinimumWidth(18);
    connect(m_trackBar, &QSlider::valueChanged, this, [this](int taille) {
        m_carte.SetTailleBoite(taille);
        m_lbTaille->setText(QString::number(m_carte.TailleBoite()));
        m_paintBox->Actualise();
    });
    ligne1->addWidget(m_trackBar);
    ligne1->addWidget(m_lbTaille);

    auto *combo = new ComboPartitions;
    combo->avantOuverture = [this] { RemplitPartitions(); };
    m_comboGrp = combo;
    m_comboGrp->setObjectName(QStringLiteral("ComboGrp"));
    m_comboGrp->setMinimumWidth(100);
    auto *lbPartition = new QLabel(Tr("Partition :"));
    lbPartition->setBuddy(m_comboGrp);
    connect(m_comboGrp, &QComboBox::activated, this, &TFenCarteParag::ComboGrpChange);
    ligne1->addWidget(lbPartition);
    ligne1->addWidget(m_comboGrp);

    auto bouton = [this](const char *nom, const QString &texte, const QString &indication) {
        auto *b = new QToolButton;
        b->setObjectName(QString::fromLatin1(nom));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setText(texte);
        b->setToolTip(indication);
        b->setAccessibleName(indication.isEmpty() ? texte : indication);
        return b;
    };
    auto *btnCol = bouton("BtnCol", QString(), Tr("Réglages"));
    btnCol->setToolButtonStyle(Qt::ToolButtonIconOnly);
    btnCol->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(btnCol, &QToolButton::clicked, this, &TFenCarteParag::BtnColClick);
    ligne1->addWidget(btnCol);
    m_chkSeuil = new QCheckBox(Tr("seuillage"));
    m_chkSeuil->setObjectName(QStringLiteral("ChkSeuil"));
    connect(m_chkSeuil, &QCheckBox::toggled, this, [this](bool oui) {
        m_carte.SetSeuillage(oui);
        redessine();
    });
    ligne1->addWidget(m_chkSeuil);

    auto carre = [](const char *nom) {
        auto *l = new QLabel;
        l->setObjectName(QString::fromLatin1(nom));
        l->setFixedSize(16, 16);
        return l;
    };
    m_shTgen1 = carre("ShTgen1");
    m_lbTgen1 = new QLabel;
    m_lbTgen1->setObjectName(QStringLiteral("LbTgen1"));
    m_shTgenSup = carre("ShTgenSup");
    m_lbTgenSup = new QLabel;
    m_lbTgenSup->setObjectName(QStringLiteral("LbTgenSup"));
    ligne1->addWidget(m_shTgen1);
    ligne1->addWidget(m_lbTgen1, 1);
    ligne1->addWidget(m_shTgenSup);
    ligne1->addWidget(m_lbTgenSup, 1);

    auto *spf = bouton("SpfButton", Tr("Spécifs"), Tr("Spécificités des sections sélectionnées"));
    connect(spf, &QToolButton::clicked, this, [this] { SpecifsSections(false); });
    auto *spfTgen = bouton("BtnSpfSectTgen", Tr("Spécifs termes"),
                           Tr("Spécificités des sections qui contiennent les termes"));
    connect(spfTgen, &QToolButton::clicked, this, [this] { SpecifsSections(true); });
    ligne1->addWidget(spf);
    ligne1->addWidget(spfTgen);

    auto fleche = [&](const char *nom, Qt::ArrowType sens, const QString &indication) {
        QToolButton *b = bouton(nom, QString(), indication);
        b->setArrowType(sens);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        return b;
    };
    ligne2->addWidget(new QLabel(Tr("Section : ")));
    auto *secPrec = fleche("BtnSecPrec", Qt::LeftArrow, Tr("Section précédente"));
    auto *secSuiv = fleche("BtnSecSuiv", Qt::RightArrow, Tr("Section suivante"));
    connect(secPrec, &QToolButton::clicked, this, &TFenCarteParag::BtnSecPrecClick);
    connect(secSuiv, &QToolButton::clicked, this, &TFenCarteParag::BtnSecSuivClick);
    ligne2->addWidget(secPrec);
    ligne2->addWidget(secSuiv);
    ligne2->addSpacing(8);
    ligne2->addWidget(new QLabel(Tr("Occurrence :")));
    auto *occPrec = fleche("BtnOccPrec", Qt::LeftArrow, Tr("Occurrence précédente"));
    auto *occSuiv = fleche("BtnOccSuiv", Qt::RightArrow, Tr("Occurrence suivante"));
    connect(occPrec, &QToolButton::clicked, this, &TFenCarteParag::BtnOccPrecClick);
    connect(occSuiv, &QToolButton::clicked, this, &TFenCarteParag::BtnOccSuivClick);
    ligne2->addWidget(occPrec);
    ligne2->addWidget(occSuiv);
    ligne2->addSpacing(8);
    auto *rapport = bouton("BtnAjouteRap", Tr("&Rapport"), Tr("Ajouter au rapport"));
    connect(rapport, &QToolButton::clicked, this, &TFenCarteParag::BtnAjouteRapClick);
    auto *effacer = bouton("BtnEffacer", Tr("Effacer"), Tr("Réinitialiser"));
    connect(effacer, &QToolButton::clicked, this, &TFenCarteParag::BtnEffacerClick);
    ligne2->addWidget(rapport);
    ligne2->addWidget(effacer);
    ligne2->addStretch(1);
}

QToolButton *TFenCarteParag::Bouton(const char *nom) const {
    return findChild<QToolButton *>(QString::fromLatin1(nom));
}

template <class R>
void TFenCarteParag::lance(std::function<R(const Progression &)> travail,
                           std::function<void(R)> fin) {
    // A job of another window may be running: the computation then runs at once.
    if (m_ctx.taches == nullptr || !m_ctx.taches->Lance<R>(this, travail, fin)) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        R r = travail(Progression{});
        QGuiApplication::restoreOverrideCursor();
        fin(std::move(r));
    }
}

void TFenCarteParag::majBoutons() {
    const BoutonsCarte &b = m_carte.Boutons();
    Bouton("BtnSecPrec")->setEnabled(b.secPrec);
    Bouton("BtnSecSuiv")->setEnabled(b.secSuiv);
    Bouton("BtnOccPrec")->setEnabled(b.occPrec && m_carte.Tgen1() != nullptr);
    Bouton("BtnOccSuiv")->setEnabled(b.occSuiv && m_carte.Tgen1() != nullptr);
}

void TFenCarteParag::majGroupes() {
    const QColor fond = palette().color(QPalette::Button);
    const Tgen *groupes[2] = {m_carte.Tgen1(), m_carte.TgenSup()};
    QLabel *carres[2] = {m_shTgen1, m_shTgenSup};
    QLabel *noms[2] = {m_lbTgen1, m_lbTgenSup};
    for (int i = 0; i < 2; ++i) {
        const QString nom = groupes[i] != nullptr ? DeCp1252(groupes[i]->Nom) : QString();
        noms[i]->setText(nom);
        noms[i]->setToolTip(nom);
        carreCouleur(carres[i],
                     groupes[i] != nullptr ? CouleurQt(SansBlanc(groupes[i]->Couleur)) : fond);
    }
}

void TFenCarteParag::redessine() { m_paintBox->update(); }

void TFenCarteParag::AfficheTexte() {
    const Tgen *g1 = m_carte.Tgen1();
    const Tgen *g2 = m_carte.TgenSup();
    m_paragEdit->Affiche(TexteSection(m_section, m_carte.SectCour(), g1, g2, kPositionsTexteMax),
                         g1 != nullptr ? g1->Couleur : kNoir, g2 != nullptr ? g2->Couleur : kNoir);
}

void TFenCarteParag::RemplitPartitions() {
    m_comboGrp->clear();
    m_comboGrp->addItem(Tr("<Aucune>"), QVariant::fromValue<quintptr>(0));
    if (m_ctx.corpus != nullptr) {
        for (int32_t i = 0; i < m_ctx.corpus->NbPartitions(); ++i) {
            const Partition *p = m_ctx.corpus->PartitionI(i).Part.get();
            if (p != nullptr && &p->Base() == &m_base) {
                m_comboGrp->addItem(DeCp1252(m_base.RetourneGraphie(p->Cle, false)),
                                    QVariant::fromValue(reinterpret_cast<quintptr>(p)));
            }
        }
    }
    const int i = m_comboGrp->findData(
        QVariant::fromValue(reinterpret_cast<quintptr>(m_carte.LaPartition())));
    m_comboGrp->setCurrentIndex(i >= 0 ? i : 0);
}

void TFenCarteParag::ComboGrpChange(int index) {
    if (index < 0 || index >= m_comboGrp->count()) {
        return;
    }
    // The list holds only partitions the corpus keeps, refilled at each drop-down.
    const auto *p =
        reinterpret_cast<const Partition *>(m_comboGrp->itemData(index).value<quintptr>());
    m_comboGrp->setCurrentIndex(index);
    m_carte.SetPartition(p);
    m_paintBox->Actualise();
}

void TFenCarteParag::DeposeGroupe(const TgenDrag &contenu, bool second) {
    if (contenu.codes.empty()) {
        return;
    }
    const int64_t demande = ++m_demande;
    const charg1 *base = &m_base;
    const Section *section = &m_section;
    std::shared_ptr<const std::vector<int32_t>> formes = m_formes;
    lance<Marquage>(
        [base, section, formes, contenu, second](const Progression &p) {
            Marquage m;
            m.formes = formes;
            if (!m.formes && !second) {
                m.formes = std::make_shared<const std::vector<int32_t>>(FormesParSection(*section));
            }
            m.groupe = TgenDepuisDepot(*base, contenu, false);
            if (m.groupe) {
                static const std::vector<int32_t> aucune;
                m.marques = MarqueGroupe(*section, m.formes ? *m.formes : aucune, *m.groupe,
                                         base->Nbocc(), !second, p.annulation);
            }
            return m;
        },
        [this, demande, second](Marquage m) {
            if (m.formes) {
                m_formes = m.formes;
            }
            if (demande != m_demande || !m.groupe || m.marques.annule) {
                return;
            }
            if (second) {
                m_carte.PoseGroupeSecondaire(std::move(m.groupe), std::move(m.marques.marques));
            } else {
                m_carte.PoseGroupePrincipal(std::move(m.groupe), std::move(m.marques));
            }
            majGroupes();
            majBoutons();
            redessine();
            AfficheTexte();
        });
}

namespace {

// A text dragged in from another program.
bool texteExterne(const QMimeData *data) {
    return !data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText();
}

} // namespace

void TFenCarteParag::dragEnterEvent(QDragEnterEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr || texteExterne(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TFenCarteParag::dragMoveEvent(QDragMoveEvent *event) {
    if (GroupeDeplace(event->mimeData()) != nullptr || texteExterne(event->mimeData())) {
        event->acceptProposedAction();
    }
}

bool TFenCarteParag::Depose(const QMimeData *data, bool second) {
    if (texteExterne(data)) {
        QApplication::postEvent(this, new EvDepotTexte(data->text()));
        return true;
    }
    const TTgenDragObject *drag = GroupeDeplace(data);
    if (drag == nullptr) {
        return false;
    }
    DeposeGroupe(drag->Contenu(), second);
    return true;
}

void TFenCarteParag::dropEvent(QDropEvent *event) {
    if (Depose(event->mimeData(), event->modifiers() & Qt::ControlModifier)) {
        event->acceptProposedAction();
    }
}

bool TFenCarteParag::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteImageRapport();
        return true;
    }
    if (event->type() == WM_DEPOT_TEXTE) {
        const std::string forme = VersCp1252(static_cast<EvDepotTexte *>(event)->Texte.trimmed());
        const int32_t code = m_base.LocFormDic(forme, true);
        if (code >= 0) {
            DeposeGroupe(TgenDrag{{code}, kBlanc, {}}, false);
        }
        return true;
    }
    return QWidget::event(event);
}

void TFenCarteParag::closeEvent(QCloseEvent *event) {
    // The map stays listed on its view: closing it only puts it aside.
    if (auto *cadre = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        cadre->showMinimized();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TFenCarteParag::PaintBox1Clic(int32_t s, bool shift, bool ctrl) {
    m_carte.Clic(s, shift, ctrl);
    majBoutons();
    redessine();
    AfficheTexte();
}

void TFenCarteParag::BtnSecSuivClick() {
    m_carte.SectionSuivante();
    majBoutons();
    redessine();
    AfficheTexte();
}

void TFenCarteParag::BtnSecPrecClick() {
    m_carte.SectionPrecedente();
    majBoutons();
    redessine();
    AfficheTexte();
}

void TFenCarteParag::BtnOccSuivClick() { vaAOccurrence(true); }

void TFenCarteParag::BtnOccPrecClick() { vaAOccurrence(false); }

void TFenCarteParag::vaAOccurrence(bool suivante) {
    if (m_carte.Tgen1() == nullptr) {
        return;
    }
    const bool trouve = suivante ? m_carte.OccurrenceSuivante() : m_carte.OccurrencePrecedente();
    majBoutons();
    if (!trouve) {
        Bip();
        return;
    }
    redessine();
    AfficheTexte();
    m_scrollBox->ensureVisible(m_carte.Disposition().X(m_carte.SectCour()),
                               m_carte.Disposition().Y(m_carte.SectCour()));
}

void TFenCarteParag::BtnColClick() {
    if (m_carte.Tgen1() == nullptr || m_ctx.paramCarte == nullptr) {
        return;
    }
    TFenParamCarte &reglages = *m_ctx.paramCarte;
    QToolButton *col = Bouton("BtnCol");
    reglages.move(col->mapToGlobal(QPoint(0, col->height())));
    reglages.SetCouleur(m_carte.Tgen1()->Couleur);
    if (ExecuteDialogue(reglages) != QDialog::Accepted) {
        return;
    }
    const QString erreur = reglages.Applique(m_carte);
    if (!erreur.isEmpty()) {
        Message(this, QMessageBox::Critical, Tr("Réglages"), erreur, QMessageBox::Ok);
        return;
    }
    redessine();
}

void TFenCarteParag::SpecifsSections(bool desGroupes) {
    if (m_ctx.paramSpecSect == nullptr) {
        return;
    }
    TFenParamSpecSect &dialogue = *m_ctx.paramSpecSect;
    dialogue.SetFrequenceMax(m_base.Fmax());
    if (ExecuteDialogue(dialogue) != QDialog::Accepted) {
        return;
    }
    std::vector<int32_t> cibles =
        desGroupes ? m_carte.SectionsMarquees() : m_carte.SectionsSelectionnees();
    if (cibles.empty()) {
        return;
    }
    ParamSpecSections param;
    param.frqMin = dialogue.FrqMin();
    param.seuilPct = dialogue.SeuilPct();
    param.nbEtiqs = m_ctx.reglages != nullptr ? m_ctx.reglages->NbEtiqs : 1;
    const Section *section = &m_section;
    lance<ResultatSpecSections>(
        [section, cibles = std::move(cibles), param](const Progression &p) {
            return morvix::SpecSections(*section, cibles, param, p.StepIt, p.annulation);
        },
        [this](ResultatSpecSections r) {
            if (r.annule || r.Vide() || !m_ctx.ouvreSpecs) {
                return;
            }
            m_ctx.ouvreSpecs(std::move(r.resultats),
                             QString::number(r.nbSections) + Tr(" sections"));
        });
}

void TFenCarteParag::BtnEffacerClick() {
    ++m_demande; // a group still being computed is dropped
    m_carte.Reinitialise();
    RemplitPartitions();
    m_paintBox->Actualise();
    majGroupes();
    majBoutons();
    AfficheTexte();
}

} // namespace morvix::ui
