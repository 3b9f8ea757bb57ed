#include "corpus/Section.h"

#include "base/charg1.h"

#include <algorithm>

namespace morvix {

Section::Section(const charg1 &base, const int32_t *delims, int32_t n)
    : Base(&base), Delims(delims, delims + std::max(n, 0)), NbDelims(std::max(n, 0)) {
    // The count comes from the scan itself, so that a code given twice or a code that is not
    // an article cannot leave entries of Debuts unset.
    std::vector<char> estDelim(static_cast<size_t>(std::max(base.Nbart(), 0)), 0);
    for (int32_t c : Delims)
        if (c >= 0 && c < base.Nbart())
            estDelim[static_cast<size_t>(c)] = 1;
    const int32_t nbitem = base.Nbitem();
    const int32_t nbart = base.Nbart();
    const int32_t *t = base.TnumData().data();
    for (int32_t p = 0; p < nbitem; ++p) {
        const int32_t c = t[p];
        if (static_cast<uint32_t>(c) < static_cast<uint32_t>(nbart) &&
            estDelim[static_cast<size_t>(c)])
            Debuts.push_back(p + 1);
    }
    NbSections = static_cast<int32_t>(Debuts.size());
    Debuts.push_back(nbitem);
}

int32_t Section::NbFormesSect(int32_t s) const {
    if (horsLimites(s))
        return 0;
    const int32_t *t = Base->TnumData().data();
    const auto nbform = static_cast<uint32_t>(Base->Nbform());
    int32_t n = 0;
    for (int32_t p = Debuts[static_cast<size_t>(s)]; p < Debuts[static_cast<size_t>(s) + 1]; ++p)
        n += static_cast<uint32_t>(t[p]) < nbform;
    return n;
}

int32_t Section::FrqCodeSect(int32_t code, int32_t s) const {
    if (horsLimites(s))
        return 0;
    // Only articles stand at positions of the text.
    auto occ = Base->OccArticle(code);
    return FrqTgenSect(occ.data(), static_cast<int32_t>(occ.size()), s);
}

int32_t Section::FrqTgenSect(const int32_t *occ, int32_t n, int32_t s) const {
    if (horsLimites(s) || n <= 0)
        return 0;
    const int32_t *end = occ + n;
    const int32_t *lo = std::lower_bound(occ, end, Debuts[static_cast<size_t>(s)]);
    const int32_t *hi = std::lower_bound(lo, end, Debuts[static_cast<size_t>(s) + 1]);
    return static_cast<int32_t>(hi - lo);
}

} // namespace morvix
