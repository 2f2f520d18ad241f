#include "app/Document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/Random.h"
#include "formats/ImageFiles.h"
#include "ops/colour/ColourOps.h"
#include "ops/filters/FilterOps.h"
#include "tests/support/AllocationFailure.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TestImages.h"

namespace fs = std::filesystem;

namespace {

// Files keep only the colour plane: the same image with a zero auxiliary plane.
CImage ColoursOnly(const CImage& image) {
    CImage colours;
    colours.Create(image.Width(), image.Height());
    colours.CopyColorsFrom(&image);
    return colours;
}

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.document = &doc;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("iromaki-doc-") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    // A BMP file holding image, under name in the test folder.
    std::string WriteBmpFile(const std::string& name, const CImage& image) {
        std::string path = PathOf(name);
        EXPECT_TRUE(WriteBmp(image, path.c_str()));
        return path;
    }

    void SetCurrent(const CImage& image) { doc.Current().CopyFrom(&image); }

    CImage Loaded(const std::string& path) {
        CImage image;
        EXPECT_TRUE(LoadImageFile(image, path.c_str())) << path;
        return image;
    }

    FakeHost host;
    CImageDocument doc{host};
    fs::path folder;
    CImage picture = ColoursOnly(MakeImage(23, 17, Pattern::Random, 7));
};

std::string Diff(const CImage& expected, const CImage& actual) {
    return DescribeDifference(expected, actual, true);
}

} // namespace

TEST_F(DocumentTest, StartsWithDefaultsAndAnEmptyTitle) {
    EXPECT_EQ(doc.ViewWidth(), 128);
    EXPECT_EQ(doc.ViewHeight(), 128);
    EXPECT_EQ(doc.JpegQuality(), 90);
    EXPECT_EQ(doc.ViewScale(), 1.0);
    EXPECT_FALSE(doc.UndoAvailable());
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_TRUE(host.titles.empty());
}

TEST_F(DocumentTest, CommandLineLoadsWithoutItsQuotes) {
    const std::string path = WriteBmpFile("with blank.bmp", picture);
    for (const std::string& text : {"\"" + path + "\"", "\"" + path, path + "\"", path}) {
        CImageDocument fresh(host);
        fresh.OpenFromCommandLine(text.c_str());
        EXPECT_EQ(fresh.FileName(), path) << text;
        EXPECT_EQ(Diff(picture, fresh.Current()), "") << text;
        EXPECT_EQ(fresh.ViewWidth(), 23);
        EXPECT_FALSE(fresh.UndoAvailable() || fresh.Modified());
        fresh.FinishStartup();
        EXPECT_EQ(fresh.TitleText(), "Iromaki - " + path);
    }
    // Only the one leading quote goes: a second one stays part of the name.
    CImageDocument quoted(host);
    quoted.OpenFromCommandLine(("\"\"" + path).c_str());
    EXPECT_TRUE(quoted.FileName().empty());

    host.titles.clear();
    for (const char* text : {"", "\"", "\"\"", "missing.bmp"}) {
        CImageDocument none(host);
        none.OpenFromCommandLine(text);
        none.FinishStartup();
        EXPECT_TRUE(none.FileName().empty()) << text;
        EXPECT_EQ(none.ViewWidth(), 128);
    }
    EXPECT_TRUE(host.titles.empty()); // the title stays the product name alone
}

