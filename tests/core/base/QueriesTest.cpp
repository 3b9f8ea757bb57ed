#include "base/charg1.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace morvix;
using test::buildBase;

namespace {

int32_t code(const charg1 &b, const char *graphy) { return b.LocFormDic(graphy, true); }

} // namespace

TEST(Queries, DictionaryLookUpsAndTheFormsOnlyLimit) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("<le=le> le chat, le.\n");
    const int32_t le = code(*b, "le");
    ASSERT_EQ(le, 0);
    const int32_t keyType = b->Nbform() + b->Nbartponct();
    const int32_t keyContent = keyType + 1;
    EXPECT_STREQ(b->RetourneGraphie(keyType, true), "");
    EXPECT_STREQ(b->RetourneGraphie(keyType, false), "le");
    EXPECT_STREQ(b->RetourneGraphie(keyContent, false), "le");
    EXPECT_EQ(b->LocFormDic("le", false), le); // the form comes first in code order
    EXPECT_EQ(b->LocFormDic(",", true), b->Nbform());
    EXPECT_EQ(b->LocFormDic("absent", false), -1);
    EXPECT_STREQ(b->RetourneGraphie(b->Nbart(), false), "");
    EXPECT_STREQ(b->RetourneGraphie(-1, false), "");

    // Out-of-range codes and positions give the documented neutral values.
    EXPECT_EQ(b->RetourneFrq(b->Nbart()), -1);
    EXPECT_EQ(b->Lexg(-5), -1);
    EXPECT_EQ(b->RetourneLexm(99).frq, 0);
    EXPECT_EQ(b->RetourneFrqAtPos(b->Nbitem()), -1);
    EXPECT_EQ(b->RetourneLexmAtPos(-1).graphie, nullptr);
    const int32_t eolPos = b->Nbitem() - 1;
    EXPECT_EQ(b->RetourneGraphieAtPos(eolPos, false), nullptr);
    EXPECT_EQ(b->RetourneFrqAtPos(eolPos), -1);
    EXPECT_EQ(b->RetourneGraphieAtPos(0, true), nullptr); // a key type
    EXPECT_STREQ(b->RetourneGraphieAtPos(0, false), "le");
    EXPECT_EQ(b->RetourneFrqAtPos(2), 2);

    b->SetInfo(le, 42);
    EXPECT_EQ(b->RetourneLexm(le).info, 42);
    b->SetInfo(-1, 7); // ignored
}

TEST(Queries, OccurrencesOfArticlesAndSegments) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("de la ville de la mer de\nla\n");
    const int32_t de = code(*b, "de"), la = code(*b, "la"), mer = code(*b, "mer");
    EXPECT_EQ(b->LocOccFor(de), (std::vector<int32_t>{0, 3, 6}));
    EXPECT_EQ(b->LocOccFor(la), (std::vector<int32_t>{1, 4, 8}));
    EXPECT_EQ(static_cast<int32_t>(b->LocOccFor(mer).size()), b->RetourneFrq(mer));
    const int32_t twice[] = {de, de, mer};
    EXPECT_EQ(b->LocOccFor(twice, 3), (std::vector<int32_t>{0, 3, 5, 6}));
    EXPECT_TRUE(b->LocOccFor(b->Nbart()).empty());

    test::StoreManuel store;
    store.segs.push_back({{de, la}, {0, 3}});
    const int32_t seg = b->Nbart() + 1;
    EXPECT_TRUE(b->LocOccFor(seg).empty()); // no store yet
    b->AssigneSR(&store);
    EXPECT_EQ(b->NbFormSup(), 1);
    EXPECT_EQ(b->NbTotEntites(), b->Nbart() + 1);
    EXPECT_EQ(b->LocOccFor(seg), (std::vector<int32_t>{0, 3}));
    EXPECT_STREQ(b->RetourneGraphie(seg, true), "de la ");
    const int32_t mixed[] = {seg, de};
    EXPECT_EQ(b->LocOccFor(mixed, 2), (std::vector<int32_t>{0, 3, 6}));

    test::StoreManuel bigger;
    bigger.segs = {store.segs[0], store.segs[0], store.segs[0]};
    b->AssigneSR(&bigger);
    EXPECT_EQ(b->NbTotEntites(), b->Nbart() + 3);

    // SetTnum keeps the occurrence index in step with the text.
    b->SetTnum(5, de);
    EXPECT_EQ(b->LocOccFor(de), (std::vector<int32_t>{0, 3, 5, 6}));
    EXPECT_TRUE(b->LocOccFor(mer).empty());
}

