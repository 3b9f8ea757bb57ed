// Texts that are not Windows-1252, in the windows: the copy that the segmentation is given
// in place of a UTF-8 text or of a word-processor document, and the summary of what the
// conversion replaced.
#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace morvix::ui {

class ExecuteurTaches;

// Before `chemin` is segmented: a UTF-8 text or a document is converted to its
// Windows-1252 copy beside it (on the job runner) and the user told, with Cancel; `chemin`
// then names the copy. False when the user cancelled, the conversion failed (said in a
// message box), was cancelled, or a job was already running.
bool PrepareTexteSegmentation(QWidget *parent, ExecuteurTaches &taches, QString &chemin);

// "3 caractères non représentables remplacés par « ? »", and the spaces replaced; empty
// when nothing was.
QString TexteRemplacements(int64_t nbRemplaces, int64_t nbEspaces);

} // namespace morvix::ui
