#include "afc/CarteFactorielle.h"

#include "afc/TListePoints.h"
#include "partitions/Partition.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace morvix {

namespace {

constexpr double kLimitePixel = 1e9;

int32_t tronque(double v) {
    if (!(v == v))
        return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(v), -kLimitePixel, kLimitePixel));
}

} // namespace

EchelleCarte::EchelleCarte(int32_t largeur, int32_t hauteur, double minX, double maxX, double minY,
                           double maxY)
    : m_l(std::max(largeur - kMargeCarte, 1)), m_h(std::max(hauteur - kMargeCarte, 1)),
      m_minX(minX), m_maxX(maxX > minX ? maxX : minX + 1), m_minY(minY),
      m_maxY(maxY > minY ? maxY : minY + 1) {}

int32_t EchelleCarte::PixelX(double x) const {
    return tronque(m_l * (x - m_minX) / (m_maxX - m_minX));
}

int32_t EchelleCarte::PixelY(double y) const {
    return tronque(m_h * (m_maxY - y) / (m_maxY - m_minY));
}

double EchelleCarte::ValeurX(double px) const { return m_minX + px * (m_maxX - m_minX) / m_l; }

double EchelleCarte::ValeurY(double py) const { return m_maxY - py * (m_maxY - m_minY) / m_h; }

std::vector<Graduation> Graduations(double min, double max) {
    std::vector<Graduation> g;
    if (!(min < max))
        return g;
    // Ticks k × 50 with min < k × 50 < max, k ≠ 0.
    const double bas = std::floor(min / kPasGraduations) + 1;
    const double haut = std::ceil(max / kPasGraduations) - 1;
    const double negatifs = std::min(haut, -1.0) - bas + 1;
    const double positifs = haut - std::max(bas, 1.0) + 1;
    if (negatifs > static_cast<double>(kMaxGraduations) ||
        positifs > static_cast<double>(kMaxGraduations))
        return g;
    const auto kBas = static_cast<int64_t>(bas);
    const auto kHaut = static_cast<int64_t>(haut);
    for (int64_t k = kBas; k <= kHaut; ++k) {
        if (k == 0)
            continue;
        // ±1 short, ±2 long, ±3 short ...
        g.push_back({static_cast<double>(k) * kPasGraduations, (k % 2) == 0});
    }
    return g;
}

void CarteFactorielle::Dispose(const TListePoints &points, int32_t largeur, int32_t hauteur,
                               std::span<const TailleTexte> textes) {
    m_echelle = EchelleCarte(largeur, hauteur, points.MinX, points.MaxX, points.MinY, points.MaxY);
    const auto &x = points.X();
    const auto &y = points.Y();
    m_boites.resize(static_cast<size_t>(points.NbPoints));
    for (size_t j = 0; j < m_boites.size(); ++j) {
        const TailleTexte t = j < textes.size() ? textes[j] : TailleTexte{};
        m_boites[j] = {m_echelle.PixelX(x[j]), m_echelle.PixelY(y[j]), t.l + 7, t.h + 7};
    }
    m_gradX = Graduations(points.MinX, points.MaxX);
    m_gradY = Graduations(points.MinY, points.MaxY);
}

std::vector<int32_t> CarteFactorielle::SousPixel(int32_t px, int32_t py) const {
    std::vector<int32_t> r;
    for (size_t j = 0; j < m_boites.size(); ++j)
        if (m_boites[j].Contient(px, py))
            r.push_back(static_cast<int32_t>(j));
    return r;
}

std::vector<int32_t> CarteFactorielle::Touchees(int32_t xa, int32_t ya, int32_t xb,
                                                int32_t yb) const {
    const int32_t x0 = std::min(xa, xb), x1 = std::max(xa, xb);
    const int32_t y0 = std::min(ya, yb), y1 = std::max(ya, yb);
    std::vector<int32_t> r;
    for (size_t j = 0; j < m_boites.size(); ++j)
        if (m_boites[j].Chevauche(x0, y0, x1, y1))
            r.push_back(static_cast<int32_t>(j));
    return r;
}

std::string TexteReel(double valeur) {
    char s[40];
    std::snprintf(s, sizeof s, "%.15g", valeur);
    return s;
}

std::string TexteSurvol(const TListePoints &points, std::span<const int32_t> indices,
                        std::span<const std::string> libelles) {
    const std::string fx = std::to_string(points.FacteurX() + 1);
    const std::string fy = std::to_string(points.FacteurY() + 1);
    std::string texte;
    for (int32_t j : indices) {
        const auto u = static_cast<size_t>(j);
        if (!texte.empty())
            texte += "; ";
        texte += (u < libelles.size() ? libelles[u] : std::string()) + ", F" + fx + "=" +
                 TexteReel(points.X()[u]) + ", F" + fy + "=" + TexteReel(points.Y()[u]);
    }
    return texte;
}

void AppliqueClicCarte(Partition &partition, std::span<const int32_t> touchees, ModeCarte mode,
                       bool boutonGauche, bool ctrl, uint32_t couleur) {
    auto valide = [&](int32_t j) { return j >= 0 && j < partition.NbParties; };
    if (mode == ModeCarte::Coloriage) {
        for (int32_t j : touchees)
            if (valide(j))
                partition.Couleurs[static_cast<size_t>(j)] = couleur;
        return;
    }
    if (!boutonGauche) {
        for (int32_t j : touchees) {
            if (!valide(j))
                continue;
            const auto u = static_cast<size_t>(j);
            partition.Cochee[u] = !partition.Cochee[u];
            if (!partition.Cochee[u])
                partition.Selec[u] = false;
        }
        return;
    }
    if (!ctrl)
        std::fill(partition.Selec.begin(), partition.Selec.end(), false);
    for (int32_t j : touchees) {
        if (!valide(j))
            continue;
        partition.Selec[static_cast<size_t>(j)] = true;
        partition.Cochee[static_cast<size_t>(j)] = true;
    }
}

void SelectionneParCouleur(Partition &partition, uint32_t couleur) {
    for (size_t j = 0; j < static_cast<size_t>(partition.NbParties); ++j) {
        partition.Selec[j] = partition.Couleurs[j] == couleur;
        if (partition.Selec[j])
            partition.Cochee[j] = true;
    }
}

} // namespace morvix
