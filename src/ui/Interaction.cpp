#include "Interaction.h"

#include "Traduction.h"
#include "mainwindow/TFenChoixDelimForme.h"
#include "mainwindow/TOptionsOpenDialog.h"
#include "util/Programme.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QUrl>

namespace morvix::ui {

namespace {

Interaction desktop() {
    Interaction i;
    i.message = [](QWidget *parent, QMessageBox::Icon icone, const QString &titre,
                   const QString &texte, QMessageBox::StandardButtons boutons) {
        QMessageBox boite(icone, titre, texte, boutons, parent);
        return static_cast<QMessageBox::StandardButton>(boite.exec());
    };
    i.choisitDossier = [](QWidget *parent, const QString &titre) {
        return QFileDialog::getExistingDirectory(parent, titre, QString(),
                                                 QFileDialog::ShowDirsOnly);
    };
    i.bip = [] { QApplication::beep(); };
    i.choisitFichier = [](QWidget *parent, bool texte) -> QString {
        if (texte) {
            TOptionsOpenDialog dialogue(parent);
            if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
                return {};
            }
            return dialogue.selectedFiles().front();
        }
        return QFileDialog::getOpenFileName(parent, Tr("Ouverture d'une base Morvix"), QString(),
                                            Tr("Fichiers paramètres (*.par)"));
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
    return i;
}

} // namespace

Interaction &Interactions() {
    static Interaction actuelles = desktop();
    return actuelles;
}

void InteractionsParDefaut() { Interactions() = desktop(); }

} // namespace morvix::ui
