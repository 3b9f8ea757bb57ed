#include "partitions/TFenStatPart.h"

#include "ExportTableau.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "groups/TgenDrag.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/TFenPrinc.h"
#include "partitions/DelegueTableSpec.h"
#include "partitions/GrilleFigee.h"
#include "partitions/ModeleChrono.h"
#include "partitions/ModelePCLC.h"
#include "partitions/ModeleTableSpec.h"
#include "partitions/Partition.h"
#include "partitions/TextesPartition.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvix::ui {

namespace {

// The drag of the partition starts after this many pixels.
constexpr int kDistanceDrag = 10;

// Restores the normal cursor however the function ends.
struct Sablier {
    Sablier() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sablier() { QGuiApplication::restoreOverrideCursor(); }
    Sablier(const Sablier &) = delete;
    Sablier &operator=(const Sablier &) = delete;
};

// The colours of the 2 x 8 grid of the right-hand panel.
constexpr uint32_t kCouleursGrille[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

QIcon iconeAccroissement() {
    QPixmap p(24, 24);
    p.fill(Qt::transparent);
    QPainter peintre(&p);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(QPen(Qt::black, 1));
    peintre.drawLine(3, 21, 21, 21);
    peintre.drawLine(3, 21, 3, 3);
    QPainterPath courbe(QPointF(3, 21));
    courbe.cubicTo(QPointF(6, 6), QPointF(12, 5), QPointF(21, 4));
    peintre.setPen(QPen(QColor(0, 0, 200), 2));
    peintre.drawPath(courbe);
    return QIcon(p);
}

// Columns wide enough for their header in any language, at least the given width.
void largeurs(QTableView *vue, std::initializer_list<int> minimums) {
    int c = 0;
    for (int minimum : minimums) {
        const QString titre = vue->model()->headerData(c, Qt::Horizontal).toString();
        vue->setColumnWidth(c, std::max(minimum, vue->fontMetrics().horizontalAdvance(titre) + 14));
        ++c;
    }
}

} // namespace

TFenStatPart::TFenStatPart(TFenPrinc &fen, Partition &partition, QWidget *parent)
    : QWidget(parent), m_fen(fen), m_partition(partition) {
    setObjectName(QStringLiteral("FenStatPart"));
    setAttribute(Qt::WA_DeleteOnClose);
    const charg1 &base = partition.Base();
    setWindowTitle(Tr("Principales caractéristiques de la partition : ") +
                   DeCp1252(base.RetourneGraphie(partition.Cle, false)));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->setTabPosition(QTabWidget::South);
    creePagePCLC();
    creePageSpec();
    creePageChrono();
    m_pages->setTabVisible(1, false);
    m_pages->setTabVisible(2, false);
    m_pages->setCurrentIndex(0);

    // The section views of the corpus, in a hidden bar: nothing reads the choice.
    m_listeSections = new QComboBox;
    m_listeSections->setObjectName(QStringLiteral("ListeSections"));
    m_listeSections->addItem(Tr("<Aucun>"));
    Corpus &corpus = fen.CorpusModele();
    for (int32_t s = 0; s < corpus.NbSections(); ++s) {
        const Section &vue = *corpus.SectionI(s).Sect;
        QString texte = Tr("Délimiteurs : ");
        for (int32_t d = 0; d < vue.NbDelims; ++d) {
            texte += QLatin1Char(' ') +
                     DeCp1252(vue.Base->RetourneGraphie(vue.Delims[static_cast<size_t>(d)], false));
        }
        m_listeSections->addItem(texte);
    }
    m_listeSections->setVisible(false);

    auto *panneau = new QWidget;
    panneau->setObjectName(QStringLiteral("PanneauDroit"));
    creePanneau(panneau);
    auto *gauche = new QVBoxLayout;
    gauche->setContentsMargins(0, 0, 0, 0);
    gauche->addWidget(m_listeSections);
    gauche->addWidget(m_pages, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(gauche, 1);
    layout->addWidget(panneau);

    connect(&fen.Taches(), &ExecuteurTaches::OccupeChange, this, [this] { activeBoutons(); });
    connect(fen.Mdi(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) {
        if (w != nullptr && w->widget() == this) {
            Active();
        }
    });
    activeBoutons();
    resize(550, 400);
}

TFenStatPart::~TFenStatPart() = default;

void TFenStatPart::creePanneau(QWidget *panneau) {
    auto *colonne = new QVBoxLayout(panneau);
    colonne->setContentsMargins(0, 0, 0, 0);
    auto *couleurs = new QGridLayout;
    couleurs->setSpacing(1);
    for (int i = 0; i < 16; ++i) {
        auto *case_ = new QLabel;
        case_->setFixedSize(12, 12);
        case_->setStyleSheet(QStringLiteral("background: %1; border: 1px solid gray;")
                                 .arg(CouleurQt(kCouleursGrille[i]).name()));
        couleurs->addWidget(case_, i / 8, i % 8);
    }
    colonne->addLayout(couleurs);
    auto *outils = new QHBoxLayout;
    for (auto [nom, indication] :
         {std::pair{"BtnSelection", Tr("Sélection")}, std::pair{"BtnColoriage", Tr("Coloriage")}}) {
        auto *b = new QToolButton;
        b->setObjectName(QString::fromLatin1(nom));
        b->setText(indication);
        b->setToolTip(indication);
        b->setAccessibleName(indication);
        // These two have no action in this window.
        b->setEnabled(false);
        outils->addWidget(b);
    }
    colonne->addLayout(outils);
    auto bouton = [&](const char *nom, const QString &texte, const QString &indication,
                      void (TFenStatPart::*action)()) {
        auto *b = new QPushButton(texte);
        b->setObjectName(QString::fromLatin1(nom));
        if (!indication.isEmpty()) {
            b->setToolTip(indication);
        }
        connect(b, &QPushButton::clicked, this, action);
        colonne->addWidget(b);
        m_boutonsCalcul.push_back(b);
        return b;
    };
    bouton("BtnSpecifs", Tr("Spécifs"),
           Tr("Calcul des spécificités pour la partition\net le corpus sélectionnés"),
           &TFenStatPart::BtnSpecifsClick);
    bouton("BtnSpDiac", Tr("Sp Diac."),
           Tr("Calcul des accroissements spécifiques\net des spécificités chronologiques."),
           &TFenStatPart::BtnSpDiacClick);
    bouton("BtnAFC", Tr("AFC"), QString(), &TFenStatPart::BtnAFCClick);
    bouton("BtnCAH", Tr("CAH"), QString(), &TFenStatPart::BtnCAHClick);
    bouton("BtnPareto", Tr("Pareto"), QString(), &TFenStatPart::BtnParetoClick);
    QPushButton *acc = bouton("BtnAccVoc", QString(), Tr("Accroissement de vocabulaire"),
                              &TFenStatPart::BtnAccVocClick);
    acc->setIcon(iconeAccroissement());
    acc->setIconSize(QSize(24, 24));
    acc->setAccessibleName(Tr("Accroissement de vocabulaire"));
    bouton("BtnSpTot", Tr("Sp. Tot"),
           Tr("Calcul des spécificités par partie,\nchronologiques et évolutives pour\ntoutes "
              "les parties et sur la totalité du\ncorpus."),
           &TFenStatPart::BtnSpTotClick);
    colonne->addStretch(1);
}

void TFenStatPart::creePagePCLC() {
    const charg1 &base = m_partition.Base();
    m_pagePCLC = new QWidget;
    m_pagePCLC->setObjectName(QStringLiteral("PagePCLC"));
    m_resume = new QPlainTextEdit;
    m_resume->setObjectName(QStringLiteral("Resume"));
    m_resume->setReadOnly(true);
    m_resume->setPlainText(
        Tr("Nombre d'occurrences:") + QLatin1Char('\t') + QString::number(base.Nbocc()) +
        QLatin1Char('\t') + Tr("Nombre de formes:") + QStringLiteral("\t\t") +
        QString::number(base.Nbform()) + QLatin1Char('\n') + Tr("Nombre d'hapax:") +
        QStringLiteral("\t\t") + QString::number(base.Nhap()) + QLatin1Char('\t') +
        Tr("Fréquence maximale:") + QLatin1Char('\t') + QString::number(base.Fmax()));
    QPalette bulle = m_resume->palette();
    bulle.setColor(QPalette::Base, bulle.color(QPalette::ToolTipBase));
    bulle.setColor(QPalette::Text, bulle.color(QPalette::ToolTipText));
    m_resume->setPalette(bulle);
    m_resume->setFixedHeight(m_resume->fontMetrics().lineSpacing() * 2 + 12);
    m_resume->setTabStopDistance(m_resume->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 8);

    m_modelePCLC = new ModelePCLC(m_partition, this);
    m_grillePCLC = new QTableView;
    m_grillePCLC->setObjectName(QStringLiteral("GrillePCLC"));
    m_grillePCLC->setModel(m_modelePCLC);
    // Parts show their selection themselves: the view's own selection stays off.
    m_grillePCLC->setSelectionMode(QAbstractItemView::NoSelection);
    m_grillePCLC->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grillePCLC->verticalHeader()->hide();
    m_grillePCLC->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grillePCLC->verticalHeader()->setDefaultSectionSize(
        std::max(16, m_grillePCLC->fontMetrics().height() + 2));
    largeurs(m_grillePCLC, {16, 29, 224, 50, 49, 48, 54, 64});
    m_grillePCLC->viewport()->installEventFilter(this);
    m_grillePCLC->viewport()->setMouseTracking(false);
    InstalleExportTableau(m_grillePCLC, QStringLiteral("parties.tsv"));

    auto *colonne = new QVBoxLayout(m_pagePCLC);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(m_resume);
    colonne->addWidget(m_grillePCLC, 1);
    m_pages->addTab(m_pagePCLC, Tr("PCLC"));
}

void TFenStatPart::creePageSpec() {
    m_pageSpec = new QWidget;
    m_pageSpec->setObjectName(QStringLiteral("PageTableSpec"));
    m_modeleSpec = new ModeleTableSpec(this);
    m_grilleSpec = new GrilleFigee;
    m_grilleSpec->setObjectName(QStringLiteral("GrilleSpec"));
    m_grilleSpec->setModel(m_modeleSpec);
    m_grilleSpec->setItemDelegate(new DelegueTableSpec(m_grilleSpec));
    m_grilleSpec->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grilleSpec->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grilleSpec->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grilleSpec->ColonneFigee()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grilleSpec->SetHauteurLigne(std::max(16, m_grilleSpec->fontMetrics().height() + 2));
    m_grilleSpec->horizontalHeader()->setDefaultSectionSize(90);
    m_grilleSpec->horizontalHeader()->setSectionsClickable(true);
    m_grilleSpec->ColonneFigee()->horizontalHeader()->setSectionsClickable(true);
    connect(m_grilleSpec->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) {
                if (section > 0) {
                    ClicEnteteSpec(section);
                }
            });
    connect(m_grilleSpec->ColonneFigee()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) {
                if (section == 0) {
                    ClicEnteteSpec(0);
                }
            });
    for (QTableView *v : {static_cast<QTableView *>(m_grilleSpec), m_grilleSpec->ColonneFigee()}) {
        v->setAcceptDrops(true);
        v->viewport()->setAcceptDrops(true);
        v->viewport()->installEventFilter(this);
    }
    InstalleExportTableau(m_grilleSpec, QStringLiteral("specificites-par-partie.tsv"));

