#include "report/LectureDocument.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <libxml/xmlreader.h>
#include <zip.h>

extern char **environ;

namespace morvix {

namespace {

// A body part above this size is refused rather than inflated (a damaged or hostile archive
// may claim any size).
constexpr zip_uint64_t kTailleXmlMax = zip_uint64_t{1} << 30;
constexpr size_t kSortieMax = size_t{1} << 30;

constexpr const char *kNsWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char *kNsCompat = "http://schemas.openxmlformats.org/markup-compatibility/2006";
constexpr const char *kNsTexte = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr const char *kNsOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";

// libxml2 names are unsigned bytes.
const xmlChar *X(const char *s) { return reinterpret_cast<const xmlChar *>(s); }

ParagraphesDocument echec(const std::string &message) {
    ParagraphesDocument d;
    d.ok = false;
    d.message = message;
    return d;
}

// --- zip ---------------------------------------------------------------------------------

struct Archive {
    zip_t *zip = nullptr;
    ~Archive() {
        if (zip)
            zip_discard(zip);
    }
};

// Reads one member of the archive; false with `erreur` set when it is missing or too large.
bool litMembre(zip_t *zip, const char *nom, std::string &contenu, std::string &erreur) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(zip, nom, 0, &st) != 0) {
        erreur = std::string("il ne contient pas ") + nom;
        return false;
    }
    if ((st.valid & ZIP_STAT_SIZE) && st.size > kTailleXmlMax) {
        erreur = std::string(nom) + " est trop grand";
        return false;
    }
    zip_file_t *f = zip_fopen(zip, nom, 0);
    if (f == nullptr) {
        erreur = std::string(nom) + " ne peut être lu : " + zip_strerror(zip);
        return false;
    }
    contenu.clear();
    char tampon[65536];
    zip_int64_t n;
    while ((n = zip_fread(f, tampon, sizeof tampon)) > 0) {
        contenu.append(tampon, static_cast<size_t>(n));
        if (contenu.size() > kTailleXmlMax) {
            zip_fclose(f);
            erreur = std::string(nom) + " est trop grand";
            return false;
        }
    }
    const bool ok = n == 0;
    if (!ok)
        erreur = std::string(nom) + " ne peut être lu : " + zip_file_strerror(f);
    zip_fclose(f);
    return ok;
}

// The main part named by the package relationships, word/document.xml by default.
std::string partiePrincipaleWord(zip_t *zip) {
    std::string rels, erreur;
    if (!litMembre(zip, "_rels/.rels", rels, erreur))
        return "word/document.xml";
    xmlTextReaderPtr r =
        xmlReaderForMemory(rels.data(), static_cast<int>(rels.size()), "rels", nullptr,
                           XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    std::string cible;
    if (r == nullptr)
        return "word/document.xml";
    while (cible.empty() && xmlTextReaderRead(r) == 1) {
        if (xmlTextReaderNodeType(r) != XML_READER_TYPE_ELEMENT)
            continue;
        xmlChar *type = xmlTextReaderGetAttribute(r, X("Type"));
        xmlChar *target = xmlTextReaderGetAttribute(r, X("Target"));
        if (type && target) {
            const std::string t(reinterpret_cast<const char *>(type));
            const std::string suffixe = "/officeDocument";
            if (t.size() >= suffixe.size() &&
                t.compare(t.size() - suffixe.size(), suffixe.size(), suffixe) == 0) {
                cible = reinterpret_cast<const char *>(target);
                if (!cible.empty() && cible.front() == '/')
                    cible.erase(0, 1);
            }
        }
        xmlFree(type);
        xmlFree(target);
    }
    xmlFreeTextReader(r);
    return cible.empty() ? "word/document.xml" : cible;
}

ParagraphesDocument litArchive(const std::string &chemin, FormatDocument format,
                               const Annulation *annulation) {
    int code = 0;
    Archive a;
    a.zip = zip_open(chemin.c_str(), ZIP_RDONLY, &code);
    if (a.zip == nullptr) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        std::string raison = zip_error_strerror(&e);
        zip_error_fini(&e);
        return echec("le document " + chemin + " ne peut être lu : " + raison);
    }
    const std::string partie =
        format == FormatDocument::Docx ? partiePrincipaleWord(a.zip) : "content.xml";
    std::string xml, erreur;
    if (!litMembre(a.zip, partie.c_str(), xml, erreur))
        return echec("le document " + chemin + " ne peut être lu : " + erreur);
    if (Annulee(annulation)) {
        ParagraphesDocument d;
        d.annule = true;
        return d;
    }
    return format == FormatDocument::Docx ? ParagraphesWordXml(xml, chemin)
                                          : ParagraphesOdt(xml, chemin);
}

