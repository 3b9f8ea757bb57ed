#include "partitions/Partition.h"

#include "base/charg1.h"

#include <algorithm>
#include <numeric>

namespace morvix {

Partition::Partition(const charg1 &base, int32_t cle) : Cle(cle), m_base(&base) { construit(); }

void Partition::construit() {
    const charg1 &b = *m_base;
    const int32_t nbitem = b.Nbitem();
    const int32_t nbform = b.Nbform();
    const int32_t *t = b.TnumData().data();

    // Tags of the key: the span starts and their key contents, in text order. A key type on
    // the last item (no content after it) opens no span.
    std::vector<int32_t> contenus;
    for (int32_t i = 0; i + 1 < nbitem; ++i) {
        if (t[i] == Cle) {
            contenus.push_back(t[i + 1]);
            Tranches.push_back({0, i + 2, 0});
        }
    }
    Valeurs = contenus;
    std::sort(Valeurs.begin(), Valeurs.end());
    Valeurs.erase(std::unique(Valeurs.begin(), Valeurs.end()), Valeurs.end());
    NbParties = static_cast<int32_t>(Valeurs.size());
    NbTranches = static_cast<int32_t>(Tranches.size());
    for (size_t s = 0; s < Tranches.size(); ++s)
        Tranches[s].Partie = static_cast<int32_t>(
            std::lower_bound(Valeurs.begin(), Valeurs.end(), contenus[s]) - Valeurs.begin());
    Tranches.push_back({NbParties + 1, nbitem, 0});

    const auto np = static_cast<size_t>(NbParties);
    const auto nf = static_cast<size_t>(nbform);
    Taille.assign(np, 0);
    NbFormes.assign(np, 0);
    NbHapax.assign(np, 0);
    FmaxPartie.assign(np, 0);
    FormeFmax.assign(np, 0);
    Cochee.assign(np, true);
    Selec.assign(np, false);
    Couleurs.assign(np, kCouleurPartieDefaut);
    m_debutLigne.assign(nf + 1, 0);
    m_debutColonne.assign(np + 1, 0);
    m_lignes.clear();
    m_colonnes.clear();
    if (NbParties == 0)
        return;

    // Count one part at a time into a column of the size of the dictionary, which stays in
    // cache, and append its non-zero cells (in order of first occurrence) to the columns.
    // The text before the first tag belongs to the first span.
    std::vector<std::vector<int32_t>> tranchesDePartie(np);
    for (int32_t s = 0; s < NbTranches; ++s)
        tranchesDePartie[static_cast<size_t>(Tranches[static_cast<size_t>(s)].Partie)].push_back(s);
    std::vector<int32_t> colonne(nf, 0);
    std::vector<int32_t> touchees;
    for (size_t q = 0; q < np; ++q) {
        int32_t taille = 0;
        touchees.clear();
        for (int32_t s : tranchesDePartie[q]) {
            const int32_t debut = s == 0 ? 0 : Tranches[static_cast<size_t>(s)].Debut;
            const int32_t fin = Tranches[static_cast<size_t>(s) + 1].Debut;
            for (int32_t p = debut; p < fin; ++p) {
                const int32_t c = t[p];
                if (static_cast<uint32_t>(c) < static_cast<uint32_t>(nbform)) {
                    ++taille;
                    if (colonne[static_cast<size_t>(c)]++ == 0)
                        touchees.push_back(c);
                }
            }
        }
        int32_t hapax = 0, fmax = 0, formeFmax = 0;
        for (int32_t c : touchees) {
            int32_t &f = colonne[static_cast<size_t>(c)];
            m_colonnes.push_back({c, f});
            ++m_debutLigne[static_cast<size_t>(c) + 1];
            hapax += f == 1;
            if (f > fmax || (f == fmax && c < formeFmax)) {
                fmax = f;
                formeFmax = c;
            }
            f = 0;
        }
        m_debutColonne[q + 1] = static_cast<int64_t>(m_colonnes.size());
        Taille[q] = taille;
        NbFormes[q] = static_cast<int32_t>(touchees.size());
        NbHapax[q] = hapax;
        FmaxPartie[q] = fmax;
        FormeFmax[q] = formeFmax;
    }

    // Rows: the columns scattered part after part, so each row comes by ascending part. The
    // columns are then rewritten from the rows, form after form, into ascending codes.
    for (size_t c = 0; c < nf; ++c)
        m_debutLigne[c + 1] += m_debutLigne[c];
    m_lignes.resize(m_colonnes.size());
    std::vector<int64_t> suivante(m_debutLigne.begin(), m_debutLigne.end() - 1);
    for (size_t q = 0; q < np; ++q)
        for (int64_t x = m_debutColonne[q]; x < m_debutColonne[q + 1]; ++x) {
            const FrqNonNulle cell = m_colonnes[static_cast<size_t>(x)];
            m_lignes[static_cast<size_t>(suivante[static_cast<size_t>(cell.Indice)]++)] = {
                static_cast<int32_t>(q), cell.Frq};
        }
    suivante.assign(m_debutColonne.begin(), m_debutColonne.end() - 1);
    for (size_t c = 0; c < nf; ++c)
        for (int64_t x = m_debutLigne[c]; x < m_debutLigne[c + 1]; ++x) {
            const FrqNonNulle cell = m_lignes[static_cast<size_t>(x)];
            m_colonnes[static_cast<size_t>(suivante[static_cast<size_t>(cell.Indice)]++)] = {
                static_cast<int32_t>(c), cell.Frq};
        }
}

int32_t Partition::Frq(int32_t code, int32_t part) const {
    const std::span<const FrqNonNulle> ligne = LigneForme(code);
    auto it = std::lower_bound(ligne.begin(), ligne.end(), part,
                               [](const FrqNonNulle &c, int32_t q) { return c.Indice < q; });
    return it != ligne.end() && it->Indice == part ? it->Frq : 0;
}

int32_t Partition::TrancheDePos(int32_t position) const {
    if (position < 0 || position >= m_base->Nbitem() || NbTranches == 0)
        return -1;
    // The span is the number of later spans starting at or before the position.
    auto first = Tranches.begin() + 1;
    auto last = Tranches.begin() + NbTranches + 1;
    auto it = std::upper_bound(first, last, position,
                               [](int32_t p, const Tranche &tr) { return p < tr.Debut; });
    auto s = static_cast<int32_t>(it - first);
    return s < NbTranches ? s : -1;
}

int32_t Partition::PartieDePos(int32_t position) const {
    int32_t s = TrancheDePos(position);
    return s < 0 ? -1 : Tranches[static_cast<size_t>(s)].Partie;
}

int32_t Partition::NbOccTranche(const int32_t *positions, int32_t n, int32_t span) const {
    if (span < 0 || span >= NbTranches || n <= 0)
        return 0;
    const int32_t *end = positions + n;
    const int32_t *lo = std::lower_bound(positions, end, Tranches[static_cast<size_t>(span)].Debut);
    const int32_t *hi = std::lower_bound(lo, end, Tranches[static_cast<size_t>(span) + 1].Debut);
    return static_cast<int32_t>(hi - lo);
}

void Partition::FrqPositionsParties(const int32_t *positions, int32_t n, int32_t *out) const {
    std::fill(out, out + NbParties, 0);
    if (n <= 0 || NbTranches == 0)
        return;
    if (n < NbTranches) {
        // Few positions: find the span of each one.
        for (int32_t i = 0; i < n; ++i) {
            const int32_t p = positions[i];
            if (p < Tranches[0].Debut)
                continue;
            int32_t s = TrancheDePos(p);
            if (s >= 0)
                ++out[Tranches[static_cast<size_t>(s)].Partie];
        }
        return;
    }
    // Many positions: merge them with the spans.
    int32_t i = 0;
    while (i < n && positions[i] < Tranches[0].Debut)
        ++i;
    for (int32_t s = 0; s < NbTranches && i < n; ++s) {
        const int32_t fin = Tranches[static_cast<size_t>(s) + 1].Debut;
        int32_t compte = 0;
        while (i < n && positions[i] < fin) {
            ++compte;
            ++i;
        }
        out[Tranches[static_cast<size_t>(s)].Partie] += compte;
    }
}

int32_t Partition::FrqGroupePartie(const int32_t *occ, int32_t n, int32_t part) const {
    if (part < 0 || part >= NbParties || n <= 0)
        return 0;
    int32_t total = 0;
    for (int32_t s = 0; s < NbTranches; ++s)
        if (Tranches[static_cast<size_t>(s)].Partie == part)
            total += NbOccTranche(occ, n, s);
    return total;
}

int32_t Partition::FrqPartie(int32_t code, int32_t part) const {
    if (part < 0 || part >= NbParties)
        return 0;
    if (code >= 0 && code < m_base->Nbform())
        return Frq(code, part);
    std::vector<int32_t> occ = m_base->LocOccFor(code);
    return FrqGroupePartie(occ.data(), static_cast<int32_t>(occ.size()), part);
}

void Partition::FrqParties(int32_t code, int32_t *out) const {
    if (code >= 0 && code < m_base->Nbform()) {
        std::fill(out, out + NbParties, 0);
        for (const FrqNonNulle &c : LigneForme(code))
            out[c.Indice] = c.Frq;
        return;
    }
    std::vector<int32_t> occ = m_base->LocOccFor(code);
    FrqPositionsParties(occ.data(), static_cast<int32_t>(occ.size()), out);
}

void Partition::FrqPartiesNonNulles(int32_t code, std::vector<FrqNonNulle> &out) const {
    out.clear();
    if (code >= 0 && code < m_base->Nbform()) {
        const std::span<const FrqNonNulle> ligne = LigneForme(code);
        out.assign(ligne.begin(), ligne.end());
        return;
    }
    if (NbTranches == 0)
        return;
    const std::vector<int32_t> occ = m_base->LocOccFor(code);
    // Positions are ascending, so are their spans: count span by span, then merge the spans
    // of one part.
    int32_t s = -1, fin = 0;
    for (int32_t p : occ) {
        if (p < Tranches[0].Debut)
            continue;
        if (s < 0 || p >= fin) {
            s = TrancheDePos(p);
            if (s < 0)
                break;
            fin = Tranches[static_cast<size_t>(s) + 1].Debut;
            out.push_back({Tranches[static_cast<size_t>(s)].Partie, 0});
        }
        ++out.back().Frq;
    }
    std::sort(out.begin(), out.end(),
              [](const FrqNonNulle &a, const FrqNonNulle &b) { return a.Indice < b.Indice; });
    size_t n = 0;
    for (size_t x = 0; x < out.size(); ++x) {
        if (n > 0 && out[n - 1].Indice == out[x].Indice)
            out[n - 1].Frq += out[x].Frq;
        else
            out[n++] = out[x];
    }
    out.resize(n);
}

std::vector<int32_t> Partition::FrqParties(int32_t code) const {
    std::vector<int32_t> out(static_cast<size_t>(NbParties));
    FrqParties(code, out.data());
    return out;
}

void Partition::RepereTranches(const int32_t *occ, int32_t n) {
    int32_t i = 0;
    for (int32_t s = 0; s < NbTranches; ++s) {
        const int32_t debut = Tranches[static_cast<size_t>(s)].Debut;
        while (i < n && occ[i] < debut)
            ++i;
        if (i < n)
            Tranches[static_cast<size_t>(s)].PremOcc = i;
    }
    Tranches[static_cast<size_t>(NbTranches)].PremOcc = std::max(n, 0);
}

const char *Partition::Libelle(int32_t part) const {
    if (part < 0 || part >= NbParties)
        return "";
    return m_base->RetourneGraphie(Valeurs[static_cast<size_t>(part)], false);
}

int32_t Partition::IndexLibelle(std::string_view label) const {
    for (int32_t q = 0; q < NbParties; ++q)
        if (label == Libelle(q))
            return q;
    return -1;
}

int64_t Partition::TailleTotale() const {
    return std::accumulate(Taille.begin(), Taille.end(), int64_t{0});
}

int32_t Partition::CodeCle(const charg1 &base, std::string_view graphy) {
    const int32_t first = base.Nbform() + base.Nbartponct();
    for (int32_t c = first; c < first + base.Nbcle(); ++c)
        if (graphy == base.RetourneGraphie(c, false))
            return c;
    return -1;
}

} // namespace morvix
