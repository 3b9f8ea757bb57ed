// CarteSections: the state of a section map and its rules, without drawing: the current
// section, the selection, the sections holding the main and the second group with the main
// group's coefficients, the three shades and their thresholds, the partition laying out the
// map, the style of every box, the selection by Shift and Ctrl, the moves from section to
// section and from occurrence to occurrence, and which of the four move buttons are usable.
// Depends on corpus (Section), groups (Tgen), partitions (Partition) and the layout.
#pragma once

#include "sections/DispositionCarte.h"
#include "sections/MarquageSections.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace morvix {

class Partition;
class Section;
class Tgen;

inline constexpr uint32_t kBlanc = 0xFFFFFF;
inline constexpr uint32_t kNoir = 0x000000;
inline constexpr uint32_t kBleu = 0xFF0000; // 0x00BBGGRR
inline constexpr uint32_t kRouge = 0x0000FF;
inline constexpr int32_t kSeuil2Defaut = 5;
inline constexpr int32_t kSeuil1Defaut = 2;

// Nothing is drawn white on a map: white stands for "no colour chosen".
inline uint32_t SansBlanc(uint32_t couleur) { return couleur == kBlanc ? kNoir : couleur; }

// The full, half-light and light shades of a colour: per byte c, c + ((255 - c) >> 1) and
// c + (255 - c) * 2 / 3.
struct Nuances {
    uint32_t pleine = kBlanc;
    uint32_t moyenne = kBlanc;
    uint32_t claire = kBlanc;
};
Nuances NuancesDe(uint32_t couleur);

// How one box is drawn. Rectangles are given as (x1, y1) - (x2, y2), the right and bottom
// edges excluded.
struct StyleBoite {
    uint32_t fond = kBlanc;
    uint32_t trait = kNoir;
    int32_t epaisseur = 1;
    bool interieur = false; // the second group's block, in its colour
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t couleurInterieur = kNoir;
};

// Which of the move buttons can be used.
struct BoutonsCarte {
    bool secPrec = false;
    bool secSuiv = false;
    bool occPrec = false;
    bool occSuiv = false;
};

class CarteSections {
  public:
    // The view must outlive the map.
    explicit CarteSections(const Section &section);
    ~CarteSections();
    CarteSections(const CarteSections &) = delete;
    CarteSections &operator=(const CarteSections &) = delete;

    const Section &Vue() const { return *m_section; }
    int32_t NbSections() const { return m_nbSections; }
    const DispositionCarte &Disposition() const { return m_disposition; }

    int32_t TailleBoite() const { return m_disposition.TailleBoite(); }
    void SetTailleBoite(int32_t taille);
    // Lays the map out under the spans of the partition (null: none). The spans' first
    // sections are kept by the map; the partition is not written to.
    void SetPartition(const Partition *partition);
    const Partition *LaPartition() const { return m_partition; }
    // For each span, its first section, then NbSections; empty without a partition.
    const std::vector<int32_t> &PremieresSections() const { return m_premieres; }

    int32_t SectCour() const { return m_sectCour; }
    bool Selectionnee(int32_t s) const { return m_selection[static_cast<size_t>(s)] != 0; }
    bool Marquee(int32_t s) const { return m_marques[static_cast<size_t>(s)] != 0; }
    bool MarqueeSup(int32_t s) const { return m_marquesSup[static_cast<size_t>(s)] != 0; }
    int32_t Coeff(int32_t s) const { return m_coeffs[static_cast<size_t>(s)]; }
    const Tgen *Tgen1() const { return m_tgen1.get(); }
    const Tgen *TgenSup() const { return m_tgenSup.get(); }
    const BoutonsCarte &Boutons() const { return m_boutons; }

    const Nuances &Couleurs() const { return m_nuances; }
    void SetCouleurs(const Nuances &nuances) { m_nuances = nuances; }
    int32_t Seuil2() const { return m_seuil2; }
    int32_t Seuil1() const { return m_seuil1; }
    void SetSeuil2(int32_t seuil) { m_seuil2 = seuil; }
    void SetSeuil1(int32_t seuil) { m_seuil1 = seuil; }
    bool Seuillage() const { return m_seuillage; }
    void SetSeuillage(bool oui) { m_seuillage = oui; }

    // The main group with its marks and coefficients (MarqueGroupe with coefficients); the
    // shades become the group's.
    void PoseGroupePrincipal(std::unique_ptr<Tgen> groupe, MarquageGroupe marquage);
    // The second group with its marks; the main group's coefficients and shades stay.
    void PoseGroupeSecondaire(std::unique_ptr<Tgen> groupe, std::vector<char> marques);

    // A press on box s. With Shift, the sections from s towards the current one are
    // selected, the current one excluded; otherwise the selection is cleared (unless Ctrl)
    // and s's flag inverted. Then s becomes the current section.
    void Clic(int32_t s, bool shift, bool ctrl);
    void SectionSuivante();
    void SectionPrecedente();
    // The next (previous) section holding the main group becomes current; false when there
    // is none, the current section then staying and the button being disabled.
    bool OccurrenceSuivante();
    bool OccurrencePrecedente();
    // Clears the selection, both marks and both groups, and removes the partition.
    void Reinitialise();

    StyleBoite Style(int32_t s) const;

    std::vector<int32_t> SectionsSelectionnees() const;
    // The sections holding the main or the second group.
    std::vector<int32_t> SectionsMarquees() const;

  private:
    void metBoutonsSection();
    void relayout();

    const Section *m_section;
    int32_t m_nbSections;
    DispositionCarte m_disposition;
    const Partition *m_partition = nullptr;
    std::vector<int32_t> m_premieres;
    std::vector<int32_t> m_parties;
    int32_t m_sectCour = 0;
    std::vector<char> m_selection;
    std::vector<char> m_marques;
    std::vector<char> m_marquesSup;
    std::vector<int32_t> m_coeffs;
    std::unique_ptr<Tgen> m_tgen1;
    std::unique_ptr<Tgen> m_tgenSup;
    Nuances m_nuances;
    int32_t m_seuil2 = kSeuil2Defaut;
    int32_t m_seuil1 = kSeuil1Defaut;
    bool m_seuillage = false;
    BoutonsCarte m_boutons;
};

} // namespace morvix
