#include "partitions/PagesRapport.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "report/Rapport.h"
#include "report/RapportOutils.h"

#include <algorithm>
#include <filesystem>

namespace morvix::ui {

namespace {

bool pris(const Rapport &rapport, const std::string &nom) {
    const auto &f = rapport.Fichiers();
    std::error_code ec;
    return std::find(f.begin(), f.end(), nom) != f.end() ||
           (rapport.Valide() && std::filesystem::exists(rapport.Dossier() + nom, ec));
}

} // namespace

std::string NomLibre(Rapport &rapport, std::string_view racine, std::string_view extension) {
    return rapport.NomLibre(NomFichierRapport(racine), std::string(extension), true);
}

int32_t NumeroLibre(const Rapport &rapport, std::string_view racine, std::string_view extension) {
    int32_t n = 0;
    while (pris(rapport, std::string(racine) + std::to_string(n) + std::string(extension))) {
        ++n;
    }
    return n;
}

bool EnregistrePage(QWidget *parent, Rapport &rapport, const std::string &fichier,
                    const std::string &page, const std::string &titre) {
    const std::string chemin = rapport.Dossier() + fichier;
    if (!rapport.Valide() || !EcritPageRapport(chemin, page) ||
        !rapport.AjouteEntree(titre, fichier, " ")) {
        Message(parent, QMessageBox::Warning, Tr("Morvix3"),
                Tr("La page %1 n'a pas pu être écrite dans le rapport : %2")
                    .arg(DeCheminNatif(chemin), rapport.Valide()
                                                    ? Tr("écriture impossible")
                                                    : QString::fromStdString(rapport.Erreur())),
                QMessageBox::Ok);
        return false;
    }
    return true;
}

} // namespace morvix::ui
