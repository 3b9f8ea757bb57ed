#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "dictionary/TFenDicNum.h"
#include "groups/Tgen.h"
#include "mainwindow/ConteneurGroupes.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/Glyphes.h"
#include "mainwindow/TFenNavig.h"
#include "report/TFenEddy.h"
#include "sections/TFenParamCarte.h"
#include "sections/TFenParamSpecSect.h"
#include "util/Programme.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

// The toolbar panel: also the drop target for texts dragged in from other programs.
class PanneauOutils : public QWidget {
  public:
    explicit PanneauOutils(TFenPrinc *fen) : QWidget(fen), m_fen(fen) {
        setObjectName(QStringLiteral("Panel1"));
        setAcceptDrops(true);
        setFixedHeight(52);
    }

  protected:
    static bool texteExterne(const QMimeData *data) {
        return !data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText();
    }
    void dragEnterEvent(QDragEnterEvent *event) override {
        if (texteExterne(event->mimeData())) {
            event->acceptProposedAction();
        }
    }
    void dragMoveEvent(QDragMoveEvent *event) override {
        if (texteExterne(event->mimeData())) {
            event->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent *event) override {
        if (!texteExterne(event->mimeData())) {
            return;
        }
        QApplication::postEvent(m_fen, new EvDepotTexte(event->mimeData()->text()));
        event->acceptProposedAction();
    }

  private:
    TFenPrinc *m_fen;
};

} // namespace

