// The translation layer of the windows: GNU gettext, domain "default", catalogs in
// "locale/<language>/LC_MESSAGES" of the program's folder. The French texts are the
// message ids; every window passes its texts through Tr when it is created.
#pragma once

#include <QString>

#include <string>

namespace morvix::ui {

// Binds the domain to `dossierLocale` (default: "locale" in the program's folder). Call once
// the application object exists (it sets the process locale).
void InitTraduction(const std::string &dossierLocale = {});

// Forgets the translations looked up so far: call after changing LANGUAGE at run time.
void RelitCatalogues();

// The translation of a UTF-8 message id, or the id itself.
QString Tr(const char *msgid);

// The language the windows speak: the "Language" of the catalog gettext chose, or "fr" (the
// message ids) when it found none.
QString LangueInterface();

// Makes Qt's own texts (file and colour dialogs, standard buttons) speak the interface's
// language: installs Qt's catalog for it, removing the one installed before; nothing for
// English, Qt's own language. False when that catalog could not be loaded. Call after
// InitTraduction, once the application object exists, and again after RelitCatalogues.
bool InstalleTraductionsQt();

} // namespace morvix::ui
