// The correspondence analysis program: a known result, the invariants every analysis must
// keep, and the refusal of malformed exchange files.
#include "AnalyseAfc.h"
#include "CoranDon.h"
#include "TestSupport.h"

#include "afc/TListePoints.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace morvix;
using namespace morvix::afc;
using morvix::test::ScopedWorkDir;

namespace {

const std::string kProgramme = std::string(MORVIX_BIN_DIR) + "/qz5afc";

// Rows x columns of counts as a table whose columns are all active.
TableAfc table(const std::vector<std::vector<int64_t>> &n, int32_t nf) {
    TableAfc t;
    t.titre = "test";
    t.nbColonnes = static_cast<int32_t>(n[0].size());
    t.types.assign(n[0].size(), 1);
    for (size_t i = 0; i < n.size(); ++i)
        t.actives.push_back(
            LigneTable::Dense(static_cast<int64_t>(i), "r" + std::to_string(i), n[i]));
    t.nbFacteurs = nf;
    return t;
}

// Staff groups x smoking classes.
const std::vector<std::vector<int64_t>> kSmoke = {
    {4, 2, 3, 2}, {4, 3, 7, 4}, {25, 10, 12, 4}, {18, 24, 33, 13}, {10, 6, 7, 2}};

double chi2SurN(const std::vector<std::vector<int64_t>> &n) {
    double total = 0;
    std::vector<double> r(n.size(), 0), c(n[0].size(), 0);
    for (size_t i = 0; i < n.size(); ++i)
        for (size_t j = 0; j < n[i].size(); ++j) {
            r[i] += static_cast<double>(n[i][j]);
            c[j] += static_cast<double>(n[i][j]);
            total += static_cast<double>(n[i][j]);
        }
    double chi2 = 0;
    for (size_t i = 0; i < n.size(); ++i)
        for (size_t j = 0; j < n[i].size(); ++j) {
            double e = r[i] * c[j] / total;
            if (e == 0)
                continue;
            chi2 += (static_cast<double>(n[i][j]) - e) * (static_cast<double>(n[i][j]) - e) / e;
        }
    return chi2 / total;
}

std::vector<std::vector<int64_t>> pseudoAleatoire(size_t lignes, size_t colonnes) {
    std::vector<std::vector<int64_t>> n(lignes, std::vector<int64_t>(colonnes));
    uint32_t x = 2463534242u;
    for (auto &l : n)
        for (auto &v : l) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            v = 1 + static_cast<int64_t>(x % 40);
        }
    return n;
}

} // namespace

TEST(AnalyseAfc, SmokeTableHasTheKnownPrincipalInertias) {
    ResultatAfc r;
    std::string erreur;
    ASSERT_TRUE(CalculeAfc(table(kSmoke, 3), r, erreur)) << erreur;
    ASSERT_EQ(r.valeursPropres.size(), 3u);
    EXPECT_NEAR(r.valeursPropres[0], 0.07476, 5e-6);
    EXPECT_NEAR(r.valeursPropres[1], 0.01002, 5e-6);
    EXPECT_NEAR(r.valeursPropres[2], 0.00041, 5e-6);
    // Columns "none" and "heavy" on the first factor, sign normalised.
    EXPECT_NEAR(r.colonnes[0].coord[0], 0.3933, 1e-4);
    EXPECT_NEAR(r.colonnes[3].coord[0], -0.2938, 1e-4);
}

