// UTF-8 input texts: detection, conversion to Windows-1252 with counted replacements, and
// the copy that the segmentation is given instead of the text.
#include "util/ConversionEntree.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace morvix;
using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::writeFile;

TEST(ConversionEntree, DetectsOnlyValidUtf8BeyondAscii) {
    struct Cas {
        const char *octets;
        bool utf8;
    } cas[] = {
        {"plain ascii", false},       // the same in both sets: left alone
        {"caf\xE9", false},           // Windows-1252 é
        {"caf\xC3\xA9", true},        // UTF-8 é
        {"\xEF\xBB\xBFplain", true},  // byte-order mark
        {"\xC0\xAF", false},          // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"ok \xE2\x82", false},       // cut inside a sequence
        {"\xE2\x80\x99 \x92", false}, // UTF-8 apostrophe then a Windows-1252 one
        {"\xF0\x9F\x98\x80", true},   // outside the BMP
    };
    for (const Cas &c : cas)
        EXPECT_EQ(EstUtf8(c.octets), c.utf8) << c.octets;

    // A sequence split between two pieces is still valid.
    ValidateurUtf8 v;
    v.Ajoute("caf\xC3");
    EXPECT_FALSE(v.Valide());
    v.Ajoute("\xA9!");
    EXPECT_TRUE(v.Valide());
    EXPECT_TRUE(v.HorsAscii());
}

TEST(ConversionEntree, KeepsWhatTheSetHoldsAndCountsTheRest) {
    int64_t remplaces = 0, espaces = 0;
    // œ, ’, é, € and « » exist in Windows-1252; Ω and the CJK character do not.
    EXPECT_EQ(Utf8VersCp1252("c\u0153ur l\u2019\u00E9t\u00E9 5 \u20AC \u00AB\u03A9\u00BB \u4E2D",
                             &remplaces, &espaces),
              "c\x9Cur l\x92\xE9t\xE9 5 \x80 \xAB?\xBB ?");
    EXPECT_EQ(remplaces, 2);
    EXPECT_EQ(espaces, 0);
    // A decomposed é is composed first; a broken byte is one replacement.
    EXPECT_EQ(Utf8VersCp1252("e\u0301t\u00E9 \xFF", &remplaces), "\xE9t\xE9 ?");
    EXPECT_EQ(remplaces, 1);
    // Narrow no-break spaces become blanks, joiners vanish, the byte-order mark goes.
    EXPECT_EQ(Utf8VersCp1252("\xEF\xBB\xBFOui\u202F! a\u200Db", &remplaces, &espaces), "Oui ! ab");
    EXPECT_EQ(remplaces, 0);
    EXPECT_EQ(espaces, 2);
    EXPECT_EQ(ResumeRemplacements(3, 0), "3 caractères non représentables remplacés par « ? »");
    EXPECT_EQ(ResumeRemplacements(1, 0), "1 caractère non représentable remplacé par « ? »");
    EXPECT_EQ(ResumeRemplacements(0, 0), "");
}

// Pieces cut anywhere, even inside a sequence or between a letter and its accent, give the
// same bytes as the whole text at once.
TEST(ConversionEntree, PiecesGiveTheSameBytesAsTheWholeText) {
    std::string texte;
    for (int i = 0; i < 300; ++i)
        texte += "l\u2019e\u0301te\u0301 \u03A9\u20AC\nc\u0153ur\u202F;";
    const std::string attendu = Utf8VersCp1252(texte);
    for (size_t taille : {1u, 2u, 3u, 7u, 64u, 4096u}) {
        ConvertisseurCp1252 conv;
        std::string sortie;
        for (size_t i = 0; i < texte.size(); i += taille)
            conv.Ajoute(std::string_view(texte).substr(i, taille), sortie);
        conv.Termine(sortie);
        EXPECT_EQ(sortie, attendu) << taille;
        EXPECT_EQ(conv.NbRemplaces(), 300);
        EXPECT_EQ(conv.NbEspaces(), 300);
    }
}

