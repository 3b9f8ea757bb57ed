// Opening bases: the command line, the segmentation flow and OuvreBase.
#include "mainwindow/TFenPrinc.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "dictionary/TFenDicNum.h"
#include "mainwindow/ConteneurGroupes.h"
#include "mainwindow/TFenNavig.h"
#include "report/ConversionTexte.h"
#include "report/TFenEddy.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include <QDir>

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

namespace morvix::ui {

namespace {

// Restores the normal cursor however the function ends.
struct CurseurAttente {
    CurseurAttente() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurAttente() { QGuiApplication::restoreOverrideCursor(); }
    CurseurAttente(const CurseurAttente &) = delete;
    CurseurAttente &operator=(const CurseurAttente &) = delete;
};

QString raisonErreur(int code) {
    switch (code) {
    case kChargeParam:
        return Tr("de lecture du fichier de paramètres");
    case kChargeDico:
        return Tr("de lecture du dictionnaire numérisé");
    case kChargeTexte:
        return Tr("de lecture du texte numérisé");
    case kChargeMemoire:
        return Tr(": Allocation mémoire impossible");
    default:
        return {};
    }
}

} // namespace

int32_t LimiteProposee(int32_t limite, int32_t atteints) {
    const int64_t voulu = std::max<int64_t>(int64_t{limite} * 2, int64_t{atteints} + atteints / 4);
    return static_cast<int32_t>(std::min<int64_t>(voulu, kMaxartMax));
}

void TFenPrinc::LigneCommande(const QString &ligne) {
    if (ligne.isEmpty()) {
        return;
    }
    const qsizetype blanc = ligne.indexOf(QLatin1Char(' '));
    const QFileInfo info(blanc < 0 ? ligne : ligne.left(blanc));
    const QString chemin = info.absoluteFilePath();
    QDir::setCurrent(info.absolutePath());
    if (!info.exists()) {
        return;
    }
    if (chemin.endsWith(QStringLiteral(".par"), Qt::CaseSensitive)) {
        OuvreBase(chemin);
    } else {
        Segmente(chemin);
    }
}

bool TFenPrinc::Segmente(const QString &choisi) {
    QString chemin = choisi;
    if (chemin.isEmpty()) {
        chemin = Interactions().choisitFichier(this, true);
        if (chemin.isEmpty()) {
            return false;
        }
    }
    // The base files and the trace go into the text's folder, where the base is opened.
    chemin = QFileInfo(chemin).absoluteFilePath();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    // A UTF-8 text or a word-processor document is segmented through its Windows-1252 copy.
    if (!PrepareTexteSegmentation(this, m_taches, chemin)) {
        return false;
    }
    const std::string natif = CheminNatif(chemin);
    std::optional<int32_t> erreurs;
    {
        CurseurAttente attente;
        StatusMessage(Tr("Vérification des clés"));
        erreurs =
            m_taches.Execute<int32_t>([natif](const Progression &) { return VerifCles(natif); });
    }
    if (!erreurs) {
        StatusMessage(Tr("Un calcul est en cours"));
        return false;
    }
    if (*erreurs != 0) {
        StatusMessage(QString());
        const QString trace = QDir::current().absoluteFilePath(QStringLiteral("atrace.txt"));
        Message(this, QMessageBox::Warning, Tr("Morvix3"),
                Tr("Problème dans les clefs.\nConsultez atrace.txt") +
                    Tr("\n(le rapport de vérification est dans %1)").arg(trace),
                QMessageBox::Ok);
        return false;
    }
    std::string delimiteurs = kDelimiteursDefaut;
    if (!Interactions().choisitDelimiteurs(this, delimiteurs)) {
        StatusMessage(QString());
        return false;
    }
    std::optional<SegmResult> resultat;
    for (;;) {
        {
            CurseurAttente attente;
            StatusMessage(Tr("Segmentation du texte"));
            const int32_t maxart = m_reglages.MAXART;
            resultat =
                m_taches.Execute<SegmResult>([natif, delimiteurs, maxart](const Progression &p) {
                    SegmOptions options;
                    options.maxart = maxart;
                    options.annulation = p.annulation;
                    options.gauge = p.StepIt;
                    return SegmPrinc(natif, delimiteurs, options);
                });
            m_gauge->setValue(0);
        }
        if (!resultat) {
            StatusMessage(Tr("Un calcul est en cours"));
            return false;
        }
        if (resultat->code == SegmCode::Annule) {
            StatusMessage(Tr("Segmentation annulée"));
            return false;
        }
        if (resultat->code != SegmCode::TropDArticles && resultat->code != SegmCode::ZonePleine) {
            break;
        }
        // The limit stopped the scan: offer to start again with one large enough.
        const int32_t limite = m_reglages.MAXART;
        const int32_t propose = LimiteProposee(limite, resultat->nbart);
        StatusMessage(QString());
        if (propose <= limite) {
            Message(this, QMessageBox::Warning, Tr("Morvix3"),
                    Tr("Le texte dépasse le nombre maximum d'articles que Morvix peut traiter "
                       "(%1).")
                        .arg(limite),
                    QMessageBox::Ok);
            return false;
        }
        const auto reponse =
            Message(this, QMessageBox::Question, Tr("Morvix3"),
                    Tr("Le texte compte plus de %1 articles distincts : la limite « Nombre "
                       "maximum d'articles » des options est atteinte.\nRecommencer la "
                       "segmentation avec une limite de %2 ?")
                        .arg(limite)
                        .arg(propose),
                    QMessageBox::Yes | QMessageBox::No);
        if (reponse != QMessageBox::Yes) {
            return false;
        }
        m_reglages.MAXART = propose;
    }
    if (!resultat->ok()) {
        // A failed segmentation leaves no new base: say why instead of opening nothing.
        StatusMessage(QString());
        Message(this, QMessageBox::Warning, Tr("Morvix3"),
                QString::fromStdString(resultat->message), QMessageBox::Ok);
        return false;
    }
    const qsizetype point = chemin.lastIndexOf(QLatin1Char('.'));
    const qsizetype barre = chemin.lastIndexOf(QLatin1Char('/'));
    const QString par = (point > barre ? chemin.left(point + 1) : chemin + QLatin1Char('.')) +
                        QStringLiteral("par");
    return OuvreBase(par);
}

void TFenPrinc::FermeFenetresBase() {
    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
        w->close();
        delete w;
    }
    for (int i = m_listesGauche->count() - 1; i >= 2; --i) {
        QWidget *page = m_listesGauche->widget(i);
        m_listesGauche->removeTab(i);
        delete page;
    }
    for (auto &feuille : m_feuilles) {
        feuille.clear();
    }
}

