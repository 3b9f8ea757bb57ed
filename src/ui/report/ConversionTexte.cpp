#include "report/ConversionTexte.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "report/PreparationTexte.h"

#include <QFileInfo>

namespace morvix::ui {

QString TexteRemplacements(int64_t nbRemplaces, int64_t nbEspaces) {
    QStringList parties;
    if (nbRemplaces > 0) {
        parties
            << (nbRemplaces == 1
                    ? Tr("1 caractère non représentable remplacé par « ? »")
                    : Tr("%1 caractères non représentables remplacés par « ? »").arg(nbRemplaces));
    }
    if (nbEspaces > 0) {
        parties << Tr("%1 espaces ou caractères invisibles remplacés par des blancs ou omis")
                       .arg(nbEspaces);
    }
    return parties.join(QStringLiteral("\n"));
}

bool PrepareTexteSegmentation(QWidget *parent, ExecuteurTaches &taches, QString &chemin) {
    const std::string natif = CheminNatif(chemin);
    const auto resultat = taches.Execute<ResultatConversion>([natif](const Progression &p) {
        return PrepareTexte(natif, EncodageEntree::Auto, p.annulation, p.StepIt);
    });
    if (!resultat) {
        Message(parent, QMessageBox::Information, Tr("Morvix3"), Tr("Un calcul est en cours"),
                QMessageBox::Ok);
        return false;
    }
    if (resultat->annule) {
        return false;
    }
    if (!resultat->ok) {
        Message(parent, QMessageBox::Warning, Tr("Morvix3"),
                QString::fromStdString(resultat->message), QMessageBox::Ok);
        return false;
    }
    if (!resultat->converti) {
        return true;
    }
    const QString copie = DeCheminNatif(resultat->chemin);
    QString texte =
        (resultat->document ? Tr("Ce document est converti en texte Windows-1252 : %1, qui va être "
                                 "segmenté.")
                            : Tr("Ce texte est en UTF-8 : sa copie en Windows-1252, %1, va être "
                                 "segmentée."))
            .arg(QFileInfo(copie).fileName());
    if (const QString r = TexteRemplacements(resultat->nbRemplaces, resultat->nbEspaces);
        !r.isEmpty()) {
        texte += QStringLiteral("\n") + r;
    }
    if (Message(parent, QMessageBox::Information, Tr("Morvix3"), texte,
                QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
        return false;
    }
    chemin = copie;
    return true;
}

} // namespace morvix::ui
