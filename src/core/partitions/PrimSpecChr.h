// PrimSpecChr: chronological specificities. For every form (and every repeated segment when
// a store is attached), the run of consecutive parts, in part order, where its frequency
// deviates most; a negative run touching an end of the partition is reported as the
// positive complementary run. Also the specific increments: a part against the text from
// the first part up to it. Depends on Partition, PrimSpec and the specificity model.
#pragma once

#include "partitions/PrimSpec.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morvix {

class Annulation;
class Partition;
struct FrqNonNulle;

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

    // Computes the results: forms in code order, then segments. Of two runs whose values
    // differ by no more than 1e-9 of the larger (equal but for rounding: a run and its
    // complement, for instance) the first one found keeps its place. `progression` is
    // called about a hundred times over the codes that pass the minimum frequency (with 0
    // for forms, 1 for segments). `annulation` is polled between codes: false, and no
    // result, when it was raised.
    bool Calcule(ProgressionSpec progression = nullptr, const Annulation *annulation = nullptr);
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
    struct Runs;
    void calculeCode(int32_t code, int32_t F, std::span<const FrqNonNulle> frq, const Runs &runs,
                     std::vector<int32_t> &prefixe, std::vector<double> &lnC);

    const Partition *m_partition;
    std::vector<ResSpecChr> m_resultats;
};

// Result of the specific increments.
struct Accroissements {
    std::unique_ptr<PrimSpec> Spec; // null when no part is both ticked and selected
    int32_t Partie = -1;            // the first part both ticked and selected
    std::string Entete;             // "Partie : " + its label (Windows-1252)
    bool Annulee = false;           // cancelled: Spec is null
};

// Specific increments: sets the partition's Seuil and FrqMin (they stay set), takes the
// first part i both ticked and selected, unticks every part after i and computes a PrimSpec
// (divisor 1): the selected parts against the ticked parts up to i. `Cochee` and `Selec`
// are restored before returning, in every case, cancelled (`annulation` raised) or not.
Accroissements AccroissementsSpecifiques(Partition &partition, int32_t seuilPct, int32_t frqMin,
                                         ProgressionSpec progression,
                                         const Annulation *annulation = nullptr);

} // namespace morvix
