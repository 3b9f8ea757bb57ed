#include "partitions/PagesPartition.h"
#include "partitions/Partition.h"
#include "partitions/PrimSpecChr.h"
#include "partitions/TableSpec.h"
#include "partitions/TextesPartition.h"
#include "report/RapportOutils.h"

#include "PartitionsTestSupport.h"

#include <string>

using namespace morvix;
using test::chargeTexte;
using test::forme;

namespace {

// Parts "1" (2 occurrences), "2" (5 occurrences, one of them "a&b") and "x&y", which holds
// no form at all.
const char *const kTexte = "<p=2> b b c a&b d <p=1> a a <p=x&y> .\n";

} // namespace

// The coefficient as each display shows it: the table with its sign up to ±50, the list
// up to 49 and down to -49, the pages up to ±50.
TEST(TextesPartition, CoefficientTexts) {
    const struct {
        int32_t coeff;
        const char *tableau, *pageTableau, *liste, *pageListe;
    } cas[] = {
        {0, "", "&nbsp;", "0", "0"},       {2, "+2", "+2", "2", "2"},
        {-3, "-3", "-3", "-3", "-3"},      {49, "+49", "+49", "49", "49"},
        {-49, "-49", "-49", "-49", "-49"}, {50, "+50", "+50", "***", "50"},
        {-50, "-50", "-50", "***", "-50"}, {51, "***", "***", "***", "***"},
        {-51, "***", "***", "***", "***"},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(TexteCoeffTableau(c.coeff), c.tableau) << c.coeff;
        EXPECT_EQ(TexteCoeffPageTableau(c.coeff), c.pageTableau) << c.coeff;
        EXPECT_EQ(TexteCoeffListe(c.coeff), c.liste) << c.coeff;
        EXPECT_EQ(TexteCoeffPageListe(c.coeff), c.pageListe) << c.coeff;
    }
}

// Parts A, B, C ticked and B selected: every label followed by ", ", the first included;
// the pastille takes the colour the selected parts share, blue otherwise.
TEST(TextesPartition, LabelListsRunsAndPastille) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte("<q=A> x y <q=B> x z <q=C> y z\n");
    Partition p(*b, Partition::CodeCle(*b, "q"));
    p.Selec[1] = true;
    EXPECT_EQ(ListeLibelles(p, p.Cochee), "A, B, C, ");
    EXPECT_EQ(ListeLibelles(p, p.Selec), "B, ");
    EXPECT_EQ(ListeLibelles(p, std::vector<bool>(3, false)), "");

    EXPECT_EQ(TexteTranche(p, ResSpecChr{0, 1, 3, 1, 1}), "B");
    EXPECT_EQ(TexteTranche(p, ResSpecChr{0, 1, 3, 0, 2}), "A - C");

    EXPECT_EQ(CouleurPastillePartition(p), kCouleurPartieDefaut);
    p.Selec[2] = true;
    p.Couleurs[2] = 0x00FF00;
    EXPECT_EQ(CouleurPastillePartition(p), 0xFF0000u);
    p.Couleurs[1] = 0x00FF00;
    EXPECT_EQ(CouleurPastillePartition(p), 0x00FF00u);
    p.Selec.assign(3, false);
    EXPECT_EQ(CouleurPastillePartition(p), 0xFF0000u);
}

// The first click on "coeff" sorts from the highest down, the first on "Partie(s)" by
// increasing first part; each second click reverses.
TEST(TextesPartition, ChronologicalHeaderClicks) {
    const struct {
        int32_t colonne, avant, apres;
    } cas[] = {
        {kChronoForme, -1, PrimSpecChr::kLexgCroissant},
        {kChronoForme, PrimSpecChr::kLexgCroissant, PrimSpecChr::kLexgDecroissant},
        {kChronoForme, PrimSpecChr::kLexgDecroissant, PrimSpecChr::kLexgCroissant},
        {kChronoF, PrimSpecChr::kLexgCroissant, PrimSpecChr::kFrqCroissante},
        {kChronoF, PrimSpecChr::kFrqCroissante, PrimSpecChr::kFrqDecroissante},
        {kChronof, -1, PrimSpecChr::kfCroissante},
        {kChronof, PrimSpecChr::kfCroissante, PrimSpecChr::kfDecroissante},
        {kChronoCoeff, -1, PrimSpecChr::kCoeffDecroissant},
        {kChronoCoeff, PrimSpecChr::kCoeffDecroissant, PrimSpecChr::kCoeffCroissant},
        {kChronoCoeff, PrimSpecChr::kCoeffCroissant, PrimSpecChr::kCoeffDecroissant},
        {kChronoParties, -1, PrimSpecChr::kTrancheCroissante},
        {kChronoParties, PrimSpecChr::kTrancheCroissante, PrimSpecChr::kTrancheDecroissante},
        {5, 3, -1},
    };
    for (const auto &c : cas)
        EXPECT_EQ(OrdreChronoApresClic(c.colonne, c.avant), c.apres) << c.colonne << c.avant;
}

