#include "CliSegments.h"

#include "base/charg1.h"
#include "segments/SegRep.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace morvix::cli {

namespace {

bool entier(const std::string &texte, int64_t min, int64_t &out) {
    if (texte.empty())
        return false;
    char *fin = nullptr;
    errno = 0;
    const long long v = std::strtoll(texte.c_str(), &fin, 10);
    if (errno != 0 || *fin != '\0' || v < min || v > INT32_MAX)
        return false;
    out = v;
    return true;
}

} // namespace

std::set<int32_t> delimiteursPonctuation(const charg1 &base) {
    std::set<int32_t> delims;
    for (int32_t code = base.Nbform(); code < base.Nbform() + base.Nbartponct(); ++code)
        delims.insert(code);
    return delims;
}

std::unique_ptr<SegRep> attacheSegments(charg1 &base, const CliArgs &args, int &code) {
    code = kExitOk;
    const auto valeur = args.value(kOptionSegments);
    if (!valeur)
        return nullptr;
    const size_t virgule = valeur->find(',');
    int64_t seuilFormes = 0, seuilSegments = 0;
    if (virgule == std::string::npos || !entier(valeur->substr(0, virgule), 1, seuilFormes) ||
        !entier(valeur->substr(virgule + 1), 2, seuilSegments)) {
        code = fail(kExitUsage, std::string(kOptionSegments) +
                                    " attend SF,SS : les seuils des formes (1 ou plus) et des "
                                    "segments (2 ou plus)");
        return nullptr;
    }
    auto store = std::make_unique<SegRep>(&base, delimiteursPonctuation(base));
    if (!store->CalcSegRep(static_cast<int32_t>(seuilFormes),
                           static_cast<int32_t>(seuilSegments))) {
        code = fail(kExitInput, store->Erreur());
        return nullptr;
    }
    if (store->Segs.empty()) {
        std::cerr << "Aucun segment trouvé!\n";
        return nullptr;
    }
    base.AssigneSR(store.get());
    return store;
}

} // namespace morvix::cli
