// The text scanned in chunks gives the files and the trace of a single pass, wherever it is
// cut: the chunks' tables must merge into the creation order and frequencies of one scan.
#include "segmentation/SegmPrinc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace morvix;
using test::readFile;
using test::writeFile;

namespace {

struct Passe {
    SegmCode code;
    std::string message, par, dic, num, trace;
    int32_t tranches;
};

Passe segmente(const std::string &path, SegmOptions o) {
    o.durable = false; // hundreds of runs: the disk need not see them
    std::filesystem::remove("atrace.txt");
    SegmResult r = SegmPrinc(path, kDelimiteursDefaut, o);
    Passe run{r.code, r.message, "", "", "", readFile("atrace.txt"), r.tranches};
    if (r.ok()) {
        run.par = readFile(r.baseName + ".par");
        run.dic = readFile(r.baseName + ".dic");
        run.num = readFile(r.baseName + ".num");
    }
    return run;
}

// Checks that the text at `path` cut at `cuts` gives what one pass gives.
void expectSameAsOnePass(const std::string &path, const std::vector<int64_t> &cuts,
                         const Passe &single, int32_t maxart = kMaxartDefaut) {
    SegmOptions o;
    o.maxart = maxart;
    o.coupures = cuts;
    const Passe r = segmente(path, o);
    std::string where;
    for (int64_t c : cuts)
        where += std::to_string(c) + " ";
    EXPECT_EQ(r.code, single.code) << where;
    EXPECT_EQ(r.message, single.message) << where;
    EXPECT_EQ(r.par, single.par) << where;
    EXPECT_EQ(r.dic, single.dic) << where;
    EXPECT_EQ(r.num, single.num) << where;
    EXPECT_EQ(r.trace, single.trace) << where;
}

Passe onePass(const std::string &path, int32_t maxart = kMaxartDefaut) {
    SegmOptions o;
    o.maxart = maxart;
    o.tranches = 1;
    Passe r = segmente(path, o);
    EXPECT_EQ(r.tranches, 1);
    return r;
}

std::vector<int64_t> lineEnds(const std::string &text, char eol = '\n') {
    std::vector<int64_t> ends;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == eol)
            ends.push_back(static_cast<int64_t>(i));
    return ends;
}

// A random text of the kinds a scan meets: forms (some past 59 characters), accented and
// control bytes, delimiters, CR LF, tags (some across a line end or left open).
std::string randomText(std::mt19937 &rng) {
    static const std::vector<std::string> pieces = {"le",
                                                    "la",
                                                    "de",
                                                    "Le",
                                                    "\xE9t\xE9",
                                                    "chat",
                                                    ",",
                                                    ".",
                                                    "'",
                                                    " ",
                                                    " ",
                                                    " ",
                                                    "\n",
                                                    "\r\n",
                                                    "\t",
                                                    "<auteur=Hugo>",
                                                    "<auteur=Zola>",
                                                    "<date=1851>",
                                                    "<a= b c >",
                                                    ">",
                                                    std::string(70, 'x'),
                                                    "\x85",
                                                    "\xA7",
                                                    "<k\n=v>",
                                                    "porte-monnaie",
                                                    "\x01"};
    std::string text;
    const int n = 20 + static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i)
        text += pieces[rng() % pieces.size()];
    if (rng() % 4 == 0)
        text += "<ouverte=";
    return text;
}

} // namespace

TEST(Decoupage, GoldenTextCutAtEveryLineEnd) {
    test::ScopedWorkDir dir;
    const std::string text = readFile(test::dataPath("golden/petit.txt"));
    writeFile("petit.txt", text);
    const Passe single = onePass("petit.txt");
    ASSERT_EQ(single.code, SegmCode::Ok);
    const std::vector<int64_t> ends = lineEnds(text);
    for (int64_t e : ends)
        expectSameAsOnePass("petit.txt", {e}, single);
    expectSameAsOnePass("petit.txt", ends, single);
}

TEST(Decoupage, SampleCorpusInTwoToSixChunks) {
    test::ScopedWorkDir dir;
    std::filesystem::copy_file(MORVIX_SAMPLE, "sample.txt");
    const auto size = static_cast<int64_t>(std::filesystem::file_size("sample.txt"));
    const Passe single = onePass("sample.txt");
    ASSERT_EQ(single.code, SegmCode::Ok) << single.message;
    for (int64_t n = 2; n <= 6; ++n) {
        std::vector<int64_t> cuts;
        for (int64_t k = 1; k < n; ++k)
            cuts.push_back(size * k / n);
        expectSameAsOnePass("sample.txt", cuts, single);
    }
}

TEST(Decoupage, RandomTaggedTextsCutAtEveryLineEnd) {
    test::ScopedWorkDir dir;
    std::mt19937 rng(20240611);
    for (int t = 0; t < 25; ++t) {
        const std::string text = randomText(rng);
        writeFile("r.txt", text);
        const Passe single = onePass("r.txt");
        for (int64_t e : lineEnds(text))
            expectSameAsOnePass("r.txt", {e}, single);
        expectSameAsOnePass("r.txt", lineEnds(text), single);
        if (testing::Test::HasFailure()) {
            ADD_FAILURE() << "text: " << text;
            break;
        }
    }
}

// A limit met in a later chunk stops the run with today's message, at today's place.
TEST(Decoupage, LimitsMetInALaterChunk) {
    test::ScopedWorkDir dir;
    std::string text = "un deux trois\nquatre cinq\n";
    for (int i = 0; i < 10; ++i)
        text += "mot" + std::to_string(i) + "\n";
    text += "<" + std::string(130, 'k') + "=v>\nfin\n";
    writeFile("l.txt", text);
    for (int32_t maxart : {8, 12, 100}) {
        const Passe single = onePass("l.txt", maxart);
        ASSERT_NE(single.code, SegmCode::Ok);
        for (int64_t e : lineEnds(text))
            expectSameAsOnePass("l.txt", {e}, single, maxart);
    }

    // CR line ends are cut at their CR.
    std::string cr = "a b\rc <x=y> d\re f\r";
    writeFile("cr.txt", cr);
    const Passe single = onePass("cr.txt");
    ASSERT_EQ(single.code, SegmCode::Ok);
    for (int64_t e : lineEnds(cr, '\r'))
        expectSameAsOnePass("cr.txt", {e}, single);
}
