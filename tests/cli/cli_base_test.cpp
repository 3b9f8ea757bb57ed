#include "TestSupport.h"

#include <gtest/gtest.h>

using morvix::test::readFile;
using morvix::test::writeFile;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

} // namespace

TEST(CliBase, HelpVersionAndUsageErrors) {
    std::string out, err;
    EXPECT_EQ(cli("--help", &out), 0);
    for (const char *command : {"verify TEXT", "segment TEXT", "info BASE.par", "dico BASE.par"})
        EXPECT_NE(out.find(command), std::string::npos) << command;
    EXPECT_EQ(cli("--version", &out), 0);
    EXPECT_EQ(out.rfind("morvix-cli ", 0), 0u);
    EXPECT_EQ(cli("", &out), 2);
    EXPECT_EQ(cli("nimporte", &out, &err), 2);
    EXPECT_NE(err.find("commande inconnue"), std::string::npos);
    EXPECT_EQ(cli("segment", &out, &err), 2);
    EXPECT_NE(err.find("usage : morvix-cli segment TEXT"), std::string::npos);
    EXPECT_EQ(cli("segment a.txt --maxart 0", &out, &err), 2);
    EXPECT_EQ(cli("segment a.txt --maxart douze", &out, &err), 2);
    EXPECT_EQ(cli("dico a.par --inconnue", &out, &err), 2);
    EXPECT_EQ(cli("--encoding latin9 info a.par", &out, &err), 2);
}

TEST(CliBase, SegmentInfoAndDictionary) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", "<auteur=Hugo> \xC9t\xE9 \xE9t\xE9, \xE9t\xE9.\n");
    std::string out, err;
    ASSERT_EQ(cli("segment t.txt", &out, &err), 0) << err;
    EXPECT_NE(out.find("occurrences\t3\nformes\t2\n"), std::string::npos) << out;
    EXPECT_TRUE(morvix::test::fileExists("t.par"));

    ASSERT_EQ(cli("info t.par", &out, &err), 0) << err;
    EXPECT_NE(out.find("base\tt\n"), std::string::npos);
    EXPECT_NE(out.find("lignes\t1\n"), std::string::npos);

    ASSERT_EQ(cli("dico t.par", &out), 0);
    EXPECT_EQ(out, "code\tgraphie\tfrequence\trang\n"
                   "0\t\u00e9t\u00e9\t2\t0\n"
                   "1\t\u00c9t\u00e9\t1\t1\n"
                   "2\t,\t1\t2\n"
                   "3\t.\t1\t3\n"
                   "4\tauteur\t1\t4\n"
                   "5\tHugo\t1\t5\n");
    ASSERT_EQ(cli("--encoding cp1252 dico t.par --alpha", &out), 0);
    EXPECT_NE(out.find("0\t\xE9t\xE9\t2\t0\n"), std::string::npos);

    // Delimiters given in UTF-8 on the command line: '§' becomes a delimiter.
    writeFile("s.txt", "a\xA7"
                       "b\n");
    ASSERT_EQ(cli("segment s.txt --delims '\u00a7'", &out, &err), 0) << err;
    EXPECT_NE(out.find("formes\t2\n"), std::string::npos) << out;
}

TEST(CliBase, BadInputsExitWithStatusOne) {
    morvix::test::ScopedWorkDir dir;
    std::string out, err;
    EXPECT_EQ(cli("verify absent.txt", &out, &err), 1);
    writeFile("k.txt", "<titre=Deux mots>\n");
    EXPECT_EQ(cli("verify k.txt", &out, &err), 1);
    EXPECT_NE(out.find("espace dans contenu"), std::string::npos);
    EXPECT_EQ(cli("segment k.txt", &out, &err), 1);
    EXPECT_NE(err.find("Probl\u00e8me dans les clefs"), std::string::npos) << err;
    EXPECT_FALSE(morvix::test::fileExists("k.par"));

    writeFile("big.txt", "a b c d e f\n");
    EXPECT_EQ(cli("segment big.txt --maxart 3", &out, &err), 1);
    EXPECT_NE(err.find("MAXART"), std::string::npos) << err;

    EXPECT_EQ(cli("info absent.par", &out, &err), 1);
    EXPECT_NE(err.find("Erreur de lecture du fichier de param\u00e8tres"), std::string::npos)
        << err;
    writeFile("ok.txt", "un deux\n");
    ASSERT_EQ(cli("segment ok.txt", &out, &err), 0);
    writeFile("ok.num", readFile("ok.num").substr(0, 4));
    EXPECT_EQ(cli("info ok.par", &out, &err), 1);
    EXPECT_NE(err.find("Erreur de lecture du texte num\u00e9ris\u00e9"), std::string::npos) << err;
}
