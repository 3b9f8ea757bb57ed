// The main window's command that computes the repeated segments and opens their list.
#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "segments/SegRep.h"
#include "segments/TFenPrepSR.h"
#include "segments/TfrmSR.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTabWidget>

namespace morvix::ui {

bool TFenPrinc::BtnSRDisponible() { return true; }

void TFenPrinc::BtnSRClick() {
    if (!m_base) {
        return;
    }
    TFenPrepSR dialogue(*m_base, this);
    const QSize taille = dialogue.sizeHint().expandedTo(dialogue.minimumSize());
    dialogue.move(
        mapToGlobal(QPoint((width() - taille.width()) / 2, (height() - taille.height()) / 2)));
    if (dialogue.exec() != QDialog::Accepted) {
        return;
    }
    const std::set<int32_t> delims = dialogue.Delimiteurs();
    const int32_t seuilFormes = dialogue.SeuilFormes();
    const int32_t seuilSegments = dialogue.SeuilSegments();

    StatusMessage(Tr("Calcul des segments répétés"));
    m_gauge->setValue(0);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const charg1 *base = m_base.get();
    // The new store is computed beside the attached one, which stays in use (and its files
    // in place) until the new one has succeeded.
    const bool lance = m_taches.Lance<std::unique_ptr<SegRep>>(
        this,
        [base, delims, seuilFormes, seuilSegments](const Progression &p) {
            auto store = std::make_unique<SegRep>(base, delims);
            store->AttribGauge(p.StepBy2);
            store->CalcSegRep(seuilFormes, seuilSegments, p.annulation);
            store->AttribGauge({});
            return store;
        },
        [this](std::unique_ptr<SegRep> store) {
            QGuiApplication::restoreOverrideCursor();
            StatusMessage(QString());
            m_gauge->setValue(0);
            if (store->Annule()) {
                StatusMessage(Tr("Calcul des segments répétés annulé"));
                return;
            }
            if (!store->Erreur().empty()) {
                Message(this, QMessageBox::Warning, Tr("Morvix3"),
                        QString::fromStdString(store->Erreur()), QMessageBox::Ok);
                return;
            }
            if (store->Segs.empty()) {
                Message(this, QMessageBox::Information, Tr("Morvix3"), Tr("Aucun segment trouvé!"),
                        QMessageBox::Ok);
                return;
            }
            // The lists of the previous store go with it.
            for (TfrmSR *liste : findChildren<TfrmSR *>()) {
                // A list taken out of the left panel lives in a frame of its own.
                if (auto *cadre = qobject_cast<QMdiSubWindow *>(liste->parentWidget())) {
                    delete cadre;
                } else {
                    delete liste;
                }
            }
            m_base->AssigneSR(store.get());
            m_segRep = std::move(store);
            auto *liste = new TfrmSR(*m_base, *m_segRep, [this] { return m_rapport.get(); });
            Docke(liste);
            m_listesGauche->setCurrentWidget(liste);
        });
    if (!lance) {
        QGuiApplication::restoreOverrideCursor();
        StatusMessage(Tr("Un calcul est en cours"));
    }
}

} // namespace morvix::ui
