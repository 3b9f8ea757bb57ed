// Corpus creation: the tag names made from file names, the assembled text, the paragraphs of
// word-processor documents and their markers, and what a failed run leaves behind.
#include "report/CreationCorpus.h"
#include "report/LectureDocument.h"
#include "report/PreparationTexte.h"
#include "segmentation/VerifCles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace morvix;
using morvix::test::dataPath;
using morvix::test::fileExists;
using morvix::test::readFile;
using morvix::test::writeFile;

namespace {

// The three paragraphs of the "trois" documents, in Windows-1252.
const std::vector<std::string> kTrois = {
    "Le c\x9Cur de l\x92\xE9t\xE9 co\xFBte 5 \x80 \xAB net \xBB.",
    "Deuxi\xE8me paragraphe, avec  trois blancs et une tabulation.", "Hors du jeu : ? et ? fin."};

std::string document(const std::string &nom) { return dataPath("documents/" + nom); }

std::vector<std::string> enCp1252(const std::vector<std::string> &utf8) {
    std::vector<std::string> v;
    for (const std::string &p : utf8)
        v.push_back(Utf8VersCp1252(p));
    return v;
}

ResultatCorpus ecrit(const std::string &sortie, const std::vector<std::string> &chemins,
                     const std::string &marqueur = {}) {
    std::vector<Fic> fics;
    for (const std::string &c : chemins)
        fics.emplace_back(c);
    return EcritCorpus(sortie, fics, kCleCorpusDefaut, marqueur);
}

} // namespace

TEST(CreationCorpus, FileNamesMakeTagsThatPassTheVerification) {
    struct Cas {
        const char *chemin;
        const char *nom;
        int32_t type;
    } cas[] = {
        {"/d/Notes de cours.txt", "Notes_de_cours", kFicTexte},
        {"/d/b.TXT", "b", kFicTexte},
        {"/d.x/sans extension", "sans_extension", kFicInconnu},
        {"/d/rapport.final.DOC", "rapport.final", kFicWord},
        {"/d/a.docx", "a", kFicWordXml},
        {"/d/a.Odt", "a", kFicOdt},
        {"/d/\u00C9t\u00E9 \u2192 <x>.txt", "\xC9t\xE9_?__x_", kFicTexte},
        {"/d/.cache", "_", kFicInconnu},
        {"/d/0123456789012345678901234567890123456789abc.txt",
         "0123456789012345678901234567890123456789", kFicTexte},
    };
    for (const Cas &c : cas) {
        const Fic f(c.chemin);
        EXPECT_EQ(f.Nom, c.nom) << c.chemin;
        EXPECT_EQ(f.Type, c.type) << c.chemin;
        EXPECT_EQ(f.Chemin, c.chemin);
        EXPECT_EQ(f.Occurrences, -1);
    }
    EXPECT_EQ(Fic("/nulle/part.txt").Taille, -1);

    EXPECT_EQ(VerifieCleCorpus("titre"), "");
    for (const char *mauvaise : {"", "mon titre", "a<b", "a=b", "t\tx"})
        EXPECT_NE(VerifieCleCorpus(mauvaise), "") << mauvaise;
    EXPECT_NE(VerifieMarqueur("<p"), "");
    EXPECT_EQ(VerifieMarqueur("\xB6"), "");
    EXPECT_EQ(MarqueurParagraphe(false, true, "\xB6", "parag"), "");
    EXPECT_EQ(MarqueurParagraphe(true, false, "\xB6", "parag"), "\xB6");
    EXPECT_EQ(MarqueurParagraphe(true, true, "\xB6", "parag"), "<parag=");
}

