// A segmentation never destroys its text, never mixes two bases and never leaves a base
// half replaced: the faults of a run killed, cancelled or run twice at once.
#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"
#include "util/Annulation.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace morvix;
using test::readFile;
using test::writeFile;
namespace fs = std::filesystem;

namespace {

struct BaseFiles {
    std::string par, dic, num;
    bool operator==(const BaseFiles &) const = default;
};

BaseFiles filesOf(const std::string &name) {
    return {readFile(name + ".par"), readFile(name + ".dic"), readFile(name + ".num")};
}

std::set<std::string> folderEntries() {
    std::set<std::string> names;
    for (const auto &e : fs::directory_iterator("."))
        names.insert(e.path().filename().string());
    return names;
}

// The graphies of the loaded base, in code order ("" when it does not load).
std::string dictionaryOf(const std::string &par) {
    charg1 b;
    if (b.ChargeBase(par) != kChargeOk)
        return "";
    std::string all;
    for (int32_t c = 0; c < b.Nbart(); ++c)
        all += std::string(b.RetourneGraphie(c, false)) + " ";
    return all;
}

const std::string kOld = "Une ville fortifi\xE9"
                         "e, une porte.\nLes murs.\n";
const std::string kNew = "Il parle fortement et longuement\nde tout, de rien.\n<a=b>\n";

} // namespace

TEST(RemplacementBase, TextNamedLikeABaseFileIsRefusedAndKept) {
    test::ScopedWorkDir dir;
    // The text «roman.par» would be overwritten by the base «roman» it makes.
    writeFile("roman.par", "<a=b> texte\n");
    SegmResult r = SegmPrinc("roman.par", kDelimiteursDefaut);
    EXPECT_EQ(r.code, SegmCode::TexteEnSortie);
    EXPECT_NE(r.message.find("roman.par"), std::string::npos);
    EXPECT_EQ(readFile("roman.par"), "<a=b> texte\n");
    EXPECT_FALSE(test::fileExists("roman.dic"));

    // The same file under another name (a hard link) is the same text.
    writeFile("t.txt", "un deux\n");
    ASSERT_TRUE(SegmPrinc("t.txt", kDelimiteursDefaut).ok());
    fs::remove("t.num");
    fs::create_hard_link("t.txt", "t.num");
    EXPECT_EQ(SegmPrinc("t.txt", kDelimiteursDefaut).code, SegmCode::TexteEnSortie);
    EXPECT_EQ(readFile("t.txt"), "un deux\n");

    // A text that is the trace log: neither the verification nor the segmentation touches it.
    writeFile("atrace.txt", "mon journal\n");
    EXPECT_EQ(VerifCles("atrace.txt"), kVerifTexteEstJournal);
    EXPECT_EQ(SegmPrinc("atrace.txt", kDelimiteursDefaut).code, SegmCode::TexteEnSortie);
    EXPECT_EQ(readFile("atrace.txt"), "mon journal\n");
}

TEST(RemplacementBase, FoldersAndUnusableBaseNamesAreRefused) {
    test::ScopedWorkDir dir;
    fs::create_directory("d.txt");
    SegmResult r = SegmPrinc("d.txt", kDelimiteursDefaut);
    EXPECT_EQ(r.code, SegmCode::TexteNonOuvert);
    EXPECT_NE(r.message.find("dossier"), std::string::npos);
    EXPECT_FALSE(test::fileExists("d.par"));
    EXPECT_EQ(VerifCles("d.txt"), kVerifTexteNonOuvert);

    writeFile("t.txt", "un\n");
    for (const char *name : {"", "..", "sous/x", "a\nb"}) {
        SegmOptions o;
        o.nomBase = name;
        if (*name == '\0')
            continue; // an empty option means "from the text"
        EXPECT_EQ(SegmPrinc("t.txt", kDelimiteursDefaut, o).code, SegmCode::NomIncorrect) << name;
    }
    EXPECT_EQ(SegmPrinc(".txt", kDelimiteursDefaut).code, SegmCode::NomIncorrect);
}

