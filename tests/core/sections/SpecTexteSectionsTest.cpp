#include "sections/RapportCarte.h"
#include "sections/SpecSections.h"
#include "sections/TexteSection.h"

#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Specificite.h"
#include "report/Rapport.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace morvix;

namespace {

int32_t code(const charg1 &b, const char *g) { return b.LocFormDic(g, false); }

// Sections where "chat" is frequent, others where it is absent, and a common filler.
std::string texteSpec() {
    std::string t;
    for (int s = 0; s < 40; ++s) {
        for (int i = 0; i < 30; ++i)
            t += "m" + std::to_string(i % 12) + " ";
        if (s % 4 == 0)
            t += "chat chat chat souris ";
        t += s % 5 == 0 ? ".\n" : ". ";
    }
    return t;
}

// The same computation written out with the view's own per-section counts.
std::vector<ResSpec> attendu(const charg1 &b, const Section &v, const std::vector<int32_t> &cibles,
                             int32_t frqMin, int32_t seuil, int32_t nbEtiqs) {
    int64_t t = 0;
    for (int32_t s : cibles)
        t += v.NbFormesSect(s);
    int64_t T = b.Nbocc();
    if (nbEtiqs > 1) {
        T /= nbEtiqs;
        t /= nbEtiqs;
    }
    std::vector<ResSpec> r;
    auto ajoute = [&](int32_t e, int32_t F, int32_t k) {
        const int32_t c =
            CoeffSpec(static_cast<double>(T), static_cast<double>(t), F, k, seuil / 100.0);
        if (c != 0)
            r.push_back({e, F, k, c});
    };
    for (int32_t j = 0; j < b.Nbform(); ++j) {
        if (b.RetourneFrq(j) < frqMin)
            continue;
        int32_t k = 0;
        for (int32_t s : cibles)
            k += v.FrqCodeSect(j, s);
        ajoute(j, b.RetourneFrq(j), k);
    }
    if (const SegmentStore *store = b.SegmentStoreAttache()) {
        for (int32_t e = b.Nbart() + 1; e <= b.NbTotEntites(); ++e) {
            const int32_t F = store->FrqSeg(e - b.Nbart() - 1);
            if (F < frqMin)
                continue;
            Tgen g(&b, &e, 1, nullptr);
            int32_t k = 0;
            for (int32_t s : cibles)
                k += v.FrqTgenSect(g, s);
            ajoute(e, F, k);
        }
    }
    std::stable_sort(r.begin(), r.end(),
                     [](const ResSpec &a, const ResSpec &c) { return a.Coeff > c.Coeff; });
    return r;
}

bool egaux(const std::vector<ResSpec> &a, const std::vector<ResSpec> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ResSpec &x, const ResSpec &y) {
                          return x.Code == y.Code && x.F == y.F && x.k == y.k && x.Coeff == y.Coeff;
                      });
}

class SpecSect : public ::testing::Test {
  protected:
    void SetUp() override {
        base = test::chargeTexte(texteSpec());
        point = code(*base, ".");
        vue = std::make_unique<Section>(*base, &point, 1);
        ASSERT_EQ(vue->NbSections, 40);
    }
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    int32_t point = -1;
    std::unique_ptr<Section> vue;
};

} // namespace

TEST_F(SpecSect, AgreesWithCountsPerSection) {
    // Sections 3, 7, ... hold "chat" (each section begins after a period).
    const std::vector<int32_t> cibles = {3, 7, 11, 15, 19, 20};
    for (int32_t nbEtiqs : {1, 2}) {
        std::vector<int32_t> appels;
        const ResultatSpecSections r = SpecSections(
            *vue, cibles, {2, 5, nbEtiqs}, [&](int32_t passe) { appels.push_back(passe); });
        EXPECT_EQ(r.nbSections, 6);
        EXPECT_FALSE(r.Vide());
        EXPECT_TRUE(egaux(r.resultats, attendu(*base, *vue, cibles, 2, 5, nbEtiqs))) << nbEtiqs;
        ASSERT_FALSE(r.resultats.empty());
        EXPECT_EQ(r.resultats.front().Code, code(*base, "chat"));
        EXPECT_FALSE(appels.empty());
    }
    // A high minimum frequency leaves the rare forms out.
    const auto rares = SpecSections(*vue, cibles, {1000, 5, 1});
    EXPECT_TRUE(rares.resultats.empty());
}

TEST_F(SpecSect, NoTargetOrNoFormGivesNothing) {
    EXPECT_TRUE(SpecSections(*vue, {}, {}).Vide());
    EXPECT_TRUE(SpecSections(*vue, {-1, 40}, {}).Vide());
    // The last section holds only the line end.
    EXPECT_EQ(vue->NbFormesSect(39), 0);
    const auto r = SpecSections(*vue, {39}, {});
    EXPECT_TRUE(r.Vide());
    EXPECT_TRUE(r.resultats.empty());
}

