// Helpers of the partition window tests: a base with parts whose forms are specific, the
// main window opened on it, and the partition choice answered in place of the user.
#pragma once

#include "TestSupport.h"
#include "UiTestSupport.h"

#include "mainwindow/TFenPrinc.h"
#include "partitions/TFenChoixPart.h"
#include "partitions/TFenStatPart.h"

#include <QListWidget>
#include <QMdiSubWindow>

#include <memory>
#include <string>

namespace morvix::test {

// Four parts "a0" … "a3" of the key "t", each of filler forms and one form of its own
// ("alpha", "beta", "gamma", "delta") repeated, under one tag of the key "auteur".
inline std::string texteQuatreParties(int filler = 120, int propre = 30) {
    const char *propres[] = {"alpha", "beta", "gamma", "delta"};
    std::string t = "<auteur=X>\n";
    for (int p = 0; p < 4; ++p) {
        t += "<t=a" + std::to_string(p) + ">\n";
        for (int i = 0; i < filler; ++i) {
            t += "w" + std::to_string((i * (p + 1)) % 23) + " ";
        }
        for (int i = 0; i < propre; ++i) {
            t += std::string(propres[p]) + " ";
        }
        t += "commun.\n";
    }
    return t;
}

// Answers the partition choice with the key type `cle` and "Créer".
inline void choisitCle(Utilisateur &u, const QString &cle) {
    u.dialogue = [cle](QDialog &d) {
        auto *choix = qobject_cast<ui::TFenChoixPart *>(&d);
        if (choix == nullptr) {
            return static_cast<int>(QDialog::Rejected);
        }
        for (int i = 0; i < choix->ListeCles()->count(); ++i) {
            choix->ListeCles()->item(i)->setSelected(choix->ListeCles()->item(i)->text() == cle);
        }
        choix->BtnCreerClick();
        return choix->result();
    };
}

// The partition windows of the main window.
inline QList<ui::TFenStatPart *> fenetresPartition(ui::TFenPrinc &fen) {
    return fen.findChildren<ui::TFenStatPart *>();
}

// Opens the partition on `cle` and shows its window at its normal size.
inline ui::TFenStatPart *ouvrePartition(ui::TFenPrinc &fen, Utilisateur &u, const QString &cle) {
    choisitCle(u, cle);
    fen.BtnPartClick();
    u.dialogue = nullptr;
    for (ui::TFenStatPart *f : fenetresPartition(fen)) {
        if (f->windowTitle().endsWith(cle)) {
            if (auto *cadre = qobject_cast<QMdiSubWindow *>(f->parentWidget())) {
                cadre->showNormal();
            }
            return f;
        }
    }
    return nullptr;
}

} // namespace morvix::test
