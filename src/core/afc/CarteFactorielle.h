// The layout of the factorial map: the scale from factor values to pixels, the ticks of
// both axes, one label box per point (kept for hit tests and for painting only what is
// exposed), the hover text, and the effect of clicks and of the colour grid on the
// partition's per-part flags and colours. Depends on afc (TListePoints) and partitions.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace morvix {

class Partition;
class TListePoints;

// Room left right of and below the points for their labels.
inline constexpr int32_t kMargeCarte = 30;
// Ticks fall on every multiple of this many data units.
inline constexpr double kPasGraduations = 50;
// Beyond this many ticks on one side of 0 an axis gets none (they would merge into a bar).
inline constexpr int64_t kMaxGraduations = 100000;

// Pixel positions of values on a map of `largeur` × `hauteur` pixels. Pixels are truncated
// toward zero and kept within ±1e9 so that far-away axes stay drawable.
class EchelleCarte {
  public:
    EchelleCarte() = default;
    EchelleCarte(int32_t largeur, int32_t hauteur, double minX, double maxX, double minY,
                 double maxY);
    int32_t PixelX(double x) const;
    int32_t PixelY(double y) const;
    // The value at a pixel (inverse of the scale, not truncated).
    double ValeurX(double px) const;
    double ValeurY(double py) const;

  private:
    double m_l = 1, m_h = 1;
    double m_minX = 0, m_maxX = 1, m_minY = 0, m_maxY = 1;
};

struct Graduation {
    double Valeur = 0;
    // Long ticks reach 3 pixels to both sides of the axis; short ones 3 pixels on one side.
    bool Longue = false;
    bool operator==(const Graduation &) const = default;
};

// Ticks at the multiples of 50 strictly between `min` and `max`, 0 excepted, in ascending
// order. On each side of 0 they alternate from short (at ±50) to long; none when one side
// would hold more than kMaxGraduations.
std::vector<Graduation> Graduations(double min, double max);

// A label box in pixels, its top-left corner at the point.
struct Boite {
    int32_t x = 0, y = 0, l = 0, h = 0;
    bool Contient(int32_t px, int32_t py) const {
        return px >= x && px < x + l && py >= y && py < y + h;
    }
    // Overlap with the rectangle [x0, x1] × [y0, y1], bounds included.
    bool Chevauche(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
        return x <= x1 && x + l - 1 >= x0 && y <= y1 && y + h - 1 >= y0;
    }
};

struct TailleTexte {
    int32_t l = 0, h = 0;
};

class CarteFactorielle {
  public:
    // Lays out the points of `points` (on its current axes) on a map of the given size;
    // `textes` holds the size of each point's label text. A box is 7 pixels wider and
    // higher than its text.
    void Dispose(const TListePoints &points, int32_t largeur, int32_t hauteur,
                 std::span<const TailleTexte> textes);

    const EchelleCarte &Echelle() const { return m_echelle; }
    const std::vector<Boite> &Boites() const { return m_boites; }
    // Pixel of the axis lines (the value 0 on each factor).
    int32_t AxeVertical() const { return m_echelle.PixelX(0); }
    int32_t AxeHorizontal() const { return m_echelle.PixelY(0); }
    const std::vector<Graduation> &GraduationsX() const { return m_gradX; }
    const std::vector<Graduation> &GraduationsY() const { return m_gradY; }

    // The points whose box contains the pixel, ascending.
    std::vector<int32_t> SousPixel(int32_t px, int32_t py) const;
    // The points whose box overlaps the rectangle between two corners given in any order,
    // bounds included (a click is a rectangle of one pixel), ascending.
    std::vector<int32_t> Touchees(int32_t xa, int32_t ya, int32_t xb, int32_t yb) const;

  private:
    EchelleCarte m_echelle;
    std::vector<Boite> m_boites;
    std::vector<Graduation> m_gradX, m_gradY;
};

// The hover text: for each point, its label, ", F" + horizontal factor number + "=" + X,
// ", F" + vertical factor number + "=" + Y, separated by "; " (values in the general real
// format, up to 15 significant digits). `libelles` holds every point's label.
std::string TexteSurvol(const TListePoints &points, std::span<const int32_t> indices,
                        std::span<const std::string> libelles);

// A number in the general real format ("%.15g").
std::string TexteReel(double valeur);

enum class ModeCarte { Selection, Coloriage };

// What a mouse release on the map does to the parts it hit (`touchees`, part indexes):
// colouring gives them `couleur`; in selection mode the left button selects them (and
// ticks them), clearing every other selection first unless Ctrl is held; any other
// button inverts their ticks, a part losing its tick losing its selection too.
void AppliqueClicCarte(Partition &partition, std::span<const int32_t> touchees, ModeCarte mode,
                       bool boutonGauche, bool ctrl, uint32_t couleur);

// A colour chosen in the grid in selection mode: the parts of that colour become the
// selection, and are ticked.
void SelectionneParCouleur(Partition &partition, uint32_t couleur);

} // namespace morvix
