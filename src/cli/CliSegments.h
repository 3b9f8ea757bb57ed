// The option --segments SF,SS of the commands that take repeated segments as entities: the
// segments of the base are computed first (every punctuation sign a delimiter) and attached
// to it, so that they stand as poles and rows beside the forms.
#pragma once

#include "CliCommand.h"

#include <memory>
#include <set>

namespace morvix {
class SegRep;
}

namespace morvix::cli {

inline constexpr const char *kOptionSegments = "--segments";

// Every punctuation article of the base.
std::set<int32_t> delimiteursPonctuation(const charg1 &base);

// With --segments: computes the store (writing BASE.loc.sr and BASE.desc.sr beside the base)
// and attaches it. Null with `code` kExitOk when the option is absent or no segment is found
// (said on stderr); null with `code` set after printing why when the option is malformed or
// the files cannot be written.
std::unique_ptr<SegRep> attacheSegments(charg1 &base, const CliArgs &args, int &code);

} // namespace morvix::cli
