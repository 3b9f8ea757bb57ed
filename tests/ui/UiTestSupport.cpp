#include "UiTestSupport.h"

#include "util/Encoding.h"

namespace morvix::test {

Utilisateur::Utilisateur() {
    ui::Interaction &i = ui::Interactions();
    i.message = [this](QWidget *, QMessageBox::Icon, const QString &titre, const QString &texte,
                       QMessageBox::StandardButtons) {
        messages.push_back({titre, texte});
        return reponse;
    };
    i.choisitDelimiteurs = [this](QWidget *, std::string &) {
        ++delimiteursDemandes;
        return confirmeDelimiteurs;
    };
    i.choisitDossier = [this](QWidget *, const QString &) { return dossier; };
    i.choisitFichier = [](QWidget *, bool) { return QString(); };
    i.bip = [this] { ++bips; };
    i.ouvreDocument = [this](const QString &chemin) {
        documents.push_back(chemin);
        return documentOuvert;
    };
    i.choisitCouleur = [this](QWidget *, const QColor &) {
        ++couleursDemandees;
        return couleur;
    };
    i.choisitFichierEnregistrement = [this](QWidget *, const QString &titre, const QString &,
                                            const QString &) {
        dialoguesFichier.push_back(titre);
        return fichierEnregistrement;
    };
    i.choisitFichierOuverture = [this](QWidget *, const QString &titre, const QString &) {
        dialoguesFichier.push_back(titre);
        return fichierOuverture;
    };
    i.choisitFichiersOuverture = [this](QWidget *, const QString &titre, const QString &) {
        dialoguesFichier.push_back(titre);
        return fichiersOuverture;
    };
    i.executeDialogue = [this](QDialog &d) {
        ++dialoguesModaux;
        return dialogue ? dialogue(d) : static_cast<int>(QDialog::Rejected);
    };
}

Utilisateur::~Utilisateur() { ui::InteractionsParDefaut(); }

std::string cp(const char *utf8) { return utf8ToCp1252(utf8); }

namespace {
std::vector<FabriqueTest> &registre() {
    static std::vector<FabriqueTest> tests;
    return tests;
}
} // namespace

int EnregistreTest(FabriqueTest fabrique) {
    registre().push_back(fabrique);
    return static_cast<int>(registre().size());
}

const std::vector<FabriqueTest> &TestsEnregistres() { return registre(); }

} // namespace morvix::test
