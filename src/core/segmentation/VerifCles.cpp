#include "segmentation/VerifCles.h"

#include "segmentation/LineEnds.h"
#include "util/SafeFiles.h"
#include "util/TextReader.h"

#include <string>
#include <sys/stat.h>

namespace morvix {

namespace {

constexpr size_t kMaxTag = 250;
constexpr size_t kMaxPart = 126; // characters of a key or value the segmentation keeps

// The part of a closed tag between `from` and `to` (excluded): does it hold a control
// character, and is it empty once its blanks are removed?
struct PartCheck {
    bool control = false;
    bool empty = true;
    size_t kept = 0; // characters other than blanks
};

PartCheck checkPart(const std::string &tag, size_t from, size_t to) {
    PartCheck r;
    for (size_t i = from; i < to; ++i) {
        auto c = static_cast<unsigned char>(tag[i]);
        if (c < 32)
            r.control = true;
        if (c != ' ') {
            r.empty = false;
            ++r.kept;
        }
    }
    return r;
}

int32_t checkTag(const std::string &tag, int32_t line, Trace &trace) {
    const char *text = tag.c_str();
    const size_t len = tag.size();
    auto at = [&](size_t i) -> char { return i < len ? tag[i] : '\0'; };
    const bool closed = len > 0 && tag.back() == '>';
    int32_t errors = 0;
    size_t eq = 0;
    if (!closed) {
        trace.append("\nL%5d Clé incorrecte \t\t\t\t\t\t\t\t: %s", line, text);
        ++errors;
    } else {
        eq = tag.find('=');
        if (eq == std::string::npos) {
            trace.append("\nL%5d Clé incorrecte (pas d'=)\t\t\t\t\t: %s", line, text);
            ++errors;
            eq = 0;
        }
    }
    // Key part: a blank may only stand just before the '='.
    size_t i = 0;
    while (i != eq && at(i) != ' ' && i < len)
        ++i;
    while (at(i) == ' ')
        ++i;
    if (i != eq) {
        trace.append("\nL%5d Clé incorrecte (espace dans type) \t\t: %s", line, text);
        ++errors;
    }
    if (at(eq + 1) == '>') {
        trace.append("\nL%5d Clé incorrecte (pas de contenu) \t\t: %s", line, text);
        ++errors;
    }
    // Value part: blanks allowed just after '=' and just before the last character.
    const size_t last = len - 1;
    i = eq + 1;
    while (at(i) == ' ')
        ++i;
    while (i < last && at(i) != ' ')
        ++i;
    while (at(i) == ' ')
        ++i;
    if (i != last) {
        trace.append("\nL%5d Clé incorrecte (espace dans contenu)  : %s", line, text);
        ++errors;
    }
    // A tag that passes the checks above may still hold a part the base files could not
    // keep: a control character (tab, line feed...) or a part empty once its blanks go.
    if (errors == 0 && closed && eq > 0) {
        PartCheck key = checkPart(tag, 1, eq);
        PartCheck value = checkPart(tag, eq + 1, last);
        if (key.control || value.control) {
            trace.append("\nL%5d Clé incorrecte (caractère de contrôle) \t: %s", line, text);
            ++errors;
        }
        if (key.empty || value.empty) {
            trace.append("\nL%5d Clé incorrecte (type ou contenu vide) \t: %s", line, text);
            ++errors;
        }
        if (key.kept > kMaxPart || value.kept > kMaxPart) {
            trace.append("\nL%5d Clé incorrecte (plus de 126 caractères) \t: %s", line, text);
            ++errors;
        }
    }
    return errors;
}

} // namespace

int32_t VerifCles(const std::string &path, Trace &trace) {
    // Starting the trace must not be what empties the text.
    if (const auto text = fileId(path); text && fileId(trace.path(), false) == text)
        return kVerifTexteEstJournal;
    trace.start("\n*****COMPTE-RENDU DE LA SEGMENTATION*****\n\n");
    TextReader in;
    struct stat st {};
    // Only a file: a folder reads as nothing, a pipe could be read only once.
    const bool file = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (!file || !in.open(path) || ::fstat(in.fd(), &st) != 0 || !S_ISREG(st.st_mode)) {
        trace.append("\nfichier %s pas ouvert !", path.c_str());
        return kVerifTexteNonOuvert;
    }
    trace.append("Fichier -- %s -- ouvert pour vérification", path.c_str());
    if (crLineEnds(in.fd(), static_cast<int64_t>(st.st_size))) {
        in.setCrLines(true);
        trace.append("\nFins de ligne CR seules : chaque CR est lu comme une fin de ligne");
    }
    trace.hold();
    int32_t line = 1;
    int32_t errors = 0;
    std::string tag;
    for (int c = in.get(); c != TextReader::kEof; c = in.get()) {
        if (c == '>') {
            trace.append("\nL%5d Clé incorrecte \t\t\t\t\t\t\t\t: Mauvais emplacement de balise "
                         "de fermeture",
                         line);
        } else if (c == '\n') {
            ++line;
        } else if (c == '<') {
            tag.assign(1, '<');
            while (tag.size() < kMaxTag) {
                int d = in.get();
                if (d == TextReader::kEof)
                    break;
                tag.push_back(static_cast<char>(d));
                if (d == '\n')
                    ++line;
                if (d == '>')
                    break;
                if (d == '<') {
                    in.unget(d);
                    break;
                }
            }
            errors += checkTag(tag, line, trace);
        }
    }
    trace.append("\n*****Fin de la vérification******");
    trace.release();
    return errors;
}

int32_t VerifCles(const std::string &path) {
    Trace trace;
    return VerifCles(path, trace);
}

} // namespace morvix
