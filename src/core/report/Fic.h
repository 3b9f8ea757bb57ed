// Fic: one file of a corpus being assembled, with the name its part's tag will carry, and
// the writing of its text into the corpus (a text copied as it is, a word-processor
// document converted paragraph by paragraph). Depends on util (conversion) and on the
// document reader.
#pragma once

#include "util/Annulation.h"

#include <cstdint>
#include <string>

namespace morvix {

class FichierRemplace;

// Kinds of file, from the extension compared in lower case.
enum TypeFic : int32_t {
    kFicInconnu = 0,
    kFicTexte = 1,   // ".txt"
    kFicWord = 2,    // ".doc"
    kFicWordXml = 3, // ".docx"
    kFicOdt = 4,     // ".odt"
};

// Longest tag content made from a file name.
inline constexpr size_t kLongueurNomFic = 40;

struct EcritureFic {
    bool ok = true;
    bool annule = false;
    std::string message;   // UTF-8, names the file and the cause when !ok
    bool converti = false; // a UTF-8 text or a document was converted to Windows-1252
    int32_t nbParagraphes = 0;
    int64_t nbRemplaces = 0; // characters Windows-1252 cannot hold, replaced by '?'
    int64_t nbEspaces = 0;   // other spaces turned into blanks, invisible characters dropped
};

struct Fic {
    // Fills the members from the path (the size is -1 when the file cannot be read).
    explicit Fic(std::string chemin);

    // The file name without folder and without what follows its last '.', Windows-1252, cut
    // to kLongueurNomFic characters; blanks, tabs and other control characters, '<' and '>'
    // are replaced by '_' so that the tag passes the key verification; "_" when empty.
    std::string Nom;
    std::string Chemin;
    int64_t Taille = -1;
    int64_t Occurrences = -1; // not computed
    int32_t Type = kFicInconnu;

    bool EstDocument() const { return Type >= kFicWord; }

    // Appends the file's text to `sortie`. A document gives each paragraph in order, ended by
    // a carriage return (the paragraph mark), after `marqueur`: with a key marker ("<key="),
    // "<key=i>" and a line end before paragraph i; with another non-empty marker, the marker
    // followed by a line end. Any other file is copied byte for byte, unless it is a UTF-8
    // text, which is converted.
    EcritureFic Ecrit(FichierRemplace &sortie, const std::string &marqueur,
                      const Annulation *annulation = nullptr) const;
};

// The tag content made from a file name (Windows-1252 or UTF-8 bytes).
std::string NomFic(const std::string &chemin);

} // namespace morvix
