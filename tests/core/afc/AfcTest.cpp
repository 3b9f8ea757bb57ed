// The exchange with the analysis program: the table written, the run, the files read back.
#include "afc/EcritCoran.h"
#include "afc/LanceAfc.h"
#include "afc/TListePoints.h"

#include "TestSupport.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"
#include "segments/SegRep.h"
#include "util/Annulation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace morvix;
using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::ScopedWorkDir;
using morvix::test::writeFile;

namespace {

std::vector<std::string> lignes(const std::string &s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string l;
    while (std::getline(in, l)) {
        EXPECT_FALSE(l.empty() || l.back() != '\r') << "line without CR LF: " << l;
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        out.push_back(l);
    }
    return out;
}

// A base of three authors in the current folder and its partition on "auteur".
struct BaseTest {
    explicit BaseTest(const std::string &texte) {
        writeFile("t.txt", texte);
        EXPECT_TRUE(SegmPrinc("t.txt", kDelimiteursDefaut).ok());
        EXPECT_EQ(base.ChargeBase("t.par"), kChargeOk);
        partition = std::make_unique<Partition>(base, Partition::CodeCle(base, "auteur"));
    }
    charg1 base;
    std::unique_ptr<Partition> partition;
};

const char *const kTexte = "<auteur=Hugo> le chat dort le chat dort une anticonstitutionnellement\n"
                           "<auteur=Sand> le chien mange le chien dort le chat\n"
                           "<auteur=Zola> le chat mange le chien mange le chien dort\n";

} // namespace

TEST(EcritCoranDon, WritesTheTableLineByLine) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    const Partition &p = *b.partition;
    ASSERT_EQ(p.NbParties, 3);
    ParamAfc param = ParamAfcInitiaux(p);
    EXPECT_EQ(param.Titre, "t : auteur");
    EXPECT_EQ(param.NF, 2);
    param.FrqMin = 1;
    param.NI = NbFormesAuMoins(b.base, 1);
    std::string erreur;
    ASSERT_TRUE(EcritCoranDon("coran.don", p, param, erreur)) << erreur;
    std::vector<std::string> l = lignes(readFile("coran.don"));
    ASSERT_EQ(l.size(), static_cast<size_t>(6 + param.NI));
    EXPECT_EQ(l[0], "t : auteur");
    EXPECT_EQ(l[1], "   " + std::to_string(param.NI) + "   3   5   1   0");
    EXPECT_EQ(l[2], "   0   1   2");
    EXPECT_EQ(l[3], "111");
    EXPECT_EQ(l[4], "(6x,5A4,3F5.0)");
    // Row 0: "le", the most frequent form: 2, 3 and 3 times.
    EXPECT_EQ(l[5], "    0 le                      2    3    3");
    std::string longue;
    for (size_t i = 5; i < 5 + static_cast<size_t>(param.NI); ++i)
        if (l[i].find("anticonstitut") != std::string::npos)
            longue = l[i];
    EXPECT_EQ(longue.substr(6, 20), "anticonstitutionnell");
    EXPECT_EQ(longue.substr(26), "    1    0    0");
    EXPECT_EQ(l.back(), "   2   0   0   4 150   0   0");

    // Mode 1, the second part not ticked; a title typed over two lines stays one.
    b.partition->Cochee[1] = false;
    EXPECT_EQ(NbPartiesNonCochees(p), 1);
    param.Mode = 1;
    param.Titre = "deux\r\nlignes";
    ASSERT_TRUE(EcritCoranDon("coran.don", p, param, erreur));
    l = lignes(readFile("coran.don"));
    EXPECT_EQ(l[0], "deux  lignes");
    EXPECT_EQ(l[3], "121");
}

TEST(EcritCoranDon, SupplementaryRowsAreTheSegmentsAtOrAboveTheMinimum) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    SegRep store(&b.base, {});
    ASSERT_TRUE(store.CalcSegRep(2, 2));
    b.base.AssigneSR(&store);
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    param.FrqMin = 3;
    param.NI = NbFormesAuMoins(b.base, 3);
    std::string erreur;
    ASSERT_TRUE(EcritCoranDon("coran.don", *b.partition, param, erreur)) << erreur;
    std::vector<std::string> l = lignes(readFile("coran.don"));
    const size_t nf = 5 + static_cast<size_t>(param.NI);
    std::vector<int32_t> attendus;
    for (int32_t k = 0; k < store.NbSegments(); ++k)
        if (store.FrqSeg(k) >= 3)
            attendus.push_back(b.base.Nbart() + 1 + k);
    ASSERT_FALSE(attendus.empty());
    ASSERT_EQ(l.size(), nf + 1 + attendus.size());
    for (size_t k = 0; k < attendus.size(); ++k) {
        const std::string &r = l[nf + 1 + k];
        EXPECT_EQ(std::stoi(r.substr(0, 5)), attendus[k]);
        std::string graphie = b.base.RetourneGraphie(attendus[k], false);
        graphie.resize(20, ' ');
        EXPECT_EQ(r.substr(6, 20), graphie.substr(0, 20));
        std::vector<int32_t> frq = b.partition->FrqParties(attendus[k]);
        char attendu[64];
        std::snprintf(attendu, sizeof attendu, "%5d%5d%5d", frq[0], frq[1], frq[2]);
        EXPECT_EQ(r.substr(26), attendu);
    }
    b.base.AssigneSR(nullptr);
}

