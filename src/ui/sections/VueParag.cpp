#include "sections/VueParag.h"

#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "sections/CarteSections.h"

#include <QDrag>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace morvix::ui {

namespace {

// Beyond this distance in pixels a press inside the selection becomes a drag.
constexpr int kDistanceDrag = 20;

} // namespace

VueParag::VueParag(const charg1 &base, QWidget *parent) : QTextEdit(parent), m_base(base) {
    setObjectName(QStringLiteral("ParagEdit"));
    setReadOnly(true);
    setAcceptDrops(false);
    setUndoRedoEnabled(false);
}

void VueParag::Affiche(const TexteSectionResultat &texte, uint32_t couleur1, uint32_t couleur2) {
    setUpdatesEnabled(false);
    clear();
    QTextCursor curseur(document());
    curseur.beginEditBlock();
    const QTextCharFormat normal;
    QTextCharFormat groupe1;
    groupe1.setFontWeight(QFont::Bold);
    groupe1.setForeground(CouleurQt(SansBlanc(couleur1)));
    QTextCharFormat groupe2 = groupe1;
    groupe2.setForeground(CouleurQt(SansBlanc(couleur2)));
    QTextCharFormat balise;
    balise.setForeground(CouleurQt(kBleu));
    for (const RunTexte &run : texte.runs) {
        const QTextCharFormat *f = &normal;
        switch (run.style) {
        case StyleTexte::Normal:
            break;
        case StyleTexte::Groupe1:
            f = &groupe1;
            break;
        case StyleTexte::Groupe2:
            f = &groupe2;
            break;
        case StyleTexte::Balise:
            f = &balise;
            break;
        }
        curseur.insertText(DeCp1252(run.texte), *f);
    }
    if (texte.omises > 0) {
        QTextCharFormat note;
        note.setFontItalic(true);
        curseur.insertText(Tr("[… %1 positions de plus dans cette section]").arg(texte.omises),
                           note);
    }
    curseur.endEditBlock();
    moveCursor(QTextCursor::Start);
    setUpdatesEnabled(true);
}

int32_t VueParag::CodeDeplace() const {
    const std::string forme = VersCp1252(m_texte.trimmed());
    return forme.empty() ? -1 : m_base.LocFormDic(forme, true);
}

void VueParag::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        const QTextCursor selection = textCursor();
        const int position = cursorForPosition(event->position().toPoint()).position();
        if (selection.hasSelection() && position > selection.selectionStart() &&
            position < selection.selectionEnd()) {
            m_attente = true;
            m_depart = event->position().toPoint();
            m_texte = selection.selectedText();
            return; // the selection stays as it is
        }
    }
    QTextEdit::mousePressEvent(event);
}

void VueParag::mouseMoveEvent(QMouseEvent *event) {
    if (!m_attente) {
        QTextEdit::mouseMoveEvent(event);
        return;
    }
    if ((event->position().toPoint() - m_depart).manhattanLength() < kDistanceDrag) {
        return;
    }
    m_attente = false;
    const int32_t code = CodeDeplace();
    if (code < 0) {
        return;
    }
    auto *objet = new TTgenDragObject(this, std::string(), 0, 1);
    objet->Codes[0] = code;
    auto *drag = new QDrag(this);
    drag->setMimeData(objet);
    drag->exec(Qt::CopyAction);
}

void VueParag::mouseReleaseEvent(QMouseEvent *event) {
    if (m_attente) {
        m_attente = false;
        // A press and release inside the selection without a drag puts the cursor there.
        QTextCursor c = cursorForPosition(event->position().toPoint());
        setTextCursor(c);
        return;
    }
    QTextEdit::mouseReleaseEvent(event);
}

} // namespace morvix::ui
