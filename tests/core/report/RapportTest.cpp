// The report: working folder, entries and their listener, the saved folder.
#include "report/Rapport.h"
#include "report/RapportOutils.h"

#include "TestSupport.h"
#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace morvix;
using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::ScopedWorkDir;
using morvix::test::writeFile;

namespace {

// A small base in the current folder, and TEMP pointing at a folder of it.
class RapportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile("t.txt", "<auteur=Hugo> le chat et le chien. Le chat dort.\n");
        ASSERT_TRUE(SegmPrinc("t.txt", kDelimiteursDefaut).ok());
        ASSERT_EQ(base.ChargeBase("t.par"), kChargeOk);
        fs::create_directory("tmp");
        temp = fs::absolute("tmp").string();
        ::setenv("TEMP", temp.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("TEMP"); }

    ScopedWorkDir dir;
    charg1 base;
    std::string temp;
};

struct ArbreTest : RapportArbre {
    std::vector<std::pair<int32_t, std::string>> noeuds;
    void EntreeAjoutee(int32_t index, const std::string &titre) override {
        noeuds.emplace_back(index, titre);
    }
};

} // namespace

TEST_F(RapportTest, WorkingFolderIsPrivateAndRemovedWithTheReport) {
    std::string dossier;
    {
        std::tm tm{};
        tm.tm_year = 126;
        tm.tm_mon = 11;
        tm.tm_mday = 9;
        tm.tm_hour = 8;
        tm.tm_min = 5;
        tm.tm_sec = 7;
        tm.tm_isdst = -1;
        Rapport r(nullptr, &base, std::mktime(&tm));
        ASSERT_TRUE(r.Valide()) << r.Erreur();
        EXPECT_EQ(r.Nom(), "t_20261209-080507");
        EXPECT_TRUE(r.Enregistre());
        dossier = r.Dossier();
        EXPECT_EQ(dossier.rfind(temp + "/qzv5-", 0), 0u) << dossier;
        EXPECT_EQ(dossier.back(), '/');
        struct stat st {};
        ASSERT_EQ(::stat(dossier.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        writeFile(dossier + "page.html", "x");
    }
    EXPECT_FALSE(fs::exists(dossier));

    // Without TEMP, TMPDIR is used.
    ::unsetenv("TEMP");
    fs::create_directory("autre");
    ::setenv("TMPDIR", fs::absolute("autre").c_str(), 1);
    Rapport r(nullptr, &base);
    ::unsetenv("TMPDIR");
    EXPECT_EQ(r.Dossier().rfind(fs::absolute("autre").string() + "/qzv5-", 0), 0u);
}

TEST_F(RapportTest, EntriesReachTheTreeInOrderAndUnsafeNamesAreRefused) {
    ArbreTest arbre;
    Rapport r(&arbre, &base);
    EXPECT_TRUE(r.AjouteEntree("Premier", "pclcauteur.html", " "));
    EXPECT_FALSE(r.Enregistre());
    EXPECT_TRUE(r.AjouteEntree("Second", "img-afc-auteur1.jpg", "<b>c</b>"));
    for (const char *nom : {"../x.html", "a/b.html", "", "..", "/etc/passwd", "\xE9t\xE9.html"})
        EXPECT_FALSE(r.AjouteEntree("Mauvais", nom, " ")) << nom;
    ASSERT_EQ(arbre.noeuds.size(), 2u);
    EXPECT_EQ(arbre.noeuds[1], (std::pair<int32_t, std::string>{1, "Second"}));
    EXPECT_EQ(r.Fichiers(), (std::vector<std::string>{"pclcauteur.html", "img-afc-auteur1.jpg"}));
    EXPECT_EQ(r.Commentaires()[1], "<b>c</b>");
    ASSERT_EQ(r.Entrees().size(), 2u);
    EXPECT_EQ(r.Entrees()[0].titre, "Premier");
}

TEST_F(RapportTest, SaveWritesIndexContentsImagePagesAndDecorations) {
    Rapport r(nullptr, &base);
    fs::create_directory("images");
    for (const char *img : {"paper.gif", "bulle.gif", "cube.gif", "grille.gif"})
        writeFile(std::string("images/") + img, img);
    r.SetDossierImages(fs::absolute("images").string() + "/");

    EXPECT_FALSE(r.Sauve("")); // a cancelled folder choice
    EXPECT_TRUE(r.Erreur().empty());

    ASSERT_TRUE(r.Sauve("dest")) << r.Erreur();
    const std::string dossier = "dest/" + r.Nom() + "/";
    std::string index = readFile(dossier + "index.htm");
    EXPECT_NE(index.find("<OL>\r\n</OL>\r\n</BODY></HTML>\r\n"), std::string::npos) << index;
    EXPECT_NE(index.find("Principales carat\xE9ristiques lexicom\xE9triques"), std::string::npos);
    EXPECT_NE(index.find("Nombre des occurrences <td align=right>" + std::to_string(base.Nbocc()) +
                         "\r\n"),
              std::string::npos);
    EXPECT_NE(index.find("Fr\xE9quence maximale<td align=right>2\r\n"), std::string::npos);
    EXPECT_EQ(readFile(dossier + "contenu/cube.gif"), "cube.gif");

    writeFile(r.Dossier() + "pclcauteur.html", "<html>page</html>");
    writeFile(r.Dossier() + "img-grapheAC-2.jpg", "JPEG");
    r.AjouteEntree("Parties", "pclcauteur.html", " ");
    r.AjouteEntree("Graphe", "img-grapheAC-2.jpg", "<H3>Titre</H3>");
    ASSERT_TRUE(r.Sauve("dest")) << r.Erreur(); // same folder again
    EXPECT_TRUE(r.Enregistre());
    index = readFile(dossier + "index.htm");
    EXPECT_NE(index.find("<LI><A HREF=\"contenu/pclcauteur.html\">Parties</A>\r\n"
                         "<LI><A HREF=\"contenu/img-grapheAC-2.html\">Graphe</A>\r\n</OL>"),
              std::string::npos)
        << index;
    EXPECT_EQ(readFile(dossier + "contenu/pclcauteur.html"), "<html>page</html>");
    EXPECT_EQ(readFile(dossier + "contenu/img-grapheAC-2.jpg"), "JPEG");
    EXPECT_EQ(readFile(dossier + "contenu/img-grapheAC-2.html"),
              "<html>\r\n<head><title>Image</title></head>\r\n<body bgcolor=#ffffff>\r\n"
              "<H3>Titre</H3><br>\r\n<img src=\"img-grapheAC-2.jpg\">\r\n</body>\r\n</html>");
}

TEST_F(RapportTest, AFailedSaveSaysSoAndKeepsTheWorkingFolder) {
    Rapport r(nullptr, &base);
    writeFile(r.Dossier() + "a.html", "a");
    r.AjouteEntree("A", "a.html", " ");
    r.AjouteEntree("B", "b.html", " "); // its file was never written

    EXPECT_FALSE(r.Sauve("dest"));
    EXPECT_NE(r.Erreur().find("b.html"), std::string::npos) << r.Erreur();
    EXPECT_FALSE(r.Enregistre());
    EXPECT_FALSE(fileExists("dest/" + r.Nom() + "/index.htm"));
    EXPECT_TRUE(fileExists(r.Dossier() + "a.html"));

    writeFile("fichier", "pas un dossier");
    writeFile(r.Dossier() + "b.html", "b");
    EXPECT_FALSE(r.Sauve("fichier"));
    EXPECT_FALSE(r.Erreur().empty());
    EXPECT_TRUE(r.Sauve("dest")) << r.Erreur();
}

// Free page names are shared by every window of the report: no name is given twice, and
// names taken by an entry or a file of the folder are passed over.
TEST_F(RapportTest, FreeNamesNeverGiveAPageTwice) {
    Rapport rapport(nullptr, &base);
    EXPECT_EQ(rapport.NomLibre("sr", ".html", true), "sr.html");
    EXPECT_EQ(rapport.NomLibre("sr", ".html", true), "sr2.html");
    EXPECT_EQ(rapport.NomLibre("conc", ".html"), "conc1.html");
    writeFile(rapport.Dossier() + "conc2.html", "<html></html>");
    writeFile(rapport.Dossier() + "conc3.html", "<html></html>");
    ASSERT_TRUE(rapport.AjouteEntree("Page", "conc3.html", " "));
    writeFile(rapport.Dossier() + "conc4.html", "");
    EXPECT_EQ(rapport.NomLibre("conc", ".html"), "conc5.html");
    EXPECT_EQ(rapport.NomLibre("conc", ".jpg"), "conc1.jpg");
    EXPECT_EQ(rapport.NomLibre("sr", ".html", true), "sr3.html");

    // A new report starts again.
    Rapport autre(nullptr, &base);
    EXPECT_EQ(autre.NomLibre("conc", ".html"), "conc1.html");
}
