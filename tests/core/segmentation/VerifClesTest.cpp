#include "segmentation/VerifCles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace morvix;
using test::readFile;
using test::writeFile;

namespace {

struct Verified {
    int32_t errors;
    std::string trace; // CR removed
};

Verified verify(const std::string &text) {
    writeFile("t.txt", text);
    int32_t n = VerifCles("t.txt");
    std::string trace = readFile("atrace.txt");
    std::string plain;
    for (char c : trace)
        if (c != '\r')
            plain.push_back(c);
    return {n, plain};
}

} // namespace

TEST(VerifCles, TableOfTags) {
    test::ScopedWorkDir dir;
    struct Case {
        const char *text;
        int32_t errors;
        const char *finding; // Windows-1252, "" when none is expected
    } cases[] = {
        {"<auteur=Anonyme>", 0, ""},
        {"<auteur= Anonyme >", 0, ""},
        {"<auteur =Anonyme>", 0, ""},
        {"< auteur=Anonyme>", 1, "(espace dans type)"},
        {"<nom de l'auteur=Anonyme>", 1, "(espace dans type)"},
        {"<titre=Deux mots>", 1, "(espace dans contenu)"},
        {"<auteur=>", 1, "(pas de contenu)"},
        {"<auteur>", 1, "(pas d'=)"},
        {"<>", 2, "(pas de contenu)"},
        {"texte sans balise", 0, ""},
        // Parts the base files could not hold.
        {"<a=\tb>", 1, "(caract\xE8re de contr\xF4le)"},
        {"<auteur=\nHugo>", 1, "(caract\xE8re de contr\xF4le)"},
        {"<a= >", 1, "(type ou contenu vide)"},
        {"<=x>", 1, "(type ou contenu vide)"},
        {"< =x>", 1, "(type ou contenu vide)"},
    };
    for (const Case &c : cases) {
        Verified v = verify(c.text);
        EXPECT_EQ(v.errors, c.errors) << c.text << "\n" << v.trace;
        if (*c.finding) {
            EXPECT_NE(v.trace.find(c.finding), std::string::npos) << c.text << "\n" << v.trace;
        }
    }
}

TEST(VerifCles, ReportLayoutAndLineNumbers) {
    test::ScopedWorkDir dir;
    Verified v = verify("ligne un\nligne <deux\n=x> et > ici\n<a b=c>\n");
    // The tag spanning lines 2-3 is reported on line 3; the lone '>' counts no error.
    EXPECT_EQ(v.errors, 2);
    EXPECT_EQ(v.trace, "\n*****COMPTE-RENDU DE LA SEGMENTATION*****\n\n"
                       "Fichier -- t.txt -- ouvert pour v\xE9rification"
                       "\nL    3 Cl\xE9 incorrecte (caract\xE8re de contr\xF4le) \t: <deux\n=x>"
                       "\nL    3 Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: Mauvais emplacement de balise "
                       "de fermeture"
                       "\nL    4 Cl\xE9 incorrecte (espace dans type) \t\t: <a b=c>"
                       "\n*****Fin de la v\xE9rification******");
}

TEST(VerifCles, UnclosedTagsAndTagsCutByTheNextOpening) {
    test::ScopedWorkDir dir;
    // '<a=b' runs into '<c=d>': the first is reported with the second '<', the second is sound.
    Verified v = verify("<a=b<c=d>");
    EXPECT_EQ(v.errors, 1);
    EXPECT_NE(v.trace.find(": <a=b<"), std::string::npos);

    // No '>' within 249 characters: plain finding, plus a blank after the first word.
    Verified w = verify("a < b " + std::string(300, 'x'));
    EXPECT_EQ(w.errors, 2);
    EXPECT_NE(w.trace.find("Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: < b xxx"), std::string::npos);
    EXPECT_NE(w.trace.find("(espace dans contenu)"), std::string::npos);

    Verified x = verify("fin <auteur=x");
    EXPECT_EQ(x.errors, 1);
}

TEST(VerifCles, CrLfTextCountsLinesOnce) {
    test::ScopedWorkDir dir;
    Verified v = verify("a\r\nb\r\n<x y=z>\r\n");
    EXPECT_EQ(v.errors, 1);
    EXPECT_NE(v.trace.find("\nL    3 "), std::string::npos);
}

TEST(VerifCles, UnreadableTextIsAFailureNotAnExit) {
    test::ScopedWorkDir dir;
    EXPECT_EQ(VerifCles("absent.txt"), kVerifTexteNonOuvert);
    EXPECT_NE(readFile("atrace.txt").find("\r\nfichier absent.txt pas ouvert !"),
              std::string::npos);
}

// The segmentation refuses a key or a value of more than 126 characters (blanks dropped):
// the verification must not pass them.
TEST(VerifCles, PartsLongerThanTheSegmentationKeepsAreReported) {
    test::ScopedWorkDir dir;
    const std::string k126(126, 'k'), k127(127, 'k');
    struct Case {
        std::string text;
        int32_t errors;
    } cases[] = {
        {"<" + k126 + "=v>", 0},
        {"<" + k127 + "=v>", 1},
        {"<a=" + k127 + ">", 1},
        {"<a= " + k126 + "   >", 0},
        {"<" + std::string(120, 'k') + "=" + k127 + ">", 1}, // 249 characters in all
    };
    for (const Case &c : cases) {
        Verified v = verify(c.text);
        EXPECT_EQ(v.errors, c.errors) << c.text.size();
        EXPECT_EQ(v.trace.find("(plus de 126 caract\xE8res)") != std::string::npos, c.errors > 0);
    }
}

TEST(VerifCles, CrLineEndsAreLinesAndTheTraceSaysSo) {
    test::ScopedWorkDir dir;
    Verified v = verify("a\rb\r<x y=z>\r");
    EXPECT_EQ(v.errors, 1);
    EXPECT_NE(v.trace.find("\nL    3 "), std::string::npos) << v.trace;
    EXPECT_NE(v.trace.find("Fins de ligne CR seules"), std::string::npos);
    // With line feeds anywhere, a CR is no line end.
    Verified w = verify("a\rb\n<x y=z>\r");
    EXPECT_NE(w.trace.find("\nL    2 "), std::string::npos) << w.trace;
    EXPECT_EQ(w.trace.find("Fins de ligne CR"), std::string::npos);
}