    auto *barre = new QHBoxLayout;
    barre->addWidget(new QLabel(Tr("Tri par :")));
    m_rbFrequence = new QRadioButton(Tr("&fréquence"));
    m_rbFrequence->setObjectName(QStringLiteral("RbFrequence"));
    m_rbFrequence->setChecked(true);
    m_rbSpecificite = new QRadioButton(Tr("&spécificité"));
    m_rbSpecificite->setObjectName(QStringLiteral("RbSpecificite"));
    m_rbSpecificite->setToolTip(Tr("Cliquez sur ce bouton pour\ntrier par spécificité."));
    connect(m_rbFrequence, &QRadioButton::clicked, this, [this] { ClicCle(true); });
    connect(m_rbSpecificite, &QRadioButton::clicked, this, [this] { ClicCle(false); });
    barre->addWidget(m_rbFrequence);
    barre->addWidget(m_rbSpecificite);
    barre->addStretch(1);

    auto *colonne = new QVBoxLayout(m_pageSpec);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(m_grilleSpec, 1);
    colonne->addLayout(barre);
    m_pages->addTab(m_pageSpec, Tr("TFG / Spécificités par partie"));
}

void TFenStatPart::creePageChrono() {
    m_pageChrono = new QWidget;
    m_pageChrono->setObjectName(QStringLiteral("PageChrono"));
    m_modeleChrono = new ModeleChrono(m_partition, this);
    m_grilleChrono = new QTableView;
    m_grilleChrono->setObjectName(QStringLiteral("GrilleChrono"));
    m_grilleChrono->setModel(m_modeleChrono);
    m_grilleChrono->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grilleChrono->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grilleChrono->verticalHeader()->hide();
    m_grilleChrono->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grilleChrono->verticalHeader()->setDefaultSectionSize(
        std::max(16, m_grilleChrono->fontMetrics().height() + 2));
    // The frequency columns hold the base's highest frequency.
    const int nombre = m_grilleChrono->fontMetrics().horizontalAdvance(
                           QString::number(m_partition.Base().Fmax())) +
                       14;
    largeurs(m_grilleChrono, {204, std::max(36, nombre), std::max(35, nombre), 40, 68});
    m_grilleChrono->horizontalHeader()->setStretchLastSection(true);
    m_grilleChrono->horizontalHeader()->setSectionsClickable(true);
    connect(m_grilleChrono->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFenStatPart::ClicEnteteChrono);
    InstalleExportTableau(m_grilleChrono, QStringLiteral("specificites-chronologiques.tsv"));
    auto *colonne = new QVBoxLayout(m_pageChrono);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(m_grilleChrono);
    m_pages->addTab(m_pageChrono, Tr("Spécificités Chronologiques"));
}

