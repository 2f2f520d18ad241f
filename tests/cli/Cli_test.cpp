#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

#include "cli/Steps.h"
#include "core/Random.h"
#include "formats/ImageFiles.h"
#include "tests/support/TestImages.h"

namespace fs = std::filesystem;

namespace {

std::vector<const Step*> AllSteps() {
    std::vector<const Step*> steps;
    for (std::span<const Step> table : {ColourSteps(), NeighbourhoodSteps(), GeometrySteps()})
        for (const Step& step : table)
            steps.push_back(&step);
    return steps;
}

// The step with every argument 0, as the tool's text and as values.
std::string ZeroStep(const Step& step) {
    std::string text = step.name;
    for (size_t k = 0; k < std::strlen(step.kinds); ++k)
        text += k ? ",0" : "=0";
    return text;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("iromaki-cli-") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        input = PathOf("in.bmp");
        CImage picture = MakeImage(7, 5, Pattern::FewColours, 3);
        image.Create(7, 5);
        image.CopyColorsFrom(&picture);
        ASSERT_TRUE(WriteBmp(image, input.c_str()));
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "iromaki-cli");
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        out.str("");
        err.str("");
        return RunCli(int(argv.size()), argv.data(), out, err);
    }

    static std::string Contents(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path folder;
    std::string input;
    CImage image;
    std::ostringstream out, err;
};

} // namespace

TEST_F(CliTest, VersionAndHelp) {
    EXPECT_EQ(Run({"--version"}), cli::kDone);
    EXPECT_EQ(out.str(), "Iromaki 24\n");
    EXPECT_EQ(Run({"--help"}), cli::kDone);
    EXPECT_NE(out.str().find("--info FILE"), std::string::npos);
    for (const Step* step : AllSteps()) {
        std::string usage = step->name;
        if (*step->argNames) usage += std::string("=") + step->argNames;
        EXPECT_NE(out.str().find(usage), std::string::npos) << usage;
    }
}

TEST_F(CliTest, UsageErrorsTouchNothing) {
    const std::string output = PathOf("out.bmp");
    std::vector<std::vector<std::string>> bad = {
        {},
        {input},
        {"--info"},
        {"--info", input, output},
        {"--quality", "49", input, output},
        {"--quality", "101", input, output},
        {"--quality", "9x", input, output},
        {"--quality"},
        {"--seed", "1.5", input, output},
        {"--colour", input, output},
        {input, output, "no-such-step"},
        {PathOf("missing.bmp"), output, "no-such-step"}, // usage is checked first
    };
    for (const Step* step : AllSteps()) {
        const size_t n = std::strlen(step->kinds);
        bad.push_back({input, output, ZeroStep(*step) + ",0"});
        if (n == 0) bad.push_back({input, output, std::string(step->name) + "=1"});
        if (n > 0) {
            bad.push_back({input, output, step->name});
            std::string text = ZeroStep(*step);
            text.back() = 'x';
            bad.push_back({input, output, text});
        }
    }
    for (const auto& args : bad) {
        std::string joined;
        for (const std::string& a : args)
            joined += a + " ";
        EXPECT_EQ(Run(args), cli::kUsageError) << joined;
        EXPECT_FALSE(err.str().empty()) << joined;
        EXPECT_FALSE(fs::exists(output)) << joined;
    }
}

TEST_F(CliTest, InfoPrintsSizeAndColourCount) {
    EXPECT_EQ(Run({"--info", input}), cli::kDone);
    EXPECT_EQ(out.str(), "7 5 " + std::to_string(image.CountColors()) + "\n");
    EXPECT_EQ(Run({"--info", PathOf("missing.bmp")}), cli::kFailed);
    EXPECT_NE(err.str().find("missing.bmp"), std::string::npos);
}

