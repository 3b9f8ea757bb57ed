// The job runner (results, progress, Cancel, a window closed during its job) and the table
// exporter (TSV and CSV texts, raw columns, the written file, Ctrl+C of the dictionary).
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "ExportTableau.h"
#include "base/charg1.h"
#include "dictionary/TFenDicNum.h"
#include "mainwindow/TFenPrinc.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace morvix;

namespace {

// Two columns, the second with raw values behind its shown texts.
class ModeleEssai : public QStandardItemModel {
  public:
    ModeleEssai() : QStandardItemModel(3, 2) {
        setHorizontalHeaderLabels({QStringLiteral("Forme"), QStringLiteral("Coefficient")});
        const char *formes[] = {"chat", "a,b", "guil\"le\tmet"};
        const char *coefs[] = {"+12", "***", "-3"};
        const int bruts[] = {12, 57, -3};
        for (int r = 0; r < 3; ++r) {
            setItem(r, 0, new QStandardItem(QString::fromUtf8(formes[r])));
            auto *c = new QStandardItem(QString::fromUtf8(coefs[r]));
            c->setData(bruts[r], ui::RoleBrut);
            setItem(r, 1, c);
        }
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role == ui::RoleBrut) {
            return section == 1 && o == Qt::Horizontal
                       ? QVariant(QStringLiteral("Coefficient (valeur)"))
                       : QVariant();
        }
        return QStandardItemModel::headerData(section, o, role);
    }
};

} // namespace

