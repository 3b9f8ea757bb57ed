#include "base/TriContextes.h"

#include "base/charg1.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <utility>

namespace morvix {

namespace {

constexpr int32_t kBord = INT32_MIN; // the edge of the text, before every rank
constexpr size_t kPetit = 12;        // below this, insertion sort
constexpr size_t kPasAnnulation = 1 << 14;

// One position being sorted: `cur` is the last context article read, `cle` the ranks of the
// last few articles read, packed (the key of the range that holds the element).
struct Element {
    int32_t pos;
    int32_t cur;
    int32_t indice;
    uint64_t cle;
};

// A range of elements whose keys end with the `lus`-th article of their contexts.
struct Tranche {
    size_t debut, fin;
    int32_t lus;
};

// Multikey quicksort: each range is split three ways on the ranks of the next two or three
// context articles, packed into one key; the equal part goes on with the following ones, so
// that a common stretch of contexts is read once per element rather than once per
// comparison.
class TriMultiCle {
  public:
    TriMultiCle(const charg1 &base, int32_t sens, int32_t codeMax)
        : m_t(base.TnumData().data()), m_nbitem(base.Nbitem()), m_sens(sens < 0 ? -1 : 1),
          m_codeMax(codeMax) {
        const int64_t taille = std::min<int64_t>(int64_t{codeMax} + 1, base.Nbart());
        m_rang.resize(static_cast<size_t>(std::max<int64_t>(taille, 0)));
        int32_t plusGrand = -1;
        for (size_t c = 0; c < m_rang.size(); ++c) {
            m_rang[c] = base.Lexg(static_cast<int32_t>(c));
            plusGrand = std::max(plusGrand, m_rang[c]);
        }
        // A slot holds 0 for the edge, rank + 2 otherwise (ranks start at -1).
        m_bits = std::bit_width(static_cast<uint32_t>(plusGrand + 2));
        m_parCle = std::min(3, 64 / m_bits);
        m_masque = (uint64_t{1} << m_bits) - 1;
    }

    // The rank of the next context article after `cur`, which moves to it; kBord past an
    // edge.
    int32_t avance(int32_t &cur) const {
        do {
            cur += m_sens;
        } while (cur >= 0 && cur < m_nbitem && m_t[cur] > m_codeMax);
        if (cur < 0 || cur >= m_nbitem)
            return kBord;
        const int32_t c = m_t[cur];
        return c >= 0 && static_cast<size_t>(c) < m_rang.size() ? m_rang[static_cast<size_t>(c)]
                                                                : -1;
    }

    // Reads the next `nb` articles into the key; past an edge every slot is 0.
    void lit(Element &e, int32_t nb) const {
        uint64_t cle = 0;
        bool bord = false;
        for (int32_t i = 0; i < nb; ++i) {
            uint64_t slot = 0;
            if (!bord) {
                const int32_t r = avance(e.cur);
                bord = r == kBord;
                slot = bord ? 0 : static_cast<uint64_t>(r + 2);
            }
            cle = (cle << m_bits) | slot;
        }
        e.cle = cle;
    }

