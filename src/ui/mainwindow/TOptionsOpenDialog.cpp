#include "mainwindow/TOptionsOpenDialog.h"

#include "Interaction.h"
#include "Traduction.h"
#include "report/TFenCreerCorpus.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

namespace morvix::ui {

TOptionsOpenDialog::TOptionsOpenDialog(QWidget *parent)
    : QFileDialog(parent), m_options(new QPushButton) {
    setObjectName(QStringLiteral("OptionsOpenDialog"));
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setWindowTitle(Tr("Ouvrir"));
    setNameFilters({Tr("Documents textes et word (*.txt *.doc *.docx *.odt)"),
                    Tr("Documents Word (*.doc *.docx)"), Tr("Documents OpenDocument (*.odt)"),
                    Tr("Fichiers Texte (*.txt)")});

    // The added strip: the program's name and the advanced options button.
    auto *bande = new QWidget(this);
    bande->setObjectName(QStringLiteral("PanelOptions"));
    bande->setFixedHeight(32);
    auto *nom = new QLabel(QStringLiteral("Morvix 3"), bande);
    QFont police(QStringLiteral("Times New Roman"));
    police.setPointSize(14);
    nom->setFont(police);
    nom->setStyleSheet(QStringLiteral("color: blue;"));
    nom->setAlignment(Qt::AlignCenter);
    m_options->setParent(bande);
    m_options->setObjectName(QStringLiteral("BtnOptions"));
    m_options->setText(Tr("Options..."));
    m_options->setToolTip(Tr("Options avancées (Regroupement de textes, etc.)"));
    m_options->move(2, 2);
    auto *ligne = new QHBoxLayout(bande);
    ligne->setContentsMargins(2, 2, 2, 2);
    ligne->addWidget(m_options);
    ligne->addWidget(nom, 1);
    if (auto *grille = qobject_cast<QGridLayout *>(layout())) {
        grille->addWidget(bande, grille->rowCount(), 0, 1, grille->columnCount());
    } else if (layout() != nullptr) {
        layout()->addWidget(bande);
    }
    connect(m_options, &QPushButton::clicked, this, &TOptionsOpenDialog::OptionsDemandees);
    connect(this, &TOptionsOpenDialog::OptionsDemandees, this, &TOptionsOpenDialog::CreationCorpus);
}

void TOptionsOpenDialog::CreationCorpus() {
    TFenCreerCorpus dialogue(this);
    if (ExecuteDialogue(dialogue) == QDialog::Accepted && !dialogue.FichierSauve().isEmpty()) {
        SelectionneFichier(dialogue.FichierSauve());
    }
}

void TOptionsOpenDialog::SelectionneFichier(const QString &fichier) {
    if (fichier.isEmpty()) {
        return;
    }
    const QFileInfo info(fichier);
    setDirectory(info.absolutePath());
    selectFile(info.fileName());
}

void TOptionsOpenDialog::showEvent(QShowEvent *event) {
    QFileDialog::showEvent(event);
    if (!m_agrandi) {
        m_agrandi = true;
        resize(width(), height() + 32);
        if (QScreen *ecran = QGuiApplication::primaryScreen()) {
            move(x(), ecran->geometry().center().y() - height() / 2);
        }
    }
}

} // namespace morvix::ui