TEST(AnalyseAfc, InvariantsHoldOnEveryTable) {
    struct Cas {
        const char *nom;
        std::vector<std::vector<int64_t>> n;
        int32_t nf;
    };
    const std::vector<Cas> cas = {
        {"smoke", kSmoke, 3},
        {"30x6", pseudoAleatoire(30, 6), 5},
        {"rank below NF", {{5, 1, 0, 2}, {1, 4, 3, 0}}, 3},
        {"zero row", {{5, 1, 2}, {0, 0, 0}, {2, 6, 1}, {1, 1, 7}}, 2},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        ResultatAfc r;
        std::string erreur;
        ASSERT_TRUE(CalculeAfc(table(c.n, c.nf), r, erreur)) << erreur;
        ASSERT_EQ(r.valeursPropres.size(), static_cast<size_t>(c.nf));
        double somme = std::accumulate(r.valeursPropres.begin(), r.valeursPropres.end(), 0.0);
        EXPECT_NEAR(somme, chi2SurN(c.n), 1e-10);
        EXPECT_NEAR(r.total, chi2SurN(c.n), 1e-10);
        for (int32_t k = 0; k < c.nf; ++k) {
            double ctrCol = 0, ctrLig = 0;
            for (const PointAfc &p : r.colonnes)
                ctrCol += p.ctr[static_cast<size_t>(k)];
            for (const PointAfc &p : r.lignes)
                ctrLig += p.ctr[static_cast<size_t>(k)];
            double attendu = r.valeursPropres[static_cast<size_t>(k)] > 0 ? 1.0 : 0.0;
            EXPECT_NEAR(ctrCol, attendu, 1e-9) << "factor " << k;
            EXPECT_NEAR(ctrLig, attendu, 1e-9) << "factor " << k;
        }
        for (const PointAfc &p : r.lignes)
            if (p.masse == 0) {
                EXPECT_EQ(p.distance, 0.0);
            }
        for (const PointAfc &p : r.colonnes) {
            double cos2 = std::accumulate(p.cos2.begin(), p.cos2.end(), 0.0);
            EXPECT_NEAR(cos2, p.distance > 0 ? 1.0 : 0.0, 1e-9) << "column " << p.ident;
            double d2 = 0;
            for (double g : p.coord)
                d2 += g * g;
            EXPECT_NEAR(std::sqrt(d2), p.distance, 1e-9);
        }
        if (c.n.size() == 2) { // rank 1: factors 2 and 3 are empty
            EXPECT_EQ(r.valeursPropres[1], 0.0);
        }
    }
}

TEST(AnalyseAfc, SupplementaryPointsEqualToActiveOnesGetTheirCoordinates) {
    std::vector<std::vector<int64_t>> n = pseudoAleatoire(12, 5);
    for (auto &l : n)
        l.push_back(l[1] * 3); // column 5: column 1 scaled, supplementary
    TableAfc t = table(n, 4);
    t.types[5] = 2;
    t.supplementaires.push_back(LigneTable::Dense(99999, "copie de r4", n[4]));
    for (auto &v : t.supplementaires[0].valeurs)
        v *= 2;
    ResultatAfc r;
    std::string erreur;
    ASSERT_TRUE(CalculeAfc(t, r, erreur)) << erreur;
    const PointAfc &sup = r.colonnes[5];
    EXPECT_FALSE(sup.actif);
    const PointAfc &supLigne = r.lignes.back();
    EXPECT_FALSE(supLigne.actif);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(sup.coord[k], r.colonnes[1].coord[k], 1e-12);
        EXPECT_NEAR(sup.cos2[k], r.colonnes[1].cos2[k], 1e-12);
        EXPECT_EQ(sup.ctr[k], 0.0);
        EXPECT_NEAR(supLigne.coord[k], r.lignes[4].coord[k], 1e-12);
    }
    // The supplementary column changes nothing in the analysis of the others.
    ResultatAfc sans;
    ASSERT_TRUE(CalculeAfc(table(pseudoAleatoire(12, 5), 4), sans, erreur));
    for (size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(r.valeursPropres[k], sans.valeursPropres[k], 1e-12);
}

