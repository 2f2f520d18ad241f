#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Document.h"
#include "app/ParameterWindow.h"
#include "app/windows/Catalogue.h"
#include "app/windows/Gamma.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeSurface.h"
#include "tests/support/TestImages.h"

namespace {

struct Fixture {
    FakeHost host;
    CImageDocument document{host};
    TrimFrame trim;
};

// A window made of the awkward cases: repeated identifiers (an edit and its
// up-down both 1, a label and a check box both 5, two trackbars 0), a combo box
// with an edit field and execute on the identifier 2, as in the resize window.
enum Place { kEdit, kUpDown, kLabel, kCheck, kBarA, kBarB, kCombo };
constexpr ControlDef kAwkward[] = {
    {.kind = ControlKind::Edit, .id = 1, .x = 8, .y = 8, .width = 40, .height = 22},
    {.kind = ControlKind::UpDown, .id = 1, .minimum = 2, .maximum = 64, .start = 4, .buddy = kEdit},
    {.kind = ControlKind::RightLabel, .id = 5, .text = "右"},
    {.kind = ControlKind::CheckBox, .id = 5, .text = "check"},
    {.kind = ControlKind::Trackbar, .id = 0, .minimum = 0, .maximum = 10, .start = 3},
    {.kind = ControlKind::Trackbar, .id = 0, .minimum = 0, .maximum = 10, .start = 7},
    {.kind = ControlKind::EditCombo, .id = 7, .text = "a\nb\nc", .start = 1},
};

// Writes down what it hears, with what the surface shows at that moment.
std::vector<std::string> g_heard;

class Listener : public WindowBehaviour {
    void OnEditChange(ParameterWindowSession& s, int control) override {
        g_heard.push_back("edit " + std::to_string(control) + " " + s.Surface().GetText(control) +
                          (s.Preview() ? " preview" : ""));
    }
    void OnScroll(ParameterWindowSession& s, int control) override {
        g_heard.push_back("scroll " + std::to_string(control) + " " +
                          std::to_string(s.Surface().GetTrackbarPos(control)));
    }
    void OnCommand(ParameterWindowSession& s, int control, int code) override {
        g_heard.push_back("command " + std::to_string(control) + " " + std::to_string(code) + " " +
                          std::to_string(s.Surface().GetComboSelection(control)) + " " +
                          s.Surface().GetText(control));
    }
    void OnExecute(ParameterWindowSession& s) override { s.Finish(true); }
};

WindowDefinition Awkward(bool navigation, bool enterExecutes) {
    // clang-format off
    return {.frame = {.title = "t", .width = 300, .height = 200, .navigation = navigation,
                      .enterExecutes = enterExecutes, .execute = ExecuteButton(2, 0, 0),
                      .cancel = CancelButton(3, 80, 0), .previewKind = PreviewKind::Stretched,
                      .previewX = 200, .previewY = 4},
            .controls = kAwkward,
            .make = MakeBehaviour<Listener>};
    // clang-format on
}

} // namespace

TEST(ParameterWindow, PreviewKeepsTheLongerSideWithin128) {
    struct Case {
        int32_t w, h, pw, ph;
    } cases[] = {{1000, 500, 128, 64}, {500, 1000, 64, 128}, {100, 60, 100, 60},
                 {300, 300, 128, 128}, {129, 1, 128, 0},     {1, 1, 1, 1},
                 {0, 0, 0, 0},         {128, 128, 128, 128}, {385, 200, 128, 66}};
    for (const Case& c : cases) {
        int32_t pw = -1, ph = -1;
        PreviewSize(c.w, c.h, pw, ph);
        EXPECT_EQ(pw, c.pw) << c.w << "x" << c.h;
        EXPECT_EQ(ph, c.ph) << c.w << "x" << c.h;
    }
}

