// One run of the correspondence analysis: write "coran.don" into the exchange folder, delete
// the results of an earlier run, start the analysis program there and wait for it, then
// read its factors back. Runs of several processes sharing a folder are serialised by a
// lock on the folder, held until the results are read, so no run reads another's files.
// A run can be cancelled: the program is killed and the exchange files removed. Depends on
// afc (writer, readers), partitions and util (cancellation flag).
#pragma once

#include "afc/EcritCoran.h"
#include "afc/TListePoints.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace morvix {

class Annulation;
class Partition;

// The message for a table that cannot be written.
inline constexpr const char *kErreurParametresAfc = "Vérifiez vos paramètres";

// The program's folder when it is writable, else a folder "morvix-afc-UID" private to the
// user in TEMP, TMPDIR or /tmp (created on demand); ends with '/'. "" when neither is
// usable.
std::string DossierEchangeAfc();

enum class CodeAfc {
    Ok,
    Parametres, // the table cannot be written: kErreurParametresAfc
    Facteurs,   // no factor file, or a refused one: kErreurFacteurs
    Annule,     // cancelled: the program was stopped, no exchange file is left
};

struct ResultatLanceAfc {
    CodeAfc Code = CodeAfc::Ok;
    std::string Message;  // the user's message (UTF-8), empty when Ok
    std::string Detail;   // why (UTF-8): the cause, the program's messages
    std::string Facteurs; // path of the factor file
    // The factors read back, when Ok. Use them rather than reading Facteurs again: once
    // the lock is released another run may replace the file.
    std::unique_ptr<TListePoints> Points;
    std::vector<int64_t> ValeursPropres; // empty when "vp.txt" is missing or unreadable
    bool ok() const { return Code == CodeAfc::Ok; }
};

// Runs the analysis of `partition` with `param`. `dossier` is the exchange folder and
// `programme` the analysis program (by default qz5afc beside this program); the program
// runs with the exchange folder as its working directory, no argument and no standard
// input or output, and is waited for without a time limit, `annulation` being polled
// meanwhile: once it is raised the program is killed, "coran.don" and the program's files
// are removed and the result is CodeAfc::Annule.
ResultatLanceAfc LanceAfc(const Partition &partition, const ParamAfc &param,
                          const std::string &dossier = DossierEchangeAfc(),
                          const std::string &programme = std::string(),
                          const Annulation *annulation = nullptr);

struct ResultatLanceCah {
    bool Ok = false;
    bool Annule = false; // cancelled: the program was stopped and "cah.txt" removed
    std::string Detail;  // why it failed (UTF-8): the program's messages
    std::string Cah;     // path of "cah.txt", written when Ok
};

// Runs the clustering program (by default qz5cah beside this program) in `dossier`, where
// the last analysis left its factors, under the same lock, and waits for it (or kills it
// once `annulation` is raised). The old "cah.txt" is deleted first.
ResultatLanceCah LanceCah(const std::string &dossier = DossierEchangeAfc(),
                          const std::string &programme = std::string(),
                          const Annulation *annulation = nullptr);

// A folder of its own for one analysis (the command line's): created 0700 under TEMP,
// TMPDIR or /tmp with a unique name, removed with everything in it by the destructor. Chemin() ends
// with '/'; "" when it could not be created (Erreur() says why).
class DossierPrive {
  public:
    DossierPrive();
    ~DossierPrive();
    DossierPrive(const DossierPrive &) = delete;
    DossierPrive &operator=(const DossierPrive &) = delete;
    const std::string &Chemin() const { return m_chemin; }
    const std::string &Erreur() const { return m_erreur; }

  private:
    std::string m_chemin, m_erreur;
};

} // namespace morvix