TEST_F(DocumentTest, OverlongPathsAreRefusedNotCut) {
    // A file whose full path is 256 characters, and one of 255 beside it.
    fs::path dir = folder;
    while (dir.string().size() < 200)
        dir /= "deep";
    fs::create_directories(dir);
    const size_t room = 256 - dir.string().size() - 1 - 4; // separator and ".bmp"
    const std::string longPath = (dir / (std::string(room, 'n') + ".bmp")).string();
    const std::string okPath = (dir / (std::string(room - 1, 'n') + ".bmp")).string();
    ASSERT_EQ(longPath.size(), 256u);
    // Copies of a file saved under a short name: saving itself needs room for a
    // temporary name, which the system may not give so deep down.
    const std::string shortPath = WriteBmpFile("short.bmp", picture);
    fs::copy_file(shortPath, okPath);
    std::error_code unsupported; // where the system limits paths to 259 characters
    fs::copy_file(shortPath, longPath, unsupported);

    doc.OpenFromCommandLine(longPath.c_str());
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_EQ(doc.Current().Width(), 128);
    doc.OpenDroppedFile(longPath.c_str());
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_EQ(doc.Current().Width(), 128);
    host.openChoices.push_back({longPath});
    doc.ExecuteCommand(cmd::Open);
    EXPECT_TRUE(doc.DialogPath().empty());
    EXPECT_EQ(doc.Current().Width(), 128);

    doc.OpenDroppedFile(okPath.c_str());
    EXPECT_EQ(doc.FileName(), okPath);

    // 255 typed characters plus the appended extension are kept whole; one
    // more is refused before anything is saved.
    const std::string typed = okPath.substr(0, okPath.size() - 4) + "xxxx";
    ASSERT_EQ(typed.size(), 255u);
    host.saveChoices.push_back({typed, 1});
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_EQ(doc.DialogPath(), typed + ".bmp");
    host.messages.clear();
    host.saveChoices.push_back({typed + "y", 1});
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_EQ(doc.DialogPath(), typed + ".bmp");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.saveChoices.empty());
}

TEST_F(DocumentTest, OpenLoadsAndResetsTheFlags) {
    const std::string path = WriteBmpFile("a.bmp", picture);
    doc.MarkChanged();

    doc.ExecuteCommand(cmd::Open); // cancelled: nothing at all
    EXPECT_EQ(host.TakeEnding(), "");
    EXPECT_TRUE(doc.Modified());

    host.openChoices.push_back({path});
    doc.ExecuteCommand(cmd::Open);
    EXPECT_EQ(Diff(picture, doc.Current()), "");
    EXPECT_EQ(Diff(picture, doc.Undo()), "");
    EXPECT_FALSE(doc.UndoAvailable() || doc.Modified());
    EXPECT_EQ(doc.FileName(), path);
    EXPECT_EQ(doc.TitleText(), "Iromaki - " + path);
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");
    EXPECT_EQ(doc.ViewWidth(), 23);

    // A failed load changes neither name nor title, shows nothing, but the
    // dialog keeps the chosen path.
    const std::string broken = PathOf("broken.bmp");
    std::ofstream(broken) << "not a bitmap";
    host.openChoices.push_back({broken});
    host.titles.clear();
    doc.ExecuteCommand(cmd::Open);
    EXPECT_EQ(doc.FileName(), path);
    EXPECT_TRUE(host.titles.empty() && host.messages.empty());
    EXPECT_EQ(doc.DialogPath(), broken);
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");
    doc.ExecuteCommand(cmd::Open);
    EXPECT_EQ(host.openDialogPaths.back(), broken);
}

TEST_F(DocumentTest, MetafilesLeaveNoFileName) {
    // A placeable metafile drawing nothing, 16 x 16 units at 1440 per inch.
    const uint16_t words[] = {0xCDD7, 0x9AC6, 0,     0,  0, 16, 16, 1440, 0, 0, 0, // placeable
                              1,      9,      0x300, 12, 0, 0,  3,  0,    0,       // header
                              3,      0,      0};                                  // end record
    std::vector<uint16_t> data(std::begin(words), std::end(words));
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= data[size_t(i)];
    data[10] = sum;
    const std::string path = PathOf("picture.WMF");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size() * 2));
    CImage probe;
    if (!LoadImageFile(probe, path.c_str())) GTEST_SKIP() << "metafiles cannot be read here";

    host.openChoices.push_back({path});
    doc.ExecuteCommand(cmd::Open);
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_EQ(doc.DialogPath(), path);
    EXPECT_EQ(doc.TitleText(), "Iromaki - ");

    doc.OpenDroppedFile(path.c_str());
    EXPECT_TRUE(doc.FileName().empty() && doc.DialogPath().empty());

    CImageDocument started(host);
    started.OpenFromCommandLine(path.c_str());
    EXPECT_EQ(started.FileName(), path);
    started.FinishStartup();
    EXPECT_TRUE(started.FileName().empty());
    EXPECT_EQ(started.TitleText(), "Iromaki - ");
}

