// Assembling a corpus: several text and word-processor files gathered into one marked-up
// Windows-1252 text, each opened by a tag «<key=name>» naming its file. The desktop dialog
// and morvix-cli both write through EcritCorpus. Depends on Fic.
#pragma once

#include "report/Fic.h"
#include "util/Annulation.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvix {

inline constexpr const char *kCleCorpusDefaut = "titre";

// Why `cle` cannot be a tag key (UTF-8), or "" when it can: it must not be empty nor hold
// blanks, control characters, '<', '>' or '='.
std::string VerifieCleCorpus(const std::string &cle);

// Why `marqueur` cannot mark paragraphs (a '<' would open a tag), or "".
std::string VerifieMarqueur(const std::string &marqueur);

// The paragraph marker: "" without paragraph processing, else the special character(s), or
// "<" + key + "=" for the key form.
std::string MarqueurParagraphe(bool traitement, bool formeCle, const std::string &caractere,
                               const std::string &cleParagraphe);

struct ResultatCorpus {
    bool ok = true;
    bool annule = false;
    std::string message; // UTF-8, names the file and the cause when !ok
    int32_t nbFichiers = 0;
    int32_t nbConvertis = 0; // documents and UTF-8 texts
    int64_t nbRemplaces = 0;
    int64_t nbEspaces = 0;
};

// Writes the corpus into `sortie`: for each file in order, "<cle=Nom>" and a line end, the
// file's text (Fic::Ecrit with `marqueur`) and a line end (CR LF). Written under a temporary
// name and renamed once complete: a failure or a cancellation leaves `sortie` as it was.
// Refuses an output that is one of the files. `gauge` is called once per file.
ResultatCorpus EcritCorpus(const std::string &sortie, const std::vector<Fic> &fichiers,
                           const std::string &cle, const std::string &marqueur,
                           const Annulation *annulation = nullptr,
                           const std::function<void(int32_t)> &gauge = {});

} // namespace morvix
