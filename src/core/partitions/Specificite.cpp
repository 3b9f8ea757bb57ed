#include "partitions/Specificite.h"

#include <array>
#include <cmath>
#include <vector>

namespace morvix {

namespace {

// ln(n!) for n = 0 … 33, each the logarithm of the product 2 · 3 · … · n formed in that
// order, so that a look-up equals the product computed on the spot.
const std::array<double, 34> kLnFactExact = [] {
    std::array<double, 34> table{};
    double produit = 1.0;
    table[0] = table[1] = 0.0;
    for (int n = 2; n <= 33; ++n) {
        produit *= n;
        table[static_cast<size_t>(n)] = std::log(produit);
    }
    return table;
}();

double serieStirling(double x) {
    return x * std::log(x) - x + 0.5 * std::log(6.283185307179586 * x) + 1.0 / (12.0 * x);
}

// The series for the integers below 65536, computed once: the same values, without the two
// logarithms per call that dominate the specificity loops.
constexpr int32_t kNbSerie = 65536;
const std::vector<double> &tableSerie() {
    static const std::vector<double> table = [] {
        std::vector<double> t(kNbSerie, 0.0);
        for (int32_t n = 34; n < kNbSerie; ++n)
            t[static_cast<size_t>(n)] = serieStirling(n);
        return t;
    }();
    return table;
}

} // namespace

double LnFact(double x) {
    if (x > 33.0) {
        if (x < kNbSerie) {
            const auto n = static_cast<int32_t>(x);
            if (n == x)
                return tableSerie()[static_cast<size_t>(n)];
        }
        return serieStirling(x);
    }
    if (!(x >= 2.0))
        return 0.0;
    // The product stops at the last factor not above x.
    return kLnFactExact[static_cast<size_t>(x)];
}

double ProbaHyper(double T, double t, double F, double k) {
    double u = LnFact(T - F) - LnFact(T) + LnFact(T - t) - LnFact(T - F - t + k);
    if (k != 0.0)
        u = u + LnFact(F) + LnFact(t) - LnFact(k) - LnFact(F - k) - LnFact(t - k);
    return std::exp(u);
}

namespace detail {

double ValSpecPre(double T, double t, double F, double k, double s, double lnT, double lnTmF,
                  double lnTmt, double lnF, double lnt) {
    return ValSpecAuDela(T, t, F, k, s, lnT, lnTmF, lnTmt, lnF, lnt, -1.0);
}

double ValSpecAuDela(double T, double t, double F, double k, double s, double lnT, double lnTmF,
                     double lnTmt, double lnF, double lnt, double plafond) {
    if (k > t || F > T)
        return 0.0;
    // Same terms in the same order as ProbaHyper.
    double u = lnTmF - lnT + lnTmt - LnFact(T - F - t + k);
    if (k != 0.0)
        u = u + lnF + lnt - LnFact(k) - LnFact(F - k) - LnFact(t - k);
    // The tail is at least the point probability, so the magnitude is at most
    // 1 - log10 p; the margin covers the rounding of both logarithms.
    if (1.0 - u * 0.4342944819032518 + 1e-6 <= plafond)
        return 0.0;
    double p = std::exp(u);
    if (!(p <= s)) // also rejects a NaN from inconsistent counts
        return 0.0;
    if (p < 1e-50)
        p = 1e-50;
    double term = p, sum = p;
    const double mode = (F + 1.0) * (t + 1.0) / (T + 2.0);
    double v;
    if (mode > k) {
        // Under-use: P(X <= k), walking down.
        for (double j = k; j > 0.0; j = j - 1.0) {
            term = term * j * (T - F - t + j) / ((F - j + 1.0) * (t - j + 1.0));
            sum += term;
            if (sum > s)
                return 0.0;
            if (term < 1e-10)
                break;
        }
        v = std::log10(sum) - 1.0;
    } else {
        // Over-use: P(X >= k), walking up.
        for (double j = k; j < F; j = j + 1.0) {
            term = term * (F - j) * (t - j) / ((j + 1.0) * (T - F - t + j + 1.0));
            sum += term;
            if (sum > s)
                return 0.0;
            if (term < 1e-10)
                break;
        }
        v = -(std::log10(sum) - 1.0);
    }
    // Inconsistent counts (sizes divided, frequencies not) can make terms negative.
    return std::isfinite(v) ? v : 0.0;
}

} // namespace detail

double ValSpec(double T, double t, double F, double k, double s) {
    if (k > t || F > T)
        return 0.0;
    return detail::ValSpecPre(T, t, F, k, s, LnFact(T), LnFact(T - F), LnFact(T - t), LnFact(F),
                              LnFact(t));
}

int32_t ArrondiSpec(double v) {
    if (!(std::fabs(v) < 1e9)) // NaN or out of any meaningful range
        return 0;
    return v >= 0.0 ? static_cast<int32_t>(v + 0.5) : static_cast<int32_t>(v - 0.5);
}

int32_t CoeffSpec(double T, double t, double F, double k, double s) {
    return ArrondiSpec(ValSpec(T, t, F, k, s));
}

} // namespace morvix