TEST_F(DocumentTest, DroppedFileSetsNameAndDialogPath) {
    const std::string path = WriteBmpFile("dropped.bmp", picture);
    doc.MarkChanged();
    doc.OpenDroppedFile(path.c_str());
    EXPECT_EQ(doc.FileName(), path);
    EXPECT_EQ(doc.DialogPath(), path);
    EXPECT_FALSE(doc.UndoAvailable() || doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");

    doc.OpenDroppedFile(PathOf("missing.bmp").c_str());
    EXPECT_EQ(doc.FileName(), path);
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");
}

TEST_F(DocumentTest, SaveAsAppendsTheChosenTypesExtension) {
    SetCurrent(picture);
    doc.MarkChanged();
    host.saveChoices.push_back({PathOf("a.jpg"), 1});
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_EQ(host.saveDialogStarts.back().filterIndex, 1);
    EXPECT_FALSE(fs::exists(PathOf("a.jpg")));
    EXPECT_EQ(Diff(picture, Loaded(PathOf("a.jpg.bmp"))), "");
    EXPECT_EQ(doc.FileName(), PathOf("a.jpg.bmp"));
    EXPECT_EQ(doc.TitleText(), "Iromaki - " + PathOf("a.jpg.bmp"));
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.UndoAvailable());
    EXPECT_EQ(host.TakeEnding(), ""); // no repaint

    host.saveChoices.push_back({PathOf("A.BMP"), 1});
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_EQ(doc.FileName(), PathOf("A.BMP"));
    EXPECT_EQ(host.saveDialogStarts.back().path, PathOf("a.jpg.bmp"));

    // "All files" appends nothing and asks nothing: a.ycc is written as YCrCb.
    host.saveChoices.push_back({PathOf("a.ycc"), 4});
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_TRUE(host.questions.empty());
    CImage ycc;
    ASSERT_TRUE(ReadYcc(ycc, PathOf("a.ycc").c_str()));
    EXPECT_EQ(ycc.Width(), 23);

    // A dialog path ending in .jpg preselects the JPEG type.
    host.openChoices.push_back({PathOf("photo.jpg")});
    doc.ExecuteCommand(cmd::Open);
    doc.ExecuteCommand(cmd::SaveAs);
    EXPECT_EQ(host.saveDialogStarts.back().filterIndex, 2);
    EXPECT_EQ(host.saveDialogStarts.back().path, PathOf("photo.jpg"));
}

TEST_F(DocumentTest, SaveAsQuestionsAndTheirCancel) {
    SetCurrent(picture);
    doc.MarkChanged();
    const std::string existing = WriteBmpFile("b.bmp", MakeImage(3, 3, Pattern::Flat, 1));

    host.saveChoices.push_back({PathOf("b"), 1});
    host.okCancelAnswers.push_back(false);
    doc.ExecuteCommand(cmd::SaveAs);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "同名のファイルが既に存在します。上書きしますか？");
    EXPECT_EQ(host.questions[0].caption, existing);
    EXPECT_EQ(Loaded(existing).Width(), 3);
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.FileName().empty());

    host.saveChoices.push_back({PathOf("b.bmp"), 1});
    doc.ExecuteCommand(cmd::SaveAs); // OK this time
    EXPECT_EQ(Diff(picture, Loaded(existing)), "");
    EXPECT_FALSE(doc.Modified());

    doc.MarkChanged();
    host.questions.clear();
    host.saveChoices.push_back({PathOf("c"), 3});
    host.okCancelAnswers.push_back(false);
    doc.ExecuteCommand(cmd::SaveAs);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "YCrCb形式で保存すると情報の一部が失われる可能性があります。"
                                      "YCrCb形式で保存しますか？");
    EXPECT_EQ(host.questions[0].caption, PathOf("c.ycc"));
    EXPECT_FALSE(fs::exists(PathOf("c.ycc")));
    EXPECT_TRUE(doc.Modified());

    // Existing file and YCrCb: both questions, in this order.
    host.saveChoices.push_back({PathOf("c.ycc"), 3});
    std::ofstream(PathOf("c.ycc")) << "old";
    doc.ExecuteCommand(cmd::SaveAs);
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[1].text, "同名のファイルが既に存在します。上書きしますか？");
    EXPECT_EQ(host.questions[2].caption, PathOf("c.ycc"));
    EXPECT_EQ(doc.FileName(), PathOf("c.ycc"));
    EXPECT_FALSE(doc.Modified());
}

