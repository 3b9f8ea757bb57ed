// The paragraphs of a word-processor document, in order, as UTF-8 text: ".docx" and ".odt"
// read from their zip archive and XML (libzip, libxml2); ".doc" converted by a child
// process (antiword, or catdoc when antiword refuses the document).
#pragma once

#include "util/Annulation.h"

#include <string>
#include <string_view>
#include <vector>

namespace morvix {

enum class FormatDocument { Aucun, Doc, Docx, Odt };

// The format named by a path's extension (compared in lower case).
FormatDocument FormatDocumentDe(std::string_view chemin);

struct ParagraphesDocument {
    bool ok = true;
    bool annule = false;
    std::string message; // UTF-8, names the document and the cause when !ok
    // Each paragraph's text without its end; an empty paragraph is an empty string. Tabs stay
    // tabs, manual line breaks become blanks (in ".doc" documents they end a paragraph).
    std::vector<std::string> paragraphes;
};

ParagraphesDocument LitParagraphes(const std::string &chemin,
                                   const Annulation *annulation = nullptr);

// The paragraphs of the two XML formats, from the XML of the document's body part
// (word/document.xml, content.xml).
ParagraphesDocument ParagraphesWordXml(std::string_view xml, const std::string &nom);
ParagraphesDocument ParagraphesOdt(std::string_view xml, const std::string &nom);

} // namespace morvix
