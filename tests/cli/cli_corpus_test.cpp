// morvix-cli corpus, and segment on texts that are not Windows-1252.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::writeFile;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

std::string document(const std::string &nom) { return morvix::test::dataPath("documents/" + nom); }

} // namespace

TEST(CliCorpus, AssemblesTextsAndDocuments) {
    morvix::test::ScopedWorkDir dir;
    writeFile("Notes de cours.txt", "un\n");
    std::filesystem::copy_file(document("trois.docx"), "trois.docx");
    std::string out, err;
    ASSERT_EQ(
        cli("corpus c.txt 'Notes de cours.txt' trois.docx --cle-paragraphe parag", &out, &err), 0)
        << err;
    EXPECT_EQ(out, "corpus\tc.txt\nfichiers\t2\nconvertis\t1\ncaracteres remplaces\t2\n"
                   "espaces remplaces\t0\n");
    const std::string c = readFile("c.txt");
    EXPECT_EQ(
        c.rfind("<titre=Notes_de_cours>\r\nun\n\r\n<titre=trois>\r\n<parag=1>\r\nLe c\x9C", 0), 0u)
        << c;
    EXPECT_NE(c.find("\r<parag=3>\r\nHors du jeu : ? et ? fin.\r\r\n"), std::string::npos);
    ASSERT_EQ(cli("verify c.txt", &out, &err), 0) << err;

    // The marker and the key come from the command line in UTF-8.
    ASSERT_EQ(cli("corpus d.txt trois.docx --cle auteur --marqueur '\u00b6'", &out, &err), 0);
    EXPECT_EQ(readFile("d.txt").substr(0, 19), "<auteur=trois>\r\n\xB6\r\n");
}

TEST(CliCorpus, RefusesBadInputWithoutWritingAnything) {
    morvix::test::ScopedWorkDir dir;
    writeFile("a.txt", "a\n");
    writeFile("faux.odt", "pas une archive");
    std::string out, err;
    EXPECT_EQ(cli("corpus c.txt a.txt absent.txt", &out, &err), 1);
    EXPECT_NE(err.find("absent.txt"), std::string::npos) << err;
    EXPECT_EQ(cli("corpus c.txt a.txt faux.odt", &out, &err), 1);
    EXPECT_NE(err.find("faux.odt"), std::string::npos) << err;
    EXPECT_FALSE(fileExists("c.txt"));
    for (const char *usage : {"corpus c.txt", "corpus c.txt a.txt --cle 'deux mots'",
                              "corpus c.txt a.txt --marqueur x --cle-paragraphe p",
                              "corpus c.txt a.txt --marqueur '<p'"})
        EXPECT_EQ(cli(usage, &out, &err), 2) << usage;
    EXPECT_FALSE(fileExists("c.txt"));
}

TEST(CliSegment, Utf8TextsAndDocumentsAreSegmentedThroughTheirCopy) {
    morvix::test::ScopedWorkDir dir;
    writeFile("u.txt", "<auteur=Zo\u00E9> L\u2019\u00E9t\u00E9 \u03A9 \u00E9t\u00E9.\n");
    std::string out, err;
    ASSERT_EQ(cli("segment u.txt", &out, &err), 0) << err;
    EXPECT_NE(err.find("texte UTF-8 converti en Windows-1252 : u.cp1252.txt (1 caractère non "
                       "représentable remplacé par « ? »)"),
              std::string::npos)
        << err;
    EXPECT_NE(out.find("base\tu.cp1252\n"), std::string::npos);
    EXPECT_TRUE(fileExists("u.cp1252.par"));
    ASSERT_EQ(cli("dico u.cp1252.par", &out), 0);
    EXPECT_NE(out.find("\tL\u2019\u00E9t\u00E9\t1\t"), std::string::npos) << out;
    EXPECT_NE(out.find("\tZo\u00E9\t"), std::string::npos) << out;

    // Read as Windows-1252, the same bytes give other forms and no copy.
    std::filesystem::remove("u.cp1252.txt");
    ASSERT_EQ(cli("segment u.txt --encoding-entree cp1252", &out, &err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_FALSE(fileExists("u.cp1252.txt"));
    EXPECT_EQ(cli("segment u.txt --encoding-entree latin9", &out, &err), 2);

    std::filesystem::copy_file(document("trois.odt"), "trois.odt");
    ASSERT_EQ(cli("segment trois.odt", &out, &err), 0) << err;
    EXPECT_NE(err.find("document converti en texte Windows-1252 : trois.cp1252.txt"),
              std::string::npos);
    EXPECT_NE(out.find("base\ttrois.cp1252\n"), std::string::npos) << out;
    EXPECT_TRUE(fileExists("trois.cp1252.par"));
}
