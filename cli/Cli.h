// The batch tool apart from the process: arguments in, text out, exit status
// back, so that it can be run and checked in-process.
#pragma once

#include <iosfwd>

namespace cli {
constexpr int kDone = 0;
constexpr int kFailed = 1;     // a file could not be read or written, or a step refused
constexpr int kUsageError = 2; // nothing was read or written
} // namespace cli

// errIsTerminal: err is shown on a terminal, which gets the batch form's
// progress line.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);
