// morvix-cli: batch front end on the Morvix core.
#include "CliCommand.h"

#include <algorithm>
#include <cstring>
#include <iostream>

using namespace morvix::cli;

namespace {

void printHelp() {
    auto list = commands();
    std::sort(list.begin(), list.end(), [](const CliCommand &a, const CliCommand &b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    std::cout << "usage : morvix-cli [--encoding utf8|cp1252] COMMANDE [ARGUMENTS]\n\n"
                 "Lexicométrie d'un corpus balisé <clé=valeur> en Windows-1252.\n\n"
                 "Commandes :\n";
    for (const CliCommand &c : list)
        std::cout << "  " << c.synopsis << "\n      " << c.summary << '\n';
    std::cout << "\nOptions générales :\n"
                 "  --encoding utf8|cp1252  encodage des textes affichés et des arguments "
                 "(utf8 par défaut)\n"
                 "  --help                  cette aide\n"
                 "  --version               la version\n\n"
                 "Codes de sortie : 0 succès, 1 entrée incorrecte, 2 erreur d'usage.\n";
}

} // namespace

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    // Global options come before the command.
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            printHelp();
            return kExitOk;
        }
        if (a == "--version") {
            std::cout << "morvix-cli " << MORVIX_VERSION << '\n';
            return kExitOk;
        }
        std::string enc;
        if (a == "--encoding" && i + 1 < args.size())
            enc = args[++i];
        else if (a.rfind("--encoding=", 0) == 0)
            enc = a.substr(11);
        else if (a == "--encoding")
            return fail(kExitUsage, "l'option --encoding attend une valeur");
        else
            break;
        if (enc == "cp1252" || enc == "windows-1252")
            output().rawCp1252 = true;
        else if (enc == "utf8" || enc == "utf-8")
            output().rawCp1252 = false;
        else
            return fail(kExitUsage, "encodage inconnu : " + enc + " (utf8 ou cp1252)");
    }
    if (i >= args.size()) {
        printHelp();
        return kExitUsage;
    }
    const std::string name = args[i];
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    for (const CliCommand &c : commands()) {
        if (name == c.name) {
            const auto options = std::find(rest.begin(), rest.end(), "--");
            if (std::find(rest.begin(), options, "--help") != options) {
                std::cout << "usage : morvix-cli " << c.synopsis << "\n" << c.summary << '\n';
                return kExitOk;
            }
            int rc = c.run(rest);
            std::cout.flush();
            return rc;
        }
    }
    return fail(kExitUsage, "commande inconnue : " + name + " (morvix-cli --help)");
}