TEST(ConversionEntree, CopyBesideTheTextNeverReplacesIt) {
    test::ScopedWorkDir dir;
    EXPECT_EQ(CheminCopieCp1252("/a/b.c/texte.txt"), "/a/b.c/texte.cp1252.txt");
    EXPECT_EQ(CheminCopieCp1252("/a/b.c/texte"), "/a/b.c/texte.cp1252.txt");

    const std::string utf8 = "<auteur=Zo\u00E9>\r\nL\u2019\u00E9t\u00E9 \u03A9.\r\n";
    writeFile("u.txt", utf8);
    ResultatConversion r = ConvertitTexteCp1252("u.txt", EncodageEntree::Auto);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.converti);
    EXPECT_EQ(r.chemin, "u.cp1252.txt");
    EXPECT_EQ(r.nbRemplaces, 1);
    EXPECT_EQ(readFile("u.cp1252.txt"), "<auteur=Zo\xE9>\r\nL\x92\xE9t\xE9 ?.\r\n");
    EXPECT_EQ(readFile("u.txt"), utf8);

    // A Windows-1252 text, or any text read as Windows-1252, is segmented as it is.
    writeFile("w.txt", "L\x92\xE9t\xE9\n");
    for (auto [chemin, mode] :
         {std::pair{"w.txt", EncodageEntree::Auto}, std::pair{"u.txt", EncodageEntree::Cp1252}}) {
        r = ConvertitTexteCp1252(chemin, mode);
        EXPECT_TRUE(r.ok);
        EXPECT_FALSE(r.converti) << chemin;
        EXPECT_EQ(r.chemin, chemin);
    }
    EXPECT_FALSE(fileExists("w.cp1252.txt"));
    // Forced UTF-8 converts even a text the detection leaves alone.
    r = ConvertitTexteCp1252("w.txt", EncodageEntree::Utf8);
    EXPECT_TRUE(r.converti);
    EXPECT_EQ(r.nbRemplaces, 3);

    r = ConvertitTexteCp1252("absent.txt", EncodageEntree::Auto);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("absent.txt"), std::string::npos);

    // A cancelled conversion leaves the earlier copy as it was and no temporary file.
    writeFile("u.cp1252.txt", "ancienne");
    Annulation annulation;
    annulation.Demande();
    r = ConvertitTexteCp1252("u.txt", EncodageEntree::Auto, &annulation);
    EXPECT_TRUE(r.annule);
    EXPECT_EQ(readFile("u.cp1252.txt"), "ancienne");
    for (auto &e : std::filesystem::directory_iterator("."))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

// The copy of a UTF-8 text segments into the same base as its Windows-1252 twin, apart
// from the character the set lacks, which becomes the substitute in both.
TEST(ConversionEntree, Utf8TextSegmentsLikeItsWindows1252Twin) {
    test::ScopedWorkDir dir;
    writeFile("jumeau.txt", "<titre=\xC9t\xE9>\nLe c\x9Cur de l\x92\xE9t\xE9 co\xFBte 5 \x80 ? "
                            "Oui.\n\xC9t\xE9 \x96 \x85\n");
    writeFile("source.txt", "<titre=\u00C9t\u00E9>\nLe c\u0153ur de l\u2019\u00E9t\u00E9 "
                            "co\u00FBte 5 \u20AC \u2192 Oui.\n\u00C9t\u00E9 \u2013 \u2026\n");
    const ResultatConversion r = ConvertitTexteCp1252("source.txt", EncodageEntree::Auto);
    ASSERT_TRUE(r.converti);
    EXPECT_EQ(r.nbRemplaces, 1);
    for (const char *t : {"jumeau.txt", "source.cp1252.txt"}) {
        ASSERT_EQ(VerifCles(t), 0) << t;
        ASSERT_TRUE(SegmPrinc(t, kDelimiteursDefaut).ok()) << t;
    }
    EXPECT_EQ(readFile("source.cp1252.dic"), readFile("jumeau.dic"));
    EXPECT_EQ(readFile("source.cp1252.num"), readFile("jumeau.num"));
}
