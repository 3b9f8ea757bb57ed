// The Pareto curve of a partition's selected parts (all parts when none is selected): for
// every frequency F that a form reaches in those parts, the number of forms whose frequency
// there is at least F. Depends on base and partitions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvix {

class Partition;

struct PointCourbe {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const PointCourbe &) const = default;
};

struct CourbePareto {
    // The labels of the parts taken, in part order, joined by ", " (Windows-1252).
    std::string Titre;
    // One point per frequency F, ascending: x the number of forms at least that frequent, y
    // F. The first point's x is the number of distinct forms of the parts.
    std::vector<PointCourbe> Points;
    int64_t NbFormes() const { return Points.empty() ? 0 : Points.front().x; }
    int64_t FrqMax() const { return Points.empty() ? 0 : Points.back().y; }
};

// The parts a curve is drawn on: the selected parts, or every part when none is.
std::vector<int32_t> PartiesCourbe(const Partition &partition);

CourbePareto CalculePareto(const Partition &partition);

} // namespace morvix
