// A file written under a unique temporary name beside its target and renamed over it only
// once complete, so that a failed or cancelled run leaves the previous file as it was.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace morvix {

class FichierRemplace {
  public:
    FichierRemplace() = default;
    // Removes the temporary file unless Valide() succeeded.
    ~FichierRemplace();
    FichierRemplace(const FichierRemplace &) = delete;
    FichierRemplace &operator=(const FichierRemplace &) = delete;

    // Creates the temporary file beside `cible`; false (with Erreur()) when it cannot.
    bool Ouvre(const std::string &cible);
    std::FILE *Flux() const { return m_flux; }
    // Writes bytes as they are; a failure is remembered and reported by Valide().
    void Ecrit(std::string_view octets);
    // Flushes, closes and renames over the target; false (temporary removed) on any failure.
    bool Valide();
    // Drops the temporary file; the target stays as it was.
    void Abandonne();
    // Why Ouvre or Valide failed (UTF-8, names the file).
    const std::string &Erreur() const { return m_erreur; }

  private:
    std::FILE *m_flux = nullptr;
    std::string m_cible;
    std::string m_temporaire;
    bool m_echec = false;
    std::string m_erreur;
};

} // namespace morvix
