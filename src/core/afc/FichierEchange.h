// A file of the analysis exchange ("coran.don" and the programs' results) written as a whole
// or not at all: under a unique temporary name created exclusively beside it, renamed over
// it once complete. Exchange folders can be shared, so a symbolic link planted under the
// file's name is refused, never followed nor replaced. Depends on util/FichierRemplace.
#pragma once

#include "util/FichierRemplace.h"

#include <string>
#include <string_view>

namespace morvix {

class FichierEchange {
  public:
    // `crlf`: every line feed written becomes CR LF.
    explicit FichierEchange(bool crlf) : m_crlf(crlf) {}

    // False (with Erreur()) when `cible` is a symbolic link or its temporary file cannot be
    // created.
    bool Ouvre(const std::string &cible);
    void Ecrit(std::string_view octets);
    // printf-style (ASCII formats).
    void Imprime(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // Renames the complete file over its target; false (nothing replaced) on any failure.
    bool Valide();
    const std::string &Erreur() const { return m_erreur; }

  private:
    bool refuseLien();

    bool m_crlf;
    std::string m_cible, m_erreur, m_tampon;
    FichierRemplace m_fichier;
};

} // namespace morvix
