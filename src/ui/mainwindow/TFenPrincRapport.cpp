// The report page (table of contents, new report, save) and closing the main window.
#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "util/Programme.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace morvix::ui {

void TFenPrinc::InitArbreRapport() {
    m_arbreRapport->clear();
    auto *racine = new QTreeWidgetItem(m_arbreRapport);
    racine->setText(0, Tr("Table des matières"));
}

void TFenPrinc::EntreeAjoutee(int32_t index, const std::string &titre) {
    QTreeWidgetItem *racine = m_arbreRapport->topLevelItem(0);
    if (racine == nullptr) {
        InitArbreRapport();
        racine = m_arbreRapport->topLevelItem(0);
    }
    auto *noeud = new QTreeWidgetItem(racine);
    noeud->setText(0, DeCp1252(titre));
    noeud->setData(0, Qt::UserRole, index);
    m_arbreRapport->expandAll();
}

bool TFenPrinc::SauveRapportSous() {
    if (!m_rapport) {
        return false;
    }
    const QString dossier = Interactions().choisitDossier(
        this, Tr("Répertoire de destination du rapport.\nUn Sous répertoire sera créé."));
    if (dossier.isEmpty()) {
        return false;
    }
    if (!m_rapport->Sauve(CheminNatif(dossier))) {
        Message(this, QMessageBox::Warning, Tr("Morvix3"),
                QString::fromStdString(m_rapport->Erreur()), QMessageBox::Ok);
        return false;
    }
    return true;
}

void TFenPrinc::BtnSauvRapportClick() {
    if (m_rapport && !m_rapport->Fichiers().empty()) {
        SauveRapportSous();
    }
}

void TFenPrinc::BtnNouvRapClick() {
    // Without a base there is neither a report to keep nor a base to build one on.
    if (!m_base) {
        return;
    }
    const auto reponse = Message(this, QMessageBox::Question, Tr("Confirmation"),
                                 Tr("Voulez-vous enregistrer\nle rapport en cours?"),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (reponse == QMessageBox::Cancel) {
        return;
    }
    if (reponse == QMessageBox::Yes && m_rapport && !m_rapport->Fichiers().empty() &&
        !SauveRapportSous()) {
        // The report was not saved: keep it rather than lose its entries.
        return;
    }
    m_rapport.reset();
    InitArbreRapport();
    m_rapport = std::make_unique<morvix::Rapport>(static_cast<RapportArbre *>(this), m_base.get());
    m_btnSauvRapport->setEnabled(true);
}

void TFenPrinc::closeEvent(QCloseEvent *event) {
    if (m_taches.Occupe()) {
        // A flow waits for the job on the stack: stop the job, close once it has returned.
        m_fermerApresTache = true;
        m_taches.Annule();
        event->ignore();
        return;
    }
    if (m_rapport && !m_rapport->Enregistre()) {
        const auto reponse = Message(this, QMessageBox::Question, Tr("Morvix3"),
                                     Tr("Le rapport a été modifié.\nVoulez-vous le sauvegarder ?"),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (reponse == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (reponse == QMessageBox::Yes && !m_rapport->Sauve(DossierProgramme() + "RAPPORT")) {
            // A report that could not be written is not thrown away.
            Message(this, QMessageBox::Warning, Tr("Morvix3"),
                    QString::fromStdString(m_rapport->Erreur()), QMessageBox::Ok);
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace morvix::ui
