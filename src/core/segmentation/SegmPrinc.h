// The segmentation engine: cuts a marked-up Windows-1252 text into forms, punctuation
// signs, ends of line and tag parts, sorts the dictionary and writes the base files
// (.dic, .num, .par) into the current folder, tracing every step into the trace log.
#pragma once

#include "util/Annulation.h"
#include "util/FileCommit.h"
#include "util/Trace.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvix {

using Gauge = std::function<void(int32_t)>;

// The default delimiter characters.
inline constexpr const char *kDelimiteursDefaut = ".,:;!?/_-\\\"'()[]{}\xA7$";
inline constexpr int32_t kMaxartDefaut = 100000;
// Article codes must stay below the end-of-line code of the numeric text.
inline constexpr int32_t kMaxartLimite = 4999741;

enum class SegmCode {
    Ok = 0,
    TexteNonOuvert,   // the text cannot be opened
    TxnNonOuvert,     // the temporary file cannot be created
    FichierNonOuvert, // the temporary file cannot be reread or a base file cannot be written
    TropDArticles,    // more distinct articles than MAXART
    ZonePleine,       // the graphies exceed the pool of 40 x MAXART bytes
    BaliseTropLongue, // a tag part longer than 126 characters
    Annule,           // cancelled: no base file written, an older base left as it was
    TexteEnSortie,    // the text is one of the files the run would write
    NomIncorrect,     // the base name cannot name base files
    TropDItems,       // more items than a 32-bit count with the line-end codes can hold
};

struct SegmOptions {
    int32_t maxart = kMaxartDefaut;
    std::string tracePath = "atrace.txt";
    // The base name, instead of the one TraitPath draws from the text's path.
    std::string nomBase;
    // Polled between steps and while the text is read; a raised flag ends the run with
    // SegmCode::Annule.
    const Annulation *annulation = nullptr;
    // Optional progress callback (argument ignored): 100 calls while the text is scanned,
    // 100 while the numeric text is written.
    Gauge gauge;
    // Chunks of text scanned at once: 0 one per core, 1 a single pass.
    int32_t tranches = 0;
    // Tests: cut the text at the first line end at or after each of these byte offsets
    // instead of at even shares.
    std::vector<int64_t> coupures;
    // False: the files are not forced to the disk before they replace the old base (scratch
    // bases); a killed run still leaves the old or the new base, a power cut may not.
    bool durable = true;
    // Tests: called before each step of replacing the base files (see FileCommit.h).
    CommitHook pointEngagement;
};

struct SegmResult {
    SegmCode code = SegmCode::Ok;
    std::string message; // UTF-8, for the user, when code is not Ok
    std::string baseName;
    int32_t nbitem = 0;
    int32_t nbart = 0;
    int32_t nbocc = 0;
    int32_t nbf = 0;
    int32_t nhap = 0;
    int32_t fmax = 0;
    int32_t nbartponct = 0;
    int32_t nbcle = 0;
    int32_t nbctnu = 0;
    // Why the trace log could not be written (French), "" when it was.
    std::string traceErreur;
    // Chunks the text was scanned in (1 after a single pass).
    int32_t tranches = 1;

    bool ok() const { return code == SegmCode::Ok; }
};

// The base name of a text path: its file name without folder and last extension. Only '/'
// separates folders: a backslash is a character of a file name.
std::string TraitPath(const std::string &path);

// Segments the text at `path` with the given delimiter characters into the base files of
// the current folder. The three files replace an older base as one step (FileCommit.h); a
// failed or cancelled run leaves any existing base of the same name untouched.
SegmResult SegmPrinc(const std::string &path, const std::string &delimiters,
                     const SegmOptions &options = {});

} // namespace morvix
