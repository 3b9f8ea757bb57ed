#include "partitions/PrimSpecChr.h"

#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "partitions/Avancement.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"
#include "util/Annulation.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// Every run of consecutive parts, row after row: run (i, j) at Debut[i] + j - i. Its size,
// the factorial logarithms of the size and of the rest, which ValSpec needs, and the plain
// logarithms of both, which the bound below needs.
struct PrimSpecChr::Runs {
    std::vector<int64_t> Debut;
    std::vector<double> t, lnt, lnTmt, logt, logTmt;
};

bool PrimSpecChr::Calcule(ProgressionSpec progression, const Annulation *annulation) {
    const Partition &part = *m_partition;
    const charg1 &base = part.Base();
    m_resultats.clear();
    const auto n = static_cast<size_t>(NbParties);
    if (n == 0)
        return true;

    const double T = Nbocc;
    Runs runs;
    const size_t nbRuns = n * (n + 1) / 2;
    runs.Debut.resize(n);
    for (auto *v : {&runs.t, &runs.lnt, &runs.lnTmt, &runs.logt, &runs.logTmt})
        v->resize(nbRuns);
    size_t r = 0;
    for (size_t i = 0; i < n; ++i) {
        if (Annulee(annulation))
            return false;
        runs.Debut[i] = static_cast<int64_t>(r);
        int64_t t = 0;
        for (size_t j = i; j < n; ++j, ++r) {
            t += part.Taille[j];
            const double dt = static_cast<double>(t);
            runs.t[r] = dt;
            runs.lnt[r] = LnFact(dt);
            runs.lnTmt[r] = LnFact(T - dt);
            runs.logt[r] = std::log(dt);
            runs.logTmt[r] = std::log(T - dt);
        }
    }

    // The codes that pass the minimum frequency, for the progress.
    const SegmentStore *store = base.SegmentStoreAttache();
    int64_t aCalculer = 0;
    for (int32_t e = 0; e < base.Nbform(); ++e)
        aCalculer += base.RetourneFrq(e) > FrqMin;
    if (store)
        for (int32_t k = 0; k < store->NbSegments(); ++k)
            aCalculer += store->FrqSeg(k) > FrqMin;
    detail::Avancement avancement(progression, aCalculer);

    std::vector<int32_t> prefixe(n + 1);
    std::vector<double> lnC;
    auto annule = [&] {
        m_resultats.clear();
        return false;
    };
    for (int32_t e = 0; e < base.Nbform(); ++e) {
        const int32_t F = base.RetourneFrq(e);
        if (!(F > FrqMin))
            continue;
        if (Annulee(annulation))
            return annule();
        calculeCode(e, F, part.LigneForme(e), runs, prefixe, lnC);
        avancement.pas(0);
    }
    if (store) {
        std::vector<FrqNonNulle> frq;
        for (int32_t e = base.Nbart() + 1; e <= base.NbTotEntites(); ++e) {
            const int32_t F = FrqTotale(e);
            if (!(F > FrqMin))
                continue;
            if (Annulee(annulation))
                return annule();
            part.FrqPartiesNonNulles(e, frq);
            calculeCode(e, F, frq, runs, prefixe, lnC);
            avancement.pas(1);
        }
    }
    return true;
}

