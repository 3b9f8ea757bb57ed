// What the repeated-segment list shows: the order of its rows after a click on one of its
// columns, and its report page. Texts are Windows-1252. Depends on segments (SegRep) and
// report (the page date).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace morvix {

class SegRep;

// The list's columns: number of forms, text, frequency.
enum class ColonneSR { Lg, Segment, Frq };

// Store indexes in the order of the rows sorted on a column: ascending number of forms,
// alphabetical order of the segments, or descending frequency; ties in store order, so
// that a column always gives the same order.
std::vector<int32_t> OrdreSegments(const SegRep &store, ColonneSR colonne);

// The report page of the list: every segment in store order with its length, text and
// frequency. `titre` is the window's caption.
std::string PageHtmlSegments(const SegRep &store, const std::string &titre,
                             std::time_t date = std::time(nullptr));

// Stem and extension of the page's file name ("sr.html", then "sr2.html", ...).
inline constexpr const char *kSouchePageSegments = "sr";
inline constexpr const char *kExtensionPage = ".html";

} // namespace morvix