TEST_F(CliTest, ConvertsByTheOutputName) {
    EXPECT_EQ(Run({"--quality", "50", "--seed", "-3", input, PathOf("out.ycc")}), cli::kDone);
    CImage ycc;
    ASSERT_TRUE(ReadYcc(ycc, PathOf("out.ycc").c_str()));
    EXPECT_EQ(ycc.Width(), 7);

    EXPECT_EQ(Run({input, PathOf("copy.bmp")}), cli::kDone);
    EXPECT_EQ(Contents(PathOf("copy.bmp")), Contents(input));
}

TEST_F(CliTest, FailuresLeaveTheOutputAlone) {
    const std::string output = PathOf("out.bmp");
    std::ofstream(output) << "keep me";
    EXPECT_EQ(Run({PathOf("missing.bmp"), output}), cli::kFailed);
    EXPECT_NE(err.str().find("missing.bmp"), std::string::npos);
    EXPECT_EQ(Run({input, output, "no-such-step"}), cli::kUsageError);
    EXPECT_EQ(Contents(output), "keep me");

    EXPECT_EQ(Run({input, PathOf("no-folder/out.bmp")}), cli::kFailed);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

// Every step of the tables, with zero arguments: the tool's result is the
// step's own on the same image, and a refusal exits 1 and leaves the output
// file as it was.
TEST_F(CliTest, EveryStepRunsAsItsTableSays) {
    const std::string output = PathOf("out.bmp");
    for (const Step* step : AllSteps()) {
        CImage expected = image;
        std::vector<StepArg> args(std::strlen(step->kinds));
        std::string why;
        SeedRandom(17);
        const bool accepted = step->run(expected, args.data(), why);

        std::ofstream(output) << "keep me";
        const int status = Run({"--seed", "17", input, output, ZeroStep(*step)});
        if (!accepted) {
            EXPECT_EQ(status, cli::kFailed) << step->name;
            EXPECT_NE(err.str().find(step->name), std::string::npos) << step->name;
            EXPECT_EQ(Contents(output), "keep me") << step->name;
            continue;
        }
        ASSERT_EQ(status, cli::kDone) << step->name << ": " << err.str();
        CImage written;
        ASSERT_TRUE(LoadImageFile(written, output.c_str())) << step->name;
        CImage colours;
        colours.Create(expected.Width(), expected.Height());
        colours.CopyColorsFrom(&expected);
        EXPECT_EQ(DescribeDifference(colours, written), "") << step->name;
    }
}

TEST_F(CliTest, HelpAndRefusalsComeFromTheParameterTables) {
    EXPECT_EQ(Run({"--help"}), cli::kDone);
    EXPECT_NE(out.str().find("blur=RANGE,WEIGHT"), std::string::npos);
    EXPECT_NE(out.str().find("RANGE 1 to 6"), std::string::npos);
    EXPECT_NE(out.str().find("scale=PERCENT"), std::string::npos);
    EXPECT_NE(out.str().find("PERCENT 50, 150, 200 or 300"), std::string::npos);

    const std::string output = PathOf("out.bmp");
    EXPECT_EQ(Run({input, output, "gray", "blur=7,1"}), cli::kFailed);
    EXPECT_NE(err.str().find("RANGE must be 1 to 6"), std::string::npos);
    EXPECT_FALSE(fs::exists(output));

    std::ofstream(PathOf("cut.bmp"), std::ios::binary) << Contents(input).substr(0, 60);
    EXPECT_EQ(Run({PathOf("cut.bmp"), output}), cli::kFailed);
    EXPECT_NE(err.str().find("truncated"), std::string::npos);
}

// The batch form: each output is the one-file form's, a broken file is
// reported while the others go on, outputs are not replaced without
// --overwrite and inputs never.
TEST_F(CliTest, BatchWritesWhatTheOneFileFormWrites) {
    std::vector<std::string> args = {
        "--seed", "9", "--out", PathOf("out"), "--jobs", "3", "exchange=30", "unsharp=2,1.4", "--"};
    for (int k = 0; k < 6; ++k) {
        const std::string name = PathOf("in" + std::to_string(k) + ".bmp");
        ASSERT_TRUE(WriteBmp(MakeImage(40 + k, 30, Pattern::Random, uint32_t(k)), name.c_str()));
        args.push_back(name);
    }
    std::ofstream(PathOf("broken.bmp")) << "BM";
    args.push_back(PathOf("broken.bmp"));
    EXPECT_EQ(Run(args), cli::kFailed);
    EXPECT_NE(err.str().find("broken.bmp': truncated"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("6 of 7 files written, 1 failed"), std::string::npos) << err.str();
    for (int k = 0; k < 6; ++k) {
        const std::string name = "in" + std::to_string(k) + ".bmp";
        ASSERT_EQ(
            Run({"--seed", "9", PathOf(name), PathOf("one.bmp"), "exchange=30", "unsharp=2,1.4"}),
            cli::kDone);
        EXPECT_EQ(Contents(PathOf("out/" + name)), Contents(PathOf("one.bmp"))) << name;
    }

    std::ofstream(PathOf("out/in0.bmp")) << "keep me";
    EXPECT_EQ(Run({"--out", PathOf("out"), "gray", "--", PathOf("in0.bmp"), PathOf("in1.bmp")}),
              cli::kFailed);
    EXPECT_NE(err.str().find("exists"), std::string::npos);
    EXPECT_EQ(Contents(PathOf("out/in0.bmp")), "keep me");
    EXPECT_EQ(Run({"--out", PathOf("out"), "--overwrite", "--", PathOf("in0.bmp")}), cli::kDone);
    EXPECT_EQ(Contents(PathOf("out/in0.bmp")), Contents(PathOf("in0.bmp")));

    const std::string before = Contents(input);
    EXPECT_EQ(Run({"--out", folder.string(), "--overwrite", "invert", "--", input}), cli::kFailed);
    EXPECT_EQ(Contents(input), before);
    EXPECT_EQ(Run({"--out", PathOf("ycc"), "--ext", "YCC", "--", input}), cli::kDone);
    EXPECT_TRUE(fs::exists(PathOf("ycc/in.ycc")));
}

// A signal stops the batch between files: what was written is whole and the
// same as the one-file form's, and no temporary file is left.
TEST_F(CliTest, BatchStopsOnASignalLeavingOnlyWholeFiles) {
    const std::string source = PathOf("source.bmp");
    ASSERT_TRUE(WriteBmp(MakeImage(160, 120, Pattern::Random, 4), source.c_str()));
    std::vector<std::string> args = {"--seed", "1",          "--out",  PathOf("out"), "--jobs",
                                     "2",      "blur=6,0.3", "median", "--"};
    constexpr int kFiles = 300;
    for (int k = 0; k < kFiles; ++k) {
        args.push_back(PathOf("in" + std::to_string(k) + ".bmp"));
        fs::copy_file(source, args.back());
    }
    std::atomic<bool> returned{false};
    std::thread interrupter([&] {
        while (!fs::exists(PathOf("out/in0.bmp")) && !fs::exists(PathOf("out/in1.bmp")))
            if (returned) return; // nothing was written: the checks below fail
        std::raise(SIGTERM);
    });
    const int status = Run(args);
    returned = true;
    interrupter.join();
    EXPECT_EQ(status, 128 + SIGTERM);
    EXPECT_NE(err.str().find("interrupted"), std::string::npos);

    ASSERT_EQ(Run({"--seed", "1", source, PathOf("one.bmp"), "blur=6,0.3", "median"}), cli::kDone);
    const std::string expected = Contents(PathOf("one.bmp"));
    int written = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathOf("out"))) {
        EXPECT_EQ(entry.path().extension(), ".bmp") << entry.path();
        EXPECT_EQ(Contents(entry.path().string()), expected) << entry.path();
        ++written;
    }
    EXPECT_GT(written, 0);
    EXPECT_LT(written, kFiles);
}
