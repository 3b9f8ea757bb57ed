#include "dictionary/AccroissementVocabulaire.h"

#include "base/charg1.h"
#include "partitions/Partition.h"

namespace morvix {

namespace {

class Lecture {
  public:
    explicit Lecture(const charg1 &base)
        : m_texte(base.TnumData()), m_nbform(base.Nbform()),
          m_vue(static_cast<size_t>(base.Nbform()), false) {}

    void lit(int32_t debut, int32_t fin, std::vector<PointCourbe> &points) {
        for (int32_t p = debut; p < fin; ++p) {
            const int32_t c = m_texte[static_cast<size_t>(p)];
            if (c < 0 || c >= m_nbform)
                continue;
            ++m_occurrences;
            if (!m_vue[static_cast<size_t>(c)]) {
                points.push_back({m_occurrences, m_formes});
                m_vue[static_cast<size_t>(c)] = true;
                ++m_formes;
            }
        }
    }
    PointCourbe dernier() const { return {m_occurrences, m_formes}; }

  private:
    std::span<const int32_t> m_texte;
    int32_t m_nbform;
    std::vector<bool> m_vue;
    int64_t m_occurrences = 0;
    int64_t m_formes = 0;
};

} // namespace

CourbeAccroissement CalculeAccroissement(const charg1 &base) {
    CourbeAccroissement courbe;
    Lecture lecture(base);
    lecture.lit(0, base.Nbitem(), courbe.Points);
    courbe.Points.push_back(lecture.dernier());
    return courbe;
}

CourbeAccroissement CalculeAccroissement(const Partition &partition) {
    CourbeAccroissement courbe;
    for (int32_t j = 0; j < partition.NbParties; ++j) {
        if (!partition.Selec[static_cast<size_t>(j)])
            continue;
        if (!courbe.CorpusEntier)
            courbe.Titre += ", ";
        courbe.Titre += partition.Libelle(j);
        courbe.CorpusEntier = false;
    }
    const charg1 &base = partition.Base();
    if (courbe.CorpusEntier)
        return CalculeAccroissement(base);
    Lecture lecture(base);
    // Before the first span, then span by span, skipping those of parts not selected.
    lecture.lit(0, partition.Tranches.front().Debut, courbe.Points);
    for (int32_t s = 0; s < partition.NbTranches; ++s) {
        const Tranche &t = partition.Tranches[static_cast<size_t>(s)];
        if (partition.Selec[static_cast<size_t>(t.Partie)])
            lecture.lit(t.Debut, partition.Tranches[static_cast<size_t>(s) + 1].Debut,
                        courbe.Points);
    }
    courbe.Points.push_back(lecture.dernier());
    return courbe;
}

} // namespace morvix
