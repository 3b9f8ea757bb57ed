// The concordance window's page of the report.
#include "concordance/TFenConcor.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "concordance/ConcordanceDocuments.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"
#include "report/RapportOutils.h"

namespace morvix::ui {

void TFenConcor::AjouteAuRapport() {
    if (!m_pole || !m_rapport || m_rapport() == nullptr) {
        return;
    }
    if (m_enCours) {
        // The page is written from the document being built, once it is shown.
        m_rapportEnAttente = true;
        return;
    }
    partitionValide();
    const Parametres p = parametresCourants();
    if (m_document && m_parametresDocument == p) {
        ecritPage(p, *m_document);
        return;
    }
    // The view shows another document (or none yet): build the page's first.
    statut(Tr("Création des contextes"));
    lance(p, [this, p](std::shared_ptr<const DocumentConcordance> doc) {
        ecritPage(p, *doc);
        statut(QString());
    });
}

void TFenConcor::ecritPage(const Parametres &p, const DocumentConcordance &doc) {
    Rapport *rapport = m_rapport ? m_rapport() : nullptr;
    if (rapport == nullptr) {
        return;
    }
    InfoPageConcordance info;
    info.titreFenetre = VersCp1252(windowTitle());
    info.nomBase = m_base.NomBase();
    info.nomPole = p.pole->Nom;
    info.sens = p.sens;
    std::string cle;
    if (p.partition != nullptr) {
        cle = m_base.RetourneGraphie(p.partition->Cle, false);
        info.cle = &cle;
    }
    const std::string nom =
        rapport->NomLibre(p.inventaire ? kSouchePageInventaire : kSouchePageConcordance, ".html");
    const std::string page =
        p.inventaire ? PageHtmlInventaire(doc, info) : PageHtmlConcordance(doc, info);
    if (!rapport->Valide() || !EcritPageRapport(rapport->Dossier() + nom, page)) {
        Message(this, QMessageBox::Warning, windowTitle(),
                Tr("La page du rapport ne peut être écrite : ") +
                    DeCheminNatif(rapport->Dossier() + nom),
                QMessageBox::Ok);
        return;
    }
    rapport->AjouteEntree(p.inventaire ? TitreInventaire(p.pole->Nom)
                                       : TitreEntreeConcordance(p.pole->Nom, p.sens),
                          nom, " ");
}

} // namespace morvix::ui
