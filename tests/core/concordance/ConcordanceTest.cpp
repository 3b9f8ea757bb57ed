#include "concordance/Concordance.h"
#include "base/charg1.h"
#include "concordance/ConcordanceDocuments.h"
#include "partitions/Partition.h"
#include "segments/SegRep.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace morvix;

namespace {

class ConcordanceTest : public ::testing::Test {
  protected:
    void load(const std::string &text) {
        const std::string par = test::buildBase("t", text);
        ASSERT_FALSE(par.empty());
        ASSERT_EQ(base.ChargeBase(par), kChargeOk);
    }
    std::unique_ptr<Tgen> pole(const char *g) {
        auto p = PoleDepuisForme(base, g);
        EXPECT_TRUE(p) << g;
        return p;
    }
    std::vector<LigneContexte> lines(const DocumentConcordance &doc) {
        std::vector<LigneContexte> out;
        for (const auto &item : doc.elements)
            if (!item.entete)
                out.push_back(item.ligne);
        return out;
    }

    test::ScopedWorkDir dir;
    charg1 base;
};

} // namespace

TEST_F(ConcordanceTest, ContextLines) {
    load("<auteur=A>\nchat anticonstitutionnellement chat , le\nchien dort chat");
    auto p = pole("chat");
    struct Case {
        int32_t occurrence, width;
        std::string left, right;
    } cases[] = {
        {0, 40, std::string(40, ' '), "anticonstitutionnellement chat , le chien "},
        {0, 10, std::string(10, ' '), "anticonstitutionnellement "},
        {1, 10, "nnellement", ", le chien "},
        {1, 40, std::string(40 - 31, ' ') + " chat anticonstitutionnellement",
         ", le chien dort chat "},
        {2, 10, " chien dort", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.occurrence);
        LigneContexte line =
            LigneDeContexte(base, p->Occ[static_cast<size_t>(c.occurrence)], c.width);
        EXPECT_EQ(line.pole, "chat");
        EXPECT_EQ(line.gauche, c.width == 10 && c.occurrence == 2 ? "chien dort" : c.left);
        EXPECT_EQ(line.droite, c.right);
    }
}

TEST_F(ConcordanceTest, SortDirectionsLeaveThePoleInTextOrder) {
    load("le chat b . le chat a . un chat c . le chat a x");
    auto p = pole("chat");
    const std::vector<int32_t> textOrder = p->Occ;
    auto rights = [&](int32_t sens) {
        OptionsConcordance o;
        o.sens = sens;
        std::vector<std::string> out;
        for (const auto &l : lines(ConstruitConcordance(base, *p, o)))
            out.push_back(l.droite.substr(0, 3) + "|" + std::to_string(l.position));
        return out;
    };
    auto after = rights(kTriApres);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(after[0].substr(0, 3), "a ."); // a un < a x
    EXPECT_EQ(after[1].substr(0, 3), "a x");
    EXPECT_EQ(after[3].substr(0, 1), "c");
    OptionsConcordance before;
    before.sens = kTriAvant;
    auto left = lines(ConstruitConcordance(base, *p, before));
    EXPECT_EQ(left[0].gauche.substr(37), " le"); // le < un; equal contexts by position
    EXPECT_LT(left[0].position, left[1].position);
    EXPECT_EQ(left[3].gauche.substr(37), " un");
    EXPECT_EQ(p->Occ, textOrder);
    std::vector<std::string> unsorted = rights(kTriAucun);
    for (size_t i = 0; i < unsorted.size(); ++i)
        EXPECT_EQ(unsorted[i].substr(4), std::to_string(textOrder[i]));
}

TEST_F(ConcordanceTest, GroupingByPart) {
    load("<a=1>\nchat b chat a\n<a=2>\nrien\n<a=3>\nchat c chat");
    auto p = pole("chat");
    ASSERT_EQ(p->NbOcc, 4);
    const int32_t limit2 = p->Occ[2], last = p->Occ[3];
    RegroupementParties parts;
    parts.nbParties = 3;
    parts.libelles = {"un", "deux", "trois"};
    parts.partieDePos = [&](int32_t pos) { return pos == last ? -1 : pos < limit2 ? 0 : 2; };
    OptionsConcordance o;
    o.sens = kTriApres;
    o.regroupement = &parts;
    DocumentConcordance doc = ConstruitConcordance(base, *p, o);
    ASSERT_EQ(doc.elements.size(), 5u);
    EXPECT_TRUE(doc.elements[0].entete);
    EXPECT_EQ(doc.elements[0].libelle, "un");
    EXPECT_EQ(doc.elements[0].nombre, 2);
    EXPECT_EQ(doc.elements[1].ligne.position, p->Occ[1]); // sorted inside the part: "a" < "b"
    EXPECT_EQ(doc.elements[3].libelle, "trois");
    EXPECT_EQ(doc.elements[3].nombre, 1);
    EXPECT_EQ(doc.nbLignes, 3);
    EXPECT_EQ(doc.nbOccurrences, 4);
}

