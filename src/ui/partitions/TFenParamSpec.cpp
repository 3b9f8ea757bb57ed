#include "partitions/TFenParamSpec.h"

#include "Traduction.h"
#include "base/charg1.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/Partition.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace morvix::ui {

TFenParamSpec::TFenParamSpec(QWidget *owner, Partition &partition)
    : QDialog(owner), m_partition(partition), m_boites(new BoitesParamSpec(10)) {
    setObjectName(QStringLiteral("FenParamSpec"));
    setWindowTitle(Tr("Paramétrage du calcul des spécificités"));
    m_boites->SetFrequenceMax(partition.Base().Fmax());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_boites);
    layout->addWidget(BoutonsOkAnnuler(this));
    FixeEtCentre(this);
}

void TFenParamSpec::accept() {
    m_partition.Seuil = m_boites->Seuil();
    m_partition.FrqMin = m_boites->FrqMin();
    QDialog::accept();
}

} // namespace morvix::ui
