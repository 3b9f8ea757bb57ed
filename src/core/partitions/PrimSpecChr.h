// PrimSpecChr: chronological specificities. For every form (and every repeated segment when
// a store is attached), the run of consecutive parts, in part order, where its frequency
// deviates most; a negative run touching an end of the partition is reported as the
// positive complementary run. Also the specific increments: a part against the text from
// the first part up to it. Depends on Partition, PrimSpec and the specificity model.
#pragma once

#include "partitions/PrimSpec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace morvix {

class Partition;

// One chronological result.
struct ResSpecChr {
    int32_t Code = 0;     // form or segment code
    int32_t f = 0;        // frequency in the run where the strongest deviation was found
    int32_t Coeff = 0;    // rounded like CoeffSpec, never 0
    int32_t Premiere = 0; // first part of the run
    int32_t Derniere = 0; // last part of the run (inclusive)
};
static_assert(sizeof(ResSpecChr) == 20);

class PrimSpecChr {
  public:
    // The sort orders of Trie.
    enum Ordre : int32_t {
        kLexgCroissant = 0,
        kLexgDecroissant = 1,
        kFrqCroissante = 2,
        kFrqDecroissante = 3,
        kTrancheCroissante = 4,
        kTrancheDecroissante = 5,
        kfCroissante = 6,
        kfDecroissante = 7,
        kCoeffCroissant = 8,
        kCoeffDecroissant = 9,
    };

    PrimSpecChr(const Partition &partition, int32_t seuilPct, int32_t frqMin);

    // Computes the results: forms in code order, then segments.
    void Calcule();
    // Sorts the results by one of the ten orders (ties keep their relative order); any
    // other value leaves them as they are.
    void Trie(int32_t ordre);

    int32_t NbResultats() const { return static_cast<int32_t>(m_resultats.size()); }
    const ResSpecChr &Resultat(int32_t i) const { return m_resultats[static_cast<size_t>(i)]; }
    const std::vector<ResSpecChr> &Resultats() const { return m_resultats; }
    // Total frequency of a code as the computation takes it: the dictionary's for an
    // article, the segment store's for a segment; -1 otherwise.
    int32_t FrqTotale(int32_t code) const;

    int32_t NbParties = 0;
    int32_t Nbocc = 0;
    double Seuil = 0.05; // probability
    int32_t FrqMin = 0;

  private:
    void calculeCode(int32_t code, const int32_t *frq, std::vector<int32_t> &prefixe);

    const Partition *m_partition;
    std::vector<ResSpecChr> m_resultats;
    // Per run (i, j), at index i * NbParties + j: its size and LnFact of size and Nbocc-size.
    std::vector<double> m_t, m_lnt, m_lnTmt;
};

// Result of the specific increments.
struct Accroissements {
    std::unique_ptr<PrimSpec> Spec; // null when no part is both ticked and selected
    int32_t Partie = -1;            // the first part both ticked and selected
    std::string Entete;             // "Partie : " + its label (Windows-1252)
};

// Specific increments: sets the partition's Seuil and FrqMin (they stay set), takes the
// first part i both ticked and selected, unticks every part after i and computes a PrimSpec
// (divisor 1): the selected parts against the ticked parts up to i. `Cochee` and `Selec`
// are restored before returning, in every case.
Accroissements AccroissementsSpecifiques(Partition &partition, int32_t seuilPct, int32_t frqMin,
                                         ProgressionSpec progression);

} // namespace morvix