TEST_F(DocumentTest, FailedSavesAreReported) {
    doc.MarkChanged();
    host.saveChoices.push_back({PathOf("no-such-folder/x.bmp"), 1});
    doc.ExecuteCommand(cmd::SaveAs);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "保存に失敗しました。");
    EXPECT_EQ(host.messages[0].caption, "エラー");
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.FileName().empty());
}

TEST_F(DocumentTest, OverwriteSaveWithAFileName) {
    const std::string path = WriteBmpFile("d.bmp", picture);
    doc.OpenDroppedFile(path.c_str());
    const CImage inverted = ColoursOnly(MakeImage(23, 17, Pattern::HardEdges, 3));
    SetCurrent(inverted);
    doc.MarkChanged();
    host.titles.clear();
    doc.ExecuteCommand(cmd::Save);
    EXPECT_EQ(Diff(inverted, Loaded(path)), "");
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(host.titles.empty() && host.saveDialogStarts.empty() && host.questions.empty());

    // The file's folder has gone: the save fails with a message.
    doc.MarkChanged();
    fs::remove_all(folder);
    doc.ExecuteCommand(cmd::Save);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "保存に失敗しました。");
    EXPECT_EQ(host.messages[0].caption, "エラー");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.FileName(), path);
}

TEST_F(DocumentTest, OverwriteSaveWithoutAFileNameAsksWhereTo) {
    SetCurrent(picture);
    doc.MarkChanged();
    host.openChoices.push_back({PathOf("photo.jpg")}); // a dialog path ending in .jpg
    doc.ExecuteCommand(cmd::Open);

    doc.ExecuteCommand(cmd::Save); // cancelled
    EXPECT_EQ(host.saveDialogStarts.back().filterIndex, 1);
    EXPECT_TRUE(doc.Modified());

    // The YCrCb type appends nothing and asks nothing.
    host.saveChoices.push_back({PathOf("e"), 3});
    doc.ExecuteCommand(cmd::Save);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(Diff(picture, Loaded(PathOf("e"))), "");
    EXPECT_EQ(doc.FileName(), PathOf("e"));
    EXPECT_EQ(doc.TitleText(), "Iromaki - " + PathOf("e"));
    EXPECT_FALSE(doc.Modified());

    CImageDocument other(host);
    other.MarkChanged();
    host.saveChoices.push_back({PathOf("f"), 1});
    other.ExecuteCommand(cmd::Save);
    EXPECT_EQ(other.FileName(), PathOf("f.bmp"));

    // The overwrite question still comes, and its cancel stops the save.
    CImageDocument third(host);
    third.MarkChanged();
    host.saveChoices.push_back({PathOf("f.bmp"), 4});
    host.okCancelAnswers.push_back(false);
    third.ExecuteCommand(cmd::Save);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_TRUE(third.Modified());
}

TEST_F(DocumentTest, JpegQualityMarksOnlyARealChange) {
    doc.ExecuteCommand(cmd::Quality90);
    EXPECT_FALSE(doc.Modified());
    ASSERT_EQ(host.radioChecks.size(), 1u);
    EXPECT_EQ(host.radioChecks[0].first, cmd::Quality100);
    EXPECT_EQ(host.radioChecks[0].last, cmd::Quality50);
    EXPECT_EQ(host.radioChecks[0].command, cmd::Quality90);

    const int expected[] = {100, 90, 80, 70, 60, 50};
    for (int c = cmd::Quality100; c <= cmd::Quality50; ++c) {
        doc.ExecuteCommand(c);
        EXPECT_EQ(doc.JpegQuality(), expected[c - cmd::Quality100]);
    }
    EXPECT_TRUE(doc.Modified());
    EXPECT_FALSE(doc.UndoAvailable());
    EXPECT_EQ(host.TakeEnding(), "");
}