TEST_F(ConcordanceTest, InventoryLayoutAndPatterns) {
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += std::string(i % 2 ? "x" : "z") + " a b c " + (i % 3 ? "y" : "t") + " . ";
    text += "a q . a q .";
    load(text);
    auto p = pole("a");
    DocumentConcordance inv = ConstruitInventaire(base, *p, kDelimiteursDefaut);
    ASSERT_EQ(inv.nbOccurrences, 4); // a b c, a b c t, a b c y, a q
    auto l = lines(inv);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0].gauche, std::string(5, ' ') + "  12 ---- ---- ---- ---- ");
    EXPECT_EQ(l[0].pole, "a");
    EXPECT_EQ(l[0].droite, "b c ");
    EXPECT_EQ(l[1].gauche, std::string(10, ' ') + "   4 ---- ---- ---- ");
    EXPECT_EQ(l[2].droite, "b c y ");
    EXPECT_EQ(l[3].gauche, "   2 ---- ---- ---- ---- ---- ");
    for (const auto &line : l)
        EXPECT_EQ(line.gauche.size(), 30u);

    // Patterns reach forms and the segments of the attached store.
    SegRep store(&base, DelimiteursDepuisTexte(base, kDelimiteursDefaut));
    ASSERT_TRUE(store.CalcSegRep(2, 2));
    base.AssigneSR(&store);
    std::string error;
    std::vector<int32_t> codes = CodesDepuisExpression(base, "c $", error);
    EXPECT_TRUE(error.empty());
    ASSERT_FALSE(codes.empty());
    for (int32_t c : codes)
        EXPECT_GT(c, base.Nbart());
    auto forms = CodesDepuisExpression(base, "^[ab]$", error);
    EXPECT_EQ(forms.size(), 2u);
    EXPECT_EQ(PoleDepuisExpression(base, "(", error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(PoleDepuisExpression(base, "^nulle part$", error), nullptr);
    EXPECT_EQ(PoleDepuisForme(base, "nulle"), nullptr);
    // A segment named by its text, with or without its trailing blank.
    const int32_t abc = CodeSegmentDeTexte(base, "a b c");
    ASSERT_GT(abc, base.Nbart());
    EXPECT_EQ(base.RetourneGraphie(abc, false), std::string("a b c "));
    EXPECT_EQ(CodeSegmentDeTexte(base, "a b c "), abc);
    EXPECT_EQ(CodeSegmentDeTexte(base, "a b"), -1);
    base.AssigneSR(nullptr);
    EXPECT_EQ(CodeSegmentDeTexte(base, "a b c"), -1);
}

// A raised flag stops the building: an empty document marked cancelled.
TEST_F(ConcordanceTest, CancelledBuildingGivesAnEmptyDocument) {
    load("a b a c a d a e.");
    auto p = pole("a");
    Annulation annulation;
    annulation.Demande();
    for (int32_t sens : {kTriAucun, kTriApres}) {
        OptionsConcordance o;
        o.sens = sens;
        o.annulation = &annulation;
        const DocumentConcordance doc = ConstruitConcordance(base, *p, o);
        EXPECT_TRUE(doc.annule) << sens;
        EXPECT_TRUE(doc.elements.empty());
    }
    EXPECT_TRUE(ConstruitInventaire(base, *p, kDelimiteursDefaut, &annulation).annule);
    EXPECT_FALSE(ConstruitConcordance(base, *p, OptionsConcordance()).annule);
}

TEST_F(ConcordanceTest, RichTextAndHtmlDocuments) {
    load("a b c");
    DocumentConcordance doc;
    ElementDocument header;
    header.entete = true;
    header.libelle = "p{1}";
    header.nombre = 1;
    doc.elements.push_back(header);
    ElementDocument line;
    line.ligne = {0, " {x}", "a\\b", "<y> & "};
    doc.elements.push_back(line);

    EXPECT_EQ(DocumentRtf(doc, 0x0000FF),
              "{\\rtf1\\ansi\\deff0\\deftab10000\n{\\fonttbl{\\f0\\fmodern\\fprq1 Courier New;}}\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n\\pard \\f0 \\fs20 \n"
              "\\par \\b Partie : p\\{1\\}, Nombre de contextes : 1\\par \\b0 \n"
              "\\f0 \\fs20  \\{x\\} \\b \\cf1 a\\\\b \\b0 \\cf0 \\f0 \\fs20 <y> &  \\par \\par }");
    EXPECT_NE(DocumentRtf({}, kCouleurAucune).find("\\red0\\green0\\blue0;}"), std::string::npos);
    EXPECT_NE(DocumentRtf({}, 0x102030).find("\\red48\\green32\\blue16;}"), std::string::npos);

    InfoPageConcordance info;
    info.nomBase = "t";
    info.nomPole = "a+";
    info.sens = kTriApres;
    const std::string page = PageHtmlConcordance(doc, info);
    EXPECT_EQ(page.rfind("<html>\n<head>\n<title>Concordance</title>\n</head>\n<body "
                         "bgcolor=#ffffff>\n<CENTER><H3>Concordances</H3></CENTER><br><TABLE",
                         0),
              0u);
    EXPECT_NE(page.find("</TABLE><pre><font size=2>Concordance de : a+<br> (tri apr\xE8s)<br><br>\n"
                        "\n<br><b>Partie : p{1}, Nombre de contextes : 1</b><br>\n"
                        " {x}&nbsp;<b>a\\b</b>&nbsp;&lt;y&gt; &amp; \n</font></pre></body></html>"),
              std::string::npos)
        << page;
    // The inventory's page: its own title, no sort, the number of segments at the end.
    doc.nbOccurrences = 1;
    const std::string inventaire = PageHtmlInventaire(doc, info);
    EXPECT_EQ(inventaire.rfind("<html>\n<head>\n<title>Inventaire distributionnel</title>", 0), 0u);
    EXPECT_NE(inventaire.find("<pre><font size=2>Inventaire distributionnel de : a+<br><br>\n"),
              std::string::npos);
    EXPECT_EQ(inventaire.find("(tri"), std::string::npos);
    EXPECT_NE(inventaire.find("<br>1 segments\n</font></pre></body></html>"), std::string::npos);

    // The displayed line is the same texts joined by blanks, the pole located in it.
    const LigneAffichee affichee = LigneAffichage(line);
    EXPECT_EQ(affichee.texte, " {x} a\\b <y> & ");
    EXPECT_EQ(affichee.texte.substr(affichee.debutPole, affichee.longueurPole), "a\\b");
    EXPECT_EQ(LigneAffichage(header).texte, "Partie : p{1}, Nombre de contextes : 1");

    EXPECT_EQ(NomPageConcordance(2), "conc2.html");
    EXPECT_EQ(TitreEntreeConcordance("a", kTriAvant), "Concordance de : a (tri avant)");
    EXPECT_EQ(TexteTri(kTriAucun), " (tri ordre du texte)");
}

// The concordance's sort gives exactly the base's context order, on real text, in both
// directions, for frequent and rare forms, and with the real partition grouping.
TEST(ConcordanceSample, SortAgreesWithTheBaseAndPartsCoverEveryLine) {
    test::ScopedWorkDir dir;
    test::writeFile("s.txt", test::readFile(MORVIX_SAMPLE));
    ASSERT_EQ(SegmPrinc("s.txt", kDelimiteursDefaut).code, SegmCode::Ok);
    charg1 base;
    ASSERT_EQ(base.ChargeBase("s.par"), kChargeOk);
    for (int32_t code : {0, 1, 7, 60, 400, base.Nbform() - 1, base.Nbform()}) {
        Tgen pole(&base, &code, 1, nullptr);
        for (int32_t sens : {kTriAvant, kTriApres}) {
            std::vector<int32_t> expected = pole.Occ, actual = pole.Occ;
            base.TriCont(expected.data(), static_cast<int32_t>(expected.size()), sens,
                         base.Nbform() - 1);
            TrieOccurrences(base, actual, sens);
            EXPECT_EQ(actual, expected) << code << " " << sens;
        }
    }
    const int32_t code = 3;
    Tgen pole(&base, &code, 1, nullptr);
    Partition partition(base, Partition::CodeCle(base, "auteur"));
    ASSERT_GT(partition.NbParties, 1);
    RegroupementParties parts = RegroupementDe(partition);
    OptionsConcordance o;
    o.sens = kTriAvant;
    o.regroupement = &parts;
    DocumentConcordance doc = ConstruitConcordance(base, pole, o);
    int32_t lines = 0, part = -1;
    for (const ElementDocument &item : doc.elements) {
        if (item.entete) {
            EXPECT_GT(item.partie, part);
            part = item.partie;
            EXPECT_EQ(item.libelle, partition.Libelle(part));
            EXPECT_EQ(item.nombre, partition.FrqGroupePartie(pole, part));
        } else {
            EXPECT_EQ(partition.PartieDePos(item.ligne.position), part);
            ++lines;
        }
    }
    EXPECT_EQ(lines, pole.NbOcc);
}
