#include "groups/TFenGrapheTgen.h"

#include "Texte.h"
#include "Traduction.h"
#include "VueGraphique.h"
#include "base/charg1.h"
#include "groups/Tgen.h"
#include "groups/TgenDrag.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "partitions/Partition.h"

#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace morvix::ui {

namespace {

constexpr uint32_t kFond = 0xCFFEFD;
// At most this many part labels along the visible part of the axis.
constexpr int kMaxEtiquettes = 40;
int32_t s_compteurExport = 0;

} // namespace

int32_t TFenGrapheTgen::CompteurExport() { return s_compteurExport; }

TFenGrapheTgen::TFenGrapheTgen(Partition &partition, FournisseurRapport rapport, QWidget *parent)
    : QWidget(parent), m_partition(partition), m_rapport(std::move(rapport)), m_graphe(new QChart),
      m_axeX(new QCategoryAxis), m_axeY(new QValueAxis) {
    setObjectName(QStringLiteral("FenGrapheTgen"));
    setWindowTitle(Tr("Graphique de ventilation pour la partition : ") +
                   DeCp1252(partition.Base().RetourneGraphie(partition.Cle, false)));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 400);

    const QColor fond = CouleurQt(kFond);
    m_graphe->setBackgroundBrush(fond);
    m_graphe->legend()->setVisible(true);
    m_graphe->legend()->setAlignment(Qt::AlignRight);
    m_graphe->addAxis(m_axeX, Qt::AlignBottom);
    m_graphe->addAxis(m_axeY, Qt::AlignLeft);
    m_axeX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axeX->setRange(-0.5, std::max(partition.NbParties, 1) - 0.5);
    m_axeY->setTitleText(Tr("Fréquences relatives ( x 10 000 )"));
    m_axeY->setTickType(QValueAxis::TicksDynamic);
    m_axeY->setTickAnchor(0);
    m_axeY->setLabelFormat(QStringLiteral("%.0f"));
    AxeFrequences();
    connect(m_axeX, &QValueAxis::rangeChanged, this, [this] { Etiquettes(); });
    Etiquettes();

    m_vue = new VueGraphique(m_graphe, QStringLiteral("ventilation.svg"));
    m_vue->setObjectName(QStringLiteral("Graphe"));
    m_vue->accepte = [](const QMimeData *data) {
        return GroupeDeplace(data) != nullptr ||
               (!data->hasFormat(QString::fromLatin1(kFormatMorvix)) && data->hasText());
    };
    m_vue->depose = [this](const QMimeData *data) { Depose(data); };

    auto bouton = [this](const char *nom, const QString &texte) {
        auto *b = new QToolButton;
        b->setObjectName(QString::fromLatin1(nom));
        b->setText(texte);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return b;
    };
    m_btnAffFrq = bouton("BtnAffFrq", Tr("Fréquence"));
    m_btnAffSpf = bouton("BtnAffSpf", Tr("Spécificités"));
    for (QToolButton *b : {m_btnAffFrq, m_btnAffSpf}) {
        b->setCheckable(true);
    }
    auto *modes = new QButtonGroup(this);
    modes->addButton(m_btnAffFrq);
    modes->addButton(m_btnAffSpf);
    m_btnAffFrq->setChecked(true);
    m_rbtnRel = new QRadioButton(Tr("&relatives"));
    m_rbtnRel->setObjectName(QStringLiteral("RBtnRel"));
    m_rbtnAbs = new QRadioButton(Tr("&absolues"));
    m_rbtnAbs->setObjectName(QStringLiteral("RBtnAbs"));
    m_rbtnRel->setChecked(true);
    m_btnZoom = bouton("BtnZoom", Tr("Zoom +"));
    m_btnUnZoom = bouton("BtnUnZoom", Tr("Zoom -"));
    m_btnLeft = bouton("BtnLeft", QString());
    m_btnLeft->setArrowType(Qt::LeftArrow);
    m_btnLeft->setToolTip(Tr("Défiler vers la gauche"));
    m_btnLeft->setAccessibleName(Tr("Défiler vers la gauche"));
    m_btnRight = bouton("BtnRight", QString());
    m_btnRight->setArrowType(Qt::RightArrow);
    m_btnRight->setToolTip(Tr("Défiler vers la droite"));
    m_btnRight->setAccessibleName(Tr("Défiler vers la droite"));
    m_btnLeft->setEnabled(false);
    m_btnRight->setEnabled(false);
    m_btnClear = bouton("BtnClear", Tr("E&ffacer"));
    m_btnClear->setToolTip(Tr("Effacer le graphique"));

    connect(m_btnAffFrq, &QToolButton::clicked, this, &TFenGrapheTgen::BtnAffFrqClick);
    connect(m_btnAffSpf, &QToolButton::clicked, this, &TFenGrapheTgen::BtnAffSpfClick);
    connect(m_rbtnRel, &QRadioButton::clicked, this, &TFenGrapheTgen::RBtnClick);
    connect(m_rbtnAbs, &QRadioButton::clicked, this, &TFenGrapheTgen::RBtnClick);
    connect(m_btnZoom, &QToolButton::clicked, this, &TFenGrapheTgen::BtnZoomClick);
    connect(m_btnUnZoom, &QToolButton::clicked, this, &TFenGrapheTgen::BtnUnZoomClick);
    connect(m_btnLeft, &QToolButton::clicked, this, &TFenGrapheTgen::BtnLeftClick);
    connect(m_btnRight, &QToolButton::clicked, this, &TFenGrapheTgen::BtnRightClick);
    connect(m_btnClear, &QToolButton::clicked, this, &TFenGrapheTgen::BtnClearClick);

    auto *bas = new QWidget;
    bas->setObjectName(QStringLiteral("PanBas"));
    bas->setAutoFillBackground(true);
    QPalette pal = bas->palette();
    pal.setColor(QPalette::Window, fond);
    bas->setPalette(pal);
    auto *ligne = new QHBoxLayout(bas);
    ligne->setContentsMargins(4, 2, 4, 2);
    ligne->addWidget(m_btnAffFrq);
    ligne->addWidget(m_rbtnRel);
    ligne->addWidget(m_rbtnAbs);
    ligne->addSpacing(8);
    ligne->addWidget(m_btnAffSpf);
    ligne->addSpacing(8);
    ligne->addWidget(m_btnZoom);
    ligne->addWidget(m_btnUnZoom);
    ligne->addWidget(m_btnLeft);
    ligne->addWidget(m_btnRight);
    ligne->addStretch(1);
    ligne->addWidget(m_btnClear);

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(m_vue, 1);
    colonne->addWidget(bas);
}