TEST(CreationCorpus, TextFilesAreCopiedWholeUnderTheirTags) {
    test::ScopedWorkDir dir;
    // The 0xFF byte and the lone CR must come through untouched.
    const std::string notes = "Premier texte\r\nfin \xFF\xFE\rici";
    writeFile("Notes de cours.txt", notes);
    writeFile("b.txt", "second\n");
    writeFile("u.txt", "\u00E9t\u00E9 \u03A9\n");
    const ResultatCorpus r = ecrit("corpus.txt", {"Notes de cours.txt", "b.txt", "u.txt"});
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.nbFichiers, 3);
    EXPECT_EQ(r.nbConvertis, 1);
    EXPECT_EQ(r.nbRemplaces, 1);
    EXPECT_EQ(readFile("corpus.txt"), "<titre=Notes_de_cours>\r\n" + notes +
                                          "\r\n<titre=b>\r\nsecond\n\r\n"
                                          "<titre=u>\r\n\xE9t\xE9 ?\n\r\n");
    EXPECT_EQ(VerifCles("corpus.txt"), 0);
    EXPECT_EQ(Fic("Notes de cours.txt").Taille, static_cast<int64_t>(notes.size()));
}

// Each reader gives the same three paragraphs, in order, whatever the format.
TEST(CreationCorpus, EveryFormatGivesItsParagraphsInOrder) {
    for (const char *nom : {"trois.odt", "trois.docx", "trois.doc"}) {
        const ParagraphesDocument d = LitParagraphes(document(nom));
        ASSERT_TRUE(d.ok) << nom << ": " << d.message;
        EXPECT_EQ(enCp1252(d.paragraphes), kTrois) << nom;
    }
    // The first converter's path: a manual line break ends a line, the empty paragraph stays.
    const ParagraphesDocument d = LitParagraphes(document("long.doc"));
    ASSERT_TRUE(d.ok) << d.message;
    ASSERT_EQ(d.paragraphes.size(), 5u);
    EXPECT_EQ(d.paragraphes[2].substr(0, 23), "Apr\u00E8s un saut de ligne");
    EXPECT_EQ(d.paragraphes[3], "");
    EXPECT_EQ(Utf8VersCp1252(d.paragraphes[4]), kTrois[2]);
}

TEST(CreationCorpus, XmlReadersKeepTheRunningTextOnly) {
    const std::string w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
                          "main\" xmlns:mc=\"http://schemas.openxmlformats.org/"
                          "markup-compatibility/2006\"";
    const ParagraphesDocument docx = ParagraphesWordXml(
        "<w:document " + w +
            "><w:body><w:p><w:pPr><w:tabs><w:tab w:pos=\"1\"/></w:tabs></w:pPr>"
            "<w:r><w:t xml:space=\"preserve\">a </w:t><w:tab/><w:t>b</w:t><w:br/>"
            "<w:t>c</w:t><w:noBreakHyphen/><w:delText>effac\u00E9</w:delText>"
            "<w:instrText>PAGE</w:instrText></w:r>"
            "<mc:AlternateContent><mc:Choice><w:r><w:t>d</w:t></w:r></mc:Choice>"
            "<mc:Fallback><w:r><w:t>d</w:t></w:r></mc:Fallback></mc:AlternateContent></w:p>"
            "<w:p/><w:tbl><w:tr><w:tc><w:p><w:r><w:t>&lt;cellule&gt;</w:t></w:r></w:p></w:tc>"
            "</w:tr></w:tbl></w:body></w:document>",
        "x.docx");
    ASSERT_TRUE(docx.ok);
    EXPECT_EQ(docx.paragraphes, (std::vector<std::string>{"a \tb c-d", "", "<cellule>"}));

    const std::string t = "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                          "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"";
    const ParagraphesDocument odt = ParagraphesOdt(
        "<office:document-content " + t +
            "><office:body><office:text>"
            "<text:h>Titre</text:h>\n  <text:p>  un\n   deux<text:s text:c=\"3\"/>trois"
            "<text:tab/>quatre<text:line-break/>cinq<text:note><text:note-citation>1"
            "</text:note-citation><text:note-body><text:p>note</text:p></text:note-body>"
            "</text:note> <office:annotation><text:p>avis</text:p></office:annotation></text:p>"
            "<text:p/><text:list><text:list-item><text:p>item</text:p></text:list-item>"
            "</text:list></office:text></office:body></office:document-content>",
        "x.odt");
    ASSERT_TRUE(odt.ok);
    EXPECT_EQ(odt.paragraphes,
              (std::vector<std::string>{"Titre", "un deux   trois\tquatre cinq", "", "item"}));

    EXPECT_FALSE(ParagraphesOdt("<office:document-content", "x.odt").ok);
}

