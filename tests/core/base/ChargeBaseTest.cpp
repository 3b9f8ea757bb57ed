#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace morvix;
using test::buildBase;
using test::readFile;
using test::writeFile;

namespace {

std::unique_ptr<charg1> load(const std::string &par, int *rc = nullptr) {
    auto b = std::make_unique<charg1>();
    int r = b->ChargeBase(par);
    if (rc)
        *rc = r;
    return b;
}

void writeInt32(const std::string &path, const std::vector<int32_t> &v) {
    std::string bytes;
    for (int32_t x : v)
        for (int k = 0; k < 4; ++k)
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(x) >> (8 * k)) & 0xFF));
    writeFile(path, bytes);
}

} // namespace

TEST(ChargeBase, LeChatInMemory) {
    test::ScopedWorkDir dir;
    ASSERT_EQ(buildBase("t", "Le chat.\n"), "t.par");
    auto b = load("t.par");
    EXPECT_EQ(b->Nbitem(), 4);
    EXPECT_EQ(b->Nbart(), 3);
    EXPECT_EQ(b->Nbform(), 2);
    EXPECT_EQ(b->Nbartponct(), 1);
    EXPECT_EQ(b->NbLignes(), 1);
    EXPECT_EQ(b->NbTotEntites(), 3);
    EXPECT_EQ(b->NomBase(), "t");
    std::vector<int32_t> tnum(b->TnumData().begin(), b->TnumData().end());
    EXPECT_EQ(tnum, (std::vector<int32_t>{0, 1, 2, 5000002}));
    std::string trace = readFile("atrace.txt");
    EXPECT_EQ(trace.rfind("LecParam\r\n\r\n4 4 3 2 2 1 2 5000000 1 0 0", 0), 0u) << trace;
    EXPECT_NE(trace.find("Allocation de lexm r\xE9ussie, 64 octets"), std::string::npos);
    EXPECT_NE(trace.find("Dictionnaire num\xE9ris\xE9 : t.dic"), std::string::npos);
}

TEST(ChargeBase, EndsOfLineAreNumberedAndBaseNameReadToTheEnd) {
    test::ScopedWorkDir dir;
    ASSERT_FALSE(buildBase("t", "a\nb\nc\n").empty());
    // A .par whose first line lacks its line feed still names the base.
    std::string par = readFile("t.par");
    writeFile("u.par", par);
    auto b = load("u.par");
    EXPECT_EQ(b->Tnum(1), 5000002);
    EXPECT_EQ(b->Tnum(3), 5000003);
    EXPECT_EQ(b->Tnum(5), 5000004);
    EXPECT_EQ(b->NbLignes(), 3);

    writeFile("nolf.par", "t");
    int rc = 0;
    auto c = load("nolf.par", &rc);
    EXPECT_EQ(rc, kChargeParam); // no counts at all
    EXPECT_EQ(c->NomBase(), "t");
}

TEST(ChargeBase, BaseFilesAreFoundBesideTheParFile) {
    test::ScopedWorkDir dir;
    std::filesystem::create_directory("sub");
    std::filesystem::current_path("sub");
    ASSERT_FALSE(buildBase("t", "un deux\n").empty());
    std::filesystem::current_path("..");
    int rc = -1;
    auto b = load("sub/t.par", &rc);
    EXPECT_EQ(rc, kChargeOk) << b->Erreur();
    EXPECT_EQ(b->Nbform(), 2);
}

