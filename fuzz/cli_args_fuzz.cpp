// The batch tool's command line: the input is split at its NUL bytes into
// argv[1..] and read by ParseJob, which touches no file. Beyond memory safety:
// a refused command line says why on err and leaves the exit status of a
// refusal; an accepted one says nothing and holds only values the options and
// the steps accept, and the form it asked for.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Cli.h"
#include "formats/ImageFiles.h"

namespace {

bool WithinParam(const Param& param, const StepArg& arg) {
    const bool integer = param.kind == ParamKind::Integer;
    if (integer && arg.r != arg.i) return false;
    const double v = integer ? arg.i : arg.r;
    if (!std::isfinite(v)) return false;
    if (param.only != std::array<int32_t, 4>{})
        return std::find(param.only.begin(), param.only.end(), v) != param.only.end() && v != 0;
    return v >= param.least && v <= param.most && !(param.aboveLeast && v == param.least);
}

bool WritableExtension(const std::string& extension) {
    for (const ImageFileKind& kind : ImageFileKinds())
        if (kind.write && extension == kind.extension) return true;
    return false;
}

bool SoundJob(const CliJob& job, int argc) {
    const Recipe& recipe = job.recipe;
    if (recipe.quality < 50 || recipe.quality > 100 || recipe.steps.size() > size_t(argc))
        return false;
    for (const ParsedStep& parsed : recipe.steps) {
        const std::span<const Param> params = parsed.step->Params();
        if (parsed.args.size() != params.size()) return false;
        for (size_t k = 0; k < params.size(); ++k)
            if (!WithinParam(params[k], parsed.args[k])) return false;
    }
    const BatchJob& files = job.files;
    if (files.workers > 256) return false;
    if (!job.batch)
        return job.input && job.output && files.inputs.empty() && !files.overwrite &&
               files.workers == 0 && files.extension.empty();
    return !job.input && !job.output && !files.inputs.empty() &&
           (files.extension.empty() || WritableExtension(files.extension));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<const char*> argv{"iromaki-cli"};
    for (size_t start = 0; size > 0;) { // "a\0" is "a" and ""
        argv.push_back(text.c_str() + start);
        const size_t end = text.find('\0', start);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const int argc = int(argv.size());
    argv.push_back(nullptr);
    CliJob job;
    std::ostringstream err;
    const int status = ParseJob(argc, argv.data(), job, err);
    if (status == cli::kDone) {
        if (!err.str().empty() || !SoundJob(job, argc)) __builtin_trap();
    } else if ((status != cli::kUsageError && status != cli::kFailed) || err.str().empty()) {
        __builtin_trap();
    }
    return 0;
}
