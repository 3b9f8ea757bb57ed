// TListePoints: the points of a correspondence analysis read back from the factor file
// ("facteurs.txt"), one per part, and the reader of the eigenvalue file ("vp.txt").
// Depends on nothing but the standard library; numbers are read independently of the
// process locale.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvix {

// The message shown when a factor file is missing or refused.
inline constexpr const char *kErreurFacteurs = "Erreur de lecture du fichier des facteurs";

class TListePoints {
  public:
    TListePoints() = default;
    // Reads the factor file. `nbParties`, when not negative, is the number of parts of the
    // partition analysed: a file with another number of points is refused. A refused file
    // leaves the list empty, Valide() false and Erreur() telling why.
    explicit TListePoints(const std::string &chemin, int32_t nbParties = -1);

    bool Valide() const { return m_valide; }
    // Why the file was refused (UTF-8, for the trace or stderr); the user is shown
    // kErreurFacteurs.
    const std::string &Erreur() const { return m_erreur; }

    int32_t NbPoints = 0;
    int32_t NbFact = 0;
    // 3 NbFact arrays of NbPoints values: array k the coordinates on factor k+1, arrays
    // NbFact+k and 2 NbFact+k the two further values of factor k+1 (contributions, squared
    // cosines).
    std::vector<std::vector<double>> Fact;
    std::vector<double> Masse;
    std::vector<double> Distance;
    std::vector<unsigned char> Actif;

    // The coordinates shown horizontally and vertically: Fact[FacteurX()], Fact[FacteurY()].
    const std::vector<double> &X() const { return Fact[static_cast<size_t>(m_fx)]; }
    const std::vector<double> &Y() const { return Fact[static_cast<size_t>(m_fy)]; }
    int32_t FacteurX() const { return m_fx; }
    int32_t FacteurY() const { return m_fy; }
    // Puts 0-based factor `facteur` on the horizontal (or vertical) axis. Refused (false,
    // nothing changed) when it is out of range, shown on the other axis, or when every
    // point has the same coordinate on it (the scale would be undefined).
    bool ChoisitAxeX(int32_t facteur);
    bool ChoisitAxeY(int32_t facteur);

    // Bounds of X() and Y().
    double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;

  private:
    bool refuse(std::string cause);
    bool axeUtilisable(int32_t facteur) const;
    void bornes();

    bool m_valide = false;
    std::string m_erreur;
    int32_t m_fx = 0;
    int32_t m_fy = 1;
};

// Reads the eigenvalue file: a count m, then m integers, separated by white space. False
// (and `valeurs` empty) when it is missing or unreadable.
bool LitValeursPropres(const std::string &chemin, std::vector<int64_t> &valeurs);

} // namespace morvix
