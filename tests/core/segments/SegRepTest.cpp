#include "segments/SegRep.h"
#include "base/charg1.h"
#include "groups/Tgen.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <map>
#include <memory>
#include <random>
#include <unistd.h>

using namespace morvix;

namespace {

std::unique_ptr<charg1> loadText(const std::string &text, const std::string &name = "t") {
    auto base = std::make_unique<charg1>();
    const std::string par = test::buildBase(name, text);
    EXPECT_FALSE(par.empty());
    EXPECT_EQ(base->ChargeBase(par), kChargeOk);
    return base;
}

std::set<int32_t> punctuation(const charg1 &b) {
    std::set<int32_t> s;
    for (int32_t c = b.Nbform(); c < b.Nbform() + b.Nbartponct(); ++c)
        s.insert(c);
    return s;
}

std::string text(const SegRep &store, int32_t k) { return store.RetourneGraphie(k); }

std::vector<std::string> texts(const SegRep &store) {
    std::vector<std::string> out;
    for (int32_t k = 0; k < store.NbSegments(); ++k)
        out.push_back(text(store, k));
    return out;
}

bool contains(const std::vector<std::string> &v, const std::string &s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

} // namespace

// Each case: a text, thresholds, whether punctuation stops the preceding form, and the
// segment texts that must and must not be in the store.
TEST(CalcSegRep, EmissionRule) {
    struct Case {
        const char *name;
        std::string text;
        int32_t seuilFormes, seuilSegments;
        bool punctuationDelimits;
        std::vector<std::string> present, absent;
    } cases[] = {
        {"longest of equal frequency kept",
         "x a b c . y a b c . z a b c .",
         2,
         2,
         true,
         {"a b c "},
         {"a b ", "b c "}},
        {"same preceding form: only the longer one from that form",
         "a a a q f a b . r f a b . s f a b .",
         2,
         2,
         true,
         {"f a b "},
         {"a b "}},
        {"preceding form rarer than the forms threshold",
         "a a a a q f a b . r f a b . s f a b .",
         4,
         2,
         true,
         {},
         {"a b ", "f a b "}},
        {"ticked delimiter before every occurrence",
         "a a x , a b . x , a b . x , a b .",
         3,
         3,
         true,
         {"a b "},
         {}},
        {"unticked delimiter: the form before it counts",
         "a a x , a b . x , a b . x , a b .",
         3,
         3,
         false,
         {"x a b "},
         {"a b "}},
        {"segments run across punctuation",
         "u a . b v . w a . b t . s a . b r .",
         3,
         3,
         true,
         {"a b "},
         {}},
        {"a pivot with one occurrence gives nothing", "a b c d", 1, 1, true, {}, {"a b "}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::ScopedWorkDir dir;
        auto base = loadText(c.text);
        SegRep store(base.get(), c.punctuationDelimits ? punctuation(*base) : std::set<int32_t>{});
        ASSERT_TRUE(store.CalcSegRep(c.seuilFormes, c.seuilSegments));
        auto found = texts(store);
        for (const auto &s : c.present)
            EXPECT_TRUE(contains(found, s)) << s;
        for (const auto &s : c.absent)
            EXPECT_FALSE(contains(found, s)) << s;
    }
}

TEST(CalcSegRep, ElevenFormsAtMost) {
    test::ScopedWorkDir dir;
    const std::string run = "a b c d e f g h i j k l";
    auto base = loadText("x " + run + " . y " + run + " . z " + run + " .");
    SegRep store(base.get(), punctuation(*base));
    ASSERT_TRUE(store.CalcSegRep(2, 3));
    auto found = texts(store);
    EXPECT_TRUE(contains(found, "a b c d e f g h i j k "));
    for (const Segment &s : store.Segs)
        EXPECT_LE(s.Formes.size(), 11u);
    // "b ..." is always preceded by "a".
    for (const auto &s : found)
        EXPECT_NE(s.substr(0, 2), "b ") << s;
}

// The store agrees with its file: block sizes add up, every occurrence starts the
// segment's forms (non-forms skipped), blocks ascend, the base answers the segment codes.
TEST(CalcSegRep, StoreMatchesLocFileOnSample) {
    test::ScopedWorkDir dir;
    test::writeFile("s.txt", test::readFile(MORVIX_SAMPLE));
    auto base = std::make_unique<charg1>();
    ASSERT_EQ(SegmPrinc("s.txt", kDelimiteursDefaut).code, SegmCode::Ok);
    ASSERT_EQ(base->ChargeBase("s.par"), kChargeOk);
    SegRep store(base.get(), punctuation(*base));
    int32_t gaugeCalls = 0;
    store.AttribGauge([&](int32_t) { ++gaugeCalls; });
    ASSERT_TRUE(store.CalcSegRep(5, 5));
    ASSERT_GT(store.NbSegments(), 100);
    EXPECT_GT(gaugeCalls, 50);

    int64_t total = 0;
    for (const Segment &s : store.Segs)
        total += s.Frq;
    EXPECT_EQ(test::readInt32File("s.loc.sr").size(), static_cast<size_t>(total));
    EXPECT_EQ(test::readFile("s.desc.sr").size(), 0u);

    base->AssigneSR(&store);
    EXPECT_EQ(base->NbTotEntites(), base->Nbart() + store.NbSegments());
    for (int32_t k = 0; k < store.NbSegments(); ++k) {
        const Segment &s = store.Segs[static_cast<size_t>(k)];
        std::vector<int32_t> occ = base->LocOccFor(base->Nbart() + 1 + k);
        ASSERT_EQ(occ.size(), static_cast<size_t>(s.Frq));
        ASSERT_TRUE(std::is_sorted(occ.begin(), occ.end()));
        for (int32_t p : occ) {
            size_t i = 0;
            for (int32_t q = p; q < base->Nbitem() && i < s.Formes.size(); ++q)
                if (base->Tnum(q) < base->Nbform()) {
                    ASSERT_EQ(base->Tnum(q), s.Formes[i++]) << "segment " << k << " at " << p;
                }
            ASSERT_EQ(i, s.Formes.size());
        }
    }
    EXPECT_EQ(std::string(base->RetourneGraphie(base->Nbart() + store.NbSegments(), false)),
              store.RetourneGraphie(store.NbSegments() - 1));
    base->AssigneSR(nullptr);
}

TEST(CalcSegRep, GaugeOnceBelowHundredPivotsAndFilesRewritten) {
    test::ScopedWorkDir dir;
    auto base = loadText("x a b . y a b . z a b .");
    SegRep store(base.get(), punctuation(*base));
    int32_t calls = 0;
    store.AttribGauge([&](int32_t) { ++calls; });
    ASSERT_TRUE(store.CalcSegRep(1, 2));
    EXPECT_EQ(calls, 1);
    ASSERT_TRUE(store.CalcSegRep(1, 2)); // a second run replaces the first
    EXPECT_EQ(store.NbSegments(), 1);
    EXPECT_EQ(test::readInt32File("t.loc.sr").size(), 3u);
    EXPECT_EQ(store.LocOccSeg(0).size(), 3u);
    EXPECT_NE(test::readFile("atrace.txt").find("CalcSegRep----"), std::string::npos);
}

TEST(SegRep, AlphabeticalOrderAndText) {
    test::ScopedWorkDir dir;
    auto base = loadText("de la France des");
    auto code = [&](const char *g) { return base->LocFormDic(g, true); };
    SegRep store(base.get(), {});
    store.Segs = {{{code("des"), code("la")}, 2, 0},
                  {{code("de"), code("la"), code("France")}, 2, 0},
                  {{code("de"), code("la")}, 3, 0}};
    store.TriAlpha();
    EXPECT_EQ(texts(store), (std::vector<std::string>{"de la ", "de la France ", "des la "}));
    EXPECT_EQ(store.ComparAlpha(store.Segs[0], store.Segs[0]), 1);
    EXPECT_TRUE(store.LocOccSeg(0).empty()); // no file for a store of its own
}

// A group of several forms gives, for each form, the segments it gives alone, and the
// group's occurrences stay in text order.
TEST(CalcTgenSR, GroupOfFormsMergesEachFormsSegments) {
    test::ScopedWorkDir dir;
    auto base = loadText("x a b . y a b . z a c . w c d . v c d . u a c .");
    const int32_t a = base->LocFormDic("a", true), c = base->LocFormDic("c", true);
    auto select = [&](std::vector<int32_t> codes) {
        SegRep store(base.get(), punctuation(*base));
        store.SeuilSeg = 2;
        Tgen g(base.get(), codes);
        const std::vector<int32_t> before = g.Occ;
        auto found = store.CalcTgenSR(g, true);
        EXPECT_EQ(g.Occ, before);
        EXPECT_EQ(store.NbSegments(), static_cast<int32_t>(found.size()));
        std::vector<std::vector<int32_t>> forms;
        for (const Segment &s : found)
            forms.push_back(s.Formes);
        return forms;
    };
    auto alone = select({std::min(a, c)});
    auto other = select({std::max(a, c)});
    ASSERT_FALSE(alone.empty());
    ASSERT_FALSE(other.empty());
    alone.insert(alone.end(), other.begin(), other.end());
    EXPECT_EQ(select({c, a}), alone);
    const int32_t missing = base->Nbart() - 1; // a key content: no form at its positions
    EXPECT_TRUE(select({missing}).empty());
}

// Random small texts: the store holds exactly the sequences that the rule admits,
// counted by brute force over every occurrence window.
TEST(CalcSegRep, MatchesBruteForceOnRandomTexts) {
    std::mt19937 rng(20261209);
    const char *words[] = {"a", "b", "c", "d", "e"};
    const char *signs[] = {",", ".", "\n"};
    size_t segmentsSeen = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::string t;
        const int length = 20 + static_cast<int>(rng() % 60);
        for (int i = 0; i < length; ++i) {
            t += rng() % 5 == 0 ? signs[rng() % 3] : words[rng() % (2 + round % 4)];
            t += ' ';
        }
        test::ScopedWorkDir dir;
        auto base = loadText(t);
        std::set<int32_t> delims;
        for (int32_t c = base->Nbform(); c < base->Nbform() + base->Nbartponct(); ++c)
            if (rng() % 2)
                delims.insert(c);
        const int32_t seuilFormes = 1 + static_cast<int32_t>(rng() % 3);
        const int32_t seuilSeg = 2 + static_cast<int32_t>(rng() % 2);
        SegRep store(base.get(), delims);
        ASSERT_TRUE(store.CalcSegRep(seuilFormes, seuilSeg));

        const int32_t nbform = base->Nbform(), nbitem = base->Nbitem();
        auto isForm = [&](int32_t p) { return base->Tnum(p) < nbform; };
        std::map<std::vector<int32_t>, std::vector<int32_t>> groups; // forms -> occurrences
        std::map<std::vector<int32_t>, std::set<int32_t>> lefts, nexts;
        int32_t pivots = 0;
        while (pivots < nbform && base->RetourneFrq(pivots) >= seuilFormes)
            ++pivots;
        for (int32_t p = 0; p < nbitem; ++p) {
            if (!isForm(p) || base->Tnum(p) >= pivots)
                continue;
            int32_t left = -1; // -1: none (edge or delimiter)
            for (int32_t q = p - 1; q >= 0; --q) {
                if (isForm(q)) {
                    left = base->Tnum(q);
                    break;
                }
                if (delims.count(base->Tnum(q)))
                    break;
            }
            std::vector<int32_t> forms;
            for (int32_t q = p; q < nbitem && forms.size() < 12; ++q)
                if (isForm(q))
                    forms.push_back(base->Tnum(q));
            for (size_t k = 2; k <= std::min<size_t>(11, forms.size()); ++k) {
                std::vector<int32_t> prefix(forms.begin(), forms.begin() + static_cast<long>(k));
                groups[prefix].push_back(p);
                lefts[prefix].insert(left);
                nexts[prefix].insert(k < forms.size() ? forms[k] : -1);
            }
        }
        std::map<std::vector<int32_t>, std::vector<int32_t>> expected;
        for (const auto &[forms, occ] : groups) {
            const bool leftVaries = lefts[forms].size() > 1 || lefts[forms].count(-1);
            const bool continuesAlike =
                forms.size() < 11 && nexts[forms].size() == 1 && !nexts[forms].count(-1);
            if (static_cast<int32_t>(occ.size()) >= seuilSeg && leftVaries && !continuesAlike)
                expected[forms] = occ;
        }
        std::map<std::vector<int32_t>, std::vector<int32_t>> actual;
        for (int32_t k = 0; k < store.NbSegments(); ++k) {
            const Segment &s = store.Segs[static_cast<size_t>(k)];
            EXPECT_TRUE(actual.emplace(s.Formes, store.LocOccSeg(k)).second) << "stored twice";
            EXPECT_EQ(s.Frq, static_cast<int32_t>(actual[s.Formes].size()));
            if (k > 0) {
                EXPECT_LE(store.Segs[static_cast<size_t>(k) - 1].Formes[0], s.Formes[0]);
            }
        }
        EXPECT_EQ(actual, expected) << t;
        segmentsSeen += expected.size();
    }
    EXPECT_GT(segmentsSeen, 200u);
}

// A dictionary whose alphabetical ranks are damaged (all equal, out of range) must not
// make the computation read outside its tables; the segments are still found.
TEST(CalcSegRep, DamagedRanksDoNotCrash) {
    test::ScopedWorkDir dir;
    ASSERT_EQ(test::buildBase("t", "x a b . y a b . z a b ."), "t.par");
    std::string dic = test::readFile("t.dic"), damaged;
    size_t lineStart = 0;
    while (lineStart < dic.size()) {
        size_t end = dic.find('\n', lineStart);
        std::string line = dic.substr(lineStart, end - lineStart + 1);
        size_t freqEnd = line.find_first_of(' ', line.find_first_not_of(' '));
        size_t rankStart = line.find_first_not_of(' ', freqEnd);
        size_t rankEnd = line.find(' ', rankStart);
        damaged += line.substr(0, rankStart) + "99999999" + line.substr(rankEnd);
        lineStart = end + 1;
    }
    test::writeFile("t.dic", damaged);
    charg1 base;
    ASSERT_EQ(base.ChargeBase("t.par"), kChargeOk);
    ASSERT_EQ(base.Lexg(0), 99999999);
    SegRep store(&base, punctuation(base));
    ASSERT_TRUE(store.CalcSegRep(2, 2));
    EXPECT_EQ(texts(store), std::vector<std::string>{"a b "});
}

// A second computation on the same base (here one that finds nothing) must not change
// what the store still attached to the base reads back from its file.
TEST(CalcSegRep, NewComputationLeavesTheAttachedStoreIntact) {
    test::ScopedWorkDir dir;
    auto base = loadText("x a b . y a b . z a b . w c d . v c d .");
    SegRep first(base.get(), punctuation(*base));
    ASSERT_TRUE(first.CalcSegRep(2, 2));
    ASSERT_EQ(first.NbSegments(), 2);
    const std::vector<int32_t> occ0 = first.LocOccSeg(0), occ1 = first.LocOccSeg(1);
    base->AssigneSR(&first);
    {
        SegRep second(base.get(), punctuation(*base));
        ASSERT_TRUE(second.CalcSegRep(2, 3));
        EXPECT_EQ(second.NbSegments(), 1);
        EXPECT_EQ(test::readInt32File("t.loc.sr").size(), 3u);
    }
    EXPECT_EQ(base->LocOccFor(base->Nbart() + 1), occ0);
    EXPECT_EQ(base->LocOccFor(base->Nbart() + 2), occ1);
    EXPECT_FALSE(test::fileExists("t.loc.sr.tmp"));
    base->AssigneSR(nullptr);

    // A folder that cannot be written to: failure reported, empty store.
    charg1 elsewhere;
    ASSERT_EQ(elsewhere.ChargeBase(dir.path() + "/t.par"), kChargeOk);
    ASSERT_EQ(std::system(("chmod a-w " + dir.path()).c_str()), 0);
    SegRep third(&elsewhere, {});
    const bool ok = third.CalcSegRep(2, 2);
    ASSERT_EQ(std::system(("chmod u+w " + dir.path()).c_str()), 0);
    if (geteuid() != 0) { // root writes anyway
        EXPECT_FALSE(ok);
        EXPECT_EQ(third.NbSegments(), 0);
        EXPECT_FALSE(third.Erreur().empty());
    }
}

// A cancelled computation replaces nothing: the attached store keeps answering from its
// file, the files keep their bytes, and no temporary file is left.
TEST(CalcSegRep, CancelledComputationLeavesTheStoreAndItsFiles) {
    test::ScopedWorkDir dir;
    auto base = loadText("x a b . y a b . z a b . w c d . v c d .");
    SegRep first(base.get(), punctuation(*base));
    ASSERT_TRUE(first.CalcSegRep(2, 2));
    base->AssigneSR(&first);
    const std::string loc = test::readFile("t.loc.sr");
    const std::vector<int32_t> occ0 = base->LocOccFor(base->Nbart() + 1);

    Annulation annulation;
    annulation.Demande();
    SegRep second(base.get(), punctuation(*base));
    EXPECT_FALSE(second.CalcSegRep(2, 2, &annulation));
    EXPECT_TRUE(second.Annule());
    EXPECT_EQ(second.NbSegments(), 0);
    EXPECT_EQ(test::readFile("t.loc.sr"), loc);
    EXPECT_TRUE(test::fileExists("t.desc.sr"));
    EXPECT_FALSE(test::fileExists("t.loc.sr.tmp"));
    EXPECT_FALSE(test::fileExists("t.desc.sr.tmp"));
    EXPECT_EQ(base->LocOccFor(base->Nbart() + 1), occ0);
    EXPECT_EQ(base->NbFormSup(), first.NbSegments());

    // The same object computes normally once the flag is down.
    annulation.Reinitialise();
    EXPECT_TRUE(second.CalcSegRep(2, 2, &annulation));
    EXPECT_FALSE(second.Annule());
    EXPECT_EQ(second.NbSegments(), first.NbSegments());
    base->AssigneSR(nullptr);
}

// A job and the interface read the occurrences of an attached store at once: each reader
// gets every block whole (the store's file is shared between them).
TEST(SegRep, ConcurrentReadersGetWholeBlocks) {
    test::ScopedWorkDir dir;
    test::writeFile("s.txt", test::readFile(MORVIX_SAMPLE));
    auto base = std::make_unique<charg1>();
    ASSERT_EQ(SegmPrinc("s.txt", kDelimiteursDefaut).code, SegmCode::Ok);
    ASSERT_EQ(base->ChargeBase("s.par"), kChargeOk);
    SegRep store(base.get(), punctuation(*base));
    ASSERT_TRUE(store.CalcSegRep(5, 5));
    std::vector<std::vector<int32_t>> attendu;
    for (int32_t k = 0; k < store.NbSegments(); ++k)
        attendu.push_back(store.LocOccSeg(k));
    std::atomic<int> erreurs{0};
    auto lecteur = [&](int32_t sens) {
        for (int tour = 0; tour < 3; ++tour)
            for (int32_t i = 0; i < store.NbSegments(); ++i) {
                const int32_t k = sens > 0 ? i : store.NbSegments() - 1 - i;
                if (store.LocOccSeg(k) != attendu[static_cast<size_t>(k)])
                    ++erreurs;
            }
    };
    std::thread a(lecteur, 1), b(lecteur, -1);
    a.join();
    b.join();
    EXPECT_EQ(erreurs.load(), 0);
}
