// The table of "coran.don" as the analysis reads it: title, active and supplementary columns,
// active rows, number of factors, supplementary rows. Depends on afc/LimitesAfc.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvix::afc {

struct LigneTable {
    int64_t numero = 0;  // the row number (a form or segment code)
    std::string libelle; // the 20-character label, trailing blanks removed
    // The counts that are not 0, by ascending column: a table of forms by parts is mostly
    // zeros.
    std::vector<int32_t> colonnes;
    std::vector<int64_t> valeurs;

    // The row from one count per column.
    static LigneTable Dense(int64_t numero, std::string libelle,
                            const std::vector<int64_t> &comptes);
    // One count per column, for `nbColonnes` columns.
    std::vector<int64_t> Comptes(int32_t nbColonnes) const;
};

struct TableAfc {
    std::string titre;
    int32_t nbColonnes = 0;
    std::vector<int32_t> types; // per column: 1 active, 2 supplementary
    std::vector<LigneTable> actives;
    int32_t nbFacteurs = 0; // 1 … kMaxFacteurs
    std::vector<LigneTable> supplementaires;
};

// Reads the exchange file; false with `erreur` naming the line and the cause when it is
// malformed (a missing line, a count that is not a number, a row of the wrong width, more
// factors than kMaxFacteurs ...).
bool LitCoranDon(const std::string &chemin, TableAfc &table, std::string &erreur);

} // namespace morvix::afc
