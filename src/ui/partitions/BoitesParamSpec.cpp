#include "partitions/BoitesParamSpec.h"

#include "Traduction.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include <algorithm>
#include <limits>

namespace morvix::ui {

BoitesParamSpec::BoitesParamSpec(int32_t frqDefaut, QWidget *parent)
    : QWidget(parent), m_seuil(new QSpinBox), m_frqMin(new QSpinBox) {
    auto *lbSeuil = new QLabel(Tr("Seuil de probabilité :"));
    lbSeuil->setToolTip(Tr("Cette boîte vous permet de régler\nle coefficient à partir duquel une "
                           "\nforme sera considérée comme \nétant spécifique."));
    auto *lbFrq = new QLabel(Tr("Fréquence minimale :"));
    lbFrq->setToolTip(Tr("Cette boîte vous permet de régler\nla fréquence à partir de laquelle "
                         "une \nforme sera incluse dans le calcul des\nspécifictés."));
    m_seuil->setObjectName(QStringLiteral("EdSeuil"));
    m_seuil->setRange(0, 100);
    m_seuil->setValue(5);
    m_seuil->setSuffix(QStringLiteral(" %"));
    m_seuil->setAccessibleName(lbSeuil->text());
    m_seuil->setToolTip(lbSeuil->toolTip());
    lbSeuil->setBuddy(m_seuil);
    m_frqMin->setObjectName(QStringLiteral("EdFrqMin"));
    m_frqMin->setRange(0, std::numeric_limits<int32_t>::max());
    m_frqMin->setValue(frqDefaut);
    m_frqMin->setAccessibleName(lbFrq->text());
    m_frqMin->setToolTip(lbFrq->toolTip());
    lbFrq->setBuddy(m_frqMin);
    auto *grille = new QGridLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->addWidget(lbSeuil, 0, 0);
    grille->addWidget(lbFrq, 0, 1);
    grille->addWidget(m_seuil, 1, 0);
    grille->addWidget(m_frqMin, 1, 1);
}

int32_t BoitesParamSpec::Seuil() const { return m_seuil->value(); }

int32_t BoitesParamSpec::FrqMin() const { return m_frqMin->value(); }

void BoitesParamSpec::SetFrequenceMax(int32_t fmax) { m_frqMin->setRange(1, std::max(1, fmax)); }

QDialogButtonBox *BoutonsOkAnnuler(QWidget *dialogue) {
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(Tr("Annuler"));
    if (auto *d = qobject_cast<QDialog *>(dialogue)) {
        QObject::connect(boutons, &QDialogButtonBox::accepted, d, &QDialog::accept);
        QObject::connect(boutons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    }
    return boutons;
}

void FixeEtCentre(QWidget *dialogue) {
    dialogue->layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialogue->adjustSize();
    if (QScreen *ecran = QGuiApplication::primaryScreen()) {
        dialogue->move(ecran->availableGeometry().center() - dialogue->rect().center());
    }
}

} // namespace morvix::ui
