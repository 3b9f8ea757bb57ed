// The section map's contributions to the report (the current section's page, the map's
// image) and its SVG and PNG exports.
#include "sections/TFenCarteParag.h"

#include "ExportImage.h"
#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"
#include "base/charg1.h"
#include "corpus/Section.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"
#include "report/Rapport.h"
#include "report/RapportOutils.h"
#include "sections/RapportCarte.h"
#include "sections/TexteSection.h"
#include "sections/VueCarte.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace morvix::ui {

namespace {

// Side limit of a baseline JPEG, and a bound on the image's memory: a larger map is scaled
// down to fit.
constexpr double kCoteJpegMax = 65000;
constexpr double kPixelsJpegMax = 120e6;

} // namespace

void TFenCarteParag::BtnAjouteRapClick() {
    Rapport *rapport = m_ctx.rapport ? m_ctx.rapport() : nullptr;
    const int32_t s = m_carte.SectCour();
    if (rapport == nullptr || !rapport->Valide() || s < 0 || s >= m_carte.NbSections()) {
        return;
    }
    const int32_t n = NumeroLibre(*rapport, [s](int32_t k) { return NomPageSection(s, k); });
    const std::string fichier = NomPageSection(s, n);
    if (!EcritPageRapport(rapport->Dossier() + fichier,
                          PageSection(m_section, s, m_carte.Tgen1()))) {
        Message(
            this, QMessageBox::Warning, Tr("Ajouter au rapport"),
            Tr("Impossible d'écrire la page %1 dans le dossier du rapport.").arg(DeCp1252(fichier)),
            QMessageBox::Ok);
        return;
    }
    rapport->AjouteEntree(VersCp1252(Tr("Section n°") + QString::number(s)), fichier, " ");
}

void TFenCarteParag::AjouteImageRapport() {
    Rapport *rapport = m_ctx.rapport ? m_ctx.rapport() : nullptr;
    if (rapport == nullptr || !rapport->Valide()) {
        return;
    }
    const std::string delimiteur = m_section.Delims.empty()
                                       ? std::string()
                                       : m_base.RetourneGraphie(m_section.Delims[0], false);
    const int32_t n =
        NumeroLibre(*rapport, [&delimiteur](int32_t k) { return NomImageCarte(delimiteur, k); });
    const std::string fichier = NomImageCarte(delimiteur, n);

    const DispositionCarte &d = m_carte.Disposition();
    const double echelle =
        std::min({1.0, kCoteJpegMax / d.Largeur(), kCoteJpegMax / d.Hauteur(),
                  std::sqrt(kPixelsJpegMax / (static_cast<double>(d.Largeur()) * d.Hauteur()))});
    const int largeur = std::max(1, static_cast<int>(d.Largeur() * echelle));
    const int hauteur = std::max(1, static_cast<int>(d.Hauteur() * echelle));
    QImage image(largeur, hauteur, QImage::Format_RGB888);
    bool ecrite = false;
    if (!image.isNull()) {
        image.fill(Qt::white);
        QPainter peintre(&image);
        peintre.scale(echelle, echelle);
        DessineCarte(peintre, m_carte);
        peintre.end();
        ecrite = EcritJpeg(rapport->Dossier() + fichier, largeur, hauteur, image.constBits(),
                           static_cast<int32_t>(image.bytesPerLine()), kQualiteJpegRapport);
    }
    if (!ecrite) {
        Message(
            this, QMessageBox::Warning, Tr("Ajouter au rapport"),
            Tr("Impossible d'écrire l'image %1 dans le dossier du rapport.").arg(DeCp1252(fichier)),
            QMessageBox::Ok);
        return;
    }

    ContenuImageCarte contenu;
    contenu.titre = VersCp1252(windowTitle()) + "(" + std::to_string(n) + ")";
    contenu.groupe1 = m_carte.Tgen1() != nullptr ? &m_carte.Tgen1()->Nom : nullptr;
    contenu.groupeSup = m_carte.TgenSup() != nullptr ? &m_carte.TgenSup()->Nom : nullptr;
    contenu.nomBase = m_base.NomBase();
    std::string cle;
    if (const Partition *p = m_carte.LaPartition()) {
        cle = m_base.RetourneGraphie(p->Cle, false);
        contenu.cle = &cle;
    } else {
        contenu.cle = nullptr;
    }
    rapport->AjouteEntree(contenu.titre, fichier, CommentaireImageCarte(contenu));
}

void TFenCarteParag::ExporteImage() {
    const DispositionCarte &d = m_carte.Disposition();
    ExporteDessin(this, QStringLiteral("carte-sections.svg"), QSize(d.Largeur(), d.Hauteur()),
                  [this](QPainter &p) { DessineCarte(p, m_carte); });
}

} // namespace morvix::ui