class TestTachesEtExport : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Execute hands back the job's result; progress calls arrive in order on the gauge; a
    // second job is refused while one runs.
    void resultatEtProgression() {
        ui::ExecuteurTaches taches;
        QProgressBar gauge;
        gauge.setRange(0, 200);
        gauge.setValue(0);
        taches.AttribGauge(&gauge);
        bool refusee = false;
        const std::optional<int> r = taches.Execute<int>([&](const ui::Progression &p) {
            for (int i = 0; i < 10; ++i) {
                p.StepIt(0);
            }
            p.StepBy2(0);
            return 42;
        });
        QVERIFY(r.has_value());
        QCOMPARE(*r, 42);
        QCOMPARE(gauge.value(), 12);
        QVERIFY(!taches.Occupe());

        std::atomic<bool> libere{false};
        QVERIFY(taches.Lance<int>(
            this,
            [&](const ui::Progression &) {
                while (!libere) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                return 1;
            },
            [](int) {}));
        QVERIFY(taches.Occupe());
        refusee = !taches.Lance<int>(
            this, [](const ui::Progression &) { return 2; }, [](int) {});
        QVERIFY(refusee);
        QVERIFY(!taches.Execute<int>([](const ui::Progression &) { return 3; }).has_value());
        libere = true;
        taches.Attend();
        QVERIFY(!taches.Occupe());
    }

    // A job started from the end of another keeps the runner busy: no "idle" in between,
    // and waiting lasts until the second has ended.
    void tacheEnchainee() {
        ui::ExecuteurTaches taches;
        std::vector<bool> etats;
        connect(&taches, &ui::ExecuteurTaches::OccupeChange, this,
                [&etats](bool occupe) { etats.push_back(occupe); });
        int fin = 0;
        QVERIFY(taches.Lance<int>(
            this, [](const ui::Progression &) { return 1; },
            [&](int r) {
                fin = r;
                QVERIFY(taches.Lance<int>(
                    this, [](const ui::Progression &) { return 2; }, [&](int s) { fin = s; }));
            }));
        taches.Attend();
        QCOMPARE(fin, 2);
        QVERIFY(!taches.Occupe());
        QCOMPARE(etats, (std::vector<bool>{true, true, false}));
    }

    // The Cancel button shows while a job runs and raises its flag; the job sees it.
    void annulation() {
        ui::ExecuteurTaches taches;
        QPushButton bouton;
        bouton.show();
        taches.AttribBoutonAnnuler(&bouton);
        QVERIFY(!bouton.isVisible());
        bool vuAnnulee = false;
        std::atomic<bool> demarree{false};
        QVERIFY(taches.Lance<bool>(
            this,
            [&](const ui::Progression &p) {
                demarree = true;
                while (!p.Annulee()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                return true;
            },
            [&](bool vu) { vuAnnulee = vu; }));
        QVERIFY(bouton.isVisible());
        QTRY_VERIFY(demarree.load());
        QTest::mouseClick(&bouton, Qt::LeftButton);
        taches.Attend();
        QVERIFY(vuAnnulee);
        QVERIFY(taches.DerniereAnnulee());
        QVERIFY(!bouton.isVisible());
    }

    // A window destroyed during its job cancels it and never receives the result.
    void contexteDetruit() {
        ui::ExecuteurTaches taches;
        auto *fenetre = new QObject;
        bool recu = false;
        std::atomic<bool> annulee{false};
        QVERIFY(taches.Lance<int>(
            fenetre,
            [&](const ui::Progression &p) {
                while (!p.Annulee()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                annulee = true;
                return 0;
            },
            [&](int) { recu = true; }));
        delete fenetre;
        taches.Attend();
        QVERIFY(annulee.load());
        QVERIFY(!recu);
    }

    // The main window's gauge follows a background job, and its Cancel button shows.
    void gaugeDeLaFenetrePrincipale() {
        ui::TFenPrinc fen;
        fen.show();
        auto *bouton = fen.findChild<QPushButton *>(QStringLiteral("BtnAnnuler"));
        QVERIFY(bouton != nullptr);
        std::atomic<bool> libere{false};
        QVERIFY(fen.Taches().Lance<int>(
            &fen,
            [&](const ui::Progression &p) {
                for (int i = 0; i < 7; ++i) {
                    p.StepIt(0);
                }
                while (!libere) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                return 0;
            },
            [](int) {}));
        QTRY_COMPARE(fen.Gauge()->value(), 7);
        QVERIFY(bouton->isVisible());
        QVERIFY(!fen.Bouton("BtnOuvrir")->isEnabled());
        QVERIFY(!fen.Bouton("BtnSegment")->isEnabled());
        libere = true;
        fen.Taches().Attend();
        QVERIFY(fen.Bouton("BtnOuvrir")->isEnabled());
        QVERIFY(!bouton->isVisible());
    }

    // Shown texts, then the raw column after the column it belongs to; quoting rules.
    void textesTsvEtCsv() {
        ModeleEssai m;
        QCOMPARE(ui::TexteTableau(m, {}, ui::FormatTableau::Tsv),
                 QStringLiteral("Forme\tCoefficient\tCoefficient (valeur)\n"
                                "chat\t+12\t12\n"
                                "a,b\t***\t57\n"
                                "guil\"le met\t-3\t-3\n"));
        QCOMPARE(ui::TexteTableau(m, {2, 0}, ui::FormatTableau::Csv),
                 QStringLiteral("Forme,Coefficient,Coefficient (valeur)\n"
                                "\"guil\"\"le\tmet\",-3,-3\n"
                                "chat,+12,12\n"));
    }

    // The file is written whole, in UTF-8, its format from the extension; an unwritable
    // path is reported and leaves nothing.
    void fichierExporte() {
        test::ScopedWorkDir dir;
        ModeleEssai m;
        QString erreur;
        QVERIFY(ui::ExporteTableau(m, QStringLiteral("t.csv"), &erreur));
        QVERIFY(test::readFile("t.csv").rfind("Forme,Coefficient,", 0) == 0);
        QVERIFY(ui::ExporteTableau(m, QStringLiteral("t.tsv"), &erreur));
        QVERIFY(test::readFile("t.tsv").rfind("Forme\tCoefficient\t", 0) == 0);
        QVERIFY(!ui::ExporteTableau(m, QStringLiteral("absent/t.tsv"), &erreur));
        QVERIFY(!erreur.isEmpty());
    }

    // The dictionary: its export equals the rows on screen; Ctrl+C copies the selection.
    void dictionnaire() {
        test::ScopedWorkDir dir;
        test::Utilisateur utilisateur;
        charg1 base;
        QCOMPARE(base.ChargeBase(test::buildBase("d", test::cp("le chat et le chien été\n"))),
                 int(kChargeOk));
        ui::TFenDicNum fen(base);
        fen.show();
        auto *vue = fen.findChild<QTableView *>(QStringLiteral("ListeFormes"));
        QVERIFY(vue != nullptr);
        utilisateur.fichierEnregistrement = QString::fromStdString(dir.path() + "/dico.tsv");
        auto *exporter = vue->findChild<QAction *>(QStringLiteral("ActionExportTableau"));
        QVERIFY(exporter != nullptr);
        exporter->trigger();
        const std::string ecrit = test::readFile(dir.path() + "/dico.tsv");
        QCOMPARE(QString::fromStdString(ecrit),
                 ui::TexteTableau(*vue->model(), {}, ui::FormatTableau::Tsv));
        QVERIFY(QString::fromStdString(ecrit).contains(QStringLiteral("été\t1\n")));

        vue->selectRow(0);
        vue->setFocus();
        QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
        const QString copie = QGuiApplication::clipboard()->text();
        QVERIFY(copie.endsWith(QStringLiteral("le\t2\n")));
        QCOMPARE(copie.count(QLatin1Char('\n')), 2);
    }
};

MORVIX_TEST_FENETRE(TestTachesEtExport)

#include "TestTachesEtExport.moc"
