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

} // namespace morvix::ui
