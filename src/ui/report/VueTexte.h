// A view of the whole text of a base that lays out only the lines on screen: each line of
// the text is built from the numeric text when it comes into view, so that a base of
// millions of items scrolls without delay.
#pragma once

#include <QAbstractScrollArea>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace morvix {
class charg1;
class Tgen;
} // namespace morvix

namespace morvix::ui {

class VueTexte : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit VueTexte(const charg1 &base, QWidget *parent = nullptr);
    ~VueTexte() override;

    // The group whose occurrences are highlighted (not owned; null for none).
    void SetGroupe(const Tgen *groupe);
    int32_t NbLignesTexte() const { return static_cast<int32_t>(m_debuts.size()) - 1; }
    int32_t PremiereLigne() const;
    // The displayed text of line i and the ranges drawn in the group's colour.
    QString TexteLigne(int32_t i) const;
    std::vector<std::pair<int, int>> PlagesGroupe(int32_t i) const;
    // Scrolls by n display lines (negative: up).
    void Defile(int n);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Ligne {
        QString texte;
        QList<QTextLayout::FormatRange> formats;
        std::vector<std::pair<int, int>> groupe;
    };
    Ligne Construit(int32_t i) const;
    QTextLayout &Disposition(int32_t i);
    void ViderCache();
    void MajDefilement();

    const charg1 &m_base;
    const Tgen *m_groupe = nullptr;
    // First position of each line of the text, then Nbitem.
    std::vector<int32_t> m_debuts;
    std::unordered_map<int32_t, std::unique_ptr<QTextLayout>> m_cache;
    int m_saut = 0; // display lines of the first text line above the top
    bool m_interne = false;
};

} // namespace morvix::ui
