// Form selection: the forms and repeated segments of a base chosen by an exact graphy or a
// pattern (beginning, end, substring, regular expression), gathered into an ordered list
// without duplicates, and the list files (".lst") that keep such lists. Depends on base
// (charg1, the attached segment store) and util (patterns).
#pragma once

#include "util/Annulation.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace morvix {

class charg1;

// The kinds of request, in the order the window lists them.
enum class TypeRequete : int32_t { Exacte = 0, Debut = 1, Fin = 2, Contenu = 3, Expression = 4 };

// The regular expression of a kind of request other than Exacte; the pattern is inserted as
// it is, its metacharacters keeping their meaning.
std::string ExpressionRequete(TypeRequete type, std::string_view motif);

struct ResultatRecherche {
    std::vector<int32_t> codes; // forms in code order, then segments in store order
    bool valide = true;         // false when the expression does not compile or is too costly (then
                                // erreur is kExpressionTropCouteuse): no code then
    std::string erreur;         // the engine's reason (UTF-8)
    bool annule = false;
};

// The codes whose text the request matches (case-sensitive, Windows-1252 `motif`): for
// Exacte the form (or punctuation sign) whose graphy is exactly the pattern; otherwise every
// form 0..Nbform-1 whose graphy matches, then every segment of the attached store whose text
// (its forms each followed by one blank) matches, under code Nbart + 1 + k. Only Exacte
// touches the base's graphy index (built on first use): the other kinds may run beside the
// interface.
ResultatRecherche RechercheFormes(const charg1 &base, TypeRequete type, std::string_view motif,
                                  const Annulation *annulation = nullptr,
                                  const std::function<void(int32_t)> &gauge = {});

// The text of a listed code: the graphy of an article, the text of a stored segment (its
// forms each followed by one blank), "" for anything else. Safe beside a running search.
std::string TexteCode(const charg1 &base, int32_t code);
// The frequency of an article or of a stored segment; -1 for anything else.
int32_t FrequenceCode(const charg1 &base, int32_t code);

// Codes in the order they were first added, each once.
class ListeCodes {
  public:
    // False when the code was already listed.
    bool Ajoute(int32_t code);
    // The number of codes that were not listed yet.
    int32_t Ajoute(std::span<const int32_t> codes);
    // Keeps the rows that are not in `lignes`, in order.
    void Retire(const std::vector<int32_t> &lignes);
    void Vide();

    const std::vector<int32_t> &Codes() const { return m_codes; }
    int32_t Taille() const { return static_cast<int32_t>(m_codes.size()); }
    int32_t Code(int32_t ligne) const { return m_codes[static_cast<size_t>(ligne)]; }

  private:
    std::vector<int32_t> m_codes;
    std::unordered_set<int32_t> m_presents;
};

// Writes the texts of the codes, one a line (CR LF), into `chemin`: the graphy of a form,
// the text of a stored segment; other codes write nothing. Replaces the file only once
// complete; false with `erreur` (UTF-8, names the file) when it cannot be written.
bool EcritListe(const std::string &chemin, const charg1 &base, std::span<const int32_t> codes,
                std::string &erreur);

struct LectureListe {
    bool ok = true;
    std::string message;        // UTF-8, when the file cannot be read
    std::vector<int32_t> codes; // in file order, possibly repeated
    int32_t nbIgnores = 0;      // words that are neither a form nor part of a segment line
};

// Reads a list file line by line (LF or CR LF; a UTF-8 file is converted first): a line
// that is the text of a stored segment gives that segment, blanks at its ends ignored; any
// other line gives each of its blank-separated words that is a form or punctuation sign.
LectureListe LitListe(const std::string &chemin, const charg1 &base);

} // namespace morvix
