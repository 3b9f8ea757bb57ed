// Names for screen readers: every control that shows only an icon or a glyph is named by its
// hint. An application-wide filter gives such a control, when it is first shown, its hint as
// accessible name unless it already has one, so that no window can leave one nameless.
#pragma once

class QWidget;

namespace morvix::ui {

// Installs the filter on the application (once).
void InstalleNomsAccessibles();

// Names now the unnamed buttons under `racine` that carry a hint.
void NommeControles(QWidget *racine);

} // namespace morvix::ui