TFenGrapheTgen::~TFenGrapheTgen() = default;

QToolButton *TFenGrapheTgen::Bouton(const char *nom) const {
    return findChild<QToolButton *>(QString::fromLatin1(nom));
}

bool TFenGrapheTgen::Depose(const QMimeData *data) {
    const charg1 &base = m_partition.Base();
    if (const TTgenDragObject *drag = GroupeDeplace(data)) {
        std::unique_ptr<Tgen> g = TgenDepuisDepot(base, drag->Contenu(), true);
        if (!g) {
            return false;
        }
        AjouteGroupe(std::move(g));
        return true;
    }
    if (data->hasFormat(QString::fromLatin1(kFormatMorvix)) || !data->hasText()) {
        return false;
    }
    // A word dragged from another program: the form it names.
    const int32_t code = base.LocFormDic(VersCp1252(data->text().trimmed()), true);
    if (code < 0) {
        return false;
    }
    AjouteGroupe(std::make_unique<Tgen>(&base, &code, 1, nullptr));
    return true;
}

void TFenGrapheTgen::AjouteGroupe(std::unique_ptr<Tgen> groupe) {
    m_groupes.push_back(std::move(groupe));
    if (m_specificites) {
        DessineSpecificites(*m_groupes.back());
    } else {
        DessineFrequences(*m_groupes.back());
    }
}

