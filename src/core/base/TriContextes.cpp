#include "base/TriContextes.h"

#include "base/charg1.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace morvix {

namespace {

constexpr int32_t kBord = INT32_MIN; // the edge of the text, before every rank
constexpr size_t kPetit = 12;        // below this, insertion sort
constexpr size_t kPasAnnulation = 1 << 14;

// One position being sorted: `cur` is the last context article read, `cle` its rank (the
// key at the depth of the range that holds the element).
struct Element {
    int32_t pos;
    int32_t cur;
    int32_t cle;
    int32_t indice;
};

// A range of elements whose keys are those of the article at `profondeur` (0: the first
// article of the context).
struct Tranche {
    size_t debut, fin;
    int32_t profondeur;
};

// Multikey quicksort: each range is split three ways on the rank of one context article;
// the equal part goes on with the next article, so that a common stretch of contexts is read
// once per element rather than once per comparison.
class TriMultiCle {
  public:
    TriMultiCle(const charg1 &base, int32_t sens, int32_t codeMax)
        : m_t(base.TnumData().data()), m_nbitem(base.Nbitem()), m_sens(sens < 0 ? -1 : 1),
          m_codeMax(codeMax) {
        const int64_t taille = std::min<int64_t>(int64_t{codeMax} + 1, base.Nbart());
        m_rang.resize(static_cast<size_t>(std::max<int64_t>(taille, 0)));
        for (size_t c = 0; c < m_rang.size(); ++c)
            m_rang[c] = base.Lexg(static_cast<int32_t>(c));
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

    bool trie(std::vector<Element> &e, const Annulation *annulation) const {
        if (Annulee(annulation))
            return false;
        for (Element &x : e)
            x.cle = avance(x.cur);
        std::vector<Tranche> pile;
        pile.push_back({0, e.size(), 0});
        size_t travail = 0;
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
                insertion(a, n, r.profondeur);
                continue;
            }
            const int32_t pivot = mediane(a[0].cle, a[n / 2].cle, a[n - 1].cle);
            size_t lt = 0, i = 0, gt = n;
            while (i < gt) {
                const int32_t k = a[i].cle;
                if (k < pivot)
                    std::swap(a[lt++], a[i++]);
                else if (k > pivot)
                    std::swap(a[i], a[--gt]);
                else
                    ++i;
            }
            pile.push_back({r.debut, r.debut + lt, r.profondeur});
            pile.push_back({r.debut + gt, r.fin, r.profondeur});
            if (gt - lt < 2)
                continue;
            if (pivot == kBord || r.profondeur + 1 >= kBorneContexte) {
                std::sort(a + lt, a + gt,
                          [](const Element &x, const Element &y) { return x.pos < y.pos; });
                continue;
            }
            for (size_t k = lt; k < gt; ++k)
                a[k].cle = avance(a[k].cur);
            pile.push_back({r.debut + lt, r.debut + gt, r.profondeur + 1});
        }
        return true;
    }

  private:
    static int32_t mediane(int32_t a, int32_t b, int32_t c) {
        if (a > b)
            std::swap(a, b);
        return c <= a ? a : (c >= b ? b : c);
    }

    // <0, 0, >0 from the keys at `profondeur` on, reading no further than the bound.
    int compare(const Element &x, const Element &y, int32_t profondeur) const {
        int32_t kx = x.cle, ky = y.cle, cx = x.cur, cy = y.cur;
        for (int32_t d = profondeur;;) {
            if (kx != ky)
                return kx < ky ? -1 : 1;
            if (kx == kBord || ++d >= kBorneContexte)
                return 0;
            kx = avance(cx);
            ky = avance(cy);
        }
    }

    void insertion(Element *a, size_t n, int32_t profondeur) const {
        auto avant = [&](const Element &x, const Element &y) {
            const int c = compare(x, y, profondeur);
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
        e[i] = {positions[i], positions[i], 0, static_cast<int32_t>(i)};
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
