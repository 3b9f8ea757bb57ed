#include "Traduction.h"

#include "util/Programme.h"

#include <clocale>
#include <cstring>
#include <libintl.h>

namespace morvix::ui {

namespace {
constexpr const char *kDomaine = "default";
bool g_lie = false;
} // namespace

void InitTraduction(const std::string &dossierLocale) {
    // gettext ignores LANGUAGE under the plain "C" locale; the UTF-8 variant keeps the
    // same conventions and lets LANGUAGE choose the catalog.
    const char *messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages == nullptr || std::strcmp(messages, "C") == 0 ||
        std::strcmp(messages, "POSIX") == 0) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    const std::string dossier =
        dossierLocale.empty() ? DossierProgramme() + "locale" : dossierLocale;
    bindtextdomain(kDomaine, dossier.c_str());
    bind_textdomain_codeset(kDomaine, "UTF-8");
    g_lie = true;
}

// glibc keeps the translations it found until this counter changes.
extern "C" int _nl_msg_cat_cntr;

void RelitCatalogues() { ++_nl_msg_cat_cntr; }

QString Tr(const char *msgid) {
    if (!g_lie || msgid == nullptr || *msgid == '\0') {
        return QString::fromUtf8(msgid);
    }
    return QString::fromUtf8(dgettext(kDomaine, msgid));
}

} // namespace morvix::ui
