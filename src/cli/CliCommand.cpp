#include "CliCommand.h"

#include "util/Encoding.h"

#include <charconv>
#include <cstdio>
#include <iostream>

namespace morvix::cli {

bool CliArgs::parse(const std::vector<std::string> &argv, const std::set<std::string> &valued,
                    const std::set<std::string> &flags, std::string &error) {
    bool options = true;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string &a = argv[i];
        if (options && a == "--") { // what follows is positional, "--x.txt" included
            options = false;
        } else if (options && a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a;
            std::optional<std::string> inlineValue;
            if (size_t eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                inlineValue = a.substr(eq + 1);
            }
            if (valued.count(name)) {
                if (inlineValue) {
                    m_values[name] = *inlineValue;
                } else if (i + 1 < argv.size()) {
                    m_values[name] = argv[++i];
                } else {
                    error = "l'option " + name + " attend une valeur";
                    return false;
                }
            } else if (flags.count(name) && !inlineValue) {
                m_values[name] = "";
            } else {
                error = "option inconnue : " + a;
                return false;
            }
        } else {
            m_positionals.push_back(a);
        }
    }
    return true;
}

std::optional<std::string> CliArgs::value(const std::string &name) const {
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

bool CliArgs::intValue(const std::string &name, int64_t fallback, int64_t &out, std::string &error,
                       int64_t min, int64_t max) const {
    auto v = value(name);
    if (!v) {
        out = fallback;
        return true;
    }
    int64_t parsed = 0;
    auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), parsed);
    if (ec != std::errc() || ptr != v->data() + v->size() || parsed < min || parsed > max) {
        error = "valeur incorrecte pour " + name + " : " + *v + " (entier de " +
                std::to_string(min) + " à " + std::to_string(max) + " attendu)";
        return false;
    }
    out = parsed;
    return true;
}

CliOutput &output() {
    static CliOutput o;
    return o;
}

std::string outText(std::string_view cp1252) {
    return output().rawCp1252 ? std::string(cp1252) : cp1252ToUtf8(cp1252);
}

std::string inText(std::string_view arg) {
    return output().rawCp1252 ? std::string(arg) : utf8ToCp1252(arg);
}

int fail(int code, const std::string &message) {
    std::cout.flush();
    std::cerr << "morvix-cli: " << message << '\n';
    return code;
}

std::vector<CliCommand> &commands() {
    static std::vector<CliCommand> list;
    return list;
}

bool parseOrUsage(const char *command, const std::vector<std::string> &args,
                  const std::set<std::string> &valued, const std::set<std::string> &flags,
                  size_t minPositionals, size_t maxPositionals, CliArgs &out) {
    std::string error;
    bool ok = out.parse(args, valued, flags, error);
    if (ok &&
        (out.positionals().size() < minPositionals || out.positionals().size() > maxPositionals)) {
        error = "nombre d'arguments incorrect";
        ok = false;
    }
    if (!ok) {
        for (const CliCommand &c : commands())
            if (std::string_view(c.name) == command)
                std::cerr << "morvix-cli: " << error << "\nusage : morvix-cli " << c.synopsis
                          << '\n';
        return false;
    }
    return true;
}

} // namespace morvix::cli
