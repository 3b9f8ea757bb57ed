// Rapport: the report of the open base. Windows write their HTML pages and JPEG images into
// its private working folder and register them as entries; Sauve writes a self-contained
// folder (index.htm and "contenu"). Depends on base (the counts of the index page) and on
// RapportOutils (file-name guard, program folder).
//
// The table of contents belongs to the main window: the core keeps the ordered entries and
// tells a RapportArbre each time one is added, and the window mirrors them under its root
// node. Every text handed to a Rapport (titles, file names, comments) and every text it
// hands back is Windows-1252 bytes, like the rest of the core.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace morvix {

class charg1;

// The view of the table of contents (the main window's tree). Not owned by the report.
class RapportArbre {
  public:
    virtual ~RapportArbre() = default;
    // An entry was appended: `index` into Fichiers()/Commentaires(), `titre` its node text.
    virtual void EntreeAjoutee(int32_t index, const std::string &titre) = 0;
};

// One entry of the table of contents, in tree order.
struct EntreeRapport {
    std::string titre;
    int32_t index = 0; // into Fichiers() and Commentaires()
};

class Rapport {
  public:
    // Creates the working folder "qzv5-XXXXXX" (private to the user) in the folder named by
    // TEMP, else TMPDIR, else /tmp, and names the report NomBase + "_" + "yyyymmdd-hhnnss"
    // of `creation`. `base` must outlive the report; `arbre` may be null.
    explicit Rapport(RapportArbre *arbre, const charg1 *base,
                     std::time_t creation = std::time(nullptr));
    // Deletes every file of the working folder and the folder.
    ~Rapport();
    Rapport(const Rapport &) = delete;
    Rapport &operator=(const Rapport &) = delete;

    // False when the working folder could not be created (Erreur() tells why); entries can
    // then still be registered but no file can be written.
    bool Valide() const { return !m_dossier.empty(); }
    const std::string &Nom() const { return m_nom; }
    // The working folder, ending with '/'. Windows write their entry files at
    // Dossier() + name, the name made by NomFichierRapport (RapportOutils.h).
    const std::string &Dossier() const { return m_dossier; }
    // True when nothing was added since creation or the last successful save.
    bool Enregistre() const { return m_enregistre; }
    const std::vector<std::string> &Fichiers() const { return m_fichiers; }
    const std::vector<std::string> &Commentaires() const { return m_commentaires; }
    const std::vector<EntreeRapport> &Entrees() const { return m_entrees; }
    // Why the last failure happened (UTF-8), empty when none.
    const std::string &Erreur() const { return m_erreur; }

    // Registers the file `fichier` of the working folder under `titre` with `commentaire`
    // (callers pass " " when they have none; an image entry's comment heads its page). The
    // name must be a plain file name as NomFichierRapport makes it: anything else (a
    // folder part, "..") is refused and false returned, nothing being registered.
    bool AjouteEntree(const std::string &titre, const std::string &fichier,
                      const std::string &commentaire);

    // A file name for a new page of the working folder: souche + n + extension for the
    // first n = 1, 2, ... (n = 1 written as nothing when `premierSansNumero`) that no earlier
    // call returned, no entry uses and no file of the folder has. The name is reserved, so
    // that two windows writing into the report never replace each other's pages.
    std::string NomLibre(const std::string &souche, const std::string &extension,
                         bool premierSansNumero = false);

    // Saves the report into destination/Nom()/ (index.htm, and "contenu" with the entries,
    // a page per image entry and the decoration images). An empty destination does
    // nothing and returns false with Erreur() empty. A failure part way returns false with
    // Erreur() naming the file; the working folder and Enregistre() are left as they were.
    bool Sauve(const std::string &destination);

    // Where the decoration images are taken from; by default the "images" folder of the
    // program's folder.
    void SetDossierImages(std::string dossier) { m_dossierImages = std::move(dossier); }

  private:
    bool copie(const std::string &source, const std::string &cible);

    std::string m_nom;
    const charg1 *m_base = nullptr;
    std::string m_dossier;
    RapportArbre *m_arbre = nullptr;
    std::vector<std::string> m_fichiers;
    std::vector<std::string> m_commentaires;
    bool m_enregistre = true;
    std::vector<EntreeRapport> m_entrees;
    std::map<std::string, int32_t> m_prochainNumero; // by stem and extension
    std::set<std::string> m_nomsReserves;
    std::string m_dossierImages;
    std::string m_erreur;
};

} // namespace morvix
