#include "AnalyseAfc.h"

#include <Eigen/Dense>
#include <Eigen/SVD>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace morvix::afc {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// Coordinates of a profile `h` (summing to 1) on the factors: h' * standard coordinates.
// Fills distance (against the centroid `centre`) and squared cosines too.
void projette(const VectorXd &h, const VectorXd &centre, const MatrixXd &standard,
              const VectorXd &sigma, PointAfc &p) {
    const auto nf = static_cast<Eigen::Index>(p.coord.size());
    double d2 = 0;
    for (Eigen::Index i = 0; i < h.size(); ++i)
        if (centre[i] > 0)
            d2 += (h[i] - centre[i]) * (h[i] - centre[i]) / centre[i];
    p.distance = std::sqrt(d2);
    for (Eigen::Index k = 0; k < nf && k < sigma.size(); ++k) {
        double g = sigma[k] > 0 ? h.dot(standard.col(k)) : 0.0;
        p.coord[static_cast<size_t>(k)] = g;
        p.cos2[static_cast<size_t>(k)] = d2 > 0 ? g * g / d2 : 0.0;
    }
}

PointAfc nouveauPoint(int32_t nf, bool actif, int64_t ident, std::string libelle) {
    PointAfc p;
    p.actif = actif;
    p.ident = ident;
    p.libelle = std::move(libelle);
    p.coord.assign(static_cast<size_t>(nf), 0.0);
    p.ctr.assign(static_cast<size_t>(nf), 0.0);
    p.cos2.assign(static_cast<size_t>(nf), 0.0);
    return p;
}

} // namespace

