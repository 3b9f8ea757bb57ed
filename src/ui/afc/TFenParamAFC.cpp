#include "afc/TFenParamAFC.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "partitions/Partition.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace morvix::ui {

TFenParamAFC::TFenParamAFC(Partition &partition, QWidget *parent)
    : QDialog(parent), m_partition(partition), m_edTitre(new QLineEdit), m_edNI(new QLineEdit),
      m_edNJ(new QLineEdit), m_edNI2(new QLineEdit), m_edNF(new QLineEdit), m_edNJ2(new QLineEdit),
      m_frqMin(new QSpinBox) {
    setObjectName(QStringLiteral("FenParamAFC"));
    setWindowTitle(Tr("Paramètrage de l'AFC"));
    const ParamAfc initiaux = ParamAfcInitiaux(partition);
    m_edTitre->setObjectName(QStringLiteral("EdTitre"));
    m_edTitre->setText(DeCp1252(initiaux.Titre));
    m_edNI->setObjectName(QStringLiteral("EdNI"));
    m_edNJ->setObjectName(QStringLiteral("EdNJ"));
    m_edNJ->setText(QString::number(partition.NbParties));
    // The columns are the parts: the table is always written with all of them.
    m_edNJ->setReadOnly(true);
    m_edNI2->setObjectName(QStringLiteral("EdNI2"));
    m_edNI2->setText(QStringLiteral("0"));
    m_edNI2->setReadOnly(true);
    m_edNF->setObjectName(QStringLiteral("EdNF"));
    m_edNF->setText(QString::number(initiaux.NF));
    m_edNF->setReadOnly(true);
    m_edNJ2->setObjectName(QStringLiteral("EdNJ2"));
    m_edNJ2->setText(QString::number(NbPartiesNonCochees(partition)));
    m_edNJ2->setReadOnly(true);
    m_frqMin->setObjectName(QStringLiteral("CSpinEdit1"));
    m_frqMin->setRange(1, std::max(1, partition.Base().Fmax()));
    // Changed with its arrows only.
    if (auto *texte = m_frqMin->findChild<QLineEdit *>()) {
        texte->setReadOnly(true);
    }
    m_frqMin->setValue(kFrqMinDefaut);
    CSpinEdit1Change(m_frqMin->value());
    connect(m_frqMin, &QSpinBox::valueChanged, this, &TFenParamAFC::CSpinEdit1Change);

    auto *grille = new QGridLayout;
    grille->addWidget(new QLabel(Tr("Titre de l'analyse :")), 0, 0);
    grille->addWidget(m_edTitre, 0, 1, 1, 5);
    const std::pair<const char *, QLineEdit *> champs[] = {
        {"NI", m_edNI}, {"NJ", m_edNJ}, {"NF", m_edNF}, {"NI2", m_edNI2}, {"NJ2", m_edNJ2}};
    for (int i = 0; i < 5; ++i) {
        const int ligne = 1 + i / 3, colonne = (i % 3) * 2;
        auto *etiquette = new QLabel(QString::fromLatin1(champs[i].first));
        etiquette->setBuddy(champs[i].second);
        champs[i].second->setMaximumWidth(80);
        grille->addWidget(etiquette, ligne, colonne, Qt::AlignRight);
        grille->addWidget(champs[i].second, ligne, colonne + 1);
    }
    grille->addWidget(new QLabel(Tr("FreqMin :")), 2, 4, Qt::AlignRight);
    grille->addWidget(m_frqMin, 2, 5);

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, this, [this] {
        if (Verifie()) {
            accept();
        }
    });
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(grille);
    colonne->addStretch(1);
    colonne->addWidget(boutons);
    setFixedSize(sizeHint().expandedTo(QSize(381, 185)));
}

void TFenParamAFC::CSpinEdit1Change(int valeur) {
    m_partition.FrqMin = valeur;
    m_edNI->setText(QString::number(NbFormesAuMoins(m_partition.Base(), valeur)));
}

bool TFenParamAFC::Verifie() {
    const int32_t nbform = m_partition.Base().Nbform();
    bool ok = false;
    const int ni = m_edNI->text().trimmed().toInt(&ok);
    QString faute;
    if (!ok || ni < 1 || ni > nbform) {
        faute = Tr("NI doit être un nombre entier de 1 à %1.").arg(nbform);
    }
    const int nf = m_edNF->text().trimmed().toInt(&ok);
    if (faute.isEmpty() && (!ok || nf < 1)) {
        faute = Tr("NF doit être un nombre entier d'au moins 1.");
    }
    if (faute.isEmpty() && m_partition.NbParties < 2) {
        faute = Tr("La partition doit avoir au moins deux parties.");
    }
    if (!faute.isEmpty()) {
        Message(this, QMessageBox::Warning, windowTitle(),
                Tr("Vérifiez vos paramètres") + QStringLiteral("\n") + faute, QMessageBox::Ok);
        return false;
    }
    m_param.Titre = VersCp1252(m_edTitre->text());
    m_param.NI = ni;
    m_param.NF = nf;
    m_param.FrqMin = m_frqMin->value();
    m_param.Mode = m_mode;
    return true;
}

} // namespace morvix::ui
