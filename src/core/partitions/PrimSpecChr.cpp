#include "partitions/PrimSpecChr.h"

#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"

#include <algorithm>
#include <cmath>

namespace morvix {

PrimSpecChr::PrimSpecChr(const Partition &partition, int32_t seuilPct, int32_t frqMin)
    : NbParties(partition.NbParties), Nbocc(partition.Base().Nbocc()), Seuil(seuilPct * 0.01),
      FrqMin(frqMin), m_partition(&partition) {}

int32_t PrimSpecChr::FrqTotale(int32_t code) const {
    const charg1 &base = m_partition->Base();
    if (code >= 0 && code < base.Nbart())
        return base.RetourneFrq(code);
    // Segments have no dictionary entry: their frequency is the store's.
    const SegmentStore *store = base.SegmentStoreAttache();
    const int32_t k = code - base.Nbart() - 1;
    if (store && k >= 0 && k < store->NbSegments())
        return store->FrqSeg(k);
    return -1;
}

void PrimSpecChr::Calcule() {
    const Partition &part = *m_partition;
    const charg1 &base = part.Base();
    m_resultats.clear();
    const auto n = static_cast<size_t>(NbParties);
    if (n == 0)
        return;

    // Size of every run of consecutive parts, and its factorial logarithms.
    const double T = Nbocc;
    m_t.assign(n * n, 0.0);
    m_lnt.assign(n * n, 0.0);
    m_lnTmt.assign(n * n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        int64_t t = 0;
        for (size_t j = i; j < n; ++j) {
            t += part.Taille[j];
            const double dt = static_cast<double>(t);
            m_t[i * n + j] = dt;
            m_lnt[i * n + j] = LnFact(dt);
            m_lnTmt[i * n + j] = LnFact(T - dt);
        }
    }

    std::vector<int32_t> frq(n), prefixe(n + 1);
    for (int32_t e = 0; e < base.Nbform(); ++e) {
        const int32_t *ligne = part.LigneFrq(e);
        calculeCode(e, ligne, prefixe);
    }
    if (base.SegmentStoreAttache()) {
        for (int32_t e = base.Nbart() + 1; e <= base.NbTotEntites(); ++e) {
            if (!(FrqTotale(e) > FrqMin))
                continue;
            part.FrqParties(e, frq.data());
            calculeCode(e, frq.data(), prefixe);
        }
    }
}

void PrimSpecChr::calculeCode(int32_t code, const int32_t *frq, std::vector<int32_t> &prefixe) {
    const int32_t F = FrqTotale(code);
    if (!(F > FrqMin))
        return;
    const auto n = static_cast<size_t>(NbParties);
    prefixe[0] = 0;
    for (size_t p = 0; p < n; ++p)
        prefixe[p + 1] = prefixe[p] + frq[p];

    const double T = Nbocc, dF = F;
    const double lnT = LnFact(T), lnF = LnFact(dF), lnTmF = LnFact(T - dF);
    double best = 0.0;
    ResSpecChr r{code, 0, 0, 0, 0};
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i; j < n; ++j) {
            const int32_t k = prefixe[j + 1] - prefixe[i];
            const size_t run = i * n + j;
            // A run that cannot beat the best one so far is not walked.
            const double v = detail::ValSpecAuDela(T, m_t[run], dF, k, Seuil, lnT, lnTmF,
                                                   m_lnTmt[run], lnF, m_lnt[run], std::fabs(best));
            if (std::fabs(v) > std::fabs(best)) {
                best = v;
                r.f = k;
                r.Coeff = ArrondiSpec(v);
                r.Premiere = static_cast<int32_t>(i);
                r.Derniere = static_cast<int32_t>(j);
            }
        }
    }
    if (r.Coeff == 0)
        return;
    // An under-use at an end is an over-use of the rest; a run covering every part has no
    // complement and stays as it is.
    const int32_t derniere = NbParties - 1;
    if (r.Coeff < 0 && !(r.Premiere == 0 && r.Derniere == derniere)) {
        if (r.Premiere == 0) {
            r.Coeff = -r.Coeff;
            r.Premiere = r.Derniere + 1;
            r.Derniere = derniere;
        } else if (r.Derniere == derniere) {
            r.Coeff = -r.Coeff;
            r.Derniere = r.Premiere - 1;
            r.Premiere = 0;
        }
    }
    m_resultats.push_back(r);
}

void PrimSpecChr::Trie(int32_t ordre) {
    if (ordre < 0 || ordre > 9)
        return;
    const charg1 &base = m_partition->Base();
    auto trie = [&](auto cle) {
        const bool desc = ordre % 2 == 1;
        std::stable_sort(m_resultats.begin(), m_resultats.end(),
                         [&](const ResSpecChr &a, const ResSpecChr &b) {
                             return desc ? cle(b) < cle(a) : cle(a) < cle(b);
                         });
    };
    switch (ordre / 2) {
    case 0:
        trie([&](const ResSpecChr &r) { return base.Lexg(r.Code); });
        break;
    case 1:
        trie([&](const ResSpecChr &r) { return FrqTotale(r.Code); });
        break;
    case 2:
        trie([](const ResSpecChr &r) { return std::make_pair(r.Premiere, r.Derniere); });
        break;
    case 3:
        trie([](const ResSpecChr &r) { return r.f; });
        break;
    default:
        trie([](const ResSpecChr &r) { return r.Coeff; });
        break;
    }
}

Accroissements AccroissementsSpecifiques(Partition &partition, int32_t seuilPct, int32_t frqMin,
                                         ProgressionSpec progression) {
    Accroissements a;
    const std::vector<bool> selec = partition.Selec;
    const std::vector<bool> cochee = partition.Cochee;
    partition.Seuil = seuilPct;
    partition.FrqMin = frqMin;
    for (int32_t q = 0; q < partition.NbParties; ++q) {
        if (cochee[static_cast<size_t>(q)] && selec[static_cast<size_t>(q)]) {
            a.Partie = q;
            break;
        }
    }
    if (a.Partie < 0)
        return a;
    a.Entete = std::string("Partie : ") + partition.Libelle(a.Partie);
    for (int32_t q = a.Partie + 1; q < partition.NbParties; ++q)
        partition.Cochee[static_cast<size_t>(q)] = false;
    a.Spec = std::make_unique<PrimSpec>(partition, 1);
    a.Spec->SetProgression(std::move(progression));
    a.Spec->Calcule();
    partition.Selec = selec;
    partition.Cochee = cochee;
    return a;
}

} // namespace morvix
