#include "corpus/Corpus.h"

#include <algorithm>

namespace morvix {

void Corpus::AjouteBase(const charg1 *base) {
    if (base && std::find(Bases.begin(), Bases.end(), base) == Bases.end())
        Bases.push_back(base);
}

void Corpus::RetireBase(const charg1 *base) {
    if (!base)
        return;
    std::erase(Bases, base);
    std::erase_if(Partitions, [&](const auto &info) { return &info->Part->Base() == base; });
    std::erase_if(Sections, [&](const auto &info) { return info->Sect->Base == base; });
}

void Corpus::RemplaceBase(const charg1 *ancienne, const charg1 *nouvelle) {
    RetireBase(ancienne);
    AjouteBase(nouvelle);
}

int32_t Corpus::IndexPartition(const charg1 *base, int32_t cle) const {
    for (size_t i = 0; i < Partitions.size(); ++i)
        if (&Partitions[i]->Part->Base() == base && Partitions[i]->Part->Cle == cle)
            return static_cast<int32_t>(i);
    return -1;
}

int32_t Corpus::IndexPartition(const Partition *p) const {
    return p ? IndexPartition(&p->Base(), p->Cle) : -1;
}

bool Corpus::AjoutePartition(Partition *p) {
    if (!p || IndexPartition(p) >= 0)
        return false;
    auto info = std::make_unique<InfoPartition>();
    info->Part.reset(p);
    Partitions.push_back(std::move(info));
    return true;
}

Partition *Corpus::EnregistrePartition(std::unique_ptr<Partition> p) {
    if (!p)
        return nullptr;
    const int32_t i = IndexPartition(p.get());
    if (i >= 0)
        return Partitions[static_cast<size_t>(i)]->Part.get();
    Partition *raw = p.release();
    AjoutePartition(raw);
    return raw;
}

int32_t Corpus::IndexSection(const Section *s) const {
    if (!s)
        return -1;
    for (size_t i = 0; i < Sections.size(); ++i)
        if (Sections[i]->Sect->MemesDelims(*s))
            return static_cast<int32_t>(i);
    return -1;
}

bool Corpus::AjouteSection(Section *s) {
    if (!s || IndexSection(s) >= 0)
        return false;
    auto info = std::make_unique<InfoSection>();
    info->Sect.reset(s);
    Sections.push_back(std::move(info));
    return true;
}

Section *Corpus::EnregistreSection(std::unique_ptr<Section> s) {
    if (!s)
        return nullptr;
    const int32_t i = IndexSection(s.get());
    if (i >= 0)
        return Sections[static_cast<size_t>(i)]->Sect.get();
    Section *raw = s.release();
    AjouteSection(raw);
    return raw;
}

} // namespace morvix