TEST(ParameterWindow, CatalogueListsTheSeventeenInRegistrationOrder) {
    auto entries = WindowCatalogue();
    ASSERT_EQ(entries.size(), size_t(kParameterWindowCount));
    std::set<std::string> classes;
    std::set<int> commands;
    for (size_t i = 0; i < entries.size(); ++i) {
        const CatalogueEntry& e = entries[i];
        EXPECT_EQ(int(e.kind), int(i));
        EXPECT_EQ(CatalogueEntryForCommand(e.command), &e);
        classes.insert(e.className);
        commands.insert(e.command);
        if (!e.window) continue;
        EXPECT_NE(e.window->frame.execute.id, -1) << e.className;
        for (const ControlDef& c : e.window->controls) {
            if (c.kind != ControlKind::UpDown) continue;
            EXPECT_EQ(e.window->controls[size_t(c.buddy)].kind, ControlKind::Edit);
        }
    }
    EXPECT_EQ(classes.size(), entries.size());
    EXPECT_EQ(commands.size(), entries.size());
    EXPECT_STREQ(CatalogueEntryOf(ParameterWindow::Gamma).className, "CGammaDialog");
    EXPECT_EQ(CatalogueEntryForCommand(cmd::Open), nullptr);
}

TEST(ParameterWindow, CancelAndCloseBoxBothEndCancelled) {
    for (bool closeBox : {false, true}) {
        Fixture f;
        ParameterWindowSession session(ParameterWindow::Gamma, f.document, f.trim);
        FakeSurface surface(session);
        EXPECT_TRUE(session.Open());
        if (closeBox)
            surface.CloseBox();
        else
            surface.PressCancel();
        EXPECT_TRUE(surface.closed);
        EXPECT_FALSE(session.Open());
        EXPECT_FALSE(session.Result().executed);
        // Nothing reaches a window that has ended.
        surface.MoveTrackbar(gamma_window::kTrackbar, 100);
        EXPECT_EQ(surface.repaints, 0);
    }
}

TEST(ParameterWindow, PreviewIsReducedCopyDrawnAtTheCorner) {
    Fixture f;
    f.document.Current() = MakeImage(300, 150, Pattern::Random, 7);
    ParameterWindowSession session(ParameterWindow::Gamma, f.document, f.trim);
    FakeSurface surface(session);
    ASSERT_NE(session.Preview(), nullptr);
    CImage expected = f.document.Current();
    expected.Resample(128, 64);
    EXPECT_EQ(DescribeDifference(expected, *session.Preview()), "");
    surface.PaintNow();
    ASSERT_EQ(surface.drawn.size(), 1u);
    EXPECT_EQ(surface.drawn[0].x, 176);
    EXPECT_EQ(surface.drawn[0].y, 8);
    EXPECT_EQ(surface.drawn[0].imageWidth, 128);
    EXPECT_EQ(surface.drawn[0].imageHeight, 64);
    surface.CloseBox();
    EXPECT_EQ(session.Preview(), nullptr); // released with the window
}

TEST(ParameterWindow, WindowsNotYetBuiltEndCancelledAtOnce) {
    Fixture f;
    ParameterWindowSession session(nullptr, "CResizeDialog", f.document, f.trim);
    EXPECT_FALSE(session.Available());
    FakeSurface surface(session);
    surface.PressExecute();
    session.Destroy();
    EXPECT_FALSE(session.Open());
    EXPECT_FALSE(session.Result().executed);
}

TEST(ParameterWindow, ControlsKeepTheirPlacesWhateverTheirIdentifiers) {
    Fixture f;
    const WindowDefinition window = Awkward(true, false);
    g_heard.clear();
    ParameterWindowSession session(&window, "CAwkward", f.document, f.trim);
    FakeSurface surface(session);
    // The up-down wrote its start into its buddy during creation, and the
    // window heard it with its surface and preview already in place.
    EXPECT_EQ(g_heard, std::vector<std::string>{"edit 0 4 preview"});
    EXPECT_EQ(surface.Text(kLabel), "右");
    surface.Spin(kUpDown, 3);
    surface.SetText(kEdit, "9"); // a program's own change is heard too
    surface.MoveTrackbar(kBarB, 9);
    surface.Click(kCheck);
    EXPECT_EQ(g_heard,
              (std::vector<std::string>{"edit 0 4 preview", "edit 0 7 preview", "edit 0 9 preview",
                                        "scroll 5 9", "command 3 0 0 check"}));
    EXPECT_EQ(surface.GetTrackbarPos(kUpDown), 9);
    EXPECT_EQ(surface.Position(kBarA), 3);
    EXPECT_TRUE(surface.Checked(kCheck));
    surface.SetChecked(kCheck, false);
    EXPECT_FALSE(surface.IsChecked(kCheck));
    surface.SetFocus(kEdit);
    EXPECT_TRUE(surface.HasFocus(kEdit));
    EXPECT_FALSE(surface.HasFocus(kUpDown));
}