TFenPrinc::TFenPrinc(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FenPrinc"));
    setWindowTitle(Tr("Morvix3"));
    setWindowIcon(IconeGlyphe(Glyphe::PCLC));

    auto *central = new QWidget;
    auto *colonne = new QVBoxLayout(central);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    m_panel1 = new PanneauOutils(this);
    CreeBarreOutils(m_panel1);
    colonne->addWidget(m_panel1);

    auto *milieu = new QHBoxLayout;
    milieu->setContentsMargins(0, 0, 0, 0);
    milieu->setSpacing(0);
    CreePanneauGauche();
    // The left panel and its strip on one side of a splitter, the windows on the other.
    auto *gauche = new QWidget;
    gauche->setObjectName(QStringLiteral("Gauche"));
    auto *ligneGauche = new QHBoxLayout(gauche);
    ligneGauche->setContentsMargins(0, 0, 0, 0);
    ligneGauche->setSpacing(0);
    ligneGauche->addWidget(m_panneauFond, 1);
    ligneGauche->addWidget(m_panBtnRetreci);
    m_mdi = new QMdiArea;
    m_mdi->setObjectName(QStringLiteral("ClientMdi"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_separateur = new QSplitter(Qt::Horizontal);
    m_separateur->setObjectName(QStringLiteral("Separateur"));
    m_separateur->setChildrenCollapsible(false);
    // A horizontal splitter only prefers its height: it must take the free height.
    m_separateur->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_separateur->addWidget(gauche);
    m_separateur->addWidget(m_mdi);
    m_separateur->setStretchFactor(0, 0);
    m_separateur->setStretchFactor(1, 1);
    m_separateur->setSizes({296 + 10, 1024});
    connect(m_separateur, &QSplitter::splitterMoved, this, [this] { CalculeZoneLibre(); });
    milieu->addWidget(m_separateur, 1);
    m_onglets = new QTabBar;
    m_onglets->setObjectName(QStringLiteral("OngletsFeuilles"));
    m_onglets->setShape(QTabBar::RoundedEast);
    m_onglets->setExpanding(false);
    m_onglets->setContextMenuPolicy(Qt::CustomContextMenu);
    milieu->addWidget(m_onglets);
    colonne->addLayout(milieu, 1);
    setCentralWidget(central);

    connect(m_onglets, &QTabBar::currentChanged, this, [this](int nouvelle) {
        if (m_feuilleCourante >= 0 && m_feuilleCourante != nouvelle) {
            QuitteFeuille(m_feuilleCourante);
        }
        m_feuilleCourante = nouvelle;
        if (nouvelle >= 0) {
            EntreFeuille(nouvelle);
        }
    });
    connect(m_onglets, &QTabBar::customContextMenuRequested, this, [this](const QPoint &p) {
        const int i = m_onglets->tabAt(p);
        if (i >= 0) {
            Message(this, QMessageBox::NoIcon, Tr("Morvix3"), m_onglets->tabText(i),
                    QMessageBox::Ok);
        }
    });

    CreeMenus();
    CreeBarreEtat();
    m_timerTile = new QTimer(this);
    m_timerTile->setObjectName(QStringLiteral("TimerTile"));
    m_timerTile->setInterval(1);
    m_timerTile->setSingleShot(true);
    connect(m_timerTile, &QTimer::timeout, this, &TFenPrinc::Mosaique);
    connect(m_navig, &TFenNavig::FenetreChoisie, this, &TFenPrinc::ChoixNoeud);
    connect(m_navig, &TFenNavig::NoeudChoisi, this, &TFenPrinc::NoeudChoisi);
    ActiveCommandesBase(false);
    m_btnSauvRapport->setEnabled(false);
    InitArbreRapport();
    resize(1024, 720);
    m_paramCarte = new TFenParamCarte(this);
    m_paramSpecSect = new TFenParamSpecSect(this);
}

TFenPrinc::~TFenPrinc() {
    // No job may still read what goes below.
    m_taches.Arrete();
    // Windows built on the base go before it.
    FermeFenetresBase();
    m_rapport.reset();
    m_queue = TgenQueue();
    m_corpus.RetireBase(m_base.get());
    m_base.reset();
}

QToolButton *TFenPrinc::Bouton(const char *nom) const {
    return m_panel1->findChild<QToolButton *>(QString::fromLatin1(nom));
}

void TFenPrinc::CreeBarreOutils(QWidget *panel) {
    auto *ligne = new QHBoxLayout(panel);
    ligne->setContentsMargins(4, 4, 4, 4);
    ligne->setSpacing(2);
    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(Logo());
    logo->setFixedSize(205, 42);
    ligne->addWidget(logo);
    ligne->addSpacing(6);
    auto bouton = [&](const char *nom, Glyphe g, const char *indication) {
        auto *b = new QToolButton;
        b->setObjectName(QString::fromLatin1(nom));
        b->setAutoRaise(true);
        b->setIcon(IconeGlyphe(g));
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(38, 38);
        b->setToolTip(Tr(indication));
        b->setProperty("indication", Tr(indication));
        b->setAccessibleName(Tr(indication));
        b->setToolTipDuration(4000);
        ligne->addWidget(b);
        return b;
    };
    connect(bouton("BtnSegment", Glyphe::Segment, "Nouvelle base (segmentation)"),
            &QToolButton::clicked, this, [this] { Segmente(QString()); });
    connect(bouton("BtnOuvrir", Glyphe::Ouvrir, "Ouverture d'une base"), &QToolButton::clicked,
            this, [this] { OuvreBase(QString()); });
    connect(bouton("BtnDocu", Glyphe::Docu, "Concordances et inventaires distributionnels"),
            &QToolButton::clicked, this, &TFenPrinc::BtnDocuClick);
    connect(bouton("BtnSR", Glyphe::SR, "Segments Répétés"), &QToolButton::clicked, this,
            &TFenPrinc::BtnSRClick);
    QToolButton *pclc =
        bouton("BtnPCLC", Glyphe::PCLC, "Principales caractéristiques Lexicométriques");
    m_menuPCLC = new QMenu(this);
    m_menuPCLC->setObjectName(QStringLiteral("PmnPCLC"));
    connect(pclc, &QToolButton::clicked, this,
            [this, pclc] { PmnPCLCPopup()->popup(pclc->mapToGlobal(QPoint(0, pclc->height()))); });
    connect(bouton("BtnPart", Glyphe::Part, "Statistiques par partie"), &QToolButton::clicked, this,
            &TFenPrinc::BtnPartClick);
    connect(bouton("BtnParag", Glyphe::Parag, "Carte des sections"), &QToolButton::clicked, this,
            &TFenPrinc::BtnParagClick);
    connect(bouton("BtnSelFormes", Glyphe::SelFormes, "Groupe de formes"), &QToolButton::clicked,
            this, &TFenPrinc::BtnSelFormesClick);
    ligne->addSpacing(4);
    m_container = new ConteneurGroupes(m_queue);
    ligne->addWidget(m_container);
    connect(m_container, &ConteneurGroupes::GroupeDepose, this, &TFenPrinc::ContainerDragDrop);
    connect(m_container, &ConteneurGroupes::TexteDepose, this,
            [this](const QString &t) { QApplication::postEvent(this, new EvDepotTexte(t)); });
    ligne->addSpacing(4);
    connect(bouton("BtnMosaique", Glyphe::Mosaique, "Mosaïque"), &QToolButton::clicked, this,
            &TFenPrinc::Mosaique);
    QToolButton *va =
        bouton("BtnVaVersFeuille", Glyphe::VaVersFeuille, "Déplacer vers une autre feuille");
    connect(va, &QToolButton::clicked, this,
            [this, va] { MenuFeuilles()->popup(va->mapToGlobal(QPoint(va->width(), 0))); });
    connect(bouton("BtnNvFeuille", Glyphe::NvFeuille, "Créer une nouvelle feuille"),
            &QToolButton::clicked, this, &TFenPrinc::NouvelleFeuille);
    connect(bouton("BtnAjouteRap", Glyphe::AjouteRap, "Ajouter au rapport"), &QToolButton::clicked,
            this, &TFenPrinc::BtnAjouteRapClick);
    connect(bouton("BtnOptions", Glyphe::Options, "Options..."), &QToolButton::clicked, this,
            &TFenPrinc::BtnOptionsClick);
    connect(bouton("BtnEdit", Glyphe::Edit, "Editeur"), &QToolButton::clicked, this,
            &TFenPrinc::BtnEditClick);
    connect(bouton("HelpBtn", Glyphe::Aide, "Aide"), &QToolButton::clicked, this,
            &TFenPrinc::HelpBtnClick);
    connect(bouton("ExitBtn", Glyphe::Quitter, "Quitter"), &QToolButton::clicked, this,
            &QWidget::close);
    QToolButton *liste = bouton("BtnListFen", Glyphe::ListFen, "Liste des fenêtres");
    m_menuListFen = new QMenu(this);
    m_menuListFen->setObjectName(QStringLiteral("PmnListFen"));
    connect(liste, &QToolButton::clicked, this, [this, liste] {
        PmnListFenPopup()->popup(liste->mapToGlobal(QPoint(0, liste->height())));
    });
    ligne->addStretch(1);
}

void TFenPrinc::CreePanneauGauche() {
    m_panneauFond = new QWidget;
    m_panneauFond->setObjectName(QStringLiteral("PanneauFond"));
    m_panneauFond->setMinimumWidth(15);
    m_panneauFond->resize(296, m_panneauFond->height());
    auto *colonne = new QVBoxLayout(m_panneauFond);
    colonne->setContentsMargins(0, 0, 0, 0);
    m_listesGauche = new QTabWidget;
    m_listesGauche->setObjectName(QStringLiteral("ListesGauche"));
    m_listesGauche->setTabsClosable(true);
    colonne->addWidget(m_listesGauche);
    connect(m_listesGauche, &QTabWidget::tabCloseRequested, this, [this](int i) {
        if (i >= 2) {
            m_listesGauche->widget(i)->close();
        }
    });
    // A double click on a docked window's tab takes it out as a child window of the frame.
    connect(m_listesGauche, &QTabWidget::tabBarDoubleClicked, this, [this](int i) {
        if (i >= 2) {
            QWidget *fenetre = m_listesGauche->widget(i);
            m_listesGauche->removeTab(i);
            AjouteEnfant(fenetre)->show();
        }
    });

    auto *pageNavig = new QWidget;
    pageNavig->setObjectName(QStringLiteral("PanneauNavig"));
    auto *colNavig = new QVBoxLayout(pageNavig);
    colNavig->setContentsMargins(0, 0, 0, 0);
    m_navig = new TFenNavig;
    colNavig->addWidget(m_navig, 1);
    m_listesGauche->addTab(pageNavig, Tr("Navigation"));

    auto *pageRapport = new QWidget;
    pageRapport->setObjectName(QStringLiteral("PageRapport"));
    auto *colRapport = new QVBoxLayout(pageRapport);
    colRapport->setContentsMargins(0, 0, 0, 0);
    m_arbreRapport = new QTreeWidget;
    m_arbreRapport->setObjectName(QStringLiteral("TreeViewRapport"));
    m_arbreRapport->setHeaderHidden(true);
    colRapport->addWidget(m_arbreRapport, 1);
    auto *boutons = new QHBoxLayout;
    m_btnNouvRap = new QPushButton(Tr("Nouveau"));
    m_btnNouvRap->setObjectName(QStringLiteral("BtnNouvRap"));
    m_btnNouvRap->setToolTip(Tr("Créer un nouveau rapport"));
    m_btnSauvRapport = new QPushButton(Tr("Enregistrer"));
    m_btnSauvRapport->setObjectName(QStringLiteral("BtnSauvRapport"));
    m_btnSauvRapport->setToolTip(Tr("Enregistrer le rapport"));
    boutons->addWidget(m_btnNouvRap);
    boutons->addWidget(m_btnSauvRapport);
    colRapport->addLayout(boutons);
    connect(m_btnNouvRap, &QPushButton::clicked, this, &TFenPrinc::BtnNouvRapClick);
    connect(m_btnSauvRapport, &QPushButton::clicked, this, &TFenPrinc::BtnSauvRapportClick);
    m_listesGauche->addTab(pageRapport, Tr("Rapport"));
    for (int i = 0; i < 2; ++i) {
        m_listesGauche->tabBar()->setTabButton(i, QTabBar::RightSide, nullptr);
        m_listesGauche->tabBar()->setTabButton(i, QTabBar::LeftSide, nullptr);
    }

    m_panBtnRetreci = new QWidget;
    m_panBtnRetreci->setObjectName(QStringLiteral("PanBtnRetreci"));
    m_panBtnRetreci->setFixedWidth(10);
    auto *colStrip = new QVBoxLayout(m_panBtnRetreci);
    colStrip->setContentsMargins(0, 0, 0, 0);
    auto *retreci = new QToolButton;
    retreci->setObjectName(QStringLiteral("BtnRetreci"));
    retreci->setText(QStringLiteral("|<"));
    retreci->setToolTip(Tr("Cacher / montrer le panneau de navigation"));
    retreci->setAccessibleName(Tr("Cacher / montrer le panneau de navigation"));
    retreci->setFixedWidth(10);
    QFont petite = retreci->font();
    petite.setPixelSize(8);
    retreci->setFont(petite);
    colStrip->addWidget(retreci);
    colStrip->addStretch(1);
    connect(retreci, &QToolButton::clicked, this, &TFenPrinc::BtnRetreciClick);
}

void TFenPrinc::CreeMenus() {
    QMenu *fichier = menuBar()->addMenu(Tr("&Fichier"));
    connect(fichier->addAction(Tr("&Nouveau")), &QAction::triggered, this,
            [this] { Segmente(QString()); });
    QAction *ouvrir = fichier->addAction(Tr("&Ouvrir..."));
    ouvrir->setObjectName(QStringLiteral("ActionOuvrir"));
    connect(ouvrir, &QAction::triggered, this, [this] { OuvreBase(QString()); });
    fichier->addSeparator();
    connect(fichier->addAction(Tr("&Quitter")), &QAction::triggered, this, &QWidget::close);

    QMenu *traitement = menuBar()->addMenu(Tr("&Traitement"));
    QAction *sections = traitement->addAction(Tr("Carte des &sections"));
    QAction *partition = traitement->addAction(Tr("&Partition"));
    partition->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *concordance = traitement->addAction(Tr("&Concordance"));
    for (auto [action, nom] : {std::pair{sections, "BtnParag"}, std::pair{partition, "BtnPart"},
                               std::pair{concordance, "BtnDocu"}}) {
        QToolButton *b = Bouton(nom);
        connect(action, &QAction::triggered, b, [b] {
            if (b->isEnabled()) {
                b->click();
            }
        });
    }

    m_menuFenetre = menuBar()->addMenu(Tr("Fe&nêtre"));
    connect(m_menuFenetre, &QMenu::aboutToShow, this, [this] {
        m_menuFenetre->clear();
        connect(m_menuFenetre->addAction(Tr("&Mosaïque")), &QAction::triggered, this,
                &TFenPrinc::Mosaique);
        connect(m_menuFenetre->addAction(Tr("&Cascade")), &QAction::triggered, m_mdi,
                &QMdiArea::cascadeSubWindows);
        connect(m_menuFenetre->addAction(Tr("&Réorganiser les icônes")), &QAction::triggered, this,
                [this] {
                    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
                        if (w->isMinimized()) {
                            w->showMinimized();
                        }
                    }
                });
        const auto fenetres = m_mdi->subWindowList();
        if (!fenetres.isEmpty()) {
            m_menuFenetre->addSeparator();
        }
        for (int i = 0; i < fenetres.size(); ++i) {
            QMdiSubWindow *w = fenetres[i];
            QAction *a =
                m_menuFenetre->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()));
            a->setCheckable(true);
            a->setChecked(w == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, w] { m_mdi->setActiveSubWindow(w); });
        }
    });
}

