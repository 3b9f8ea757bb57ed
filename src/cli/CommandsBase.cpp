// morvix-cli commands on texts and bases: verify, segment, info, dico.
#include "CliCommand.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <numeric>

namespace morvix::cli {

namespace {

const char *const kChargeMessages[] = {
    "", "de lecture du fichier de paramètres", "de lecture du dictionnaire numérisé",
    "de lecture du texte numérisé", ": Allocation mémoire impossible"};

void printCounts(const std::string &baseName, int32_t nbocc, int32_t nbform, int32_t fmax,
                 int32_t nhap, int32_t nbitem, int32_t nbart, int32_t nbponct, int32_t nbcle,
                 int32_t nbctnu) {
    std::cout << "base\t" << outText(baseName) << "\noccurrences\t" << nbocc << "\nformes\t"
              << nbform << "\nfrequence maximale\t" << fmax << "\nhapax\t" << nhap << "\nitems\t"
              << nbitem << "\narticles\t" << nbart << "\nponctuations\t" << nbponct
              << "\ntypes de cles\t" << nbcle << "\ncontenus de cles\t" << nbctnu << '\n';
}

std::string readTrace() {
    std::string content;
    if (std::FILE *f = std::fopen("atrace.txt", "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            content.append(buf, n);
        std::fclose(f);
    }
    content.erase(std::remove(content.begin(), content.end(), '\r'), content.end());
    return content;
}

int verify(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("verify", argv, {}, {}, 1, 1, args))
        return kExitUsage;
    const std::string &path = args.positionals()[0];
    int32_t errors = VerifCles(path);
    std::cout << outText(readTrace()) << '\n';
    if (errors == kVerifTexteNonOuvert)
        return fail(kExitInput, "le fichier " + path + " ne peut être ouvert");
    if (errors > 0)
        return fail(kExitInput, std::to_string(errors) + " erreur(s) dans les clés");
    return kExitOk;
}

int segment(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("segment", argv, {"--delims", "--maxart", "--encoding-entree"}, {}, 1, 1,
                      args))
        return kExitUsage;
    std::string error;
    int64_t maxart = 0;
    if (!args.intValue("--maxart", kMaxartDefaut, maxart, error, 1, kMaxartLimite))
        return fail(kExitUsage, error);
    std::string delims = kDelimiteursDefaut;
    if (auto d = args.value("--delims"))
        delims = inText(*d);
    std::string path;
    if (int rc = prepareTexteEntree(args.positionals()[0], args.value("--encoding-entree"), path);
        rc != kExitOk)
        return rc;
    int32_t errors = VerifCles(path);
    if (errors == kVerifTexteNonOuvert)
        return fail(kExitInput, "le fichier " + path + " ne peut être ouvert");
    if (errors > 0)
        return fail(kExitInput, "Problème dans les clefs. Consultez atrace.txt (" +
                                    std::to_string(errors) + " erreur(s))");
    SegmOptions options;
    options.maxart = static_cast<int32_t>(maxart);
    SegmResult r = SegmPrinc(path, delims, options);
    if (!r.ok())
        return fail(kExitInput, r.message);
    printCounts(r.baseName, r.nbocc, r.nbf, r.fmax, r.nhap, r.nbitem, r.nbart, r.nbartponct,
                r.nbcle, r.nbctnu);
    return kExitOk;
}

std::unique_ptr<charg1> load(const std::string &path) {
    auto base = std::make_unique<charg1>();
    return chargeBase(*base, path) ? std::move(base) : nullptr;
}

int info(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("info", argv, {}, {}, 1, 1, args))
        return kExitUsage;
    auto b = load(args.positionals()[0]);
    if (!b)
        return kExitInput;
    printCounts(b->NomBase(), b->Nbocc(), b->Nbform(), b->Fmax(), b->Nhap(), b->Nbitem(),
                b->Nbart(), b->Nbartponct(), b->Nbcle(), b->Nbctnu());
    std::cout << "lignes\t" << b->NbLignes() << '\n';
    return kExitOk;
}

int dico(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("dico", argv, {}, {"--alpha"}, 1, 1, args))
        return kExitUsage;
    auto b = load(args.positionals()[0]);
    if (!b)
        return kExitInput;
    std::vector<int32_t> order(static_cast<size_t>(b->Nbart()));
    std::iota(order.begin(), order.end(), 0);
    if (args.has("--alpha"))
        std::sort(order.begin(), order.end(),
                  [&](int32_t x, int32_t y) { return b->Lexg(x) < b->Lexg(y); });
    std::cout << "code\tgraphie\tfrequence\trang\n";
    for (int32_t code : order)
        std::cout << code << '\t' << outText(b->RetourneGraphie(code, false)) << '\t'
                  << b->RetourneFrq(code) << '\t' << b->Lexg(code) << '\n';
    return kExitOk;
}

} // namespace

bool chargeBase(charg1 &base, const std::string &path) {
    int rc = base.ChargeBase(path);
    if (rc == kChargeOk)
        return true;
    fail(kExitInput, std::string("Erreur ") + kChargeMessages[rc] + " : " + base.Erreur());
    return false;
}

namespace {

const CommandRegistration kVerify({"verify", "verify TEXT",
                                   "vérifie les balises <clé=valeur> du texte (atrace.txt)",
                                   verify});
const CommandRegistration kSegment({"segment",
                                    "segment TEXT [--delims STRING] [--maxart N] "
                                    "[--encoding-entree auto|utf8|cp1252]",
                                    "vérifie puis segmente le texte en une base .par/.dic/.num "
                                    "dans le dossier courant (un texte UTF-8 ou un document est "
                                    "d'abord copié en Windows-1252 : NOM.cp1252.txt)",
                                    segment});
const CommandRegistration kInfo({"info", "info BASE.par",
                                 "caractéristiques lexicométriques principales de la base", info});
const CommandRegistration kDico({"dico", "dico BASE.par [--alpha]",
                                 "dictionnaire : code, graphie, fréquence, rang alphabétique "
                                 "(ordre lexicométrique, ou alphabétique avec --alpha)",
                                 dico});

} // namespace

} // namespace morvix::cli
