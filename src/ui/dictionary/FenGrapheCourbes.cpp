#include "dictionary/FenGrapheCourbes.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "VueGraphique.h"
#include "dictionary/Pareto.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"

#include <QChart>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvix::ui {

Partition *PartitionDeplacee(const QMimeData *data) {
    const auto *objet = qobject_cast<const TPartDragObject *>(data);
    return objet != nullptr ? objet->Part : nullptr;
}

FenGrapheCourbes::FenGrapheCourbes(const charg1 &base, uint32_t fond, const QString &nomImage,
                                   FournisseurRapport rapport, QWidget *parent)
    : QWidget(parent), m_base(base), m_rapport(std::move(rapport)), m_graphe(new QChart),
      m_panBas(new QWidget), m_btnColorGraphe(new QToolButton), m_btnEffacer(new QToolButton) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_graphe->legend()->setVisible(true);
    m_graphe->legend()->setAlignment(Qt::AlignTop);
    m_vue = new VueGraphique(m_graphe, nomImage);
    m_vue->setObjectName(QStringLiteral("Graphe"));
    m_vue->accepte = [this](const QMimeData *data) {
        const Partition *p = PartitionDeplacee(data);
        return p != nullptr && AcceptePartition(*p);
    };
    m_vue->depose = [this](const QMimeData *data) { Depose(data); };

    m_panBas->setObjectName(QStringLiteral("PanBas"));
    m_panBas->setFixedHeight(32);
    m_panBas->setAutoFillBackground(true);
    m_btnColorGraphe->setObjectName(QStringLiteral("BtnColorGraphe"));
    m_btnColorGraphe->setText(Tr("Couleur du graphique"));
    m_btnEffacer->setObjectName(QStringLiteral("BtnEffacer"));
    m_btnEffacer->setText(Tr("Effacer"));
    for (QToolButton *b : {m_btnColorGraphe, m_btnEffacer}) {
        b->setAutoRaise(true);
    }
    connect(m_btnColorGraphe, &QToolButton::clicked, this, &FenGrapheCourbes::BtnColorGrapheClick);
    connect(m_btnEffacer, &QToolButton::clicked, this, &FenGrapheCourbes::BtnEffacerClick);
    auto *ligne = new QHBoxLayout(m_panBas);
    ligne->setContentsMargins(4, 2, 4, 2);
    ligne->addWidget(m_btnColorGraphe);
    ligne->addWidget(m_btnEffacer);
    ligne->addStretch(1);

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(m_vue, 1);
    colonne->addWidget(m_panBas);
    Colorie(CouleurQt(fond));
}

QColor FenGrapheCourbes::Couleur() const { return m_graphe->backgroundBrush().color(); }

void FenGrapheCourbes::Colorie(const QColor &couleur) {
    m_graphe->setBackgroundBrush(couleur);
    // The back wall stays white.
    m_graphe->setPlotAreaBackgroundBrush(Qt::white);
    m_graphe->setPlotAreaBackgroundVisible(true);
    QPalette pal = m_panBas->palette();
    pal.setColor(QPalette::Window, couleur);
    m_panBas->setPalette(pal);
}

bool FenGrapheCourbes::Depose(const QMimeData *data) {
    Partition *p = PartitionDeplacee(data);
    if (p == nullptr || !AcceptePartition(*p)) {
        return false;
    }
    DessineCourbe(*p);
    return true;
}

void FenGrapheCourbes::BtnColorGrapheClick() {
    if (const auto c = Interactions().choisitCouleur(this, Couleur())) {
        Colorie(*c);
    }
}

void FenGrapheCourbes::BtnEffacerClick() {
    m_graphe->removeAllSeries();
    CourbesEffacees();
}

void FenGrapheCourbes::AjouteAuRapport() {
    int32_t &n = CompteurImages();
    const std::string souche = SoucheImage(n);
    ++n;
    AjouteImageAuRapport(this, m_rapport, m_vue->Copie(), souche,
                         VersCp1252(windowTitle()) + " (" + std::to_string(n) + ")", " ");
}

bool FenGrapheCourbes::event(QEvent *event) {
    if (event->type() == WM_AJOUTE_RAPPORT) {
        AjouteAuRapport();
        return true;
    }
    return QWidget::event(event);
}

void FenGrapheCourbes::AjouteCourbe(const QString &nom, const std::vector<PointCourbe> &points,
                                    QAbstractAxis *axeX, QAbstractAxis *axeY) {
    auto *serie = new QLineSeries;
    serie->setName(nom);
    QList<QPointF> liste;
    liste.reserve(static_cast<qsizetype>(points.size()));
    for (const PointCourbe &p : points)
        liste.append(QPointF(static_cast<double>(p.x), static_cast<double>(p.y)));
    serie->replace(liste);
    m_graphe->addSeries(serie);
    serie->attachAxis(axeX);
    serie->attachAxis(axeY);
    QPen stylo = serie->pen();
    stylo.setWidth(2);
    if (serie->color() == Qt::white)
        stylo.setColor(Qt::black);
    serie->setPen(stylo);
}

} // namespace morvix::ui
