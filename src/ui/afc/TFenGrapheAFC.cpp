#include "afc/TFenGrapheAFC.h"

#include "ExportTableau.h"
#include "GrilleCouleurs.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "VueGraphique.h"
#include "afc/ModeleFacteurs.h"
#include "afc/TListePoints.h"
#include "afc/TableFacteurs.h"
#include "afc/VueCarteAFC.h"
#include "base/charg1.h"
#include "groups/VentilationTgen.h"
#include "mainwindow/Evenements.h"
#include "partitions/Partition.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegend>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace morvix::ui {

namespace {

int32_t s_compteurImages = 0;
// Orange, 0x00BBGGRR.
constexpr uint32_t kCouleurValeursPropres = 0x4B73F7;

QIcon iconePinceau() {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(20, 3, 10, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0xC0));
    QPainterPath touffe;
    touffe.moveTo(10, 11);
    touffe.cubicTo(4, 12, 6, 18, 2, 22);
    touffe.cubicTo(8, 21, 12, 18, 12, 13);
    p.drawPath(touffe);
    return QIcon(pm);
}

QIcon iconeFleche() {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath f;
    f.moveTo(6, 3);
    f.lineTo(6, 19);
    f.lineTo(10, 15);
    f.lineTo(13, 21);
    f.lineTo(15, 20);
    f.lineTo(12, 14);
    f.lineTo(18, 14);
    f.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(f);
    return QIcon(pm);
}

QToolButton *bouton(const char *nom, const QString &texte, const QString &bulle = {}) {
    auto *b = new QToolButton;
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setToolTip(bulle.isEmpty() ? texte : bulle);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

} // namespace

int32_t TFenGrapheAFC::CompteurImages() { return s_compteurImages; }

