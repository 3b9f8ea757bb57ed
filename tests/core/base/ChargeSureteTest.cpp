// The loader believes nothing that the files contradict, never reads another folder's base,
// stops cleanly when cancelled, and answers two threads at once.
#include "base/charg1.h"

#include "BaseTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

using namespace morvix;
using test::readFile;
using test::writeFile;

namespace {

int load(const std::string &par, std::string *error = nullptr) {
    charg1 b;
    int rc = b.ChargeBase(par);
    if (error)
        *error = b.Erreur();
    return rc;
}

// The .par of t with line 2 field `field` (0-based) replaced by `value`.
std::string parWith(const std::string &par, int field, const std::string &value) {
    size_t start = par.find('\n') + 1;
    size_t end = par.find('\r', start);
    std::vector<std::string> fields;
    std::string line = par.substr(start, end - start), f;
    for (char c : line + " ") {
        if (c == ' ') {
            fields.push_back(f);
            f.clear();
        } else {
            f += c;
        }
    }
    fields[static_cast<size_t>(field)] = value;
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i)
        joined += (i ? " " : "") + fields[i];
    return par.substr(0, start) + joined + par.substr(end);
}

} // namespace

TEST(ChargeSurete, CountsThatTheFilesContradictAreADamagedBase) {
    test::ScopedWorkDir dir;
    // Forms: un 3, deux 2, trois 1, quatre 1 -> Nbocc 7, Fmax 3, Nhap 2.
    ASSERT_EQ(test::buildBase("t", "un deux, trois.\nun quatre un deux\n"), "t.par");
    const std::string par = readFile("t.par"), dic = readFile("t.dic"), num = readFile("t.num");
    struct Case {
        const char *what;
        std::function<void()> damage;
        int rc;
        const char *message;
    } cases[] = {
        {"item count beyond the .num", [&] { writeFile("t.par", parWith(par, 0, "1000")); },
         kChargeTexte, "incomplet"},
        {"item count below the .num", [&] { writeFile("t.par", parWith(par, 0, "10")); },
         kChargeTexte, "en annonce 10"},
        {"false Nbocc", [&] { writeFile("t.par", parWith(par, 3, "6")); }, kChargeParam, "Nbocc 6"},
        {"false Fmax", [&] { writeFile("t.par", parWith(par, 5, "9")); }, kChargeParam, "Fmax 9"},
        {"false Nhap", [&] { writeFile("t.par", parWith(par, 6, "1")); }, kChargeParam, "Nhap 1"},
        {"negative frequency",
         [&] {
             std::string d = dic;
             d.replace(d.find(" 3 "), 3, "-42");
             writeFile("t.dic", d);
         },
         kChargeDico, "-42"},
        {"frequency the text does not hold",
         [&] {
             // «trois» and «quatre» swap frequencies 1 and 1 -> still sound; make one 2, the
             // other 0 instead, which keeps Nbocc but not the text's counts.
             std::string d = dic;
             size_t third = d.find("\r\n", d.find("\r\n") + 2) + 2;
             d.replace(third + 1, 1, "2");
             size_t fourth = d.find("\r\n", third) + 2;
             d.replace(fourth + 1, 1, "0");
             writeFile("t.dic", d);
             writeFile("t.par", parWith(par, 6, "0"));
         },
         kChargeTexte, "occurrences de l'article"},
    };
    for (const Case &c : cases) {
        writeFile("t.par", par);
        writeFile("t.dic", dic);
        writeFile("t.num", num);
        c.damage();
        std::string error;
        EXPECT_EQ(load("t.par", &error), c.rc) << c.what << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    }
}

