#include "TestSupport.h"

#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpec.h"
#include "partitions/PrimSpecChr.h"
#include "util/Encoding.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace morvix;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return test::runCli(args, out, err);
}

std::vector<std::string> lignes(const std::string &text) {
    std::vector<std::string> l;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);)
        l.push_back(s);
    return l;
}

} // namespace

TEST(CliPartitions, PartitionTableAndErrors) {
    test::ScopedWorkDir dir;
    ASSERT_EQ(test::buildBase("t", "<a=Zola> le chat le chien <a=\xC9mile> le loup . <a=Zola> "
                                   "chat\n"),
              "t.par");
    std::string out, err;
    ASSERT_EQ(cli("partition t.par a", &out, &err), 0) << err;
    // Parts come in the base's order of key contents.
    EXPECT_EQ(out, "partie\ttaille\tformes\thapax\tfmax\tforme fmax\n"
                   "Zola\t5\t3\t1\t2\tle\n"
                   "\xC3\x89mile\t2\t2\t2\t1\tle\n");

    const struct {
        const char *args, *message;
    } erreurs[] = {
        {"partition t.par b", "la clé « b » n'existe pas"},
        {"partition t.par le", "la clé « le » n'existe pas"}, // a form is no key
        {"specif t.par a --parts Hugo", "la partie « Hugo » n'existe pas"},
        {"specif t.par a --parts Zola --reference Zola,Hugo", "la partie « Hugo »"},
        {"increments t.par a --part Balzac", "la partie « Balzac »"},
        // The target outside the reference: no part to count the target frequencies in.
        {"specif t.par a --parts Zola --reference \xC3\x89mile", "n'est dans la référence"},
        {"chrono absent.par a", "absent.par"},
    };
    for (auto e : erreurs) {
        EXPECT_EQ(cli(e.args, &out, &err), 1) << e.args;
        EXPECT_NE(err.find(e.message), std::string::npos) << e.args << ": " << err;
        EXPECT_EQ(out, "") << e.args;
    }
    EXPECT_EQ(cli("specif t.par a", &out, &err), 2);
    EXPECT_EQ(cli("spectot t.par a --seuil 101", &out, &err), 2);
    EXPECT_EQ(cli("chrono t.par a --order 10", &out, &err), 2);

    ASSERT_EQ(cli("spectot t.par a --frqmin 1", &out, &err), 0) << err;
    const auto l = lignes(out);
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], "graphie\tF\tZola f\tZola coeff\t\xC3\x89mile f\t\xC3\x89mile coeff");
    EXPECT_EQ(l[1], "le\t3\t2\t0\t1\t0");
}

TEST(CliPartitions, SpecificitiesMatchTheCore) {
    test::ScopedWorkDir dir;
    ASSERT_EQ(test::buildBase("s", test::readFile(MORVIX_SAMPLE)), "s.par");
    charg1 b;
    ASSERT_EQ(b.ChargeBase("s.par"), kChargeOk);
    Partition p(b, Partition::CodeCle(b, "auteur"));
    ASSERT_GE(p.NbParties, 3);
    const std::string l0 = p.Libelle(0), l2 = p.Libelle(2);

    // specif: target parts 0 and 2 against the reference 0, 1, 2.
    p.Selec[0] = p.Selec[2] = true;
    p.Cochee.assign(size_t(p.NbParties), false);
    p.Cochee[0] = p.Cochee[1] = p.Cochee[2] = true;
    p.FrqMin = 20;
    PrimSpec spec(p, 1);
    spec.Calcule();
    std::string attendu = "graphie\tF\tk\tcoeff\n";
    for (const ResSpec &r : spec.Resultats())
        attendu += cp1252ToUtf8(b.RetourneGraphie(r.Code, false)) + "\t" + std::to_string(r.F) +
                   "\t" + std::to_string(r.k) + "\t" + std::to_string(r.Coeff) + "\n";
    std::string out, err;
    ASSERT_EQ(cli("specif s.par auteur --parts " + l0 + "," + l2 + " --reference " + l0 + "," +
                      p.Libelle(1) + "," + l2 + " --frqmin 20",
                  &out, &err),
              0)
        << err;
    EXPECT_EQ(out, attendu);

    // chrono, sorted by decreasing coefficient.
    Partition d(b, Partition::CodeCle(b, "date"));
    PrimSpecChr chr(d, 1, 30);
    chr.Calcule();
    chr.Trie(PrimSpecChr::kCoeffDecroissant);
    ASSERT_EQ(cli("chrono s.par date --seuil 1 --frqmin 30 --order 9", &out, &err), 0) << err;
    const auto l = lignes(out);
    ASSERT_EQ(l.size(), size_t(chr.NbResultats()) + 1);
    const ResSpecChr &r = chr.Resultat(0);
    std::string premiere = cp1252ToUtf8(b.RetourneGraphie(r.Code, false)) + "\t" +
                           std::to_string(b.RetourneFrq(r.Code)) + "\t" + std::to_string(r.f) +
                           "\t" + std::to_string(r.Coeff) + "\t" + d.Libelle(r.Premiere);
    if (r.Derniere != r.Premiere)
        premiere += std::string(" - ") + d.Libelle(r.Derniere);
    EXPECT_EQ(l[1], premiere);

    // increments: the header names the part.
    ASSERT_EQ(cli("increments s.par date --part " + std::string(d.Libelle(2)), &out, &err), 0)
        << err;
    EXPECT_EQ(lignes(out)[0], "Partie : " + std::string(d.Libelle(2)));
    EXPECT_EQ(lignes(out)[1], "graphie\tF\tk\tcoeff");
}

TEST(CliPartitions, SpectotShowsTheUnderUseOfAbsentSegments) {
    // Forms absent from a part have no coefficient there, but segments can: their rows are
    // not written from their non-zero cells only.
    test::ScopedWorkDir dir;
    std::string out, err;
    ASSERT_EQ(cli(std::string("segment ") + MORVIX_SAMPLE, &out, &err), 0) << err;
    ASSERT_EQ(cli("spectot sample_romans_contes.par auteur --segments 5,3", &out, &err), 0) << err;
    int32_t absentsSousEmployes = 0;
    for (const std::string &l : lignes(out)) {
        std::vector<std::string> champs;
        std::stringstream in(l);
        for (std::string c; std::getline(in, c, '\t');)
            champs.push_back(c);
        for (size_t i = 2; i + 1 < champs.size(); i += 2)
            absentsSousEmployes += champs[i] == "0" && champs[i + 1].rfind('-', 0) == 0;
    }
    EXPECT_GT(absentsSousEmployes, 0);
}