TEST(EcritCoranDon, WideCountsWidenTheFieldsAndTheLayout) {
    ScopedWorkDir dir;
    std::string texte = "<auteur=A> ";
    for (int i = 0; i < 100000; ++i)
        texte += "de ";
    texte += "\n<auteur=B> de la\n<auteur=C> la de\n";
    BaseTest b(texte);
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    param.NI = 2;
    std::string erreur;
    ASSERT_TRUE(EcritCoranDon("coran.don", *b.partition, param, erreur)) << erreur;
    std::vector<std::string> l = lignes(readFile("coran.don"));
    EXPECT_EQ(l[4], "(6x,5A4,3F7.0)");
    EXPECT_EQ(l[5], "    0 de                   100000      1      1");
    EXPECT_EQ(l[6], "    1 la                        0      1      1");
}

TEST(EcritCoranDon, RowNumbersOfSixDigitsWidenTheFirstField) {
    ScopedWorkDir dir;
    std::string texte;
    for (int32_t i = 0; i < 100005; ++i) {
        if (i % 40000 == 0)
            texte += "\n<auteur=" + std::to_string(i) + "> ";
        for (int32_t x = i, k = 0; k < 4; ++k, x /= 26) // four letters, all distinct
            texte += static_cast<char>('a' + x % 26);
        texte += ' ';
    }
    writeFile("t.txt", texte + "\n");
    SegmOptions o;
    o.maxart = 200000;
    ASSERT_TRUE(SegmPrinc("t.txt", kDelimiteursDefaut, o).ok());
    charg1 base;
    ASSERT_EQ(base.ChargeBase("t.par"), kChargeOk);
    Partition partition(base, Partition::CodeCle(base, "auteur"));
    ParamAfc param = ParamAfcInitiaux(partition);
    param.NI = base.Nbform();
    ASSERT_GT(param.NI, 100000);
    std::string erreur;
    ASSERT_TRUE(EcritCoranDon("coran.don", partition, param, erreur)) << erreur;
    std::vector<std::string> l = lignes(readFile("coran.don"));
    EXPECT_EQ(l[1], "100005   3   5   1   0");
    EXPECT_EQ(l[4], "(7x,5A4,3F5.0)");
    EXPECT_EQ(l[5].substr(0, 7), "     0 ");
    EXPECT_EQ(l[5 + 100000].substr(0, 7), "100000 ");
    EXPECT_EQ(l[5 + 100000].size(), 7u + 20u + 15u);
}

TEST(EcritCoranDon, RefusesParametersOutOfRangeAndKeepsTheOldFile) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    writeFile("coran.don", "ancien");
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    std::string erreur;
    for (int32_t ni : {0, b.base.Nbform() + 1}) {
        param.NI = ni;
        EXPECT_FALSE(EcritCoranDon("coran.don", *b.partition, param, erreur)) << ni;
    }
    param.NI = 1;
    param.NF = 0;
    EXPECT_FALSE(EcritCoranDon("coran.don", *b.partition, param, erreur));
    param.NF = 2;
    EXPECT_FALSE(EcritCoranDon("absent/coran.don", *b.partition, param, erreur));
    EXPECT_EQ(readFile("coran.don"), "ancien");
}