TEST(ParameterWindow, ComboWithAnEditFieldPassesOnEveryNotification) {
    Fixture f;
    const WindowDefinition window = Awkward(true, false);
    ParameterWindowSession session(&window, "CAwkward", f.document, f.trim);
    FakeSurface surface(session);
    EXPECT_EQ(surface.Text(kCombo), "b");
    g_heard.clear();
    surface.Type(kCombo, "12");
    surface.Select(kCombo, 2);
    // Typed text leaves no selection; a picked item is selected while the
    // field still shows the old text.
    EXPECT_EQ(g_heard, (std::vector<std::string>{"command 6 6 -1 12", "command 6 5 -1 12",
                                                 "command 6 1 2 12"}));
    EXPECT_EQ(surface.Text(kCombo), "c");
}

TEST(ParameterWindow, EscapeNeverExecutesAndEnterOnlyWhereTheWindowAllows) {
    struct Case {
        bool navigation, enterExecutes;
        DialogKey key;
        bool open, executed;
    } cases[] = {
        {true, false, DialogKey::Escape, false, false}, // cancels, though execute is id 2
        {true, true, DialogKey::Escape, false, false},
        {true, false, DialogKey::Enter, true, false},
        {true, true, DialogKey::Enter, false, true},
        {false, true, DialogKey::Enter, true, false}, // keys belong to the controls
        {false, true, DialogKey::Escape, true, false},
    };
    for (const Case& c : cases) {
        Fixture f;
        const WindowDefinition window = Awkward(c.navigation, c.enterExecutes);
        ParameterWindowSession session(&window, "CAwkward", f.document, f.trim);
        FakeSurface surface(session);
        surface.PressKey(c.key);
        EXPECT_EQ(session.Open(), c.open) << &c - cases;
        EXPECT_EQ(session.Result().executed, c.executed) << &c - cases;
    }
}

TEST(ParameterWindow, StretchedPreviewKeepsOneFullSizeCopy) {
    Fixture f;
    f.document.Current() = MakeImage(300, 150, Pattern::Random, 5);
    const WindowDefinition window = Awkward(true, false);
    ParameterWindowSession session(&window, "CAwkward", f.document, f.trim);
    FakeSurface surface(session);
    ASSERT_NE(session.Preview(), nullptr);
    session.Preview()->SetPixel(0, 0, 0x123456);
    ASSERT_NE(session.ResetPreview(), nullptr); // starts again from the document's image
    EXPECT_EQ(DescribeDifference(f.document.Current(), *session.Preview()), "");
    surface.PaintNow();
    ASSERT_EQ(surface.drawn.size(), 1u);
    EXPECT_EQ(
        (std::vector<int>{surface.drawn[0].w, surface.drawn[0].h, surface.drawn[0].imageWidth}),
        (std::vector<int>{128, 64, 300}));
    // The halftone stretch either delivers the size asked for or changes nothing.
    CImage result;
    surface.failStretch = true;
    EXPECT_FALSE(surface.StretchHalftone(f.document.Current(), 50, 20, result));
    EXPECT_EQ(result.Width(), 128);
    surface.failStretch = false;
    ASSERT_TRUE(surface.StretchHalftone(f.document.Current(), 50, 20, result));
    EXPECT_EQ((std::vector<int>{result.Width(), result.Height()}), (std::vector<int>{50, 20}));
    EXPECT_EQ(result.GetPixel(49, 19) >> 24, 0u);
}
