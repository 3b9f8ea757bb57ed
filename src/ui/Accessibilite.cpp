#include "Accessibilite.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace morvix::ui {

namespace {

void nomme(QWidget *w) {
    auto *bouton = qobject_cast<QAbstractButton *>(w);
    if (bouton == nullptr || !bouton->accessibleName().isEmpty()) {
        return;
    }
    QString nom = bouton->toolTip();
    if (nom.isEmpty()) {
        return;
    }
    nom.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    nom.replace(QLatin1Char('\n'), QLatin1Char(' '));
    bouton->setAccessibleName(nom.simplified());
}

class FiltreNoms : public QObject {
  protected:
    bool eventFilter(QObject *objet, QEvent *event) override {
        if (event->type() == QEvent::Show && objet->isWidgetType()) {
            nomme(static_cast<QWidget *>(objet));
        }
        return false;
    }
};

} // namespace

void InstalleNomsAccessibles() {
    static FiltreNoms *filtre = nullptr;
    if (filtre == nullptr && qApp != nullptr) {
        filtre = new FiltreNoms;
        filtre->setParent(qApp);
        qApp->installEventFilter(filtre);
    }
}

void NommeControles(QWidget *racine) {
    if (racine == nullptr) {
        return;
    }
    nomme(racine);
    for (QAbstractButton *b : racine->findChildren<QAbstractButton *>()) {
        nomme(b);
    }
}

} // namespace morvix::ui