TEST(CreationCorpus, DocumentsAreConvertedWithTheirMarkers) {
    test::ScopedWorkDir dir;
    const std::string odt = document("trois.odt");
    struct Cas {
        std::string marqueur;
        std::vector<std::string> avant; // what precedes each paragraph
    } cas[] = {
        {"", {"", "", ""}},
        {"\xB6", {"\xB6\r\n", "\xB6\r\n", "\xB6\r\n"}},
        {"<parag=", {"<parag=1>\r\n", "<parag=2>\r\n", "<parag=3>\r\n"}},
    };
    for (const Cas &c : cas) {
        const ResultatCorpus r = ecrit("corpus.txt", {odt}, c.marqueur);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.nbRemplaces, 2);
        std::string attendu = "<titre=trois>\r\n";
        for (size_t i = 0; i < kTrois.size(); ++i)
            attendu += c.avant[i] + kTrois[i] + "\r";
        attendu += "\r\n";
        EXPECT_EQ(readFile("corpus.txt"), attendu) << c.marqueur;
        EXPECT_EQ(VerifCles("corpus.txt"), 0);
    }
}

TEST(CreationCorpus, FailureOrCancellationLeavesTheOldCorpus) {
    test::ScopedWorkDir dir;
    writeFile("a.txt", "a\n");
    writeFile("faux.docx", "ceci n'est pas une archive");
    writeFile("vide.odt", "");
    writeFile("corpus.txt", "ancien");
    for (const char *mauvais : {"absent.txt", "faux.docx", "vide.odt", "absent.doc"}) {
        const ResultatCorpus r = ecrit("corpus.txt", {"a.txt", mauvais});
        EXPECT_FALSE(r.ok) << mauvais;
        EXPECT_NE(r.message.find(mauvais), std::string::npos) << r.message;
        EXPECT_EQ(readFile("corpus.txt"), "ancien");
    }
    // A document that is not a Word file fails with the converter's reason.
    writeFile("texte.doc", "du texte brut, pas un document Word\n");
    EXPECT_FALSE(ecrit("corpus.txt", {"texte.doc"}).ok);

    // The corpus cannot replace one of its own files.
    ResultatCorpus r = ecrit("a.txt", {"a.txt"});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readFile("a.txt"), "a\n");

    Annulation annulation;
    annulation.Demande();
    std::vector<Fic> fics{Fic("a.txt")};
    r = EcritCorpus("corpus.txt", fics, "titre", "", &annulation);
    EXPECT_TRUE(r.annule);
    EXPECT_EQ(readFile("corpus.txt"), "ancien");
    for (auto &e : std::filesystem::directory_iterator("."))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

// A document given to the segmentation becomes a text of one paragraph a line beside it.
TEST(CreationCorpus, DocumentToSegmentBecomesItsTextCopy) {
    test::ScopedWorkDir dir;
    std::filesystem::copy_file(document("trois.docx"), "trois.docx");
    const ResultatConversion r = PrepareTexte("trois.docx", EncodageEntree::Auto);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.converti);
    EXPECT_TRUE(r.document);
    EXPECT_EQ(r.chemin, "trois.cp1252.txt");
    EXPECT_EQ(r.nbRemplaces, 2);
    EXPECT_EQ(readFile("trois.cp1252.txt"),
              kTrois[0] + "\r\n" + kTrois[1] + "\r\n" + kTrois[2] + "\r\n");
    EXPECT_TRUE(fileExists("trois.docx"));
}