    bool trie(std::vector<Element> &e, const Annulation *annulation) const {
        if (Annulee(annulation))
            return false;
        const int32_t premiers = std::min(m_parCle, kBorneContexte);
        for (size_t k = 0; k < e.size(); ++k) {
            if (k + 8 < e.size())
                __builtin_prefetch(m_t + e[k + 8].cur + m_sens);
            lit(e[k], premiers);
        }
        std::vector<Tranche> pile;
        pile.push_back({0, e.size(), premiers});
        size_t travail = 0;
        auto parPosition = [](const Element &x, const Element &y) { return x.pos < y.pos; };
        while (!pile.empty()) {
            const Tranche r = pile.back();
            pile.pop_back();
            const size_t n = r.fin - r.debut;
            if (n < 2)
                continue;
            travail += n;
            if (travail >= kPasAnnulation) {
                travail = 0;
                if (Annulee(annulation))
                    return false;
            }
            Element *a = e.data() + r.debut;
            if (n < kPetit) {
                if (toutesEgales(a, n, r.lus))
                    std::sort(a, a + n, parPosition);
                else
                    insertion(a, n, r.lus);
                continue;
            }
            const uint64_t pivot = mediane(a[0].cle, a[n / 2].cle, a[n - 1].cle);
            size_t lt = 0, i = 0, gt = n;
            while (i < gt) {
                const uint64_t k = a[i].cle;
                if (k < pivot)
                    std::swap(a[lt++], a[i++]);
                else if (k > pivot)
                    std::swap(a[i], a[--gt]);
                else
                    ++i;
            }
            pile.push_back({r.debut, r.debut + lt, r.lus});
            pile.push_back({r.debut + gt, r.fin, r.lus});
            if (gt - lt < 2)
                continue;
            // A range still tied after 8, 16, 32 or 64 articles is tried as a whole.
            bool essai = false;
            for (int32_t palier : {8, 16, 32, 64})
                essai = essai || (r.lus >= palier && r.lus - m_parCle < palier);
            if ((pivot & m_masque) == 0 || r.lus >= kBorneContexte ||
                (essai && toutesEgales(a + lt, gt - lt, r.lus))) {
                std::sort(a + lt, a + gt, parPosition);
                continue;
            }
            const int32_t nb = std::min(m_parCle, kBorneContexte - r.lus);
            for (size_t k = lt; k < gt; ++k) {
                if (k + 8 < gt)
                    __builtin_prefetch(m_t + a[k + 8].cur + m_sens);
                lit(a[k], nb);
            }
            pile.push_back({r.debut + lt, r.debut + gt, r.lus + nb});
        }
        return true;
    }

  private:
    static uint64_t mediane(uint64_t a, uint64_t b, uint64_t c) {
        if (a > b)
            std::swap(a, b);
        return c <= a ? a : (c >= b ? b : c);
    }

    // <0, 0, >0 from the keys on (their last article is the `lus`-th), reading no further
    // than the bound. While both contexts hold the same items, or items that are both
    // skipped, no rank is looked up: the copies of a repeated passage compare at the speed
    // of a memory walk.
    int compare(const Element &x, const Element &y, int32_t lus) const {
        if (x.cle != y.cle)
            return x.cle < y.cle ? -1 : 1;
        if ((x.cle & m_masque) == 0)
            return 0;
        int32_t a = x.cur, b = y.cur;
        while (lus < kBorneContexte) {
            const int32_t na = a + m_sens, nb = b + m_sens;
            const bool dansA = na >= 0 && na < m_nbitem, dansB = nb >= 0 && nb < m_nbitem;
            if (!dansA || !dansB) {
                if (!dansA && !dansB)
                    return 0;
                break;
            }
            const int32_t ca = m_t[na], cb = m_t[nb];
            if (ca == cb) {
                lus += ca <= m_codeMax ? 1 : 0;
            } else if (ca <= m_codeMax || cb <= m_codeMax) {
                break;
            }
            a = na;
            b = nb;
        }
        for (; lus < kBorneContexte; ++lus) {
            const int32_t ka = avance(a), kb = avance(b);
            if (ka != kb)
                return ka < kb ? -1 : 1;
            if (ka == kBord)
                return 0;
        }
        return 0;
    }