TEST(ChargeBase, DamagedBasesGiveTheirErrorCode) {
    test::ScopedWorkDir dir;
    ASSERT_FALSE(buildBase("t", "un deux, trois.\nun quatre\n").empty());
    const std::string par = readFile("t.par"), dic = readFile("t.dic"), num = readFile("t.num");
    auto restore = [&] {
        writeFile("t.par", par);
        writeFile("t.dic", dic);
        writeFile("t.num", num);
    };
    struct Case {
        const char *what;
        std::function<void()> damage;
        int rc;
        const char *message;
    } cases[] = {
        {"missing .par", [] { std::filesystem::remove("t.par"); }, kChargeParam, "ne peut"},
        {"ten integers", [] { writeFile("t.par", "t\r\n9 9 6 6 4 2 3 5000000 2 0\r\n"); },
         kChargeParam, "10 entiers lus sur 11"},
        {"negative count", [] { writeFile("t.par", "t\r\n9 9 -6 6 4 2 3 5000000 2 0 0\r\n"); },
         kChargeParam, "incoh"},
        {"groups beyond the articles",
         [] { writeFile("t.par", "t\r\n9 9 5 6 4 2 3 5000000 2 1 0\r\n"); }, kChargeParam, "incoh"},
        {"missing .dic", [] { std::filesystem::remove("t.dic"); }, kChargeDico, "ne peut"},
        {"short .dic", [&] { writeFile("t.dic", dic.substr(0, dic.rfind(" 1 "))); }, kChargeDico,
         "5 articles lus sur 6"},
        {"missing .num", [] { std::filesystem::remove("t.num"); }, kChargeTexte, "ne peut"},
        {"short .num", [&] { writeFile("t.num", num.substr(0, num.size() - 6)); }, kChargeTexte,
         "7 items lus sur 9"},
        {"code outside the dictionary",
         [] {
             writeInt32("t.num", {0, 1, 7, 2, 3, 4, 5, 6, 0});
         },
         kChargeTexte, "code 7"},
        {"delimiter without article",
         [] {
             writeInt32("t.num", {0, 1, 4999999 - 'x', 2, 3, 4, 5, 6, 0});
         },
         kChargeTexte, "hors du dictionnaire"},
        {"special code 4999742 + 1",
         [] {
             writeInt32("t.num", {0, 1, 4999743, 2, 3, 4, 5, 6, 0});
         },
         kChargeTexte, "hors du dictionnaire"},
    };
    for (const Case &c : cases) {
        restore();
        c.damage();
        int rc = -1;
        auto b = load("t.par", &rc);
        EXPECT_EQ(rc, c.rc) << c.what;
        EXPECT_NE(b->Erreur().find(c.message), std::string::npos) << c.what << ": " << b->Erreur();
    }
    restore();
    int rc = -1;
    load("t.par", &rc);
    EXPECT_EQ(rc, kChargeOk);
}

TEST(ChargeBase, GaugeIsCalledAboutAHundredTimesPerPhase) {
    test::ScopedWorkDir dir;
    std::string text;
    for (int i = 0; i < 1234; ++i)
        text += "mot" + std::to_string(i) + " ";
    ASSERT_FALSE(buildBase("t", text).empty());
    for (const char *par : {"t.par"}) {
        charg1 b;
        int calls[2] = {0, 0};
        b.AttribGauge([&](int32_t phase) { ++calls[phase]; });
        ASSERT_EQ(b.ChargeBase(par), kChargeOk);
        EXPECT_EQ(calls[0], 1234 / 12); // step 12: after records 12, 24, ... 1224
        EXPECT_EQ(calls[1], 1234 / 12);
    }
    // Fewer than 100 records: one call, after the first.
    ASSERT_FALSE(buildBase("s", "a b c").empty());
    charg1 s;
    int calls[2] = {0, 0};
    s.AttribGauge([&](int32_t phase) { ++calls[phase]; });
    ASSERT_EQ(s.ChargeBase("s.par"), kChargeOk);
    EXPECT_EQ(calls[0], 1);
    EXPECT_EQ(calls[1], 1);
}

TEST(ChargeBase, TextsWithoutFormsLoad) {
    test::ScopedWorkDir dir;
    // An empty text stores -1 as the code of its last article.
    for (const char *text : {"", "\n\n", ". , ;\n<a=b>\n"}) {
        ASSERT_FALSE(buildBase("e", text).empty()) << text;
        int rc = -1;
        auto b = load("e.par", &rc);
        EXPECT_EQ(rc, kChargeOk) << text << b->Erreur();
        EXPECT_EQ(b->Nbform(), 0);
        EXPECT_EQ(b->Fmax(), 0);
    }
}

TEST(ChargeBase, CountsBeyondTheFilesDoNotReserveMemory) {
    test::ScopedWorkDir dir;
    ASSERT_FALSE(buildBase("t", "un deux\n").empty());
    // Counts far beyond the sizes of the .dic and .num files are reported as short files.
    writeFile("t.par", "t\r\n2000000000 3 2000000000 2 2 1 2 2100000000 0 0 0 0 0\r\n");
    int rc = -1;
    auto b = load("t.par", &rc);
    EXPECT_EQ(rc, kChargeParam); // Limd + 2 + Nbitem overflows
    writeFile("t.par", "t\r\n1000000000 3 1000000000 2 2 1 2 1100000000 0 0 0 0 0\r\n");
    b = load("t.par", &rc);
    EXPECT_EQ(rc, kChargeDico);
    EXPECT_NE(b->Erreur().find("2 articles lus sur 1000000001"), std::string::npos) << b->Erreur();
}
