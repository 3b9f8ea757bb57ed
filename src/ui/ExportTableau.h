// The table exporter shared by every list window: a model's rows as TSV or CSV (UTF-8, a
// header line), the texts as shown and, for the columns whose model offers them, the raw
// numbers in a column of their own; the context-menu item "Exporter le tableau..." and
// Ctrl+C of the selected rows as TSV.
//
// A model offers raw values for a column by answering `RoleBrut` for its cells (a number)
// and for its horizontal header (the raw column's caption).
#pragma once

#include <QString>

#include <vector>

class QAbstractItemModel;
class QAbstractItemView;
class QAction;
class QWidget;

namespace morvix::ui {

// The raw value of a cell (sorting, export) and the caption of its raw column.
inline constexpr int RoleBrut = Qt::UserRole + 100;

enum class FormatTableau { Tsv, Csv };

// The header line and the given rows (every row when `lignes` is empty) of a model, each
// line ended by "\n". TSV cells have their tabs and line breaks turned into blanks; CSV
// cells are quoted when they hold a comma, a quote or a line break.
QString TexteTableau(const QAbstractItemModel &modele, const std::vector<int> &lignes,
                     FormatTableau format);

// Writes every row of the model into `chemin` (the format from its extension: ".csv" is
// CSV, anything else TSV), replacing the file only once it is complete. False, with the
// reason in `erreur`, when the file cannot be written.
bool ExporteTableau(const QAbstractItemModel &modele, const QString &chemin, QString *erreur);

// Asks for a file (proposing `nom`), exports the view's model into it and reports a failure
// in a message box. The proposed format is TSV.
void ExporteVue(QAbstractItemView *vue, const QString &nom);

// Copies the selected rows of the view (with the header line) to the clipboard as TSV.
void CopieSelection(QAbstractItemView *vue);

// The action "Exporter le tableau..." on the view, owned by it; for windows that build their
// own context menu.
QAction *ActionExportTableau(QAbstractItemView *vue, const QString &nom);

// For views without a context menu of their own: the view's context menu gets "Exporter le
// tableau...", and Ctrl+C copies the selected rows. `nom` is the proposed file name.
void InstalleExportTableau(QAbstractItemView *vue, const QString &nom);

} // namespace morvix::ui