bool TFenPrinc::OuvreBase(const QString &choisi) {
    QString chemin = choisi;
    if (chemin.isEmpty()) {
        chemin = Interactions().choisitFichier(this, false);
        if (chemin.isEmpty()) {
            return false;
        }
    }
    // The report belongs to the base it was made on: offer to keep it before it goes.
    if (m_rapport && !m_rapport->Enregistre()) {
        const auto reponse = Message(this, QMessageBox::Question, Tr("Morvix3"),
                                     Tr("Le rapport a été modifié.\nVoulez-vous le sauvegarder ?"),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (reponse == QMessageBox::Cancel ||
            (reponse == QMessageBox::Yes && !SauveRapportSous())) {
            return false;
        }
    }
    // The new base is loaded beside the open one, which stays usable until it has loaded.
    struct Chargement {
        std::unique_ptr<charg1> base;
        int code = kChargeOk;
    };
    const std::string natif = CheminNatif(chemin);
    std::optional<Chargement> charge;
    {
        CurseurAttente attente;
        StatusMessage(Tr("Chargement des données"));
        charge = m_taches.Execute<Chargement>([natif](const Progression &p) {
            Chargement c;
            c.base = std::make_unique<charg1>();
            c.base->AttribGauge(p.StepIt);
            c.base->AttribAnnulation(p.annulation);
            c.code = c.base->ChargeBase(natif);
            c.base->AttribGauge({});
            c.base->AttribAnnulation(nullptr);
            return c;
        });
        m_gauge->setValue(0);
        StatusMessage(QString());
    }
    if (!charge) {
        StatusMessage(Tr("Un calcul est en cours"));
        return false;
    }
    if (charge->code == kChargeAnnule) {
        StatusMessage(Tr("Ouverture annulée"));
        return false;
    }
    if (charge->code != kChargeOk) {
        // The reason, then the file at fault and the cause as the loader tells them.
        QString texte = Tr("Erreur ") + raisonErreur(charge->code);
        if (!charge->base->Erreur().empty()) {
            texte += QStringLiteral("\n\n") + QString::fromStdString(charge->base->Erreur());
        }
        Message(this, QMessageBox::Warning, chemin, texte, QMessageBox::Ok);
        return false;
    }
    if (m_base) {
        // Nothing may outlive the base it reads.
        FermeFenetresBase();
        m_rapport.reset();
        InitArbreRapport();
        m_queue = TgenQueue();
        m_container->Actualise();
        m_corpus.RetireBase(m_base.get());
        m_base.reset();
        m_segRep.reset();
        // One branch per open base: the closed base's branch goes with its windows.
        m_navig->RetireBranche(m_branche);
        m_branche = nullptr;
    }
    m_base = std::move(charge->base);
    m_base->AttribGauge([this](int32_t) { GaugeStepIt(); });
    m_corpus.AjouteBase(m_base.get());
    m_panneaux[2]->setText(chemin);
    ActiveCommandesBase(true);
    m_branche = m_navig->AjouteBase(chemin);
    NouvelleFeuille();
    // The base's windows open on the sheet made for them.
    m_onglets->setCurrentIndex(m_onglets->count() - 1);
    repaint();

    {
        CurseurAttente attente;
        StatusMessage(Tr("Affichage du dictionnaire"));
        OuvreDictionnaire();
        StatusMessage(QString());
    }
    m_navig->TreePages()->setVisible(true);

    InitArbreRapport();
    m_rapport = std::make_unique<morvix::Rapport>(static_cast<RapportArbre *>(this), m_base.get());
    m_btnSauvRapport->setEnabled(true);

    StatusMessage(Tr("Affichage du texte"));
    OuvreTexte();
    StatusMessage(Tr("Prêt"));
    return true;
}

void TFenPrinc::OuvreDictionnaire() {
    if (!m_base) {
        return;
    }
    if (!m_fenDic) {
        m_fenDic = new TFenDicNum(*m_base);
        Docke(m_fenDic);
    }
    m_listesGauche->setCurrentWidget(m_fenDic);
}

void TFenPrinc::OuvreTexte() {
    if (!m_base) {
        return;
    }
    if (m_fenEddy) {
        ChoixNoeud(m_fenEddy->parentWidget());
        return;
    }
    m_fenEddy = new TFenEddy(*m_base);
    QMdiSubWindow *cadre = AjouteEnfant(m_fenEddy);
    cadre->showMaximized();
    m_navig->SetFenetre(TFenNavig::Enfant(m_branche, Tr("Texte")), cadre);
}

void TFenPrinc::NoeudChoisi(QTreeWidgetItem *noeud) {
    // The text and the dictionary of the open base come back when they were closed.
    if (noeud == nullptr || m_branche == nullptr || noeud->parent() != m_branche) {
        return;
    }
    if (noeud->text(0) == Tr("Texte") && !m_fenEddy) {
        OuvreTexte();
    } else if (noeud->text(0) == Tr("Dictionnaire")) {
        OuvreDictionnaire();
    }
}

} // namespace morvix::ui
