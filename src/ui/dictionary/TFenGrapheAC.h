// The vocabulary growth graph: the number of distinct forms met against the number of form
// occurrences read, for the whole text or the spans of a partition's selected parts; one
// curve per drop of a partition. The curves come from the core
// (dictionary/AccroissementVocabulaire.h).
#pragma once

#include "dictionary/FenGrapheCourbes.h"

class QValueAxis;

namespace morvix::ui {

class TFenGrapheAC : public FenGrapheCourbes {
    Q_OBJECT
  public:
    // Without a partition the window has no curve until one is dropped.
    TFenGrapheAC(Partition *partition, const charg1 &base, FournisseurRapport rapport,
                 QWidget *parent = nullptr);

    bool AcceptePartition(const Partition &partition) const override;
    void DessineCourbe(Partition &partition) override;

    Partition *PartitionFenetre() const { return m_partition; }
    QValueAxis *AxeX() const { return m_axeX; }
    QValueAxis *AxeY() const { return m_axeY; }
    static int32_t NbImages() { return s_nbImages; }

  protected:
    std::string SoucheImage(int32_t n) const override;
    int32_t &CompteurImages() const override { return s_nbImages; }
    void CourbesEffacees() override;

  private:
    void Axes();

    Partition *m_partition;
    QValueAxis *m_axeX;
    QValueAxis *m_axeY;
    double m_maxX = 0;
    double m_maxY = 0;
    static int32_t s_nbImages;
};

} // namespace morvix::ui
