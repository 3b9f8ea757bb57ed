// The segment list's column orders and its report page.
#include "segments/ListeSegments.h"
#include "base/charg1.h"
#include "report/RapportOutils.h"
#include "segments/SegRep.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

using namespace morvix;

namespace {

// A store of its own: segments given by their graphies and frequencies.
struct Magasin {
    std::unique_ptr<charg1> base = test::chargeTexte("de la France des la dent <a=b> x");
    SegRep store{base.get(), {}};

    void ajoute(std::vector<const char *> formes, int32_t frq) {
        Segment s;
        for (const char *f : formes)
            s.Formes.push_back(base->LocFormDic(f, true));
        s.Frq = frq;
        store.Segs.push_back(s);
    }
    std::vector<std::string> textes(const std::vector<int32_t> &ordre) const {
        std::vector<std::string> out;
        for (int32_t k : ordre)
            out.push_back(store.RetourneGraphie(k));
        return out;
    }
};

} // namespace

TEST(OrdreSegments, EachColumnGivesOneOrderTiesInStoreOrder) {
    test::ScopedWorkDir dir;
    Magasin m;
    m.ajoute({"des", "la"}, 2);
    m.ajoute({"de", "la", "France"}, 5);
    m.ajoute({"de", "la"}, 5);
    m.ajoute({"la", "dent"}, 2);
    EXPECT_EQ(m.textes(OrdreSegments(m.store, ColonneSR::Lg)),
              (std::vector<std::string>{"des la ", "de la ", "la dent ", "de la France "}));
    EXPECT_EQ(m.textes(OrdreSegments(m.store, ColonneSR::Segment)),
              (std::vector<std::string>{"de la ", "de la France ", "des la ", "la dent "}));
    // Descending frequency, not a toggle: the same order at every call.
    const std::vector<int32_t> frq = OrdreSegments(m.store, ColonneSR::Frq);
    EXPECT_EQ(frq, (std::vector<int32_t>{1, 2, 0, 3}));
    EXPECT_EQ(OrdreSegments(m.store, ColonneSR::Frq), frq);
}

TEST(PageHtmlSegments, StoreOrderHeaderAndEscapedTexts) {
    test::ScopedWorkDir dir;
    Magasin m;
    m.ajoute({"la", "dent"}, 2);
    m.ajoute({"de", "la", "France"}, 12);
    const std::time_t date = 1765267500; // 2025-12-09 08:05 UTC
    const std::string page = PageHtmlSegments(m.store, "Segments r\xE9p\xE9t\xE9s <1>", date);
    const std::string attendu =
        "<html>\n<head><title>Segments r\xE9p\xE9t\xE9s &lt;1&gt;</title></head>\n<body "
        "bgcolor=#ffffff>\n<TABLE><TD>Corpus :p</TD>\n<TD>Date :" +
        DateRapport(date) +
        "</TD>\n</TABLE>Segments r\xE9p\xE9t\xE9s &lt;1&gt;<br>\n<table border=1><font "
        "size=-2>\n<tr><td>Longueur<td>Segment<td>Fr\xE9quence"
        "<tr><td align=right>2<td>la dent <td align=right>2\n"
        "<tr><td align=right>3<td>de la France <td align=right>12\n"
        "</font></table>\n</body>\n</html>";
    EXPECT_EQ(page, attendu);
}