TEST(AnalyseAfc, SparseWideTableAgreesWithTheSvdOfTheResiduals) {
    // 60 rows x 40 columns, most cells 0 (rows of a few cells take the sparse path of the
    // cross-products, full rows the dense one), two supplementary columns; the reference is
    // the SVD of the dense standardized residuals and the transition formula.
    const int32_t m = 60, nj = 40;
    std::vector<std::vector<int64_t>> n = pseudoAleatoire(size_t(m), size_t(nj));
    for (int32_t i = 0; i < m; ++i)
        for (int32_t j = 0; j < nj; ++j)
            if (i >= 10 && (i * 7 + j * 3) % 11 != 0)
                n[size_t(i)][size_t(j)] = 0;
    TableAfc t = table(n, 12);
    t.types[5] = t.types[17] = 2;
    ResultatAfc r;
    std::string erreur;
    ASSERT_TRUE(CalculeAfc(t, r, erreur)) << erreur;

    std::vector<int32_t> act;
    for (int32_t j = 0; j < nj; ++j)
        if (t.types[size_t(j)] == 1)
            act.push_back(j);
    Eigen::MatrixXd p(m, Eigen::Index(act.size()));
    for (int32_t i = 0; i < m; ++i)
        for (size_t a = 0; a < act.size(); ++a)
            p(i, Eigen::Index(a)) = double(n[size_t(i)][size_t(act[a])]);
    p /= p.sum();
    const Eigen::VectorXd rm = p.rowwise().sum(), cm = p.colwise().sum().transpose();
    Eigen::MatrixXd s = rm.cwiseSqrt().cwiseInverse().asDiagonal() * (p - rm * cm.transpose()) *
                        cm.cwiseSqrt().cwiseInverse().asDiagonal();
    Eigen::JacobiSVD<Eigen::MatrixXd> svd(s, Eigen::ComputeThinU | Eigen::ComputeThinV);
    for (int32_t k = 0; k < 12; ++k) {
        const double sigma = svd.singularValues()[k];
        EXPECT_NEAR(r.valeursPropres[size_t(k)], sigma * sigma, 1e-12) << k;
        // Column principal coordinates, up to the sign of the factor.
        Eigen::VectorXd g =
            cm.cwiseSqrt().cwiseInverse().asDiagonal() * svd.matrixV().col(k) * sigma;
        Eigen::VectorXd calcule(Eigen::Index(act.size()));
        for (size_t a = 0; a < act.size(); ++a)
            calcule[Eigen::Index(a)] = r.colonnes[size_t(act[a])].coord[size_t(k)];
        const double signe = g.dot(calcule) < 0 ? -1.0 : 1.0;
        for (size_t a = 0; a < act.size(); ++a)
            EXPECT_NEAR(r.colonnes[size_t(act[a])].coord[size_t(k)], signe * g[Eigen::Index(a)],
                        1e-9)
                << k << " " << a;
        // A supplementary column: its profile on the rows times the row standard coordinates.
        Eigen::VectorXd phi = rm.cwiseSqrt().cwiseInverse().asDiagonal() * svd.matrixU().col(k);
        for (int32_t j : {5, 17}) {
            double somme = 0, proj = 0;
            for (int32_t i = 0; i < m; ++i)
                somme += double(n[size_t(i)][size_t(j)]);
            for (int32_t i = 0; i < m; ++i)
                proj += double(n[size_t(i)][size_t(j)]) / somme * phi[i];
            EXPECT_NEAR(r.colonnes[size_t(j)].coord[size_t(k)], signe * proj, 1e-9) << j;
        }
    }
}

TEST(AnalyseAfc, EmptyOrColumnlessTablesAreRefused) {
    ResultatAfc r;
    std::string erreur;
    EXPECT_FALSE(CalculeAfc(table({{0, 0}, {0, 0}}, 1), r, erreur));
    EXPECT_FALSE(erreur.empty());
    TableAfc t = table(kSmoke, 3);
    t.types.assign(4, 2);
    EXPECT_FALSE(CalculeAfc(t, r, erreur));
}

namespace {

const char *const kCoranSmoke = "smoke\r\n"
                                "   5   4   5   1   0\r\n"
                                "   0   1   2   3\r\n"
                                "1111\r\n"
                                "(6x,5A4,4F5.0)\r\n"
                                "    0 SM                       4    2    3    2\r\n"
                                "    1 JM                       4    3    7    4\r\n"
                                "    2 SE                      25   10   12    4\r\n"
                                "    3 JE                      18   24   33   13\r\n"
                                "    4 SC                      10    6    7    2\r\n"
                                "   3   0   0   4 150   0   0\r\n";

int lance(std::string *err = nullptr) { return morvix::test::runCommand(kProgramme, nullptr, err); }

} // namespace

TEST(Qz5afc, WritesFactorAndEigenvalueFilesThatReadBack) {
    ScopedWorkDir dir;
    morvix::test::writeFile("coran.don", kCoranSmoke);
    ASSERT_EQ(lance(), 0);
    TListePoints points("facteurs.txt", 4);
    ASSERT_TRUE(points.Valide()) << points.Erreur();
    EXPECT_EQ(points.NbFact, 3);
    double masse = 0;
    for (int32_t p = 0; p < 4; ++p) {
        masse += points.Masse[static_cast<size_t>(p)];
        EXPECT_EQ(points.Actif[static_cast<size_t>(p)], 1);
    }
    EXPECT_NEAR(masse, 1000.0, 1e-3);
    EXPECT_NEAR(points.Fact[0][0], 393.3, 0.1); // thousandths
    std::vector<int64_t> vp;
    ASSERT_TRUE(LitValeursPropres("vp.txt", vp));
    EXPECT_EQ(vp, (std::vector<int64_t>{74759, 10017, 414}));
    EXPECT_TRUE(morvix::test::fileExists("lignes.txt"));
}