TFenGrapheAFC::TFenGrapheAFC(Partition &partition, std::unique_ptr<TListePoints> points,
                             std::vector<int64_t> valeursPropres, ServicesAfc services,
                             QWidget *parent)
    : QWidget(parent), m_partition(partition), m_points(std::move(points)),
      m_services(std::move(services)), m_pages(new QStackedWidget), m_histogramme(new QChart),
      m_table(new QTableView), m_cbAxeX(new QComboBox), m_cbAxeY(new QComboBox), m_etat(new QLabel),
      m_grille(new GrilleCouleurs), m_rbNom(new QRadioButton), m_rbId(new QRadioButton) {
    setObjectName(QStringLiteral("FenGrapheAFC"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Tr("Analyse factorielle des correspondances - ") +
                   DeCp1252(partition.Base().RetourneGraphie(partition.Cle, false)));
    setMinimumSize(100, 120);
    resize(800, 560);

    // Histogram page.
    m_histogramme->setTitle(Tr("Histogramme des valeurs propres"));
    m_histogramme->legend()->setVisible(false);
    QLinearGradient degrade(0, 0, 0, 1);
    degrade.setCoordinateMode(QGradient::ObjectBoundingMode);
    degrade.setColorAt(0, QColor(0xF4, 0xF8, 0xFF));
    degrade.setColorAt(1, QColor(0xC8, 0xD4, 0xE8));
    m_histogramme->setBackgroundBrush(degrade);
    m_vueHisto = new VueGraphique(m_histogramme, QStringLiteral("valeurs-propres.svg"));
    m_vueHisto->setObjectName(QStringLiteral("GrapheVP"));
    ConstruitHistogramme(valeursPropres);
    m_pages->addWidget(m_vueHisto);

    // Factor table page.
    m_modele = new ModeleFacteurs(*m_points, this);
    m_table->setObjectName(QStringLiteral("ListeFacteurs"));
    m_table->setModel(m_modele);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    InstalleExportTableau(m_table, QStringLiteral("facteurs.tsv"));
    m_pages->addWidget(m_table);

    // Map page: the axis lists above the map, the status line below.
    auto *pageCarte = new QWidget;
    m_carte = new VueCarteAFC(partition, *m_points);
    m_carte->SetPartitionLibre(m_services.partitionLibre);
    for (QComboBox *cb : {m_cbAxeX, m_cbAxeY}) {
        for (int32_t f = 1; f <= m_points->NbFact; ++f) {
            cb->addItem(QString::number(f));
        }
    }
    m_cbAxeX->setObjectName(QStringLiteral("cbAxeX"));
    m_cbAxeY->setObjectName(QStringLiteral("cbAxeY"));
    m_cbAxeX->setToolTip(Tr("Facteur affecté à l'axe X"));
    m_cbAxeY->setToolTip(Tr("Facteur affecté à l'axe Y"));
    m_cbAxeX->setCurrentIndex(m_points->FacteurX());
    m_cbAxeY->setCurrentIndex(m_points->FacteurY());
    connect(m_cbAxeX, &QComboBox::activated, this, &TFenGrapheAFC::cbAxeXChange);
    connect(m_cbAxeY, &QComboBox::activated, this, &TFenGrapheAFC::cbAxeYChange);
    auto *image = new QToolButton;
    image->setObjectName(QStringLiteral("BtnImage"));
    image->setDefaultAction(m_carte->ActionImage());
    auto *axes = new QHBoxLayout;
    axes->addWidget(new QLabel(Tr("Axe horizontal :")));
    axes->addWidget(m_cbAxeX);
    axes->addSpacing(12);
    axes->addWidget(new QLabel(Tr("Axe vertical :")));
    axes->addWidget(m_cbAxeY);
    axes->addStretch(1);
    axes->addWidget(image);
    m_etat->setObjectName(QStringLiteral("LigneEtat"));
    m_etat->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_etat->setMinimumWidth(10);
    auto *colCarte = new QVBoxLayout(pageCarte);
    colCarte->setContentsMargins(2, 2, 2, 2);
    colCarte->addLayout(axes);
    colCarte->addWidget(m_carte, 1);
    colCarte->addWidget(m_etat);
    connect(m_carte, &VueCarteAFC::Survol, m_etat, &QLabel::setText);
    m_pages->addWidget(pageCarte);

    auto *ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(0, 0, 0, 0);
    ligne->addWidget(m_pages, 1);
    ligne->addWidget(PanneauOutils());

    ModeEtiquettes(false);
    MontrePage(PageGraphiques);
}

TFenGrapheAFC::~TFenGrapheAFC() = default;

QWidget *TFenGrapheAFC::PanneauOutils() {
    auto *panneau = new QWidget;
    panneau->setObjectName(QStringLiteral("PanneauOutils"));
    panneau->setFixedWidth(76);
    auto *col = new QVBoxLayout(panneau);
    col->setContentsMargins(4, 4, 4, 4);
    m_grille->setFixedHeight(128);
    m_grille->setToolTip(Tr("Couleur des parties"));
    connect(m_grille, &GrilleCouleurs::CouleurChoisie, this, &TFenGrapheAFC::GrilleCoulChange);
    col->addWidget(m_grille);
    m_carte->SetCouleur(m_grille->Avant());

    QToolButton *pinceau = bouton("BtnPinceau", QString(), Tr("Coloriage"));
    pinceau->setIcon(iconePinceau());
    pinceau->setAccessibleName(Tr("Coloriage"));
    QToolButton *selec = bouton("BtnSelec", QString(), Tr("Sélection"));
    selec->setIcon(iconeFleche());
    selec->setAccessibleName(Tr("Sélection"));
    auto *outils = new QButtonGroup(panneau);
    for (QToolButton *b : {pinceau, selec}) {
        b->setCheckable(true);
        outils->addButton(b);
    }
    selec->setChecked(true);
    connect(pinceau, &QToolButton::clicked, this,
            [this] { m_carte->SetMode(ModeCarte::Coloriage); });
    connect(selec, &QToolButton::clicked, this, [this] { m_carte->SetMode(ModeCarte::Selection); });
    auto *paire = new QHBoxLayout;
    paire->addWidget(pinceau);
    paire->addWidget(selec);
    col->addLayout(paire);

    QToolButton *spf = bouton("SpfButton", Tr("Spécifs"));
    connect(spf, &QToolButton::clicked, this, [this] {
        if (m_services.specifs) {
            m_services.specifs(m_partition);
        }
    });
    QToolButton *afc = bouton("BtnAFC", Tr("AFC"));
    QToolButton *cah = bouton("SpeedButton5", Tr("CAH"));
    for (QToolButton *b : {afc, cah}) {
        connect(b, &QToolButton::clicked, this, [this] {
            if (m_services.afc) {
                m_services.afc(m_partition);
            }
        });
    }
    QToolButton *evol =
        bouton("BtnSpEvol", Tr("Sp ch ev"),
               Tr("Calcul des spécificités évolutives et chronologiques pour la partition"));
    connect(evol, &QToolButton::clicked, this, &TFenGrapheAFC::BtnSpEvolClick);
    for (QToolButton *b : {spf, afc, cah, evol}) {
        col->addWidget(b);
    }
    col->addSpacing(8);

    auto *pages = new QButtonGroup(panneau);
    const std::pair<const char *, QString> noms[] = {
        {"BtnVP", Tr("VP")}, {"BtnFacteurs", Tr("Facteurs")}, {"BtnGraphiques", Tr("Graphiques")}};
    for (int i = 0; i < 3; ++i) {
        QToolButton *b = bouton(noms[i].first, noms[i].second);
        b->setCheckable(true);
        pages->addButton(b, i);
        col->addWidget(b);
    }
    connect(pages, &QButtonGroup::idClicked, this,
            [this](int id) { MontrePage(static_cast<Page>(id)); });
    col->addSpacing(8);

    m_rbNom->setObjectName(QStringLiteral("RBNom"));
    m_rbNom->setText(Tr("Nom"));
    m_rbId->setObjectName(QStringLiteral("RBId"));
    m_rbId->setText(Tr("Id"));
    m_rbNom->setChecked(true);
    connect(m_rbNom, &QRadioButton::clicked, this, [this] { ModeEtiquettes(false); });
    connect(m_rbId, &QRadioButton::clicked, this, [this] { ModeEtiquettes(true); });
    col->addWidget(m_rbNom);
    col->addWidget(m_rbId);
    col->addStretch(1);
    return panneau;
}

QToolButton *TFenGrapheAFC::Bouton(const char *nom) const {
    return findChild<QToolButton *>(QString::fromLatin1(nom));
}

void TFenGrapheAFC::ConstruitHistogramme(const std::vector<int64_t> &valeurs) {
    m_histogramme->removeAllSeries();
    for (QAbstractAxis *a : m_histogramme->axes()) {
        m_histogramme->removeAxis(a);
        delete a;
    }
    auto *serie = new QHorizontalBarSeries;
    auto *barres = new QBarSet(Tr("Valeurs propres"));
    const QColor orange = CouleurQt(kCouleurValeursPropres);
    barres->setColor(orange);
    barres->setBorderColor(orange.darker(130));
    barres->setLabelColor(Qt::black);
    QStringList libelles;
    double max = 1;
    for (const BarreValeurPropre &b : BarresValeursPropres(valeurs)) {
        barres->append(static_cast<double>(b.Valeur));
        libelles << QString::fromStdString(b.Libelle);
        max = std::max(max, static_cast<double>(b.Valeur));
    }
    serie->append(barres);
    serie->setLabelsVisible(true);
    serie->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    serie->setLabelsFormat(QStringLiteral("@value"));
    m_histogramme->addSeries(serie);
    auto *axeFacteurs = new QBarCategoryAxis;
    axeFacteurs->append(libelles);
    auto *axeValeurs = new QValueAxis;
    // Room right of the longest bar for its value.
    const double pas = PasAxe(max * 1.15);
    axeValeurs->setTickType(QValueAxis::TicksDynamic);
    axeValeurs->setTickAnchor(0);
    axeValeurs->setTickInterval(pas);
    axeValeurs->setRange(0, std::ceil(max * 1.15 / pas) * pas);
    axeValeurs->setLabelFormat(QStringLiteral("%.0f"));
    m_histogramme->addAxis(axeFacteurs, Qt::AlignLeft);
    m_histogramme->addAxis(axeValeurs, Qt::AlignBottom);
    serie->attachAxis(axeFacteurs);
    serie->attachAxis(axeValeurs);
}

void TFenGrapheAFC::MontrePage(Page page) {
    m_pages->setCurrentIndex(page);
    const char *noms[] = {"BtnVP", "BtnFacteurs", "BtnGraphiques"};
    if (QToolButton *b = Bouton(noms[page])) {
        b->setChecked(true);
    }
}

TFenGrapheAFC::Page TFenGrapheAFC::PageCourante() const {
    return static_cast<Page>(m_pages->currentIndex());
}

void TFenGrapheAFC::ChangeAxe(QComboBox *liste, int facteur, bool horizontal) {
    const bool ok = horizontal ? m_points->ChoisitAxeX(facteur) : m_points->ChoisitAxeY(facteur);
    const int actuel = horizontal ? m_points->FacteurX() : m_points->FacteurY();
    if (!ok) {
        const int autre = horizontal ? m_points->FacteurY() : m_points->FacteurX();
        // A factor beyond the rank of the table puts every point at 0.
        if (facteur != autre && facteur != actuel) {
            m_etat->setText(
                Tr("Tous les points ont la même coordonnée sur le facteur %1").arg(facteur + 1));
        }
        liste->setCurrentIndex(actuel);
        return;
    }
    liste->setCurrentIndex(actuel);
    m_carte->Actualise();
}

void TFenGrapheAFC::cbAxeXChange(int facteur) { ChangeAxe(m_cbAxeX, facteur, true); }
void TFenGrapheAFC::cbAxeYChange(int facteur) { ChangeAxe(m_cbAxeY, facteur, false); }

void TFenGrapheAFC::ModeEtiquettes(bool identifiants) {
    m_identifiants = identifiants;
    (identifiants ? m_rbId : m_rbNom)->setChecked(true);
    std::vector<std::string> libelles = LibellesParties(m_partition, identifiants);
    m_modele->SetLibelles(libelles);
    m_carte->SetLibelles(std::move(libelles));
}

void TFenGrapheAFC::GrilleCoulChange(uint32_t couleur) {
    m_carte->SetCouleur(couleur);
    if (m_carte->Mode() == ModeCarte::Selection) {
        if (!m_carte->PartitionLibre()) {
            Bip();
            return;
        }
        const VueCarteAFC::Etat avant = m_carte->EtatParties();
        SelectionneParCouleur(m_partition, couleur);
        m_carte->RepeintChangees(avant);
    }
}

void TFenGrapheAFC::BtnSpEvolClick() {
    if (std::find(m_partition.Selec.begin(), m_partition.Selec.end(), true) ==
        m_partition.Selec.end()) {
        Message(this, QMessageBox::Information, windowTitle(),
                Tr("Aucune partie n'est sélectionnée"), QMessageBox::Ok);
        return;
    }
    if (m_services.specDiac) {
        m_services.specDiac(m_partition);
    }
}

void TFenGrapheAFC::AjouteAuRapport() {
    const Page page = PageCourante();
    if (page == PageFacteurs) {
        return;
    }
    const int32_t c = ++s_compteurImages;
    const std::string cle = m_partition.Base().RetourneGraphie(m_partition.Cle, false);
    const std::string titre = VersCp1252(windowTitle());
    if (page == PageGraphiques) {
        AjouteImageAuRapport(this, m_services.rapport, ImageDessin(m_carte->Dessin()),
                             "img-afc-" + cle + std::to_string(c),
                             titre + "(" + std::to_string(c) + ")",
                             CommentaireImageAfc(m_partition, titre, false));
    } else {
        AjouteImageAuRapport(this, m_services.rapport, m_vueHisto->Copie(),
                             "img-afc-vp-" + cle + std::to_string(c),
                             "AFC - Histogramme des Valeurs Propres (" + std::to_string(c) + ")",
                             CommentaireImageAfc(m_partition, titre, true));
    }
}

bool TFenGrapheAFC::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteAuRapport();
        return true;
    }
    return QWidget::event(event);
}

} // namespace morvix::ui
