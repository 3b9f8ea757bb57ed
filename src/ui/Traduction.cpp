#include "Traduction.h"

#include "util/Programme.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

QString LangueInterface() {
    if (g_lie) {
        // The empty id gives the header of the catalog in use.
        const QString entete = QString::fromUtf8(dgettext(kDomaine, ""));
        for (const QString &ligne : entete.split(QLatin1Char('\n'))) {
            if (ligne.startsWith(QStringLiteral("Language:"))) {
                const QString langue = ligne.mid(9).trimmed();
                if (!langue.isEmpty()) {
                    return langue;
                }
            }
        }
    }
    return QStringLiteral("fr");
}

bool InstalleTraductionsQt() {
    static QTranslator *installe = nullptr;
    if (installe != nullptr) {
        QCoreApplication::removeTranslator(installe);
        delete installe;
        installe = nullptr;
    }
    const QString langue = LangueInterface();
    // Dates and sizes in Qt's dialogs follow the same language.
    QLocale::setDefault(QLocale(langue));
    if (langue == QStringLiteral("en") || langue.startsWith(QStringLiteral("en_"))) {
        return true;
    }
    auto *qt = new QTranslator;
    if (!qt->load(QStringLiteral("qtbase_") + langue,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    installe = qt;
    return true;
}

} // namespace morvix::ui