bool CalculeAfc(const TableAfc &table, ResultatAfc &r, std::string &erreur) {
    r = ResultatAfc{};
    const int32_t nf = table.nbFacteurs;
    std::vector<int32_t> colActives;
    for (int32_t j = 0; j < table.nbColonnes; ++j)
        if (table.types[static_cast<size_t>(j)] == 1)
            colActives.push_back(j);
    if (colActives.empty()) {
        erreur = "aucune colonne active";
        return false;
    }
    const auto ni = static_cast<Eigen::Index>(table.actives.size());
    const auto nja = static_cast<Eigen::Index>(colActives.size());
    MatrixXd n(ni, nja);
    for (Eigen::Index i = 0; i < ni; ++i)
        for (Eigen::Index j = 0; j < nja; ++j)
            n(i, j) = static_cast<double>(
                table.actives[static_cast<size_t>(i)]
                    .valeurs[static_cast<size_t>(colActives[static_cast<size_t>(j)])]);
    const double total = n.sum();
    if (!(total > 0)) {
        erreur = "le tableau actif est vide";
        return false;
    }
    MatrixXd p = n / total;
    VectorXd rm = p.rowwise().sum();
    VectorXd cm = p.colwise().sum().transpose();
    VectorXd rs = rm.unaryExpr([](double v) { return v > 0 ? 1.0 / std::sqrt(v) : 0.0; });
    VectorXd cs = cm.unaryExpr([](double v) { return v > 0 ? 1.0 / std::sqrt(v) : 0.0; });
    MatrixXd s = rs.asDiagonal() * (p - rm * cm.transpose()) * cs.asDiagonal();

    Eigen::BDCSVD<MatrixXd> svd(s, Eigen::ComputeThinU | Eigen::ComputeThinV);
    VectorXd sigma = svd.singularValues();
    MatrixXd u = svd.matrixU();
    MatrixXd v = svd.matrixV();
    // Values below the rounding noise of the residuals are no factor.
    const double bruit = 1e-12 * std::max(1.0, sigma.size() ? sigma[0] : 0.0);
    for (Eigen::Index k = 0; k < sigma.size(); ++k)
        if (sigma[k] < bruit)
            sigma[k] = 0;
    // Deterministic signs: on each factor, the column farthest out lies on the positive side.
    for (Eigen::Index k = 0; k < v.cols(); ++k) {
        Eigen::Index jm = 0;
        (cs.asDiagonal() * v.col(k)).cwiseAbs().maxCoeff(&jm);
        if ((cs[jm] * v(jm, k)) < 0) {
            v.col(k) = -v.col(k);
            u.col(k) = -u.col(k);
        }
    }
    MatrixXd colStd = cs.asDiagonal() * v; // column standard coordinates
    MatrixXd ligStd = rs.asDiagonal() * u; // row standard coordinates

    r.total = s.squaredNorm();
    r.valeursPropres.assign(static_cast<size_t>(nf), 0.0);
    for (Eigen::Index k = 0; k < nf && k < sigma.size(); ++k)
        r.valeursPropres[static_cast<size_t>(k)] = sigma[k] * sigma[k];

    // Columns: active ones through the SVD, supplementary ones through their profile on
    // the active rows; both by the same transition formula.
    for (int32_t j = 0; j < table.nbColonnes; ++j) {
        bool actif = table.types[static_cast<size_t>(j)] == 1;
        PointAfc pt = nouveauPoint(nf, actif, j, std::to_string(j));
        VectorXd h(ni);
        for (Eigen::Index i = 0; i < ni; ++i)
            h[i] = static_cast<double>(
                table.actives[static_cast<size_t>(i)].valeurs[static_cast<size_t>(j)]);
        double somme = h.sum();
        pt.masse = somme / total;
        if (somme > 0) {
            h /= somme;
            projette(h, rm, ligStd, sigma, pt);
        }
        if (actif)
            for (int32_t k = 0; k < nf; ++k) {
                double lambda = r.valeursPropres[static_cast<size_t>(k)];
                double g = pt.coord[static_cast<size_t>(k)];
                pt.ctr[static_cast<size_t>(k)] = lambda > 0 ? pt.masse * g * g / lambda : 0.0;
            }
        r.colonnes.push_back(std::move(pt));
    }

    auto ligne = [&](const LigneTable &l, bool actif) {
        PointAfc pt = nouveauPoint(nf, actif, l.numero, l.libelle);
        VectorXd h(nja);
        for (Eigen::Index j = 0; j < nja; ++j)
            h[j] = static_cast<double>(
                l.valeurs[static_cast<size_t>(colActives[static_cast<size_t>(j)])]);
        double somme = h.sum();
        pt.masse = somme / total;
        if (somme > 0) {
            h /= somme;
            projette(h, cm, colStd, sigma, pt);
        }
        if (actif)
            for (int32_t k = 0; k < nf; ++k) {
                double lambda = r.valeursPropres[static_cast<size_t>(k)];
                double f = pt.coord[static_cast<size_t>(k)];
                pt.ctr[static_cast<size_t>(k)] = lambda > 0 ? pt.masse * f * f / lambda : 0.0;
            }
        r.lignes.push_back(std::move(pt));
    };
    for (const LigneTable &l : table.actives)
        ligne(l, true);
    for (const LigneTable &l : table.supplementaires)
        ligne(l, false);
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

void ecritPoint(std::FILE *f, const PointAfc &p) {
    std::fprintf(f, "%d %lld %.4f %.4f", p.actif ? 1 : 0, static_cast<long long>(p.ident),
                 p.masse * kEchelleMasse, p.distance * kEchelleCoord);
    for (double g : p.coord)
        std::fprintf(f, " %.4f", g * kEchelleCoord);
    for (double c : p.ctr)
        std::fprintf(f, " %.4f", c * kEchelleCtr);
    for (double c : p.cos2)
        std::fprintf(f, " %.6f", c);
}

} // namespace

bool EcritFacteurs(const std::string &chemin, const ResultatAfc &r) {
    Sortie s(chemin);
    if (!s.f())
        return false;
    std::fprintf(s.f(), "%zu %zu\n", r.colonnes.size(), r.valeursPropres.size());
    for (const PointAfc &p : r.colonnes) {
        ecritPoint(s.f(), p);
        std::fputc('\n', s.f());
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
    std::fprintf(s.f(), "%zu %zu\n", r.lignes.size(), r.valeursPropres.size());
    for (const PointAfc &p : r.lignes) {
        ecritPoint(s.f(), p);
        std::fprintf(s.f(), "\t%s\n", p.libelle.c_str());
    }
    return s.termine();
}

} // namespace morvix::afc
