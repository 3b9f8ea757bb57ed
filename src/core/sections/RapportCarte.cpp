#include "sections/RapportCarte.h"

#include "report/RapportOutils.h"

namespace morvix {

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
