// morvix-cli command on repeated segments: segments.
#include "CliCommand.h"
#include "CliSegments.h"

#include "base/charg1.h"
#include "segments/SegRep.h"

#include <iostream>
#include <memory>

namespace morvix::cli {

namespace {

int segments(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("segments", argv, {"--seuil-formes", "--seuil-segments", "--delims"}, {}, 1,
                      1, args))
        return kExitUsage;
    std::string error;
    int64_t seuilFormes = 10, seuilSegments = 10;
    if (!args.intValue("--seuil-formes", 10, seuilFormes, error, 1) ||
        !args.intValue("--seuil-segments", 10, seuilSegments, error, 2))
        return fail(kExitUsage, error);

    const std::string &path = args.positionals()[0];
    charg1 base;
    if (!chargeBase(base, path))
        return kExitInput;

    // The punctuation entries stop the preceding form: all of them, or those named.
    std::set<int32_t> delims;
    const int32_t first = base.Nbform(), last = base.Nbform() + base.Nbartponct();
    if (auto d = args.value("--delims")) {
        for (char c : inText(*d)) {
            int32_t code = base.LocFormDic(std::string_view(&c, 1), true);
            if (code >= first && code < last)
                delims.insert(code);
        }
    } else {
        delims = delimiteursPonctuation(base);
    }

    SegRep store(&base, std::move(delims));
    if (!store.CalcSegRep(static_cast<int32_t>(seuilFormes), static_cast<int32_t>(seuilSegments)))
        return fail(kExitInput, store.Erreur());
    std::cout << "longueur\tsegment\tfrequence\n";
    for (int32_t k = 0; k < store.NbSegments(); ++k)
        std::cout << store.Segs[static_cast<size_t>(k)].Formes.size() << '\t'
                  << outText(store.RetourneGraphie(k)) << '\t'
                  << store.Segs[static_cast<size_t>(k)].Frq << '\n';
    if (store.Segs.empty())
        std::cerr << "Aucun segment trouvé!\n";
    return kExitOk;
}

const CommandRegistration kSegments(
    {"segments", "segments BASE.par [--seuil-formes N] [--seuil-segments N] [--delims STRING]",
     "segments répétés (seuils 10 par défaut) : longueur, texte, fréquence, dans l'ordre du "
     "calcul ; écrit BASE.loc.sr et BASE.desc.sr à côté de la base",
     segments});

} // namespace

} // namespace morvix::cli
