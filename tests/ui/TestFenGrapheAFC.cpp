// The correspondence analysis from the windows: the dialog's fields, a run of the analysis
// program ending in a map or in the factor file's message, and the factorial map: axis
// lists, clicks, rubber band, colours, hover text, label modes, the factor table, report
// images and the SVG picture.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "GrilleCouleurs.h"
#include "VueGraphique.h"
#include "afc/AnalyseAfc.h"
#include "afc/ModeleFacteurs.h"
#include "afc/TFenGrapheAFC.h"
#include "afc/TFenParamAFC.h"
#include "afc/TListePoints.h"
#include "afc/VueCarteAFC.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"

#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QXmlStreamReader>

#include <sys/stat.h>

#include <memory>

using namespace morvix;

namespace {

// Four parts with different profiles; "de" everywhere.
std::string texte() {
    std::string t;
    const char *mots[] = {"chat", "chien", "loup", "renard"};
    for (int p = 0; p < 4; ++p) {
        t += "<t=p" + std::to_string(p) + ">\n";
        for (int i = 0; i < 60; ++i)
            t += std::string("de ") + mots[(p + i % 3) % 4] + " " + mots[p] + " ";
        t += "\n";
    }
    return t;
}

// Factors of 4 parts on 3 factors, written as the analysis program writes them.
const char *kFacteurs = "4 3\n"
                        "1 0 250 120 -100 -20 5 300 10 1 0.8 0.15 0.05\n"
                        "1 1 250 80 200 40 0 500 200 0 0.6 0.4 0\n"
                        "1 2 250 10 50 -60 7 100 300 0 0.3 0.7 0\n"
                        "1 3 250 10 -120 60 -7 100 490 999 0.3 0.7 0\n";

} // namespace