    // True when every element of the range ties with its first one up to the bound (the
    // copies of a passage the text repeats): the range then only needs its positions sorted.
    // The contexts lie far apart in the text, so they are walked side by side: the reads of
    // one step are independent and their cache misses overlap. An element whose items stop
    // matching the first one's is compared on its own.
    bool toutesEgales(const Element *a, size_t n, int32_t lusDebut) const {
        for (size_t k = 1; k < n; ++k)
            if (a[k].cle != a[0].cle)
                return false;
        constexpr size_t kFlots = 32;
        for (size_t debut = 1; debut < n; debut += kFlots) {
            const size_t m = std::min(kFlots, n - debut);
            int32_t pos[kFlots];
            bool suit[kFlots];
            for (size_t k = 0; k < m; ++k) {
                pos[k] = a[debut + k].cur;
                suit[k] = true;
            }
            size_t suivis = m;
            bool borne = false; // the contexts still followed matched up to the bound
            int32_t p0 = a[0].cur;
            for (int32_t lus = lusDebut; lus < kBorneContexte && suivis > 0;) {
                const int32_t n0 = p0 + m_sens;
                if (n0 < 0 || n0 >= m_nbitem)
                    break; // the first context ends: the others are compared on their own
                const int32_t c0 = m_t[n0];
                const bool forme = c0 <= m_codeMax;
                for (size_t k = 0; k < m; ++k) {
                    if (!suit[k])
                        continue;
                    const int32_t nk = pos[k] + m_sens;
                    const int32_t ck = nk >= 0 && nk < m_nbitem ? m_t[nk] : kBord;
                    if (ck == c0 || (!forme && ck != kBord && ck > m_codeMax)) {
                        pos[k] = nk;
                    } else {
                        suit[k] = false;
                        --suivis;
                    }
                }
                p0 = n0;
                if (forme && ++lus >= kBorneContexte) {
                    borne = true;
                    break;
                }
            }
            for (size_t k = 0; k < m; ++k)
                if (!(borne && suit[k]) && compare(a[0], a[debut + k], lusDebut) != 0)
                    return false;
        }
        return true;
    }

    void insertion(Element *a, size_t n, int32_t lus) const {
        auto avant = [&](const Element &x, const Element &y) {
            const int c = compare(x, y, lus);
            return c != 0 ? c < 0 : x.pos < y.pos;
        };
        for (size_t i = 1; i < n; ++i) {
            Element x = a[i];
            size_t j = i;
            for (; j > 0 && avant(x, a[j - 1]); --j)
                a[j] = a[j - 1];
            a[j] = x;
        }
    }

    const int32_t *m_t;
    int32_t m_nbitem;
    int32_t m_sens;
    int32_t m_codeMax;
    std::vector<int32_t> m_rang; // alphabetical rank of each code up to codeMax
    int m_bits = 2;              // bits of a key slot
    int32_t m_parCle = 2;        // articles per key
    uint64_t m_masque = 3;       // the last slot of a key
};

} // namespace

bool OrdreContextes(const charg1 &base, std::span<const int32_t> positions, int32_t sens,
                    int32_t codeMax, std::vector<int32_t> &ordre, const Annulation *annulation) {
    ordre.clear();
    if (sens == 0) {
        ordre.resize(positions.size());
        for (size_t i = 0; i < ordre.size(); ++i)
            ordre[i] = static_cast<int32_t>(i);
        return true;
    }
    std::vector<Element> e(positions.size());
    for (size_t i = 0; i < e.size(); ++i)
        e[i] = {positions[i], positions[i], static_cast<int32_t>(i), 0};
    if (!TriMultiCle(base, sens, codeMax).trie(e, annulation))
        return false;
    ordre.resize(e.size());
    for (size_t i = 0; i < e.size(); ++i)
        ordre[i] = e[i].indice;
    return true;
}

bool TriContextes(const charg1 &base, int32_t *positions, int32_t n, int32_t sens, int32_t codeMax,
                  const Annulation *annulation) {
    if (sens == 0 || n < 2)
        return true;
    std::vector<int32_t> ordre;
    const std::span<const int32_t> source(positions, static_cast<size_t>(n));
    if (!OrdreContextes(base, source, sens, codeMax, ordre, annulation))
        return false;
    std::vector<int32_t> tries(ordre.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        tries[i] = positions[ordre[i]];
    std::copy(tries.begin(), tries.end(), positions);
    return true;
}

} // namespace morvix