QAbstractButton *TFenStatPart::Bouton(const char *nom) const {
    return findChild<QAbstractButton *>(QString::fromLatin1(nom));
}

void TFenStatPart::activeBoutons() {
    const bool libre = !m_fen.Taches().Occupe();
    for (QAbstractButton *b : m_boutonsCalcul) {
        b->setEnabled(libre);
    }
}

void TFenStatPart::montrePage(QWidget *page) {
    m_pages->setTabVisible(m_pages->indexOf(page), true);
    m_pages->setCurrentWidget(page);
}

void TFenStatPart::Active() {
    auto *cadre = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (cadre == nullptr || cadre->isMinimized() || cadre->isMaximized()) {
        return;
    }
    const int largeur = m_fen.LargeurLibre() - 16;
    const int hauteur = m_fen.HauteurLibre() / 2 - 12;
    if (largeur > 0 && hauteur > 0) {
        cadre->setGeometry(0, 0, largeur, hauteur);
    }
}

void TFenStatPart::PCLCClic(int32_t partie, int32_t colonne) {
    if (partie < 0 || partie >= m_partition.NbParties) {
        return;
    }
    // A job may be reading the marks (this window's, or an analysis run on the partition).
    if (m_calculEnCours || m_fen.Taches().Occupe()) {
        Bip();
        return;
    }
    const auto q = static_cast<size_t>(partie);
    if (colonne == ModelePCLC::ColCoche) {
        m_partition.Cochee[q] = !m_partition.Cochee[q];
        if (!m_partition.Cochee[q]) {
            m_partition.Selec[q] = false;
        }
    } else if (m_partition.Cochee[q]) {
        m_partition.Selec[q] = !m_partition.Selec[q];
    }
    m_modelePCLC->Actualise();
}

