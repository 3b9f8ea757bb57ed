#include "ExportImage.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "report/Rapport.h"
#include "report/RapportOutils.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QSpinBox>
#include <QSvgGenerator>

#include <algorithm>

namespace morvix::ui {

namespace {

// A PNG is refused beyond this many pixels rather than exhausting the memory.
constexpr qint64 kPixelsPngMax = 400LL * 1000 * 1000;

bool estSvg(const QString &chemin) {
    return QFileInfo(chemin).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

// The dialog asking for the width of a PNG; the height follows.
int demandeLargeur(QWidget *parent, QSize taille) {
    QDialog dialogue(parent);
    dialogue.setObjectName(QStringLiteral("DialogueTaillePng"));
    dialogue.setWindowTitle(Tr("Taille de l'image"));
    auto *largeur = new QSpinBox;
    largeur->setObjectName(QStringLiteral("EdLargeur"));
    largeur->setRange(16, kLargeurPngMax);
    largeur->setValue(std::clamp(taille.width(), 16, kLargeurPngMax));
    largeur->setSuffix(Tr(" pixels"));
    auto *hauteur = new QLabel;
    hauteur->setObjectName(QStringLiteral("LbHauteur"));
    auto majHauteur = [hauteur, largeur, taille] {
        const qint64 h = taille.width() > 0 ? static_cast<qint64>(taille.height()) *
                                                  largeur->value() / taille.width()
                                            : 0;
        hauteur->setText(QString::number(h) + Tr(" pixels"));
    };
    majHauteur();
    QObject::connect(largeur, &QSpinBox::valueChanged, &dialogue, majHauteur);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
    auto *forme = new QFormLayout(&dialogue);
    forme->addRow(Tr("Largeur :"), largeur);
    forme->addRow(Tr("Hauteur :"), hauteur);
    forme->addRow(boutons);
    if (ExecuteDialogue(dialogue) != QDialog::Accepted) {
        return 0;
    }
    return largeur->value();
}

} // namespace

bool EnregistreDessin(const QString &chemin, QSize taille, const Dessin &dessin, int largeurPng,
                      QString *erreur) {
    auto echec = [&](const QString &raison) {
        if (erreur != nullptr) {
            *erreur = raison;
        }
        return false;
    };
    if (taille.isEmpty()) {
        return echec(Tr("Le dessin est vide."));
    }
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) {
        return echec(
            Tr("Impossible d'écrire le fichier %1 : %2").arg(chemin, fichier.errorString()));
    }
    if (estSvg(chemin)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&fichier);
        svg.setSize(taille);
        svg.setViewBox(QRect(QPoint(0, 0), taille));
        svg.setTitle(QFileInfo(chemin).completeBaseName());
        QPainter peintre(&svg);
        dessin(peintre);
        peintre.end();
    } else {
        const int largeur = largeurPng > 0 ? largeurPng : taille.width();
        const qint64 hauteur = static_cast<qint64>(taille.height()) * largeur / taille.width();
        if (hauteur < 1 || static_cast<qint64>(largeur) * hauteur > kPixelsPngMax) {
            return echec(
                Tr("L'image de %1 × %2 pixels est trop grande.").arg(largeur).arg(hauteur));
        }
        QImage image(largeur, static_cast<int>(hauteur), QImage::Format_RGB32);
        if (image.isNull()) {
            return echec(Tr("Mémoire insuffisante pour une image de %1 × %2 pixels.")
                             .arg(largeur)
                             .arg(hauteur));
        }
        image.fill(Qt::white);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing, false);
        peintre.scale(static_cast<double>(largeur) / taille.width(),
                      static_cast<double>(hauteur) / taille.height());
        dessin(peintre);
        peintre.end();
        if (!image.save(&fichier, "PNG")) {
            return echec(Tr("Impossible d'écrire le fichier %1.").arg(chemin));
        }
    }
    if (!fichier.commit()) {
        return echec(
            Tr("Impossible d'écrire le fichier %1 : %2").arg(chemin, fichier.errorString()));
    }
    return true;
}

void ExporteDessin(QWidget *parent, const QString &nom, QSize taille, const Dessin &dessin) {
    QString chemin = Interactions().choisitFichierEnregistrement(
        parent, Tr("Enregistrer l'image"), Tr("Image SVG (*.svg);;Image PNG (*.png)"), nom);
    if (chemin.isEmpty()) {
        return;
    }
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    if (suffixe != QLatin1String("svg") && suffixe != QLatin1String("png")) {
        chemin += QStringLiteral(".svg");
    }
    int largeur = 0;
    if (!estSvg(chemin)) {
        largeur = demandeLargeur(parent, taille);
        if (largeur == 0) {
            return;
        }
    }
    QString erreur;
    if (!EnregistreDessin(chemin, taille, dessin, largeur, &erreur)) {
        Message(parent, QMessageBox::Warning, Tr("Enregistrer l'image"), erreur, QMessageBox::Ok);
    }
}

QImage ImageDessin(const DessinExport &dessin) {
    const QSize taille = dessin.taille().expandedTo(QSize(1, 1));
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    dessin.dessine(peintre);
    peintre.end();
    return image;
}

QAction *ActionExportImage(QWidget *proprietaire, DessinExport dessin, QString nom) {
    auto *action = new QAction(Tr("Enregistrer l'image..."), proprietaire);
    action->setObjectName(QStringLiteral("ActionExportImage"));
    QObject::connect(action, &QAction::triggered, proprietaire,
                     [proprietaire, dessin = std::move(dessin), nom = std::move(nom)] {
                         ExporteDessin(proprietaire, nom, dessin.taille(), dessin.dessine);
                     });
    return action;
}

bool AjouteImageRapport(morvix::Rapport &rapport, const QImage &image, const std::string &souche,
                        const std::string &titre, const std::string &commentaire, QString *erreur) {
    if (!rapport.Valide()) {
        *erreur = QString::fromStdString(rapport.Erreur());
        return false;
    }
    const std::string nom = rapport.NomLibre(NomFichierRapport(souche), ".jpg", true);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (!EcritJpeg(rapport.Dossier() + nom, rgb.width(), rgb.height(), rgb.constBits(),
                   static_cast<int32_t>(rgb.bytesPerLine()), kQualiteJpegRapport)) {
        *erreur = Tr("%1 ne peut être écrit").arg(DeCp1252(nom));
        return false;
    }
    if (!rapport.AjouteEntree(titre, nom, commentaire)) {
        *erreur = QString::fromStdString(rapport.Erreur());
        return false;
    }
    return true;
}

void AjouteImageAuRapport(QWidget *fenetre, const FournisseurRapport &rapport, const QImage &image,
                          const std::string &souche, const std::string &titre,
                          const std::string &commentaire) {
    morvix::Rapport *r = rapport ? rapport() : nullptr;
    if (r == nullptr) {
        return;
    }
    QString erreur;
    if (!AjouteImageRapport(*r, image, souche, titre, commentaire, &erreur)) {
        Message(fenetre, QMessageBox::Warning, fenetre->windowTitle(),
                Tr("L'image n'a pas pu être ajoutée au rapport : %1").arg(erreur), QMessageBox::Ok);
    }
}

} // namespace morvix::ui