// Killed before each step of the replacement, a run leaves a base that loads wholly old or
// wholly new, and the next run leaves no temporary file behind.
TEST(RemplacementBase, KillAtEachRenameLeavesTheOldOrTheNewBase) {
    test::ScopedWorkDir dir;
    writeFile("nouveau.txt", kNew);
    SegmOptions named;
    named.nomBase = "t";
    ASSERT_TRUE(SegmPrinc("nouveau.txt", kDelimiteursDefaut, named).ok());
    const BaseFiles fresh = filesOf("t");
    const std::string freshWords = dictionaryOf("t.par");
    writeFile("ancien.txt", kOld);

    for (int32_t killAt = 0; killAt <= 5; ++killAt) {
        ASSERT_TRUE(SegmPrinc("ancien.txt", kDelimiteursDefaut, named).ok());
        const BaseFiles old = filesOf("t");
        const std::string oldWords = dictionaryOf("t.par");
        ASSERT_NE(oldWords, freshWords);
        const std::set<std::string> before = folderEntries();

        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            SegmOptions o = named;
            o.pointEngagement = [killAt](int32_t step) {
                if (step == killAt)
                    ::kill(::getpid(), SIGKILL);
            };
            SegmPrinc("nouveau.txt", kDelimiteursDefaut, o);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << killAt;

        // Up to the record in place the old base stands; after it, the new one.
        const std::string words = dictionaryOf("t.par");
        EXPECT_EQ(words, killAt <= 1 ? oldWords : freshWords) << "killed at step " << killAt;
        EXPECT_EQ(filesOf("t"), killAt <= 1 ? old : fresh) << "killed at step " << killAt;
        EXPECT_FALSE(test::fileExists("t.maj")) << killAt;
        if (killAt == 0) {
            EXPECT_EQ(folderEntries(), before); // nothing named yet: nothing left
        }
    }
    // Whatever the killed runs left is gone after the next one.
    ASSERT_TRUE(SegmPrinc("ancien.txt", kDelimiteursDefaut, named).ok());
    std::set<std::string> expected = {"atrace.txt", "ancien.txt", "nouveau.txt",
                                      "t.par",      "t.dic",      "t.num"};
    EXPECT_EQ(folderEntries(), expected);
}

// Two runs at once in one folder: each base holds its own text, and one base written by
// both is wholly one of them.
TEST(RemplacementBase, ConcurrentSegmentationsInOneFolderDoNotMix) {
    test::ScopedWorkDir dir;
    std::string a, d;
    for (int i = 0; i < 3000; ++i) {
        a += "alpha" + std::to_string(i % 97) + " beta, ";
        d += "delta" + std::to_string(i % 89) + " gamma. ";
    }
    writeFile("a.txt", a + "\n");
    writeFile("d.txt", d + "\n");
    ASSERT_TRUE(SegmPrinc("a.txt", kDelimiteursDefaut).ok());
    ASSERT_TRUE(SegmPrinc("d.txt", kDelimiteursDefaut).ok());
    const BaseFiles expectA = filesOf("a"), expectD = filesOf("d");

    auto spawn = [](const char *text, const char *name) {
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            SegmOptions o;
            o.nomBase = name;
            bool ok = true;
            for (int round = 0; round < 6; ++round)
                ok = SegmPrinc(text, kDelimiteursDefaut, o).ok() && ok;
            _exit(ok ? 0 : 1);
        }
        return pid;
    };
    for (int round = 0; round < 2; ++round) {
        pid_t p1 = spawn("a.txt", "a"), p2 = spawn("d.txt", "d");
        pid_t p3 = spawn("a.txt", "x"), p4 = spawn("d.txt", "x");
        for (pid_t p : {p1, p2, p3, p4}) {
            int status = 0;
            ASSERT_EQ(waitpid(p, &status, 0), p);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        EXPECT_EQ(filesOf("a"), expectA);
        EXPECT_EQ(filesOf("d"), expectD);
        const BaseFiles x = filesOf("x");
        const std::string name = "x\r\n";
        auto renamed = [&](BaseFiles f, const std::string &from) {
            f.par = name + f.par.substr(from.size() + 2);
            f.par.replace(f.par.find(from + ".TXT"), from.size(), "x");
            f.par.replace(f.par.rfind(from + ".TXT"), from.size(), "x");
            return f;
        };
        EXPECT_TRUE(x == renamed(expectA, "a") || x == renamed(expectD, "d"));
    }
}

TEST(RemplacementBase, CancelledSegmentationLeavesTheOldBaseAndNoTemporaryFile) {
    test::ScopedWorkDir dir;
    writeFile("t.txt", kOld);
    ASSERT_TRUE(SegmPrinc("t.txt", kDelimiteursDefaut).ok());
    const BaseFiles old = filesOf("t");
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += "mot" + std::to_string(i) + " autre, ";
    writeFile("t.txt", big);
    const std::set<std::string> before = folderEntries();

    // Raised before the run, during the scan, and while the numeric text is written.
    for (int at : {0, 3, 150}) {
        Annulation flag;
        int calls = 0;
        SegmOptions o;
        o.annulation = &flag;
        o.coupures = {static_cast<int64_t>(big.size() / 2)};
        if (at == 0)
            flag.Demande();
        o.gauge = [&](int32_t) {
            if (++calls == at)
                flag.Demande();
        };
        SegmResult r = SegmPrinc("t.txt", kDelimiteursDefaut, o);
        EXPECT_EQ(r.code, SegmCode::Annule) << at;
        EXPECT_EQ(filesOf("t"), old) << at;
        EXPECT_EQ(folderEntries(), before) << at;
    }
}