std::vector<uint32_t> TFenGrapheTgen::CouleursPrises() const {
    std::vector<uint32_t> c;
    for (QAbstractSeries *s : m_graphe->series()) {
        if (auto *l = qobject_cast<QLineSeries *>(s)) {
            c.push_back(CouleurBgr(l->color()));
        }
    }
    if (m_barres != nullptr) {
        for (QBarSet *b : m_barres->barSets()) {
            c.push_back(CouleurBgr(b->color()));
        }
    }
    return c;
}

void TFenGrapheTgen::DessineFrequences(const Tgen &groupe) {
    const std::vector<int64_t> v = FrequencesVentilation(m_partition, groupe.Occ, m_relatives);
    auto *serie = new QLineSeries;
    serie->setName(DeCp1252(groupe.Nom));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(v.size()));
    for (size_t j = 0; j < v.size(); ++j) {
        points.append(QPointF(static_cast<double>(j), static_cast<double>(v[j])));
        m_maxFrequence = std::max(m_maxFrequence, v[j]);
    }
    serie->replace(points);
    const int64_t propre = CouleurSerieGroupe(groupe.Couleur, CouleursPrises());
    m_graphe->addSeries(serie);
    serie->attachAxis(m_axeX);
    serie->attachAxis(m_axeY);
    // Added to the chart, the series has the chart's next colour.
    const uint32_t c = propre >= 0 ? static_cast<uint32_t>(propre) : CouleurBgr(serie->color());
    QPen stylo = serie->pen();
    stylo.setWidth(2);
    stylo.setColor(CouleurQt(CouleurVisible(c)));
    serie->setPen(stylo);
    AxeFrequences();
}

void TFenGrapheTgen::DessineSpecificites(const Tgen &groupe) {
    const std::vector<int32_t> v = SpecificitesVentilation(m_partition, groupe.Occ);
    auto *barres = new QBarSet(DeCp1252(groupe.Nom));
    QList<qreal> valeurs;
    valeurs.reserve(static_cast<qsizetype>(v.size()));
    for (int32_t c : v) {
        m_bornes.Etend(c);
        valeurs.append(c);
    }
    barres->append(valeurs);
    const std::vector<uint32_t> prises = CouleursPrises();
    if (m_barres == nullptr) {
        m_barres = new QBarSeries;
        m_barres->setBarWidth(0.8);
        m_barres->append(barres);
        m_graphe->addSeries(m_barres);
        m_barres->attachAxis(m_axeX);
        m_barres->attachAxis(m_axeY);
    } else {
        m_barres->append(barres);
    }
    const int64_t propre = CouleurSerieGroupe(groupe.Couleur, prises);
    const uint32_t c = propre >= 0 ? static_cast<uint32_t>(propre) : CouleurBgr(barres->color());
    barres->setColor(CouleurQt(CouleurVisible(c)));
    barres->setBorderColor(CouleurQt(CouleurVisible(c)));
    AxeSpecificites();
}

void TFenGrapheTgen::AxeFrequences() {
    // The maximum follows the values, rounded up to a tick; the minimum stays at 0.
    const double pas = PasAxe(static_cast<double>(m_maxFrequence));
    m_axeY->setTickInterval(pas);
    m_axeY->setRange(0, std::max(1.0, std::ceil(static_cast<double>(m_maxFrequence) / pas) * pas));
}

void TFenGrapheTgen::AxeSpecificites() {
    m_axeY->setTickInterval(PasAxe(m_bornes.AxeMax() - m_bornes.AxeMin()));
    m_axeY->setRange(m_bornes.AxeMin(), m_bornes.AxeMax());
}

void TFenGrapheTgen::EffaceSeries() {
    m_graphe->removeAllSeries();
    m_barres = nullptr;
    m_bornes.RemetAZero();
    m_maxFrequence = 0;
}

