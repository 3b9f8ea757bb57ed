// The clustering program: Ward's merges on known points and on a real analysis.
#include "ClassificationWard.h"
#include "TestSupport.h"

#include "afc/LimitesAfc.h"
#include "afc/TListePoints.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace morvix;
using morvix::test::ScopedWorkDir;

TEST(Ward, MergesClosePointsFirstWithWardIndices) {
    // Two pairs on a line, far apart; equal weights.
    std::vector<std::vector<double>> coord = {{0.0}, {10.0}, {1.0}, {12.0}};
    std::vector<cah::Fusion> f = cah::Ward({1, 1, 1, 1}, coord);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].aine, 0);
    EXPECT_EQ(f[0].cadet, 2);
    EXPECT_DOUBLE_EQ(f[0].indice, 0.5);
    EXPECT_EQ(f[1].aine, 1);
    EXPECT_EQ(f[1].cadet, 3);
    EXPECT_DOUBLE_EQ(f[1].indice, 2.0);
    EXPECT_EQ(f[2].aine, 4);
    EXPECT_EQ(f[2].cadet, 5);
    EXPECT_EQ(f[2].effectif, 4);
    // Centroids 0.5 and 11, weights 2 and 2: 2*2/4 * 10.5^2.
    EXPECT_DOUBLE_EQ(f[2].indice, 10.5 * 10.5);
    EXPECT_EQ(cah::OrdreFeuilles(f, 4), (std::vector<int32_t>{0, 2, 1, 3}));
}

TEST(Ward, IndicesSumToTheInertiaOfTheCloud) {
    // Weighted points: the merges add up to the cloud's inertia about its centroid.
    std::vector<double> w = {0.1, 0.3, 0.2, 0.15, 0.25};
    std::vector<std::vector<double>> coord = {{1, 2}, {-1, 0.5}, {3, -2}, {0, 0}, {-2, 1}};
    double cx = 0, cy = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        cx += w[i] * coord[i][0];
        cy += w[i] * coord[i][1];
    }
    double inertie = 0;
    for (size_t i = 0; i < w.size(); ++i)
        inertie += w[i] * ((coord[i][0] - cx) * (coord[i][0] - cx) +
                           (coord[i][1] - cy) * (coord[i][1] - cy));
    std::vector<cah::Fusion> f = cah::Ward(w, coord);
    double somme = 0;
    for (size_t s = 0; s < f.size(); ++s) {
        somme += f[s].indice;
        if (s > 0) {
            EXPECT_LE(f[s - 1].indice, f[s].indice);
        }
    }
    EXPECT_NEAR(somme, inertie, 1e-12);
}

TEST(Qz5cah, ClustersTheActivePartsOfAnAnalysis) {
    ScopedWorkDir dir;
    // Masses per mille, coordinates in thousandths; part 2 is supplementary.
    morvix::test::writeFile("facteurs.txt", "4 2\n"
                                            "1 0 250 100 100 0 500 0 1 0\n"
                                            "1 1 250 110 110 0 500 0 1 0\n"
                                            "0 2 100 50 0 50 0 0 0 1\n"
                                            "1 3 500 300 -300 0 0 0 1 0\n");
    ASSERT_EQ(morvix::test::runCommand(std::string(MORVIX_BIN_DIR) + "/qz5cah"), 0);
    std::string cah = morvix::test::readFile("cah.txt");
    EXPECT_NE(cah.find("3 parties class\xE9"
                       "es sur 2 facteurs"),
              std::string::npos)
        << cah;
    EXPECT_NE(cah.find("non class\xE9"
                       "es (suppl\xE9mentaires ou de masse nulle) : 2"),
              std::string::npos);
    // First merge: parts 0 and 1, node 4.
    EXPECT_NE(cah.find("       4      0      1         2"), std::string::npos) << cah;
    EXPECT_NE(cah.find("Dendrogramme"), std::string::npos);

    // A link planted under the result's name is refused, the file it points to untouched.
    std::remove("cah.txt");
    morvix::test::writeFile("victime", "intact");
    ASSERT_EQ(::symlink("victime", "cah.txt"), 0);
    std::string err;
    EXPECT_EQ(morvix::test::runCommand(std::string(MORVIX_BIN_DIR) + "/qz5cah", nullptr, &err), 1);
    EXPECT_NE(err.find("cah.txt est un lien symbolique"), std::string::npos) << err;
    EXPECT_EQ(morvix::test::readFile("victime"), "intact");
}

