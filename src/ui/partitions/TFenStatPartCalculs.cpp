// The partition window's computations and the windows it opens: the per-part table, the
// specificity list, the specific increments and chronological specificities, the
// clustering program, and its report pages.
#include "partitions/TFenStatPart.h"

#include "ExecuteurTaches.h"
#include "Interaction.h"
#include "OuvertureFenetres.h"
#include "Texte.h"
#include "Traduction.h"
#include "afc/LanceAfc.h"
#include "base/charg1.h"
#include "mainwindow/TFenPrinc.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/CalcSpecTot.h"
#include "partitions/ModeleChrono.h"
#include "partitions/ModelePCLC.h"
#include "partitions/PagesPartition.h"
#include "partitions/PagesRapport.h"
#include "partitions/Partition.h"
#include "partitions/TFenParamSpec.h"
#include "partitions/TFenParamSpecDiac.h"
#include "partitions/TFenParamSpecTot.h"
#include "partitions/TFenSpecGrp.h"
#include "partitions/TextesPartition.h"
#include "report/Rapport.h"

#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QProgressBar>
#include <QSaveFile>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

namespace morvix::ui {

namespace {

// The computations call their progress about a hundred times per pass (forms, then
// segments).
constexpr int32_t kPasParPasse = 100;

int32_t nbPasses(const Partition &p) { return p.Base().SegmentStoreAttache() ? 2 : 1; }

} // namespace

template <class R>
bool TFenStatPart::lance(std::function<R(const Progression &)> travail, std::function<void(R)> fin,
                         int32_t maxGauge) {
    ExecuteurTaches &taches = m_fen.Taches();
    if (taches.Occupe()) {
        m_fen.StatusMessage(Tr("Un calcul est en cours"));
        return false;
    }
    m_cocheeVue = m_partition.Cochee;
    m_selecVue = m_partition.Selec;
    m_modelePCLC->SetDrapeaux(&m_cocheeVue, &m_selecVue);
    m_calculEnCours = true;
    QPointer<QProgressBar> gauge = m_fen.Gauge();
    const int maximum = gauge->maximum();
    gauge->setRange(0, std::max(1, maxGauge));
    gauge->setValue(0);
    auto connexion = std::make_shared<QMetaObject::Connection>();
    *connexion = connect(&taches, &ExecuteurTaches::OccupeChange, &m_fen,
                         [gauge, maximum, connexion](bool occupe) {
                             if (!occupe) {
                                 if (gauge) {
                                     gauge->setRange(0, maximum);
                                     gauge->setValue(0);
                                 }
                                 QObject::disconnect(*connexion);
                             }
                         });
    const bool lance = taches.Lance<R>(this, std::move(travail), [this, fin](R r) {
        m_calculEnCours = false;
        m_modelePCLC->SetDrapeaux(nullptr, nullptr);
        fin(std::move(r));
    });
    if (!lance) {
        QObject::disconnect(*connexion);
        gauge->setRange(0, maximum);
        m_calculEnCours = false;
        m_modelePCLC->SetDrapeaux(nullptr, nullptr);
    }
    return lance;
}

void TFenStatPart::BtnSpTotClick() {
    if (m_calculEnCours) {
        return;
    }
    TFenParamSpecTot dialogue(this);
    dialogue.Boites()->EdSeuil()->setValue(m_partition.Seuil);
    dialogue.Boites()->EdFrqMin()->setValue(m_partition.FrqMin);
    const bool tousCoches =
        std::all_of(m_partition.Cochee.begin(), m_partition.Cochee.end(), [](bool c) { return c; });
    dialogue.ChkRestreint()->setChecked(!tousCoches);
    dialogue.ChkRestreint()->setEnabled(!tousCoches);
    if (Interactions().executeDialogue(dialogue) != QDialog::Accepted) {
        return;
    }
    const bool restreint = dialogue.ChkRestreint()->isChecked();
    const int32_t seuil = dialogue.Boites()->Seuil();
    const int32_t frqMin = dialogue.Boites()->FrqMin();
    Partition *partition = &m_partition;
    m_fen.StatusMessage(Tr("Calcul des spécificités..."));
    // The flags and parameters change inside the job, where the computation reads them, and
    // are put back there too: the window may be closed meanwhile.
    lance<std::shared_ptr<TableSpec>>(
        [partition, restreint, seuil, frqMin](const Progression &p) -> std::shared_ptr<TableSpec> {
            const std::vector<bool> cochee = partition->Cochee;
            const int32_t ancienSeuil = partition->Seuil, ancienneFrq = partition->FrqMin;
            partition->Seuil = seuil;
            partition->FrqMin = frqMin;
            if (!restreint) {
                partition->Cochee.assign(static_cast<size_t>(partition->NbParties), true);
            }
            auto calcul = std::make_unique<CalcSpecTot>(*partition, p.StepIt, p.annulation);
            partition->Cochee = cochee;
            std::shared_ptr<TableSpec> table;
            if (!calcul->Annulee() && !p.Annulee()) {
                table = std::make_shared<TableSpec>(std::move(calcul), p.annulation);
            }
            if (table == nullptr || table->Interrompue() || p.Annulee()) {
                partition->Seuil = ancienSeuil;
                partition->FrqMin = ancienneFrq;
                return nullptr;
            }
            return table;
        },
        [this](std::shared_ptr<TableSpec> table) {
            if (table == nullptr) {
                m_fen.StatusMessage(Tr("Calcul des spécificités annulé"));
                return;
            }
            m_fen.StatusMessage(QString());
            installeTable(std::move(table));
        },
        nbPasses(m_partition) * kPasParPasse);
}

void TFenStatPart::BtnSpecifsClick() {
    if (m_calculEnCours) {
        return;
    }
    TFenParamSpec dialogue(this, m_partition);
    if (Interactions().executeDialogue(dialogue) != QDialog::Accepted) {
        return;
    }
    const QString reference = DeCp1252(ListeLibelles(m_partition, m_partition.Cochee));
    const QString cible = DeCp1252(ListeLibelles(m_partition, m_partition.Selec));
    const int32_t diviseur = m_fen.Settings().NbEtiqs;
    const Partition *partition = &m_partition;
    lance<std::shared_ptr<PrimSpec>>(
        [partition, diviseur](const Progression &p) -> std::shared_ptr<PrimSpec> {
            auto spec = std::make_shared<PrimSpec>(*partition, diviseur);
            spec->SetProgression(p.StepIt);
            return spec->Calcule(p.annulation) && !p.Annulee() ? spec : nullptr;
        },
        [this, reference, cible](std::shared_ptr<PrimSpec> spec) {
            if (spec == nullptr) {
                m_fen.StatusMessage(Tr("Calcul des spécificités annulé"));
                return;
            }
            auto *liste = new TFenSpecGrp(m_fen, std::make_unique<PrimSpec>(std::move(*spec)));
            const QString ref = Tr("Corpus de référence : ");
            const QString parties = Tr("Parties sélectionnées : ");
            liste->SetEntetes(ref + reference, parties + cible,
                              ref + QLatin1Char('\n') + reference + QLatin1Char('\n') + parties +
                                  QLatin1Char('\n') + cible);
            liste->Montre();
        },
        nbPasses(m_partition) * kPasParPasse);
}

void TFenStatPart::BtnSpDiacClick() {
    if (m_calculEnCours) {
        return;
    }
    if (std::none_of(m_partition.Selec.begin(), m_partition.Selec.end(),
                     [](bool s) { return s; }) &&
        m_partition.NbParties > 0) {
        m_partition.Selec[0] = true;
        m_modelePCLC->Actualise();
    }
    TFenParamSpecDiac dialogue(this, m_partition);
    if (Interactions().executeDialogue(dialogue) != QDialog::Accepted) {
        return;
    }
    const bool accroissements = dialogue.ChkAccroissements()->isChecked();
    const bool chrono = dialogue.ChkChrono()->isChecked();
    if (!accroissements && !chrono) {
        return;
    }
    const int32_t seuil = dialogue.Boites()->Seuil();
    const int32_t frqMin = dialogue.Boites()->FrqMin();
    struct Diachronie {
        Accroissements acc;
        bool accDemandes = false;
        std::shared_ptr<PrimSpecChr> chrono;
        bool annule = false;
    };
    Partition *partition = &m_partition;
    lance<std::shared_ptr<Diachronie>>(
        [partition, accroissements, chrono, seuil, frqMin](const Progression &p) {
            auto d = std::make_shared<Diachronie>();
            const int32_t ancienSeuil = partition->Seuil, ancienneFrq = partition->FrqMin;
            if (accroissements) {
                d->accDemandes = true;
                d->acc =
                    AccroissementsSpecifiques(*partition, seuil, frqMin, p.StepIt, p.annulation);
            }
            if (chrono && !p.Annulee()) {
                d->chrono = std::make_shared<PrimSpecChr>(*partition, seuil, frqMin);
                d->chrono->Calcule(p.StepIt, p.annulation);
            }
            if (p.Annulee()) {
                partition->Seuil = ancienSeuil;
                partition->FrqMin = ancienneFrq;
                d->annule = true;
            }
            return d;
        },
        [this](std::shared_ptr<Diachronie> d) {
            if (d->annule) {
                m_fen.StatusMessage(Tr("Calcul des spécificités annulé"));
                return;
            }
            m_fen.StatusMessage(QString());
            if (d->acc.Spec) {
                auto *liste = new TFenSpecGrp(m_fen, std::move(d->acc.Spec));
                liste->SetEntetes(Tr("Partie : ") + DeCp1252(m_partition.Libelle(d->acc.Partie)),
                                  QString());
                liste->setWindowTitle(
                    Tr("Spécifs évolutives - ") +
                    DeCp1252(m_partition.Base().RetourneGraphie(m_partition.Cle, false)));
                liste->Montre();
            } else if (d->accDemandes) {
                m_fen.StatusMessage(
                    Tr("Accroissements spécifiques : aucune partie n'est à la fois cochée et "
                       "sélectionnée"));
            }
            if (d->chrono) {
                m_modeleChrono->SetChrono(nullptr);
                m_chrono = std::make_unique<PrimSpecChr>(std::move(*d->chrono));
                m_ordreChrono = -1;
                m_modeleChrono->SetChrono(m_chrono.get());
                if (m_chrono->NbResultats() > 0) {
                    montrePage(m_pageChrono);
                }
            }
        },
        ((accroissements ? 1 : 0) + (chrono ? 1 : 0)) * nbPasses(m_partition) * kPasParPasse);
}

void TFenStatPart::BtnCAHClick() {
    lance<std::shared_ptr<ResultatLanceCah>>(
        [](const Progression &p) {
            return std::make_shared<ResultatLanceCah>(
                LanceCah(DossierEchangeAfc(), std::string(), p.annulation));
        },
        [this](std::shared_ptr<ResultatLanceCah> r) {
            if (r->Annule) {
                m_fen.StatusMessage(Tr("Classification annulée"));
                return;
            }
            m_fen.StatusMessage(r->Ok ? Tr("Classification écrite dans ") + DeCheminNatif(r->Cah)
                                      : Tr("La classification n'a pas pu être faite : ") +
                                            QString::fromStdString(r->Detail));
        },
        1);
}

void TFenStatPart::BtnAFCClick() { OuvreAFC(m_fen, m_partition); }

void TFenStatPart::BtnParetoClick() { OuvrePareto(m_fen, m_partition); }

void TFenStatPart::BtnAccVocClick() { OuvreAccroissementVocabulaire(m_fen, m_partition); }

bool TFenStatPart::AjouteRapport() {
    Rapport *rapport = m_fen.RapportCourant();
    if (rapport == nullptr || m_calculEnCours) {
        return false;
    }
    const std::string titre = VersCp1252(windowTitle());
    const std::string cle = m_partition.Base().RetourneGraphie(m_partition.Cle, false);
    if (m_pages->currentWidget() == m_pagePCLC) {
        return EnregistrePage(this, *rapport, NomLibre(*rapport, "pclc" + cle, ".html"),
                              morvix::PagePCLC(m_partition, titre), titre);
    }
    if (m_table == nullptr) {
        return false;
    }
    // A table of every form and segment by many parts makes a page of hundreds of
    // megabytes: written piece by piece on the job runner, through a temporary file, and
    // registered once it is complete.
    std::shared_ptr<const TableSpec> table = m_table;
    const std::string fichier = NomLibre(*rapport, "tfg" + cle, ".html");
    const std::string dossier = rapport->Dossier();
    const QString chemin = DeCheminNatif(dossier + fichier);
    return lance<bool>(
        [table, titre, chemin](const Progression &p) {
            QSaveFile sortie(chemin);
            if (!sortie.open(QIODevice::WriteOnly)) {
                return false;
            }
            std::string tampon;
            const bool complete =
                morvix::PageTableSpec(*table, titre, [&](std::string_view morceau) {
                    if (p.Annulee()) {
                        return false;
                    }
                    tampon.clear();
                    for (char c : morceau) {
                        if (c == '\n') {
                            tampon += '\r';
                        }
                        tampon += c;
                    }
                    return sortie.write(tampon.data(), static_cast<qint64>(tampon.size())) ==
                           static_cast<qint64>(tampon.size());
                });
            if (!complete) {
                sortie.cancelWriting();
                return false;
            }
            return sortie.commit();
        },
        [this, fichier, dossier, titre, chemin](bool ecrite) {
            Rapport *r = m_fen.RapportCourant();
            if (ecrite && r != nullptr && r->Dossier() == dossier &&
                r->AjouteEntree(titre, fichier, " ")) {
                return;
            }
            QFile::remove(chemin);
            if (!m_fen.Taches().DerniereAnnulee() && r != nullptr && r->Dossier() == dossier) {
                Message(this, QMessageBox::Warning, Tr("Morvix3"),
                        Tr("La page %1 n'a pas pu être écrite dans le rapport : %2")
                            .arg(chemin, Tr("écriture impossible")),
                        QMessageBox::Ok);
            }
        },
        1);
}

} // namespace morvix::ui
