// The group distribution graph: drops, both frequency modes, specificities and their axis,
// colours, zoom and scroll, clearing, the report image and the SVG picture.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExportImage.h"
#include "VueGraphique.h"
#include "base/charg1.h"
#include "groups/TFenGrapheTgen.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <QXmlStreamReader>

#include <memory>

using namespace morvix;

namespace {

// Parts "p0" … "p11"; "chat" occurs 3 times in p0 among 12 000 forms, "chien" in p1.
std::string texte() {
    std::string t;
    for (int p = 0; p < 12; ++p) {
        t += "<t=p" + std::to_string(p) + ">\n";
        const int n = p == 0 ? 11997 : 200;
        for (int i = 0; i < n; ++i)
            t += "w" + std::to_string(i % 50) + " ";
        t += p == 0 ? "chat chat chat\n" : p == 1 ? "chien chien chien\n" : "\n";
    }
    return t;
}

ui::TTgenDragObject *drag(const charg1 &base, const char *forme, uint32_t couleur,
                          const char *nom = "") {
    auto *d = new ui::TTgenDragObject(nullptr, test::cp(nom), couleur, 1);
    d->Codes[0] = base.LocFormDic(forme, true);
    return d;
}

QList<QLineSeries *> lignes(const ui::TFenGrapheTgen &fen) {
    QList<QLineSeries *> l;
    for (QAbstractSeries *s : fen.Graphe()->series())
        if (auto *ligne = qobject_cast<QLineSeries *>(s))
            l.append(ligne);
    return l;
}

QBarSeries *barres(const ui::TFenGrapheTgen &fen) {
    for (QAbstractSeries *s : fen.Graphe()->series())
        if (auto *b = qobject_cast<QBarSeries *>(s))
            return b;
    return nullptr;
}

} // namespace

