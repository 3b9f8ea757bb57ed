#include "afc/AnalyseAfc.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "afc/LanceAfc.h"
#include "afc/TFenParamAFC.h"

#include <memory>

namespace morvix::ui {

namespace {

ServicesAfc servicesCarte(const ContexteAfc &contexte) {
    ServicesAfc s = contexte.services;
    s.afc = [contexte](Partition &p) { LanceAnalyseAfc(contexte, p, 1); };
    ExecuteurTaches *taches = contexte.taches;
    s.partitionLibre = [taches] { return taches == nullptr || !taches->Occupe(); };
    return s;
}

} // namespace

void LanceAnalyseAfc(const ContexteAfc &contexte, Partition &partition, int mode) {
    TFenParamAFC dialogue(partition, contexte.fenetre);
    dialogue.SetMode(mode);
    if (dialogue.exec() != QDialog::Accepted) {
        return;
    }
    ExecuteAnalyseAfc(contexte, partition, dialogue.Parametres());
}

bool ExecuteAnalyseAfc(const ContexteAfc &contexte, Partition &partition, const ParamAfc &param) {
    ExecuteurTaches &taches = *contexte.taches;
    if (taches.Occupe()) {
        Message(contexte.fenetre, QMessageBox::Information, Tr("Paramètrage de l'AFC"),
                Tr("Un calcul est en cours : l'analyse pourra être lancée quand il sera fini."),
                QMessageBox::Ok);
        return false;
    }
    const std::string dossier = contexte.dossier.empty() ? DossierEchangeAfc() : contexte.dossier;
    const std::string programme = contexte.programme;
    const Partition *lue = &partition;
    const std::string annonce = Tr("Analyse factorielle des correspondances...").toStdString();
    return taches.Lance<std::shared_ptr<ResultatLanceAfc>>(
        contexte.fenetre,
        [lue, param, dossier, programme, annonce](const Progression &p) {
            p.Message(annonce);
            return std::make_shared<ResultatLanceAfc>(
                LanceAfc(*lue, param, dossier, programme, p.annulation));
        },
        [contexte, &partition](std::shared_ptr<ResultatLanceAfc> r) {
            if (contexte.etat) {
                contexte.etat(QString());
            }
            // Cancelled: the program was stopped and its files removed; nothing opens.
            if (r->Code == CodeAfc::Annule || contexte.taches->DerniereAnnulee()) {
                return;
            }
            if (!r->ok()) {
                const QString texte = r->Code == CodeAfc::Parametres
                                          ? Tr("Vérifiez vos paramètres")
                                          : Tr("Erreur de lecture du fichier des facteurs");
                if (contexte.etat) {
                    contexte.etat(QString::fromStdString(r->Detail));
                }
                Message(contexte.fenetre, QMessageBox::Warning, Tr("Paramètrage de l'AFC"), texte,
                        QMessageBox::Ok);
                return;
            }
            auto *carte = new TFenGrapheAFC(partition, std::move(r->Points),
                                            std::move(r->ValeursPropres), servicesCarte(contexte));
            if (contexte.montreCarte) {
                contexte.montreCarte(carte);
            }
        });
}

} // namespace morvix::ui