// --- XML ---------------------------------------------------------------------------------

bool est(xmlTextReaderPtr r, const char *ns, const char *local) {
    const xmlChar *u = xmlTextReaderConstNamespaceUri(r);
    const xmlChar *l = xmlTextReaderConstLocalName(r);
    return u && l && std::strcmp(reinterpret_cast<const char *>(u), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char *>(l), local) == 0;
}

void initialiseXml() {
    static std::once_flag fait;
    std::call_once(fait, [] { xmlInitParser(); });
}

// Walks the XML; `element` gets each element start (vide: it has no end) and returns
// whether to skip its content, `fin` each element end, `texte` each text. False when the XML
// is malformed.
template <class Element, class Fin, class Texte>
bool parcours(std::string_view xml, Element element, Fin fin, Texte texte) {
    initialiseXml();
    if (xml.size() > static_cast<size_t>(INT32_MAX))
        return false;
    xmlTextReaderPtr r = xmlReaderForMemory(
        xml.data(), static_cast<int>(xml.size()), "document", nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA);
    if (r == nullptr)
        return false;
    int ret = xmlTextReaderRead(r);
    while (ret == 1) {
        switch (xmlTextReaderNodeType(r)) {
        case XML_READER_TYPE_ELEMENT: {
            const bool vide = xmlTextReaderIsEmptyElement(r) == 1;
            if (element(r, vide)) {
                ret = vide ? xmlTextReaderRead(r) : xmlTextReaderNext(r);
                continue;
            }
            if (vide)
                fin(r);
            break;
        }
        case XML_READER_TYPE_END_ELEMENT:
            fin(r);
            break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            if (const xmlChar *v = xmlTextReaderConstValue(r))
                texte(reinterpret_cast<const char *>(v));
            break;
        default:
            break;
        }
        ret = xmlTextReaderRead(r);
    }
    xmlFreeTextReader(r);
    return ret == 0;
}

ParagraphesDocument xmlIllisible(const std::string &chemin) {
    return echec("le document " + chemin + " ne peut être lu : son XML est malformé");
}

} // namespace

ParagraphesDocument ParagraphesWordXml(std::string_view xml, const std::string &nom) {
    ParagraphesDocument d;
    std::vector<std::string> ouverts; // paragraphs inside paragraphs (text boxes)
    int dansRun = 0, dansTexte = 0;
    auto element = [&](xmlTextReaderPtr r, bool vide) {
        const xmlChar *u = xmlTextReaderConstNamespaceUri(r);
        // The fallback of alternate content repeats its choice.
        if (est(r, kNsCompat, "Fallback"))
            return true;
        if (u == nullptr || std::strcmp(reinterpret_cast<const char *>(u), kNsWord) != 0)
            return false;
        const char *l = reinterpret_cast<const char *>(xmlTextReaderConstLocalName(r));
        if (std::strcmp(l, "p") == 0) {
            ouverts.emplace_back();
        } else if (std::strcmp(l, "r") == 0) {
            ++dansRun;
        } else if (std::strcmp(l, "t") == 0) {
            ++dansTexte;
        } else if (dansRun > 0 && !ouverts.empty()) {
            if (std::strcmp(l, "tab") == 0 || std::strcmp(l, "ptab") == 0)
                ouverts.back() += '\t';
            else if (std::strcmp(l, "br") == 0 || std::strcmp(l, "cr") == 0)
                ouverts.back() += ' ';
            else if (std::strcmp(l, "noBreakHyphen") == 0)
                ouverts.back() += '-';
        }
        (void)vide;
        return false;
    };
    auto fin = [&](xmlTextReaderPtr r) {
        const xmlChar *u = xmlTextReaderConstNamespaceUri(r);
        if (u == nullptr || std::strcmp(reinterpret_cast<const char *>(u), kNsWord) != 0)
            return;
        const char *l = reinterpret_cast<const char *>(xmlTextReaderConstLocalName(r));
        if (std::strcmp(l, "p") == 0 && !ouverts.empty()) {
            d.paragraphes.push_back(std::move(ouverts.back()));
            ouverts.pop_back();
        } else if (std::strcmp(l, "r") == 0 && dansRun > 0) {
            --dansRun;
        } else if (std::strcmp(l, "t") == 0 && dansTexte > 0) {
            --dansTexte;
        }
    };
    auto texte = [&](const char *v) {
        if (dansTexte > 0 && !ouverts.empty())
            ouverts.back() += v;
    };
    if (!parcours(xml, element, fin, texte))
        return xmlIllisible(nom);
    return d;
}

