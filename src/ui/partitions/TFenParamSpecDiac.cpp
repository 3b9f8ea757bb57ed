#include "partitions/TFenParamSpecDiac.h"

#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/Partition.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace morvix::ui {

TFenParamSpecDiac::TFenParamSpecDiac(QWidget *owner, const Partition &partition)
    : QDialog(owner), m_boites(new BoitesParamSpec(10)),
      m_accroissements(new QCheckBox(Tr("Calculer les accroissements spécifiques"))),
      m_chrono(new QCheckBox(Tr("Calculer les spécificités chronologiques"))) {
    setObjectName(QStringLiteral("FenParamSpecDiac"));
    setWindowTitle(Tr("Paramètrage des calculs des spécificités diachroniques"));
    m_boites->SetFrequenceMax(partition.Base().Fmax());
    m_accroissements->setObjectName(QStringLiteral("ChkAccroissements"));
    m_accroissements->setChecked(true);
    m_chrono->setObjectName(QStringLiteral("ChkChrono"));
    m_chrono->setChecked(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_boites);
    layout->addWidget(m_accroissements);
    layout->addWidget(m_chrono);
    layout->addWidget(BoutonsOkAnnuler(this));
    FixeEtCentre(this);
}

} // namespace morvix::ui
