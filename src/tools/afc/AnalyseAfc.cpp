#include "AnalyseAfc.h"

#include "afc/FichierEchange.h"

#include <Eigen/Dense>
#include <Eigen/SVD>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace morvix::afc {

namespace {

using Eigen::Index;
using Eigen::MatrixXd;
using Eigen::VectorXd;

double inverse(double x) { return x > 0 ? 1.0 / x : 0.0; }

// Points from principal coordinates (one row per point), masses and squared distances.
void remplit(std::vector<PointAfc> &points, const MatrixXd &coord, const VectorXd &masse,
             const VectorXd &d2, const std::vector<double> &lambda, int32_t nf) {
    for (size_t p = 0; p < points.size(); ++p) {
        PointAfc &pt = points[p];
        const auto i = static_cast<Index>(p);
        pt.masse = masse[i];
        // A point without mass has no profile: it stays at the origin.
        const double d2i = masse[i] > 0 ? std::max(0.0, d2[i]) : 0.0;
        pt.distance = std::sqrt(d2i);
        pt.coord.assign(static_cast<size_t>(nf), 0.0);
        pt.ctr.assign(static_cast<size_t>(nf), 0.0);
        pt.cos2.assign(static_cast<size_t>(nf), 0.0);
        for (Index k = 0; k < coord.cols() && k < nf; ++k) {
            const auto uk = static_cast<size_t>(k);
            double g = coord(i, k);
            pt.coord[uk] = g;
            pt.cos2[uk] = d2i > 0 ? g * g / d2i : 0.0;
            if (pt.actif && lambda[uk] > 0)
                pt.ctr[uk] = masse[i] * g * g / lambda[uk];
        }
    }
}

// The rows restricted to the active columns, renumbered 0 … nbActives-1: a sparse
// matrix, since most cells of a table of forms by parts are 0.
struct Creuse {
    std::vector<int64_t> debut; // row i: entries debut[i] … debut[i+1)
    std::vector<int32_t> colonne;
    std::vector<double> valeur;
    Index lignes() const { return static_cast<Index>(debut.size()) - 1; }
    double somme(Index i) const {
        double s = 0;
        for (int64_t x = debut[static_cast<size_t>(i)]; x < debut[static_cast<size_t>(i) + 1]; ++x)
            s += valeur[static_cast<size_t>(x)];
        return s;
    }
};

Creuse restreint(const std::vector<LigneTable> &lignes, const std::vector<int32_t> &indexActif) {
    Creuse c;
    c.debut.reserve(lignes.size() + 1);
    c.debut.push_back(0);
    for (const LigneTable &l : lignes) {
        for (size_t x = 0; x < l.colonnes.size(); ++x) {
            const int32_t a = indexActif[static_cast<size_t>(l.colonnes[x])];
            if (a >= 0) {
                c.colonne.push_back(a);
                c.valeur.push_back(static_cast<double>(l.valeurs[x]));
            }
        }
        c.debut.push_back(static_cast<int64_t>(c.colonne.size()));
    }
    return c;
}

// Profiles of the rows of `c` times the columns of `gamma` (its first `nk` columns).
MatrixXd profilsFois(const Creuse &c, const MatrixXd &gamma, Index nk) {
    MatrixXd out = MatrixXd::Zero(c.lignes(), nk);
    for (Index i = 0; i < c.lignes(); ++i) {
        const double inv = inverse(c.somme(i));
        for (int64_t x = c.debut[static_cast<size_t>(i)]; x < c.debut[static_cast<size_t>(i) + 1];
             ++x)
            out.row(i) += (c.valeur[static_cast<size_t>(x)] * inv) *
                          gamma.row(c.colonne[static_cast<size_t>(x)]).head(nk);
    }
    return out;
}

// Squared chi-square distances of the row profiles of `c` to `centre` (zero rows: 0).
VectorXd distances2(const Creuse &c, const VectorXd &centre) {
    VectorXd inv = centre.unaryExpr([](double x) { return inverse(x); });
    // Over every column, as the profile's cells that are 0 count too.
    const double base = centre.cwiseProduct(centre).cwiseProduct(inv).sum();
    VectorXd d2(c.lignes());
    for (Index i = 0; i < c.lignes(); ++i) {
        const double s = inverse(c.somme(i));
        double d = base;
        for (int64_t x = c.debut[static_cast<size_t>(i)]; x < c.debut[static_cast<size_t>(i) + 1];
             ++x) {
            const auto j = static_cast<Index>(c.colonne[static_cast<size_t>(x)]);
            const double h = c.valeur[static_cast<size_t>(x)] * s - centre[j];
            d += (h * h - centre[j] * centre[j]) * inv[j];
        }
        d2[i] = s > 0 ? d : 0.0;
    }
    return d2;
}

// Cross-products of the standardized residuals, S'S with S = Dr^-1/2 (P - r c') Dc^-1/2.
// With A = Dr^-1/2 P Dc^-1/2 (as sparse as the table), u = Dr^1/2 1 and w = Dc^1/2 1,
// S = A - u w', so S'S = A'A - v w' - w v' + (u'u) w w' with v = A'u. A'A is summed row
// by row: the pairs of non-zero cells of a sparse row, dense blocks for the full rows.
MatrixXd produitsCroises(const Creuse &n, double total, const VectorXd &rs, const VectorXd &cs,
                         const VectorXd &rm, const VectorXd &cm) {
    const Index nj = cm.size();
    MatrixXd g = MatrixXd::Zero(nj, nj); // lower triangle
    VectorXd v = VectorXd::Zero(nj);
    constexpr Index kBloc = 256;
    MatrixXd bloc(kBloc, nj);
    Index dansBloc = 0;
    auto videBloc = [&] {
        if (dansBloc > 0)
            g.selfadjointView<Eigen::Lower>().rankUpdate(bloc.topRows(dansBloc).transpose());
        dansBloc = 0;
    };
    std::vector<double> a;
    std::vector<Index> j;
    for (Index i = 0; i < n.lignes(); ++i) {
        const auto d = static_cast<size_t>(i);
        a.clear();
        j.clear();
        for (int64_t x = n.debut[d]; x < n.debut[d + 1]; ++x) {
            const auto c = static_cast<Index>(n.colonne[static_cast<size_t>(x)]);
            const double aij = n.valeur[static_cast<size_t>(x)] / total * rs[i] * cs[c];
            a.push_back(aij);
            j.push_back(c);
            v[c] += aij * std::sqrt(rm[i]);
        }
        if (static_cast<Index>(a.size()) * 4 >= nj) {
            bloc.row(dansBloc).setZero();
            for (size_t x = 0; x < a.size(); ++x)
                bloc(dansBloc, j[x]) = a[x];
            if (++dansBloc == kBloc)
                videBloc();
            continue;
        }
        for (size_t x = 0; x < a.size(); ++x)
            for (size_t y = x; y < a.size(); ++y) {
                // Columns come in ascending order, so (j[y], j[x]) is in the lower triangle.
                g(j[y], j[x]) += a[x] * a[y];
            }
    }
    videBloc();
    const VectorXd w = cm.cwiseSqrt();
    const double uu = rm.sum();
    g.triangularView<Eigen::StrictlyUpper>() = g.transpose();
    g -= v * w.transpose() + w * v.transpose();
    g += uu * (w * w.transpose());
    return g;
}

} // namespace

