// The series of the group distribution graph: for one group of forms, its frequency in
// each part of a partition (absolute, or per 10 000 occurrences of the part) or its
// specificity in each part against the whole text; the bounds of the specificity axis and
// the colour rule of a new series. Depends on partitions (Partition, CoeffSpec).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace morvix {

class Partition;

// The threshold of the graph's specificities.
inline constexpr double kSeuilVentilation = 0.05;

// Frequency of the group of ascending positions `occ` in every part: k in absolute mode,
// k × 10000 / t truncated in relative mode, t being the part's size (1 for an empty part).
// Occurrences before the first tag of the key count in no part.
std::vector<int64_t> FrequencesVentilation(const Partition &partition, std::span<const int32_t> occ,
                                           bool relatives);

// CoeffSpec(Nbocc, t, F = the group's frequency, k, 0.05) of the group in every part, t
// being the part's size (1 for an empty part).
std::vector<int32_t> SpecificitesVentilation(const Partition &partition,
                                             std::span<const int32_t> occ);

// The lowest and highest specificity drawn since the last clearing, both from 0; the axis
// runs from one below the lowest to one above the highest, so 0 is always inside.
class BornesVentilation {
  public:
    void Etend(double valeur) {
        if (valeur > m_haut)
            m_haut = valeur;
        else if (valeur < m_bas)
            m_bas = valeur;
    }
    void RemetAZero() { m_bas = m_haut = 0; }
    double Bas() const { return m_bas; }
    double Haut() const { return m_haut; }
    double AxeMin() const { return m_bas - 1; }
    double AxeMax() const { return m_haut + 1; }

  private:
    double m_bas = 0;
    double m_haut = 0;
};

// A tick interval of 1, 2 or 5 times a power of ten, at least 1, giving at most about ten
// ticks over `etendue`.
double PasAxe(double etendue);

// The colour a new series takes from its group (0x00BBGGRR): the group's own when it is not
// black and no series on the chart has it yet; otherwise -1, the chart's next colour.
int64_t CouleurSerieGroupe(uint32_t couleurGroupe, std::span<const uint32_t> couleursPrises);

// A series is never drawn white: white becomes black.
inline uint32_t CouleurVisible(uint32_t couleur) { return couleur == 0xFFFFFF ? 0 : couleur; }

} // namespace morvix
