#include "mainwindow/TFenOpt.h"

#include "Interaction.h"
#include "Traduction.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace morvix::ui {

namespace {

// The conversion of a setting's text: a decimal integer of 32 bits, blanks around allowed.
bool entier(const QString &texte, int32_t &valeur) {
    bool ok = false;
    const qlonglong v = texte.trimmed().toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    valeur = static_cast<int32_t>(v);
    return true;
}

// The message for a value outside its range.
QString horsBornes(const QString &nom, const QString &texte, int32_t min, int32_t max) {
    return Tr("%1 « %2 » est hors des limites : la valeur doit être comprise entre %3 et %4.")
        .arg(nom, texte, QString::number(min), QString::number(max));
}

} // namespace

TFenOpt::TFenOpt(const QString &dossierMusiques, QWidget *parent)
    : QDialog(parent), m_maxart(new QLineEdit(QStringLiteral("100000"))),
      m_etiqs(new QLineEdit(QStringLiteral("1"))), m_musiques(new QComboBox) {
    setObjectName(QStringLiteral("FenOpt"));
    setWindowTitle(Tr("Options"));
    m_maxart->setObjectName(QStringLiteral("EdMaxart"));
    m_etiqs->setObjectName(QStringLiteral("EdEtiqs"));
    m_musiques->setObjectName(QStringLiteral("ListeMusiques"));

    auto *pages = new QTabWidget;
    auto *segmentation = new QWidget;
    auto *formulaire = new QFormLayout(segmentation);
    formulaire->addRow(new QLabel(Tr("Nombre maximum d'articles :")), m_maxart);
    formulaire->addRow(new QLabel(Tr("Nombre des étiquettes : (en test)")), m_etiqs);
    pages->addTab(segmentation, Tr("Segmentation"));

    auto *musiques = new QWidget;
    auto *colonne = new QVBoxLayout(musiques);
    colonne->addWidget(new QLabel(Tr("Sélectionnez un titre :")));
    colonne->addWidget(m_musiques);
    colonne->addStretch();
    const QStringList titres =
        QDir(dossierMusiques).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
    m_musiques->addItems(titres);
    pages->addTab(musiques, Tr("Musiques"));

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(Tr("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(boutons);
    // At least the dialog's own size, and as much as its texts need in any language: the
    // fields show their whole value.
    m_maxart->setMinimumWidth(m_maxart->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                              16);
    m_etiqs->setMinimumWidth(m_maxart->minimumWidth());
    const QSize besoin = sizeHint();
    setFixedSize(std::max(288, besoin.width()), std::max(185, besoin.height()));
    if (QScreen *ecran = QGuiApplication::primaryScreen()) {
        move(ecran->geometry().center() - rect().center());
    }
}

QString TFenOpt::Verifie(QLineEdit **champ) const {
    struct Champ {
        QLineEdit *edit;
        QString nom;
        int32_t min, max;
    };
    const Champ champs[] = {
        {m_etiqs, Tr("Nombre des étiquettes"), kNbEtiqsMin, kNbEtiqsMax},
        {m_maxart, Tr("Nombre maximum d'articles"), kMaxartMin, kMaxartMax},
    };
    for (const Champ &c : champs) {
        int32_t valeur = 0;
        QString erreur;
        if (!entier(c.edit->text(), valeur)) {
            erreur = Tr("« %1 » n'est pas une valeur entière correcte.").arg(c.edit->text());
        } else if (valeur < c.min || valeur > c.max) {
            erreur = horsBornes(c.nom, c.edit->text().trimmed(), c.min, c.max);
        }
        if (!erreur.isEmpty()) {
            if (champ != nullptr) {
                *champ = c.edit;
            }
            return erreur;
        }
    }
    return {};
}

QString TFenOpt::Applique(Reglages &reglages) const {
    QLineEdit *fautif = nullptr;
    const QString erreur = Verifie(&fautif);
    if (fautif == m_etiqs) {
        return erreur;
    }
    int32_t valeur = 0;
    entier(m_etiqs->text(), valeur);
    reglages.NbEtiqs = valeur;
    if (fautif == m_maxart) {
        return erreur;
    }
    entier(m_maxart->text(), valeur);
    reglages.MAXART = valeur;
    return {};
}

void TFenOpt::accept() {
    QLineEdit *fautif = nullptr;
    const QString erreur = Verifie(&fautif);
    if (!erreur.isEmpty()) {
        Message(this, QMessageBox::Warning, Tr("Options"), erreur, QMessageBox::Ok);
        if (fautif != nullptr) {
            fautif->setFocus();
            fautif->selectAll();
        }
        return;
    }
    QDialog::accept();
}

} // namespace morvix::ui