void TFenPrinc::CreeBarreEtat() {
    QStatusBar *barre = statusBar();
    barre->setObjectName(QStringLiteral("StatusBar1"));
    m_gauge = new QProgressBar;
    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setRange(0, 200);
    m_gauge->setValue(0);
    m_gauge->setTextVisible(false);
    m_gauge->setFixedWidth(200);
    barre->addWidget(m_gauge);
    m_btnAnnuler = new QPushButton(Tr("Annuler"));
    m_btnAnnuler->setObjectName(QStringLiteral("BtnAnnuler"));
    m_btnAnnuler->setToolTip(Tr("Arrêter le calcul en cours (Échap)"));
    m_btnAnnuler->setAccessibleName(Tr("Arrêter le calcul en cours"));
    m_btnAnnuler->setVisible(false);
    barre->addWidget(m_btnAnnuler);
    m_taches.AttribGauge(m_gauge);
    m_taches.AttribBoutonAnnuler(m_btnAnnuler);
    m_taches.AttribMessage([this](const QString &texte) { StatusMessage(texte); });
    auto *echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    echap->setObjectName(QStringLiteral("RaccourciAnnuler"));
    // Only while a job runs, and only in the main window: Esc keeps closing dialogs.
    echap->setContext(Qt::WindowShortcut);
    echap->setEnabled(false);
    connect(echap, &QShortcut::activated, &m_taches, [this] {
        if (m_taches.Occupe()) {
            m_taches.Annule();
        }
    });
    connect(&m_taches, &ExecuteurTaches::OccupeChange, this, &TFenPrinc::TacheEnCours);
    const int largeurs[3] = {200, 175, 50};
    for (int i = 0; i < 3; ++i) {
        m_panneaux[i] = new QLabel;
        m_panneaux[i]->setObjectName(QStringLiteral("Panneau%1").arg(i));
        if (i > 0) {
            m_panneaux[i]->setMinimumWidth(largeurs[i]);
            barre->addWidget(m_panneaux[i], i == 2 ? 1 : 0);
        }
    }
}

