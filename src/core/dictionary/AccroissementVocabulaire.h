// The vocabulary growth curve: the number of distinct forms met against the number of
// form occurrences read, over the whole text or over the spans of a partition's selected
// parts. Depends on base and partitions.
#pragma once

#include "dictionary/Pareto.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvix {

class charg1;
class Partition;

struct CourbeAccroissement {
    // True when no part is selected (the whole text is read; the title is the window's
    // "Corpus entier"); otherwise the labels of the selected parts joined by ", "
    // (Windows-1252).
    bool CorpusEntier = true;
    std::string Titre;
    // A point (occurrences read, distinct forms met before this one) at each first
    // occurrence of a form, then the last point (occurrences, distinct forms).
    std::vector<PointCourbe> Points;
};

// The curve of the whole text.
CourbeAccroissement CalculeAccroissement(const charg1 &base);
// The curve of the selected parts of `partition` (the whole text when none is selected).
// The spans of the other parts are skipped; the text before the first tag of the key
// belongs to no span and is always read.
CourbeAccroissement CalculeAccroissement(const Partition &partition);

} // namespace morvix
