#include "BenchSupport.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvix::bench {

int64_t peakRss() {
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<int64_t>(u.ru_maxrss) * 1024;
}

int64_t currentRss() {
    std::ifstream in("/proc/self/statm");
    int64_t size = 0, resident = 0;
    in >> size >> resident;
    return resident * 4096;
}

std::string largeCorpus() {
    if (const char *env = std::getenv("MORVIX_LARGE_CORPUS"))
        return env;
    return std::string(MORVIX_SOURCE_DIR) + "/../shared/corpora/large/eltec_fra_100_romans.txt";
}

} // namespace morvix::bench

namespace morvix::bench {

std::string requireLargeCorpus() {
    std::string corpus = largeCorpus();
    if (!std::filesystem::exists(corpus)) {
        std::fprintf(stderr, "corpus not found: %s\n", corpus.c_str());
        return "";
    }
    return corpus;
}

BenchDir::BenchDir(const std::string &tag)
    : m_path(std::filesystem::temp_directory_path() /
             ("morvix-bench-" + tag + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(m_path);
    std::filesystem::current_path(m_path);
}

BenchDir::~BenchDir() {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(m_path, ec);
}

bool inChild(const std::function<bool(Figures &)> &phase, Figures &figures, int64_t &peak) {
    int fd[2];
    if (pipe(fd) != 0)
        return false;
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        Figures f{};
        const bool ok = phase(f) && write(fd[1], f.data(), sizeof f) == sizeof f;
        std::fflush(stdout);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    struct rusage u {};
    wait4(pid, &status, 0, &u);
    peak = static_cast<int64_t>(u.ru_maxrss) * 1024;
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                    read(fd[0], figures.data(), sizeof figures) == sizeof figures;
    close(fd[0]);
    close(fd[1]);
    return ok;
}

bool runProgram(const std::string &program, const std::vector<std::string> &args, double &seconds,
                int64_t &peak) {
    Stopwatch w;
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        std::vector<char *> argv{const_cast<char *>(program.c_str())};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage u {};
    wait4(pid, &status, 0, &u);
    seconds = w.seconds();
    peak = static_cast<int64_t>(u.ru_maxrss) * 1024;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool charge(charg1 &base, const std::string &par) {
    if (base.ChargeBase(par) == kChargeOk)
        return true;
    std::fprintf(stderr, "loading failed: %s\n", base.Erreur().c_str());
    return false;
}

bool segmenteEtCharge(const std::string &text, charg1 &base, SegmResult *result) {
    SegmOptions o;
    o.maxart = 400000;
    SegmResult r = SegmPrinc(text, kDelimiteursDefaut, o);
    if (result)
        *result = r;
    if (!r.ok()) {
        std::fprintf(stderr, "segmentation failed: %s\n", r.message.c_str());
        return false;
    }
    if (base.ChargeBase(r.baseName + ".par") != kChargeOk) {
        std::fprintf(stderr, "loading failed: %s\n", base.Erreur().c_str());
        return false;
    }
    return true;
}

} // namespace morvix::bench
