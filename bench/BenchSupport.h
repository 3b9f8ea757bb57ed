// Helpers for the benchmark programs: timing, peak memory, the large corpus.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

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

} // namespace morvix::bench