TEST_F(DocumentTest, ZoomSetsTheViewSize) {
    SetCurrent(MakeImage(101, 51, Pattern::Flat, 2));
    const int sizes[][2] = {{25, 12}, {50, 25}, {101, 51}, {202, 102}, {303, 153}, {404, 204}};
    for (int c = cmd::ViewQuarter; c <= cmd::ViewQuadruple; ++c) {
        doc.ExecuteCommand(c);
        EXPECT_EQ(doc.ViewWidth(), sizes[c - cmd::ViewQuarter][0]);
        EXPECT_EQ(doc.ViewHeight(), sizes[c - cmd::ViewQuarter][1]);
        EXPECT_EQ(host.radioChecks.back().first, cmd::ViewQuarter);
        EXPECT_EQ(host.radioChecks.back().last, cmd::ViewQuadruple);
        EXPECT_EQ(host.radioChecks.back().command, c);
        EXPECT_EQ(host.TakeEnding(), "relayout+repaint");
    }
    EXPECT_FALSE(doc.Modified());
}

TEST_F(DocumentTest, UndoRestoresOnceAndKeepsModified) {
    SetCurrent(picture);
    host.windowRuns.push_back(FakeHost::Executes([](CImage& image) { image.SetPixel(0, 0, 1); }));
    doc.ExecuteCommand(cmd::ComponentAdjust);
    ASSERT_NE(Diff(picture, doc.Current()), "");

    host.TakeEnding();
    doc.ExecuteCommand(cmd::Undo);
    EXPECT_EQ(Diff(picture, doc.Current()), "");
    EXPECT_EQ(Diff(picture, doc.Undo()), ""); // a restore, not an exchange
    EXPECT_FALSE(doc.UndoAvailable());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");

    MenuItemState items[3];
    ASSERT_EQ(doc.EnabledItems(1, items), 3);
    EXPECT_EQ(items[2].command, cmd::Undo);
    EXPECT_FALSE(items[2].enabled);
    doc.EnabledItems(0, items);
    EXPECT_EQ(items[0].command, cmd::Save);
    EXPECT_TRUE(items[0].enabled);

    doc.Current().SetPixel(1, 1, 2);
    const CImage changed = doc.Current();
    doc.ExecuteCommand(cmd::Undo);
    EXPECT_EQ(Diff(changed, doc.Current()), "");
    EXPECT_EQ(host.TakeEnding(), "");
}

TEST_F(DocumentTest, PasteReplacesTheImageAndForgetsTheFile) {
    doc.OpenDroppedFile(WriteBmpFile("g.bmp", MakeImage(5, 4, Pattern::Flat, 9)).c_str());
    doc.MarkChanged();
    host.TakeEnding();

    doc.ExecuteCommand(cmd::PasteBitmap); // nothing on the clipboard
    EXPECT_EQ(doc.Current().Width(), 5);
    EXPECT_FALSE(doc.FileName().empty());
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");

    host.CopyToClipboard(MakeImage(23, 17, Pattern::Random, 7));
    doc.ExecuteCommand(cmd::PasteBitmap);
    EXPECT_EQ(Diff(picture, doc.Current()), "");
    EXPECT_FALSE(doc.UndoAvailable());
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_EQ(doc.TitleText(), "Iromaki - ");
    EXPECT_EQ(doc.ViewWidth(), 23);
    EXPECT_EQ(host.TakeEnding(), "relayout+repaint");

    // Copy leaves the document alone.
    doc.ExecuteCommand(cmd::CopyBitmap);
    EXPECT_FALSE(host.clipboard.empty());
    EXPECT_EQ(host.TakeEnding(), "");
}

TEST_F(DocumentTest, MenuEnablingFollowsTheFlagsAndTheClipboard) {
    auto states = [&](int position) {
        MenuItemState items[3];
        EXPECT_EQ(doc.EnabledItems(position, items), 3);
        EXPECT_EQ(items[0].command, cmd::Save);
        EXPECT_EQ(items[1].command, cmd::PasteBitmap);
        EXPECT_EQ(items[2].command, cmd::Undo);
        return std::string{items[0].enabled ? 'S' : '-', items[1].enabled ? 'P' : '-',
                           items[2].enabled ? 'U' : '-'};
    };
    EXPECT_EQ(states(0), "---");
    EXPECT_EQ(states(1), "---");
    doc.MarkChanged();
    host.CopyToClipboard(picture);
    EXPECT_EQ(states(0), "S--");
    EXPECT_EQ(states(1), "-PU");
    EXPECT_EQ(states(2), "---");
    EXPECT_EQ(states(0x10000 | 1), "---"); // a system menu
    EXPECT_EQ(host.clipboardQueries, 2);   // asked for position 1 only
}