class TestFenGrapheTgen : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<Partition> m_partition;

    std::unique_ptr<ui::TFenGrapheTgen> fenetre(Rapport *rapport = nullptr) {
        auto fen =
            std::make_unique<ui::TFenGrapheTgen>(*m_partition, [rapport] { return rapport; });
        fen->setAttribute(Qt::WA_DeleteOnClose, false);
        fen->resize(700, 450);
        fen->show();
        return fen;
    }

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        qputenv("TEMP", QByteArray::fromStdString(m_dir->path()));
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("vent", texte())), 0);
        m_partition = std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "t"));
        QCOMPARE(m_partition->NbParties, 12);
    }
    void cleanupTestCase() {
        m_partition.reset();
        m_base.reset();
        m_dir.reset();
    }

    // Relative values per 10 000 (truncated), absolute values, the axis title of each mode;
    // the drag's name names the series.
    void frequences() {
        auto fen = fenetre();
        QCOMPARE(fen->windowTitle(),
                 QStringLiteral("Graphique de ventilation pour la partition : t"));
        QCOMPARE(fen->AxeY()->titleText(), QStringLiteral("Fréquences relatives ( x 10 000 )"));
        std::unique_ptr<QMimeData> d(drag(*m_base, "chat", 0x0000FF, "félin"));
        QVERIFY(fen->Depose(d.get()));
        QCOMPARE(lignes(*fen).size(), 1);
        QLineSeries *s = lignes(*fen).front();
        QCOMPARE(s->name(), QStringLiteral("félin"));
        QCOMPARE(s->count(), 12);
        QCOMPARE(s->at(0).y(), 2.0);
        QCOMPARE(s->at(1).y(), 0.0);
        QCOMPARE(s->pen().width(), 2);
        QCOMPARE(fen->AxeY()->min(), 0.0);

        fen->findChild<QRadioButton *>(QStringLiteral("RBtnAbs"))->click();
        QVERIFY(!fen->Relatives());
        QCOMPARE(fen->AxeY()->titleText(), QStringLiteral("Fréquences absolues"));
        QCOMPARE(lignes(*fen).front()->at(0).y(), 3.0);
        QVERIFY(fen->AxeY()->max() >= 3.0);
        // Part labels along the axis.
        QVERIFY(fen->AxeX()->categoriesLabels().contains(QStringLiteral("p0")));
        QVERIFY(!fen->Depose(std::make_unique<QMimeData>().get()));
    }

    // A group keeps its colour unless it is black or already on the chart; white is drawn
    // black.
    void couleurs() {
        auto fen = fenetre();
        for (uint32_t c : {0x0000FFu, 0x0000FFu, 0u}) {
            std::unique_ptr<QMimeData> d(drag(*m_base, "chien", c));
            QVERIFY(fen->Depose(d.get()));
        }
        const int32_t chien = m_base->LocFormDic("chien", true);
        auto blanc = std::make_unique<Tgen>(m_base.get(), &chien, 1, nullptr);
        blanc->Couleur = 0xFFFFFF;
        fen->AjouteGroupe(std::move(blanc));
        const auto l = lignes(*fen);
        QCOMPARE(l.size(), 4);
        QCOMPARE(l[0]->color(), QColor(255, 0, 0));
        QVERIFY(l[1]->color() != QColor(255, 0, 0));
        QVERIFY(l[2]->color() != QColor(0, 0, 0));
        QCOMPARE(l[3]->color(), QColor(0, 0, 0));
        // In specificity mode the same rule gives the bars their colours, in drop order.
        fen->Bouton("BtnAffSpf")->click();
        QBarSeries *b = barres(*fen);
        QVERIFY(b != nullptr);
        QCOMPARE(b->count(), 4);
        QCOMPARE(b->barSets()[0]->color(), QColor(255, 0, 0));
        QVERIFY(b->barSets()[1]->color() != QColor(255, 0, 0));
        QCOMPARE(b->barSets()[3]->color(), QColor(0, 0, 0));
    }

    // Specificities: the axis runs one beyond the extreme coefficients; switching back to
    // frequencies draws the same groups in drop order.
    void specificites() {
        auto fen = fenetre();
        for (const char *forme : {"chat", "chien"}) {
            std::unique_ptr<QMimeData> d(drag(*m_base, forme, 0xFFFFFF));
            QVERIFY(fen->Depose(d.get()));
        }
        fen->Bouton("BtnAffSpf")->click();
        QVERIFY(fen->ModeSpecificites());
        QCOMPARE(fen->AxeY()->titleText(), QStringLiteral("Spécificités"));
        QBarSeries *b = barres(*fen);
        QVERIFY(b != nullptr);
        QCOMPARE(b->count(), 2);
        double bas = 0, haut = 0;
        for (QBarSet *s : b->barSets())
            for (int j = 0; j < s->count(); ++j)
                bas = std::min(bas, s->at(j)), haut = std::max(haut, s->at(j));
        QVERIFY(haut > 0);
        QCOMPARE(fen->AxeY()->min(), bas - 1);
        QCOMPARE(fen->AxeY()->max(), haut + 1);
        QCOMPARE(b->barSets()[1]->at(1), haut); // chien in p1

        fen->Bouton("BtnAffFrq")->click();
        QVERIFY(!fen->ModeSpecificites());
        QVERIFY(barres(*fen) == nullptr);
        const auto l = lignes(*fen);
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[0]->name(), QStringLiteral("chat"));
        QCOMPARE(l[1]->name(), QStringLiteral("chien"));
        QCOMPARE(fen->Bornes().Haut(), 0.0);

        fen->Bouton("BtnClear")->click();
        QVERIFY(fen->Groupes().empty());
        QVERIFY(fen->Graphe()->series().isEmpty());
    }

    // Zoom + shows the middle half and enables the arrows, which scroll by 5 parts without
    // leaving the parts; Zoom - shows every part again.
    void zoomEtDefilement() {
        auto fen = fenetre();
        std::unique_ptr<QMimeData> d(drag(*m_base, "chat", 0xFF0000));
        QVERIFY(fen->Depose(d.get()));
        QVERIFY(!fen->Bouton("BtnLeft")->isEnabled());
        fen->Bouton("BtnZoom")->click();
        QVERIFY(fen->Bouton("BtnLeft")->isEnabled());
        const double largeur = fen->AxeX()->max() - fen->AxeX()->min();
        QVERIFY(std::abs(largeur - 6.0) < 0.01);
        fen->Bouton("BtnRight")->click();
        QVERIFY(std::abs(fen->AxeX()->max() - 11.5) < 0.01);
        fen->Bouton("BtnLeft")->click();
        fen->Bouton("BtnLeft")->click();
        QVERIFY(std::abs(fen->AxeX()->min() + 0.5) < 0.01);
        QVERIFY(std::abs(fen->AxeX()->max() - fen->AxeX()->min() - largeur) < 0.01);
        fen->Bouton("BtnUnZoom")->click();
        QVERIFY(!fen->Bouton("BtnRight")->isEnabled());
        QCOMPARE(fen->AxeX()->min(), -0.5);
        QCOMPARE(fen->AxeX()->max(), 11.5);
    }

    // Report images are numbered from 0 in their names and from 1 in their titles, by one
    // counter for every distribution graph.
    void rapport() {
        test::Utilisateur u;
        Rapport r(nullptr, m_base.get());
        QVERIFY(r.Valide());
        const int32_t depart = ui::TFenGrapheTgen::CompteurExport();
        auto fen = fenetre(&r);
        auto autre = fenetre(&r);
        fen->AjouteAuRapport();
        autre->AjouteAuRapport();
        QVERIFY(u.messages.empty());
        QCOMPARE(r.Fichiers().size(), 2u);
        QCOMPARE(r.Fichiers()[0], "img-graphe-t" + std::to_string(depart) + ".jpg");
        QCOMPARE(r.Entrees()[1].titre, "Graphique de ventilation pour la partition : t (" +
                                           std::to_string(depart + 2) + ")");
        QVERIFY(test::fileExists(r.Dossier() + r.Fichiers()[1]));
        QCOMPARE(test::readFile(r.Dossier() + r.Fichiers()[0]).substr(0, 2),
                 std::string("\xFF\xD8"));
    }

    // The picture saved from the context menu is an SVG document holding the chart's texts;
    // a PNG is written at the size asked.
    void imageSvgEtPng() {
        test::Utilisateur u;
        auto fen = fenetre();
        std::unique_ptr<QMimeData> d(drag(*m_base, "chien", 0xFF0000, "canidé"));
        QVERIFY(fen->Depose(d.get()));
        u.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/vent.svg");
        fen->Vue()->ActionImage()->trigger();
        QVERIFY(u.messages.empty());
        QFile f(u.fichierEnregistrement);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QString textes;
        bool svg = false;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                svg = svg || xml.name() == QLatin1String("svg");
                if (xml.name() == QLatin1String("text"))
                    textes += xml.readElementText(QXmlStreamReader::IncludeChildElements) + u'|';
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(svg);
        QVERIFY2(textes.contains(QStringLiteral("canidé")), qPrintable(textes));
        QVERIFY(textes.contains(QStringLiteral("p1")));

        u.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/vent.png");
        // The width asked; the height keeps the proportions of the view.
        u.dialogue = [](QDialog &d) {
            d.findChild<QSpinBox *>(QStringLiteral("EdLargeur"))->setValue(1400);
            return int(QDialog::Accepted);
        };
        fen->Vue()->ActionImage()->trigger();
        const QSize vue = fen->Vue()->viewport()->size();
        QCOMPARE(QImage(u.fichierEnregistrement).size(),
                 QSize(1400, vue.height() * 1400 / vue.width()));
    }
};

MORVIX_TEST_FENETRE(TestFenGrapheTgen)

#include "TestFenGrapheTgen.moc"
