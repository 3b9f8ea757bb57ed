// morvix-cli commands on texts and bases: verify, segment, info, dico.
#include "CliCommand.h"

#include "base/charg1.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"
#include "util/SafeFiles.h"
#include "util/TempFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

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

void warnTrace(const std::string &failure) {
    if (!failure.empty())
        std::cerr << "morvix-cli: avertissement : " << failure << '\n';
}

// The text a command reads: a file as it is, or "-" (standard input), a pipe or a device
// copied once into a temporary file of the current folder, since the verification and the
// segmentation each read the text.
class TexteEntree {
  public:
    // False after printing why (exit status in `rc`).
    bool prepare(const std::string &path, const std::string &copyName, int &rc) {
        struct stat st {};
        if (path != "-" && ::stat(path.c_str(), &st) != 0) {
            m_path = path; // reported by the verification
            return true;
        }
        if (path != "-" && S_ISDIR(st.st_mode)) {
            rc = fail(kExitInput, "le texte " + path + " est un dossier");
            return false;
        }
        if (path != "-" && S_ISREG(st.st_mode)) {
            m_path = path;
            return true;
        }
        int in = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        std::string error;
        if (in < 0 || !m_copy.create(copyName + ".texte", false, error) ||
            !m_copy.giveName(error)) {
            rc = fail(kExitInput, in < 0 ? "le fichier " + path + " ne peut être ouvert (" +
                                               causeOf(errno) + ")"
                                         : error);
            if (in > STDIN_FILENO)
                ::close(in);
            return false;
        }
        std::vector<char> buf(1 << 16);
        int64_t at = 0;
        ssize_t n;
        bool ok = true;
        while ((n = ::read(in, buf.data(), buf.size())) != 0) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 || !writeAllAt(m_copy.fd(), buf.data(), static_cast<size_t>(n), at)) {
                ok = false;
                break;
            }
            at += n;
        }
        if (in > STDIN_FILENO)
            ::close(in);
        if (!ok) {
            rc = fail(kExitInput, "le texte " + path +
                                      " ne peut être copié dans le dossier "
                                      "courant (" +
                                      causeOf(errno) + ")");
            return false;
        }
        m_copy.close();
        m_path = m_copy.path();
        return true;
    }
    const std::string &path() const { return m_path; }

  private:
    TempFile m_copy; // removed when the command ends
    std::string m_path;
};

// The verification of `path` with its report kept; false after printing why the text
// could not be verified.
bool verifie(const std::string &shown, const std::string &path, std::string &report,
             int32_t &errors, std::string &traceFailure, int &rc) {
    Trace trace;
    trace.capture(&report);
    errors = VerifCles(path, trace);
    traceFailure = trace.failure();
    if (errors == kVerifTexteEstJournal) {
        rc = fail(kExitInput, "le texte " + shown +
                                  " est le journal atrace.txt que la vérification écrit : "
                                  "renommez-le ou changez de dossier");
        return false;
    }
    return true;
}

int verify(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("verify", argv, {}, {}, 1, 1, args))
        return kExitUsage;
    const std::string &shown = args.positionals()[0];
    int rc = kExitOk;
    TexteEntree text;
    std::string report, traceFailure;
    int32_t errors = 0;
    if (!text.prepare(shown, "stdin", rc) ||
        !verifie(shown, text.path(), report, errors, traceFailure, rc))
        return rc;
    // The report of this run, whether or not the trace could be written.
    std::cout << outText(report) << '\n';
    if (errors == kVerifTexteNonOuvert)
        return fail(kExitInput, "le fichier " + shown + " ne peut être ouvert");
    if (!traceFailure.empty())
        return fail(kExitInput, traceFailure);
    if (errors > 0)
        return fail(kExitInput, std::to_string(errors) + " erreur(s) dans les clés");
    return kExitOk;
}

