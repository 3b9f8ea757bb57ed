// Ward's hierarchical clustering of weighted points (the active parts of a correspondence
// analysis, weighted by their masses) and the text of "cah.txt": the merge sequence and a
// text dendrogram. Depends on afc/TListePoints.
#pragma once

#include "afc/TListePoints.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvix::cah {

// One merge: nodes 0 … n-1 are the points, node n + s is made by merge s.
struct Fusion {
    int32_t aine = 0;
    int32_t cadet = 0;
    int32_t effectif = 0; // number of points below the new node
    double indice = 0;    // Ward's increase of within-cluster inertia
};

// Merges of the n points with weights `poids` and coordinates `coord` (n rows of equal
// length), by increasing index; n − 1 merges.
std::vector<Fusion> Ward(const std::vector<double> &poids,
                         const std::vector<std::vector<double>> &coord);

// The leaves in dendrogram order (the order in which the tree lists them).
std::vector<int32_t> OrdreFeuilles(const std::vector<Fusion> &fusions, int32_t n);

// The text of cah.txt (UTF-8 literals converted to Windows-1252, line feeds only):
// clusters the active points of `points`, in units of inertia (masses and coordinates
// scaled back from the analysis' scales); false with `erreur` when fewer than two active
// points have a mass.
bool TexteCah(const TListePoints &points, std::string &texte, std::string &erreur);

} // namespace morvix::cah
