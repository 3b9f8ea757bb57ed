// Section: a section view of a loaded base, the text cut just after every occurrence of
// one or more delimiter articles. Section s runs from Debuts[s] to Debuts[s+1] - 1: it
// begins right after a delimiter occurrence and ends with the next one included; the last
// section ends with the text, and the items before the first delimiter belong to no
// section. Immutable once built. Depends on base (charg1), which must outlive it.
#pragma once

#include <cstdint>
#include <vector>

namespace morvix {

class charg1;

class Section {
  public:
    // Copies the n delimiter codes (in the order given) and finds the sections by one scan
    // of the numeric text. Codes that are not articles, and repeated codes, add nothing.
    Section(const charg1 &base, const int32_t *delims, int32_t n);
    Section(const charg1 &base, const std::vector<int32_t> &delims)
        : Section(base, delims.data(), static_cast<int32_t>(delims.size())) {}

    const charg1 *Base;
    std::vector<int32_t> Delims;
    int32_t NbDelims = 0;
    int32_t NbSections = 0;
    std::vector<int32_t> Debuts; // NbSections + 1 entries, the last one Nbitem

    // Positions of section s whose code is a graphical form; 0 when s is out of range.
    int32_t NbFormesSect(int32_t s) const;
    // Positions of section s holding the code; 0 when s is out of range.
    int32_t FrqCodeSect(int32_t code, int32_t s) const;
    // How many of n ascending positions (a group's occurrences) fall in section s.
    int32_t FrqTgenSect(const int32_t *occ, int32_t n, int32_t s) const;
    // Any group offering `Occ` (ascending positions, contiguous) and `NbOcc`.
    template <class Groupe> int32_t FrqTgenSect(const Groupe &g, int32_t s) const {
        return FrqTgenSect(g.Occ.data(), g.NbOcc, s);
    }
    // Same delimiters at every index (a different order makes a different view).
    bool MemesDelims(const Section &other) const {
        return Base == other.Base && Delims == other.Delims;
    }

  private:
    bool horsLimites(int32_t s) const { return s < 0 || s >= NbSections; }
};

} // namespace morvix
