// One correspondence analysis from the windows: the dialog, then the run of the analysis
// program on the job runner (Cancel stops it), then the factorial map on its results, or
// the message of a failure.
#pragma once

#include "afc/EcritCoran.h"
#include "afc/TFenGrapheAFC.h"

#include <functional>
#include <string>

namespace morvix::ui {

class ExecuteurTaches;

struct ContexteAfc {
    ExecuteurTaches *taches = nullptr;
    // Parent of the dialog and of the messages; the job is cancelled if it goes.
    QWidget *fenetre = nullptr;
    // Shows a new map (as a maximised child window).
    std::function<void(TFenGrapheAFC *)> montreCarte;
    // What the maps open; their "AFC" and "CAH" buttons start a new analysis in mode 1.
    ServicesAfc services;
    // The exchange folder and the analysis program; empty for the defaults.
    std::string dossier;
    std::string programme;
    // Status messages (the cause of a failure).
    std::function<void(const QString &)> etat;
};

// The dialog on the partition in `mode` (0, or 1 from a map), then the analysis.
void LanceAnalyseAfc(const ContexteAfc &contexte, Partition &partition, int mode);

// The analysis with checked parameters. False when it could not start (a job is running).
bool ExecuteAnalyseAfc(const ContexteAfc &contexte, Partition &partition, const ParamAfc &param);

} // namespace morvix::ui
