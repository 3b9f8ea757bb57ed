#include "groups/VentilationTgen.h"

#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"

#include <algorithm>
#include <cmath>

namespace morvix {

namespace {

std::vector<int32_t> parPartie(const Partition &partition, std::span<const int32_t> occ) {
    std::vector<int32_t> k(static_cast<size_t>(partition.NbParties));
    partition.FrqPositionsParties(occ.data(), static_cast<int32_t>(occ.size()), k.data());
    return k;
}

int64_t taille(const Partition &partition, size_t j) {
    const int32_t t = partition.Taille[j];
    return t == 0 ? 1 : t;
}

} // namespace

std::vector<int64_t> FrequencesVentilation(const Partition &partition, std::span<const int32_t> occ,
                                           bool relatives) {
    const std::vector<int32_t> k = parPartie(partition, occ);
    std::vector<int64_t> v(k.size());
    for (size_t j = 0; j < k.size(); ++j)
        v[j] = relatives ? int64_t{k[j]} * 10000 / taille(partition, j) : k[j];
    return v;
}

std::vector<int32_t> SpecificitesVentilation(const Partition &partition,
                                             std::span<const int32_t> occ) {
    const std::vector<int32_t> k = parPartie(partition, occ);
    const double T = partition.Base().Nbocc();
    const double F = static_cast<double>(occ.size());
    std::vector<int32_t> v(k.size());
    for (size_t j = 0; j < k.size(); ++j)
        v[j] = CoeffSpec(T, static_cast<double>(taille(partition, j)), F, k[j], kSeuilVentilation);
    return v;
}

double PasAxe(double etendue) {
    if (!(etendue > 10))
        return 1;
    const double brut = etendue / 10;
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * puissance >= brut)
            return m * puissance;
    return 10 * puissance;
}

int64_t CouleurSerieGroupe(uint32_t couleurGroupe, std::span<const uint32_t> couleursPrises) {
    if (couleurGroupe == 0 || std::find(couleursPrises.begin(), couleursPrises.end(),
                                        couleurGroupe) != couleursPrises.end())
        return -1;
    return couleurGroupe;
}

} // namespace morvix
