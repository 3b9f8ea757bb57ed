// Form selection: the expression of each kind of request, what a search selects among forms
// and stored segments, the merged list and the list files.
#include "groups/SelectionFormes.h"

#include "util/Encoding.h"
#include "util/RegexTables.h"

#include "BaseTestSupport.h"

#include <gtest/gtest.h>

using namespace morvix;
using morvix::test::readFile;
using morvix::test::writeFile;

namespace {

std::string cp(const char *utf8) { return utf8ToCp1252(utf8); }

class SelectionFormesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = test::chargeTexte(cp("le chant chanter chant du chanteur . le chant "
                                    "chanter enchanté Chant .\n"),
                                 "sel");
        // "le chant" and "chant du": segments 0 and 1.
        store.segs = {{{code("le"), code("chant")}, {0, 7}}, {{code("chant"), code("du")}, {3}}};
        base->AssigneSR(&store);
    }
    int32_t code(const char *g) const { return base->LocFormDic(cp(g), true); }
    int32_t seg(int32_t k) const { return base->Nbart() + 1 + k; }
    std::vector<std::string> textes(const std::vector<int32_t> &codes) const {
        std::vector<std::string> v;
        for (int32_t c : codes)
            v.push_back(TexteCode(*base, c));
        return v;
    }

    test::ScopedWorkDir dir;
    std::unique_ptr<charg1> base;
    test::StoreManuel store;
};

} // namespace

TEST(SelectionFormes, EachKindBuildsItsExpression) {
    EXPECT_EQ(ExpressionRequete(TypeRequete::Debut, "ch.nt"), "^ch.nt.*");
    EXPECT_EQ(ExpressionRequete(TypeRequete::Fin, "ch.nt"), ".*ch.nt$");
    EXPECT_EQ(ExpressionRequete(TypeRequete::Contenu, "ch.nt"), ".*ch.nt.*");
    EXPECT_EQ(ExpressionRequete(TypeRequete::Expression, "^a|b$"), "^a|b$");
}

TEST_F(SelectionFormesTest, SearchesFormsThenSegments) {
    struct Cas {
        TypeRequete type;
        const char *motif;
        std::vector<std::string> attendus;
    } cas[] = {
        // Frequent forms first (code order), then the segments in store order.
        {TypeRequete::Debut, "chant", {"chant", "chanter", "chanteur", "chant du "}},
        // A segment's text ends with a blank: the end of a segment never matches.
        {TypeRequete::Fin, "chant", {"chant"}},
        // The pattern is not escaped: the dot is any character.
        {TypeRequete::Contenu,
         "h.nt",
         {"chant", "chanter", "Chant", "chanteur", cp("enchanté"), "le chant ", "chant du "}},
        {TypeRequete::Debut, "Chant", {"Chant"}},
        {TypeRequete::Expression, " $", {"le chant ", "chant du "}},
        {TypeRequete::Exacte, "chanter", {"chanter"}},
        {TypeRequete::Exacte, "chan", {}},
        {TypeRequete::Exacte, ".", {"."}},
    };
    for (const Cas &c : cas) {
        const ResultatRecherche r = RechercheFormes(*base, c.type, cp(c.motif));
        EXPECT_TRUE(r.valide);
        EXPECT_EQ(textes(r.codes), c.attendus) << c.motif;
    }
    EXPECT_EQ(RechercheFormes(*base, TypeRequete::Debut, "chant").codes.back(), seg(1));

    // Without a store, segments are not searched.
    base->AssigneSR(nullptr);
    EXPECT_EQ(textes(RechercheFormes(*base, TypeRequete::Debut, "chant").codes),
              (std::vector<std::string>{"chant", "chanter", "chanteur"}));
}

