// The points where a window waits for the user or hands something to the desktop: message
// boxes, the folder browser, the beep, opening a file with its program. Each goes through a
// replaceable function so that tests can answer in place of the user.
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QDialog;
class QFileDialog;
class QWidget;

namespace morvix::ui {

struct Interaction {
    // Shows a message box; returns the button chosen.
    std::function<QMessageBox::StandardButton(QWidget *parent, QMessageBox::Icon icone,
                                              const QString &titre, const QString &texte,
                                              QMessageBox::StandardButtons boutons)>
        message;
    // The folder browser; an empty text when cancelled.
    std::function<QString(QWidget *parent, const QString &titre)> choisitDossier;
    std::function<void()> bip;
    // The open dialog of a base (false) or of a text to segment (true); "" when cancelled.
    std::function<QString(QWidget *parent, bool texte)> choisitFichier;
    // The delimiter dialog: false when cancelled, else `delimiteurs` (Windows-1252) holds
    // the confirmed text.
    std::function<bool(QWidget *parent, std::string &delimiteurs)> choisitDelimiteurs;
    // Opens a file with the desktop's program for it; false when no program could be started.
    std::function<bool(const QString &chemin)> ouvreDocument;
    // The colour dialog; nullopt when cancelled.
    std::function<std::optional<QColor>(QWidget *parent, const QColor &initiale)> choisitCouleur;
    // A save dialog (title, filter as QFileDialog takes it, proposed name); "" when cancelled.
    std::function<QString(QWidget *parent, const QString &titre, const QString &filtre,
                          const QString &nom)>
        choisitFichierEnregistrement;
    // An open dialog for one file, or for several; empty when cancelled.
    std::function<QString(QWidget *parent, const QString &titre, const QString &filtre)>
        choisitFichierOuverture;
    std::function<QStringList(QWidget *parent, const QString &titre, const QString &filtre)>
        choisitFichiersOuverture;
    // Shows one of our own dialogs modally; returns its result (QDialog::Accepted or not).
    std::function<int(QDialog &dialogue)> executeDialogue;
};

// The process's interaction functions (the desktop's by default).
Interaction &Interactions();
// Puts back the desktop's functions.
void InteractionsParDefaut();

inline QMessageBox::StandardButton Message(QWidget *parent, QMessageBox::Icon icone,
                                           const QString &titre, const QString &texte,
                                           QMessageBox::StandardButtons boutons) {
    return Interactions().message(parent, icone, titre, texte, boutons);
}

inline void Bip() { Interactions().bip(); }

inline int ExecuteDialogue(QDialog &dialogue) { return Interactions().executeDialogue(dialogue); }

// Gives one of Qt's file dialogs the size its columns need (every file dialog goes through it).
void PrepareDialogueFichier(QFileDialog &dialogue);

} // namespace morvix::ui