TEST(LanceAfc, RunsTheProgramAndReadsItsFactorsBack) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    ::mkdir("echange", 0700);
    writeFile("echange/facteurs.txt", "3 2\n"); // left by an earlier run
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    param.NI = NbFormesAuMoins(b.base, 1);
    ResultatLanceAfc r =
        LanceAfc(*b.partition, param, "echange", std::string(MORVIX_BIN_DIR) + "/qz5afc");
    ASSERT_TRUE(r.ok()) << r.Message << " " << r.Detail;
    ASSERT_TRUE(r.Points);
    EXPECT_EQ(r.Points->NbPoints, 3);
    EXPECT_EQ(r.Points->NbFact, 2);
    EXPECT_EQ(r.ValeursPropres.size(), 2u);
    EXPECT_GT(r.ValeursPropres[0], 0);
    EXPECT_EQ(r.Facteurs, "echange/facteurs.txt");

    // A program that cannot be started, or that leaves no factors: the stale results of
    // this run are gone, never read.
    for (const std::string &prog : {std::string("echange/absent"), std::string("/bin/true")}) {
        ResultatLanceAfc e = LanceAfc(*b.partition, param, "echange", prog);
        EXPECT_EQ(e.Code, CodeAfc::Facteurs) << prog;
        EXPECT_EQ(e.Message, kErreurFacteurs);
        EXPECT_FALSE(e.Points);
        EXPECT_FALSE(fileExists("echange/facteurs.txt"));
        EXPECT_FALSE(fileExists("echange/vp.txt"));
    }

    // The clustering runs where the factors are.
    ASSERT_TRUE(
        LanceAfc(*b.partition, param, "echange", std::string(MORVIX_BIN_DIR) + "/qz5afc").ok());
    ResultatLanceCah c = LanceCah("echange", std::string(MORVIX_BIN_DIR) + "/qz5cah");
    EXPECT_TRUE(c.Ok) << c.Detail;
    EXPECT_NE(readFile(c.Cah).find("Dendrogramme"), std::string::npos);
    std::remove("echange/facteurs.txt");
    c = LanceCah("echange", std::string(MORVIX_BIN_DIR) + "/qz5cah");
    EXPECT_FALSE(c.Ok);
    EXPECT_FALSE(fileExists("echange/cah.txt"));
    EXPECT_NE(c.Detail.find("qz5cah: "), std::string::npos) << c.Detail;

    ResultatLanceAfc p = LanceAfc(*b.partition, param, "absent", "/bin/true");
    EXPECT_EQ(p.Code, CodeAfc::Parametres);
    EXPECT_EQ(p.Message, kErreurParametresAfc);
}

TEST(LanceAfc, CancellationStopsTheProgramAndLeavesNoExchangeFile) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    ::mkdir("echange", 0700);
    // A program that writes part of its results, then would run for a minute.
    writeFile("lent", "#!/bin/sh\necho 1 > vp.txt\necho 2 > facteurs.txt.tmp-a1b2\n"
                      "echo pret > ../pret\nexec sleep 60\n");
    ::chmod("lent", 0700);
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    param.NI = NbFormesAuMoins(b.base, 1);
    Annulation annulation;
    std::thread annule([&] {
        while (!fileExists("pret"))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        annulation.Demande();
    });
    const std::string lent = std::filesystem::absolute("lent").string();
    ResultatLanceAfc r = LanceAfc(*b.partition, param, "echange", lent, &annulation);
    annule.join();
    EXPECT_EQ(r.Code, CodeAfc::Annule);
    EXPECT_FALSE(r.Points);
    for (const char *f : {"coran.don", "vp.txt", "facteurs.txt", "facteurs.txt.tmp-a1b2"})
        EXPECT_FALSE(fileExists(std::string("echange/") + f)) << f;

    // Raised before the run: nothing is written.
    EXPECT_EQ(LanceAfc(*b.partition, param, "echange", lent, &annulation).Code, CodeAfc::Annule);
    EXPECT_FALSE(fileExists("echange/coran.don"));
    EXPECT_TRUE(LanceCah("echange", lent, &annulation).Annule);
}

TEST(LanceAfc, LinksPlantedInTheExchangeFolderAreRefused) {
    ScopedWorkDir dir;
    BaseTest b(kTexte);
    ::mkdir("echange", 0700);
    writeFile("victime", "intact");
    ParamAfc param = ParamAfcInitiaux(*b.partition);
    param.NI = NbFormesAuMoins(b.base, 1);
    const std::string programme = std::string(MORVIX_BIN_DIR) + "/qz5afc";
    for (const char *nom : {"coran.don", "coran.lock"}) {
        SCOPED_TRACE(nom);
        const std::string lien = std::string("echange/") + nom;
        std::remove(lien.c_str());
        ASSERT_EQ(::symlink("../victime", lien.c_str()), 0);
        ResultatLanceAfc r = LanceAfc(*b.partition, param, "echange", programme);
        EXPECT_EQ(r.Code, CodeAfc::Parametres);
        EXPECT_NE(r.Detail.find(nom), std::string::npos) << r.Detail;
        EXPECT_EQ(readFile("victime"), "intact");
        std::remove(lien.c_str());
    }
    EXPECT_TRUE(LanceAfc(*b.partition, param, "echange", programme).ok());
}
