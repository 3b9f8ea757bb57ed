// The section map window: groups dropped on it, selection with the mouse, moves and their
// beeps, settings, the text pane and its drags, the report's page and images, exports and
// the section specificities.
#include "TestSupport.h"
#include "UiTestSupport.h"

#include "ExecuteurTaches.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Corpus.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "mainwindow/DragObjects.h"
#include "mainwindow/Evenements.h"
#include "mainwindow/TFenOpt.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"
#include "sections/TFenCarteParag.h"
#include "sections/TFenParamCarte.h"
#include "sections/TFenParamSpecSect.h"
#include "sections/VueCarte.h"
#include "sections/VueParag.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

using namespace morvix;

namespace {

// 120 sentences; "chat" in sentences 3, 40 and 90 only, "chien" in 40 and 41.
std::string texte() {
    std::string t = "<livre=un> Titre ";
    for (int i = 0; i < 120; ++i) {
        if (i == 60) {
            t += "<livre=deux> ";
        }
        t += "le mot " + std::to_string(i % 7) + " et " + std::to_string(i % 5);
        if (i == 3 || i == 40 || i == 90) {
            t += " chat";
        }
        if (i == 40 || i == 41) {
            t += " chien";
        }
        t += " .\n";
    }
    return t;
}

TgenDrag drag(const charg1 &b, const char *forme, uint32_t couleur = kCouleurAucune) {
    return {{b.LocFormDic(forme, true)}, couleur, {}};
}

} // namespace

