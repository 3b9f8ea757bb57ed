// morvix-cli concordance and inventaire on a small tagged base.
#include "TestSupport.h"

#include <gtest/gtest.h>

using morvix::test::writeFile;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

class CliConcordance : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile("t.txt", "<auteur=B>\nle chat dort . un chat mange\n<auteur=A>\nle chien\n"
                           "<auteur=C>\nle chat boit\n");
        ASSERT_EQ(cli("segment t.txt"), 0);
    }
    morvix::test::ScopedWorkDir dir;
};

} // namespace

TEST_F(CliConcordance, LinesSortedAndGroupedByPart) {
    std::string out, err;
    ASSERT_EQ(cli("concordance t.par chat --tri apres --largeur 10", &out, &err), 0) << err;
    // Contexts run across tags and line ends, which they never show.
    EXPECT_EQ(out, "e chien le chat boit \n"
                   "        le chat dort . un \n"
                   " dort . un chat mange le chien \n");
    EXPECT_EQ(err, "Nombre de contextes : 3\n");
    ASSERT_EQ(cli("concordance t.par chat --partition auteur --largeur 10", &out, &err), 0);
    EXPECT_EQ(out, "Partie : B, Nombre de contextes : 2\n"
                   "        le chat dort . un \n"
                   " dort . un chat mange le chien \n"
                   "Partie : C, Nombre de contextes : 1\n"
                   "e chien le chat boit \n");
    ASSERT_EQ(cli("concordance t.par --regex '^ch' --format rtf --largeur 10", &out, &err), 0);
    EXPECT_EQ(out.rfind("{\\rtf1\\ansi", 0), 0u);
    EXPECT_EQ(err, "Nombre de contextes : 4\n");
    ASSERT_EQ(cli("concordance t.par chien --format html", &out, &err), 0);
    EXPECT_NE(out.find("Concordance de : chien<br> (tri ordre du texte)"), std::string::npos);
}

TEST_F(CliConcordance, Inventory) {
    std::string out, err;
    ASSERT_EQ(cli("inventaire t.par le", &out, &err), 0) << err;
    EXPECT_EQ(out, "   2 ---- ---- ---- ---- ----  le chat \n");
    EXPECT_EQ(err, "1 segments\n");
}

TEST_F(CliConcordance, BadInputsFailWithAMessage) {
    std::string err;
    EXPECT_EQ(cli("concordance t.par absent", nullptr, &err), 1);
    EXPECT_EQ(cli("concordance t.par --regex '('", nullptr, &err), 2);
    EXPECT_NE(err.find("expression rationnelle invalide"), std::string::npos);
    EXPECT_EQ(cli("concordance t.par chat --regex chat", nullptr, &err), 2);
    EXPECT_EQ(cli("concordance t.par chat --tri travers", nullptr, &err), 2);
    EXPECT_EQ(cli("concordance t.par chat --largeur 5", nullptr, &err), 2);
    EXPECT_EQ(cli("concordance t.par chat --partition date", nullptr, &err), 1);
    EXPECT_EQ(cli("inventaire t.par --regex '^zz'", nullptr, &err), 1);
}
