#include "cli/Cli.h"

#include <cstring>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Steps.h"
#include "core/Image.h"
#include "core/Numbers.h"
#include "core/Random.h"
#include "formats/ImageFiles.h"

namespace {

constexpr const char* kVersion = "Iromaki 24";
constexpr const char* kUsage =
    "usage: iromaki-cli [--quality N] [--seed N] INPUT OUTPUT [STEP ...]\n"
    "       iromaki-cli --info FILE\n"
    "       iromaki-cli --help | --version\n";

struct ParsedStep {
    const Step* step;
    std::vector<StepArg> args;
};

struct Job {
    int quality = 90;
    uint32_t seed = 0;
    bool seeded = false;
    const char* input = nullptr;
    const char* output = nullptr;
    std::vector<ParsedStep> steps;
};

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

bool ParseArgument(const std::string& text, char kind, StepArg& arg) {
    if (kind == 'i') {
        if (!ParseWholeInt(text.c_str(), arg.i)) return false;
        arg.r = arg.i;
        return true;
    }
    return ParseWholeReal(text.c_str(), arg.r);
}

// NAME or NAME=ARG,ARG,... against the step tables.
bool ParseStep(const char* text, ParsedStep& parsed, std::ostream& err) {
    const std::string whole = text;
    const size_t equals = whole.find('=');
    const std::string name = whole.substr(0, equals);
    parsed.step = FindStep(name);
    if (!parsed.step) {
        err << "iromaki-cli: unknown step '" << name << "'\n";
        return false;
    }
    const size_t expected = std::strlen(parsed.step->kinds);
    std::vector<std::string> texts;
    if (equals != std::string::npos) texts = SplitArguments(whole.substr(equals + 1));
    if (texts.size() != expected) {
        err << "iromaki-cli: step '" << name << "' takes " << expected << " argument(s)";
        if (expected) err << " (" << parsed.step->argNames << ")";
        err << ", got " << texts.size() << "\n";
        return false;
    }
    parsed.args.assign(expected, StepArg{});
    for (size_t k = 0; k < expected; ++k) {
        if (ParseArgument(texts[k], parsed.step->kinds[k], parsed.args[k])) continue;
        err << "iromaki-cli: step '" << name << "': '" << texts[k] << "' is not "
            << (parsed.step->kinds[k] == 'i' ? "an integer" : "a number") << "\n";
        return false;
    }
    return true;
}

bool ParseOptionValue(const char* option, const char* text, int32_t& value, std::ostream& err) {
    if (text && ParseWholeInt(text, value)) return true;
    err << "iromaki-cli: " << option << " needs an integer\n";
    return false;
}

// Everything is checked before any file is touched.
bool ParseJob(int argc, const char* const* argv, Job& job, std::ostream& err) {
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
        int32_t value = 0;
        const char* text = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(argv[i], "--quality") == 0) {
            if (!ParseOptionValue(argv[i], text, value, err)) return false;
            if (value < 50 || value > 100) {
                err << "iromaki-cli: --quality must lie between 50 and 100\n";
                return false;
            }
            job.quality = value;
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            if (!ParseOptionValue(argv[i], text, value, err)) return false;
            job.seed = uint32_t(value);
            job.seeded = true;
        } else {
            err << "iromaki-cli: unknown option '" << argv[i] << "'\n";
            return false;
        }
    }
    if (argc - i < 2) {
        err << kUsage;
        return false;
    }
    job.input = argv[i];
    job.output = argv[i + 1];
    for (i += 2; i < argc; ++i) {
        ParsedStep parsed;
        if (!ParseStep(argv[i], parsed, err)) return false;
        job.steps.push_back(std::move(parsed));
    }
    return true;
}

int RunJob(const Job& job, std::ostream& err) {
    CImage image;
    if (!LoadImageFile(image, job.input)) {
        err << "iromaki-cli: cannot read '" << job.input << "'\n";
        return cli::kFailed;
    }
    SeedRandom(job.seeded ? job.seed : uint32_t(std::time(nullptr)));
    for (const ParsedStep& parsed : job.steps) {
        std::string why;
        if (parsed.step->run(image, parsed.args.data(), why)) continue;
        err << "iromaki-cli: step '" << parsed.step->name
            << "' failed: " << (why.empty() ? "refused its input" : why) << "\n";
        return cli::kFailed;
    }
    if (!SaveImageFile(image, job.output, job.quality)) {
        err << "iromaki-cli: cannot write '" << job.output << "'\n";
        return cli::kFailed;
    }
    return cli::kDone;
}

int ShowInfo(const char* fileName, std::ostream& out, std::ostream& err) {
    CImage image;
    if (!LoadImageFile(image, fileName)) {
        err << "iromaki-cli: cannot read '" << fileName << "'\n";
        return cli::kFailed;
    }
    out << image.Width() << ' ' << image.Height() << ' ' << image.CountColors() << '\n';
    return cli::kDone;
}

void ShowHelp(std::ostream& out) {
    out << kUsage << "\nINPUT and OUTPUT: .bmp, .jpg, .ycc (.wmf read only); --quality is the\n"
        << "JPEG quality (default 90), --seed seeds the random steps (default the time).\n"
        << "A step is NAME or NAME=ARG,ARG,...; steps run in order:\n";
    for (std::span<const Step> table : {ColourSteps(), NeighbourhoodSteps(), GeometrySteps()})
        for (const Step& step : table) {
            std::string usage = step.name;
            if (*step.argNames) usage += std::string("=") + step.argNames;
            out << "  " << usage << std::string(usage.size() < 28 ? 28 - usage.size() : 1, ' ')
                << step.help << '\n';
        }
}

} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
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
    Job job;
    if (!ParseJob(argc, argv, job, err)) return cli::kUsageError;
    return RunJob(job, err);
}