void TFenGrapheTgen::Redessine() {
    EffaceSeries();
    if (m_specificites) {
        m_axeY->setTitleText(Tr("Spécificités"));
        AxeSpecificites();
        for (const auto &g : m_groupes) {
            DessineSpecificites(*g);
        }
    } else {
        m_axeY->setTitleText(m_relatives ? Tr("Fréquences relatives (X 10 000)")
                                         : Tr("Fréquences absolues"));
        AxeFrequences();
        for (const auto &g : m_groupes) {
            DessineFrequences(*g);
        }
    }
}

void TFenGrapheTgen::BtnAffFrqClick() {
    m_btnAffFrq->setChecked(true);
    m_specificites = false;
    Redessine();
}

void TFenGrapheTgen::BtnAffSpfClick() {
    m_btnAffSpf->setChecked(true);
    m_specificites = true;
    Redessine();
}

void TFenGrapheTgen::RBtnClick() {
    m_relatives = m_rbtnRel->isChecked();
    m_btnAffFrq->setChecked(true);
    m_specificites = false;
    Redessine();
}

void TFenGrapheTgen::BtnZoomClick() {
    const QRectF zone = m_graphe->plotArea();
    m_graphe->zoomIn(
        QRectF(zone.left() + zone.width() / 4, zone.top(), zone.width() / 2, zone.height()));
    m_zoome = true;
    m_btnLeft->setEnabled(true);
    m_btnRight->setEnabled(true);
}

void TFenGrapheTgen::BtnUnZoomClick() {
    m_graphe->zoomReset();
    m_axeX->setRange(-0.5, std::max(m_partition.NbParties, 1) - 0.5);
    if (!m_specificites) {
        AxeFrequences();
    } else {
        AxeSpecificites();
    }
    m_zoome = false;
    m_btnLeft->setEnabled(false);
    m_btnRight->setEnabled(false);
}

void TFenGrapheTgen::Defile(double pas) {
    const double bas = -0.5;
    const double haut = std::max(m_partition.NbParties, 1) - 0.5;
    const double min = m_axeX->min(), max = m_axeX->max();
    const double d = pas < 0 ? std::max(pas, bas - min) : std::min(pas, haut - max);
    if (d != 0) {
        m_axeX->setRange(min + d, max + d);
    }
}

void TFenGrapheTgen::BtnLeftClick() { Defile(-5); }
void TFenGrapheTgen::BtnRightClick() { Defile(5); }

void TFenGrapheTgen::BtnClearClick() {
    EffaceSeries();
    m_groupes.clear();
    if (!m_specificites) {
        AxeFrequences();
    } else {
        AxeSpecificites();
    }
}

void TFenGrapheTgen::Etiquettes() {
    if (m_etiquetage) {
        return;
    }
    m_etiquetage = true;
    const double min = m_axeX->min(), max = m_axeX->max();
    for (const QString &l : m_axeX->categoriesLabels()) {
        m_axeX->remove(l);
    }
    const int32_t premier = std::max(0, static_cast<int32_t>(std::ceil(min)));
    const int32_t dernier =
        std::min(m_partition.NbParties - 1, static_cast<int32_t>(std::floor(max)));
    const int32_t pas = std::max(1, (dernier - premier + 1 + kMaxEtiquettes - 1) / kMaxEtiquettes);
    m_axeX->setStartValue(premier - 0.5);
    for (int32_t j = premier - premier % pas; j <= dernier; j += pas) {
        if (j >= premier) {
            m_axeX->append(DeCp1252(m_partition.Libelle(j)), j);
        }
    }
    m_axeX->setRange(min, max);
    m_etiquetage = false;
}

void TFenGrapheTgen::AjouteAuRapport() {
    const int32_t c = s_compteurExport++;
    const std::string cle = m_partition.Base().RetourneGraphie(m_partition.Cle, false);
    AjouteImageAuRapport(this, m_rapport, m_vue->Copie(), "img-graphe-" + cle + std::to_string(c),
                         VersCp1252(windowTitle()) + " (" + std::to_string(c + 1) + ")", " ");
}

bool TFenGrapheTgen::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteAuRapport();
        return true;
    }
    return QWidget::event(event);
}

} // namespace morvix::ui