// An expression that does not compile selects nothing (the engine's "no match" test would
// otherwise keep every form) and says why.
TEST_F(SelectionFormesTest, InvalidExpressionSelectsNothing) {
    for (TypeRequete t : {TypeRequete::Expression, TypeRequete::Contenu}) {
        const ResultatRecherche r = RechercheFormes(*base, t, "(ch");
        EXPECT_FALSE(r.valide);
        EXPECT_FALSE(r.erreur.empty());
        EXPECT_TRUE(r.codes.empty());
    }
    Annulation annulation;
    annulation.Demande();
    const ResultatRecherche r = RechercheFormes(*base, TypeRequete::Contenu, "", &annulation);
    EXPECT_TRUE(r.annule);
    EXPECT_TRUE(r.codes.empty());
}

TEST_F(SelectionFormesTest, ListKeepsFirstAppearancesOnce) {
    ListeCodes liste;
    liste.Ajoute(RechercheFormes(*base, TypeRequete::Fin, "er").codes);
    EXPECT_EQ(liste.Ajoute(RechercheFormes(*base, TypeRequete::Debut, "chant").codes), 3);
    EXPECT_EQ(textes(liste.Codes()),
              (std::vector<std::string>{"chanter", "chant", "chanteur", "chant du "}));
    liste.Retire({0, 2, 99});
    EXPECT_EQ(textes(liste.Codes()), (std::vector<std::string>{"chant", "chant du "}));
    // A removed code can come back, at the end.
    EXPECT_TRUE(liste.Ajoute(code("chanter")));
    EXPECT_EQ(liste.Code(2), code("chanter"));
    EXPECT_EQ(FrequenceCode(*base, seg(0)), 2);
    EXPECT_EQ(FrequenceCode(*base, code("chant")), 3);
    EXPECT_EQ(FrequenceCode(*base, seg(5)), -1);
    liste.Vide();
    EXPECT_EQ(liste.Taille(), 0);
}

// A saved list comes back as it was, segments as segments; without the store a segment line
// gives its forms.
TEST_F(SelectionFormesTest, ListFilesRoundTrip) {
    const std::vector<int32_t> codes = {code("chant"), seg(0), code("Chant"), seg(9)};
    std::string erreur;
    ASSERT_TRUE(EcritListe("l.lst", *base, codes, erreur)) << erreur;
    EXPECT_EQ(readFile("l.lst"), "chant\r\nle chant \r\nChant\r\n");
    LectureListe l = LitListe("l.lst", *base);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.codes, (std::vector<int32_t>{code("chant"), seg(0), code("Chant")}));

    base->AssigneSR(nullptr);
    l = LitListe("l.lst", *base);
    EXPECT_EQ(l.codes,
              (std::vector<int32_t>{code("chant"), code("le"), code("chant"), code("Chant")}));
    base->AssigneSR(&store);

    // By hand: blanks around a segment, several forms on a line, words that are not forms,
    // a UTF-8 file.
    writeFile("main.lst", "  le   chant \nle chanter absent\n\n\xC3\xA9t\xC3\xA9 enchant\xC3\xA9");
    l = LitListe("main.lst", *base);
    EXPECT_EQ(l.codes,
              (std::vector<int32_t>{seg(0), code("le"), code("chanter"), code("enchanté")}));
    EXPECT_EQ(l.nbIgnores, 2);

    l = LitListe("absente.lst", *base);
    EXPECT_FALSE(l.ok);
    EXPECT_NE(l.message.find("absente.lst"), std::string::npos);
    EXPECT_FALSE(EcritListe("pas/de/dossier.lst", *base, codes, erreur));
    EXPECT_NE(erreur.find("dossier.lst"), std::string::npos);
}

// A search that hit the engine's limits answered "these forms", silently leaving out the
// ones it could not settle.
TEST(SelectionFormes, CostlyExpressionIsRefusedNotPartial) {
    test::ScopedWorkDir dir;
    auto b = test::chargeTexte(std::string(30, 'a') + "b aab\n", "cout");
    ResultatRecherche r = RechercheFormes(*b, TypeRequete::Expression, "^(?:(a+)+c|a+b)$");
    EXPECT_FALSE(r.valide);
    EXPECT_EQ(r.erreur, kExpressionTropCouteuse);
    EXPECT_TRUE(r.codes.empty());
    EXPECT_EQ(RechercheFormes(*b, TypeRequete::Expression, "^(?:a+b|(a+)+c)$").codes.size(), 2u);
}
