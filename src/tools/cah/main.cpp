// qz5cah: Ward's clustering of the active parts on their correspondence-analysis
// coordinates, read from "facteurs.txt" in the working directory; writes "cah.txt" (the
// merge sequence and a text dendrogram). Without a readable factor file: a message on
// stderr, exit status 1, and no "cah.txt".
#include "ClassificationWard.h"

#include "afc/FichierEchange.h"
#include "afc/TListePoints.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    using namespace morvix;
    if (argc > 1) {
        std::fprintf(stderr, "usage: %s   (lit facteurs.txt dans le dossier courant)\n", argv[0]);
        return 2;
    }
    TListePoints points("facteurs.txt");
    if (!points.Valide()) {
        std::fprintf(stderr, "qz5cah: %s : %s\n", kErreurFacteurs, points.Erreur().c_str());
        return 1;
    }
    std::string texte, erreur;
    if (!cah::TexteCah(points, texte, erreur)) {
        std::fprintf(stderr, "qz5cah: %s\n", erreur.c_str());
        return 1;
    }
    FichierEchange w(true);
    if (w.Ouvre("cah.txt"))
        w.Ecrit(texte);
    if (!w.Valide()) {
        std::fprintf(stderr, "qz5cah: cah.txt ne peut être écrit : %s\n", w.Erreur().c_str());
        return 1;
    }
    return 0;
}
