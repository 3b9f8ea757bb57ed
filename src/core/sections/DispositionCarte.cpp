#include "sections/DispositionCarte.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace morvix {

namespace {

// Room kept below the lowest box or header, for the widest outline.
constexpr int32_t kMargeBas = 5;
// A span header's text is drawn 3 pixels above its line and is 11 pixels high.
constexpr int32_t kBasEntete = 9;

} // namespace

DispositionCarte::DispositionCarte(int32_t nbSections, int32_t tailleBoite,
                                   const std::vector<int32_t> &premieres,
                                   const std::vector<int32_t> &parties)
    : m_nbSections(std::max(nbSections, 0)),
      m_taille(std::clamp(tailleBoite, kTailleBoiteMin, kTailleBoiteMax)),
      m_pas(static_cast<int32_t>(m_taille * 1.3)), m_avecPartition(!premieres.empty()),
      m_xFin(static_cast<int32_t>(m_taille * 50 * 1.3 + 28)) {
    assert(premieres.empty() || premieres.size() == parties.size() + 1);
    constexpr int32_t kNonDessinee = std::numeric_limits<int32_t>::min();
    m_x.assign(static_cast<size_t>(m_nbSections), kNonDessinee);
    m_y.assign(static_cast<size_t>(m_nbSections), kNonDessinee);

    const double b = m_taille * 1.35;
    const int32_t rangees = m_nbSections / kBoitesParRangee;
    m_largeur = static_cast<int32_t>(m_taille * 50 * 1.35 + 125);
    int32_t bas = 0;
    if (!m_avecPartition) {
        trace(0, m_nbSections, 20, 5);
        m_hauteur = static_cast<int32_t>(rangees * b + 75);
    } else {
        const auto nbTranches = static_cast<int32_t>(parties.size());
        m_premier = std::clamp(premieres.front(), 0, m_nbSections);
        int32_t y = 5;
        for (int32_t q = 0; q < nbTranches; ++q) {
            const int32_t premiere = std::clamp(premieres[static_cast<size_t>(q)], 0, m_nbSections);
            const int32_t derniere =
                std::clamp(premieres[static_cast<size_t>(q) + 1], premiere, m_nbSections);
            y += 5;
            m_entetes.push_back({y, parties[static_cast<size_t>(q)]});
            bas = std::max(bas, y + kBasEntete);
            y += 12;
            // The first box stands in the column of its section, as on a map without parts.
            int32_t x = 20;
            for (int32_t c = 0; c < premiere % kBoitesParRangee; ++c) {
                x += m_pas;
                if ((c + 1) % 10 == 0)
                    x += 2;
            }
            y = trace(premiere, derniere, x, y);
            y = static_cast<int32_t>(y + m_taille * 1.3 + m_taille / 2.0);
        }
        m_hauteur = static_cast<int32_t>(b * rangees + nbTranches * (b + 20) + 75);
    }
    for (int32_t s = m_premier; s < m_nbSections; ++s)
        bas = std::max(bas, m_y[static_cast<size_t>(s)] + m_taille);
    // The formula leaves room under most maps; with small boxes, or many short spans, the
    // rows take more than it counts, and the last ones would be cut off.
    m_hauteur = std::max(m_hauteur, bas + kMargeBas);
}

int32_t DispositionCarte::trace(int32_t premiere, int32_t derniere, int32_t x, int32_t y) {
    for (int32_t r = premiere; r < derniere; ++r) {
        m_x[static_cast<size_t>(r)] = x;
        m_y[static_cast<size_t>(r)] = y;
        x += m_pas;
        if ((r + 1) % 10 == 0)
            x += 2;
        if ((r + 1) % kBoitesParRangee == 0) {
            m_numeros.push_back({x + 5, y - 2, r + 1});
            y += m_pas;
            x = 20;
            if ((r + 1) % 100 == 0)
                y += 2;
        }
    }
    return y;
}

int32_t DispositionCarte::Touche(int32_t x, int32_t y) const {
    const auto debut = m_y.begin() + m_premier;
    // The first drawn box whose bottom edge is at or below the point.
    const auto rangee = std::lower_bound(debut, m_y.end(), y - m_taille);
    if (rangee == m_y.end() || *rangee > y)
        return -1;
    const auto premier = static_cast<int32_t>(rangee - m_y.begin());
    const auto fin =
        static_cast<int32_t>(std::upper_bound(rangee, m_y.end(), *rangee) - m_y.begin());
    // The last box of the row whose left edge is at or before the point.
    const auto xs = m_x.begin();
    const auto it = std::upper_bound(xs + premier, xs + fin, x);
    if (it == xs + premier)
        return -1;
    const auto s = static_cast<int32_t>(it - xs) - 1;
    return x <= m_x[static_cast<size_t>(s)] + m_taille ? s : -1;
}

std::pair<int32_t, int32_t> DispositionCarte::Exposees(int32_t y0, int32_t y1,
                                                       int32_t marge) const {
    const auto debut = m_y.begin() + m_premier;
    const auto premier = std::lower_bound(debut, m_y.end(), y0 - m_taille - marge);
    const auto fin = std::upper_bound(premier, m_y.end(), y1 + marge);
    return {static_cast<int32_t>(premier - m_y.begin()), static_cast<int32_t>(fin - m_y.begin())};
}

} // namespace morvix