TEST_F(DocumentTest, InformationAndHelpCommands) {
    SetCurrent(MakeImage(23, 17, Pattern::FewColours, 4));
    doc.ExecuteCommand(cmd::ImageSize);
    doc.ExecuteCommand(cmd::ColourCount);
    doc.ExecuteCommand(cmd::About);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "幅:23ピクセル 高さ:17ピクセル");
    EXPECT_EQ(host.messages[0].caption, "画像サイズ");
    EXPECT_EQ(host.messages[1].text, "色数:" + std::to_string(doc.Current().CountColors()) + "色");
    EXPECT_EQ(host.messages[1].caption, "画像内色数");
    EXPECT_NE(host.messages[2].text.find("Iromaki 24"), std::string::npos);
    EXPECT_EQ(host.messages[2].caption, "バージョン情報");

    doc.ExecuteCommand(cmd::AuthorSite);
    doc.ExecuteCommand(cmd::Exit);
    doc.ExecuteCommand(999);
    EXPECT_EQ(host.authorPageOpens, 1);
    EXPECT_EQ(host.closeRequests, 1);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "");
}

TEST_F(DocumentTest, ImmediateCommandsApplyTheirOperationWithUndo) {
    struct Row {
        int command;
        std::function<void(CImage&)> operation;
        const char* ending;
    };
    const Row rows[] = {
        {cmd::MaximizeContrast, MaximizeContrast, "repaint"},
        {cmd::Gray, ConvertToGray, "repaint"},
        {cmd::Invert, InvertColors, "repaint"},
        {cmd::FlipTopBottom, FlipVertical, "repaint"},
        {cmd::FlipLeftRight, FlipHorizontal, "repaint"},
        {cmd::ExchangeXY, ExchangeXY, "relayout+repaint"},
        {cmd::Reduce216, ReduceTo216Colors, "relayout+repaint"},
        {cmd::Emboss, Emboss, "repaint"},
        {cmd::Median, [](CImage& image) { image.MedianFilter(); }, "repaint"},
        {cmd::Pinhole, PinholeCamera, "repaint"},
    };
    for (const Row& row : rows) {
        CImageDocument fresh(host);
        fresh.Current().CopyFrom(&picture);
        CImage expected = picture;
        SeedRandom(5);
        row.operation(expected);
        SeedRandom(5);
        host.log.clear();
        fresh.ExecuteCommand(row.command);
        EXPECT_EQ(Diff(expected, fresh.Current()), "") << row.command;
        EXPECT_EQ(Diff(picture, fresh.Undo()), "") << row.command;
        EXPECT_TRUE(fresh.UndoAvailable() && fresh.Modified()) << row.command;
        EXPECT_EQ(host.TakeEnding(), row.ending) << row.command;
        if (std::string(row.ending) != "repaint") {
            EXPECT_EQ(fresh.ViewWidth(), fresh.Current().Width()) << row.command;
        }
    }
}

