// What the factorial map window shows besides the map: the labels of the points, the cells
// of the factor table, the bars of the eigenvalue histogram and the comments of its report
// images. Depends on afc (TListePoints) and partitions; texts are Windows-1252.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace morvix {

class Partition;
class TListePoints;

// The label of each part: the graphy of its key content, or in identifier mode that
// content's code in decimal.
std::vector<std::string> LibellesParties(const Partition &partition, bool identifiants);

// A real in fixed notation with `decimales` decimals, rounded to 8 significant digits at
// most (exponent notation beyond 10^8).
std::string TexteFixe(double valeur, int32_t decimales);

// The factor table: "Ident.", "Masse", "Distance", then 3 NbFact columns "f1" … "fNbFact"
// three times over.
int32_t NbColonnesFacteurs(const TListePoints &points);
std::string TitreColonneFacteurs(const TListePoints &points, int32_t colonne);
// The raw value behind a numeric cell (colonne >= 1).
double ValeurFacteurs(const TListePoints &points, int32_t ligne, int32_t colonne);
// Cell text: the label, the mass and distance with 3 decimals, the coordinates with 2, the
// second block with 1, the third with 2.
std::string TexteFacteurs(const TListePoints &points, const std::vector<std::string> &libelles,
                          int32_t ligne, int32_t colonne);

// The bars of the histogram, from the last eigenvalue to the first (so the first is drawn
// on top), each labelled with its factor number.
struct BarreValeurPropre {
    std::string Libelle;
    int64_t Valeur = 0;
};
std::vector<BarreValeurPropre> BarresValeursPropres(const std::vector<int64_t> &valeurs);

// The comment of a report image of the map (or of the histogram): its heading, the page
// header table of the partition, the number of parts.
std::string CommentaireImageAfc(const Partition &partition, const std::string &titre,
                                bool histogramme, std::time_t t = std::time(nullptr));

} // namespace morvix
