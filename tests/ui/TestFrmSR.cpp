// The repeated-segment dialog and list, and the main window's command that links them.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "Pastille.h"
#include "base/charg1.h"
#include "concordance/TFenConcor.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/TFenPrinc.h"
#include "report/Rapport.h"
#include "segments/ModeleSR.h"
#include "segments/SegRep.h"
#include "segments/TFenPrepSR.h"
#include "segments/TfrmSR.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <memory>

using namespace morvix;

namespace {

// "le" 6 times, the highest frequency.
const char *kTexte = "<a=x> le chat dort . le chat mange , le chien dort .\n<a=y> le chat dort ! "
                     "un chat dort . le loup , le loup .\n";

std::set<int32_t> ponctuation(const charg1 &b) {
    std::set<int32_t> s;
    for (int32_t c = b.Nbform(); c < b.Nbform() + b.Nbartponct(); ++c) {
        s.insert(c);
    }
    return s;
}

QList<int> colonne(const ui::ModeleSR &m, int col) {
    QList<int> v;
    for (int i = 0; i < m.rowCount(); ++i) {
        v << m.index(i, col).data().toInt();
    }
    return v;
}

// Confirms the next segment dialog once it is shown, with thresholds of 2 unless told.
void accepteDialogue(int seuil = 2) {
    QTimer::singleShot(0, [seuil] {
        if (auto *d = qobject_cast<ui::TFenPrepSR *>(QApplication::activeModalWidget())) {
            if (seuil > 0) {
                d->EditForme()->setValue(seuil);
                d->EditSR()->setValue(seuil);
            }
            d->accept();
        }
    });
}

} // namespace

