#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>

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
