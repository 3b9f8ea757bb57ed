// --segments SF,SS: the repeated segments computed first stand as poles and rows.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

class CliSegmentsOption : public ::testing::Test {
  protected:
    void SetUp() override {
        morvix::test::writeFile("t.txt", "<a=X>\nle petit chat dort . le petit chat mange\n"
                                         "<a=Y>\nun petit chat boit . le chien\n");
        ASSERT_EQ(cli("segment t.txt"), 0);
    }
    morvix::test::ScopedWorkDir dir;
};

} // namespace

TEST_F(CliSegmentsOption, SegmentTextIsAPoleAndSegmentsAreRows) {
    std::string out, err;
    // Without the option a segment's text names nothing.
    EXPECT_EQ(cli("concordance t.par 'petit chat'", &out, &err), 1);
    ASSERT_EQ(cli("concordance t.par 'petit chat' --segments 2,2 --largeur 10", &out, &err), 0)
        << err;
    // The pole shown is the segment's first form, the rest of it begins the right context.
    EXPECT_EQ(out, "        le petit chat dort \n"
                   " dort . le petit chat mange \n"
                   "t mange un petit chat boit \n");
    EXPECT_EQ(err, "Nombre de contextes : 3\n");
    EXPECT_TRUE(morvix::test::fileExists("t.loc.sr"));

    ASSERT_EQ(cli("spectot t.par a --segments 2,2 --frqmin 0", &out, &err), 0) << err;
    EXPECT_NE(out.find("\npetit chat \t3\t2\t"), std::string::npos) << out;
    ASSERT_EQ(cli("specif t.par a --parts X --segments 2,2 --frqmin 0 --seuil 100", &out, &err), 0)
        << err;
    EXPECT_NE(out.find("petit chat "), std::string::npos) << out;
    for (const char *commande : {"chrono t.par a", "increments t.par a --part X"})
        EXPECT_EQ(cli(std::string(commande) + " --segments 2,2", &out, &err), 0) << commande << err;
}

TEST_F(CliSegmentsOption, MalformedThresholdsAndNoSegment) {
    std::string out, err;
    for (const char *valeur : {"2", "2,1", "a,2", "0,2", "2,2,2"}) {
        EXPECT_EQ(cli(std::string("spectot t.par a --segments ") + valeur, &out, &err), 2)
            << valeur;
        EXPECT_NE(err.find("--segments attend SF,SS"), std::string::npos) << err;
    }
    // Thresholds that find nothing: said, and the command goes on with the forms.
    ASSERT_EQ(cli("concordance t.par chat --segments 2,9", &out, &err), 0);
    EXPECT_NE(err.find("Aucun segment trouv"), std::string::npos);
    EXPECT_NE(err.find("Nombre de contextes : 3"), std::string::npos);
}
