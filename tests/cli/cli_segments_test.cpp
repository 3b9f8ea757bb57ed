// morvix-cli segments: the store of a small base in computation order, and its files.
#include "TestSupport.h"

#include <gtest/gtest.h>

using morvix::test::writeFile;

namespace {

int cli(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
    return morvix::test::runCli(args, out, err);
}

} // namespace

TEST(CliSegments, PrintsTheStoreAndWritesItsFiles) {
    morvix::test::ScopedWorkDir dir;
    writeFile("t.txt", "x , le petit chat . y le petit chat . le petit chien , z le petit chat");
    ASSERT_EQ(cli("segment t.txt"), 0);
    std::string out, err;
    ASSERT_EQ(cli("segments t.par --seuil-formes 2 --seuil-segments 2", &out, &err), 0) << err;
    EXPECT_EQ(out, "longueur\tsegment\tfrequence\n"
                   "3\tle petit chat \t3\n"
                   "2\tle petit \t4\n");
    EXPECT_EQ(morvix::test::readInt32File("t.loc.sr").size(), 7u);
    EXPECT_TRUE(morvix::test::fileExists("t.desc.sr"));

    // Only the comma stops the preceding form: "y" and "." no longer do.
    ASSERT_EQ(cli("segments t.par --seuil-formes 2 --seuil-segments 2 --delims ,", &out, &err), 0);
    EXPECT_EQ(out, "longueur\tsegment\tfrequence\n"
                   "3\tle petit chat \t3\n"
                   "2\tle petit \t4\n");

    ASSERT_EQ(cli("segments t.par", &out, &err), 0);
    EXPECT_EQ(out, "longueur\tsegment\tfrequence\n");
    EXPECT_NE(err.find("Aucun segment trouv"), std::string::npos);
}

TEST(CliSegments, BadInputsFailWithAMessage) {
    morvix::test::ScopedWorkDir dir;
    std::string err;
    EXPECT_EQ(cli("segments absent.par", nullptr, &err), 1);
    EXPECT_FALSE(err.empty());
    writeFile("t.txt", "a b a b");
    ASSERT_EQ(cli("segment t.txt"), 0);
    EXPECT_EQ(cli("segments t.par --seuil-segments 1", nullptr, &err), 2);
    EXPECT_EQ(cli("segments t.par --seuil-formes x", nullptr, &err), 2);
}
