#include "mainwindow/TFenOpt.h"

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

} // namespace

TFenOpt::TFenOpt(const QString &dossierMusiques, QWidget *parent)
    : QDialog(parent), m_maxart(new QLineEdit(QStringLiteral("100000"))),
      m_etiqs(new QLineEdit(QStringLiteral("1"))), m_musiques(new QComboBox) {
    setObjectName(QStringLiteral("FenOpt"));
    setWindowTitle(Tr("Options"));
    setFixedSize(288, 185);
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
    if (QScreen *ecran = QGuiApplication::primaryScreen()) {
        move(ecran->geometry().center() - rect().center());
    }
}

QString TFenOpt::Applique(Reglages &reglages) const {
    int32_t valeur = 0;
    if (!entier(m_etiqs->text(), valeur)) {
        return Tr("« %1 » n'est pas une valeur entière correcte.").arg(m_etiqs->text());
    }
    reglages.NbEtiqs = valeur;
    if (!entier(m_maxart->text(), valeur)) {
        return Tr("« %1 » n'est pas une valeur entière correcte.").arg(m_maxart->text());
    }
    reglages.MAXART = valeur;
    return {};
}

} // namespace morvix::ui