TEST(Queries, ContextSort) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("le chat noir. un chat blanc.\n");
    const int32_t chat = code(*b, "chat");
    std::vector<int32_t> pos = b->LocOccFor(chat);
    ASSERT_EQ(pos, (std::vector<int32_t>{1, 5}));
    b->TriCont(pos.data(), 2, 1, b->Nbform() - 1);
    EXPECT_EQ(pos, (std::vector<int32_t>{5, 1})); // blanc before noir
    b->TriCont(pos.data(), 2, -1, b->Nbform() - 1);
    EXPECT_EQ(pos, (std::vector<int32_t>{1, 5})); // le before un
    std::vector<int32_t> same = {5, 1};
    b->TriCont(same.data(), 2, 0, b->Nbform() - 1);
    EXPECT_EQ(same, (std::vector<int32_t>{5, 1}));
    EXPECT_EQ(b->Compar(5, 1, 1, b->Nbform() - 1), 1);
    EXPECT_EQ(b->Compar(1, 5, 1, b->Nbform() - 1), 0);
}

TEST(Queries, ContextSortAtTheEdgesAndWithPunctuation) {
    test::ScopedWorkDir dir;
    // Right contexts of «a»: "b", "b c", "" (end of text), "b" again.
    auto b = test::chargeTexte("a b. a b c. x a b. a");
    const int32_t a = code(*b, "a");
    const int32_t formsOnly = b->Nbform() - 1;
    std::vector<int32_t> pos = b->LocOccFor(a);
    ASSERT_EQ(pos, (std::vector<int32_t>{0, 3, 8, 11}));
    // Forms only: 11 reaches the edge at once, 8 ("b a") before 0 ("b a b c ..."), and
    // 0 before 3 ("b c ..."); the input order never matters.
    for (auto input : {pos, std::vector<int32_t>{11, 8, 3, 0}, std::vector<int32_t>{3, 11, 0, 8}}) {
        b->TriCont(input.data(), 4, 1, formsOnly);
        EXPECT_EQ(input, (std::vector<int32_t>{11, 8, 0, 3}));
    }
    // Punctuation counted ('.' ranks after the forms): "b c" precedes "b . a", which ends
    // before "b . a b".
    std::vector<int32_t> withPunct = pos;
    b->TriCont(withPunct.data(), 4, 1, b->Nbform() + b->Nbartponct() - 1);
    EXPECT_EQ(withPunct, (std::vector<int32_t>{11, 3, 8, 0}));
    EXPECT_EQ(b->ComparContextes(pos.back(), pos.back(), 1, formsOnly), 0);
}

