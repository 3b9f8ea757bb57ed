// The specificity lists: the "Spécifs" flow and its labels, positives and negatives, the
// "***" limits, the drag and the pastille, the pages and their numbering, and the list of
// section specificities; the parameter dialogs' ranges.
#include "PartitionsUiSupport.h"

#include "OuvertureFenetres.h"
#include "Pastille.h"
#include "base/charg1.h"
#include "mainwindow/DragObjects.h"
#include "partitions/BoitesParamSpec.h"
#include "partitions/ModeleSpecGrp.h"
#include "partitions/PagesPartition.h"
#include "partitions/Partition.h"
#include "partitions/TFenParamSpec.h"
#include "partitions/TFenSpecGrp.h"
#include "report/Rapport.h"

#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace morvix;

namespace {

// The list window docked last in the main window's left page control.
ui::TFenSpecGrp *derniereListe(ui::TFenPrinc &fen) {
    return qobject_cast<ui::TFenSpecGrp *>(
        fen.ListesGauche()->widget(fen.ListesGauche()->count() - 1));
}

std::string sansCr(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

} // namespace

class TestFenSpecGrp : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    QString m_base;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = QString::fromStdString(m_dir->path() + "/" +
                                        test::buildBase("parts", test::texteQuatreParties()));
    }
    void cleanupTestCase() { m_dir.reset(); }

    // Parts a0, a1, a3 ticked and a1 selected: the reference lists every ticked part, the
    // target the selected one, each label followed by ", ". The boxes show their defaults
    // and go into the partition; the list is the PrimSpec's, by decreasing coefficient.
    void specifsEtLibelles() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        Partition &p = f->LaPartition();
        p.Cochee[2] = false;
        p.Selec[1] = true;
        p.Seuil = 20;
        int32_t vuSeuil = -1, vuMax = -1;
        u.dialogue = [&](QDialog &d) {
            auto *dialogue = qobject_cast<ui::TFenParamSpec *>(&d);
            vuSeuil = dialogue->Boites()->Seuil();
            vuMax = dialogue->Boites()->EdFrqMin()->maximum();
            dialogue->Boites()->EdFrqMin()->setValue(2);
            dialogue->accept();
            return dialogue->result();
        };
        f->BtnSpecifsClick();
        fen.Taches().Attend();
        QCOMPARE(vuSeuil, 5);
        QCOMPARE(vuMax, fen.Base()->Fmax());
        QCOMPARE(p.Seuil, 5);
        QCOMPARE(p.FrqMin, 2);
        ui::TFenSpecGrp *liste = derniereListe(fen);
        QVERIFY(liste != nullptr);
        QCOMPARE(fen.ListesGauche()->currentWidget(), liste);
        QCOMPARE(liste->windowTitle(), QStringLiteral("Spécifs - Part : t"));
        QCOMPARE(liste->LbCorpRef()->text(), QStringLiteral("Corpus de référence : a0, a1, a3, "));
        QCOMPARE(liste->LbParties()->text(), QStringLiteral("Parties sélectionnées : a1, "));
        QCOMPARE(liste->LbCorpRef()->toolTip(),
                 QStringLiteral("Corpus de référence : \na0, a1, a3, \nParties sélectionnées : "
                                "\na1, "));
        QCOMPARE(liste->LbParties()->toolTip(), liste->LbCorpRef()->toolTip());

        PrimSpec attendu(p, 1);
        attendu.Calcule();
        QCOMPARE(liste->Resultats().size(), attendu.Resultats().size());
        QVERIFY(!liste->Resultats().empty());
        QCOMPARE(liste->Resultats()[0].Code, attendu.Resultats()[0].Code);
        QCOMPARE(liste->Modele()->index(0, ui::ModeleSpecGrp::ColTerme).data().toString(),
                 QStringLiteral("beta"));
        // The selected parts share the parts' colour.
        QCOMPARE(liste->CouleurPastille(), kCouleurPartieDefaut);
    }

    // "négatives" shows the most negative first; the list shows -49 and 49 and saturates
    // -50 and 50; its page keeps the decreasing order and saturates only beyond ±50; the
    // first two pages of a report are spf0 and spf1, titled (1) and (2).
    void ordreLimitesEtPages() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        const charg1 &b = *fen.Base();
        const int32_t alpha = b.LocFormDic("alpha", true), beta = b.LocFormDic("beta", true),
                      gamma = b.LocFormDic("gamma", true), delta = b.LocFormDic("delta", true),
                      commun = b.LocFormDic("commun", true);
        std::vector<ResSpec> res = {{alpha, 30, 30, 50},
                                    {beta, 30, 30, 49},
                                    {gamma, 30, 2, -49},
                                    {delta, 30, 1, -50},
                                    {commun, 4, 0, -51}};
        ui::OuvreSpecSections(fen, b, res, QStringLiteral("3 sections"));
        ui::TFenSpecGrp *liste = derniereListe(fen);
        QVERIFY(liste != nullptr);
        QCOMPARE(liste->windowTitle(), QStringLiteral("Spécifs - Sections"));
        QCOMPARE(liste->LbCorpRef()->text(), QStringLiteral("3 sections"));
        QCOMPARE(liste->CouleurPastille(), 0u);
        const ui::ModeleSpecGrp &m = *liste->Modele();
        auto texte = [&](int ligne, int colonne) {
            return m.index(ligne, colonne).data().toString();
        };
        const QStringList specif = {QStringLiteral("***"), QStringLiteral("49"),
                                    QStringLiteral("-49"), QStringLiteral("***"),
                                    QStringLiteral("***")};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(texte(i, ui::ModeleSpecGrp::ColSpecif), specif[i]);
        }
        QCOMPARE(texte(2, ui::ModeleSpecGrp::ColFrqPartie), QStringLiteral("2"));
        QTest::mouseClick(liste->RbNegatives(), Qt::LeftButton);
        QCOMPARE(texte(0, ui::ModeleSpecGrp::ColTerme), QStringLiteral("commun"));
        QCOMPARE(texte(4, ui::ModeleSpecGrp::ColTerme), QStringLiteral("alpha"));

        // The drag carries the selected rows' codes, in list order, and the pastille colour.
        u.couleur = QColor(0, 128, 0);
        QTest::mouseClick(liste->ShPastille(), Qt::LeftButton);
        QCOMPARE(u.couleursDemandees, 1);
        QCOMPARE(liste->CouleurPastille(), 0x008000u);
        std::unique_ptr<QMimeData> drag(m.mimeData({m.index(3, 0), m.index(1, 2), m.index(1, 0)}));
        auto *groupe = ui::GroupeDeplace(drag.get());
        QVERIFY(groupe != nullptr);
        QCOMPARE(groupe->Codes, (std::vector<int32_t>{delta, beta}));
        QCOMPARE(groupe->Couleur, 0x008000u);
        QVERIFY(groupe->Nom.empty());
        QVERIFY(m.mimeData({}) == nullptr);

        Rapport &rapport = *fen.RapportCourant();
        QVERIFY(liste->AjouteRapport());
        QVERIFY(liste->AjouteRapport());
        QCOMPARE(rapport.Fichiers(), (std::vector<std::string>{"spf0.html", "spf1.html"}));
        QCOMPARE(rapport.Entrees()[0].titre, std::string("Sp\xe9"
                                                         "cifs - Sections (1)"));
        QCOMPARE(rapport.Entrees()[1].titre, std::string("Sp\xe9"
                                                         "cifs - Sections (2)"));
        const std::string page = sansCr(test::readFile(rapport.Dossier() + "spf0.html"));
        QVERIFY(page.find("Partition =") == std::string::npos);
        QVERIFY(page.find("<tr><td>alpha<td align=right>30<td align=right>30<td "
                          "align=right>50\n<tr><td>beta") != std::string::npos);
        QVERIFY(page.find("<td align=right>-50\n<tr><td>commun<td align=right>4<td "
                          "align=right>0<td align=right>***\n") != std::string::npos);
    }

    // The window of a list can be closed and the base replaced: nothing it kept is used
    // afterwards.
    void fermeture() {
        test::Utilisateur u;
        ui::TFenPrinc fen;
        QVERIFY(fen.OuvreBase(m_base));
        ui::TFenStatPart *f = test::ouvrePartition(fen, u, QStringLiteral("t"));
        f->LaPartition().Selec[0] = true;
        u.dialogue = [](QDialog &d) {
            d.accept();
            return static_cast<int>(QDialog::Accepted);
        };
        f->BtnSpecifsClick();
        fen.Taches().Attend();
        const int pages = fen.ListesGauche()->count();
        derniereListe(fen)->close();
        QTRY_COMPARE(fen.ListesGauche()->count(), pages - 1);
        QVERIFY(fen.OuvreBase(m_base));
        QCOMPARE(test::fenetresPartition(fen).size(), 0);
    }
};

MORVIX_TEST_FENETRE(TestFenSpecGrp)
#include "TestFenSpecGrp.moc"
