#include "afc/TableFacteurs.h"

#include "afc/TListePoints.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "report/RapportOutils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace morvix {

std::vector<std::string> LibellesParties(const Partition &partition, bool identifiants) {
    std::vector<std::string> l(static_cast<size_t>(partition.NbParties));
    for (int32_t j = 0; j < partition.NbParties; ++j)
        l[static_cast<size_t>(j)] = identifiants
                                        ? std::to_string(partition.Valeurs[static_cast<size_t>(j)])
                                        : std::string(partition.Libelle(j));
    return l;
}

std::string TexteFixe(double valeur, int32_t decimales) {
    char s[64];
    if (!std::isfinite(valeur))
        return std::isnan(valeur) ? "NAN" : (valeur > 0 ? "INF" : "-INF");
    if (std::fabs(valeur) >= 1e8) {
        std::snprintf(s, sizeof s, "%.7E", valeur);
        return s;
    }
    // Round to 8 significant digits first, then show the decimals asked for.
    std::snprintf(s, sizeof s, "%.7e", valeur);
    const double arrondi = std::strtod(s, nullptr);
    std::snprintf(s, sizeof s, "%.*f", decimales, arrondi);
    // No "-0.00".
    if (s[0] == '-' && std::strtod(s, nullptr) == 0)
        return s + 1;
    return s;
}

int32_t NbColonnesFacteurs(const TListePoints &points) { return 3 + 3 * points.NbFact; }

std::string TitreColonneFacteurs(const TListePoints &points, int32_t colonne) {
    switch (colonne) {
    case 0:
        return "Ident.";
    case 1:
        return "Masse";
    case 2:
        return "Distance";
    default:
        return "f" + std::to_string((colonne - 3) % points.NbFact + 1);
    }
}

double ValeurFacteurs(const TListePoints &points, int32_t ligne, int32_t colonne) {
    const auto j = static_cast<size_t>(ligne);
    if (colonne == 1)
        return points.Masse[j];
    if (colonne == 2)
        return points.Distance[j];
    return points.Fact[static_cast<size_t>(colonne - 3)][j];
}

std::string TexteFacteurs(const TListePoints &points, const std::vector<std::string> &libelles,
                          int32_t ligne, int32_t colonne) {
    if (colonne == 0)
        return static_cast<size_t>(ligne) < libelles.size() ? libelles[static_cast<size_t>(ligne)]
                                                            : std::string();
    int32_t decimales = 3;
    if (colonne >= 3) {
        const int32_t bloc = (colonne - 3) / points.NbFact;
        decimales = bloc == 1 ? 1 : 2;
    }
    return TexteFixe(ValeurFacteurs(points, ligne, colonne), decimales);
}

std::vector<BarreValeurPropre> BarresValeursPropres(const std::vector<int64_t> &valeurs) {
    std::vector<BarreValeurPropre> b;
    for (size_t i = valeurs.size(); i-- > 0;)
        b.push_back({std::to_string(i + 1), valeurs[i]});
    return b;
}

std::string CommentaireImageAfc(const Partition &partition, const std::string &titre,
                                bool histogramme, std::time_t t) {
    const charg1 &base = partition.Base();
    const std::string cle = base.RetourneGraphie(partition.Cle, false);
    std::string c =
        histogramme ? std::string("<CENTER><H3>Histogramme des valeurs propres</H3></CENTER><br>")
                    : "<CENTER><H3>" + titre + "</H3></CENTER><br>";
    c += EnteteRapport(base.NomBase(), &cle, t);
    c += "Nombre de parties : " + std::to_string(partition.NbParties) + "<br>\n";
    c += "<br>\n";
    return c;
}

} // namespace morvix
