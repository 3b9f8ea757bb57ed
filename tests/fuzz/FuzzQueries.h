// Exercises every query of a loaded base and checks its invariants; traps on a violation.
#pragma once

namespace morvix {
class charg1;
// The counts of the .par and the frequencies of the .dic agree with the text.
void fuzzConsistency(const charg1 &base);
// Every query, after fuzzConsistency.
void fuzzQueries(const charg1 &base);
} // namespace morvix
