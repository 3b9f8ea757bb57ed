// TableSpec: the per-part specificity table of the partition window. Its rows are codes
// (every form, then every repeated segment, or the members of a dropped group) in display
// order; its columns the computed parts of a CalcSpecTot; a cell holds the code's frequency
// in the part and its coefficient there. Also the six row orders and the header-click cycle
// that chooses them. Depends on CalcSpecTot and Partition (and, through the base, on the
// segment store for the forms of a segment).
#pragma once

#include "partitions/CalcSpecTot.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace morvix {

class Annulation;
class Partition;

class TableSpec {
  public:
    // Row orders.
    enum Mode : int32_t {
        kNonTriee = -1,
        kLexCroissant = 0,
        kLexDecroissant = 1,
        kFrqCroissante = 2,
        kFrqDecroissante = 3,
        kSpecDecroissante = 4,
        kSpecCroissante = 5,
    };

    // Takes the computation over. Rows: every form, then every segment of the store attached
    // to the base. The per-part frequencies of the segments are gathered once here (from
    // their positions); a raised `annulation` stops that and Interrompue() tells so.
    explicit TableSpec(std::unique_ptr<CalcSpecTot> calcul, const Annulation *annulation = nullptr);

    bool Interrompue() const { return m_interrompue; }
    const CalcSpecTot &Calcul() const { return *m_calcul; }
    const Partition &LaPartition() const { return m_calcul->LaPartition(); }

    int32_t NbLignes() const { return static_cast<int32_t>(m_lignes.size()); }
    int32_t NbColonnes() const { return m_calcul->NbParties(); }
    const std::vector<int32_t> &Lignes() const { return m_lignes; }
    int32_t Code(int32_t ligne) const { return m_lignes[static_cast<size_t>(ligne)]; }
    // Partition part number shown in a column.
    int32_t Partie(int32_t colonne) const {
        return m_calcul->NumParties()[static_cast<size_t>(colonne)];
    }
    // Frequency of a row's code in a column's part, as Partition::FrqPartie counts it.
    int32_t Frequence(int32_t ligne, int32_t colonne) const;
    // Coefficient of a row's code in a column's part (CalcSpecTot::CoeffPartie).
    int32_t Coeff(int32_t ligne, int32_t colonne) const {
        return m_calcul->CoeffPartie(Code(ligne), colonne);
    }

    // The rows become `codes`, in that order (a dropped group's members); the table is
    // unsorted again, the last clicked column is kept.
    void SetLignes(std::vector<int32_t> codes);

    int32_t ModeTri() const { return m_mode; }
    int32_t DerniereColonne() const { return m_derniereColonne; }

    // Header click on the fixed column: lexical order ascending, descending when it already
    // was ascending.
    void ClicColonneFixe();
    // Header click on a part column: a new column sorts descending (by frequency or by
    // coefficient, as the key says), a second click on it ascending, and so on.
    void ClicColonne(int32_t colonne, bool parFrequence);
    // The key was changed to frequency or coefficient: re-sorts descending by the last
    // clicked column unless the order already uses that key; nothing before any column
    // click.
    void ClicCle(bool parFrequence);

    // Sorts the rows in a mode; modes 2 to 5 use `colonne`. Lexical order compares forms by
    // their alphabetical rank and segments form by form, a sequence coming before the longer
    // ones it begins (so a form before the segments it starts). Rows whose coefficient is 0
    // come last in both specificity orders. Ties keep their order.
    void Trie(int32_t mode, int32_t colonne);

  private:
    int32_t frqAutre(int32_t code, int32_t partie) const;
    bool ajouteFrequences(const std::vector<int32_t> &codes, const Annulation *annulation);
    std::vector<std::pair<int64_t, int64_t>> clesLexicales(std::vector<int32_t> &rangs) const;

    std::unique_ptr<CalcSpecTot> m_calcul;
    std::vector<int32_t> m_lignes;
    int32_t m_nbform = 0;
    // Codes other than forms have no per-part table: their non-zero (part, frequency) pairs,
    // by part, are m_frqAutres[debut, fin) for m_plages[code] = {debut, fin}.
    std::unordered_map<int32_t, std::pair<int64_t, int64_t>> m_plages;
    std::vector<std::pair<int32_t, int32_t>> m_frqAutres;
    int32_t m_mode = kNonTriee;
    int32_t m_derniereColonne = -1;
    bool m_interrompue = false;
};

} // namespace morvix
