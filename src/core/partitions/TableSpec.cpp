#include "partitions/TableSpec.h"

#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "util/Annulation.h"

#include <algorithm>
#include <numeric>

namespace morvix {

TableSpec::TableSpec(std::unique_ptr<CalcSpecTot> calcul, const Annulation *annulation)
    : m_calcul(std::move(calcul)) {
    const charg1 &base = LaPartition().Base();
    m_nbform = base.Nbform();
    m_lignes.resize(static_cast<size_t>(m_nbform));
    std::iota(m_lignes.begin(), m_lignes.end(), 0);
    if (base.SegmentStoreAttache() != nullptr) {
        std::vector<int32_t> segments;
        for (int32_t e = base.Nbart() + 1; e <= base.NbTotEntites(); ++e)
            segments.push_back(e);
        m_interrompue = !ajouteFrequences(segments, annulation);
        m_lignes.insert(m_lignes.end(), segments.begin(), segments.end());
    }
}

bool TableSpec::ajouteFrequences(const std::vector<int32_t> &codes, const Annulation *annulation) {
    const Partition &partition = LaPartition();
    std::vector<FrqNonNulle> frq;
    int32_t n = 0;
    for (int32_t code : codes) {
        if ((code >= 0 && code < m_nbform) || m_plages.count(code) != 0)
            continue;
        if ((n++ & 255) == 0 && Annulee(annulation))
            return false;
        partition.FrqPartiesNonNulles(code, frq);
        const auto debut = static_cast<int64_t>(m_frqAutres.size());
        for (const FrqNonNulle &c : frq)
            m_frqAutres.emplace_back(c.Indice, c.Frq);
        m_plages.emplace(code, std::make_pair(debut, static_cast<int64_t>(m_frqAutres.size())));
    }
    return true;
}

int32_t TableSpec::frqAutre(int32_t code, int32_t partie) const {
    auto it = m_plages.find(code);
    if (it == m_plages.end())
        return 0;
    auto debut = m_frqAutres.begin() + it->second.first;
    auto fin = m_frqAutres.begin() + it->second.second;
    auto p = std::lower_bound(debut, fin, std::make_pair(partie, INT32_MIN));
    return p != fin && p->first == partie ? p->second : 0;
}

int32_t TableSpec::Frequence(int32_t ligne, int32_t colonne) const {
    const int32_t code = Code(ligne);
    const int32_t partie = Partie(colonne);
    if (code >= 0 && code < m_nbform)
        return LaPartition().Frq(code, partie);
    return frqAutre(code, partie);
}

void TableSpec::SetLignes(std::vector<int32_t> codes) {
    ajouteFrequences(codes, nullptr);
    m_lignes = std::move(codes);
    m_mode = kNonTriee;
}

void TableSpec::ClicColonneFixe() {
    Trie(m_mode != kLexCroissant ? kLexCroissant : kLexDecroissant, m_derniereColonne);
}

void TableSpec::ClicColonne(int32_t colonne, bool parFrequence) {
    if (colonne < 0 || colonne >= NbColonnes())
        return;
    if (colonne != m_derniereColonne) {
        m_mode = parFrequence ? kFrqCroissante : kSpecCroissante;
        m_derniereColonne = colonne;
    }
    if (parFrequence)
        Trie(m_mode == kFrqDecroissante ? kFrqCroissante : kFrqDecroissante, colonne);
    else
        Trie(m_mode == kSpecCroissante ? kSpecDecroissante : kSpecCroissante, colonne);
}

void TableSpec::ClicCle(bool parFrequence) {
    if (m_derniereColonne < 0)
        return;
    if (parFrequence && m_mode != kFrqCroissante && m_mode != kFrqDecroissante)
        Trie(kFrqDecroissante, m_derniereColonne);
    else if (!parFrequence && m_mode != kSpecDecroissante && m_mode != kSpecCroissante)
        Trie(kSpecDecroissante, m_derniereColonne);
}

// For each row, the range of its alphabetical ranks in `rangs`: one rank for an article, the
// ranks of its forms for a segment.
std::vector<std::pair<int64_t, int64_t>>
TableSpec::clesLexicales(std::vector<int32_t> &rangs) const {
    const charg1 &base = LaPartition().Base();
    const SegmentStore *store = base.SegmentStoreAttache();
    std::vector<std::pair<int64_t, int64_t>> cles;
    cles.reserve(m_lignes.size());
    for (int32_t code : m_lignes) {
        const auto debut = static_cast<int64_t>(rangs.size());
        if (code >= 0 && code < base.Nbart()) {
            rangs.push_back(base.Lexg(code));
        } else if (store != nullptr && code > base.Nbart() &&
                   code - base.Nbart() - 1 < store->NbSegments()) {
            for (int32_t f : store->Formes(code - base.Nbart() - 1))
                rangs.push_back(base.Lexg(f));
        }
        cles.emplace_back(debut, static_cast<int64_t>(rangs.size()));
    }
    return cles;
}

void TableSpec::Trie(int32_t mode, int32_t colonne) {
    if (mode < kLexCroissant || mode > kSpecCroissante)
        return;
    if (mode >= kFrqCroissante && (colonne < 0 || colonne >= NbColonnes()))
        return;
    const auto n = m_lignes.size();
    std::vector<int32_t> ordre(n);
    std::iota(ordre.begin(), ordre.end(), 0);
    if (mode <= kLexDecroissant) {
        std::vector<int32_t> rangs;
        const auto cles = clesLexicales(rangs);
        const int32_t nbart = LaPartition().Base().Nbart();
        // Equal ranks: a form against a one-form segment; the form comes first.
        auto avant = [&](int32_t a, int32_t b) {
            const auto &ca = cles[static_cast<size_t>(a)];
            const auto &cb = cles[static_cast<size_t>(b)];
            const auto ia = rangs.begin() + ca.first, fa = rangs.begin() + ca.second;
            const auto ib = rangs.begin() + cb.first, fb = rangs.begin() + cb.second;
            if (std::lexicographical_compare(ia, fa, ib, fb))
                return true;
            if (std::lexicographical_compare(ib, fb, ia, fa))
                return false;
            return m_lignes[static_cast<size_t>(a)] < nbart &&
                   m_lignes[static_cast<size_t>(b)] > nbart;
        };
        if (mode == kLexCroissant)
            std::stable_sort(ordre.begin(), ordre.end(), avant);
        else
            std::stable_sort(ordre.begin(), ordre.end(),
                             [&](int32_t a, int32_t b) { return avant(b, a); });
    } else {
        const bool frequence = mode <= kFrqDecroissante;
        std::vector<int32_t> cle(n);
        for (size_t i = 0; i < n; ++i) {
            const auto ligne = static_cast<int32_t>(i);
            cle[i] = frequence ? Frequence(ligne, colonne) : Coeff(ligne, colonne);
        }
        auto valeur = [&](int32_t i) { return cle[static_cast<size_t>(i)]; };
        switch (mode) {
        case kFrqCroissante:
            std::stable_sort(ordre.begin(), ordre.end(),
                             [&](int32_t a, int32_t b) { return valeur(a) < valeur(b); });
            break;
        case kFrqDecroissante:
            std::stable_sort(ordre.begin(), ordre.end(),
                             [&](int32_t a, int32_t b) { return valeur(a) > valeur(b); });
            break;
        default: {
            // Zero coefficients (not specific) after every specific row, in both directions.
            const int32_t sens = mode == kSpecDecroissante ? -1 : 1;
            std::stable_sort(ordre.begin(), ordre.end(), [&](int32_t a, int32_t b) {
                const int32_t va = valeur(a), vb = valeur(b);
                if ((va == 0) != (vb == 0))
                    return vb == 0;
                return sens * va < sens * vb;
            });
        }
        }
    }
    std::vector<int32_t> lignes(n);
    for (size_t i = 0; i < n; ++i)
        lignes[i] = m_lignes[static_cast<size_t>(ordre[i])];
    m_lignes = std::move(lignes);
    m_mode = mode;
}

} // namespace morvix
