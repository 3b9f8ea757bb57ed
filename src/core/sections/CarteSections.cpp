#include "sections/CarteSections.h"

#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"

#include <algorithm>

namespace morvix {

Nuances NuancesDe(uint32_t couleur) {
    Nuances n;
    n.pleine = couleur;
    n.moyenne = 0;
    n.claire = 0;
    for (int decalage = 0; decalage <= 16; decalage += 8) {
        const uint32_t c = (couleur >> decalage) & 0xFF;
        n.moyenne |= (c + ((255 - c) >> 1)) << decalage;
        n.claire |= (c + (255 - c) * 2 / 3) << decalage;
    }
    return n;
}

CarteSections::CarteSections(const Section &section)
    : m_section(&section), m_nbSections(std::max(section.NbSections, 0)),
      m_disposition(m_nbSections, kTailleBoiteDefaut) {
    const auto n = static_cast<size_t>(m_nbSections);
    m_selection.assign(n, 0);
    m_marques.assign(n, 0);
    m_marquesSup.assign(n, 0);
    m_coeffs.assign(n, 0);
    metBoutonsSection();
}

CarteSections::~CarteSections() = default;

void CarteSections::relayout() {
    m_disposition =
        DispositionCarte(m_nbSections, m_disposition.TailleBoite(), m_premieres, m_parties);
}

void CarteSections::SetTailleBoite(int32_t taille) {
    m_disposition = DispositionCarte(m_nbSections, taille, m_premieres, m_parties);
}

void CarteSections::SetPartition(const Partition *partition) {
    m_partition = partition;
    m_premieres.clear();
    m_parties.clear();
    if (partition != nullptr) {
        // The first section starting at or after each span's start; a span in which no
        // section starts gets the next span's first section, so that it draws no box.
        const auto debut = m_section->Debuts.begin();
        const auto fin = debut + m_nbSections;
        for (int32_t q = 0; q < partition->NbTranches; ++q) {
            const Tranche &t = partition->Tranches[static_cast<size_t>(q)];
            m_premieres.push_back(
                static_cast<int32_t>(std::lower_bound(debut, fin, t.Debut) - debut));
            m_parties.push_back(t.Partie);
        }
        m_premieres.push_back(m_nbSections);
    }
    relayout();
}

void CarteSections::PoseGroupePrincipal(std::unique_ptr<Tgen> groupe, MarquageGroupe marquage) {
    const auto n = static_cast<size_t>(m_nbSections);
    m_marques = std::move(marquage.marques);
    m_coeffs = std::move(marquage.coeffs);
    m_marques.resize(n, 0);
    m_coeffs.resize(n, 0);
    m_tgen1 = std::move(groupe);
    if (m_tgen1) {
        m_nuances = NuancesDe(m_tgen1->Couleur);
        m_boutons.occPrec = m_sectCour != 0;
        m_boutons.occSuiv = true;
    }
}

void CarteSections::PoseGroupeSecondaire(std::unique_ptr<Tgen> groupe, std::vector<char> marques) {
    m_marquesSup = std::move(marques);
    m_marquesSup.resize(static_cast<size_t>(m_nbSections), 0);
    m_tgenSup = std::move(groupe);
}

void CarteSections::Clic(int32_t s, bool shift, bool ctrl) {
    if (s < 0 || s >= m_nbSections)
        return;
    if (shift) {
        if (s != m_sectCour) {
            const int32_t pas = s < m_sectCour ? 1 : -1;
            for (int32_t r = s; r != m_sectCour; r += pas)
                m_selection[static_cast<size_t>(r)] = 1;
        }
    } else {
        if (!ctrl)
            std::fill(m_selection.begin(), m_selection.end(), 0);
        m_selection[static_cast<size_t>(s)] ^= 1;
    }
    m_sectCour = s;
    if (m_tgen1) {
        m_boutons.occPrec = s != 0;
        m_boutons.occSuiv = true;
    }
    metBoutonsSection();
}

void CarteSections::SectionSuivante() {
    if (m_sectCour + 1 < m_nbSections)
        ++m_sectCour;
    metBoutonsSection();
}

void CarteSections::SectionPrecedente() {
    if (m_sectCour > 0)
        --m_sectCour;
    metBoutonsSection();
}

bool CarteSections::OccurrenceSuivante() {
    if (!m_tgen1)
        return true;
    for (int32_t s = m_sectCour + 1; s < m_nbSections; ++s) {
        if (m_marques[static_cast<size_t>(s)]) {
            m_sectCour = s;
            m_boutons.occSuiv = true;
            m_boutons.occPrec = true;
            metBoutonsSection();
            return true;
        }
    }
    m_boutons.occSuiv = false;
    return false;
}

bool CarteSections::OccurrencePrecedente() {
    if (!m_tgen1)
        return true;
    for (int32_t s = std::min(m_sectCour, m_nbSections) - 1; s >= 0; --s) {
        if (m_marques[static_cast<size_t>(s)]) {
            m_sectCour = s;
            m_boutons.occPrec = s != 0;
            m_boutons.occSuiv = true;
            metBoutonsSection();
            return true;
        }
    }
    m_boutons.occPrec = false;
    return false;
}

void CarteSections::Reinitialise() {
    std::fill(m_selection.begin(), m_selection.end(), 0);
    std::fill(m_marques.begin(), m_marques.end(), 0);
    std::fill(m_marquesSup.begin(), m_marquesSup.end(), 0);
    std::fill(m_coeffs.begin(), m_coeffs.end(), 0);
    m_tgen1.reset();
    m_tgenSup.reset();
    m_boutons.occPrec = false;
    m_boutons.occSuiv = false;
    SetPartition(nullptr);
}

void CarteSections::metBoutonsSection() {
    m_boutons.secPrec = m_sectCour > 0;
    m_boutons.secSuiv = m_sectCour + 1 < m_nbSections;
}

StyleBoite CarteSections::Style(int32_t s) const {
    StyleBoite st;
    const auto i = static_cast<size_t>(s);
    const bool marquee = m_tgen1 && m_marques[i];
    if (marquee) {
        uint32_t fond = m_tgen1->Couleur;
        if (m_seuillage) {
            const int32_t c = m_coeffs[i];
            fond = c >= m_seuil2  ? m_nuances.pleine
                   : c < m_seuil1 ? m_nuances.claire
                                  : m_nuances.moyenne;
        }
        st.fond = SansBlanc(fond);
    }
    if (s == m_sectCour) {
        st.trait = kBleu;
        st.epaisseur = 3;
    } else if (m_selection[i]) {
        st.trait = kBleu;
        st.epaisseur = 2;
    }
    if (m_tgenSup && m_marquesSup[i] && m_disposition.Dessinee(s)) {
        const int32_t t = m_disposition.TailleBoite();
        const int32_t x = m_disposition.X(s);
        const int32_t y = m_disposition.Y(s);
        // Under the main group too, the second one takes the upper half.
        const int32_t h = m_marques[i] ? t / 2 + 1 : t;
        st.interieur = true;
        st.x1 = x + 1;
        st.y1 = y + 1;
        st.x2 = x + t - 1;
        st.y2 = y + h;
        st.couleurInterieur = SansBlanc(m_tgenSup->Couleur);
    }
    return st;
}

std::vector<int32_t> CarteSections::SectionsSelectionnees() const {
    std::vector<int32_t> s;
    for (int32_t r = 0; r < m_nbSections; ++r)
        if (m_selection[static_cast<size_t>(r)])
            s.push_back(r);
    return s;
}

std::vector<int32_t> CarteSections::SectionsMarquees() const {
    std::vector<int32_t> s;
    for (int32_t r = 0; r < m_nbSections; ++r)
        if ((m_tgen1 && m_marques[static_cast<size_t>(r)]) ||
            (m_tgenSup && m_marquesSup[static_cast<size_t>(r)]))
            s.push_back(r);
    return s;
}

} // namespace morvix
