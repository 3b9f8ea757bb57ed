// morvix-cli afc: the whole chain from a base to the coordinates of its parts.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

using morvix::test::writeFile;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

} // namespace

TEST(CliAfc, PrintsEigenvaluesAndPartCoordinates) {
    morvix::test::ScopedWorkDir dir;
    std::string out, err;
    ASSERT_EQ(cli(std::string("segment ") + MORVIX_SAMPLE, &out, &err), 0) << err;
    ASSERT_EQ(cli("afc sample_romans_contes.par auteur --frqmin 20", &out, &err), 0) << err;
    EXPECT_NE(out.find("parties\t4\nfacteurs\t3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("facteur\tvaleur propre\tpourcentage\n1\t0."), std::string::npos) << out;
    // One line per author, in part order, with two coordinates.
    std::istringstream in(out.substr(out.find("partie\tlibelle\tF1\tF2\n")));
    std::string ligne;
    std::getline(in, ligne);
    std::vector<std::string> auteurs;
    while (std::getline(in, ligne)) {
        std::istringstream champs(ligne);
        std::string id, nom, f1, f2;
        ASSERT_TRUE(std::getline(champs, id, '\t') && std::getline(champs, nom, '\t') &&
                    std::getline(champs, f1, '\t') && std::getline(champs, f2))
            << ligne;
        EXPECT_NO_THROW((void)std::stod(f1));
        auteurs.push_back(nom);
    }
    EXPECT_EQ(auteurs, (std::vector<std::string>{"Flaubert", "Hugo", "Maupassant", "Voltaire"}));
}

TEST(CliAfc, BadInputsFailWithAMessage) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", "<auteur=A> le chat\n<auteur=B> le chien\n");
    ASSERT_EQ(cli("segment t.txt"), 0);
    std::string err;
    EXPECT_EQ(cli("afc t.par", nullptr, &err), 2);
    EXPECT_EQ(cli("afc t.par auteur --frqmin 0", nullptr, &err), 2);
    EXPECT_EQ(cli("afc t.par genre", nullptr, &err), 1);
    EXPECT_NE(err.find("genre"), std::string::npos);
    EXPECT_EQ(cli("afc t.par auteur", nullptr, &err), 1); // two parts: one factor only
    EXPECT_NE(err.find("au moins 3"), std::string::npos) << err;
    EXPECT_EQ(cli("afc absent.par auteur", nullptr, &err), 1);
}

TEST(CliAfc, EachRunInAFolderOfItsOwnUnlessTheFilesAreKept) {
    morvix::test::ScopedWorkDir dir;
    std::string out, err;
    ASSERT_EQ(cli(std::string("segment ") + MORVIX_SAMPLE, &out, &err), 0) << err;
    ASSERT_EQ(::mkdir("tmp", 0700), 0);
    const std::string prive = "env -u TEMP TMPDIR=" + std::filesystem::absolute("tmp").string() +
                              " " + MORVIX_BIN_DIR + "/morvix-cli ";
    std::string enPrive;
    ASSERT_EQ(
        morvix::test::runCommand(prive + "afc sample_romans_contes.par auteur", &enPrive, &err), 0)
        << err;
    // The private folder is gone with everything in it.
    EXPECT_TRUE(std::filesystem::is_empty("tmp"));

    std::string garde;
    ASSERT_EQ(cli("afc sample_romans_contes.par auteur --garder garde", &garde, &err), 0) << err;
    EXPECT_EQ(garde, enPrive);
    for (const char *f : {"coran.don", "facteurs.txt", "vp.txt", "lignes.txt"})
        EXPECT_TRUE(morvix::test::fileExists(std::string("garde/") + f)) << f;
    writeFile("fichier", "x");
    EXPECT_EQ(cli("afc sample_romans_contes.par auteur --garder fichier", nullptr, &err), 1);
    EXPECT_NE(err.find("fichier n'est pas un dossier"), std::string::npos) << err;
}