// Every segment of the store takes part, the last one included.
TEST_F(SpecSect, SegmentsUpToTheLastOne) {
    test::StoreManuel store;
    const int32_t chat = code(*base, "chat"), souris = code(*base, "souris");
    store.segs.push_back({{chat, chat}, {}});
    std::vector<int32_t> occ = base->LocOccFor(souris);
    for (int32_t &p : occ)
        p -= 1; // "chat souris" begins one position before each "souris"
    store.segs.push_back({{chat, souris}, occ});
    base->AssigneSR(&store);
    const std::vector<int32_t> cibles = {3, 7, 11};
    const auto r = SpecSections(*vue, cibles, {2, 5, 1});
    EXPECT_TRUE(egaux(r.resultats, attendu(*base, *vue, cibles, 2, 5, 1)));
    const int32_t dernier = base->NbTotEntites();
    EXPECT_TRUE(std::any_of(r.resultats.begin(), r.resultats.end(),
                            [&](const ResSpec &x) { return x.Code == dernier && x.k == 3; }));
    base->AssigneSR(nullptr);
}

TEST(TexteSection, TagsInBlueGroupsInTheirRuns) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("Avant . <p=3> Le chat dort . Un chat & un chien .\n");
    const int32_t point = code(*b, ".");
    Section v(*b, &point, 1);
    // The tag, then the words and the period, each followed by one blank.
    const auto r = TexteSection(v, 0, nullptr, nullptr);
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0].texte, "<p=3>");
    EXPECT_EQ(r.runs[0].style, StyleTexte::Balise);
    EXPECT_EQ(r.runs[1].texte, "Le chat dort . ");
    EXPECT_EQ(r.runs[1].style, StyleTexte::Normal);

    // "chat" belongs to both groups: the main group's.
    const int32_t cc = code(*b, "chat"), ch = code(*b, "chien");
    const int32_t deux[] = {cc, ch};
    Tgen g1(b.get(), &cc, 1, nullptr);
    Tgen g2(b.get(), deux, 2, nullptr);
    const auto s1 = TexteSection(v, 1, &g1, &g2);
    ASSERT_EQ(s1.runs.size(), 5u);
    EXPECT_EQ(s1.runs[0].texte, "Un ");
    EXPECT_EQ(s1.runs[1].texte, "chat ");
    EXPECT_EQ(s1.runs[1].style, StyleTexte::Groupe1);
    EXPECT_EQ(s1.runs[2].texte, "& un ");
    EXPECT_EQ(s1.runs[3].style, StyleTexte::Groupe2);
    EXPECT_EQ(s1.runs[4].texte, ". ");
    EXPECT_TRUE(TexteSection(v, 3, &g1, &g2).runs.empty());

    const auto court = TexteSection(v, 1, nullptr, nullptr, 2);
    EXPECT_EQ(court.runs.front().texte, "Un chat ");
    EXPECT_EQ(court.omises, 4);

    // The page: the main group in bold, the second not marked, graphies escaped.
    EXPECT_EQ(PageSection(v, 1, &g1),
              "<html>\n<head><title>Section 1</title></head>\n<body bgcolor=#ffffff>\n"
              "<h2>Section 1</h2><br>\n<font size=-2>\nUn <b>chat</b> &amp; un chien . "
              "</font>\n</body>\n</html>");
    EXPECT_NE(PageSection(v, 0, nullptr).find("<font color=\"#0000FF\">&lt;p=3&gt;</font>Le chat"),
              std::string::npos);
    EXPECT_EQ(NomPageSection(0), "section-0.html");
}

TEST(RapportCarte, ImageNameAndComment) {
    EXPECT_EQ(NomImageCarte(".", 1), "img-section-.1.jpg");
    EXPECT_EQ(NomImageCarte(".", 2), "img-section-.2.jpg");
    EXPECT_EQ(NomImageCarte("/", 3), "img-section-_3.jpg");
    const std::string g1 = "chat", g2 = "chien", cle = "auteur";
    const std::string c = CommentaireImageCarte({"Sections (1)", &g1, &g2, "roman", &cle}, 0);
    EXPECT_EQ(c.rfind("<CENTER><H3>Sections (1)</H3><CENTER><br>\nTerme = chat, chien<br>"
                      "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : roman</TD>\n",
                      0),
              0u);
    EXPECT_NE(c.find("<TD>Partition = auteur</TD>\n</TABLE><br>\n"), std::string::npos);
    const std::string sans = CommentaireImageCarte({"T", nullptr, &g2, "roman", nullptr}, 0);
    EXPECT_EQ(sans.find("Terme"), std::string::npos);
    EXPECT_EQ(sans.find("Partition"), std::string::npos);
}

// Two windows never write the same entry: the number goes past the names already taken.
TEST(RapportCarte, NumbersSkipTakenNames) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte("a . b .\n");
    Rapport rapport(nullptr, b.get());
    ASSERT_TRUE(rapport.Valide());
    auto nom = [](int32_t n) { return NomImageCarte(".", n); };
    EXPECT_EQ(NumeroLibre(rapport, nom), 1);
    test::writeFile(rapport.Dossier() + "img-section-.1.jpg", "x");
    EXPECT_EQ(NumeroLibre(rapport, nom), 2);
    test::writeFile(rapport.Dossier() + "img-section-.2.jpg", "x");
    ASSERT_TRUE(rapport.AjouteEntree("t", "img-section-.2.jpg", " "));
    test::writeFile(rapport.Dossier() + "img-section-.4.jpg", "x");
    EXPECT_EQ(NumeroLibre(rapport, nom), 3);
    EXPECT_EQ(NumeroLibre(rapport, [](int32_t n) { return NomPageSection(0, n); }), 1);
    EXPECT_EQ(NomPageSection(7, 2), "section-7-2.html");
}
