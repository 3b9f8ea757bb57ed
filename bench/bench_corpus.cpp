// Input texts on the large corpus: the Windows-1252 copy of its UTF-8 version (detection and
// conversion, checked to give the original bytes back), the assembly of a corpus from it,
// the XML reader on a document made of its lines, and the form selection over its
// dictionary and repeated segments.
#include "BenchSupport.h"

#include "base/charg1.h"
#include "groups/SelectionFormes.h"
#include "report/CreationCorpus.h"
#include "report/LectureDocument.h"
#include "segmentation/SegmPrinc.h"
#include "segments/SegRep.h"
#include "util/ConversionEntree.h"
#include "util/Encoding.h"

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace morvix;

namespace {

std::string lit(const std::string &chemin) {
    std::ifstream in(chemin, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void ecrit(const std::string &chemin, const std::string &octets) {
    std::ofstream(chemin, std::ios::binary) << octets;
}

std::string echappeXml(std::string_view t) {
    std::string s;
    for (char c : t) {
        if (c == '<')
            s += "&lt;";
        else if (c == '&')
            s += "&amp;";
        else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            s += c; // XML 1.0 has no other control characters
    }
    return s;
}

} // namespace

int main() {
    const std::string corpus = bench::requireLargeCorpus();
    if (corpus.empty())
        return 1;
    bench::BenchDir work("corpus");
    const std::string original = lit(corpus);
    const double mo = double(original.size()) / 1e6;
    const std::string utf8 = cp1252ToUtf8(original);
    ecrit("romans.txt", utf8);
    std::printf("corpus: %s (%.1f MB, %.1f MB in UTF-8)\n", corpus.c_str(), mo,
                double(utf8.size()) / 1e6);

    {
        bench::Stopwatch w;
        const ResultatConversion r = ConvertitTexteCp1252("romans.txt", EncodageEntree::Auto);
        const double s = w.seconds();
        const bool identique = r.converti && lit(r.chemin) == original;
        std::printf("UTF-8 copy (detection + conversion): %.2f s, %.1f MB/s of UTF-8, %lld "
                    "replaced, copy %s the original\n",
                    s, double(utf8.size()) / 1e6 / s, static_cast<long long>(r.nbRemplaces),
                    identique ? "identical to" : "DIFFERENT FROM");
        if (!identique)
            return 1;
        bench::Stopwatch d;
        const bool estUtf8 = EstUtf8(utf8);
        std::printf("detection alone in memory: %.3f s (%s)\n", d.seconds(),
                    estUtf8 ? "UTF-8" : "not UTF-8");
    }
    {
        std::vector<Fic> fichiers{Fic(corpus), Fic("romans.txt")};
        bench::Stopwatch w;
        const ResultatCorpus r = EcritCorpus("assemble.txt", fichiers, "titre", "");
        const double s = w.seconds();
        std::printf("corpus of the text and its UTF-8 version: %.2f s, %.1f MB/s read (%s)\n", s,
                    (mo + double(utf8.size()) / 1e6) / s, r.ok ? "ok" : r.message.c_str());
    }
    {
        // One paragraph per line, three runs each, as a word processor writes them.
        std::string xml = "<office:document-content "
                          "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
                          "<office:body><office:text>";
        size_t debut = 0, lignes = 0;
        while (debut < utf8.size() && lignes < 400000) {
            size_t fin = utf8.find('\n', debut);
            if (fin == std::string::npos)
                fin = utf8.size();
            const std::string_view l(utf8.data() + debut, fin - debut);
            // Cut at character boundaries.
            auto limite = [&](size_t i) {
                while (i < l.size() && (static_cast<unsigned char>(l[i]) & 0xC0) == 0x80)
                    ++i;
                return i;
            };
            const size_t a = limite(l.size() / 3), b = limite(2 * l.size() / 3);
            xml += "<text:p text:style-name=\"P1\">" + echappeXml(l.substr(0, a)) +
                   "<text:span text:style-name=\"T1\">" + echappeXml(l.substr(a, b - a)) +
                   "</text:span>" + echappeXml(l.substr(b)) + "</text:p>";
            debut = fin + 1;
            ++lignes;
        }
        xml += "</office:text></office:body></office:document-content>";
        bench::Stopwatch w;
        const ParagraphesDocument d = ParagraphesOdt(xml, "bench.odt");
        const double s = w.seconds();
        std::printf("document XML of %zu paragraphs (%.1f MB): %.2f s, %.1f MB/s, %zu paragraphs "
                    "read%s%s\n",
                    lignes, double(xml.size()) / 1e6, s, double(xml.size()) / 1e6 / s,
                    d.paragraphes.size(), d.ok ? "" : " - ", d.message.c_str());
    }
    {
        charg1 base;
        if (!bench::segmenteEtCharge(corpus, base))
            return 1;
        std::set<int32_t> delims;
        for (int32_t c = base.Nbform(); c < base.Nbform() + base.Nbartponct(); ++c)
            delims.insert(c);
        SegRep store(&base, delims);
        store.CalcSegRep(10, 10);
        base.AssigneSR(&store);
        struct Requete {
            TypeRequete type;
            const char *motif;
        } requetes[] = {{TypeRequete::Debut, "chant"},
                        {TypeRequete::Fin, "ment"},
                        {TypeRequete::Contenu, "ai"},
                        {TypeRequete::Expression, "^[A-Z][a-z]+s$"}};
        for (const Requete &q : requetes) {
            bench::Stopwatch w;
            const ResultatRecherche r = RechercheFormes(base, q.type, q.motif);
            const double s = w.seconds();
            std::printf("search %d \"%s\" over %d forms and %d segments: %.3f s, %.1f M "
                        "texts/s, %zu selected\n",
                        static_cast<int>(q.type), q.motif, base.Nbform(), store.NbSegments(), s,
                        (base.Nbform() + store.NbSegments()) / s / 1e6, r.codes.size());
        }
        base.AssigneSR(nullptr);
    }
    return 0;
}
