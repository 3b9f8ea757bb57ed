// Input texts and word-processor XML as a user may hand them over: the UTF-8 conversion must
// give the same bytes whatever the pieces it is fed, give every Windows-1252 text back from
// its UTF-8 form, and the document readers must accept or refuse any XML without fault.
#include "report/LectureDocument.h"
#include "util/ConversionEntree.h"
#include "util/Encoding.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace morvix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view octets(reinterpret_cast<const char *>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0: {
        int64_t remplaces = 0, espaces = 0;
        const std::string entier = Utf8VersCp1252(octets, &remplaces, &espaces);
        const size_t pas = 1 + data[0] / 4;
        ConvertisseurCp1252 conv;
        std::string morceaux;
        for (size_t i = 0; i < octets.size(); i += pas)
            conv.Ajoute(octets.substr(i, pas), morceaux);
        conv.Termine(morceaux);
        if (morceaux != entier || conv.NbRemplaces() != remplaces || conv.NbEspaces() != espaces)
            __builtin_trap();
        break;
    }
    case 1: {
        int64_t remplaces = 0, espaces = 0;
        const std::string u = cp1252ToUtf8(octets);
        // A byte-order mark at the start of the UTF-8 form would be dropped.
        if (octets.substr(0, 3) != "\xEF\xBB\xBF" &&
            (Utf8VersCp1252(u, &remplaces, &espaces) != octets || remplaces != 0))
            __builtin_trap();
        break;
    }
    case 2:
        ParagraphesWordXml(octets, "fuzz.docx");
        break;
    default:
        ParagraphesOdt(octets, "fuzz.odt");
        break;
    }
    return 0;
}
