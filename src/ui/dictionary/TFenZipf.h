// The Pareto graph of a partition: on logarithmic axes, for every frequency F of the
// selected parts, the number of forms at least that frequent; one curve per drop of the
// partition (after changing its selection). The curves come from the core
// (dictionary/Pareto.h).
#pragma once

#include "dictionary/FenGrapheCourbes.h"

class QLogValueAxis;

namespace morvix::ui {

class TFenZipf : public FenGrapheCourbes {
    Q_OBJECT
  public:
    TFenZipf(Partition &partition, FournisseurRapport rapport, QWidget *parent = nullptr);

    bool AcceptePartition(const Partition &partition) const override;
    void DessineCourbe(Partition &partition) override;

    QLogValueAxis *AxeX() const { return m_axeX; }
    QLogValueAxis *AxeY() const { return m_axeY; }
    static int32_t NbImages() { return s_nbImages; }

  protected:
    std::string SoucheImage(int32_t n) const override;
    int32_t &CompteurImages() const override { return s_nbImages; }
    void CourbesEffacees() override;

  private:
    void Axes();

    Partition &m_partition;
    QLogValueAxis *m_axeX;
    QLogValueAxis *m_axeY;
    double m_maxX = 1;
    double m_maxY = 1;
    static int32_t s_nbImages;
};

} // namespace morvix::ui