bool TFenStatPart::filtrePCLC(QEvent *event) {
    auto *souris = static_cast<QMouseEvent *>(event);
    const QModelIndex index = m_grillePCLC->indexAt(souris->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (souris->button() == Qt::LeftButton) {
            m_appuiPartie = index.isValid() ? index.row() : -1;
            m_appuiColonne = index.isValid() ? index.column() : -1;
            m_appuiPosition = souris->position().toPoint();
        }
        return true;
    case QEvent::MouseMove:
        if ((souris->buttons() & Qt::LeftButton) && index.isValid()) {
            // A move shorter than the drag distance still counts as a click.
            if ((souris->position().toPoint() - m_appuiPosition).manhattanLength() >=
                kDistanceDrag) {
                m_appuiPartie = m_appuiColonne = -1;
                auto *drag = new QDrag(m_grillePCLC);
                drag->setMimeData(new TPartDragObject(m_grillePCLC, &m_partition));
                drag->exec(Qt::CopyAction);
            }
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (souris->button() == Qt::LeftButton && index.isValid() &&
            (index.row() == m_appuiPartie || index.column() == m_appuiColonne)) {
            PCLCClic(index.row(), index.column());
        }
        m_appuiPartie = m_appuiColonne = -1;
        return true;
    default:
        return false;
    }
}

bool TFenStatPart::filtreDepot(QEvent *event) {
    auto *depot = static_cast<QDropEvent *>(event);
    const TTgenDragObject *groupe = GroupeDeplace(depot->mimeData());
    if (groupe == nullptr || m_table == nullptr || m_calculEnCours) {
        return false;
    }
    if (event->type() == QEvent::Drop) {
        DeposeGroupe(groupe->Contenu());
    }
    depot->acceptProposedAction();
    return true;
}

bool TFenStatPart::eventFilter(QObject *objet, QEvent *event) {
    if (objet == m_grillePCLC->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return filtrePCLC(event);
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            break;
        }
    } else if (objet == m_grilleSpec->viewport() ||
               objet == m_grilleSpec->ColonneFigee()->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return filtreDepot(event);
        default:
            break;
        }
    }
    return QWidget::eventFilter(objet, event);
}