bool CalculeAfc(const TableAfc &table, ResultatAfc &r, std::string &erreur) {
    r = ResultatAfc{};
    const int32_t nf = table.nbFacteurs;
    std::vector<int32_t> actives, indexActif(static_cast<size_t>(table.nbColonnes), -1);
    for (int32_t j = 0; j < table.nbColonnes; ++j)
        if (table.types[static_cast<size_t>(j)] == 1) {
            indexActif[static_cast<size_t>(j)] = static_cast<int32_t>(actives.size());
            actives.push_back(j);
        }
    if (actives.empty()) {
        erreur = "aucune colonne active";
        return false;
    }
    const Creuse n = restreint(table.actives, indexActif);
    const auto nj = static_cast<Index>(actives.size());
    VectorXd sommesLignes(n.lignes()), sommesActives = VectorXd::Zero(nj);
    for (Index i = 0; i < n.lignes(); ++i) {
        sommesLignes[i] = n.somme(i);
        for (int64_t x = n.debut[static_cast<size_t>(i)]; x < n.debut[static_cast<size_t>(i) + 1];
             ++x)
            sommesActives[n.colonne[static_cast<size_t>(x)]] += n.valeur[static_cast<size_t>(x)];
    }
    const double total = sommesLignes.sum();
    if (!(total > 0)) {
        erreur = "le tableau actif est vide";
        return false;
    }
    const VectorXd rm = sommesLignes / total;
    const VectorXd cm = sommesActives / total;
    const VectorXd rs = rm.unaryExpr([](double x) { return inverse(std::sqrt(x)); });
    const VectorXd cs = cm.unaryExpr([](double x) { return inverse(std::sqrt(x)); });

    // S'S = V Lambda V': the eigenvalues are the principal inertias and V the right
    // singular vectors of S. The divide-and-conquer SVD of the symmetric matrix gives both.
    const MatrixXd g = produitsCroises(n, total, rs, cs, rm, cm);
    r.total = g.trace();
    Eigen::BDCSVD<MatrixXd> svd(g, Eigen::ComputeThinV);
    VectorXd lambda = svd.singularValues();
    const MatrixXd &v = svd.matrixV();
    // Values within the rounding noise of the cross-products are no factor.
    const double bruit = 16 * std::numeric_limits<double>::epsilon() * static_cast<double>(nj) *
                         std::max(1.0, lambda.size() ? lambda[0] : 0.0);
    for (Index k = 0; k < lambda.size(); ++k)
        if (lambda[k] < bruit)
            lambda[k] = 0;
    const Index nk = std::min<Index>(lambda.size(), nf);
    MatrixXd gamma = cs.asDiagonal() * v.leftCols(nk); // column standard coordinates
    // Deterministic signs: on each factor, the active column farthest out is positive.
    for (Index k = 0; k < nk; ++k) {
        Index jm = 0;
        gamma.col(k).cwiseAbs().maxCoeff(&jm);
        if (gamma(jm, k) < 0)
            gamma.col(k) = -gamma.col(k);
    }
    r.valeursPropres.assign(static_cast<size_t>(nf), 0.0);
    VectorXd sigma = VectorXd::Zero(nk), invSigma = VectorXd::Zero(nk);
    for (Index k = 0; k < nk; ++k) {
        r.valeursPropres[static_cast<size_t>(k)] = lambda[k];
        sigma[k] = std::sqrt(lambda[k]);
        if (sigma[k] > 0)
            invSigma[k] = 1.0 / sigma[k];
        else
            gamma.col(k).setZero();
    }

    // Columns: the active ones at gamma Sigma; the supplementary ones by the transition
    // formula, from their profile on the active rows: G = Hcol Hrow Gamma Sigma^-1, with
    // Hcol Hrow summed over the rows holding both columns.
    std::vector<int32_t> supplementaires, indexSup(static_cast<size_t>(table.nbColonnes), -1);
    for (int32_t j = 0; j < table.nbColonnes; ++j)
        if (table.types[static_cast<size_t>(j)] != 1) {
            indexSup[static_cast<size_t>(j)] = static_cast<int32_t>(supplementaires.size());
            supplementaires.push_back(j);
        }
    const Creuse nSup = restreint(table.actives, indexSup);
    VectorXd sommesToutes(table.nbColonnes);
    for (Index a = 0; a < nj; ++a)
        sommesToutes[actives[static_cast<size_t>(a)]] = sommesActives[a];
    MatrixXd transition = MatrixXd::Zero(static_cast<Index>(supplementaires.size()), nj);
    VectorXd sommesSup = VectorXd::Zero(static_cast<Index>(supplementaires.size()));
    for (Index i = 0; i < nSup.lignes(); ++i)
        for (int64_t x = nSup.debut[static_cast<size_t>(i)];
             x < nSup.debut[static_cast<size_t>(i) + 1]; ++x)
            sommesSup[nSup.colonne[static_cast<size_t>(x)]] += nSup.valeur[static_cast<size_t>(x)];
    for (Index i = 0; i < nSup.lignes(); ++i) {
        const double invLigne = inverse(sommesLignes[i]);
        for (int64_t x = nSup.debut[static_cast<size_t>(i)];
             x < nSup.debut[static_cast<size_t>(i) + 1]; ++x) {
            const auto s = static_cast<Index>(nSup.colonne[static_cast<size_t>(x)]);
            const double hs = nSup.valeur[static_cast<size_t>(x)] * inverse(sommesSup[s]);
            for (int64_t y = n.debut[static_cast<size_t>(i)];
                 y < n.debut[static_cast<size_t>(i) + 1]; ++y)
                transition(s, n.colonne[static_cast<size_t>(y)]) +=
                    hs * n.valeur[static_cast<size_t>(y)] * invLigne;
        }
    }
    for (Index s = 0; s < sommesSup.size(); ++s)
        sommesToutes[supplementaires[static_cast<size_t>(s)]] = sommesSup[s];
    const MatrixXd gSup = transition * gamma * invSigma.asDiagonal();
    MatrixXd gCol(table.nbColonnes, nk);
    for (Index a = 0; a < nj; ++a)
        gCol.row(actives[static_cast<size_t>(a)]) = gamma.row(a).cwiseProduct(sigma.transpose());
    for (Index s = 0; s < gSup.rows(); ++s)
        gCol.row(supplementaires[static_cast<size_t>(s)]) = gSup.row(s);
    // Column distances to the centroid of the rows, over every active row.
    VectorXd d2Col(table.nbColonnes);
    {
        const VectorXd invRm = rm.unaryExpr([](double x) { return inverse(x); });
        const double base = rm.cwiseProduct(rm).cwiseProduct(invRm).sum();
        std::vector<double> d(static_cast<size_t>(table.nbColonnes), base);
        for (Index i = 0; i < n.lignes(); ++i) {
            for (const auto &[c, index] :
                 {std::pair{&n, &actives}, std::pair{&nSup, &supplementaires}})
                for (int64_t x = c->debut[static_cast<size_t>(i)];
                     x < c->debut[static_cast<size_t>(i) + 1]; ++x) {
                    const int32_t j =
                        (*index)[static_cast<size_t>(c->colonne[static_cast<size_t>(x)])];
                    const double h =
                        c->valeur[static_cast<size_t>(x)] * inverse(sommesToutes[j]) - rm[i];
                    d[static_cast<size_t>(j)] += (h * h - rm[i] * rm[i]) * invRm[i];
                }
        }
        for (int32_t j = 0; j < table.nbColonnes; ++j)
            d2Col[j] = sommesToutes[j] > 0 ? d[static_cast<size_t>(j)] : base;
    }

    r.colonnes.resize(static_cast<size_t>(table.nbColonnes));
    for (int32_t j = 0; j < table.nbColonnes; ++j) {
        r.colonnes[static_cast<size_t>(j)].actif = table.types[static_cast<size_t>(j)] == 1;
        r.colonnes[static_cast<size_t>(j)].ident = j;
        r.colonnes[static_cast<size_t>(j)].libelle = std::to_string(j);
    }
    remplit(r.colonnes, gCol, sommesToutes / total, d2Col, r.valeursPropres, nf);

    // Rows: profiles on the active columns times the column standard coordinates.
    const int32_t nfLignes = std::min(nf, kFacteursLignes);
    const Index nkLignes = std::min<Index>(nk, nfLignes);
    std::vector<PointAfc> lignes(table.actives.size());
    for (size_t i = 0; i < lignes.size(); ++i) {
        lignes[i].ident = table.actives[i].numero;
        lignes[i].libelle = table.actives[i].libelle;
    }
    remplit(lignes, profilsFois(n, gamma, nkLignes), rm, distances2(n, cm), r.valeursPropres,
            nfLignes);
    r.lignes = std::move(lignes);

    if (!table.supplementaires.empty()) {
        const Creuse ns = restreint(table.supplementaires, indexActif);
        std::vector<PointAfc> sup(table.supplementaires.size());
        VectorXd masses(ns.lignes());
        for (size_t i = 0; i < sup.size(); ++i) {
            sup[i].actif = false;
            sup[i].ident = table.supplementaires[i].numero;
            sup[i].libelle = table.supplementaires[i].libelle;
            masses[static_cast<Index>(i)] = ns.somme(static_cast<Index>(i)) / total;
        }
        remplit(sup, profilsFois(ns, gamma, nkLignes), masses, distances2(ns, cm), r.valeursPropres,
                nfLignes);
        for (PointAfc &p : sup)
            r.lignes.push_back(std::move(p));
    }
    return true;
}

