// Exercises every query of a loaded base and checks its invariants; traps on a violation.
#pragma once

namespace morvix {
class charg1;
void fuzzQueries(const charg1 &base);
} // namespace morvix