TEST(Qz5cah, WithoutReadableFactorsItFailsAndWritesNothing) {
    for (const char *contenu : {"", "2 1\n1 0 500 1 1 1 1\n1 1 500 1 2 1 1\n"}) {
        ScopedWorkDir dir;
        if (*contenu)
            morvix::test::writeFile("facteurs.txt", contenu);
        std::string err;
        EXPECT_NE(morvix::test::runCommand(std::string(MORVIX_BIN_DIR) + "/qz5cah", nullptr, &err),
                  0);
        EXPECT_NE(err.find("qz5cah: "), std::string::npos);
        EXPECT_FALSE(morvix::test::fileExists("cah.txt"));
    }
}

TEST(LimiteFacteurs, OneLimitForTheAnalysisTheClusteringAndTheReaders) {
    // The most factors one may ask: the analysis writes them, every reader takes them.
    const std::string tete = "t\n   3   3   5   1   0\n   0   1   2\n111\n(6x,5A4,3F5.0)\n"
                             "    0 a                        5    1    2\n"
                             "    1 b                        1    6    2\n"
                             "    2 c                        2    1    7\n";
    auto lanceAfc = [](std::string *err) {
        return morvix::test::runCommand(std::string(MORVIX_BIN_DIR) + "/qz5afc", nullptr, err);
    };
    {
        ScopedWorkDir dir;
        morvix::test::writeFile("coran.don",
                                tete + std::to_string(kMaxFacteurs) + "   0   0   4 150   0   0\n");
        std::string err;
        ASSERT_EQ(lanceAfc(&err), 0) << err;
        TListePoints points("facteurs.txt", 3);
        ASSERT_TRUE(points.Valide()) << points.Erreur();
        EXPECT_EQ(points.NbFact, kMaxFacteurs);
        std::vector<int64_t> vp;
        EXPECT_TRUE(LitValeursPropres("vp.txt", vp));
        EXPECT_EQ(vp.size(), size_t(kMaxFacteurs));
        EXPECT_EQ(morvix::test::runCommand(std::string(MORVIX_BIN_DIR) + "/qz5cah", nullptr, &err),
                  0)
            << err;
    }
    // One more: refused by the analysis, with the limit in its message, and by the readers.
    ScopedWorkDir dir;
    morvix::test::writeFile("coran.don",
                            tete + std::to_string(kMaxFacteurs + 1) + "   0   0   4 150   0   0\n");
    std::string err;
    EXPECT_EQ(lanceAfc(&err), 1);
    EXPECT_NE(err.find("au plus " + std::to_string(kMaxFacteurs)), std::string::npos) << err;
    EXPECT_FALSE(morvix::test::fileExists("facteurs.txt"));
    std::string facteurs = "1 " + std::to_string(kMaxFacteurs + 1) + "\n1 0";
    for (int32_t k = 0; k < 3 * (kMaxFacteurs + 1) + 2; ++k)
        facteurs += " 0";
    morvix::test::writeFile("facteurs.txt", facteurs + "\n");
    TListePoints trop("facteurs.txt");
    EXPECT_FALSE(trop.Valide());
    EXPECT_NE(trop.Erreur().find("au plus"), std::string::npos) << trop.Erreur();
    std::string valeurs = std::to_string(kMaxFacteurs + 1) + "\n";
    for (int32_t k = 0; k <= kMaxFacteurs; ++k)
        valeurs += "1\n";
    morvix::test::writeFile("vp.txt", valeurs);
    std::vector<int64_t> vp;
    EXPECT_FALSE(LitValeursPropres("vp.txt", vp));
}