bool TFenStatPart::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteRapport();
        return true;
    }
    return QWidget::event(event);
}

void TFenStatPart::ClicEnteteSpec(int section) {
    if (m_table == nullptr || m_calculEnCours) {
        return;
    }
    Sablier sablier;
    if (section == 0) {
        m_table->ClicColonneFixe();
    } else {
        m_table->ClicColonne(section - 1, m_rbFrequence->isChecked());
    }
    m_modeleSpec->Actualise();
}

void TFenStatPart::ClicCle(bool parFrequence) {
    if (m_table == nullptr || m_calculEnCours) {
        return;
    }
    Sablier sablier;
    const int32_t avant = m_table->ModeTri();
    m_table->ClicCle(parFrequence);
    if (m_table->ModeTri() != avant) {
        m_modeleSpec->Actualise();
    }
}

void TFenStatPart::ClicEnteteChrono(int colonne) {
    if (m_chrono == nullptr) {
        return;
    }
    const int32_t ordre = OrdreChronoApresClic(colonne, m_ordreChrono);
    if (ordre < 0) {
        return;
    }
    Sablier sablier;
    m_chrono->Trie(ordre);
    m_ordreChrono = ordre;
    m_modeleChrono->Actualise();
}

void TFenStatPart::DeposeGroupe(const TgenDrag &drag) {
    if (m_table == nullptr || m_calculEnCours || drag.codes.empty()) {
        return;
    }
    Sablier sablier;
    m_table->SetLignes(drag.codes);
    m_modeleSpec->Actualise();
}

void TFenStatPart::installeTable(std::shared_ptr<TableSpec> table) {
    m_modeleSpec->SetTable(nullptr);
    m_table = std::move(table);
    m_modeleSpec->SetTable(m_table.get());
    const QString titre = m_modeleSpec->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
    m_grilleSpec->setColumnWidth(
        0, std::max(150, m_grilleSpec->fontMetrics().horizontalAdvance(titre) + 14));
    montrePage(m_pageSpec);
}

} // namespace morvix::ui