class TestFenGrapheAFC : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<Partition> m_partition;

    std::unique_ptr<ui::TFenGrapheAFC> carte(ui::ServicesAfc services = {},
                                             std::vector<int64_t> vp = {500000, 300000, 0}) {
        test::writeFile("f.txt", kFacteurs);
        auto points = std::make_unique<TListePoints>("f.txt", 4);
        if (!points->Valide())
            qFatal("%s", points->Erreur().c_str());
        auto fen = std::make_unique<ui::TFenGrapheAFC>(*m_partition, std::move(points),
                                                       std::move(vp), std::move(services));
        fen->setAttribute(Qt::WA_DeleteOnClose, false);
        fen->resize(700, 500);
        fen->show();
        QCoreApplication::processEvents();
        return fen;
    }
    static QPoint dans(const ui::TFenGrapheAFC &fen, int partie) {
        const Boite &b = fen.Carte()->Carte().Boites()[static_cast<size_t>(partie)];
        return {b.x + 2, b.y + 2};
    }
    void remetMarques() {
        m_partition->Selec.assign(4, false);
        m_partition->Cochee.assign(4, true);
        m_partition->Couleurs.assign(4, kCouleurPartieDefaut);
    }

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        qputenv("TEMP", QByteArray::fromStdString(m_dir->path()));
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("afc", texte())), 0);
        m_partition = std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "t"));
        QCOMPARE(m_partition->NbParties, 4);
    }
    void cleanupTestCase() {
        m_partition.reset();
        m_base.reset();
        m_dir.reset();
    }
    void init() { remetMarques(); }

    // The dialog's fields; the minimum frequency is the partition's and sets NI; a typed
    // NI that is not a number keeps the dialog open with the message.
    void dialogue() {
        test::Utilisateur u;
        m_partition->Cochee[1] = false;
        ui::TFenParamAFC d(*m_partition);
        QCOMPARE(d.windowTitle(), QStringLiteral("Paramètrage de l'AFC"));
        QCOMPARE(d.EdTitre()->text(), QStringLiteral("afc : t"));
        QCOMPARE(d.EdNJ()->text(), QStringLiteral("4"));
        QCOMPARE(d.EdNF()->text(), QStringLiteral("3"));
        QCOMPARE(d.EdNI2()->text(), QStringLiteral("0"));
        QCOMPARE(d.EdNJ2()->text(), QStringLiteral("1"));
        QCOMPARE(d.CSpinEdit1()->value(), 10);
        QCOMPARE(d.CSpinEdit1()->maximum(), m_base->Fmax());
        QCOMPARE(m_partition->FrqMin, 10);
        QCOMPARE(d.EdNI()->text().toInt(), NbFormesAuMoins(*m_base, 10));
        d.CSpinEdit1()->setValue(100);
        QCOMPARE(m_partition->FrqMin, 100);
        QCOMPARE(d.EdNI()->text().toInt(), NbFormesAuMoins(*m_base, 100));

        d.SetMode(1);
        d.EdNI()->setText(QStringLiteral("douze"));
        QVERIFY(!d.Verifie());
        QCOMPARE(u.messages.size(), 1u);
        QVERIFY(u.messages[0].texte.startsWith(QStringLiteral("Vérifiez vos paramètres")));
        d.EdNI()->setText(QStringLiteral("3"));
        QVERIFY(d.Verifie());
        QCOMPARE(d.Parametres().NI, 3);
        QCOMPARE(d.Parametres().NF, 3);
        QCOMPARE(d.Parametres().Mode, 1);
        QCOMPARE(d.Parametres().FrqMin, 100);
        m_partition->FrqMin = kFrqMinDefaut;
    }

    // The analysis program runs on the job runner and its results open the map; a program
    // leaving a malformed factor file ends in the factor file's message and opens nothing.
    void analyse() {
        test::Utilisateur u;
        ui::ExecuteurTaches taches;
        QWidget fenetre;
        std::vector<std::unique_ptr<ui::TFenGrapheAFC>> cartes;
        QString etat;
        ui::ContexteAfc c;
        c.taches = &taches;
        c.fenetre = &fenetre;
        c.montreCarte = [&](ui::TFenGrapheAFC *carte) { cartes.emplace_back(carte); };
        c.dossier = m_dir->path() + "/echange";
        c.programme = std::string(MORVIX_BIN_DIR) + "/qz5afc";
        c.etat = [&](const QString &t) { etat = t; };
        ::mkdir(c.dossier.c_str(), 0700);
        ParamAfc param = ParamAfcInitiaux(*m_partition);
        param.NI = NbFormesAuMoins(*m_base, 1);
        QVERIFY(ui::ExecuteAnalyseAfc(c, *m_partition, param));
        taches.Attend();
        QVERIFY2(u.messages.empty(), u.messages.empty() ? "" : qPrintable(u.messages[0].texte));
        QCOMPARE(cartes.size(), 1u);
        ui::TFenGrapheAFC &fen = *cartes[0];
        QCOMPARE(fen.windowTitle(), QStringLiteral("Analyse factorielle des correspondances - t"));
        QCOMPARE(fen.PageCourante(), ui::TFenGrapheAFC::PageGraphiques);
        QCOMPARE(fen.Points().NbPoints, 4);
        QCOMPARE(fen.AxeX()->count(), 3);
        QCOMPARE(fen.AxeX()->currentText(), QStringLiteral("1"));
        QCOMPARE(fen.AxeY()->currentText(), QStringLiteral("2"));
        auto *histo = qobject_cast<QHorizontalBarSeries *>(fen.Histogramme()->series().value(0));
        QVERIFY(histo != nullptr);
        QCOMPARE(histo->barSets()[0]->count(), 3);

        const std::string script = m_dir->path() + "/mauvais.sh";
        test::writeFile(script,
                        "#!/bin/sh\nprintf '4 2\\n1 9 0 0 0 0 0 0 0 0\\n' > facteurs.txt\n");
        ::chmod(script.c_str(), 0700);
        c.programme = script;
        QVERIFY(ui::ExecuteAnalyseAfc(c, *m_partition, param));
        taches.Attend();
        QCOMPARE(cartes.size(), 1u);
        QCOMPARE(u.messages.size(), 1u);
        QCOMPARE(u.messages[0].texte, QStringLiteral("Erreur de lecture du fichier des facteurs"));
        QVERIFY(!etat.isEmpty());

        // Cancelled while the program runs: it is stopped, nothing opens, nothing is said.
        test::writeFile(script, "#!/bin/sh\nexec sleep 30\n");
        QVERIFY(ui::ExecuteAnalyseAfc(c, *m_partition, param));
        QTest::qWait(100);
        taches.Annule();
        QElapsedTimer duree;
        duree.start();
        taches.Attend();
        QVERIFY(duree.elapsed() < 10000);
        QCOMPARE(cartes.size(), 1u);
        QCOMPARE(u.messages.size(), 1u);
        QVERIFY(!test::fileExists(c.dossier + "/coran.don"));
    }

    // Choosing on one list the factor shown on the other leaves both lists as they were.
    void axes() {
        auto fen = carte();
        QCOMPARE(fen->Carte()->Carte().Boites()[1].x, fen->Carte()->width() - 30); // rightmost
        fen->cbAxeYChange(0);
        QCOMPARE(fen->AxeY()->currentIndex(), 1);
        QCOMPARE(fen->Points().FacteurY(), 1);
        fen->cbAxeXChange(1);
        QCOMPARE(fen->AxeX()->currentIndex(), 0);
        fen->cbAxeYChange(2);
        QCOMPARE(fen->Points().FacteurY(), 2);
        QCOMPARE(fen->AxeY()->currentIndex(), 2);
    }

    // Left click: that part alone, ticked; Ctrl adds; right clicks untick and tick again; a
    // rubber band hits every box it meets; colouring and the colour grid.
    void souris() {
        auto fen = carte();
        ui::VueCarteAFC *vue = fen->Carte();
        m_partition->Cochee[2] = false;
        QTest::mouseClick(vue, Qt::LeftButton, {}, dans(*fen, 2));
        QCOMPARE(m_partition->Selec, (std::vector<bool>{false, false, true, false}));
        QVERIFY(m_partition->Cochee[2]);
        QTest::mouseClick(vue, Qt::LeftButton, Qt::ControlModifier, dans(*fen, 0));
        QCOMPARE(m_partition->Selec, (std::vector<bool>{true, false, true, false}));
        QTest::mouseClick(vue, Qt::LeftButton, {}, dans(*fen, 0));
        QCOMPARE(m_partition->Selec, (std::vector<bool>{true, false, false, false}));
        QTest::mouseClick(vue, Qt::RightButton, {}, dans(*fen, 0));
        QVERIFY(!m_partition->Cochee[0]);
        QVERIFY(!m_partition->Selec[0]);
        QTest::mouseClick(vue, Qt::RightButton, {}, dans(*fen, 0));
        QVERIFY(m_partition->Cochee[0]);
        QVERIFY(!m_partition->Selec[0]);

        QTest::mousePress(vue, Qt::LeftButton, {}, QPoint(1, 1)); // (0, 0) means the centre
        QTest::mouseMove(vue, QPoint(vue->width() - 1, vue->height() - 1));
        QTest::mouseRelease(vue, Qt::LeftButton, {}, QPoint(vue->width() - 1, vue->height() - 1));
        QCOMPARE(m_partition->Selec, (std::vector<bool>(4, true)));

        fen->Bouton("BtnPinceau")->click();
        QCOMPARE(vue->Mode(), ModeCarte::Coloriage);
        QCOMPARE(fen->Grille()->Avant(), 0xFF0000u); // index 12, blue
        fen->Grille()->SetIndexAvant(9);
        QTest::mouseClick(fen->Grille(), Qt::LeftButton, {}, fen->Grille()->RectCase(9).center());
        QCOMPARE(m_partition->Selec, (std::vector<bool>(4, true))); // colouring: no selection
        QTest::mouseClick(vue, Qt::LeftButton, {}, dans(*fen, 3));
        QCOMPARE(m_partition->Couleurs[3], 0x0000FFu);
        fen->Bouton("BtnSelec")->click();
        m_partition->Cochee[3] = false;
        QTest::mouseClick(fen->Grille(), Qt::LeftButton, {}, fen->Grille()->RectCase(9).center());
        QCOMPARE(m_partition->Selec, (std::vector<bool>{false, false, false, true}));
        QVERIFY(m_partition->Cochee[3]);
    }

    // While a job may read the partition, neither a click, a rubber band nor the colour
    // grid changes its marks; once it is free they do.
    void marquesFigeesPendantUnCalcul() {
        bool libre = false;
        ui::ServicesAfc s;
        s.partitionLibre = [&libre] { return libre; };
        auto fen = carte(s);
        ui::VueCarteAFC *vue = fen->Carte();
        const std::vector<bool> selec = m_partition->Selec, cochee = m_partition->Cochee;
        QTest::mouseClick(vue, Qt::LeftButton, {}, dans(*fen, 2));
        QTest::mouseClick(vue, Qt::RightButton, {}, dans(*fen, 0));
        QTest::mouseClick(fen->Grille(), Qt::LeftButton, {}, fen->Grille()->RectCase(9).center());
        QCOMPARE(m_partition->Selec, selec);
        QCOMPARE(m_partition->Cochee, cochee);
        libre = true;
        QTest::mouseClick(vue, Qt::LeftButton, {}, dans(*fen, 2));
        QCOMPARE(m_partition->Selec, (std::vector<bool>{false, false, true, false}));
    }

    // Hovering names the parts under the mouse with their coordinates; identifiers replace
    // names in the boxes and the table.
    void survolEtEtiquettes() {
        auto fen = carte();
        QTest::mouseMove(fen->Carte(), dans(*fen, 1));
        QCOMPARE(fen->LigneEtat()->text(), QStringLiteral("p1, F1=200, F2=40"));
        QCOMPARE(fen->Modele()->index(1, 0).data().toString(), QStringLiteral("p1"));
        QCOMPARE(fen->Modele()->index(1, 1).data().toString(), QStringLiteral("250.000"));
        QCOMPARE(fen->Modele()->index(3, 5).data().toString(), QStringLiteral("-7.00"));
        QCOMPARE(fen->Modele()->index(3, 8).data().toString(), QStringLiteral("999.0"));
        QCOMPARE(fen->Modele()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("f1"));
        QCOMPARE(fen->Modele()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("f1"));
        fen->findChild<QRadioButton *>(QStringLiteral("RBId"))->click();
        const QString id = QString::number(m_partition->Valeurs[1]);
        QCOMPARE(fen->Modele()->index(1, 0).data().toString(), id);
        QCOMPARE(fen->Carte()->Libelles()[1], id.toStdString());
    }

    // "Sp ch ev" needs a selected part.
    void specEvolutives() {
        test::Utilisateur u;
        int ouvertures = 0;
        ui::ServicesAfc s;
        s.specDiac = [&](Partition &) { ++ouvertures; };
        auto fen = carte(s);
        fen->Bouton("BtnSpEvol")->click();
        QCOMPARE(ouvertures, 0);
        QCOMPARE(u.messages.size(), 1u);
        QCOMPARE(u.messages[0].texte, QStringLiteral("Aucune partie n'est sélectionnée"));
        m_partition->Selec[1] = true;
        fen->Bouton("BtnSpEvol")->click();
        QCOMPARE(ouvertures, 1);
    }

    // One counter numbers the map and histogram images of every map from 1; the factor
    // page adds nothing.
    void rapport() {
        test::Utilisateur u;
        Rapport r(nullptr, m_base.get());
        ui::ServicesAfc s;
        s.rapport = [&r] { return &r; };
        auto a = carte(s);
        auto b = carte(s);
        const int32_t c = ui::TFenGrapheAFC::CompteurImages();
        a->AjouteAuRapport();
        b->MontrePage(ui::TFenGrapheAFC::PageVP);
        b->AjouteAuRapport();
        b->MontrePage(ui::TFenGrapheAFC::PageFacteurs);
        b->AjouteAuRapport();
        QVERIFY(u.messages.empty());
        QCOMPARE(r.Fichiers().size(), 2u);
        QCOMPARE(r.Fichiers()[0], "img-afc-t" + std::to_string(c + 1) + ".jpg");
        QCOMPARE(r.Fichiers()[1], "img-afc-vp-t" + std::to_string(c + 2) + ".jpg");
        QCOMPARE(r.Entrees()[0].titre,
                 "Analyse factorielle des correspondances - t(" + std::to_string(c + 1) + ")");
        QCOMPARE(r.Entrees()[1].titre,
                 "AFC - Histogramme des Valeurs Propres (" + std::to_string(c + 2) + ")");
        QVERIFY(r.Commentaires()[1].find("Nombre de parties : 4") != std::string::npos);
    }

    // The map saved as SVG holds its labels.
    void imageSvg() {
        test::Utilisateur u;
        auto fen = carte();
        u.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/carte.svg");
        fen->Carte()->ActionImage()->trigger();
        QFile f(u.fichierEnregistrement);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QStringList textes;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("text"))
                textes << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        QVERIFY(!xml.hasError());
        for (const char *l : {"p0", "p1", "p2", "p3"})
            QVERIFY2(textes.contains(QString::fromLatin1(l)), qPrintable(textes.join(u'|')));
    }
};

MORVIX_TEST_FENETRE(TestFenGrapheAFC)

#include "TestFenGrapheAFC.moc"
