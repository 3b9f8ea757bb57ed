#include "partitions/TFenParamSpecTot.h"

#include "Traduction.h"
#include "partitions/BoitesParamSpec.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace morvix::ui {

TFenParamSpecTot::TFenParamSpecTot(QWidget *owner)
    : QDialog(owner), m_boites(new BoitesParamSpec(10)),
      m_restreint(new QCheckBox(Tr("Resteindre le corpus aux parties cochées"))) {
    setObjectName(QStringLiteral("FenParamSpecTot"));
    setWindowTitle(Tr("FenParamSpecTot"));
    m_restreint->setObjectName(QStringLiteral("ChkRestreint"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_boites);
    layout->addWidget(m_restreint);
    layout->addWidget(BoutonsOkAnnuler(this));
    FixeEtCentre(this);
}

} // namespace morvix::ui
