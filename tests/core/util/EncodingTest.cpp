#include "util/Encoding.h"
#include "util/FrenchCollator.h"
#include "util/TextReader.h"
#include "util/TextWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace morvix;

TEST(Encoding, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Encoding, HighControlRangeMapsToItsTypographicCharacters) {
    struct Case {
        unsigned char byte;
        char32_t cp;
    } cases[] = {{0x80, 0x20AC}, {0x91, 0x2018}, {0x92, 0x2019}, {0x9C, 0x0153},
                 {0x8C, 0x0152}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
                 {0x90, 0x0090}, {0x9D, 0x009D}, {0xE9, 0x00E9}, {0x41, 0x0041}};
    for (const Case &c : cases) {
        EXPECT_EQ(cp1252ToUnicode(c.byte), c.cp) << int(c.byte);
        EXPECT_EQ(unicodeToCp1252(c.cp), int(c.byte)) << int(c.byte);
    }
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252ToUtf8("\x9C"), "\u0153");
}

TEST(Encoding, CharactersOutsideTheSetAndBrokenUtf8BecomeTheReplacement) {
    EXPECT_EQ(utf8ToCp1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");          // truncated sequence
    EXPECT_EQ(utf8ToCp1252("\xC3(x", '_'), "_(x"); // bad continuation byte
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(Collator, FrenchOrderIsTotalAndFallsBackOnTheBytes) {
    FrenchCollator c;
    ASSERT_TRUE(c.ok());
    EXPECT_LT(c.compare("chat", "chien"), 0);
    EXPECT_LT(c.compare("\xE7"
                        "a",
                        "chat"),
              0);                               // ça before chat
    EXPECT_LT(c.compare("et", "\xE9t\xE9"), 0); // et before été
    EXPECT_LT(c.compare("cote", "c\xF4t\xE9"), 0);
    EXPECT_EQ(c.compare("abc", "abc"), 0);
    // Strings ICU finds equal (an ignorable control) still get a fixed order.
    int ab = c.compare("a\x01"
                       "b",
                       "ab");
    EXPECT_NE(ab, 0);
    EXPECT_EQ(c.compare("ab", "a\x01"
                              "b"),
              -ab);
}

TEST(TextFiles, WriterEmitsCrLfAndConvertsTheLiteralOnly) {
    test::ScopedWorkDir dir;
    TextWriter w;
    ASSERT_TRUE(w.open("out.txt"));
    w.printf("Résultat %s\n", "\xE9t\xE9");
    w.write("a\nb");
    ASSERT_TRUE(w.close());
    EXPECT_EQ(test::readFile("out.txt"), "R\xE9sultat \xE9t\xE9\r\na\r\nb");
}

TEST(TextFiles, ReaderFoldsCrLfButKeepsALoneCr) {
    test::ScopedWorkDir dir;
    // A CR LF pair straddling the reader's 1 MB buffer boundary must fold too.
    std::string big(1 << 20, 'x');
    big[(1 << 20) - 1] = '\r';
    big += "\nend\r\rz";
    test::writeFile("in.txt", big);
    TextReader r;
    ASSERT_TRUE(r.open("in.txt"));
    std::string got;
    for (int c = r.get(); c != TextReader::kEof; c = r.get())
        got.push_back(static_cast<char>(c));
    std::string expected(1 << 20, 'x');
    expected[(1 << 20) - 1] = '\n';
    expected += "end\r\rz";
    EXPECT_EQ(got, expected);
}
