#include "partitions/PrimSpec.h"

#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/Specificite.h"
#include "util/Annulation.h"

#include <algorithm>

namespace morvix {

PrimSpec::PrimSpec(const Partition &partition, int32_t diviseur)
    : m_partition(&partition), m_cochee(&partition.Cochee), m_selec(&partition.Selec),
      m_seuil(partition.Seuil), m_frqMin(partition.FrqMin) {
    s_diviseur = diviseur;
}

void PrimSpec::avance(int32_t &compteur, int32_t n, int32_t passe) const {
    if (compteur == n / 100) {
        if (m_progression)
            m_progression(passe);
        compteur = 0;
    }
    ++compteur;
}

bool PrimSpec::Calcule(const Annulation *annulation) {
    const Partition &part = *m_partition;
    const charg1 &base = part.Base();
    const std::vector<bool> &cochee = *m_cochee;
    const std::vector<bool> &selec = *m_selec;
    m_resultats.clear();

    // Per part: 1 in the reference, 2 in the reference and the target.
    std::vector<char> role(static_cast<size_t>(part.NbParties), 0);
    std::vector<int32_t> reference, cibleRef;
    int64_t tailleRef = 0, tailleCible = 0;
    for (int32_t q = 0; q < part.NbParties; ++q) {
        const auto uq = static_cast<size_t>(q);
        if (cochee[uq]) {
            tailleRef += part.Taille[uq];
            reference.push_back(q);
            role[uq] = selec[uq] ? 2 : 1;
            if (selec[uq])
                cibleRef.push_back(q);
        }
        if (selec[uq])
            tailleCible += part.Taille[uq];
    }
    if (s_diviseur > 1) {
        tailleRef /= s_diviseur;
        tailleCible /= s_diviseur;
    }
    const double T = static_cast<double>(tailleRef);
    const double t = static_cast<double>(tailleCible);
    const double s = m_seuil * 0.01;
    const double lnT = LnFact(T), lnTmt = LnFact(T - t), lnt = LnFact(t);
    auto coefficient = [&](int32_t F, int32_t k) {
        const double dF = F;
        return ArrondiSpec(
            detail::ValSpecPre(T, t, dF, k, s, lnT, LnFact(T - dF), lnTmt, LnFact(dF), lnt));
    };
    auto annule = [&] {
        m_resultats.clear();
        return false;
    };

    // Forms pass, over the non-zero cells of each form.
    const int32_t nbform = base.Nbform();
    int32_t compteur = 0;
    for (int32_t j = 0; j < nbform; ++j) {
        if ((j & 1023) == 0 && Annulee(annulation))
            return annule();
        int32_t F = 0, k = 0;
        for (const FrqNonNulle &c : part.LigneForme(j)) {
            const char r = role[static_cast<size_t>(c.Indice)];
            F += r != 0 ? c.Frq : 0;
            k += r == 2 ? c.Frq : 0;
        }
        if (F != 0 && F >= m_frqMin && k != 0) {
            const int32_t c = coefficient(F, k);
            if (c != 0)
                m_resultats.push_back({j, F, k, c});
        }
        avance(compteur, nbform, 0);
    }

    // Segments pass: absent segments (k = 0) can come out under-used.
    if (base.SegmentStoreAttache()) {
        const int32_t nbart = base.Nbart();
        const int32_t n = base.NbTotEntites() - nbart + 1;
        std::vector<int32_t> frq(static_cast<size_t>(part.NbParties));
        compteur = 0;
        for (int32_t e = nbart + 1; e <= base.NbTotEntites(); ++e) {
            if (Annulee(annulation))
                return annule();
            int32_t F = 0, k = 0;
            part.FrqParties(e, frq.data());
            for (int32_t q : reference)
                F += frq[static_cast<size_t>(q)];
            for (int32_t q : cibleRef)
                k += frq[static_cast<size_t>(q)];
            if (F >= m_frqMin) {
                const int32_t c = coefficient(F, k);
                if (c != 0)
                    m_resultats.push_back({e, F, k, c});
            }
            avance(compteur, n, 1);
        }
    }

    std::stable_sort(m_resultats.begin(), m_resultats.end(),
                     [](const ResSpec &a, const ResSpec &b) { return a.Coeff > b.Coeff; });
    return true;
}

} // namespace morvix