// Each allocation of a command failing in turn: the command is done, or it is
// not and one message says why, with image, undo image and flags as they were.
// When the operation itself finds no memory, the undo copy has already been
// taken: the undo image then holds the unchanged picture.
TEST_F(DocumentTest, CommandsWithoutMemoryChangeNothingAndSaySo) {
    const CImage before = ColoursOnly(MakeImage(5, 4, Pattern::Random, 9));
    for (int command : {cmd::Invert, cmd::Gray, cmd::FlipLeftRight, cmd::ExchangeXY, cmd::Emboss,
                        cmd::Median, cmd::Pinhole, cmd::Reduce216}) {
        SCOPED_TRACE(command);
        std::unique_ptr<CImageDocument> fresh;
        CImage expected;
        WalkAllocationFailures(
            [&] {
                fresh = std::make_unique<CImageDocument>(host);
                fresh->Current().CopyFrom(&picture);
                fresh->Undo().CopyFrom(&before);
                host.messages.clear();
                SeedRandom(5);
            },
            [&] {
                fresh->ExecuteCommand(command);
                return true;
            },
            [&](bool, int64_t n) {
                if (n == 0) expected.CopyFrom(&fresh->Current());
                if (Diff(expected, fresh->Current()).empty() &&
                    Diff(picture, fresh->Undo()).empty())
                    return;
                EXPECT_EQ(Diff(picture, fresh->Current()), "") << n;
                if (!Diff(picture, fresh->Undo()).empty()) {
                    EXPECT_EQ(Diff(before, fresh->Undo()), "") << n;
                }
                EXPECT_FALSE(fresh->Modified() || fresh->UndoAvailable()) << n;
                ASSERT_EQ(host.messages.size(), 1u) << n;
                EXPECT_EQ(host.messages[0].text, "メモリが不足しているため、実行できませんでした。");
            });
    }
}

TEST_F(DocumentTest, ContrastMaximisationMarksASingleColourImage) {
    const CImage flat = MakeImage(3, 2, Pattern::Flat, 11);
    SetCurrent(flat);
    doc.ExecuteCommand(cmd::MaximizeContrast);
    EXPECT_EQ(Diff(flat, doc.Current()), "");
    EXPECT_EQ(Diff(flat, doc.Undo()), ""); // the undo copy was taken
    EXPECT_TRUE(doc.UndoAvailable() && doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "repaint");
}

TEST_F(DocumentTest, FixedScalingAdoptsTheScaledImage) {
    const int32_t percents[] = {50, 150, 200, 300};
    for (const CImage& source : {picture, MakeImage(4, 4, Pattern::Random, 3)}) {
        for (int i = 0; i < 4; ++i) {
            CImageDocument fresh(host);
            fresh.Current().CopyFrom(&source);
            std::unique_ptr<CImage> expected = ScaleImageByPercent(source, percents[i]);
            host.log.clear();
            fresh.ExecuteCommand(cmd::Scale50 + i);
            if (expected) {
                EXPECT_EQ(Diff(*expected, fresh.Current()), "") << percents[i];
                EXPECT_EQ(Diff(source, fresh.Undo()), "") << percents[i];
                EXPECT_TRUE(fresh.UndoAvailable() && fresh.Modified());
                EXPECT_EQ(fresh.ViewWidth(), expected->Width());
                EXPECT_EQ(host.TakeEnding(), "relayout+repaint");
            } else {
                EXPECT_EQ(Diff(source, fresh.Current()), "") << percents[i];
                EXPECT_FALSE(fresh.UndoAvailable() || fresh.Modified());
                EXPECT_EQ(host.TakeEnding(), "repaint");
            }
        }
    }
}

TEST_F(DocumentTest, CustomFilterChecksTheDivisor) {
    SetCurrent(picture);
    FilterKernel kernel;
    kernel.coefficients[4] = 1;
    kernel.coefficients[2] = 1;
    kernel.addend = 255;
    for (double refused : {0.0, 1000.0, 999.5, 9999.0}) {
        kernel.divisor = refused;
        host.windowRuns.push_back(FakeHost::Kernel(kernel));
        doc.ExecuteCommand(cmd::CustomFilter);
        EXPECT_EQ(Diff(picture, doc.Current()), "") << refused;
        EXPECT_EQ(doc.Undo().Width(), 128) << refused; // no undo copy
        EXPECT_FALSE(doc.UndoAvailable() || doc.Modified());
        EXPECT_EQ(host.TakeEnding(), "");
    }
    for (double accepted : {-1.0, 999.0}) {
        CImageDocument fresh(host);
        fresh.Current().CopyFrom(&picture);
        kernel.divisor = accepted;
        CImage expected = picture;
        expected.ApplyFilter3x3(kernel);
        host.windowRuns.push_back(FakeHost::Kernel(kernel));
        fresh.ExecuteCommand(cmd::CustomFilter);
        EXPECT_EQ(Diff(expected, fresh.Current()), "") << accepted;
        EXPECT_EQ(Diff(picture, fresh.Undo()), "") << accepted;
        EXPECT_TRUE(fresh.UndoAvailable() && fresh.Modified());
        EXPECT_EQ(host.TakeEnding(), "repaint");
    }
    EXPECT_EQ(host.windowsRun.back(), ParameterWindow::CustomFilter);
}

