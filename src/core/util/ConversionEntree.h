// Texts that are not Windows-1252: telling a UTF-8 text from a Windows-1252 one, and
// writing its Windows-1252 copy beside it, composed (NFC) first so that a decomposed «é»
// survives, with the characters the set cannot hold replaced and counted. Depends on ICU.
#pragma once

#include "util/Annulation.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace morvix {

// How an input text is read: detected, or taken as the given encoding.
enum class EncodageEntree { Auto, Utf8, Cp1252 };

// The substitute of a character that Windows-1252 cannot hold. Spaces of other widths
// (U+2000..U+200B, U+202F, U+205F, U+3000) become a blank instead, and the invisible joiners
// and byte-order marks (U+200C, U+200D, U+2060, U+FEFF) are dropped.
inline constexpr char kSubstitutCp1252 = '?';

// Strict UTF-8 validation fed piece by piece (sequences may straddle pieces): no overlong
// form, no surrogate, nothing above U+10FFFF.
class ValidateurUtf8 {
  public:
    void Ajoute(std::string_view octets);
    // Valid so far and not inside a sequence.
    bool Valide() const { return m_valide && m_reste == 0; }
    // A byte already broke the rules.
    bool Invalide() const { return !m_valide; }
    // At least one byte above 0x7F was seen.
    bool HorsAscii() const { return m_horsAscii; }

  private:
    int m_reste = 0;
    unsigned char m_min = 0x80, m_max = 0xBF;
    bool m_valide = true;
    bool m_horsAscii = false;
};

// Converts UTF-8 to Windows-1252 piece by piece. Pieces may end anywhere: the converter
// keeps back what follows the last line feed until it has more.
class ConvertisseurCp1252 {
  public:
    ConvertisseurCp1252();
    ~ConvertisseurCp1252();
    ConvertisseurCp1252(const ConvertisseurCp1252 &) = delete;
    ConvertisseurCp1252 &operator=(const ConvertisseurCp1252 &) = delete;

    // Appends the conversion of what can be converted so far to `sortie`.
    void Ajoute(std::string_view utf8, std::string &sortie);
    // Converts what was kept back.
    void Termine(std::string &sortie);

    // Characters replaced by kSubstitutCp1252 (malformed bytes included).
    int64_t NbRemplaces() const { return m_remplaces; }
    // Spaces turned into blanks and invisible characters dropped.
    int64_t NbEspaces() const { return m_espaces; }

  private:
    void convertit(std::string_view utf8, std::string &sortie);

    std::string m_reste;
    std::u16string m_utf16, m_nfc;
    bool m_debut = true;
    int64_t m_remplaces = 0;
    int64_t m_espaces = 0;
};

// The whole conversion of a UTF-8 text held in memory.
std::string Utf8VersCp1252(std::string_view utf8, int64_t *nbRemplaces = nullptr,
                           int64_t *nbEspaces = nullptr);

// True when `octets` start with a UTF-8 byte-order mark, or are valid UTF-8 holding a byte
// above 0x7F (a pure ASCII text is the same in both sets).
bool EstUtf8(std::string_view octets);

// Folder and name of a text's Windows-1252 copy: NAME.cp1252.txt beside it, NAME being the
// text's file name without its last extension.
std::string CheminCopieCp1252(const std::string &chemin);

struct ResultatConversion {
    bool ok = true;
    bool annule = false;
    bool converti = false; // a copy was written and is what must be segmented
    bool document = false; // the copy is the text of a word-processor document
    std::string chemin;    // the text to segment: the copy, or the text itself
    int64_t nbRemplaces = 0;
    int64_t nbEspaces = 0;
    std::string message; // UTF-8, names the file and the cause when !ok
};

// Reads the text at `chemin` (detecting its encoding in mode Auto); a UTF-8 text is
// converted into its copy (written under a temporary name, renamed once complete; the
// text itself is never written). A Windows-1252 text is left alone.
ResultatConversion ConvertitTexteCp1252(const std::string &chemin, EncodageEntree mode,
                                        const Annulation *annulation = nullptr,
                                        const std::function<void(int32_t)> &gauge = {});

// The French summary of the replacements, e.g. "3 caractères non représentables remplacés
// par « ? »"; empty when nothing was replaced.
std::string ResumeRemplacements(int64_t nbRemplaces, int64_t nbEspaces);

} // namespace morvix