class TestFrmSR : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<SegRep> m_store;
    std::unique_ptr<Rapport> m_rapport;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        ::setenv("TEMP", m_dir->path().c_str(), 1);
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("sr", test::cp(kTexte))), 0);
        m_store = std::make_unique<SegRep>(m_base.get(), ponctuation(*m_base));
        QVERIFY(m_store->CalcSegRep(2, 2));
        QVERIFY(m_store->NbSegments() >= 4);
        m_base->AssigneSR(m_store.get());
        m_rapport = std::make_unique<Rapport>(nullptr, m_base.get());
    }
    void cleanupTestCase() {
        m_rapport.reset();
        m_base->AssigneSR(nullptr);
        m_store.reset();
        m_base.reset();
        m_dir.reset();
    }

    // Thresholds never above the highest frequency; every sign and key type ticked.
    void dialogue() {
        ui::TFenPrepSR d(*m_base);
        QCOMPARE(d.windowTitle(), QStringLiteral("Paramétrage du calcul des segments répétés"));
        QCOMPARE(m_base->Fmax(), 6);
        for (QSpinBox *spin : {d.EditForme(), d.EditSR()}) {
            QCOMPARE(spin->value(), 6);
            QCOMPARE(spin->maximum(), 6);
        }
        QVERIFY(d.EditForme()->isHidden());
        QCOMPARE(d.ListDelims()->count(), m_base->Nbartponct());
        QCOMPARE(d.ListCles()->count(), m_base->Nbcle());
        const int32_t cle = m_base->Nbform() + m_base->Nbartponct();
        QVERIFY(d.Delimiteurs().count(cle) == 1);
        d.ListDelims()->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(d.Delimiteurs().count(m_base->Nbform()) == 0);
        QCOMPARE(d.Delimiteurs().size(), size_t(m_base->Nbartponct() - 1 + m_base->Nbcle()));
    }

    // Each column gives one order (not a toggle); rows show length, text and frequency.
    void tris() {
        ui::TfrmSR fen(*m_base, *m_store, [this] { return m_rapport.get(); });
        QCOMPARE(fen.windowTitle(), QStringLiteral("Segments répétés"));
        ui::ModeleSR &m = *fen.Modele();
        QCOMPARE(m.rowCount(), m_store->NbSegments());
        QCOMPARE(m.index(0, 1).data().toString(),
                 QString::fromLatin1(m_store->RetourneGraphie(0).c_str()));
        QCOMPARE(m.index(0, 0).data().toInt(), int(m_store->Segs[0].Formes.size()));
        QCOMPARE(m.Code(0), m_base->Nbart() + 1);

        fen.ListSRColumnClick(ui::ModeleSR::ColFrq);
        const QList<int> frq = colonne(m, ui::ModeleSR::ColFrq);
        QVERIFY(std::is_sorted(frq.rbegin(), frq.rend()));
        QList<int> lignes;
        for (int i = 0; i < m.rowCount(); ++i) {
            lignes << m.Segment(i);
        }
        fen.ListSRColumnClick(ui::ModeleSR::ColFrq);
        for (int i = 0; i < m.rowCount(); ++i) {
            QCOMPARE(m.Segment(i), lignes[i]);
        }
        fen.ListSRColumnClick(ui::ModeleSR::ColLg);
        const QList<int> lg = colonne(m, ui::ModeleSR::ColLg);
        QVERIFY(std::is_sorted(lg.begin(), lg.end()));
        fen.ListSRColumnClick(ui::ModeleSR::ColSegment);
        for (int i = 1; i < m.rowCount(); ++i) {
            QVERIFY(m_store->ComparAlpha(m_store->Segs[size_t(m.Segment(i - 1))],
                                         m_store->Segs[size_t(m.Segment(i))]) < 0);
        }
    }

    // A drag carries the selected rows' codes in row order and the chip's colour.
    void glisser() {
        ui::TfrmSR fen(*m_base, *m_store, [this] { return m_rapport.get(); });
        fen.ListSRColumnClick(ui::ModeleSR::ColFrq);
        ui::ModeleSR &m = *fen.Modele();
        QModelIndexList choisis{m.index(3, 1), m.index(0, 0), m.index(2, 2)};
        std::unique_ptr<QMimeData> data(m.mimeData(choisis));
        const ui::TTgenDragObject *drag = ui::GroupeDeplace(data.get());
        QVERIFY(drag != nullptr);
        QCOMPARE(drag->Codes, (std::vector<int32_t>{m.Code(0), m.Code(2), m.Code(3)}));
        QCOMPARE(drag->Couleur, ui::kSansCouleur);
        QVERIFY(drag->Nom.empty());

        test::Utilisateur utilisateur;
        utilisateur.couleur = QColor(255, 0, 0);
        QTest::mousePress(fen.ShPastille(), Qt::LeftButton);
        QTest::mouseRelease(fen.ShPastille(), Qt::LeftButton);
        QCOMPARE(utilisateur.couleursDemandees, 1);
        QCOMPARE(fen.CouleurPastille(), 0x0000FFu);
        std::unique_ptr<QMimeData> rouge(m.mimeData({m.index(1, 0)}));
        QCOMPARE(ui::GroupeDeplace(rouge.get())->Couleur, 0x0000FFu);
        utilisateur.couleur.reset();
        QTest::mousePress(fen.ShPastille(), Qt::LeftButton);
        QTest::mouseRelease(fen.ShPastille(), Qt::LeftButton);
        QCOMPARE(fen.CouleurPastille(), 0x0000FFu); // cancelled: unchanged
    }

    // The page lists the store in its own order whatever the list's sort; a second page
    // does not replace the first.
    void pagesDuRapport() {
        ui::TfrmSR fen(*m_base, *m_store, [this] { return m_rapport.get(); });
        QCOMPARE(fen.SpdBtnRap()->accessibleName(), QStringLiteral("Ajouter au rapport"));
        fen.ListSRColumnClick(ui::ModeleSR::ColFrq);
        fen.SpdBtnRap()->click();
        fen.ListSRColumnClick(ui::ModeleSR::ColLg);
        QVERIFY(fen.SpdBtnRapClick());
        QCOMPARE(m_rapport->Fichiers(), (std::vector<std::string>{"sr.html", "sr2.html"}));
        QCOMPARE(m_rapport->Entrees()[0].titre, test::cp("Segments répétés"));
        const std::string page = test::readFile(m_rapport->Dossier() + "sr.html");
        size_t dernier = 0;
        for (int32_t k = 0; k < m_store->NbSegments(); ++k) {
            const size_t ici = page.find("<td>" + m_store->RetourneGraphie(k) + "<td", dernier);
            QVERIFY2(ici != std::string::npos, m_store->RetourneGraphie(k).c_str());
            dernier = ici;
        }
    }

    // The command: dialog, computation on the runner, the list docked on the left; a second
    // computation replaces the store and its list; the concordance command opens its window.
    void commande() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        const std::string par = dir.path() + "/" + test::buildBase("cmd", test::cp(kTexte));
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(QString::fromStdString(par)));
        QVERIFY(fen.Bouton("BtnSR")->isEnabled());
        QVERIFY(fen.Bouton("BtnDocu")->isEnabled());
        QVERIFY(fen.SegmentsRepetes() == nullptr);

        // The thresholds offered (6, the highest frequency) find nothing: said, no store.
        accepteDialogue(0);
        fen.BtnSRClick();
        fen.Taches().Attend();
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        QCOMPARE(utilisateur.messages[0].texte, QStringLiteral("Aucun segment trouvé!"));
        QVERIFY(fen.SegmentsRepetes() == nullptr);
        utilisateur.messages.clear();

        accepteDialogue();
        fen.BtnSRClick();
        fen.Taches().Attend();
        QVERIFY(fen.SegmentsRepetes() != nullptr);
        QCOMPARE(fen.Base()->NbFormSup(), fen.SegmentsRepetes()->NbSegments());
        auto listes = fen.findChildren<ui::TfrmSR *>();
        QCOMPARE(listes.size(), 1);
        QCOMPARE(fen.ListesGauche()->currentWidget(), listes[0]);
        QVERIFY(test::fileExists(dir.path() + "/cmd.loc.sr"));

        // The list taken out of the panel goes with its store, frame included.
        QMdiSubWindow *cadreListe = fen.AjouteEnfant(listes[0]);
        const auto nbCadres = fen.Mdi()->subWindowList().size();
        accepteDialogue();
        fen.BtnSRClick();
        fen.Taches().Attend();
        QCOMPARE(fen.Mdi()->subWindowList().size(), nbCadres - 1);
        QVERIFY(!fen.Mdi()->subWindowList().contains(cadreListe));
        listes = fen.findChildren<ui::TfrmSR *>();
        QCOMPARE(listes.size(), 1);
        QCOMPARE(&listes[0]->Store(), fen.SegmentsRepetes());
        QVERIFY(utilisateur.messages.empty());

        const auto avant = fen.Mdi()->subWindowList().size();
        fen.BtnDocuClick();
        QCOMPARE(fen.Mdi()->subWindowList().size(), avant + 1);
        QMdiSubWindow *cadre = fen.Mdi()->subWindowList().back();
        QVERIFY(qobject_cast<ui::TFenConcor *>(cadre->widget()) != nullptr);
        QVERIFY(cadre->isMaximized());
    }
};

MORVIX_TEST_FENETRE(TestFrmSR)
#include "TestFrmSR.moc"
