#include "partitions/TextesPartition.h"

#include "partitions/Partition.h"
#include "partitions/PrimSpecChr.h"

namespace morvix {

namespace {
constexpr uint32_t kBleu = 0xFF0000;
}

std::string TexteCoeffTableau(int32_t coeff) {
    if (coeff == 0)
        return {};
    if (coeff > 50 || coeff < -50)
        return "***";
    return coeff > 0 ? "+" + std::to_string(coeff) : std::to_string(coeff);
}

std::string TexteCoeffPageTableau(int32_t coeff) {
    return coeff == 0 ? std::string("&nbsp;") : TexteCoeffTableau(coeff);
}

std::string TexteCoeffListe(int32_t coeff) {
    return coeff < -49 || coeff >= 50 ? std::string("***") : std::to_string(coeff);
}

std::string TexteCoeffPageListe(int32_t coeff) {
    return coeff > 50 || coeff < -50 ? std::string("***") : std::to_string(coeff);
}

std::string ListeLibelles(const Partition &partition, const std::vector<bool> &drapeaux) {
    std::string texte;
    for (int32_t q = 0; q < partition.NbParties && static_cast<size_t>(q) < drapeaux.size(); ++q) {
        if (drapeaux[static_cast<size_t>(q)]) {
            texte += partition.Libelle(q);
            texte += ", ";
        }
    }
    return texte;
}

std::string TexteTranche(const Partition &partition, const ResSpecChr &r) {
    std::string texte = partition.Libelle(r.Premiere);
    if (r.Derniere != r.Premiere) {
        texte += " - ";
        texte += partition.Libelle(r.Derniere);
    }
    return texte;
}

uint32_t CouleurPastillePartition(const Partition &partition) {
    bool trouve = false;
    uint32_t commune = kBleu;
    for (int32_t q = 0; q < partition.NbParties; ++q) {
        if (!partition.Selec[static_cast<size_t>(q)])
            continue;
        const uint32_t c = partition.Couleurs[static_cast<size_t>(q)];
        if (!trouve) {
            commune = c;
            trouve = true;
        } else if (c != commune) {
            return kBleu;
        }
    }
    return commune;
}

int32_t OrdreChronoApresClic(int32_t colonne, int32_t ordre) {
    switch (colonne) {
    case kChronoForme:
        return ordre == PrimSpecChr::kLexgCroissant ? PrimSpecChr::kLexgDecroissant
                                                    : PrimSpecChr::kLexgCroissant;
    case kChronoF:
        return ordre == PrimSpecChr::kFrqCroissante ? PrimSpecChr::kFrqDecroissante
                                                    : PrimSpecChr::kFrqCroissante;
    case kChronof:
        return ordre == PrimSpecChr::kfCroissante ? PrimSpecChr::kfDecroissante
                                                  : PrimSpecChr::kfCroissante;
    case kChronoCoeff:
        return ordre == PrimSpecChr::kCoeffDecroissant ? PrimSpecChr::kCoeffCroissant
                                                       : PrimSpecChr::kCoeffDecroissant;
    case kChronoParties:
        return ordre == PrimSpecChr::kTrancheCroissante ? PrimSpecChr::kTrancheDecroissante
                                                        : PrimSpecChr::kTrancheCroissante;
    default:
        return -1;
    }
}

} // namespace morvix
