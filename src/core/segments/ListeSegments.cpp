#include "segments/ListeSegments.h"

#include "report/RapportOutils.h"
#include "segments/SegRep.h"
#include "util/TextWriter.h"

#include <algorithm>

namespace morvix {

std::vector<int32_t> OrdreSegments(const SegRep &store, ColonneSR colonne) {
    std::vector<int32_t> ordre(static_cast<size_t>(store.NbSegments()));
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = static_cast<int32_t>(i);
    const std::vector<Segment> &s = store.Segs;
    auto seg = [&s](int32_t i) -> const Segment & { return s[static_cast<size_t>(i)]; };
    switch (colonne) {
    case ColonneSR::Lg:
        std::stable_sort(ordre.begin(), ordre.end(), [&](int32_t a, int32_t b) {
            return seg(a).Formes.size() < seg(b).Formes.size();
        });
        break;
    case ColonneSR::Segment:
        if (store.Base)
            std::stable_sort(ordre.begin(), ordre.end(), [&](int32_t a, int32_t b) {
                return store.ComparAlpha(seg(a), seg(b)) < 0;
            });
        break;
    case ColonneSR::Frq:
        std::stable_sort(ordre.begin(), ordre.end(),
                         [&](int32_t a, int32_t b) { return seg(a).Frq > seg(b).Frq; });
        break;
    }
    return ordre;
}

std::string PageHtmlSegments(const SegRep &store, const std::string &titre, std::time_t date) {
    std::string out = "<html>\n<head><title>";
    AjouteHtmlEchappe(out, titre);
    out += "</title></head>\n<body bgcolor=#ffffff>\n<TABLE><TD>Corpus :";
    if (store.Base)
        AjouteHtmlEchappe(out, store.Base->NomBase());
    out += "</TD>\n<TD>Date :";
    out += DateRapport(date);
    out += "</TD>\n</TABLE>";
    AjouteHtmlEchappe(out, titre);
    out += "<br>\n<table border=1><font size=-2>\n<tr><td>Longueur<td>Segment<td>";
    out += cp1252Literal("Fréquence");
    for (int32_t k = 0; k < store.NbSegments(); ++k) {
        const Segment &s = store.Segs[static_cast<size_t>(k)];
        out += "<tr><td align=right>";
        out += std::to_string(s.Formes.size());
        out += "<td>";
        AjouteHtmlEchappe(out, store.RetourneGraphie(k));
        out += "<td align=right>";
        out += std::to_string(s.Frq);
        out += '\n';
    }
    out += "</font></table>\n</body>\n</html>";
    return out;
}

} // namespace morvix
