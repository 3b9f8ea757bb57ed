// The table handed to the correspondence-analysis program, "coran.don": the NI most
// frequent forms as active rows by the parts of a partition as columns, and the repeated
// segments at or above the minimum frequency as supplementary rows. Depends on base and
// partitions.
#pragma once

#include "afc/LimitesAfc.h"

#include <cstdint>
#include <string>

namespace morvix {

class charg1;
class Partition;

// The checked parameters of one analysis (the dialog's fields).
struct ParamAfc {
    std::string Titre;   // first line of the file (Windows-1252)
    int32_t NI = 0;      // active rows: forms 0 … NI−1, 1 ≤ NI ≤ Nbform
    int32_t NF = 0;      // number of factors, 1 ≤ NF ≤ kMaxFacteurs
    int32_t FrqMin = 10; // minimum frequency; also selects the supplementary segments
    int32_t Mode = 0;    // 0: every part active; 1: parts not ticked are supplementary
};

// Number of forms whose frequency is at least `frqMin` (forms come by descending frequency).
int32_t NbFormesAuMoins(const charg1 &base, int32_t frqMin);

// The dialog's initial values: title base name + " : " + key graphy, NI the forms at or
// above the partition's FrqMin, NF = NbParties − 1 (at most kMaxFacteurs), mode 0.
ParamAfc ParamAfcInitiaux(const Partition &partition);

// Number of parts that are not ticked (the supplementary columns of mode 1).
int32_t NbPartiesNonCochees(const Partition &partition);

// Writes the table at `chemin` (CR LF line ends) through a temporary file. Counts are
// written in a field one wider than the largest count (at least 5, as "F5.0" says) and
// row numbers in a field as wide as the largest (at least 5), followed by one blank; the
// layout line states both widths. False with `erreur` when the parameters are out of range
// or the file cannot be written; an existing file is then left as it was.
bool EcritCoranDon(const std::string &chemin, const Partition &partition, const ParamAfc &param,
                   std::string &erreur);

} // namespace morvix
