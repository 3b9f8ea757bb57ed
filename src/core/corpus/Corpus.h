// Corpus: the registry of the bases opened in a run, the partitions built on them (one per
// key type and base) and the section views built (one per list of delimiters and base), with
// the windows opened on each subdivision and its navigation node. Created by the main window
// and handed to whoever needs it. Depends on partitions (Partition) and corpus (Section).
//
// The registry owns the registered partitions and views. A base must be withdrawn with
// RetireBase (or replaced with RemplaceBase) before it is destroyed: that drops the base and
// every subdivision built on it, so that no entry ever refers to a released base. Windows
// listed in `Fenetres` are not owned; their owner closes them before withdrawing the base.
#pragma once

#include "corpus/Section.h"
#include "partitions/Partition.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace morvix {

class charg1;

// One registered partition.
struct InfoPartition {
    std::unique_ptr<Partition> Part;
    std::vector<void *> Fenetres; // graph windows opened on it, in order of opening
    void *Noeud = nullptr;        // its "Graphiques" navigation node, set by the chooser
};

// One registered section view.
struct InfoSection {
    std::unique_ptr<Section> Sect;
    std::vector<void *> Fenetres; // section-map windows opened on it, in order of opening
    void *Noeud = nullptr;        // its navigation node, set by the view chooser
};

class Corpus {
  public:
    // Every base of the run still open, in order of opening; not owned.
    std::vector<const charg1 *> Bases;
    std::vector<std::unique_ptr<InfoPartition>> Partitions;
    std::vector<std::unique_ptr<InfoSection>> Sections;

    void AjouteBase(const charg1 *base);
    // Forgets the base and destroys every partition and view built on it.
    void RetireBase(const charg1 *base);
    // RetireBase(ancienne) then AjouteBase(nouvelle); either may be null.
    void RemplaceBase(const charg1 *ancienne, const charg1 *nouvelle);

    // Registers p unless a partition of the same base on the same key type is registered:
    // true and the registry takes ownership; false and nothing changes (the caller keeps p).
    bool AjoutePartition(Partition *p);
    // Index of the registered partition of p's base on p's key type, or -1.
    int32_t IndexPartition(const Partition *p) const;
    int32_t IndexPartition(const charg1 *base, int32_t cle) const;
    // The whole calling pattern: registers p, or drops it in favour of the registered one;
    // returns the registered partition.
    Partition *EnregistrePartition(std::unique_ptr<Partition> p);

    // Same for section views: equal when built on the same base with the same codes at every
    // index (another order makes another view).
    bool AjouteSection(Section *s);
    int32_t IndexSection(const Section *s) const;
    Section *EnregistreSection(std::unique_ptr<Section> s);

    int32_t NbPartitions() const { return static_cast<int32_t>(Partitions.size()); }
    int32_t NbSections() const { return static_cast<int32_t>(Sections.size()); }
    InfoPartition &PartitionI(int32_t i) { return *Partitions[static_cast<size_t>(i)]; }
    InfoSection &SectionI(int32_t i) { return *Sections[static_cast<size_t>(i)]; }
};

} // namespace morvix
