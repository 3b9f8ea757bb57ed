#include "dictionary/TFenGrapheAC.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "dictionary/AccroissementVocabulaire.h"
#include "groups/VentilationTgen.h"
#include "partitions/Partition.h"

#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace morvix::ui {

int32_t TFenGrapheAC::s_nbImages = 0;

namespace {
// Red 240, green 202, blue 166.
constexpr uint32_t kFondAC = 0xA6CAF0;
} // namespace

TFenGrapheAC::TFenGrapheAC(Partition *partition, const charg1 &base, FournisseurRapport rapport,
                           QWidget *parent)
    : FenGrapheCourbes(base, kFondAC, QStringLiteral("accroissement.svg"), std::move(rapport),
                       parent),
      m_partition(partition), m_axeX(new QValueAxis), m_axeY(new QValueAxis) {
    setObjectName(QStringLiteral("FenGrapheAC"));
    setWindowTitle(Tr("Accroissement de vocabulaire"));
    Graphe()->setTitle(Tr("Accroissement de vocabulaire"));
    m_axeX->setTitleText(Tr("Position dans le texte (nombre d'occurrences)"));
    m_axeY->setTitleText(Tr("Nombre de formes différentes"));
    for (QValueAxis *a : {m_axeX, m_axeY}) {
        a->setLabelFormat(QStringLiteral("%.0f"));
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(0);
    }
    Graphe()->addAxis(m_axeX, Qt::AlignBottom);
    Graphe()->addAxis(m_axeY, Qt::AlignLeft);
    Axes();
    if (partition != nullptr) {
        DessineCourbe(*partition);
    }
}

bool TFenGrapheAC::AcceptePartition(const Partition &partition) const {
    if (&partition.Base() != &m_base) {
        return false;
    }
    return m_partition == nullptr || partition.Cle == m_partition->Cle;
}

void TFenGrapheAC::DessineCourbe(Partition &partition) {
    if (m_partition == nullptr) {
        m_partition = &partition;
    }
    const CourbeAccroissement courbe = CalculeAccroissement(partition);
    AjouteCourbe(courbe.CorpusEntier ? Tr("Corpus entier") : DeCp1252(courbe.Titre), courbe.Points,
                 m_axeX, m_axeY);
    if (!courbe.Points.empty()) {
        m_maxX = std::max(m_maxX, static_cast<double>(courbe.Points.back().x));
        m_maxY = std::max(m_maxY, static_cast<double>(courbe.Points.back().y));
    }
    Axes();
}

void TFenGrapheAC::Axes() {
    for (auto [axe, max] : {std::pair{m_axeX, m_maxX}, std::pair{m_axeY, m_maxY}}) {
        const double pas = PasAxe(max);
        axe->setTickInterval(pas);
        axe->setRange(0, std::max(1.0, std::ceil(max / pas) * pas));
    }
}

void TFenGrapheAC::CourbesEffacees() {
    m_maxX = m_maxY = 0;
    Axes();
}

std::string TFenGrapheAC::SoucheImage(int32_t n) const {
    return "img-grapheAC-" + std::to_string(n);
}

} // namespace morvix::ui
