// Helpers for the window tests: answering message boxes and dialogs in place of the user,
// and small bases.
#pragma once

#include "Interaction.h"

#include <QColor>
#include <QDialog>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvix::test {

struct MessageVu {
    QString titre;
    QString texte;
};

// Replaces the interaction functions for the lifetime of the object: message boxes are
// recorded and answered with `reponse`, the delimiter dialog is confirmed unchanged, the
// folder browser answers `dossier`, beeps are counted.
class Utilisateur {
  public:
    Utilisateur();
    ~Utilisateur();
    Utilisateur(const Utilisateur &) = delete;
    Utilisateur &operator=(const Utilisateur &) = delete;

    QMessageBox::StandardButton reponse = QMessageBox::Ok;
    bool confirmeDelimiteurs = true;
    QString dossier;
    std::vector<MessageVu> messages;
    int delimiteursDemandes = 0;
    int bips = 0;
    std::vector<QString> documents;
    // Whether opening a document succeeds.
    bool documentOuvert = true;
    // The colour dialog's answer (nullopt: cancelled) and how often it was asked.
    std::optional<QColor> couleur;
    int couleursDemandees = 0;
    // The answers of the save and open dialogs ("" / empty: cancelled), with the titles
    // they were shown with.
    QString fichierEnregistrement;
    QString fichierOuverture;
    QStringList fichiersOuverture;
    std::vector<QString> dialoguesFichier;
    // Answers our own modal dialogs (cancelled when empty), and counts them.
    std::function<int(QDialog &)> dialogue;
    int dialoguesModaux = 0;
};

// A Windows-1252 text written from UTF-8.
std::string cp(const char *utf8);

// Test classes register themselves (MORVIX_TEST_FENETRE); each test program runs those it
// links, on one application object.
using FabriqueTest = QObject *(*)();
int EnregistreTest(FabriqueTest fabrique);
const std::vector<FabriqueTest> &TestsEnregistres();

} // namespace morvix::test

#define MORVIX_TEST_FENETRE(Classe)                                                                \
    static const int enregistrement##Classe =                                                      \
        ::morvix::test::EnregistreTest([]() -> QObject * { return new Classe; });
