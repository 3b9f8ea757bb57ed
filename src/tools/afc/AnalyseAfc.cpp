#include "AnalyseAfc.h"

#include <Eigen/Dense>
#include <Eigen/QR>
#include <Eigen/SVD>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace morvix::afc {

namespace {

using Eigen::Index;
using Eigen::MatrixXd;
using Eigen::VectorXd;

VectorXd inverse(const VectorXd &v) {
    return v.unaryExpr([](double x) { return x > 0 ? 1.0 / x : 0.0; });
}

// Profiles: each row of `n` divided by its sum (zero rows stay zero).
MatrixXd profilsLignes(const MatrixXd &n) { return inverse(n.rowwise().sum()).asDiagonal() * n; }

// Squared chi-square distances of the rows of `profils` to `centre`.
VectorXd distances2(const MatrixXd &profils, const VectorXd &centre) {
    VectorXd inv = inverse(centre);
    return ((profils.rowwise() - centre.transpose()).array().square().rowwise() *
            inv.transpose().array())
        .rowwise()
        .sum();
}

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

MatrixXd comptes(const std::vector<LigneTable> &lignes, const std::vector<int32_t> &colonnes) {
    MatrixXd n(static_cast<Index>(lignes.size()), static_cast<Index>(colonnes.size()));
    for (size_t i = 0; i < lignes.size(); ++i)
        for (size_t j = 0; j < colonnes.size(); ++j)
            n(static_cast<Index>(i), static_cast<Index>(j)) =
                static_cast<double>(lignes[i].valeurs[static_cast<size_t>(colonnes[j])]);
    return n;
}

} // namespace

bool CalculeAfc(const TableAfc &table, ResultatAfc &r, std::string &erreur) {
    r = ResultatAfc{};
    const int32_t nf = table.nbFacteurs;
    std::vector<int32_t> actives, toutes;
    for (int32_t j = 0; j < table.nbColonnes; ++j) {
        toutes.push_back(j);
        if (table.types[static_cast<size_t>(j)] == 1)
            actives.push_back(j);
    }
    if (actives.empty()) {
        erreur = "aucune colonne active";
        return false;
    }
    const MatrixXd n = comptes(table.actives, actives);
    const double total = n.sum();
    if (!(total > 0)) {
        erreur = "le tableau actif est vide";
        return false;
    }
    const VectorXd rm = n.rowwise().sum() / total;
    const VectorXd cm = n.colwise().sum().transpose() / total;
    const VectorXd rs = inverse(rm.cwiseSqrt());
    const VectorXd cs = inverse(cm.cwiseSqrt());
    MatrixXd s = rs.asDiagonal() * (n / total - rm * cm.transpose()) * cs.asDiagonal();
    r.total = s.squaredNorm();

    // SVD of the standardized residuals through their R factor: S = Q R, R = U' Sigma V'.
    const Index rang = std::min(s.rows(), s.cols());
    Eigen::HouseholderQR<Eigen::Ref<MatrixXd>> qr(s);
    MatrixXd rfac = s.topRows(rang).triangularView<Eigen::Upper>();
    Eigen::JacobiSVD<MatrixXd> svd(rfac, Eigen::ComputeThinV);
    VectorXd sigma = svd.singularValues();
    MatrixXd v = svd.matrixV();
    // Values within the rounding noise of the residuals are no factor.
    const double bruit = 1e-12 * std::max(1.0, sigma.size() ? sigma[0] : 0.0);
    for (Index k = 0; k < sigma.size(); ++k)
        if (sigma[k] < bruit)
            sigma[k] = 0;
    const Index nk = std::min<Index>(sigma.size(), nf);
    MatrixXd gamma = cs.asDiagonal() * v.leftCols(nk); // column standard coordinates
    // Deterministic signs: on each factor, the active column farthest out is positive.
    for (Index k = 0; k < nk; ++k) {
        Index jm = 0;
        gamma.col(k).cwiseAbs().maxCoeff(&jm);
        if (gamma(jm, k) < 0)
            gamma.col(k) = -gamma.col(k);
    }
    r.valeursPropres.assign(static_cast<size_t>(nf), 0.0);
    VectorXd invSigma = VectorXd::Zero(nk);
    for (Index k = 0; k < nk; ++k) {
        r.valeursPropres[static_cast<size_t>(k)] = sigma[k] * sigma[k];
        if (sigma[k] > 0)
            invSigma[k] = 1.0 / sigma[k];
        else
            gamma.col(k).setZero();
    }

    // Rows: profiles on the active columns times the column standard coordinates.
    const MatrixXd hLignes = profilsLignes(n);
    const MatrixXd f = hLignes * gamma;
    const MatrixXd phi = f * invSigma.asDiagonal(); // row standard coordinates
    // Every column, active or not, by its profile on the active rows.
    const MatrixXd nToutes = comptes(table.actives, toutes);
    const VectorXd sommesCol = nToutes.colwise().sum().transpose();
    const MatrixXd hColonnes = inverse(sommesCol).asDiagonal() * nToutes.transpose();
    const MatrixXd g = hColonnes * phi;

    r.colonnes.resize(static_cast<size_t>(table.nbColonnes));
    for (int32_t j = 0; j < table.nbColonnes; ++j) {
        r.colonnes[static_cast<size_t>(j)].actif = table.types[static_cast<size_t>(j)] == 1;
        r.colonnes[static_cast<size_t>(j)].ident = j;
        r.colonnes[static_cast<size_t>(j)].libelle = std::to_string(j);
    }
    remplit(r.colonnes, g, sommesCol / total, distances2(hColonnes, rm), r.valeursPropres, nf);

    std::vector<PointAfc> lignes(table.actives.size());
    for (size_t i = 0; i < lignes.size(); ++i) {
        lignes[i].ident = table.actives[i].numero;
        lignes[i].libelle = table.actives[i].libelle;
    }
    const int32_t nfLignes = std::min(nf, kFacteursLignes);
    remplit(lignes, f, rm, distances2(hLignes, cm), r.valeursPropres, nfLignes);
    r.lignes = std::move(lignes);

    if (!table.supplementaires.empty()) {
        const MatrixXd ns = comptes(table.supplementaires, actives);
        const MatrixXd hs = profilsLignes(ns);
        std::vector<PointAfc> sup(table.supplementaires.size());
        for (size_t i = 0; i < sup.size(); ++i) {
            sup[i].actif = false;
            sup[i].ident = table.supplementaires[i].numero;
            sup[i].libelle = table.supplementaires[i].libelle;
        }
        remplit(sup, hs * gamma, ns.rowwise().sum() / total, distances2(hs, cm), r.valeursPropres,
                nfLignes);
        for (PointAfc &p : sup)
            r.lignes.push_back(std::move(p));
    }
    return true;
}

