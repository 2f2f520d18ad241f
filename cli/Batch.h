// The batch form: the same recipe over many files, each result written into
// one output folder under the input's name, on several worker threads. Every
// operation stays single-threaded inside, so each output is the one the
// one-file form writes.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/Recipe.h"

struct BatchJob {
    std::string outFolder;
    std::string extension; // ".jpg"; "" keeps the input's kind
    unsigned workers = 0;  // 0: one per processor
    bool overwrite = false;
    std::vector<std::string> inputs;
};

// The output path of input: the folder, the input's name, and extension in
// place of the input's own when one is given (or when the input's kind is
// only read, as a metafile is, which is saved as a bitmap).
std::string OutputPathOf(const BatchJob& job, const std::string& input);

// Runs the job; failures are reported on err as they happen, with a progress
// line on a terminal and a closing summary. cli::kDone when every file was
// written, cli::kFailed when any failed, 128 + the signal number when Ctrl-C
// or SIGTERM stopped it.
int RunBatch(const Recipe& recipe, const BatchJob& job, std::ostream& err, bool errIsTerminal);
