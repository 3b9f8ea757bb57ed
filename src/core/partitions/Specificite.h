// The hypergeometric specificity model: ln of factorials, point probability, signed
// specificity and its rounded coefficient. Free functions without state; no dependency.
//
// A unit of frequency F in a reference of T occurrences is observed k times in a sub-corpus
// of t occurrences. ValSpec gives 1 - log10 of the tail probability in the observed
// direction (positive for over-use, negative for under-use), 0 when not specific at the
// threshold s (a probability, 0.05 for 5 %). The tail is summed from the point probability
// by one-step ratios, stopped once a term falls below 1e-10 (absolute), and the point
// probability is never taken below 1e-50, so magnitudes never exceed 51.
#pragma once

#include <cstdint>

namespace morvix {

// ln(x!) for a non-negative integer value: the exact product up to 33, Stirling's series
// with one correction term above; 0 below 2 (negative values included).
double LnFact(double x);
// P(X = k) for the hypergeometric law (symmetric in t and F).
double ProbaHyper(double T, double t, double F, double k);
// Signed specificity, 0.0 when not specific (or when the counts are inconsistent).
double ValSpec(double T, double t, double F, double k, double s);
// ValSpec rounded half away from zero.
int32_t CoeffSpec(double T, double t, double F, double k, double s);
// Rounding of a specificity value to its coefficient, half away from zero.
int32_t ArrondiSpec(double v);

namespace detail {

// ValSpec with the factorial logarithms that depend only on T, t and F already computed:
// lnT = LnFact(T), lnTmF = LnFact(T - F), lnTmt = LnFact(T - t), lnF = LnFact(F),
// lnt = LnFact(t). Gives exactly ValSpec's result; the drivers use it to hoist the
// constant terms out of their loops.
double ValSpecPre(double T, double t, double F, double k, double s, double lnT, double lnTmF,
                  double lnTmt, double lnF, double lnt);
// The same, except that it may return 0.0 without walking the tail when the magnitude
// cannot exceed `plafond` (the walk only adds terms to the point probability, so the
// magnitude is at most 1 - log10 of it). Whenever the magnitude of ValSpec is above
// `plafond`, the result is exactly ValSpec's. Consistent counts only (k <= F, t <= T).
double ValSpecAuDela(double T, double t, double F, double k, double s, double lnT, double lnTmF,
                     double lnTmt, double lnF, double lnt, double plafond);

} // namespace detail

} // namespace morvix
