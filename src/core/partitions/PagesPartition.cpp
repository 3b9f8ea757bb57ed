#include "partitions/PagesPartition.h"

#include "base/SegmentStore.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "partitions/TableSpec.h"
#include "partitions/TextesPartition.h"
#include "report/RapportOutils.h"
#include "util/TextWriter.h"

namespace morvix {

namespace {

// The graphy of a code, a segment's made here from its forms: the base's own buffer for
// segment graphies is shared, and the table's page is built off the interface thread.
std::string graphie(const charg1 &base, int32_t code) {
    const SegmentStore *store = base.SegmentStoreAttache();
    const int32_t k = code - base.Nbart() - 1;
    if (store == nullptr || k < 0 || k >= store->NbSegments())
        return base.RetourneGraphie(code, false);
    std::string g;
    for (int32_t f : store->Formes(k)) {
        g += base.RetourneGraphie(f, false);
        g += ' ';
    }
    return g;
}

std::string graphieCle(const Partition &partition) {
    return partition.Base().RetourneGraphie(partition.Cle, false);
}

} // namespace

std::string PagePCLC(const Partition &partition, std::string_view titre) {
    const charg1 &base = partition.Base();
    const std::string t = EchappeHtml(titre);
    std::string page = "<html>\n<head><title>" + t + "</title></head>\n<body bgcolor=#ffffff>\n" +
                       t + "<br>\n<table border=1><font size=-2>\n";
    page += cp1252Literal("<tr><td>Partie<td>Nb occurrences<td>Nb formes<td>Nb hapax<td>Fréq. "
                          "Max<td>Forme");
    for (int32_t q = 0; q < partition.NbParties; ++q) {
        const auto i = static_cast<size_t>(q);
        page += "\n<tr><td>" + EchappeHtml(partition.Libelle(q));
        for (int32_t v : {partition.Taille[i], partition.NbFormes[i], partition.NbHapax[i],
                          partition.FmaxPartie[i]})
            page += "<td align=\"right\">" + std::to_string(v);
        // A part without forms has no most frequent form.
        page += "<td>";
        if (partition.FmaxPartie[i] > 0)
            page += EchappeHtml(base.RetourneGraphie(partition.FormeFmax[i], false));
    }
    page += "</font></table>\n</body>\n</html>";
    return page;
}

std::string PageTableSpec(const TableSpec &table, std::string_view titre) {
    std::string page;
    PageTableSpec(table, titre, [&page](std::string_view morceau) {
        page += morceau;
        return true;
    });
    return page;
}

bool PageTableSpec(const TableSpec &table, std::string_view titre,
                   const std::function<bool(std::string_view morceau)> &sortie) {
    const Partition &partition = table.LaPartition();
    const charg1 &base = partition.Base();
    const std::string t = EchappeHtml(titre) + " : Tableau des sp&eacute;cificit&eacute;s";
    std::string page = "<html>\n<head><title>" + t + "</title></head>\n<body bgcolor=#ffffff>\n" +
                       t + "<br>\n<table border=1><font size=-2>\n<tr><td>Formes";
    if (base.SegmentStoreAttache() != nullptr)
        page += "/SR";
    for (int32_t c = 0; c < table.NbColonnes(); ++c)
        page += "<td colspan=2>" + EchappeHtml(partition.Libelle(table.Partie(c)));
    constexpr size_t kMorceau = 1 << 16;
    for (int32_t r = 0; r < table.NbLignes(); ++r) {
        page += "\n<tr><td>";
        page += EchappeHtml(graphie(base, table.Code(r)));
        for (int32_t c = 0; c < table.NbColonnes(); ++c) {
            page += "<td align=\"right\">" + std::to_string(table.Frequence(r, c));
            page += "<td align=\"right\">" + TexteCoeffPageTableau(table.Coeff(r, c));
        }
        if (page.size() >= kMorceau) {
            if (!sortie(page))
                return false;
            page.clear();
        }
    }
    page += "</font></table>\n</body>\n</html>";
    return sortie(page);
}

std::string PageSpecGrp(const charg1 &base, const std::vector<ResSpec> &resultats,
                        const EntetePageSpec &entete) {
    const std::string titre = EchappeHtml(entete.Titre);
    std::string cle;
    if (entete.Cle != nullptr)
        cle = EchappeHtml(*entete.Cle);
    std::string page = "<html>\n<head><title>" + titre +
                       "</title></head>\n<body bgcolor=#ffffff>\n" +
                       EnteteRapport(EchappeHtml(entete.NomBase),
                                     entete.Cle != nullptr ? &cle : nullptr, entete.Date) +
                       titre + "<br>\n" + EchappeHtml(entete.TexteParties) +
                       "<br>\n<table border=1><font size=-2>\n";
    page += cp1252Literal("<tr><td>Forme<td>Frq. Tot.<td>Fréquence<td>Coeff.");
    for (const ResSpec &r : resultats) {
        page += "<tr><td>" + EchappeHtml(graphie(base, r.Code));
        page += "<td align=right>" + std::to_string(r.F);
        page += "<td align=right>" + std::to_string(r.k);
        page += "<td align=right>" + TexteCoeffPageListe(r.Coeff) + "\n";
    }
    page += "</font></table>\n</body>\n</html>";
    return page;
}

std::string NomPagePCLC(const Partition &partition) {
    return "pclc" + graphieCle(partition) + ".html";
}

std::string NomPageTableSpec(const Partition &partition) {
    return "tfg" + graphieCle(partition) + ".html";
}

} // namespace morvix