int segment(const std::vector<std::string> &argv) {
    CliArgs args;
    if (!parseOrUsage("segment", argv, {"--delims", "--maxart", "--nom", "--encoding-entree"}, {},
                      1, 1, args))
        return kExitUsage;
    std::string error;
    int64_t maxart = 0;
    if (!args.intValue("--maxart", kMaxartDefaut, maxart, error, 1, kMaxartLimite))
        return fail(kExitUsage, error);
    std::string delims = kDelimiteursDefaut;
    if (auto d = args.value("--delims"))
        delims = inText(*d);
    const std::string &shown = args.positionals()[0];
    const std::string nom = args.value("--nom") ? inText(*args.value("--nom")) : std::string();
    if (shown == "-" && nom.empty())
        return fail(kExitUsage, "un texte lu sur l'entrée standard (-) demande --nom NOM");
    if (!nom.empty())
        if (std::string why = baseNameProblem(nom); !why.empty())
            return fail(kExitUsage, "--nom " + *args.value("--nom") + " : " + why);
    int rc = kExitOk;
    TexteEntree text;
    if (!text.prepare(shown, nom.empty() ? TraitPath(shown) : nom, rc))
        return rc;
    // A text copied from a pipe is named after what was given, not after its copy.
    const bool copied = text.path() != shown;
    std::string path;
    if (rc = prepareTexteEntree(text.path(), args.value("--encoding-entree"), path); rc != kExitOk)
        return rc;
    std::string report, traceFailure;
    int32_t errors = 0;
    if (!verifie(shown, path, report, errors, traceFailure, rc))
        return rc;
    if (errors == kVerifTexteNonOuvert)
        return fail(kExitInput, "le fichier " + shown + " ne peut être ouvert");
    if (errors > 0)
        return fail(kExitInput, "Problème dans les clefs. Consultez atrace.txt (" +
                                    std::to_string(errors) + " erreur(s))");
    SegmOptions options;
    options.maxart = static_cast<int32_t>(maxart);
    options.nomBase = nom.empty() && copied ? TraitPath(shown) : nom;
    SegmResult r = SegmPrinc(path, delims, options);
    warnTrace(r.traceErreur.empty() ? traceFailure : r.traceErreur);
    if (r.code == SegmCode::TropDArticles)
        return fail(kExitInput, "le texte compte plus de " + std::to_string(maxart) +
                                    " articles distincts : augmentez --maxart (MAXART)");
    if (r.code == SegmCode::ZonePleine)
        return fail(kExitInput, "les graphies du texte dépassent la zone de 40 × " +
                                    std::to_string(maxart) +
                                    " octets : augmentez --maxart (MAXART)");
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
    warnTrace(base.ErreurTrace());
    if (rc == kChargeOk)
        return true;
    fail(kExitInput, std::string("Erreur ") + kChargeMessages[rc] + " : " + base.Erreur());
    return false;
}

namespace {

const CommandRegistration kVerify({"verify", "verify TEXT",
                                   "vérifie les balises <clé=valeur> du texte (atrace.txt) ; "
                                   "TEXT - lit l'entrée standard",
                                   verify});
const CommandRegistration kSegment({"segment",
                                    "segment TEXT [--delims STRING] [--maxart N] [--nom NOM] "
                                    "[--encoding-entree auto|utf8|cp1252]",
                                    "vérifie puis segmente le texte en une base .par/.dic/.num "
                                    "dans le dossier courant, nommée d'après le texte ou NOM "
                                    "(TEXT - lit l'entrée standard et demande --nom ; un texte "
                                    "UTF-8 ou un document est d'abord copié en Windows-1252 : "
                                    "NOM.cp1252.txt)",
                                    segment});
const CommandRegistration kInfo({"info", "info BASE.par",
                                 "caractéristiques lexicométriques principales de la base", info});
const CommandRegistration kDico({"dico", "dico BASE.par [--alpha]",
                                 "dictionnaire : code, graphie, fréquence, rang alphabétique "
                                 "(ordre lexicométrique, ou alphabétique avec --alpha)",
                                 dico});

} // namespace

} // namespace morvix::cli
