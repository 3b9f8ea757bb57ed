// What the segmentation is given: a Windows-1252 text as it is; a UTF-8 text, or the text of
// a word-processor document (one paragraph a line), as its Windows-1252 copy NAME.cp1252.txt
// beside it. Depends on util (conversion) and on the document reader.
#pragma once

#include "util/ConversionEntree.h"

#include <functional>
#include <string>

namespace morvix {

// Never writes `chemin` itself; the copy is written under a temporary name and renamed once
// complete. `mode` applies to texts; documents are always converted.
ResultatConversion PrepareTexte(const std::string &chemin, EncodageEntree mode,
                                const Annulation *annulation = nullptr,
                                const std::function<void(int32_t)> &gauge = {});

} // namespace morvix
