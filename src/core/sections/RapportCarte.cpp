#include "sections/RapportCarte.h"

#include "report/Rapport.h"
#include "report/RapportOutils.h"

#include <algorithm>
#include <filesystem>

namespace morvix {

int32_t NumeroLibre(const Rapport &rapport, const std::function<std::string(int32_t)> &nom,
                    int32_t premier) {
    const std::vector<std::string> &fichiers = rapport.Fichiers();
    for (int32_t n = premier;; ++n) {
        const std::string candidat = nom(n);
        std::error_code erreur;
        if (std::find(fichiers.begin(), fichiers.end(), candidat) == fichiers.end() &&
            (rapport.Dossier().empty() ||
             !std::filesystem::exists(rapport.Dossier() + candidat, erreur)))
            return n;
    }
}

std::string NomImageCarte(std::string_view premierDelimiteur, int32_t n) {
    std::string nom = "img-section-";
    nom += premierDelimiteur;
    nom += std::to_string(n);
    nom += ".jpg";
    return NomFichierRapport(nom);
}

std::string CommentaireImageCarte(const ContenuImageCarte &contenu, std::time_t t) {
    std::string c = "<CENTER><H3>" + contenu.titre + "</H3><CENTER><br>\n";
    if (contenu.groupe1 != nullptr) {
        c += "Terme = " + *contenu.groupe1;
        if (contenu.groupeSup != nullptr)
            c += ", " + *contenu.groupeSup;
        c += "<br>";
    }
    c += EnteteRapport(contenu.nomBase, contenu.cle, t);
    c += "<br>\n";
    return c;
}

} // namespace morvix
