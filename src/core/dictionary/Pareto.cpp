#include "dictionary/Pareto.h"

#include "base/charg1.h"
#include "partitions/Partition.h"

#include <algorithm>
#include <map>

namespace morvix {

std::vector<int32_t> PartiesCourbe(const Partition &partition) {
    std::vector<int32_t> parties;
    for (int32_t j = 0; j < partition.NbParties; ++j)
        if (partition.Selec[static_cast<size_t>(j)])
            parties.push_back(j);
    if (parties.empty())
        for (int32_t j = 0; j < partition.NbParties; ++j)
            parties.push_back(j);
    return parties;
}

namespace {

// Frequency of every form over the given parts. Every part: the base's frequencies (the
// text before the first tag counts in the first part, tags are no forms, so the parts
// together hold every occurrence). Otherwise one walk over the spans of those parts,
// which counts exactly what the per-part table counts.
std::vector<int32_t> frequences(const Partition &partition, const std::vector<int32_t> &parties) {
    const charg1 &base = partition.Base();
    const int32_t nbform = base.Nbform();
    std::vector<int32_t> frq(static_cast<size_t>(nbform), 0);
    if (parties.empty())
        return frq;
    if (static_cast<int32_t>(parties.size()) == partition.NbParties) {
        for (int32_t f = 0; f < nbform; ++f)
            frq[static_cast<size_t>(f)] = base.RetourneFrq(f);
        return frq;
    }
    std::vector<bool> prise(static_cast<size_t>(partition.NbParties), false);
    for (int32_t j : parties)
        prise[static_cast<size_t>(j)] = true;
    const auto texte = base.TnumData();
    for (int32_t s = 0; s < partition.NbTranches; ++s) {
        const Tranche &t = partition.Tranches[static_cast<size_t>(s)];
        if (!prise[static_cast<size_t>(t.Partie)])
            continue;
        const int32_t debut = s == 0 ? 0 : t.Debut;
        const int32_t fin = partition.Tranches[static_cast<size_t>(s) + 1].Debut;
        for (int32_t p = debut; p < fin; ++p) {
            const int32_t c = texte[static_cast<size_t>(p)];
            if (c >= 0 && c < nbform)
                ++frq[static_cast<size_t>(c)];
        }
    }
    return frq;
}

} // namespace

CourbePareto CalculePareto(const Partition &partition) {
    CourbePareto courbe;
    const std::vector<int32_t> parties = PartiesCourbe(partition);
    for (size_t i = 0; i < parties.size(); ++i) {
        if (i > 0)
            courbe.Titre += ", ";
        courbe.Titre += partition.Libelle(parties[i]);
    }
    std::map<int32_t, int64_t> parFrequence;
    for (int32_t n : frequences(partition, parties))
        if (n > 0)
            ++parFrequence[n];
    int64_t cumul = 0;
    for (auto it = parFrequence.rbegin(); it != parFrequence.rend(); ++it) {
        cumul += it->second;
        it->second = cumul;
    }
    courbe.Points.reserve(parFrequence.size());
    for (const auto &[f, n] : parFrequence)
        courbe.Points.push_back({n, f});
    return courbe;
}

} // namespace morvix