void PrimSpecChr::calculeCode(int32_t code, int32_t F, std::span<const FrqNonNulle> frq,
                              const Runs &runs, std::vector<int32_t> &prefixe,
                              std::vector<double> &lnC) {
    const auto n = static_cast<size_t>(NbParties);
    std::fill(prefixe.begin(), prefixe.end(), 0);
    for (const FrqNonNulle &c : frq)
        prefixe[static_cast<size_t>(c.Indice) + 1] = c.Frq;
    for (size_t p = 0; p < n; ++p)
        prefixe[p + 1] += prefixe[p];

    const double T = Nbocc, dF = F;
    const double lnT = LnFact(T), lnF = LnFact(dF), lnTmF = LnFact(T - dF);
    // ln P(X = k) = lnTmF - lnT + lnC(F, k) + sum_{m<k} ln(t - m) + sum_{m<F-k} ln(T - t - m).
    // Since ln(1 - x) >= -x / (1 - x), sum_{m<k} ln(t - m) >= k ln t - k(k-1) / (2(t-k+1)),
    // and the same for the second sum: a lower bound of the point probability that costs no
    // factorial. The tail is at least the point probability, so a run whose bound already
    // makes it non-specific, or no stronger than the best run so far, needs no ValSpec.
    // `marge` covers the rounding of both computations and the series of LnFact.
    const int32_t kMax = std::min(F, static_cast<int32_t>(prefixe[n]));
    lnC.resize(static_cast<size_t>(kMax) + 1);
    for (int32_t k = 0; k <= kMax; ++k)
        lnC[static_cast<size_t>(k)] = lnF - LnFact(k) - LnFact(dF - k);
    const double c0 = lnTmF - lnT;
    const double marge = 1e-5 + 1e-13 * lnT;
    // A threshold of 0 leaves specific only the runs whose probability underflows to 0.
    const double lnSeuil =
        std::log(std::max(Seuil, std::numeric_limits<double>::denorm_min())) + 1e-9;
    constexpr double kLn10 = 2.302585092994046;

    // The bound of one run (i, j), at index `run`, holding k occurrences.
    auto borneRun = [&](size_t run, int32_t k) {
        const double t = runs.t[run], dk = k, reste = dF - dk, horsRun = T - t;
        if (reste > horsRun) // inconsistent counts: no bound
            return -HUGE_VAL;
        double borne = c0 + lnC[static_cast<size_t>(k)];
        if (k > 0)
            borne += dk * runs.logt[run] - dk * (dk - 1.0) / (2.0 * (t - dk + 1.0));
        if (reste > 0.0)
            borne +=
                reste * runs.logTmt[run] - reste * (reste - 1.0) / (2.0 * (horsRun - reste + 1.0));
        return borne;
    };
    // A bound of every run from (i, j1) to (i, j2), at indexes run1 … run2, holding k1 …
    // k2 occurrences: each term of the run's bound is monotonic in k and t, or concave in k,
    // so it is bounded by its value at a corner. Runs without a form occurrence between
    // them share most of their bound, which makes it tight.
    auto borneBloc = [&](size_t run1, size_t run2, int32_t k1, int32_t k2) {
        const double t1 = runs.t[run1], t2 = runs.t[run2];
        const double d1 = k1, d2 = k2, reste1 = dF - d1, reste2 = dF - d2;
        if (t1 - d2 + 1.0 <= 0.0 || T - t2 - reste1 + 1.0 <= 0.0)
            return -HUGE_VAL;
        double borne = c0 + std::min(lnC[static_cast<size_t>(k1)], lnC[static_cast<size_t>(k2)]);
        if (k1 > 0)
            borne += d1 * runs.logt[run1];
        if (k2 > 1)
            borne -= d2 * (d2 - 1.0) / (2.0 * (t1 - d2 + 1.0));
        if (reste2 > 0.0)
            borne += reste2 * runs.logTmt[run2];
        if (reste1 > 1.0)
            borne -= reste1 * (reste1 - 1.0) / (2.0 * (T - t2 - reste1 + 1.0));
        return borne;
    };

    double plafond = 0.0, uLimite = lnSeuil;
    ResSpecChr r{code, 0, 0, 0, 0};
    // Evaluates run (i, j); false once no run can beat the best one any more.
    auto evalue = [&](size_t i, size_t j, size_t run, int32_t k) {
        if (borneRun(run, k) - marge > uLimite)
            return true;
        const double v = detail::ValSpecAuDela(T, runs.t[run], dF, k, Seuil, lnT, lnTmF,
                                               runs.lnTmt[run], lnF, runs.lnt[run], plafond);
        if (!(std::fabs(v) > plafond))
            return true;
        r.f = k;
        r.Coeff = ArrondiSpec(v);
        r.Premiere = static_cast<int32_t>(i);
        r.Derniere = static_cast<int32_t>(j);
        // A later run replaces this one only if it is stronger by more than the rounding
        // of the sums of LnFact terms.
        plafond = std::fabs(v) * (1.0 + 1e-9);
        uLimite = std::min(lnSeuil, (1.0 + 1e-6 - plafond) * kLn10);
        // No magnitude exceeds 51: nothing can beat this run any more.
        return !(plafond > 51.0 + 1e-9);
    };
    for (size_t i = 0; i < n; ++i) {
        const int32_t avant = prefixe[i];
        const size_t debut = static_cast<size_t>(runs.Debut[i]) - i;
        // Blocks of runs that grow while their bound rules them out.
        size_t bloc = 8;
        for (size_t j1 = i; j1 < n;) {
            const size_t j2 = std::min(n - 1, j1 + bloc - 1);
            const int32_t k1 = prefixe[j1 + 1] - avant, k2 = prefixe[j2 + 1] - avant;
            if (j2 > j1 && borneBloc(debut + j1, debut + j2, k1, k2) - marge > uLimite) {
                j1 = j2 + 1;
                bloc = std::min<size_t>(bloc * 2, 1024);
                continue;
            }
            for (size_t j = j1; j <= j2; ++j)
                if (!evalue(i, j, debut + j, prefixe[j + 1] - avant))
                    goto complement;
            j1 = j2 + 1;
            bloc = 8;
        }
    }
complement:
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
    case 0: {
        // Alphabetical rank; a segment, which has none, by the ranks of its forms (after the
        // form it begins with, before the longer segments it begins). Keys made once.
        const SegmentStore *store = base.SegmentStoreAttache();
        std::vector<std::pair<std::vector<int32_t>, ResSpecChr>> cles;
        cles.reserve(m_resultats.size());
        for (const ResSpecChr &r : m_resultats) {
            std::vector<int32_t> rangs;
            if (r.Code >= 0 && r.Code < base.Nbart()) {
                rangs.push_back(base.Lexg(r.Code));
            } else if (store != nullptr && r.Code > base.Nbart() &&
                       r.Code - base.Nbart() - 1 < store->NbSegments()) {
                for (int32_t forme : store->Formes(r.Code - base.Nbart() - 1)) {
                    rangs.push_back(base.Lexg(forme));
                }
            }
            cles.emplace_back(std::move(rangs), r);
        }
        const bool desc = ordre % 2 == 1;
        std::stable_sort(cles.begin(), cles.end(), [desc](const auto &a, const auto &b) {
            return desc ? b.first < a.first : a.first < b.first;
        });
        for (size_t k = 0; k < cles.size(); ++k) {
            m_resultats[k] = cles[k].second;
        }
        break;
    }
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
                                         ProgressionSpec progression,
                                         const Annulation *annulation) {
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
    if (!a.Spec->Calcule(annulation)) {
        a.Spec.reset();
        a.Annulee = true;
    }
    partition.Selec = selec;
    partition.Cochee = cochee;
    return a;
}

} // namespace morvix
