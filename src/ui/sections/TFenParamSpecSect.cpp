#include "sections/TFenParamSpecSect.h"

#include "Traduction.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace morvix::ui {

TFenParamSpecSect::TFenParamSpecSect(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_seuil(new QSpinBox),
      m_frqMin(new QSpinBox) {
    setObjectName(QStringLiteral("FenParamSpecSect"));
    setWindowTitle(Tr("Paramétrage du calcul des spécificités"));
    auto *lbSeuil = new QLabel(Tr("Seuil de probabilité :"));
    lbSeuil->setToolTip(Tr("Cette boîte vous permet de régler\nle coefficient à partir duquel une "
                           "\nforme sera considérée comme \nétant spécifique."));
    auto *lbFrq = new QLabel(Tr("Fréquence minimale :"));
    lbFrq->setToolTip(Tr("Cette boîte vous permet de régler\nla fréquence à partir de laquelle une "
                         "\nforme sera incluse dans le calcul des\nspécifictés."));
    m_seuil->setObjectName(QStringLiteral("EdSeuil"));
    m_seuil->setRange(0, 100);
    m_seuil->setValue(5);
    m_frqMin->setObjectName(QStringLiteral("EdFrqMin"));
    m_frqMin->setRange(1, 1000000000);
    m_frqMin->setValue(2);
    lbSeuil->setBuddy(m_seuil);
    lbFrq->setBuddy(m_frqMin);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(Tr("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *grille = new QGridLayout;
    grille->addWidget(lbSeuil, 0, 0);
    grille->addWidget(m_seuil, 0, 1);
    grille->addWidget(lbFrq, 1, 0);
    grille->addWidget(m_frqMin, 1, 1);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(grille);
    colonne->addWidget(boutons);
    colonne->setSizeConstraint(QLayout::SetFixedSize);
}

void TFenParamSpecSect::SetFrequenceMax(int32_t fmax) { m_frqMin->setRange(1, std::max(fmax, 1)); }

int32_t TFenParamSpecSect::SeuilPct() const { return m_seuil->value(); }

int32_t TFenParamSpecSect::FrqMin() const { return m_frqMin->value(); }

} // namespace morvix::ui
