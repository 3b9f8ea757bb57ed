// morvix-cli: command registry and argument handling shared by every subcommand. Each
// subsystem's commands live in a Commands*.cpp file of their own and register themselves.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morvix {
class charg1;
}

namespace morvix::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitInput = 1;
inline constexpr int kExitUsage = 2;

// Parsed arguments of one subcommand: positionals and --options.
class CliArgs {
  public:
    // `valued` lists the options that take a value, `flags` those that do not; after "--"
    // every argument is positional.
    bool parse(const std::vector<std::string> &argv, const std::set<std::string> &valued,
               const std::set<std::string> &flags, std::string &error);

    const std::vector<std::string> &positionals() const { return m_positionals; }
    bool has(const std::string &name) const { return m_values.count(name) > 0; }
    std::optional<std::string> value(const std::string &name) const;
    // An integer option (default when absent); false with `error` set when malformed.
    bool intValue(const std::string &name, int64_t fallback, int64_t &out, std::string &error,
                  int64_t min = INT32_MIN, int64_t max = INT32_MAX) const;

  private:
    std::vector<std::string> m_positionals;
    std::map<std::string, std::string> m_values;
};

// Process-wide output settings chosen by the global options.
struct CliOutput {
    bool rawCp1252 = false; // --encoding cp1252
};
CliOutput &output();

// Text of the base (Windows-1252 bytes) as the terminal gets it.
std::string outText(std::string_view cp1252);
// A command-line argument (UTF-8 unless --encoding cp1252) as Windows-1252 bytes.
std::string inText(std::string_view arg);

// Prints "morvix-cli: MESSAGE" on stderr (message in UTF-8) and returns `code`.
int fail(int code, const std::string &message);

// Loads the base of `path`; on failure prints "Erreur ..." with the cause on stderr and
// returns false (the command then exits with kExitInput).
bool chargeBase(charg1 &base, const std::string &path);

// The text that segment reads for `chemin`: itself, or the Windows-1252 copy of a UTF-8 text
// or of a document (said on stderr); `encodage` is the --encoding-entree value (auto when
// absent). Returns kExitOk, or the exit code after printing the reason.
int prepareTexteEntree(const std::string &chemin, const std::optional<std::string> &encodage,
                       std::string &texte);

using CommandFunction = int (*)(const std::vector<std::string> &args);

struct CliCommand {
    const char *name;
    const char *synopsis; // e.g. "segment TEXT [--delims STRING] [--maxart N]"
    const char *summary;  // one line
    CommandFunction run;
};

std::vector<CliCommand> &commands();

struct CommandRegistration {
    explicit CommandRegistration(CliCommand command) { commands().push_back(command); }
};

// Parses args for a command; on failure prints the usage error and returns false.
bool parseOrUsage(const char *command, const std::vector<std::string> &args,
                  const std::set<std::string> &valued, const std::set<std::string> &flags,
                  size_t minPositionals, size_t maxPositionals, CliArgs &out);

} // namespace morvix::cli
