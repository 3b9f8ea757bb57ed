// PrimSpec: the specificities of every graphical form and every repeated segment of a
// partition for one target set of parts (`Selec`) against one reference set (`Cochee`).
// Depends on Partition and the specificity model.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace morvix {

class Partition;

// One specificity result.
struct ResSpec {
    int32_t Code = 0;  // form code, or segment code (Nbart + 1 + k)
    int32_t F = 0;     // frequency over the reference parts
    int32_t k = 0;     // frequency over the parts both in the reference and in the target
    int32_t Coeff = 0; // CoeffSpec, never 0 in a result list
};
static_assert(sizeof(ResSpec) == 16);

// Progress callback: called about a hundred times per pass with 0 (forms) or 1 (segments).
using ProgressionSpec = std::function<void(int32_t)>;

class Annulation;

class PrimSpec {
  public:
    // Copies the partition's threshold and minimum frequency; its flag arrays are read when
    // Calcule runs. Sets the class-wide divisor (the last construction's value applies).
    PrimSpec(const Partition &partition, int32_t diviseur);

    void SetProgression(ProgressionSpec progression) { m_progression = std::move(progression); }
    // Fills the results: forms pass, then segments pass when a segment store is attached;
    // results by decreasing coefficient, equal coefficients in code order. Polls
    // `annulation` between codes: false, and no result, when it was raised.
    bool Calcule(const Annulation *annulation = nullptr);

    const std::vector<ResSpec> &Resultats() const { return m_resultats; }
    int32_t NbResultats() const { return static_cast<int32_t>(m_resultats.size()); }
    const Partition &LaPartition() const { return *m_partition; }
    int32_t SeuilPct() const { return m_seuil; }
    int32_t FrqMinimale() const { return m_frqMin; }

    // The class-wide divisor of reference and target sizes (frequencies are not divided).
    static int32_t Diviseur() { return s_diviseur; }

  private:
    friend class CalcSpecTot;
    void avance(int32_t &compteur, int32_t n, int32_t passe) const;

    ProgressionSpec m_progression;
    std::vector<ResSpec> m_resultats;
    const Partition *m_partition;
    const std::vector<bool> *m_cochee; // the partition's own arrays
    const std::vector<bool> *m_selec;
    int32_t m_seuil;
    int32_t m_frqMin;

    static inline int32_t s_diviseur = 1;
};

} // namespace morvix
