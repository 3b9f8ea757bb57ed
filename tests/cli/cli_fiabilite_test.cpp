// morvix-cli under bad input: texts that are base files, pipes or folders, planted links,
// a .par naming another folder, damaged counts, costly patterns, odd names and line ends.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::writeFile;
namespace fs = std::filesystem;

namespace {

const std::string kCli = std::string(MORVIX_BIN_DIR) + "/morvix-cli";

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

// Runs a bash command line (process substitution, background jobs).
int bash(const std::string &line, std::string *out = nullptr, std::string *err = nullptr) {
    std::string quoted = "'";
    for (char c : line)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return morvix::test::runCommand("bash -c " + quoted + "'", out, err);
}

const char *kText = "<auteur=Hugo> un deux trois\nun deux\n";

} // namespace

TEST(CliFiabilite, TextNamedLikeItsParFileIsKept) {
    morvix::test::ScopedWorkDir dir;
    writeFile("roman.par", "<a=b> texte\n");
    std::string out, err;
    EXPECT_EQ(cli("segment roman.par", &out, &err), 1);
    EXPECT_NE(err.find("roman.par"), std::string::npos) << err;
    EXPECT_EQ(readFile("roman.par"), "<a=b> texte\n");
}

TEST(CliFiabilite, ConcurrentSegmentationsKeepTheirOwnBases) {
    morvix::test::ScopedWorkDir dir;
    writeFile("a.txt", "alpha beta gamma\n");
    writeFile("d.txt", "delta epsilon\n");
    for (int round = 0; round < 4; ++round) {
        ASSERT_EQ(
            bash(kCli + " segment a.txt >/dev/null & " + kCli + " segment d.txt >/dev/null & wait"),
            0);
        std::string a, d;
        ASSERT_EQ(cli("dico a.par", &a), 0);
        ASSERT_EQ(cli("dico d.par", &d), 0);
        EXPECT_NE(a.find("alpha"), std::string::npos) << a;
        EXPECT_EQ(a.find("delta"), std::string::npos) << a;
        EXPECT_NE(d.find("epsilon"), std::string::npos) << d;
        EXPECT_EQ(d.find("beta"), std::string::npos) << d;
    }
}

// Links planted under every name the system writes, or once wrote, in the current folder.
TEST(CliFiabilite, PlantedLinksAreNeverFollowed) {
    morvix::test::ScopedWorkDir dir;
    fs::create_directory("ici");
    writeFile("victime.txt", "intacte\n");
    fs::current_path("ici");
    writeFile("t.txt", kText);
    for (const char *name : {"xxxx.txn", "t.dic.tmp", "t.num.tmp", "t.par.tmp", "t.maj",
                             "t.loc.sr.tmp", "t.desc.sr.tmp", "atrace.txt"})
        fs::create_symlink("../victime.txt", name);
    std::string out, err;
    EXPECT_EQ(cli("segment t.txt", &out, &err), 0) << err;
    EXPECT_NE(err.find("atrace.txt ne peut \xC3\xAAtre \xC3\xA9"
                       "crit (c'est un lien symbolique"),
              std::string::npos)
        << err;
    EXPECT_EQ(cli("info t.par", &out, &err), 0) << err;
    EXPECT_EQ(cli("segments t.par --seuil-formes 1 --seuil-segments 2", &out, &err), 0) << err;
    // The report of this run is printed; that the trace could not be written is a failure.
    EXPECT_EQ(cli("verify t.txt", &out, &err), 1);
    EXPECT_NE(out.find("ouvert pour v"), std::string::npos) << out;
    EXPECT_NE(err.find("atrace.txt"), std::string::npos) << err;
    EXPECT_EQ(readFile("../victime.txt"), "intacte\n");
}

TEST(CliFiabilite, VerifyPrintsTheReportOfThisRun) {
    morvix::test::ScopedWorkDir dir;
    writeFile("premier.txt", "<a=b>\n");
    writeFile("second.txt", "<c d=e>\n");
    std::string out, err;
    ASSERT_EQ(cli("verify premier.txt", &out), 0);
    fs::remove("atrace.txt");
    fs::create_directory("atrace.txt"); // the trace cannot be written any more
    EXPECT_EQ(cli("verify second.txt", &out, &err), 1);
    EXPECT_NE(out.find("second.txt"), std::string::npos) << out;
    EXPECT_NE(out.find("espace dans type"), std::string::npos) << out;
    EXPECT_EQ(out.find("premier.txt"), std::string::npos) << out;
}

TEST(CliFiabilite, ParNamingAnotherFolderIsRefused) {
    morvix::test::ScopedWorkDir dir;
    fs::create_directory("autre");
    fs::current_path("autre");
    writeFile("b.txt", "un deux un deux un deux\n");
    ASSERT_EQ(cli("segment b.txt"), 0);
    ASSERT_EQ(cli("segments b.par --seuil-formes 1 --seuil-segments 2"), 0);
    const std::string loc = readFile("b.loc.sr");
    ASSERT_FALSE(loc.empty());
    fs::current_path("..");
    fs::create_directory("ici");
    fs::current_path("ici");
    writeFile("x.txt", "trois quatre\n");
    ASSERT_EQ(cli("segment x.txt"), 0);
    const std::string par = readFile("x.par");
    writeFile("x.par", "../autre/b" + par.substr(par.find('\r')));
    std::string out, err;
    EXPECT_EQ(cli("info x.par", &out, &err), 1);
    EXPECT_NE(err.find("endommag"), std::string::npos) << err;
    EXPECT_EQ(cli("segments x.par", &out, &err), 1);
    EXPECT_EQ(readFile("../autre/b.loc.sr"), loc);
}

