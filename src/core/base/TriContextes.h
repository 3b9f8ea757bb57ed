// The context sort of text positions: positions ordered by the alphabetical ranks of the
// articles that follow them (sens +1) or precede them read backwards (sens -1), articles
// above a code limit skipped. Two contexts are compared over at most kBorneContexte
// articles: contexts equal that far (repeated passages) come by ascending position, so that
// a text holding the same passage many times sorts as fast as any other.
// Depends on base (charg1).
#pragma once

#include "util/Annulation.h"

#include <cstdint>
#include <span>
#include <vector>

namespace morvix {

class charg1;

// Articles compared per pair of contexts: more than any context line shows (255 characters
// hold at most 128 articles, each with its blank).
inline constexpr int32_t kBorneContexte = 128;

// The order of the positions by context, as indexes into `positions`. A context that reaches
// an edge of the text before any difference comes first; contexts equal over
// kBorneContexte articles, or up to the same edge, by ascending position. With sens 0, the
// positions' own order. False, and `ordre` left empty, when `annulation` was raised.
bool OrdreContextes(const charg1 &base, std::span<const int32_t> positions, int32_t sens,
                    int32_t codeMax, std::vector<int32_t> &ordre,
                    const Annulation *annulation = nullptr);

// Sorts the positions in place in that order; nothing when sens is 0. False, with the array
// unchanged, when cancelled.
bool TriContextes(const charg1 &base, int32_t *positions, int32_t n, int32_t sens, int32_t codeMax,
                  const Annulation *annulation = nullptr);

} // namespace morvix
