// The factorial map's layout and mouse rules, and the texts of its table, histogram and
// report images.
#include "afc/CarteFactorielle.h"
#include "afc/TListePoints.h"
#include "afc/TableFacteurs.h"

#include "base/charg1.h"
#include "partitions/Partition.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace morvix;

namespace {

// Three parts on three factors.
TListePoints troisPoints(const std::string &nom = "f.txt") {
    test::writeFile(nom, "3 3\n"
                         "1 0 250 120 -100 -20 5 300 10 1 0.8 0.15 0.05\n"
                         "1 1 400 80 200 40 0 500 200 0 0.6 0.4 0\n"
                         "0 2 350 10 50 -60 7 0 0 0 0.3 0.7 0\n");
    TListePoints p(nom, 3);
    EXPECT_TRUE(p.Valide()) << p.Erreur();
    return p;
}

struct Trois {
    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base = test::chargeTexte("<t=a> un <t=b> deux <t=c> trois\n");
    Partition partition{*base, Partition::CodeCle(*base, "t")};
    std::vector<bool> selec() const { return partition.Selec; }
    std::vector<bool> cochee() const { return partition.Cochee; }
};

} // namespace

// Between −120 and 260 ticks fall at −100, −50, 50 … 250, short at ±50 then alternating.
TEST(CarteFactorielle, Ticks) {
    const std::vector<Graduation> g = Graduations(-120, 260);
    const std::vector<Graduation> attendues = {{-100, true}, {-50, false}, {50, false}, {100, true},
                                               {150, false}, {200, true},  {250, false}};
    EXPECT_EQ(g, attendues);
    EXPECT_TRUE(Graduations(-50, 50).empty());
    EXPECT_TRUE(Graduations(0, 1e12).empty()); // would be a solid bar
    EXPECT_EQ(Graduations(10, 160).size(), 3u);
}

// Pixels are truncated toward zero, the 30-pixel margin is kept right and below.
TEST(CarteFactorielle, Scale) {
    const EchelleCarte e(330, 230, -100, 200, -50, 150);
    EXPECT_EQ(e.PixelX(-100), 0);
    EXPECT_EQ(e.PixelX(200), 300);
    EXPECT_EQ(e.PixelX(0), 100);
    EXPECT_EQ(e.PixelX(-99.5), 0);
    EXPECT_EQ(e.PixelX(-100.5), 0);
    EXPECT_EQ(e.PixelX(-110), -10);
    EXPECT_EQ(e.PixelY(150), 0);
    EXPECT_EQ(e.PixelY(-50), 200);
    EXPECT_EQ(e.PixelY(0), 150);
    EXPECT_DOUBLE_EQ(e.ValeurX(100), 0);
    // A far-away axis stays drawable.
    EXPECT_EQ(EchelleCarte(330, 230, 1e8, 1e8 + 1, 0, 1).PixelX(0), -1000000000);
}

// Boxes sit at the points and are 7 pixels larger than their text; a click or a rubber
// band hits every box it touches, edges included.
TEST(CarteFactorielle, BoxesAndHits) {
    test::ScopedWorkDir dir;
    TListePoints p = troisPoints();
    CarteFactorielle carte;
    const std::vector<TailleTexte> textes = {{20, 10}, {30, 10}, {5, 10}};
    carte.Dispose(p, 330, 130, textes);
    // X from −100 to 200, Y from −60 to 40 over 300 × 100 pixels.
    ASSERT_EQ(carte.Boites().size(), 3u);
    EXPECT_EQ(carte.Boites()[0].x, 0);
    EXPECT_EQ(carte.Boites()[0].y, 60);
    EXPECT_EQ(carte.Boites()[0].l, 27);
    EXPECT_EQ(carte.Boites()[0].h, 17);
    EXPECT_EQ(carte.Boites()[1].x, 300);
    EXPECT_EQ(carte.Boites()[1].y, 0);
    EXPECT_EQ(carte.AxeVertical(), 100);
    EXPECT_EQ(carte.AxeHorizontal(), 40);
    EXPECT_EQ(carte.SousPixel(5, 65), (std::vector<int32_t>{0}));
    EXPECT_TRUE(carte.SousPixel(27, 65).empty());
    EXPECT_EQ(carte.Touchees(26, 76, 26, 76), (std::vector<int32_t>{0}));
    EXPECT_TRUE(carte.Touchees(27, 77, 40, 90).empty());
    EXPECT_EQ(carte.Touchees(400, 0, 0, 200), (std::vector<int32_t>{0, 1, 2}));
    // Ticks follow the axes.
    EXPECT_EQ(carte.GraduationsX().size(), 4u); // −50, 50, 100, 150
    EXPECT_EQ(carte.GraduationsY(), (std::vector<Graduation>{{-50, false}}));

    // Another factor on the vertical axis moves the boxes; the hover text names both.
    ASSERT_TRUE(p.ChoisitAxeY(2));
    carte.Dispose(p, 330, 130, textes);
    EXPECT_EQ(carte.Boites()[1].y, 100);
    const std::vector<std::string> libelles = {"a", "b", "c"};
    const std::vector<int32_t> sous = {0, 2};
    EXPECT_EQ(TexteSurvol(p, sous, libelles), "a, F1=-100, F3=5; c, F1=50, F3=7");
}

