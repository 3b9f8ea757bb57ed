// Perl-compatible patterns on Windows-1252 bytes (8-bit, no UTF mode), with character
// tables in which the accented letters of the set are letters with their case pairs, the
// same on every machine whatever locales it has. Depends on PCRE2.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace morvix {

// What a search reports when a pattern needs more work than the engine's limits allow.
inline constexpr const char *kExpressionTropCouteuse = "expression trop coûteuse";

// The engine's character tables for French Windows-1252 text, built once per process.
// Bytes below 0x80 are classified as in the C locale.
const unsigned char *TablesCaracteres1252();

// A compiled pattern (no option: case-sensitive, unanchored unless the pattern anchors
// itself), JIT-compiled when the engine allows it. Each match is bounded (match and depth
// limits): a subject that needs more is no answer at all, neither match nor no match, and
// is told by tropCouteuse(). Not for use by several threads at once.
class Regex1252 {
  public:
    explicit Regex1252(std::string_view pattern);
    ~Regex1252();
    Regex1252(const Regex1252 &) = delete;
    Regex1252 &operator=(const Regex1252 &) = delete;

    // False when the pattern does not compile; it then matches nothing.
    bool valide() const { return m_code != nullptr; }
    // The engine's message and the offset where compiling failed (UTF-8), else empty.
    const std::string &erreur() const { return m_erreur; }
    // True when the pattern matches somewhere in `subject`; false also when the match hit
    // a limit, which tropCouteuse() then tells.
    bool cherche(std::string_view subject) const;
    // True once a search has hit the engine's limits (stays true).
    bool tropCouteuse() const { return m_tropCouteuse; }

  private:
    void *m_code = nullptr;
    void *m_matchData = nullptr;
    void *m_matchContext = nullptr;
    mutable bool m_tropCouteuse = false;
    std::string m_erreur;
};

} // namespace morvix
