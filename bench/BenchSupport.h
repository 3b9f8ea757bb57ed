// Helpers for the benchmark programs: timing, peak memory, the large corpus.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morvix {
class charg1;
struct SegmResult;
} // namespace morvix

namespace morvix::bench {

class Stopwatch {
  public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

  private:
    std::chrono::steady_clock::time_point m_start;
};

// Peak resident memory of this process, in bytes.
int64_t peakRss();
// Current resident memory of this process, in bytes.
int64_t currentRss();
// The large corpus (MORVIX_LARGE_CORPUS or ../shared/corpora/large beside the checkout).
std::string largeCorpus();
// The large corpus, or "" after saying on stderr that it is missing.
std::string requireLargeCorpus();

// A private folder under the temporary folder, made current; left and removed at the end.
class BenchDir {
  public:
    explicit BenchDir(const std::string &tag);
    ~BenchDir();
    BenchDir(const BenchDir &) = delete;
    BenchDir &operator=(const BenchDir &) = delete;
    const std::filesystem::path &path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// The figures a phase sends back from its child process.
using Figures = std::array<double, 6>;

// Runs `phase` (filling its figures, false on failure) in a child process of its own, so that
// its peak memory is its own; returns whether it succeeded, with the figures and the child's
// peak RSS in bytes.
bool inChild(const std::function<bool(Figures &)> &phase, Figures &figures, int64_t &peak);

// Runs a program with `args`, its output thrown away: whole-process wall time and peak RSS.
bool runProgram(const std::string &program, const std::vector<std::string> &args, double &seconds,
                int64_t &peak);

// Loads the base of `par`; says why on stderr and returns false on failure.
bool charge(charg1 &base, const std::string &par);

// Segments `text` into the current folder (MAXART raised for the large corpus) and loads the
// base; says why on stderr and returns false on failure.
bool segmenteEtCharge(const std::string &text, charg1 &base, SegmResult *result = nullptr);

} // namespace morvix::bench
