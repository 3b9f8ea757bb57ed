#include "report/PreparationTexte.h"

#include "report/LectureDocument.h"
#include "util/FichierRemplace.h"

namespace morvix {

ResultatConversion PrepareTexte(const std::string &chemin, EncodageEntree mode,
                                const Annulation *annulation,
                                const std::function<void(int32_t)> &gauge) {
    if (FormatDocumentDe(chemin) == FormatDocument::Aucun)
        return ConvertitTexteCp1252(chemin, mode, annulation, gauge);
    ResultatConversion r;
    r.chemin = chemin;
    r.document = true;
    const ParagraphesDocument doc = LitParagraphes(chemin, annulation);
    if (doc.annule || !doc.ok) {
        r.annule = doc.annule;
        r.ok = doc.ok;
        r.message = doc.message;
        return r;
    }
    const std::string copie = CheminCopieCp1252(chemin);
    FichierRemplace sortie;
    if (!sortie.Ouvre(copie)) {
        r.ok = false;
        r.message = "la copie Windows-1252 ne peut être écrite : " + sortie.Erreur();
        return r;
    }
    ConvertisseurCp1252 conv;
    std::string ligne;
    for (const std::string &p : doc.paragraphes) {
        if (Annulee(annulation)) {
            r.annule = true;
            return r;
        }
        ligne.clear();
        conv.Ajoute(p, ligne);
        conv.Termine(ligne);
        ligne += "\r\n";
        sortie.Ecrit(ligne);
    }
    if (gauge)
        gauge(0);
    if (!sortie.Valide()) {
        r.ok = false;
        r.message = "la copie Windows-1252 ne peut être écrite : " + sortie.Erreur();
        return r;
    }
    r.chemin = copie;
    r.converti = true;
    r.nbRemplaces = conv.NbRemplaces();
    r.nbEspaces = conv.NbEspaces();
    return r;
}

} // namespace morvix
