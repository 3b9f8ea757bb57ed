#include "dictionary/TFenZipf.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "dictionary/Pareto.h"
#include "partitions/Partition.h"

#include <QChart>
#include <QLogValueAxis>

#include <algorithm>

namespace morvix::ui {

int32_t TFenZipf::s_nbImages = 0;

namespace {
// Red 192, green 220, blue 192.
constexpr uint32_t kFondZipf = 0xC0DCC0;
} // namespace

TFenZipf::TFenZipf(Partition &partition, FournisseurRapport rapport, QWidget *parent)
    : FenGrapheCourbes(partition.Base(), kFondZipf, QStringLiteral("pareto.svg"),
                       std::move(rapport), parent),
      m_partition(partition), m_axeX(new QLogValueAxis), m_axeY(new QLogValueAxis) {
    setObjectName(QStringLiteral("FenZipf"));
    const QString titre =
        Tr("Diagramme de Pareto - ") + DeCp1252(m_base.RetourneGraphie(partition.Cle, false));
    setWindowTitle(titre);
    Graphe()->setTitle(titre);
    m_axeX->setTitleText(Tr("Nombre de formes >= F"));
    m_axeY->setTitleText(Tr("Fréquence (F)"));
    for (QLogValueAxis *a : {m_axeX, m_axeY}) {
        a->setBase(10);
        a->setLabelFormat(QStringLiteral("%g"));
        a->setGridLinePen(QPen(Qt::black, 1, Qt::SolidLine));
    }
    m_axeX->setMinorTickCount(4);
    m_axeX->setMinorGridLinePen(QPen(Qt::gray, 1, Qt::DashLine));
    m_axeY->setMinorTickCount(4);
    m_axeY->setMinorGridLinePen(QPen(Qt::gray, 1, Qt::DotLine));
    Graphe()->addAxis(m_axeX, Qt::AlignBottom);
    Graphe()->addAxis(m_axeY, Qt::AlignLeft);
    Axes();
    DessineCourbe(partition);
}

bool TFenZipf::AcceptePartition(const Partition &partition) const {
    return &partition.Base() == &m_base && partition.Cle == m_partition.Cle;
}

void TFenZipf::DessineCourbe(Partition &partition) {
    const CourbePareto courbe = CalculePareto(partition);
    AjouteCourbe(DeCp1252(courbe.Titre), courbe.Points, m_axeX, m_axeY);
    // The frequency axis reaches the number of forms, and the highest frequency when it is
    // above, so that no point falls off the chart.
    m_maxX = std::max(m_maxX, static_cast<double>(courbe.NbFormes()));
    m_maxY = std::max(
        {m_maxY, static_cast<double>(courbe.NbFormes()), static_cast<double>(courbe.FrqMax())});
    Axes();
}

void TFenZipf::Axes() {
    m_axeX->setRange(1, std::max(10.0, m_maxX));
    m_axeY->setRange(1, std::max(10.0, m_maxY));
}

void TFenZipf::CourbesEffacees() {
    m_maxX = m_maxY = 1;
    Axes();
}

std::string TFenZipf::SoucheImage(int32_t n) const { return "img-grapheZipf-" + std::to_string(n); }

} // namespace morvix::ui
