// Temporary files left by killed runs are removed at start-up; those of live processes and
// files of other names are kept; a link under one of our names is never followed.
#include "TestSupport.h"

#include "report/Temporaires.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace morvix;

namespace {

// The id of a process that has ended (and been reaped).
pid_t processusTermine() {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(0);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    return pid;
}

} // namespace

TEST(Temporaires, KilledRunsAreRemovedLiveOnesKept) {
    test::ScopedWorkDir dir;
    const std::string mort = std::to_string(processusTermine());
    const std::string vif = std::to_string(getpid());
    fs::create_directory("qzv5-" + mort + "-abcdef");
    test::writeFile("qzv5-" + mort + "-abcdef/page.html", "x");
    test::writeFile("qzth-" + mort + "-ghijkl", "page");
    fs::create_directory("qzv5-" + vif + "-mnopqr");
    test::writeFile("qzth-" + vif + "-stuvwx", "page");
    // Other names, and our names without a process id, stay.
    test::writeFile("qzthABCDEF", "ancien");
    test::writeFile("qzv5-" + mort, "pas un dossier");
    test::writeFile("autre-" + mort + "-fichier", "autre");
    test::writeFile("victime.txt", "garder");
    fs::create_symlink("victime.txt", "qzth-" + mort + "-lien");

    EXPECT_EQ(NettoieTemporaires(dir.path()), 2);
    EXPECT_FALSE(fs::exists("qzv5-" + mort + "-abcdef"));
    EXPECT_FALSE(fs::exists("qzth-" + mort + "-ghijkl"));
    EXPECT_TRUE(fs::exists("qzv5-" + vif + "-mnopqr"));
    EXPECT_TRUE(fs::exists("qzth-" + vif + "-stuvwx"));
    EXPECT_TRUE(fs::exists("qzthABCDEF"));
    EXPECT_TRUE(fs::exists("qzv5-" + mort));
    EXPECT_TRUE(fs::exists("autre-" + mort + "-fichier"));
    EXPECT_EQ(test::readFile("victime.txt"), "garder");
    EXPECT_TRUE(fs::is_symlink("qzth-" + mort + "-lien"));
}

TEST(Temporaires, NamesCarryTheProcessId) {
    EXPECT_EQ(PrefixeTemporaire("qzth"), "qzth-" + std::to_string(getpid()) + "-");
    EXPECT_EQ(NettoieTemporaires("/dossier/absent"), 0);
}
