// The report pages of the partition windows, built in memory as Windows-1252 HTML: the main
// characteristics of the parts ("pclc" + key + ".html"), the per-part specificity table
// ("tfg" + key + ".html") and a specificity list ("spf" + n + ".html"). Graphies and labels
// are escaped for HTML. Depends on Partition, TableSpec and the report page helpers.
#pragma once

#include "partitions/PrimSpec.h"
#include "report/RapportOutils.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvix {

class charg1;
class Partition;
class TableSpec;

// The parts with their size, vocabulary, hapax, highest frequency and its form, under the
// title `titre` (the window's caption).
std::string PagePCLC(const Partition &partition, std::string_view titre);

// The table in its display order, each computed part giving a frequency cell and a
// coefficient cell.
std::string PageTableSpec(const TableSpec &table, std::string_view titre);
// The same page handed to `sortie` piece by piece (a table of every form by many parts
// makes a page of hundreds of megabytes); stops and returns false as soon as `sortie` does.
bool PageTableSpec(const TableSpec &table, std::string_view titre,
                   const std::function<bool(std::string_view morceau)> &sortie);

// What a specificity list page shows besides its results.
struct EntetePageSpec {
    std::string Titre;        // the list window's caption
    std::string NomBase;      // the base name of the header table
    const std::string *Cle;   // graphy of the partition's key; null for a list of sections
    std::string TexteParties; // the text of the list's second label
    std::time_t Date = std::time(nullptr);
};

// The results in list order (decreasing coefficient), whatever order the window shows.
std::string PageSpecGrp(const charg1 &base, const std::vector<ResSpec> &resultats,
                        const EntetePageSpec &entete);

// File names of the pages (Windows-1252; the caller makes them safe for the report folder).
std::string NomPagePCLC(const Partition &partition);
std::string NomPageTableSpec(const Partition &partition);

} // namespace morvix