ParagraphesDocument ParagraphesOdt(std::string_view xml, const std::string &nom) {
    ParagraphesDocument d;
    struct Ouvert {
        std::string texte;
        bool blancReplie = true; // the last character is collapsed white space (or none yet)
    };
    std::vector<Ouvert> ouverts;
    auto ajouteBlanc = [&](char c) {
        ouverts.back().texte += c;
        ouverts.back().blancReplie = false;
    };
    auto element = [&](xmlTextReaderPtr r, bool) {
        // Notes, comments and the record of deleted text are not part of the running text.
        if (est(r, kNsTexte, "note") || est(r, kNsTexte, "tracked-changes") ||
            est(r, kNsOffice, "annotation"))
            return true;
        if (est(r, kNsTexte, "p") || est(r, kNsTexte, "h")) {
            ouverts.emplace_back();
        } else if (!ouverts.empty()) {
            if (est(r, kNsTexte, "s")) {
                int n = 1;
                if (xmlChar *c = xmlTextReaderGetAttributeNs(r, X("c"), X(kNsTexte))) {
                    n = std::clamp(std::atoi(reinterpret_cast<const char *>(c)), 1, 10000);
                    xmlFree(c);
                }
                for (int i = 0; i < n; ++i)
                    ajouteBlanc(' ');
            } else if (est(r, kNsTexte, "tab")) {
                ajouteBlanc('\t');
            } else if (est(r, kNsTexte, "line-break")) {
                ajouteBlanc(' ');
            }
        }
        return false;
    };
    auto fin = [&](xmlTextReaderPtr r) {
        if ((est(r, kNsTexte, "p") || est(r, kNsTexte, "h")) && !ouverts.empty()) {
            std::string t = std::move(ouverts.back().texte);
            if (ouverts.back().blancReplie && !t.empty() && t.back() == ' ')
                t.pop_back();
            ouverts.pop_back();
            d.paragraphes.push_back(std::move(t));
        }
    };
    // White space in paragraph text collapses to one blank, none at the start.
    auto texte = [&](const char *v) {
        if (ouverts.empty())
            return;
        Ouvert &o = ouverts.back();
        for (const char *p = v; *p; ++p) {
            const char c = *p;
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                if (!o.blancReplie) {
                    o.texte += ' ';
                    o.blancReplie = true;
                }
            } else {
                o.texte += c;
                o.blancReplie = false;
            }
        }
    };
    if (!parcours(xml, element, fin, texte))
        return xmlIllisible(nom);
    return d;
}

namespace {

// --- child process -----------------------------------------------------------------------

struct Sortie {
    bool lance = false;
    bool annule = false;
    int statut = -1;
    std::string sortie;
    std::string erreurs;
    std::string raison; // why it could not be started
};

Sortie execute(const std::vector<std::string> &arguments, const Annulation *annulation) {
    Sortie s;
    int tubeSortie[2], tubeErreurs[2];
    if (::pipe2(tubeSortie, O_CLOEXEC) != 0) {
        s.raison = std::strerror(errno);
        return s;
    }
    if (::pipe2(tubeErreurs, O_CLOEXEC) != 0) {
        s.raison = std::strerror(errno);
        ::close(tubeSortie[0]);
        ::close(tubeSortie[1]);
        return s;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, tubeSortie[1], 1);
    posix_spawn_file_actions_adddup2(&actions, tubeErreurs[1], 2);
    std::vector<char *> argv;
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(tubeSortie[1]);
    ::close(tubeErreurs[1]);
    if (rc != 0) {
        s.raison = std::strerror(rc);
        ::close(tubeSortie[0]);
        ::close(tubeErreurs[0]);
        return s;
    }
    s.lance = true;
    pollfd fds[2] = {{tubeSortie[0], POLLIN, 0}, {tubeErreurs[0], POLLIN, 0}};
    int ouverts = 2;
    char tampon[65536];
    while (ouverts > 0) {
        if (Annulee(annulation) || s.sortie.size() > kSortieMax) {
            s.annule = Annulee(annulation);
            ::kill(pid, SIGKILL);
            break;
        }
        const int n = ::poll(fds, 2, 100);
        if (n < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2 && n > 0; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t lu = ::read(fds[i].fd, tampon, sizeof tampon);
            if (lu > 0) {
                std::string &cible = i == 0 ? s.sortie : s.erreurs;
                if (i == 0 || cible.size() < 65536)
                    cible.append(tampon, static_cast<size_t>(lu));
            } else if (lu == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --ouverts;
            }
        }
    }
    for (pollfd &f : fds)
        if (f.fd >= 0)
            ::close(f.fd);
    int statut = 0;
    while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
    }
    s.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    return s;
}

