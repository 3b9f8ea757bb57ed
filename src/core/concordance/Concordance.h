// The concordance builder: the pole (a group of forms) from a typed graphy or a pattern,
// its context lines of a given width sorted on the left or right context and gathered by
// part, and the distributional inventory (the repeated segments that begin with a form of
// the pole). Results are plain documents that the window, the command line and the report
// page each format in their own way. Texts are Windows-1252 bytes.
// Depends on base (charg1), groups (Tgen), segments (SegRep), partitions (Partition),
// util (Regex1252).
#pragma once

#include "groups/Tgen.h"
#include "util/Annulation.h"
#include "util/RegexTables.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morvix {

class charg1;
class Partition;

// Sort directions of the lines ("Avant", "Aucun", "Après").
inline constexpr int32_t kTriAvant = -1;
inline constexpr int32_t kTriAucun = 0;
inline constexpr int32_t kTriApres = 1;

inline constexpr int32_t kLargeurMin = 10;
inline constexpr int32_t kLargeurMax = 255;
inline constexpr int32_t kLargeurDefaut = 40;

// The parts that lines are gathered under: part of a position (-1 when it lies in none),
// number of parts, and the label of each part (Windows-1252).
struct RegroupementParties {
    int32_t nbParties = 0;
    std::function<int32_t(int32_t position)> partieDePos;
    std::vector<std::string> libelles;
    std::string cle; // graphy of the partition's key, for the report page
};

// The grouping by the parts of a partition (which must outlive it).
RegroupementParties RegroupementDe(const Partition &partition);

// One line: the left context (exactly the width, blanks in front), the pole, the right
// context (each article followed by one blank). Inventory lines use the same three texts.
struct LigneContexte {
    int32_t position = -1; // text position of the pole; -1 for an inventory line
    std::string gauche;
    std::string pole;
    std::string droite;
};

// An item of a document: a part header or a line.
struct ElementDocument {
    bool entete = false;
    int32_t partie = -1; // header: part index
    std::string libelle; // header: part label
    int32_t nombre = 0;  // header: number of lines under it
    LigneContexte ligne; // line
};

struct DocumentConcordance {
    std::vector<ElementDocument> elements;
    int32_t nbLignes = 0;      // lines in the document
    int32_t nbOccurrences = 0; // occurrences of the pole (concordance) or segments (inventory)
    bool annule = false;       // the building was cancelled: the document is empty
};

struct OptionsConcordance {
    int32_t sens = kTriAucun; // kTriAvant, kTriAucun, kTriApres
    int32_t largeur = kLargeurDefaut;
    const RegroupementParties *regroupement = nullptr; // null: no grouping
    const Annulation *annulation = nullptr;            // polled while sorting and building
};

// A one-article pole from a typed graphy (forms and punctuation signs), or null.
std::unique_ptr<Tgen> PoleDepuisForme(const charg1 &base, std::string_view graphie);

// The code of the attached segment whose text is `texte`, its trailing blank optional, or
// -1 (also without a store).
int32_t CodeSegmentDeTexte(const charg1 &base, std::string_view texte);

// The codes whose text the pattern matches: forms in code order, then the segments of the
// attached store. `erreur` gets the engine's message when the pattern does not compile,
// kExpressionTropCouteuse when a text needs more than the engine's limits, or "Recherche
// annulée" when `annulation` was raised (nothing is then taken).
std::vector<int32_t> CodesDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur,
                                           const Annulation *annulation = nullptr);
// A pole of every code the pattern takes, or null when it takes none.
std::unique_ptr<Tgen> PoleDepuisExpression(const charg1 &base, std::string_view motif,
                                           std::string &erreur,
                                           const Annulation *annulation = nullptr);

// Sorts positions by their context (kTriAvant, kTriApres; forms only, compared over at most
// kBorneContexte forms, equal contexts by position) or puts them back in text order
// (kTriAucun).
void TrieOccurrences(const charg1 &base, std::vector<int32_t> &positions, int32_t sens);

// The context line of the occurrence at `position`.
LigneContexte LigneDeContexte(const charg1 &base, int32_t position, int32_t largeur);

// The concordance of the pole. The pole is not modified.
DocumentConcordance ConstruitConcordance(const charg1 &base, const Tgen &pole,
                                         const OptionsConcordance &options);

// The delimiter codes named by each character of `caracteres` (any article whose graphy is
// that one character; -1, matching nothing, for a character that names none).
std::set<int32_t> DelimiteursDepuisTexte(const charg1 &base, std::string_view caracteres);

// The distributional inventory of the pole: its segments of frequency 2 or more in
// alphabetical order, each as a line whose left text is the frequency and dash groups.
DocumentConcordance ConstruitInventaire(const charg1 &base, const Tgen &pole,
                                        std::string_view delimiteurs,
                                        const Annulation *annulation = nullptr);

} // namespace morvix