TEST_F(DocumentTest, RgbConversionAppliesAnExecutedRecord) {
    SetCurrent(picture);
    const double m[12] = {0, 1, 0, 0, 0, 0, 1, 0, 0.5, 0, 0, 7};
    host.windowRuns.push_back(FakeHost::Conversion(m, 2));
    doc.ExecuteCommand(cmd::RgbConvert);
    EXPECT_EQ(Diff(picture, doc.Current()), "");
    EXPECT_FALSE(doc.UndoAvailable() || doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "repaint");

    host.windowRuns.push_back(FakeHost::Conversion(m));
    doc.ExecuteCommand(cmd::RgbConvert);
    CImage expected = picture;
    ConvertRgb(expected, m);
    EXPECT_EQ(Diff(expected, doc.Current()), "");
    EXPECT_EQ(Diff(picture, doc.Undo()), "");
    EXPECT_TRUE(doc.UndoAvailable() && doc.Modified());
    EXPECT_EQ(host.TakeEnding(), "repaint");
    EXPECT_EQ(host.windowsRun.back(), ParameterWindow::RGB);
}

TEST_F(DocumentTest, ParameterWindowsMarkAndRefreshAsTheirRowSays) {
    struct Row {
        int command;
        ParameterWindow window;
        const char* executed;
        const char* cancelled;
    };
    const Row rows[] = {
        {cmd::Trimming, ParameterWindow::Trim, "relayout+repaint", "repaint"},
        {cmd::Resize, ParameterWindow::Resize, "relayout+repaint", ""},
        {cmd::ComponentAdjust, ParameterWindow::Conv, "repaint", "repaint"},
        {cmd::BrightnessContrast, ParameterWindow::Cont, "repaint", "repaint"},
        {cmd::Saturation, ParameterWindow::ContS, "repaint", "repaint"},
        {cmd::Gamma, ParameterWindow::Gamma, "repaint", "repaint"},
        {cmd::Posterize, ParameterWindow::Post, "repaint", "repaint"},
        {cmd::ToneCut, ParameterWindow::YCut, "repaint", "repaint"},
        {cmd::PixelExchange, ParameterWindow::PixelExchange, "repaint", "repaint"},
        {cmd::ReplaceColour, ParameterWindow::Replace, "repaint", "repaint"},
        {cmd::UnsharpMask, ParameterWindow::Unsharp, "repaint", "repaint"},
        {cmd::Blur, ParameterWindow::Blur, "repaint", "repaint"},
        {cmd::Outline, ParameterWindow::Outline, "repaint", "repaint"},
        {cmd::Antialias, ParameterWindow::Antialias, "repaint", "repaint"},
        {cmd::ColourDifference, ParameterWindow::RGBDef, "repaint", "repaint"},
    };
    for (const Row& row : rows) {
        CImageDocument fresh(host);
        host.document = &fresh;
        fresh.Current().CopyFrom(&picture);
        host.log.clear();
        fresh.ExecuteCommand(row.command); // closed
        EXPECT_EQ(host.windowsRun.back(), row.window) << row.command;
        EXPECT_FALSE(fresh.UndoAvailable() || fresh.Modified()) << row.command;
        EXPECT_EQ(host.TakeEnding(), row.cancelled) << row.command;

        host.windowRuns.push_back(FakeHost::Executes([](CImage& image) { image.Create(9, 8); }));
        fresh.ExecuteCommand(row.command);
        EXPECT_EQ(Diff(picture, fresh.Undo()), "") << row.command;
        EXPECT_TRUE(fresh.UndoAvailable() && fresh.Modified()) << row.command;
        EXPECT_EQ(host.TakeEnding(), row.executed) << row.command;
    }
    host.document = &doc;
}
