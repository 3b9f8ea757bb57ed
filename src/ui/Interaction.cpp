#include "Interaction.h"

#include "Traduction.h"
#include "mainwindow/TFenChoixDelimForme.h"
#include "mainwindow/TOptionsOpenDialog.h"
#include "util/Programme.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>

#include <QUrl>
#include <algorithm>

namespace morvix::ui {

namespace {

// Qt's file dialog opens too small for its columns: give it room and the names their width.
void agrandit(QFileDialog &dialogue) {
    dialogue.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogue.resize(std::max(dialogue.width(), 820), std::max(dialogue.height(), 520));
    if (auto *arbre = dialogue.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *entete = arbre->header();
        entete->setStretchLastSection(false);
        entete->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < entete->count(); ++c) {
            entete->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        }
    }
    if (auto *liste = dialogue.findChild<QListView *>(QStringLiteral("listView"))) {
        liste->setUniformItemSizes(false);
    }
}

QString ouvreUn(QWidget *parent, const QString &titre, const QString &filtre,
                QFileDialog::FileMode mode) {
    QFileDialog dialogue(parent, titre, QString(), filtre);
    dialogue.setFileMode(mode);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    if (mode == QFileDialog::Directory) {
        dialogue.setOption(QFileDialog::ShowDirsOnly, true);
    }
    agrandit(dialogue);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
        return {};
    }
    return dialogue.selectedFiles().front();
}

} // namespace

void PrepareDialogueFichier(QFileDialog &dialogue) { agrandit(dialogue); }

namespace {

Interaction desktop() {
    Interaction i;
    i.message = [](QWidget *parent, QMessageBox::Icon icone, const QString &titre,
                   const QString &texte, QMessageBox::StandardButtons boutons) {
        QMessageBox boite(icone, titre, texte, boutons, parent);
        return static_cast<QMessageBox::StandardButton>(boite.exec());
    };
    i.choisitDossier = [](QWidget *parent, const QString &titre) {
        return ouvreUn(parent, titre, QString(), QFileDialog::Directory);
    };
    i.bip = [] { QApplication::beep(); };
    i.choisitFichier = [](QWidget *parent, bool texte) -> QString {
        if (texte) {
            TOptionsOpenDialog dialogue(parent);
            agrandit(dialogue);
            if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
                return {};
            }
            return dialogue.selectedFiles().front();
        }
        return ouvreUn(parent, Tr("Ouverture d'une base Morvix"), Tr("Fichiers paramètres (*.par)"),
                       QFileDialog::ExistingFile);
    };
    i.choisitDelimiteurs = [](QWidget *parent, std::string &delimiteurs) {
        TFenChoixDelimForme dialogue(delimiteurs, parent);
        QObject::connect(&dialogue, &TFenChoixDelimForme::AideDemandee, &dialogue, [] {
            Interactions().ouvreDocument(QFile::decodeName(
                QByteArray::fromStdString(DossierProgramme() + "aide/html/aide.html")));
        });
        if (parent != nullptr) {
            dialogue.move(parent->geometry().center() - dialogue.rect().center());
        }
        if (dialogue.exec() != QDialog::Accepted) {
            return false;
        }
        delimiteurs = dialogue.Delimiteurs();
        return true;
    };
    i.ouvreDocument = [](const QString &chemin) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
    };
    i.choisitCouleur = [](QWidget *parent, const QColor &initiale) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initiale, parent);
        if (!c.isValid()) {
            return std::nullopt;
        }
        return c;
    };
    i.choisitFichierEnregistrement = [](QWidget *parent, const QString &titre,
                                        const QString &filtre, const QString &nom) {
        return QFileDialog::getSaveFileName(parent, titre, nom, filtre);
    };
    i.choisitFichierOuverture = [](QWidget *parent, const QString &titre, const QString &filtre) {
        return QFileDialog::getOpenFileName(parent, titre, QString(), filtre);
    };
    i.choisitFichiersOuverture = [](QWidget *parent, const QString &titre, const QString &filtre) {
        return QFileDialog::getOpenFileNames(parent, titre, QString(), filtre);
    };
    i.executeDialogue = [](QDialog &dialogue) { return dialogue.exec(); };
    return i;
}

} // namespace

Interaction &Interactions() {
    static Interaction actuelles = desktop();
    return actuelles;
}

void InteractionsParDefaut() { Interactions() = desktop(); }

} // namespace morvix::ui