TEST(Queries, SampleCorpusRoundTrip) {
    test::ScopedWorkDir dir;
    std::string text = test::readFile(MORVIX_SAMPLE);
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(buildBase("sample", text), "sample.par");
    charg1 b;
    ASSERT_EQ(b.ChargeBase("sample.par"), kChargeOk) << b.Erreur();
    EXPECT_GT(b.Nbform(), 10000);
    EXPECT_GT(b.Nbcle(), 2);

    // Every stored frequency is the number of occurrences in the text, forms come in
    // lexicometric order, and the ranks are a permutation of the codes.
    int64_t formOcc = 0;
    int32_t hapax = 0;
    std::vector<bool> rankSeen(static_cast<size_t>(b.Nbart()), false);
    for (int32_t c = 0; c < b.Nbart(); ++c) {
        ASSERT_EQ(static_cast<int32_t>(b.OccArticle(c).size()), b.RetourneFrq(c)) << c;
        if (c < b.Nbform()) {
            formOcc += b.RetourneFrq(c);
            hapax += b.RetourneFrq(c) == 1;
        }
        if (c > 0 && c < b.Nbform()) {
            bool ordered = b.RetourneFrq(c - 1) > b.RetourneFrq(c) ||
                           (b.RetourneFrq(c - 1) == b.RetourneFrq(c) && b.Lexg(c - 1) < b.Lexg(c));
            ASSERT_TRUE(ordered) << c;
        }
        int32_t r = b.Lexg(c);
        ASSERT_TRUE(r >= 0 && r < b.Nbart() && !rankSeen[static_cast<size_t>(r)]);
        rankSeen[static_cast<size_t>(r)] = true;
        // The lowest code of a graphy (a key content may repeat a form).
        int32_t found = b.LocFormDic(b.RetourneGraphie(c, false), false);
        ASSERT_TRUE(found == c || (found < c && c >= b.Nbform() + b.Nbartponct())) << c;
    }
    EXPECT_EQ(formOcc, b.Nbocc());
    EXPECT_EQ(hapax, b.Nhap());
    EXPECT_EQ(b.Fmax(), b.RetourneFrq(0));
    EXPECT_STREQ(b.RetourneGraphie(0, true), "de");

    // The occurrence index agrees with a scan of the text.
    const int32_t probe = b.LocFormDic("Zadig", true);
    ASSERT_GE(probe, 0);
    std::vector<int32_t> scan;
    for (int32_t p = 0; p < b.Nbitem(); ++p)
        if (b.Tnum(p) == probe)
            scan.push_back(p);
    EXPECT_EQ(b.LocOccFor(probe), scan);
}

namespace {

// What a loading gives: every item, the line count, every article's occurrences and the
// number of gauge calls.
struct Loaded {
    std::vector<int32_t> items;
    int32_t lines = 0;
    std::vector<std::vector<int32_t>> occurrences;
    int32_t gaugeCalls = 0;
    bool operator==(const Loaded &) const = default;
};

Loaded loadInSlices(const std::string &par, size_t slices) {
    charg1 b;
    Loaded l;
    b.AttribTranches(slices);
    b.AttribGauge([&](int32_t) { ++l.gaugeCalls; });
    EXPECT_EQ(b.ChargeBase(par), kChargeOk) << b.Erreur();
    l.items.assign(b.TnumData().begin(), b.TnumData().end());
    l.lines = b.NbLignes();
    for (int32_t c = 0; c < b.Nbart(); ++c)
        l.occurrences.push_back(b.LocOccFor(c));
    return l;
}

} // namespace

TEST(Queries, LoadingInSlicesGivesTheSameBase) {
    test::ScopedWorkDir dir;
    ASSERT_EQ(buildBase("sample", test::readFile(MORVIX_SAMPLE)), "sample.par");
    // Short lines, punctuation and tags, so that slice edges fall on every kind of item.
    std::mt19937 rng(20261210);
    const std::vector<std::string> pieces = {"le ", "la ", "de ",    "chat ",  ", ",  ". ",
                                             "\n",  "\n",  "<a=x> ", "<a=y> ", "mer "};
    std::string text = "<a=x> ";
    for (int i = 0; i < 5000; ++i)
        text += pieces[rng() % pieces.size()];
    ASSERT_EQ(buildBase("hasard", text), "hasard.par");

    for (const char *par : {"sample.par", "hasard.par"}) {
        const Loaded reference = loadInSlices(par, 1);
        ASSERT_GT(reference.lines, 0);
        for (size_t slices : {2, 3, 7, 64})
            EXPECT_TRUE(loadInSlices(par, slices) == reference) << par << " " << slices;
    }
}
