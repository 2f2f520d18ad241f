#include "cli/Cli.h"

#include <cstring>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Batch.h"
#include "cli/Recipe.h"
#include "cli/Steps.h"
#include "core/Image.h"
#include "core/Numbers.h"
#include "core/Version.h"
#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"

namespace {

constexpr const char* kVersion = IROMAKI_PRODUCT " " IROMAKI_VERSION_TEXT;
constexpr const char* kUsage =
    "usage: iromaki-cli [--quality N] [--seed N] INPUT OUTPUT [STEP ...]\n"
    "       iromaki-cli [--quality N] [--seed N] --out FOLDER [--ext EXT] [--jobs N]\n"
    "                   [--overwrite] [STEP ...] -- FILE ...\n"
    "       iromaki-cli --info FILE\n"
    "       iromaki-cli --help | --version\n";
constexpr int kMaxWorkers = 256;

const Step* FindStep(const std::string& name) {
    for (std::span<const Step> table : {ColourSteps(), NeighbourhoodSteps(), GeometrySteps()})
        for (const Step& step : table)
            if (name == step.name) return &step;
    return nullptr;
}

std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(text.substr(start, comma - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool ParseArgument(const std::string& text, ParamKind kind, StepArg& arg) {
    if (kind == ParamKind::Integer) {
        if (!ParseWholeInt(text.c_str(), arg.i)) return false;
        arg.r = arg.i;
        return true;
    }
    return ParseWholeReal(text.c_str(), arg.r);
}

// NAME or NAME=ARG,ARG,... against the step tables: cli::kUsageError for an
// unknown step or unreadable arguments, cli::kFailed for a value the step
// does not accept.
int ParseStep(const char* text, ParsedStep& parsed, std::ostream& err) {
    const std::string whole = text;
    const size_t equals = whole.find('=');
    const std::string name = whole.substr(0, equals);
    parsed.step = FindStep(name);
    if (!parsed.step) {
        err << "iromaki-cli: unknown step '" << name << "'\n";
        return cli::kUsageError;
    }
    const std::span<const Param> params = parsed.step->Params();
    std::vector<std::string> texts;
    if (equals != std::string::npos) texts = SplitArguments(whole.substr(equals + 1));
    if (texts.size() != params.size()) {
        err << "iromaki-cli: step '" << name << "' takes " << params.size() << " argument(s)";
        if (!params.empty()) err << " (" << parsed.step->argNames << ")";
        err << ", got " << texts.size() << "\n";
        return cli::kUsageError;
    }
    parsed.args.assign(params.size(), StepArg{});
    for (size_t k = 0; k < params.size(); ++k) {
        if (ParseArgument(texts[k], params[k].kind, parsed.args[k])) continue;
        err << "iromaki-cli: step '" << name << "': '" << texts[k] << "' is not "
            << (params[k].kind == ParamKind::Integer ? "an integer" : "a number") << "\n";
        return cli::kUsageError;
    }
    const std::string refusal = parsed.step->Refusal(parsed.args.data());
    if (refusal.empty()) return cli::kDone;
    err << "iromaki-cli: step '" << name << "' refused: " << refusal << "\n";
    return cli::kFailed;
}

bool ParseInteger(const char* option, const char* text, int32_t least, int32_t most, int32_t& value,
                  std::ostream& err) {
    if (!text || !ParseWholeInt(text, value)) {
        err << "iromaki-cli: " << option << " needs an integer\n";
        return false;
    }
    if (value >= least && value <= most) return true;
    err << "iromaki-cli: " << option << " must lie between " << least << " and " << most << "\n";
    return false;
}

// The extension of a kind that can be written: "jpg" or ".jpg".
bool ParseExtension(const char* text, std::string& extension, std::ostream& err) {
    std::string wanted = text ? text : "";
    if (wanted.empty() || wanted[0] != '.') wanted.insert(0, 1, '.');
    for (const ImageFileKind& kind : ImageFileKinds())
        if (kind.write && wanted.size() == 4 && EndsIn(wanted.c_str(), kind.extension)) {
            extension = kind.extension;
            return true;
        }
    err << "iromaki-cli: --ext must name a kind that can be written (bmp, jpg, ycc)\n";
    return false;
}

// One option at argv[i]; the number of arguments it took, 0 on a usage error.
int ParseOption(int argc, const char* const* argv, int i, CliJob& job, std::ostream& err) {
    const std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    int32_t number = 0;
    if (option == "--overwrite") {
        job.files.overwrite = true;
        return 1;
    }
    if (option == "--quality") {
        if (!ParseInteger(argv[i], value, 50, 100, number, err)) return 0;
        job.recipe.quality = number;
    } else if (option == "--seed") {
        if (!ParseInteger(argv[i], value, INT32_MIN, INT32_MAX, number, err)) return 0;
        job.recipe.seed = uint32_t(number);
        job.seeded = true;
    } else if (option == "--jobs") {
        if (!ParseInteger(argv[i], value, 1, kMaxWorkers, number, err)) return 0;
        job.files.workers = unsigned(number);
    } else if (option == "--out" && value) {
        job.batch = true;
        job.files.outFolder = value;
    } else if (option == "--ext" && value) {
        if (!ParseExtension(value, job.files.extension, err)) return 0;
    } else {
        err << "iromaki-cli: unknown option or missing value: '" << option << "'\n";
        return 0;
    }
    return 2;
}

// The steps from argv[i] on, up to `--` in the batch form. The index after
// them, or -1 after a message (status holds the exit status).
int ParseSteps(int argc, const char* const* argv, int i, CliJob& job, int& status,
               std::ostream& err) {
    for (; i < argc && !(job.batch && std::strcmp(argv[i], "--") == 0); ++i) {
        ParsedStep parsed;
        status = ParseStep(argv[i], parsed, err);
        if (status != cli::kDone) return -1;
        job.recipe.steps.push_back(std::move(parsed));
    }
    return i;
}

int ShowInfo(const char* fileName, std::ostream& out, std::ostream& err) {
    CImage image;
    if (!LoadImageFile(image, fileName)) {
        err << "iromaki-cli: cannot read '" << fileName << "': " << FileFailure() << '\n';
        return cli::kFailed;
    }
    out << image.Width() << ' ' << image.Height() << ' ' << image.CountColors() << '\n';
    return cli::kDone;
}

// "R,G,B 0 to 255; T at least 1": the accepted values, parameters with the same
// ones named together.
std::string AcceptedValues(const Step& step) {
    std::string text, names, previous;
    auto flush = [&] {
        if (!previous.empty()) text += (text.empty() ? "" : "; ") + names + " " + previous;
    };
    for (const Param& param : step.Params()) {
        const std::string accepted = param.Accepted();
        if (accepted == previous && !names.empty()) {
            names += std::string(",") + param.name;
            continue;
        }
        flush();
        names = param.name;
        previous = accepted;
    }
    flush();
    return text;
}

std::string FileKindsHelp() {
    std::string text;
    for (const ImageFileKind& kind : ImageFileKinds())
        text += std::string(text.empty() ? "" : ", ") + kind.extension +
                (kind.write ? "" : " (read only)");
    return text;
}

void ShowHelp(std::ostream& out) {
    out << kUsage << "\nFiles: " << FileKindsHelp() << "; any other name is a BMP file.\n"
        << "--quality is the JPEG quality (50-100, default 90); --seed seeds the random steps\n"
        << "(default the time).\n"
        << "The second form runs the steps on every FILE and writes each result into FOLDER\n"
        << "under the input's name, with the extension EXT when given (bmp, jpg or ycc), on N\n"
        << "files at once (default one per processor). Inputs are never replaced; existing\n"
        << "outputs only with --overwrite. A file that fails is reported and the others go on;\n"
        << "the exit status is 1 when any failed. Ctrl-C finishes the files under way and stops.\n"
        << "A step is NAME or NAME=ARG,ARG,...; steps run in order:\n";
    for (std::span<const Step> table : {ColourSteps(), NeighbourhoodSteps(), GeometrySteps()})
        for (const Step& step : table) {
            std::string usage = step.name;
            if (*step.argNames) usage += std::string("=") + step.argNames;
            const std::string accepted = AcceptedValues(step);
            out << "  " << usage << std::string(usage.size() < 28 ? 28 - usage.size() : 1, ' ')
                << step.help << (accepted.empty() ? "" : "; " + accepted) << '\n';
        }
}

} // namespace

int ParseJob(int argc, const char* const* argv, CliJob& job, std::ostream& err) {
    int i = 1;
    while (i < argc && std::strncmp(argv[i], "--", 2) == 0 && std::strcmp(argv[i], "--") != 0) {
        const int used = ParseOption(argc, argv, i, job, err);
        if (used == 0) return cli::kUsageError;
        i += used;
    }
    const bool batchOnly = job.files.overwrite || job.files.workers || !job.files.extension.empty();
    if (!job.batch && (batchOnly || argc - i < 2)) {
        err << kUsage;
        return cli::kUsageError;
    }
    if (!job.batch) {
        job.input = argv[i];
        job.output = argv[i + 1];
        i += 2;
    }
    int status = cli::kDone;
    i = ParseSteps(argc, argv, i, job, status, err);
    if (i < 0) return status;
    if (job.batch && (i + 1 >= argc)) { // no `--`, or no file after it
        err << kUsage;
        return cli::kUsageError;
    }
    if (job.batch) job.files.inputs.assign(argv + i + 1, argv + argc);
    if (!job.seeded) job.recipe.seed = uint32_t(std::time(nullptr));
    return cli::kDone;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        ShowHelp(out);
        return cli::kDone;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        out << kVersion << '\n';
        return cli::kDone;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--info") == 0) {
        if (argc == 3) return ShowInfo(argv[2], out, err);
        err << kUsage;
        return cli::kUsageError;
    }
    CliJob job;
    const int status = ParseJob(argc, argv, job, err);
    if (status != cli::kDone) return status;
    if (job.batch) return RunBatch(job.recipe, job.files, err, errIsTerminal);
    const std::string failure = ProcessFile(job.recipe, job.input, job.output);
    if (failure.empty()) return cli::kDone;
    err << "iromaki-cli: " << failure << '\n';
    return cli::kFailed;
}