// The page of the parts: one row per part in part order; a part without forms has an
// empty form cell; graphies are escaped.
TEST(PagesPartition, PclcPage) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    ASSERT_EQ(p.NbParties, 3);
    const std::string page = PagePCLC(p, "Principales : p");
    const std::string attendu =
        "<html>\n<head><title>Principales : p</title></head>\n<body bgcolor=#ffffff>\n"
        "Principales : p<br>\n<table border=1><font size=-2>\n"
        "<tr><td>Partie<td>Nb occurrences<td>Nb formes<td>Nb hapax<td>Fr\xe9q. Max<td>Forme"
        "\n<tr><td>1<td align=\"right\">2<td align=\"right\">1<td align=\"right\">0"
        "<td align=\"right\">2<td>a"
        "\n<tr><td>2<td align=\"right\">5<td align=\"right\">4<td align=\"right\">3"
        "<td align=\"right\">2<td>b"
        "\n<tr><td>x&amp;y<td align=\"right\">0<td align=\"right\">0<td align=\"right\">0"
        "<td align=\"right\">0<td>"
        "</font></table>\n</body>\n</html>";
    EXPECT_EQ(page, attendu);
    EXPECT_EQ(NomPagePCLC(p), "pclcp.html");
    EXPECT_EQ(NomPageTableSpec(p), "tfgp.html");
}

// The table's page has the columns of the table, in its order, and its rows in display
// order, "/SR" when segments are attached.
TEST(PagesPartition, TablePageFollowsTheTable) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    Partition p(*b, Partition::CodeCle(*b, "p"));
    p.Cochee[2] = false;
    p.FrqMin = 1;
    TableSpec t(std::make_unique<CalcSpecTot>(p, nullptr));
    t.SetLignes({forme(*b, "d"), forme(*b, "a&b"), forme(*b, "a")});
    const std::string page = PageTableSpec(t, "T");
    const std::string attendu =
        "<html>\n<head><title>T : Tableau des sp&eacute;cificit&eacute;s</title></head>\n"
        "<body bgcolor=#ffffff>\nT : Tableau des sp&eacute;cificit&eacute;s<br>\n"
        "<table border=1><font size=-2>\n<tr><td>Formes<td colspan=2>1<td colspan=2>2"
        "\n<tr><td>d<td align=\"right\">0<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(0, 0)) + "<td align=\"right\">1<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(0, 1)) +
        "\n<tr><td>a&amp;b<td align=\"right\">0<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(1, 0)) + "<td align=\"right\">1<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(1, 1)) +
        "\n<tr><td>a<td align=\"right\">2<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(2, 0)) + "<td align=\"right\">0<td align=\"right\">" +
        TexteCoeffPageTableau(t.Coeff(2, 1)) + "</font></table>\n</body>\n</html>";
    EXPECT_EQ(page, attendu);

    test::StoreManuel store;
    store.segs.push_back({{forme(*b, "b"), forme(*b, "b")}, {2}});
    b->AssigneSR(&store);
    TableSpec u(std::make_unique<CalcSpecTot>(p, nullptr));
    EXPECT_NE(PageTableSpec(u, "T").find("<tr><td>Formes/SR<td colspan=2>1<td colspan=2>2\n"),
              std::string::npos);
    EXPECT_NE(PageTableSpec(u, "T").find("\n<tr><td>b b <td align=\"right\">0"), std::string::npos);
}

// A list page: the header table with the partition's cell only for a partition list, then
// the results in list order, only values beyond ±50 saturated.
TEST(PagesPartition, ListPage) {
    test::ScopedWorkDir dir;
    auto b = chargeTexte(kTexte);
    const std::vector<ResSpec> res = {{forme(*b, "b"), 3, 2, 51},
                                      {forme(*b, "a&b"), 1, 1, 50},
                                      {forme(*b, "a"), 2, 0, -50},
                                      {forme(*b, "c"), 1, 0, -51}};
    const std::string cle = "p";
    EntetePageSpec e{"Spécifs - Part : p", "base", &cle, "Parties sélectionnées : 2, ", 0};
    e.Titre = "Sp\xe9"
              "cifs - Part : p";
    const std::string page = PageSpecGrp(*b, res, e);
    const std::string debut = "<html>\n<head><title>" + e.Titre +
                              "</title></head>\n<body bgcolor=#ffffff>\n" +
                              EnteteRapport("base", &cle, 0);
    EXPECT_EQ(page.substr(0, debut.size()), debut);
    const std::string suite =
        e.Titre + "<br>\nParties sélectionnées : 2, <br>\n<table border=1><font size=-2>\n"
                  "<tr><td>Forme<td>Frq. Tot.<td>Fr\xe9quence<td>Coeff."
                  "<tr><td>b<td align=right>3<td align=right>2<td align=right>***\n"
                  "<tr><td>a&amp;b<td align=right>1<td align=right>1<td align=right>50\n"
                  "<tr><td>a<td align=right>2<td align=right>0<td align=right>-50\n"
                  "<tr><td>c<td align=right>1<td align=right>0<td align=right>***\n"
                  "</font></table>\n</body>\n</html>";
    EXPECT_EQ(page.substr(debut.size()), suite);
    EXPECT_NE(page.find("<TD>Partition = p</TD>"), std::string::npos);

    e.Cle = nullptr;
    EXPECT_EQ(PageSpecGrp(*b, res, e).find("Partition ="), std::string::npos);
}