TEST(Qz5afc, ReadsWideCountsAndWideRowNumbers) {
    ScopedWorkDir dir;
    morvix::test::writeFile("coran.don", "large\n   2   3   5   1   0\n   0   1   2\n121\n"
                                         "(8x,5A4,3F8.0)\n"
                                         " 1234567 une forme assez long 1234567      10     500\n"
                                         "       2 deux                      7  250000      12\n"
                                         "   2   0   0   4 150   0   0\n"
                                         " 7654321 seg                       0       0       5\n");
    TableAfc t;
    std::string erreur;
    ASSERT_TRUE(LitCoranDon("coran.don", t, erreur)) << erreur;
    ASSERT_EQ(t.actives.size(), 2u);
    EXPECT_EQ(t.actives[0].numero, 1234567);
    EXPECT_EQ(t.actives[0].libelle, "une forme assez long");
    EXPECT_EQ(t.actives[0].Comptes(3), (std::vector<int64_t>{1234567, 10, 500}));
    EXPECT_EQ(t.actives[1].Comptes(3)[1], 250000);
    EXPECT_EQ(t.types, (std::vector<int32_t>{1, 2, 1}));
    ASSERT_EQ(t.supplementaires.size(), 1u);
    EXPECT_EQ(t.supplementaires[0].numero, 7654321);
}

TEST(Qz5afc, MalformedExchangeFilesGiveAMessageAndNoFactorFile) {
    const std::string tete = "t\n   2   2   5   1   0\n   0   1\n11\n(6x,5A4,2F5.0)\n";
    const std::string ligne0 = "    0 a                        3    1\n";
    const std::string ligne1 = "    1 b                        1    4\n";
    const std::string nf = "   1   0   0   4 150   0   0\n";
    struct Cas {
        const char *nom;
        std::string texte; // empty: no file at all
    };
    const std::vector<Cas> cas = {
        {"no file", ""},
        {"truncated header", "t\n   2   2   5   1   0\n"},
        {"NI not a number",
         "t\n  xx   2   5   1   0\n   0   1\n11\n(6x,5A4,2F5.0)\n" + ligne0 + ligne1 + nf},
        {"unknown column kind",
         "t\n   2   2   5   1   0\n   0   1\n13\n(6x,5A4,2F5.0)\n" + ligne0 + ligne1 + nf},
        {"layout count differs",
         "t\n   2   2   5   1   0\n   0   1\n11\n(6x,5A4,3F5.0)\n" + ligne0 + ligne1 + nf},
        {"missing active row", tete + ligne0 + nf},
        {"count not a number", tete + ligne0 + "    1 b                        1   4x\n" + nf},
        {"negative count", tete + ligne0 + "    1 b                        1   -4\n" + nf},
        {"short label", tete + ligne0 + "    1 b  1\n" + nf},
        {"missing factor line", tete + ligne0 + ligne1},
        {"bad supplementary row", tete + ligne0 + ligne1 + nf + "   77 s              1\n"},
        {"empty active table", tete + "    0 a                        0    0\n" +
                                   "    1 b                        0    0\n" + nf},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        ScopedWorkDir dir;
        if (!c.texte.empty())
            morvix::test::writeFile("coran.don", c.texte);
        std::string err;
        EXPECT_NE(lance(&err), 0);
        EXPECT_NE(err.find("qz5afc: "), std::string::npos) << err;
        EXPECT_FALSE(morvix::test::fileExists("facteurs.txt"));
    }
    // The same frame with sound rows is accepted.
    ScopedWorkDir dir;
    morvix::test::writeFile("coran.don", tete + ligne0 + ligne1 + nf);
    EXPECT_EQ(lance(), 0);
    EXPECT_TRUE(morvix::test::fileExists("facteurs.txt"));
}

TEST(Qz5afc, APlantedLinkUnderAResultNameIsRefusedAndNotFollowed) {
    for (const char *nom : {"vp.txt", "lignes.txt", "facteurs.txt"}) {
        SCOPED_TRACE(nom);
        ScopedWorkDir dir;
        morvix::test::writeFile("victime", "intact");
        ::mkdir("echange", 0700);
        ASSERT_EQ(::chdir("echange"), 0);
        morvix::test::writeFile("coran.don", kCoranSmoke);
        ASSERT_EQ(::symlink("../victime", nom), 0);
        std::string err;
        EXPECT_EQ(lance(&err), 1);
        EXPECT_NE(err.find(std::string(nom) + " est un lien symbolique"), std::string::npos) << err;
        EXPECT_EQ(morvix::test::readFile("../victime"), "intact");
        struct stat st {};
        EXPECT_EQ(::lstat(nom, &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        if (std::string(nom) != "facteurs.txt") {
            EXPECT_FALSE(morvix::test::fileExists("facteurs.txt"));
        }
        for (const auto &e : std::filesystem::directory_iterator("."))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
        ASSERT_EQ(::chdir(".."), 0);
    }
}
