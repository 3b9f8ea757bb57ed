// The texts the partition windows and their report pages show for specificities: the
// coefficient in each display, the lists of part labels, the run of a chronological result,
// the pastille colour of a list and the header-click cycle of the chronological grid.
// Texts are Windows-1252 bytes. Depends on Partition and PrimSpecChr.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvix {

class Partition;
struct ResSpecChr;

// Per-part table on screen: "" for 0, "+n" up to 50, "-n" down to -50, "***" beyond.
std::string TexteCoeffTableau(int32_t coeff);
// The same in the table's report page, where 0 is "&nbsp;".
std::string TexteCoeffPageTableau(int32_t coeff);
// Specificity list on screen: the number, "***" from 50 up and from -50 down.
std::string TexteCoeffListe(int32_t coeff);
// Specificity list page: the number, "***" beyond ±50.
std::string TexteCoeffPageListe(int32_t coeff);

// The label of every part whose flag is set, in part order, each followed by ", ".
std::string ListeLibelles(const Partition &partition, const std::vector<bool> &drapeaux);

// "first" or "first - last": the labels of the run of a chronological result.
std::string TexteTranche(const Partition &partition, const ResSpecChr &r);

// Colour of a group dragged from a list of the partition's specificities: the colour the
// selected parts share, blue when they differ or none is selected.
uint32_t CouleurPastillePartition(const Partition &partition);

// Columns of the chronological grid.
enum ColonneChrono : int32_t {
    kChronoForme = 0,
    kChronoF = 1,
    kChronof = 2,
    kChronoCoeff = 3,
    kChronoParties = 4,
    kNbColonnesChrono = 5,
};
// The sort order (PrimSpecChr::Ordre) after a click on a column header when `ordre` is the
// current one (-1 before any sort); -1 for a column that does not sort.
int32_t OrdreChronoApresClic(int32_t colonne, int32_t ordre);

} // namespace morvix
