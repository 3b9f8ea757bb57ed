// Correspondence analysis of the active rows x active columns of a TableAfc (SVD of the
// standardized residuals), with supplementary columns and rows projected by the transition
// formulas, and the writers of "facteurs.txt", "vp.txt" and "lignes.txt" (layout in
// README.md). Depends on Eigen.
#pragma once

#include "CoranDon.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvix::afc {

// One point (a column or a row), in the units of the analysis: mass as a share of the
// active total, distance to the centroid, principal coordinates, contributions (share of
// the factor's inertia) and squared cosines, each over nbFacteurs factors.
struct PointAfc {
    bool actif = true;
    int64_t ident = 0; // the column index, or the row number
    std::string libelle;
    double masse = 0;
    double distance = 0;
    std::vector<double> coord;
    std::vector<double> ctr;
    std::vector<double> cos2;
};

struct ResultatAfc {
    double total = 0;                   // the table's total inertia, chi2 / N
    std::vector<double> valeursPropres; // nbFacteurs principal inertias (zeros past the rank)
    std::vector<PointAfc> colonnes;     // every column, in column order
    std::vector<PointAfc> lignes;       // the active rows, then the supplementary rows
};

// False with `erreur` when the table cannot be analysed (no active column, an empty
// active table).
bool CalculeAfc(const TableAfc &table, ResultatAfc &r, std::string &erreur);

// Rows are described on this many factors at most (a table has thousands of rows).
inline constexpr int32_t kFacteursLignes = 10;

// Scales of the written files.
inline constexpr double kEchelleCoord = 1000.0; // coordinates and distances: thousandths
inline constexpr double kEchelleMasse = 1000.0; // masses: per mille
inline constexpr double kEchelleCtr = 1000.0;   // contributions: per mille
inline constexpr double kEchelleVp = 1e6;       // eigenvalues: millionths

// Writes the files through unique temporary names renamed over them; false with `erreur`
// when one cannot be written or its name is a symbolic link (never followed).
bool EcritFacteurs(const std::string &chemin, const ResultatAfc &r, std::string &erreur);
bool EcritVp(const std::string &chemin, const ResultatAfc &r, std::string &erreur);
bool EcritLignes(const std::string &chemin, const ResultatAfc &r, std::string &erreur);

} // namespace morvix::afc
