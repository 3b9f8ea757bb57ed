// qz5afc: reads "coran.don" in the working directory, analyses it and leaves "vp.txt",
// "facteurs.txt" (the columns) and "lignes.txt" (the rows) beside it. A malformed table
// gives a message on stderr, exit status 1, and no "facteurs.txt".
#include "AnalyseAfc.h"
#include "CoranDon.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    using namespace morvix::afc;
    if (argc > 1) {
        std::fprintf(stderr, "usage: %s   (lit coran.don dans le dossier courant)\n", argv[0]);
        return 2;
    }
    TableAfc table;
    std::string erreur;
    if (!LitCoranDon("coran.don", table, erreur)) {
        std::fprintf(stderr, "qz5afc: %s\n", erreur.c_str());
        return 1;
    }
    ResultatAfc r;
    if (!CalculeAfc(table, r, erreur)) {
        std::fprintf(stderr, "qz5afc: coran.don : %s\n", erreur.c_str());
        return 1;
    }
    // facteurs.txt last: its presence tells that the whole run succeeded.
    if (!EcritVp("vp.txt", r, erreur) || !EcritLignes("lignes.txt", r, erreur) ||
        !EcritFacteurs("facteurs.txt", r, erreur)) {
        std::fprintf(stderr, "qz5afc: les résultats ne peuvent être écrits : %s\n", erreur.c_str());
        return 1;
    }
    return 0;
}