TEST(ChargeSurete, ParNamingAnotherFolderIsDamaged) {
    test::ScopedWorkDir dir;
    std::filesystem::create_directory("autre");
    std::filesystem::current_path("autre");
    ASSERT_FALSE(test::buildBase("b", "un deux\n").empty());
    std::filesystem::current_path("..");
    ASSERT_FALSE(test::buildBase("x", "trois quatre cinq\n").empty());
    const std::string par = readFile("x.par");
    for (const char *name : {"autre/b", "../autre/b", "..", "/tmp/b"}) {
        writeFile("x.par", name + par.substr(par.find('\r')));
        std::string error;
        EXPECT_EQ(load("x.par", &error), kChargeParam) << name;
        EXPECT_NE(error.find("endommag"), std::string::npos) << error;
    }
    // A renamed base: the message names the .par and the base it holds.
    writeFile("x.par", "absente" + par.substr(par.find('\r')));
    std::string error;
    EXPECT_EQ(load("x.par", &error), kChargeDico);
    EXPECT_NE(error.find("x.par"), std::string::npos) << error;
    EXPECT_NE(error.find("absente"), std::string::npos) << error;
}

TEST(ChargeSurete, CancelledLoadingLeavesAnEmptyUsableBase) {
    test::ScopedWorkDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "mot" + std::to_string(i % 300) + " ";
    ASSERT_FALSE(test::buildBase("t", text + "\n").empty());
    for (int phase : {0, 1}) {
        charg1 b;
        Annulation flag;
        b.AttribAnnulation(&flag);
        b.AttribGauge([&](int32_t p) {
            if (p == phase)
                flag.Demande();
        });
        EXPECT_EQ(b.ChargeBase("t.par"), kChargeAnnule) << phase;
        EXPECT_EQ(b.Nbitem(), 0);
        EXPECT_EQ(b.Nbart(), 0);
        EXPECT_TRUE(b.LocOccFor(0).empty());
        EXPECT_STREQ(b.RetourneGraphie(0, false), "");
        EXPECT_EQ(b.LocFormDic("mot1", true), -1);
        EXPECT_EQ(b.RetourneFrqAtPos(0), -1);
    }
}

// A background job and the interface query the open base at once.
TEST(ChargeSurete, QueriesFromTwoThreadsAtOnce) {
    test::ScopedWorkDir dir;
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "mot" + std::to_string(i % 500) + " de la, ";
    auto b = test::chargeTexte(text);
    test::StoreManuel store;
    const int32_t de = b->LocFormDic("de", true), la = b->LocFormDic("la", true);
    store.segs.push_back({{de, la}, {1, 5}});
    store.segs.push_back({{la, de}, {2}});
    b->AssigneSR(&store);
    b->SetTnum(0, b->Tnum(0)); // the occurrence index is rebuilt on the first query

    auto work = [&](int32_t seed, std::vector<std::string> &out) {
        for (int round = 0; round < 200; ++round) {
            const std::string form = "mot" + std::to_string((seed + round) % 500);
            const int32_t code = b->LocFormDic(form, true);
            std::string line = form + ":" + std::to_string(b->LocOccFor(code).size()) + ":";
            const int32_t seg = b->Nbart() + 1 + round % 2;
            line += b->RetourneGraphie(seg, false);
            out.push_back(line);
        }
    };
    std::vector<std::string> first, second, alone1, alone2;
    std::thread t1(work, 0, std::ref(first)), t2(work, 250, std::ref(second));
    t1.join();
    t2.join();
    work(0, alone1);
    work(250, alone2);
    EXPECT_EQ(first, alone1);
    EXPECT_EQ(second, alone2);
    EXPECT_EQ(first[0], "mot0:8:de la ");
}

TEST(ChargeSurete, CodeOutsideTheDictionaryIsReportedAtItsFirstPositionInEverySlicing) {
    test::ScopedWorkDir dir;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "un deux, trois.\n";
    ASSERT_EQ(test::buildBase("t", text), "t.par");
    std::string num = readFile("t.num");
    const int32_t bad = 0x7fff0000;
    const size_t items = num.size() / 4;
    for (size_t at : {items - 3, size_t{5}, items / 2})
        std::memcpy(&num[at * 4], &bad, 4);
    writeFile("t.num", num);
    for (size_t slices : {1, 2, 5, 64}) {
        charg1 b;
        b.AttribTranches(slices);
        EXPECT_EQ(b.ChargeBase("t.par"), kChargeTexte);
        EXPECT_NE(b.Erreur().find("à la position 5."), std::string::npos)
            << slices << ": " << b.Erreur();
        EXPECT_EQ(b.Nbitem(), 0);
    }
}
