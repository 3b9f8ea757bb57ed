// DispositionCarte: where every box of a section map stands for one box size, in text order
// 50 to a row, or laid out under the spans of a partition; the row numbers, the span headers,
// the size of the drawing area, and the hit test of a point. No dependency.
//
// Coordinates are pixels of the drawing area. A box of side T at (x, y) covers the square
// (x, y) - (x + T, y + T), edges included for hits. Rows never overlap (the step between
// rows is at least T + 1), and boxes come in text order with non-decreasing y and, on one
// row, increasing x: the hit test and the exposed range are binary searches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace morvix {

// The number written after every 50th box, its top-left corner at (x, y).
struct NumeroRangee {
    int32_t x = 0;
    int32_t y = 0;
    int32_t numero = 0;
};

// The header of a span: the key type's graphy at (20, y - 3), a line at height y + 2 from
// just after that text to XFin(), and the part's label at (XFin() + 5, y - 3).
struct EnteteTranche {
    int32_t y = 0;
    int32_t partie = 0; // part index of the span
};

inline constexpr int32_t kTailleBoiteMin = 7;
inline constexpr int32_t kTailleBoiteMax = 25;
inline constexpr int32_t kTailleBoiteDefaut = 9;
inline constexpr int32_t kBoitesParRangee = 50;

class DispositionCarte {
  public:
    // Without a partition, `premieres` and `parties` are empty. With one, `premieres` holds
    // for each span the index of its first section, then NbSections (a non-decreasing list of
    // NbTranches + 1 entries), and `parties` the part index of each span.
    DispositionCarte(int32_t nbSections, int32_t tailleBoite,
                     const std::vector<int32_t> &premieres = {},
                     const std::vector<int32_t> &parties = {});

    int32_t NbSections() const { return m_nbSections; }
    int32_t TailleBoite() const { return m_taille; }
    // Horizontal and vertical step from one box to the next: integer part of 1.3 x T.
    int32_t Pas() const { return m_pas; }
    bool AvecPartition() const { return m_avecPartition; }
    int32_t XFin() const { return m_xFin; }

    // The drawing area; never shorter than what is drawn in it.
    int32_t Largeur() const { return m_largeur; }
    int32_t Hauteur() const { return m_hauteur; }

    // With a partition, the sections before the first span are not drawn.
    bool Dessinee(int32_t s) const { return s >= m_premier && s < m_nbSections; }
    int32_t PremiereDessinee() const { return m_premier; }
    int32_t X(int32_t s) const { return m_x[static_cast<size_t>(s)]; }
    int32_t Y(int32_t s) const { return m_y[static_cast<size_t>(s)]; }

    const std::vector<NumeroRangee> &Numeros() const { return m_numeros; }
    const std::vector<EnteteTranche> &Entetes() const { return m_entetes; }

    // The section whose box contains the point (edges included), or -1.
    int32_t Touche(int32_t x, int32_t y) const;
    // The drawn sections [first, last) whose boxes, widened by `marge` pixels, cross the band
    // of heights y0..y1.
    std::pair<int32_t, int32_t> Exposees(int32_t y0, int32_t y1, int32_t marge) const;

  private:
    int32_t trace(int32_t premiere, int32_t derniere, int32_t x, int32_t y);

    int32_t m_nbSections;
    int32_t m_taille;
    int32_t m_pas;
    bool m_avecPartition;
    int32_t m_xFin;
    int32_t m_largeur = 0;
    int32_t m_hauteur = 0;
    int32_t m_premier = 0;
    std::vector<int32_t> m_x;
    std::vector<int32_t> m_y;
    std::vector<NumeroRangee> m_numeros;
    std::vector<EnteteTranche> m_entetes;
};

} // namespace morvix