class TestFenCarteParag : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<test::ScopedWorkDir> m_dir;
    std::unique_ptr<charg1> m_base;
    std::unique_ptr<Section> m_vue;
    std::unique_ptr<ui::ExecuteurTaches> m_taches;
    std::unique_ptr<Corpus> m_corpus;
    std::unique_ptr<Rapport> m_rapport;
    ui::Reglages m_reglages;
    std::unique_ptr<ui::TFenParamCarte> m_paramCarte;
    std::unique_ptr<ui::TFenParamSpecSect> m_paramSpec;
    std::vector<std::pair<std::vector<ResSpec>, QString>> m_specs;

    std::unique_ptr<ui::TFenCarteParag> carte() {
        ui::ContexteCarte c;
        c.taches = m_taches.get();
        c.corpus = m_corpus.get();
        c.reglages = &m_reglages;
        c.rapport = [this] { return m_rapport.get(); };
        c.paramCarte = m_paramCarte.get();
        c.paramSpecSect = m_paramSpec.get();
        c.ouvreSpecs = [this](std::vector<ResSpec> r, const QString &e) {
            m_specs.emplace_back(std::move(r), e);
        };
        auto fen = std::make_unique<ui::TFenCarteParag>(*m_base, *m_vue, c);
        fen->setWindowTitle(QStringLiteral("Sections  d'essai"));
        return fen;
    }
    void depose(ui::TFenCarteParag &fen, const char *forme, bool second,
                uint32_t couleur = kCouleurAucune) {
        fen.DeposeGroupe(drag(*m_base, forme, couleur), second);
        m_taches->Attend();
    }
    QPoint centre(const ui::TFenCarteParag &fen, int32_t s) {
        const DispositionCarte &d = fen.Carte().Disposition();
        return {d.X(s) + d.TailleBoite() / 2, d.Y(s) + d.TailleBoite() / 2};
    }

  private Q_SLOTS:
    void initTestCase() {
        m_dir = std::make_unique<test::ScopedWorkDir>();
        m_base = std::make_unique<charg1>();
        QCOMPARE(m_base->ChargeBase(test::buildBase("carte", texte())), 0);
        const int32_t point = m_base->LocFormDic(".", false);
        m_vue = std::make_unique<Section>(*m_base, &point, 1);
        QCOMPARE(m_vue->NbSections, 120);
        m_taches = std::make_unique<ui::ExecuteurTaches>();
        m_corpus = std::make_unique<Corpus>();
        m_corpus->AjouteBase(m_base.get());
        m_rapport = std::make_unique<Rapport>(nullptr, m_base.get());
        m_paramCarte = std::make_unique<ui::TFenParamCarte>();
        m_paramSpec = std::make_unique<ui::TFenParamSpecSect>();
    }
    void cleanupTestCase() {
        m_paramSpec.reset();
        m_paramCarte.reset();
        m_rapport.reset();
        m_corpus.reset();
        m_taches.reset();
        m_vue.reset();
        m_base.reset();
        m_dir.reset();
    }

    void etatInitial() {
        auto fen = carte();
        QVERIFY(!fen->Bouton("BtnSecPrec")->isEnabled());
        QVERIFY(fen->Bouton("BtnSecSuiv")->isEnabled());
        QVERIFY(!fen->Bouton("BtnOccPrec")->isEnabled());
        QVERIFY(!fen->Bouton("BtnOccSuiv")->isEnabled());
        QCOMPARE(fen->ComboGrp()->currentText(), QStringLiteral("<Aucune>"));
        QVERIFY(fen->LbTgen1()->text().isEmpty());
        QCOMPARE(fen->TrackBar1()->value(), 9);
        QCOMPARE(fen->LbTailleBoite()->text(), QStringLiteral("9"));
        QCOMPARE(fen->PaintBox1()->width(), 732);
        QCOMPARE(fen->ParagEdit()->toPlainText(), QStringLiteral("le mot 1 et 1 . "));
        QCOMPARE(fen->Bouton("BtnSecSuiv")->accessibleName(), QStringLiteral("Section suivante"));
        QCOMPARE(fen->Bouton("BtnCol")->accessibleName(), QStringLiteral("Réglages"));
        fen->TrackBar1()->setValue(20);
        QCOMPARE(fen->LbTailleBoite()->text(), QStringLiteral("20"));
        QCOMPARE(fen->PaintBox1()->width(), static_cast<int>(20 * 50 * 1.35 + 125));
    }

    // A group dropped: its sections marked, its name and colour shown, its occurrences in
    // the text in its colour; the occurrence moves beep at both ends.
    void groupesEtOccurrences() {
        test::Utilisateur utilisateur;
        auto fen = carte();
        depose(*fen, "chat", false, 0x0000FF);
        QVERIFY(fen->Carte().Tgen1() != nullptr);
        QCOMPARE(fen->LbTgen1()->text(), QStringLiteral("chat"));
        QCOMPARE(fen->LbTgen1()->toolTip(), QStringLiteral("chat"));
        // Section s is sentence s + 1.
        QVERIFY(fen->Carte().Marquee(2));
        QVERIFY(fen->Carte().Marquee(39));
        QVERIFY(fen->Carte().Marquee(89));
        QVERIFY(!fen->Carte().Marquee(3));
        QVERIFY(!fen->Bouton("BtnOccPrec")->isEnabled());
        QVERIFY(fen->Bouton("BtnOccSuiv")->isEnabled());
        QTest::mouseClick(fen->Bouton("BtnOccSuiv"), Qt::LeftButton);
        QCOMPARE(fen->Carte().SectCour(), 2);
        QVERIFY(fen->ParagEdit()->toPlainText().contains(QStringLiteral("chat")));
        QTest::mouseClick(fen->Bouton("BtnOccSuiv"), Qt::LeftButton);
        QTest::mouseClick(fen->Bouton("BtnOccSuiv"), Qt::LeftButton);
        QCOMPARE(fen->Carte().SectCour(), 89);
        QCOMPARE(utilisateur.bips, 0);
        QTest::mouseClick(fen->Bouton("BtnOccSuiv"), Qt::LeftButton);
        QCOMPARE(utilisateur.bips, 1);
        QCOMPARE(fen->Carte().SectCour(), 89);
        QVERIFY(!fen->Bouton("BtnOccSuiv")->isEnabled());
        QTest::mouseClick(fen->Bouton("BtnOccPrec"), Qt::LeftButton);
        QTest::mouseClick(fen->Bouton("BtnOccPrec"), Qt::LeftButton);
        QCOMPARE(fen->Carte().SectCour(), 2);
        QTest::mouseClick(fen->Bouton("BtnOccPrec"), Qt::LeftButton);
        QCOMPARE(utilisateur.bips, 2);
        QCOMPARE(fen->Carte().SectCour(), 2);

        // The second group with Ctrl; a word of both groups shows in the main group's colour.
        ui::TTgenDragObject objet(nullptr, std::string(), 0x008000, 1);
        objet.Codes[0] = m_base->LocFormDic("chien", true);
        QVERIFY(fen->Depose(&objet, true));
        m_taches->Attend();
        QCOMPARE(fen->LbTgenSup()->text(), QStringLiteral("chien"));
        QVERIFY(fen->Carte().MarqueeSup(39));
        QVERIFY(fen->Carte().Marquee(39));
        fen->PaintBox1Clic(39, false, false);
        const QString html = fen->ParagEdit()->toHtml();
        QVERIFY(html.contains(QStringLiteral("#ff0000")));
        QVERIFY(html.contains(QStringLiteral("#008000")));

        // A text dropped from another program: a form becomes the main group.
        ui::EvDepotTexte inconnu(QStringLiteral(" inconnu "));
        QApplication::sendEvent(fen.get(), &inconnu);
        m_taches->Attend();
        QCOMPARE(fen->LbTgen1()->text(), QStringLiteral("chat"));
        ui::EvDepotTexte texte(QStringLiteral(" chien "));
        QApplication::sendEvent(fen.get(), &texte);
        m_taches->Attend();
        QCOMPARE(fen->LbTgen1()->text(), QStringLiteral("chien"));
        // The same from a drop of another program's text.
        QMimeData externe;
        externe.setText(QStringLiteral("chat"));
        QVERIFY(fen->Depose(&externe, false));
        QApplication::processEvents();
        m_taches->Attend();
        QCOMPARE(fen->LbTgen1()->text(), QStringLiteral("chat"));

        QTest::mouseClick(fen->Bouton("BtnEffacer"), Qt::LeftButton);
        QVERIFY(fen->Carte().Tgen1() == nullptr);
        QVERIFY(fen->LbTgen1()->text().isEmpty());
        QVERIFY(fen->LbTgenSup()->text().isEmpty());
        QVERIFY(!fen->Bouton("BtnOccSuiv")->isEnabled());
    }

    void clicsSurLaCarte() {
        auto fen = carte();
        fen->show();
        QTest::mouseClick(fen->PaintBox1(), Qt::LeftButton, {}, centre(*fen, 3));
        QCOMPARE(fen->Carte().SectCour(), 3);
        QTest::mouseClick(fen->PaintBox1(), Qt::LeftButton, Qt::ShiftModifier, centre(*fen, 9));
        QCOMPARE(fen->Carte().SectionsSelectionnees(), (std::vector<int32_t>{3, 4, 5, 6, 7, 8, 9}));
        QTest::mouseClick(fen->PaintBox1(), Qt::LeftButton, Qt::ControlModifier, centre(*fen, 5));
        QVERIFY(!fen->Carte().Selectionnee(5));
        QCOMPARE(fen->Carte().SectionsSelectionnees().size(), size_t(6));
        // Between two boxes: nothing.
        const DispositionCarte &d = fen->Carte().Disposition();
        QTest::mouseClick(fen->PaintBox1(), Qt::LeftButton, {}, QPoint(d.X(20) - 1, d.Y(20)));
        QCOMPARE(fen->Carte().SectCour(), 5);
        QTest::mouseClick(fen->PaintBox1(), Qt::LeftButton, {}, centre(*fen, 119));
        QVERIFY(!fen->Bouton("BtnSecSuiv")->isEnabled());
        QTest::mouseClick(fen->Bouton("BtnSecPrec"), Qt::LeftButton);
        QCOMPARE(fen->Carte().SectCour(), 118);
        QVERIFY(fen->Bouton("BtnSecSuiv")->isEnabled());
        // Painting the whole map goes through every box.
        QImage image(fen->PaintBox1()->size(), QImage::Format_RGB32);
        fen->PaintBox1()->render(&image);
        QCOMPARE(image.pixelColor(d.X(118), d.Y(118) + 4), QColor(Qt::blue));
    }

    // "Réglages": OK takes the shades and both thresholds; a threshold that is not an integer
    // is refused after what came before it was taken.
    void reglages() {
        test::Utilisateur utilisateur;
        auto fen = carte();
        QTest::mouseClick(fen->Bouton("BtnCol"), Qt::LeftButton);
        QCOMPARE(utilisateur.dialoguesModaux, 0); // no main group yet
        depose(*fen, "chat", false, 0x0000FF);
        utilisateur.dialogue = [](QDialog &d) {
            auto &r = static_cast<ui::TFenParamCarte &>(d);
            r.Edit1()->setText(QStringLiteral("7"));
            r.Edit2()->setText(QStringLiteral("x"));
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::mouseClick(fen->Bouton("BtnCol"), Qt::LeftButton);
        QCOMPARE(m_paramCarte->windowTitle(), QStringLiteral("Réglages"));
        QCOMPARE(m_paramCarte->ShCol(1)->property("couleur").toUInt(), NuancesDe(0x0000FF).moyenne);
        QCOMPARE(fen->Carte().Seuil2(), 7);
        QCOMPARE(fen->Carte().Seuil1(), 2);
        QCOMPARE(utilisateur.messages.size(), size_t(1));
        utilisateur.dialogue = [](QDialog &d) {
            static_cast<ui::TFenParamCarte &>(d).Edit2()->setText(QStringLiteral("3"));
            return static_cast<int>(QDialog::Accepted);
        };
        QTest::mouseClick(fen->Bouton("BtnCol"), Qt::LeftButton);
        QCOMPARE(fen->Carte().Seuil1(), 3);
        QCOMPARE(m_paramCarte->Edit1()->text(), QStringLiteral("7")); // kept from last time
        utilisateur.dialogue = {};
        m_paramCarte->Edit1()->setText(QStringLiteral("5"));
        m_paramCarte->Edit2()->setText(QStringLiteral("2"));
    }

    // A form selected in the text and pressed inside its selection is dragged as a group.
    void dragDuTexte() {
        auto fen = carte();
        fen->show();
        fen->PaintBox1Clic(2, false, false);
        ui::VueParag *texte = fen->ParagEdit();
        const int debut = texte->toPlainText().indexOf(QStringLiteral("chat"));
        QVERIFY(debut >= 0);
        QTextCursor c(texte->document());
        c.setPosition(debut);
        c.setPosition(debut + 4, QTextCursor::KeepAnchor);
        texte->setTextCursor(c);
        QTextCursor milieu(texte->document());
        milieu.setPosition(debut + 2);
        const QPoint p = texte->cursorRect(milieu).center();
        QTest::mousePress(texte->viewport(), Qt::LeftButton, {}, p);
        QVERIFY(texte->DragEnAttente());
        QCOMPARE(texte->CodeDeplace(), m_base->LocFormDic("chat", true));
        QTest::mouseRelease(texte->viewport(), Qt::LeftButton, {}, p);
        QVERIFY(!texte->DragEnAttente());
    }

    void rapportEtImages() {
        test::Utilisateur utilisateur;
        auto fen = carte();
        depose(*fen, "chat", false);
        QTest::mouseClick(fen->Bouton("BtnAjouteRap"), Qt::LeftButton);
        const auto &entrees = m_rapport->Entrees();
        QCOMPARE(entrees.size(), size_t(1));
        QCOMPARE(QString::fromLatin1(entrees[0].titre.c_str()), QString::fromLatin1("Section n\xB0"
                                                                                    "0"));
        QCOMPARE(m_rapport->Fichiers()[0], std::string("section-0.html"));
        QVERIFY(test::fileExists(m_rapport->Dossier() + "section-0.html"));
        // A second page of the same section does not overwrite the first.
        fen->BtnAjouteRapClick();
        QCOMPARE(m_rapport->Fichiers()[1], std::string("section-0-2.html"));

        for (int i = 0; i < 2; ++i) {
            QEvent demande(ui::WM_AJOUTE_RAPPORT);
            QApplication::sendEvent(fen.get(), &demande);
        }
        QCOMPARE(m_rapport->Fichiers()[2], std::string("img-section-.1.jpg"));
        QCOMPARE(m_rapport->Fichiers()[3], std::string("img-section-.2.jpg"));
        QVERIFY(m_rapport->Entrees()[3].titre.ends_with("(2)"));
        QVERIFY(m_rapport->Commentaires()[2].find("Terme = chat<br>") != std::string::npos);
        const QImage jpeg(QString::fromStdString(m_rapport->Dossier() + "img-section-.1.jpg"));
        QCOMPARE(jpeg.width(), fen->Carte().Disposition().Largeur());
        QVERIFY(utilisateur.messages.empty());
    }

    void exportsSvgEtPng() {
        test::Utilisateur utilisateur;
        auto fen = carte();
        utilisateur.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/carte.svg");
        fen->ExporteImage();
        const std::string svg = test::readFile(m_dir->path() + "/carte.svg");
        QVERIFY(svg.find("<svg") != std::string::npos);
        utilisateur.fichierEnregistrement = QString::fromStdString(m_dir->path() + "/carte.png");
        utilisateur.dialogue = [](QDialog &d) {
            d.findChild<QSpinBox *>(QStringLiteral("EdLargeur"))->setValue(366);
            return static_cast<int>(QDialog::Accepted);
        };
        fen->ExporteImage();
        const QImage png(QString::fromStdString(m_dir->path() + "/carte.png"));
        QCOMPARE(png.width(), 366);
        QCOMPARE(png.height(), fen->Carte().Disposition().Hauteur() / 2);
        QVERIFY(utilisateur.messages.empty());
    }

    // The partition list offers the base's partitions; choosing one lays the map out under
    // its spans.
    void partition() {
        auto fen = carte();
        auto p = std::make_unique<Partition>(*m_base, Partition::CodeCle(*m_base, "livre"));
        Partition *brute = p.get();
        QVERIFY(m_corpus->AjoutePartition(p.release()));
        fen->RemplitPartitions();
        QCOMPARE(fen->ComboGrp()->count(), 2);
        QCOMPARE(fen->ComboGrp()->itemText(1), QStringLiteral("livre"));
        const int hauteur = fen->PaintBox1()->height();
        fen->ComboGrpChange(1);
        QCOMPARE(fen->Carte().LaPartition(), brute);
        QCOMPARE(fen->Carte().Disposition().Entetes().size(), size_t(2));
        QVERIFY(fen->PaintBox1()->height() > hauteur);
        fen->ComboGrpChange(0);
        QVERIFY(fen->Carte().LaPartition() == nullptr);
        fen->ComboGrpChange(1);
        fen->BtnEffacerClick();
        QCOMPARE(fen->ComboGrp()->currentText(), QStringLiteral("<Aucune>"));
        QVERIFY(fen->Carte().LaPartition() == nullptr);
        m_corpus->Partitions.clear();
    }

    void specificites() {
        test::Utilisateur utilisateur;
        m_specs.clear();
        auto fen = carte();
        utilisateur.dialogue = [](QDialog &) { return static_cast<int>(QDialog::Accepted); };
        // Nothing selected: nothing opens.
        QTest::mouseClick(fen->Bouton("SpfButton"), Qt::LeftButton);
        m_taches->Attend();
        QVERIFY(m_specs.empty());
        QCOMPARE(m_paramSpec->EdFrqMin()->maximum(), m_base->Fmax());
        QCOMPARE(m_paramSpec->windowTitle(),
                 QStringLiteral("Paramétrage du calcul des spécificités"));
        depose(*fen, "chat", false);
        m_paramSpec->EdFrqMin()->setValue(1);
        m_paramSpec->EdSeuil()->setValue(50);
        QTest::mouseClick(fen->Bouton("BtnSpfSectTgen"), Qt::LeftButton);
        m_taches->Attend();
        QCOMPARE(m_specs.size(), size_t(1));
        QCOMPARE(m_specs[0].second, QStringLiteral("3 sections"));
        QVERIFY(!m_specs[0].first.empty());
        QCOMPARE(m_specs[0].first.front().Code, m_base->LocFormDic("chat", true));
        // Cancelled dialog: nothing.
        utilisateur.dialogue = {};
        fen->PaintBox1Clic(10, false, false);
        QTest::mouseClick(fen->Bouton("SpfButton"), Qt::LeftButton);
        m_taches->Attend();
        QCOMPARE(m_specs.size(), size_t(1));
        m_paramSpec->EdFrqMin()->setValue(2);
        m_paramSpec->EdSeuil()->setValue(5);
    }

    void anglais() {
        qputenv("LANGUAGE", "en");
        ui::RelitCatalogues();
        {
            auto fen = carte();
            QCOMPARE(fen->Bouton("BtnEffacer")->text(), QStringLiteral("Clear"));
            QCOMPARE(fen->ComboGrp()->currentText(), QStringLiteral("<None>"));
            ui::TFenParamSpecSect dialogue;
            QCOMPARE(dialogue.windowTitle(), QStringLiteral("Specificity computation settings"));
        }
        qunsetenv("LANGUAGE");
        ui::RelitCatalogues();
    }

    // Closing a map inside the frame only minimises it: its view keeps it.
    void fermetureMinimise() {
        QMdiArea mdi;
        auto fen = carte();
        ui::TFenCarteParag *brute = fen.get();
        QMdiSubWindow *cadre = mdi.addSubWindow(fen.release());
        cadre->show();
        cadre->close();
        QVERIFY(cadre->isMinimized());
        QVERIFY(!cadre->isHidden());
        QCOMPARE(cadre->widget(), brute);
    }
};

MORVIX_TEST_FENETRE(TestFenCarteParag)
#include "TestFenCarteParag.moc"