TEST(CliFiabilite, CountsTheFilesContradictAreRefused) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", kText);
    ASSERT_EQ(cli("segment t.txt"), 0);
    const std::string par = readFile("t.par");
    writeFile("t.par", "t\r\n1000" + par.substr(par.find(' ', 3)));
    std::string out, err;
    EXPECT_EQ(cli("info t.par", &out, &err), 1);
    EXPECT_NE(err.find("items lus sur 1000"), std::string::npos) << err;
}

TEST(CliFiabilite, CostlyPatternIsAnErrorNotNoMatch) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", std::string(30, 'a') + "b " + std::string(28, 'a') + "c\n");
    ASSERT_EQ(cli("segment t.txt"), 0);
    std::string out, err;
    EXPECT_EQ(cli("concordance t.par --regex '^(?:a+b|(a+)+c)$'", &out, &err), 0) << err;
    EXPECT_EQ(cli("concordance t.par --regex '^(?:(a+)+c|a+b)$'", &out, &err), 1);
    EXPECT_NE(err.find("expression trop co\xC3\xBBteuse"), std::string::npos) << err;
    EXPECT_EQ(cli("inventaire t.par --regex '^(a+)+$'", &out, &err), 1);
    EXPECT_NE(err.find("expression trop co\xC3\xBBteuse"), std::string::npos) << err;
}

TEST(CliFiabilite, LongTagPartIsReportedByTheVerification) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", "<" + std::string(127, 'k') + "=v> texte\n");
    std::string out, err;
    EXPECT_EQ(cli("verify t.txt", &out, &err), 1);
    EXPECT_NE(out.find("plus de 126"), std::string::npos) << out;
    EXPECT_EQ(cli("segment t.txt", &out, &err), 1);
    EXPECT_FALSE(fileExists("t.par"));
}

TEST(CliFiabilite, TextsFromPipesAndFolders) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", kText);
    std::string out, err;
    ASSERT_EQ(cli("segment t.txt", &out), 0);
    const std::string counts = out.substr(out.find("occurrences"));

    ASSERT_EQ(bash(kCli + " segment <(cat t.txt) --nom tube", &out, &err), 0) << err;
    EXPECT_EQ(out.substr(out.find("occurrences")), counts);
    EXPECT_EQ(readFile("tube.num"), readFile("t.num"));
    ASSERT_EQ(bash("cat t.txt | " + kCli + " segment - --nom entree", &out, &err), 0) << err;
    EXPECT_EQ(readFile("entree.num"), readFile("t.num"));
    EXPECT_EQ(bash("cat t.txt | " + kCli + " segment -", &out, &err), 2);
    EXPECT_NE(err.find("--nom"), std::string::npos);
    ASSERT_EQ(
        bash("mkfifo f.txt && (cat t.txt > f.txt &) && " + kCli + " segment f.txt", &out, &err), 0)
        << err;
    EXPECT_EQ(readFile("f.num"), readFile("t.num"));
    EXPECT_EQ(bash("cat t.txt | " + kCli + " verify -", &out, &err), 0) << err;

    fs::create_directory("dossier.txt");
    EXPECT_EQ(cli("segment dossier.txt", &out, &err), 1);
    EXPECT_NE(err.find("dossier"), std::string::npos);
    EXPECT_FALSE(fileExists("dossier.par"));
    // No copy is left behind.
    for (const auto &e : fs::directory_iterator("."))
        EXPECT_EQ(e.path().filename().string().find(".texte"), std::string::npos) << e.path();
}

TEST(CliFiabilite, NamesLineEndsAndTheMaxartMessage) {
    morvix::test::ScopedWorkDir dir;
    std::string out, err;
    writeFile("back\\slash.txt", "un\n");
    ASSERT_EQ(cli("segment 'back\\slash.txt'", &out, &err), 0) << err;
    EXPECT_NE(out.find("base\tback\\slash\n"), std::string::npos) << out;
    writeFile("--x.txt", "un\n");
    ASSERT_EQ(cli("segment -- --x.txt", &out, &err), 0) << err;
    EXPECT_TRUE(fileExists("--x.par"));

    writeFile("cr.txt", "un deux\rtrois\r");
    ASSERT_EQ(cli("segment cr.txt", &out, &err), 0) << err;
    EXPECT_NE(readFile("atrace.txt").find("Fins de ligne CR seules"), std::string::npos);
    ASSERT_EQ(cli("info cr.par", &out, &err), 0) << err;
    EXPECT_NE(out.find("lignes\t2\n"), std::string::npos) << out;

    writeFile("big.txt", "a b c d e f\n");
    EXPECT_EQ(cli("segment big.txt --maxart 3", &out, &err), 1);
    EXPECT_NE(err.find("--maxart"), std::string::npos) << err;
}