void TFenPrinc::ActiveCommandesBase(bool actif) {
    for (const char *nom : {"BtnNvFeuille", "BtnVaVersFeuille", "BtnAjouteRap"}) {
        Bouton(nom)->setEnabled(actif);
    }
    const std::pair<const char *, bool> analyses[] = {{"BtnParag", BtnParagDisponible()},
                                                      {"BtnDocu", BtnDocuDisponible()},
                                                      {"BtnPart", BtnPartDisponible()},
                                                      {"BtnSR", BtnSRDisponible()},
                                                      {"BtnSelFormes", BtnSelFormesDisponible()}};
    for (const auto &[nom, disponible] : analyses) {
        QToolButton *b = Bouton(nom);
        b->setEnabled(actif && disponible);
        const QString indication = b->property("indication").toString();
        b->setToolTip(disponible
                          ? indication
                          : indication + Tr("\n(cette commande n'est pas encore disponible)"));
    }
}

void TFenPrinc::TacheEnCours(bool occupe) {
    if (auto *echap = findChild<QShortcut *>(QStringLiteral("RaccourciAnnuler"))) {
        echap->setEnabled(occupe);
    }
    for (const char *nom : {"BtnSegment", "BtnOuvrir"}) {
        Bouton(nom)->setEnabled(!occupe);
    }
    if (m_base) {
        Bouton("BtnSR")->setEnabled(!occupe && BtnSRDisponible());
    }
    if (QAction *ouvrir = findChild<QAction *>(QStringLiteral("ActionOuvrir"))) {
        ouvrir->setEnabled(!occupe);
    }
    if (!occupe && m_fermerApresTache) {
        // The close asked for during the job: once the flow that waited for it has returned.
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TFenPrinc::GaugeStepIt() {
    m_gauge->setValue(std::min(m_gauge->maximum(), m_gauge->value() + 1));
    m_gauge->repaint();
}

void TFenPrinc::GaugeStepBy2() {
    m_gauge->setValue(std::min(m_gauge->maximum(), m_gauge->value() + 2));
    m_gauge->repaint();
}

void TFenPrinc::GaugeReset() {
    m_gauge->setValue(0);
    m_gauge->repaint();
}

void TFenPrinc::StatusMessage(const QString &texte) {
    m_panneaux[1]->setText(texte);
    statusBar()->repaint();
}

void TFenPrinc::CalculeZoneLibre() {
    m_largeurLibre =
        width() - m_panneauFond->width() - m_panBtnRetreci->width() - m_onglets->sizeHint().width();
    m_hauteurLibre = height() - m_panel1->height() - statusBar()->height() -
                     (menuBar()->isVisible() ? menuBar()->height() : 0);
}

void TFenPrinc::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    CalculeZoneLibre();
}

bool TFenPrinc::event(QEvent *event) {
    if (event->type() == WM_DEPOT_TEXTE) {
        DepotTexte(static_cast<EvDepotTexte *>(event)->Texte);
        return true;
    }
    return QMainWindow::event(event);
}

void TFenPrinc::DepotTexte(const QString &texte) {
    if (!m_base) {
        return;
    }
    const std::string forme = VersCp1252(texte.trimmed());
    const int32_t code = m_base->LocFormDic(forme, true);
    if (code < 0) {
        return;
    }
    AjouteTgen(std::make_unique<Tgen>(m_base.get(), &code, 1, nullptr));
}

void TFenPrinc::ContainerDragDrop(const TgenDrag &drag) {
    if (!m_base) {
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    AjouteTgen(TgenDepuisDepot(*m_base, drag, true));
    QGuiApplication::restoreOverrideCursor();
}

void TFenPrinc::AjouteTgen(std::unique_ptr<Tgen> groupe) {
    m_queue.AjouteTgen(std::move(groupe));
    m_container->Actualise();
}

void TFenPrinc::Docke(QWidget *fenetre) {
    const int page = m_listesGauche->addTab(fenetre, fenetre->windowTitle());
    connect(fenetre, &QWidget::windowTitleChanged, m_listesGauche,
            [this, fenetre](const QString &t) {
                const int i = m_listesGauche->indexOf(fenetre);
                if (i >= 0) {
                    m_listesGauche->setTabText(i, t);
                }
            });
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    (void)page;
}

QMdiSubWindow *TFenPrinc::AjouteEnfant(QWidget *fenetre) {
    QMdiSubWindow *cadre = m_mdi->addSubWindow(fenetre);
    cadre->setAttribute(Qt::WA_DeleteOnClose);
    return cadre;
}

void TFenPrinc::Mosaique() { m_mdi->tileSubWindows(); }

void TFenPrinc::BtnRetreciClick() {
    const int largeur = m_panneauFond->width() > 295 ? 15 : 296;
    QList<int> tailles = m_separateur->sizes();
    const int total = tailles.value(0) + tailles.value(1);
    const int gauche = largeur + m_panBtnRetreci->width();
    m_separateur->setSizes({gauche, std::max(0, total - gauche)});
    m_panneauFond->resize(largeur, m_panneauFond->height());
    CalculeZoneLibre();
}

QString TFenPrinc::ReglageMaxart(const QString &texte) {
    TFenOpt dialogue(QString(), this);
    dialogue.EdEtiqs()->setText(QString::number(m_reglages.NbEtiqs));
    dialogue.EdMaxart()->setText(texte);
    return dialogue.Applique(m_reglages);
}

void TFenPrinc::BtnOptionsClick() {
    TFenOpt dialogue(DeCheminNatif(DossierProgramme() + "Musiques"), this);
    if (dialogue.exec() != QDialog::Accepted) {
        return;
    }
    const QString erreur = dialogue.Applique(m_reglages);
    if (!erreur.isEmpty()) {
        Message(this, QMessageBox::Critical, Tr("Morvix3"), erreur, QMessageBox::Ok);
    }
}

void TFenPrinc::BtnAjouteRapClick() {
    if (QMdiSubWindow *active = m_mdi->activeSubWindow()) {
        QApplication::postEvent(active->widget(), new QEvent(WM_AJOUTE_RAPPORT));
    }
}

void TFenPrinc::OuvrePage(const QString &page) {
    if (!Interactions().ouvreDocument(page)) {
        Message(this, QMessageBox::Warning, Tr("Morvix3"),
                Tr("Aucun navigateur n'a pu être lancé pour ouvrir la page\n%1").arg(page),
                QMessageBox::Ok);
    }
}

void TFenPrinc::BtnEditClick() {
    OuvrePage(DeCheminNatif(DossierProgramme() + "rapport/index.htm"));
}

void TFenPrinc::HelpBtnClick() {
    OuvrePage(DeCheminNatif(DossierProgramme() + "aide/html/aide.html"));
}

} // namespace morvix::ui
