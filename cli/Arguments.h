// The batch tool's command line read into a job: the options, the files and
// the steps, every one checked before any file is touched.
#pragma once

#include <iosfwd>

#include "cli/Batch.h"
#include "cli/Recipe.h"

struct CliJob {
    Recipe recipe;
    bool seeded = false;
    const char* input = nullptr; // the one-file form's files
    const char* output = nullptr;
    bool batch = false; // --out was given
    BatchJob files;
};

// Reads argv[1..argc) (not --help, --version or --info, which RunCli answers
// first) and neither reads nor writes a file. cli::kDone when the job may
// run; otherwise the exit status, after a message on err.
int ParseJob(int argc, const char* const* argv, CliJob& job, std::ostream& err);
