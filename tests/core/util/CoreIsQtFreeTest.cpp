#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

// The core library must build without Qt.
TEST(Layering, NoCoreFileIncludesAQtHeader) {
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/))");
    for (const auto &entry : fs::recursive_directory_iterator(MORVIX_SOURCE_DIR "/src/core")) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path());
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            ++n;
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << entry.path() << ":" << n;
        }
    }
}