// Left click: the part alone (ticked); with Ctrl added. Right click: ticks inverted, a
// part losing its tick losing its selection. Colouring and the colour grid.
TEST(CarteFactorielle, MouseRules) {
    Trois t;
    Partition &p = t.partition;
    const std::vector<int32_t> un = {1}, deux = {2};
    p.Selec = {true, false, false};
    p.Cochee = {true, false, true};
    AppliqueClicCarte(p, un, ModeCarte::Selection, true, false, 0);
    EXPECT_EQ(t.selec(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(t.cochee(), (std::vector<bool>{true, true, true}));
    AppliqueClicCarte(p, deux, ModeCarte::Selection, true, true, 0);
    EXPECT_EQ(t.selec(), (std::vector<bool>{false, true, true}));

    AppliqueClicCarte(p, un, ModeCarte::Selection, false, false, 0);
    EXPECT_EQ(t.selec(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(t.cochee(), (std::vector<bool>{true, false, true}));
    AppliqueClicCarte(p, un, ModeCarte::Selection, false, false, 0);
    EXPECT_EQ(t.selec(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(t.cochee(), (std::vector<bool>{true, true, true}));

    const std::vector<int32_t> tous = {0, 2};
    AppliqueClicCarte(p, tous, ModeCarte::Coloriage, true, false, 0x0000FF);
    EXPECT_EQ(p.Couleurs, (std::vector<uint32_t>{0x0000FF, kCouleurPartieDefaut, 0x0000FF}));
    EXPECT_EQ(t.selec(), (std::vector<bool>{false, false, true}));
    p.Cochee = {false, true, true};
    SelectionneParCouleur(p, 0x0000FF);
    EXPECT_EQ(t.selec(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(t.cochee(), (std::vector<bool>{true, true, true}));
}

TEST(TableFacteurs, CellTexts) {
    EXPECT_EQ(TexteFixe(1234.5678, 2), "1234.57");
    EXPECT_EQ(TexteFixe(0.00049, 3), "0.000");
    EXPECT_EQ(TexteFixe(-0.001, 2), "0.00");
    EXPECT_EQ(TexteFixe(-12.26, 1), "-12.3");
    // 8 significant digits at most.
    EXPECT_EQ(TexteFixe(1234567.891, 2), "1234567.90");
    EXPECT_EQ(TexteFixe(123456789.5, 2), "1.2345679E+08");

    test::ScopedWorkDir dir;
    const TListePoints p = troisPoints();
    const std::vector<std::string> libelles = {"a", "b", "c"};
    ASSERT_EQ(NbColonnesFacteurs(p), 12);
    EXPECT_EQ(TitreColonneFacteurs(p, 3), "f1");
    EXPECT_EQ(TitreColonneFacteurs(p, 8), "f3");
    EXPECT_EQ(TitreColonneFacteurs(p, 9), "f1");
    const char *ligne1[] = {"b",     "400.000", "80.000", "200.00", "40.00", "0.00",
                            "500.0", "200.0",   "0.0",    "0.60",   "0.40",  "0.00"};
    for (int32_t c = 0; c < 12; ++c)
        EXPECT_EQ(TexteFacteurs(p, libelles, 1, c), ligne1[c]) << c;
    EXPECT_DOUBLE_EQ(ValeurFacteurs(p, 2, 4), -60);
}

// The first eigenvalue is drawn on top and labelled with its factor number.
TEST(TableFacteurs, HistogramBars) {
    const auto b = BarresValeursPropres({500, 300, 100});
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].Libelle, "3");
    EXPECT_EQ(b[0].Valeur, 100);
    EXPECT_EQ(b[2].Libelle, "1");
    EXPECT_EQ(b[2].Valeur, 500);
    EXPECT_TRUE(BarresValeursPropres({}).empty());
}

TEST(TableFacteurs, LabelsAndReportComment) {
    Trois t;
    EXPECT_EQ(LibellesParties(t.partition, false), (std::vector<std::string>{"a", "b", "c"}));
    const auto ids = LibellesParties(t.partition, true);
    EXPECT_EQ(ids[0], std::to_string(t.partition.Valeurs[0]));
    const std::string c = CommentaireImageAfc(t.partition, "Carte", false, 0);
    EXPECT_EQ(c.rfind("<CENTER><H3>Carte</H3></CENTER><br><TABLE WIDTH=100% ALIGN=CENTER", 0), 0u);
    EXPECT_NE(c.find("<TD>Partition = t</TD>\n"), std::string::npos);
    EXPECT_NE(c.find("</TABLE>Nombre de parties : 3<br>\n<br>\n"), std::string::npos);
    const std::string h = CommentaireImageAfc(t.partition, "Carte", true, 0);
    EXPECT_EQ(h.rfind("<CENTER><H3>Histogramme des valeurs propres</H3></CENTER><br>", 0), 0u);
}