namespace {

class Sortie {
  public:
    explicit Sortie(const std::string &chemin)
        : m_chemin(chemin), m_temp(chemin + ".tmp"), m_f(std::fopen(m_temp.c_str(), "wb")) {}
    ~Sortie() {
        if (m_f)
            std::fclose(m_f);
        if (!m_fini)
            std::remove(m_temp.c_str());
    }
    Sortie(const Sortie &) = delete;
    Sortie &operator=(const Sortie &) = delete;
    std::FILE *f() const { return m_f; }
    bool termine() {
        if (!m_f)
            return false;
        bool ok = !std::ferror(m_f);
        ok = std::fclose(m_f) == 0 && ok;
        m_f = nullptr;
        ok = ok && std::rename(m_temp.c_str(), m_chemin.c_str()) == 0;
        m_fini = ok;
        return ok;
    }

  private:
    std::string m_chemin, m_temp;
    std::FILE *m_f;
    bool m_fini = false;
};

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

bool EcritFacteurs(const std::string &chemin, const ResultatAfc &r) {
    Sortie s(chemin);
    if (!s.f())
        return false;
    std::fprintf(s.f(), "%zu %zu\n", r.colonnes.size(), r.valeursPropres.size());
    std::string ligne;
    for (const PointAfc &p : r.colonnes) {
        ligne.clear();
        ecritPoint(ligne, p);
        ligne += '\n';
        std::fwrite(ligne.data(), 1, ligne.size(), s.f());
    }
    return s.termine();
}

bool EcritVp(const std::string &chemin, const ResultatAfc &r) {
    Sortie s(chemin);
    if (!s.f())
        return false;
    std::fprintf(s.f(), "%zu\n", r.valeursPropres.size());
    for (double l : r.valeursPropres)
        std::fprintf(s.f(), "%lld\n", static_cast<long long>(std::llround(l * kEchelleVp)));
    return s.termine();
}

bool EcritLignes(const std::string &chemin, const ResultatAfc &r) {
    Sortie s(chemin);
    if (!s.f())
        return false;
    std::fprintf(s.f(), "%zu %zu\n", r.lignes.size(),
                 r.lignes.empty() ? size_t{0} : r.lignes[0].coord.size());
    std::string ligne;
    for (const PointAfc &p : r.lignes) {
        ligne.clear();
        ecritPoint(ligne, p);
        ligne += '\t' + p.libelle + '\n';
        std::fwrite(ligne.data(), 1, ligne.size(), s.f());
    }
    return s.termine();
}

} // namespace morvix::afc
