// The Pareto and vocabulary-growth windows: their first curve, curves added by partition
// drops and refused for another key, the colour and clear buttons, the report images.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "Traduction.h"
#include "VueGraphique.h"
#include "base/charg1.h"
#include "dictionary/TFenGrapheAC.h"
#include "dictionary/TFenZipf.h"
#include "mainwindow/DragObjects.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include <memory>

using namespace morvix;

namespace {

// "de" is the most frequent form; two keys, "t" (3 parts) and "u".
const char *kTexte = "<t=a><u=x> de de de de de le chat\n"
                     "<t=b> de de de le chien\n"
                     "<t=c><u=y> de de un deux trois\n";

QList<QLineSeries *> courbes(const QChart *graphe) {
    QList<QLineSeries *> l;
    for (QAbstractSeries *s : graphe->series())
        if (auto *c = qobject_cast<QLineSeries *>(s))
            l.append(c);
    return l;
}

} // namespace

class TestGraphesDictionnaire : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<Partition> m_t, m_u;

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        qputenv("TEMP", QByteArray::fromStdString(m_dir->path()));
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("dico", kTexte)), 0);
        m_t = std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "t"));
        m_u = std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "u"));
    }
    void cleanupTestCase() {
        m_t.reset();
        m_u.reset();
        m_base.reset();
        m_dir.reset();
    }
    void init() { std::fill(m_t->Selec.begin(), m_t->Selec.end(), false); }

    // The first curve covers every part; the frequency axis reaches the highest frequency
    // even when the forms are fewer. A drop after selecting parts adds a curve; a
    // partition on another key is refused.
    void pareto() {
        test::Utilisateur u;
        ui::TFenZipf fen(*m_t, [] { return nullptr; });
        fen.setAttribute(Qt::WA_DeleteOnClose, false);
        fen.show();
        QCOMPARE(fen.windowTitle(), QStringLiteral("Diagramme de Pareto - t"));
        QCOMPARE(fen.Graphe()->title(), fen.windowTitle());
        auto l = courbes(fen.Graphe());
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0]->name(), QStringLiteral("a, b, c"));
        // de 10, le 2, then 5 forms once: (7,1), (2,2), (1,10).
        QCOMPARE(l[0]->count(), 3);
        QCOMPARE(l[0]->at(0), QPointF(7, 1));
        QCOMPARE(l[0]->at(2), QPointF(1, 10));
        QCOMPARE(l[0]->pen().width(), 2);
        QCOMPARE(fen.AxeY()->min(), 1.0);
        QVERIFY(fen.AxeY()->max() >= 10.0);

        m_t->Selec[2] = true;
        ui::TPartDragObject memes(nullptr, m_t.get());
        QVERIFY(fen.Depose(&memes));
        l = courbes(fen.Graphe());
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[1]->name(), QStringLiteral("c"));
        QCOMPARE(l[1]->count(), 2);
        ui::TPartDragObject autre(nullptr, m_u.get());
        QVERIFY(!fen.Vue()->accepte(&autre));
        QVERIFY(!fen.Depose(&autre));
        QCOMPARE(courbes(fen.Graphe()).size(), 2);

        u.couleur = QColor(10, 20, 30);
        fen.BtnColorGraphe()->click();
        QCOMPARE(fen.Couleur(), QColor(10, 20, 30));
        QCOMPARE(fen.PanBas()->palette().color(QPalette::Window), QColor(10, 20, 30));
        u.couleur.reset();
        fen.BtnColorGraphe()->click();
        QCOMPARE(fen.Couleur(), QColor(10, 20, 30));
        fen.BtnEffacer()->click();
        QVERIFY(fen.Graphe()->series().isEmpty());
    }

    // Without a selection the curve is the whole text's; the spans of unselected parts are
    // skipped. A window without partition takes the first dropped and then refuses another
    // key.
    void accroissement() {
        ui::TFenGrapheAC fen(m_t.get(), *m_base, [] { return nullptr; });
        fen.setAttribute(Qt::WA_DeleteOnClose, false);
        fen.show();
        QCOMPARE(fen.windowTitle(), QStringLiteral("Accroissement de vocabulaire"));
        auto l = courbes(fen.Graphe());
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0]->name(), QStringLiteral("Corpus entier"));
        QCOMPARE(l[0]->at(l[0]->count() - 1), QPointF(m_base->Nbocc(), m_base->Nbform()));
        QVERIFY(fen.AxeX()->max() >= m_base->Nbocc());

        ui::TFenGrapheAC vide(nullptr, *m_base, [] { return nullptr; });
        vide.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(vide.Graphe()->series().isEmpty());
        m_t->Selec[1] = true;
        ui::TPartDragObject t(nullptr, m_t.get()), u(nullptr, m_u.get());
        QVERIFY(vide.Depose(&t));
        QCOMPARE(vide.PartitionFenetre(), m_t.get());
        l = courbes(vide.Graphe());
        QCOMPARE(l[0]->name(), QStringLiteral("b"));
        // de de de le chien: (1,0), (4,1), (5,2), then (5,3).
        QCOMPARE(l[0]->count(), 4);
        QCOMPARE(l[0]->at(3), QPointF(5, 3));
        QVERIFY(!vide.Depose(&u));
    }

    // With LANGUAGE=en the charts speak English; the data's own labels stay.
    void anglais() {
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        {
            ui::TFenZipf zipf(*m_t, [] { return nullptr; });
            ui::TFenGrapheAC ac(m_t.get(), *m_base, [] { return nullptr; });
            QCOMPARE(zipf.windowTitle(), QStringLiteral("Pareto chart - t"));
            QCOMPARE(zipf.AxeX()->titleText(), QStringLiteral("Number of forms >= F"));
            QCOMPARE(zipf.BtnEffacer()->text(), QStringLiteral("Clear"));
            QCOMPARE(courbes(ac.Graphe())[0]->name(), QStringLiteral("Whole corpus"));
        }
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
    }

    // Each class numbers its images from 0 in their names and from 1 in their titles.
    void rapport() {
        test::Utilisateur u;
        Rapport r(nullptr, m_base.get());
        ui::TFenZipf zipf(*m_t, [&r] { return &r; });
        ui::TFenGrapheAC ac(m_t.get(), *m_base, [&r] { return &r; });
        for (QWidget *w : {static_cast<QWidget *>(&zipf), static_cast<QWidget *>(&ac)}) {
            w->setAttribute(Qt::WA_DeleteOnClose, false);
            w->resize(500, 300);
            w->show();
        }
        const int32_t nz = ui::TFenZipf::NbImages(), na = ui::TFenGrapheAC::NbImages();
        zipf.AjouteAuRapport();
        ac.AjouteAuRapport();
        zipf.AjouteAuRapport();
        QVERIFY(u.messages.empty());
        QCOMPARE(r.Fichiers().size(), 3u);
        QCOMPARE(r.Fichiers()[0], "img-grapheZipf-" + std::to_string(nz) + ".jpg");
        QCOMPARE(r.Fichiers()[1], "img-grapheAC-" + std::to_string(na) + ".jpg");
        QCOMPARE(r.Entrees()[0].titre, "Diagramme de Pareto - t (" + std::to_string(nz + 1) + ")");
        QCOMPARE(r.Entrees()[2].titre, "Diagramme de Pareto - t (" + std::to_string(nz + 2) + ")");
        QCOMPARE(r.Entrees()[1].titre,
                 "Accroissement de vocabulaire (" + std::to_string(na + 1) + ")");
        for (const std::string &f : r.Fichiers())
            QVERIFY(test::fileExists(r.Dossier() + f));
    }
};

MORVIX_TEST_FENETRE(TestGraphesDictionnaire)

#include "TestGraphesDictionnaire.moc"
