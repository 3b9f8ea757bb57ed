// Tgen: a group of base codes (forms, other articles, repeated segments) taken as one unit;
// its occurrences are those of all its members, merged in text order. Each construction
// takes the next colour of a process-wide palette of ten. Depends on base (charg1).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace morvix {

class charg1;

// The group colours (0x00BBGGRR), taken in turn by each new group.
inline constexpr uint32_t kPaletteTgen[10] = {0xFF0000, 0x0000FF, 0x008000, 0xC000C0, 0x808000,
                                              0x00008C, 0x00C0C0, 0x0064FA, 0xFF80FF, 0x000000};
// White on a group or a drag means that no colour was chosen.
inline constexpr uint32_t kCouleurAucune = 0xFFFFFF;

// Ascending positions without duplicates, with the membership test of an ordered set
// (logarithmic) but stored as one sorted array.
class PositionSet {
  public:
    PositionSet() = default;
    explicit PositionSet(std::vector<int32_t> ascending) : m_positions(std::move(ascending)) {}

    bool contains(int32_t position) const;
    size_t count(int32_t position) const { return contains(position) ? 1 : 0; }
    size_t size() const { return m_positions.size(); }
    bool empty() const { return m_positions.empty(); }
    std::vector<int32_t>::const_iterator begin() const { return m_positions.begin(); }
    std::vector<int32_t>::const_iterator end() const { return m_positions.end(); }

  private:
    std::vector<int32_t> m_positions;
};

class Tgen {
  public:
    // A group of the codes on the base (which must outlive it). Without a name (null), the
    // group is named by the graphy of its first code, followed by "+" when it has several.
    Tgen(const charg1 *base, const int32_t *codes, int32_t n, const char *name);
    Tgen(const charg1 *base, std::span<const int32_t> codes, const char *name = nullptr)
        : Tgen(base, codes.data(), static_cast<int32_t>(codes.size()), name) {}

    const charg1 *Base = nullptr;
    std::vector<int32_t> Items; // member codes, in the order given
    std::vector<int32_t> Occ;   // positions of all occurrences, ascending, each once
    PositionSet OccSet;         // the same positions, for membership tests
    std::string Nom;            // Windows-1252
    int32_t NbOcc = 0;
    int32_t NbItems = 0;
    uint32_t Couleur = 0; // 0x00BBGGRR; the only member changed after construction

    // Index of the palette colour the next group will take (0..9).
    static int32_t IndexPalette();
};

} // namespace morvix