namespace {

void nombre(std::string &out, double v, int decimales) {
    char buf[64];
    auto [fin, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimales);
    out += ' ';
    out.append(buf, ec == std::errc() ? fin : buf);
}

void ecritPoint(std::string &out, const PointAfc &p) {
    out += p.actif ? '1' : '0';
    out += ' ';
    out += std::to_string(p.ident);
    nombre(out, p.masse * kEchelleMasse, 4);
    nombre(out, p.distance * kEchelleCoord, 4);
    for (double g : p.coord)
        nombre(out, g * kEchelleCoord, 4);
    for (double c : p.ctr)
        nombre(out, c * kEchelleCtr, 4);
    for (double c : p.cos2)
        nombre(out, c, 6);
}

} // namespace

bool EcritFacteurs(const std::string &chemin, const ResultatAfc &r, std::string &erreur) {
    FichierEchange s(false);
    if (!s.Ouvre(chemin)) {
        erreur = s.Erreur();
        return false;
    }
    s.Imprime("%zu %zu\n", r.colonnes.size(), r.valeursPropres.size());
    std::string ligne;
    for (const PointAfc &p : r.colonnes) {
        ligne.clear();
        ecritPoint(ligne, p);
        ligne += '\n';
        s.Ecrit(ligne);
    }
    if (!s.Valide())
        erreur = s.Erreur();
    return erreur.empty();
}

bool EcritVp(const std::string &chemin, const ResultatAfc &r, std::string &erreur) {
    FichierEchange s(false);
    if (!s.Ouvre(chemin)) {
        erreur = s.Erreur();
        return false;
    }
    s.Imprime("%zu\n", r.valeursPropres.size());
    for (double l : r.valeursPropres)
        s.Imprime("%lld\n", static_cast<long long>(std::llround(l * kEchelleVp)));
    if (!s.Valide())
        erreur = s.Erreur();
    return erreur.empty();
}

bool EcritLignes(const std::string &chemin, const ResultatAfc &r, std::string &erreur) {
    FichierEchange s(false);
    if (!s.Ouvre(chemin)) {
        erreur = s.Erreur();
        return false;
    }
    s.Imprime("%zu %zu\n", r.lignes.size(),
              r.lignes.empty() ? size_t{0} : r.lignes[0].coord.size());
    std::string ligne;
    for (const PointAfc &p : r.lignes) {
        ligne.clear();
        ecritPoint(ligne, p);
        ligne += '\t' + p.libelle + '\n';
        s.Ecrit(ligne);
    }
    if (!s.Valide())
        erreur = s.Erreur();
    return erreur.empty();
}

} // namespace morvix::afc
