#include "report/RapportOutils.h"

#include "util/TextWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

namespace morvix {

namespace {

const char *const kJours[] = {"dimanche", "lundi",    "mardi", "mercredi",
                              "jeudi",    "vendredi", "samedi"};
const char *const kMois[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                             "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};

// ASCII letter of an accented Windows-1252 letter, 0 for any other byte.
char lettreSansAccent(unsigned char c) {
    static const char haut[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
    if (c >= 0xC0)
        return haut[c - 0xC0];
    switch (c) {
    case 0x8A:
        return 'S';
    case 0x8E:
        return 'Z';
    case 0x9A:
        return 's';
    case 0x9E:
        return 'z';
    case 0x9F:
        return 'Y';
    default:
        return 0;
    }
}

// A temporary file beside `chemin`; its descriptor, or -1.
int fichierTemporaire(const std::string &chemin, std::string &temporaire) {
    temporaire = chemin + ".tmp-XXXXXX";
    int fd = ::mkstemp(temporaire.data());
    if (fd >= 0)
        ::fchmod(fd, 0644); // saved pages are read by the browser like any document
    return fd;
}

struct ErreurJpeg {
    jpeg_error_mgr mgr;
    std::jmp_buf saut;
};

void sortieErreurJpeg(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErreurJpeg *>(cinfo->err)->saut, 1);
}

// Kept free of C++ objects with destructors: a libjpeg error jumps back into it.
bool encodeJpeg(std::FILE *f, int32_t largeur, int32_t hauteur, const unsigned char *rgb,
                int32_t pas, int32_t qualite) {
    jpeg_compress_struct cinfo;
    ErreurJpeg erreur;
    cinfo.err = jpeg_std_error(&erreur.mgr);
    erreur.mgr.error_exit = sortieErreurJpeg;
    if (setjmp(erreur.saut)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(largeur);
    cinfo.image_height = static_cast<JDIMENSION>(hauteur);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, qualite, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW ligne =
            const_cast<JSAMPROW>(rgb + static_cast<int64_t>(cinfo.next_scanline) * pas);
        jpeg_write_scanlines(&cinfo, &ligne, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::string DateRapport(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char heure[16];
    std::snprintf(heure, sizeof heure, "%02d:%02d", tm.tm_hour, tm.tm_min);
    return std::string(cp1252Literal(kJours[tm.tm_wday])) + " " + std::to_string(tm.tm_mday) + " " +
           cp1252Literal(kMois[tm.tm_mon]) + " " + std::to_string(tm.tm_year + 1900) + " - " +
           heure;
}

std::string EnteteRapport(std::string_view nomBase, const std::string *cle, std::time_t t) {
    std::string s = "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : ";
    s += nomBase;
    s += "</TD>\n<TD>Date : " + DateRapport(t) + "</TD>\n";
    if (cle)
        s += "<TD>Partition = " + *cle + "</TD>\n";
    s += "</TABLE>";
    return s;
}

void AjouteHtmlEchappe(std::string &page, std::string_view texte) {
    for (char c : texte) {
        switch (c) {
        case '&':
            page += "&amp;";
            break;
        case '<':
            page += "&lt;";
            break;
        case '>':
            page += "&gt;";
            break;
        default:
            page += c;
        }
    }
}

std::string EchappeHtml(std::string_view texte) {
    std::string page;
    page.reserve(texte.size());
    AjouteHtmlEchappe(page, texte);
    return page;
}

std::string NomFichierRapport(std::string_view nom) {
    std::string s;
    s.reserve(nom.size());
    for (char ch : nom) {
        auto c = static_cast<unsigned char>(ch);
        bool sur = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '.' || c == '-' || c == '_' || c == '+';
        if (sur)
            s += ch;
        else if (char l = lettreSansAccent(c); l && l != 'x' && l != '/')
            s += l;
        else
            s += '_';
    }
    if (s.find_first_not_of('.') == std::string::npos)
        s = "_" + s;
    constexpr size_t kMax = 200;
    if (s.size() > kMax) {
        size_t point = s.rfind('.');
        std::string ext =
            (point != std::string::npos && s.size() - point <= 10) ? s.substr(point) : "";
        s = s.substr(0, kMax - ext.size()) + ext;
    }
    return s;
}

bool EcritPageRapport(const std::string &chemin, std::string_view page) {
    std::string temporaire;
    int fd = fichierTemporaire(chemin, temporaire);
    if (fd < 0)
        return false;
    ::close(fd);
    TextWriter w;
    bool ok = w.open(temporaire);
    if (ok) {
        w.write(page);
        ok = w.close();
    }
    if (ok)
        ok = replaceFile(temporaire, chemin);
    if (!ok)
        std::remove(temporaire.c_str());
    return ok;
}

bool EcritJpeg(const std::string &chemin, int32_t largeur, int32_t hauteur,
               const unsigned char *rgb, int32_t pas, int32_t qualite) {
    if (largeur <= 0 || hauteur <= 0 || !rgb || pas < largeur * 3 || largeur > 65500 ||
        hauteur > 65500)
        return false;
    std::string temporaire;
    int fd = fichierTemporaire(chemin, temporaire);
    if (fd < 0)
        return false;
    std::FILE *f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        std::remove(temporaire.c_str());
        return false;
    }
    bool ok = encodeJpeg(f, largeur, hauteur, rgb, pas,
                         qualite < 1     ? 1
                         : qualite > 100 ? 100
                                         : qualite);
    if (std::ferror(f))
        ok = false;
    if (std::fclose(f) != 0)
        ok = false;
    if (ok)
        ok = replaceFile(temporaire, chemin);
    if (!ok)
        std::remove(temporaire.c_str());
    return ok;
}

} // namespace morvix
