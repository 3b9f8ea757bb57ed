// The text pane of a section map: the current section's styled runs, read only. A form of it
// can be dragged out as a one-form group: a press inside the selection, then 20 pixels of
// movement.
#pragma once

#include "sections/TexteSection.h"

#include <QPoint>
#include <QTextEdit>

#include <cstdint>

namespace morvix {
class charg1;
}

namespace morvix::ui {

class VueParag : public QTextEdit {
    Q_OBJECT
  public:
    explicit VueParag(const charg1 &base, QWidget *parent = nullptr);

    // Replaces the text by the runs, groups in their colours (0x00BBGGRR), tags in blue;
    // `omises` positions left out are said at the end.
    void Affiche(const TexteSectionResultat &texte, uint32_t couleur1, uint32_t couleur2);

    bool DragEnAttente() const { return m_attente; }
    // The code of the form a drag of the recorded text carries; -1 when it is no form.
    int32_t CodeDeplace() const;

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    const charg1 &m_base;
    bool m_attente = false;
    QPoint m_depart;
    QString m_texte;
};

} // namespace morvix::ui