// One paragraph per line of the converter's output; the empty lines that frame the text are
// the converter's, not the document's.
std::vector<std::string> lignes(const std::string &texte) {
    std::vector<std::string> v;
    size_t debut = 0;
    while (debut < texte.size()) {
        size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos)
            fin = texte.size();
        std::string ligne = texte.substr(debut, fin - debut);
        ligne.erase(std::remove(ligne.begin(), ligne.end(), '\f'), ligne.end());
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        v.push_back(std::move(ligne));
        debut = fin + 1;
    }
    while (!v.empty() && v.back().empty())
        v.pop_back();
    const auto premier = std::find_if(v.begin(), v.end(), [](auto &l) { return !l.empty(); });
    v.erase(v.begin(), premier);
    return v;
}

std::string premiereLigne(const std::string &texte) {
    std::string l = texte.substr(0, texte.find('\n'));
    while (!l.empty() && (l.back() == '\r' || l.back() == ' '))
        l.pop_back();
    return l;
}

// Word 97 and later documents are compound files; Word 2 has a signature of its own. Other
// files named ".doc" (RTF, HTML, plain text) would be dumped as they are by the converters.
bool signatureWord(const std::string &chemin) {
    std::FILE *f = std::fopen(chemin.c_str(), "rb");
    if (f == nullptr)
        return false;
    unsigned char tete[8] = {};
    const size_t n = std::fread(tete, 1, sizeof tete, f);
    std::fclose(f);
    static const unsigned char kOle[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    return (n == 8 && std::memcmp(tete, kOle, 8) == 0) ||
           (n >= 2 && tete[0] == 0xDB && tete[1] == 0xA5);
}

ParagraphesDocument litDoc(const std::string &chemin, const Annulation *annulation) {
    if (!signatureWord(chemin))
        return echec("le document " + chemin +
                     " ne peut être converti : ce n'est pas un "
                     "document Word");
    const Sortie a = execute({"antiword", "-m", "UTF-8.txt", "-w", "0", "--", chemin}, annulation);
    ParagraphesDocument d;
    if (a.annule) {
        d.annule = true;
        return d;
    }
    if (a.lance && a.statut == 0 && !a.sortie.empty() &&
        a.sortie.find_first_not_of("\n\f") != std::string::npos) {
        d.paragraphes = lignes(a.sortie);
        return d;
    }
    // antiword refuses some documents (short ones written by other programs among them).
    const Sortie c = execute({"catdoc", "-d", "utf-8", "-w", "--", chemin}, annulation);
    if (c.annule) {
        d.annule = true;
        return d;
    }
    if (c.lance && c.statut == 0) {
        d.paragraphes = lignes(c.sortie);
        return d;
    }
    std::string raison;
    if (!a.lance && !c.lance)
        raison = "ni antiword ni catdoc ne peuvent être lancés (" + a.raison + ")";
    else if (a.lance && !a.erreurs.empty())
        raison = premiereLigne(a.erreurs);
    else if (c.lance && !c.erreurs.empty())
        raison = premiereLigne(c.erreurs);
    else
        raison = "ce n'est pas un document Word lisible";
    return echec("le document " + chemin + " ne peut être converti : " + raison);
}

} // namespace

FormatDocument FormatDocumentDe(std::string_view chemin) {
    const size_t barre = chemin.rfind('/');
    const size_t point = chemin.rfind('.');
    if (point == std::string_view::npos || (barre != std::string_view::npos && point < barre))
        return FormatDocument::Aucun;
    std::string ext(chemin.substr(point + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "doc")
        return FormatDocument::Doc;
    if (ext == "docx")
        return FormatDocument::Docx;
    if (ext == "odt")
        return FormatDocument::Odt;
    return FormatDocument::Aucun;
}

ParagraphesDocument LitParagraphes(const std::string &chemin, const Annulation *annulation) {
    const FormatDocument f = FormatDocumentDe(chemin);
    if (f == FormatDocument::Aucun)
        return echec("le fichier " + chemin + " n'est pas un document .doc, .docx ou .odt");
    if (::access(chemin.c_str(), R_OK) != 0)
        return echec("le document " + chemin + " ne peut être lu : " + std::strerror(errno));
    if (f == FormatDocument::Doc)
        return litDoc(chemin, annulation);
    return litArchive(chemin, f, annulation);
}

} // namespace morvix
