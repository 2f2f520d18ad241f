// A recording DialogSurface that behaves as the Win32 controls do where a
// window can tell: setting an edit box's text raises its change, an up-down
// control writes its start value into its buddy when it is created (in table
// order, so later controls do not exist yet), typing into a combo box's edit
// field drops its selection to -1, and a closed window hears nothing more.
// Controls are addressed by their place in the window's table, as the
// behaviours address them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ParameterWindow.h"

class FakeSurface : public DialogSurface {
  public:
    // Creates the session's window on this surface.
    explicit FakeSurface(ParameterWindowSession& session);

    // ---- What a user does ------------------------------------------------
    // Types into an edit box (its change follows) or a combo box's edit field
    // (edit update, then edit change, with the selection at -1).
    void Type(int control, const std::string& text);
    void MoveTrackbar(int control, int position); // clamped to the trackbar's range
    // Clicks an up-down arrow: the position moves within the range and is
    // written into the buddy, which reports the change.
    void Spin(int control, int delta);
    // Picks an item of a combo box: the selection change is raised while the
    // edit field still shows the old text, as on the screen.
    void Select(int control, int item);
    void Click(int control); // a check box toggles first
    void PressExecute() { session_.Pressed(FrameButton::Execute); }
    void PressCancel() { session_.Pressed(FrameButton::Cancel); }
    void PressPreview() { session_.Pressed(FrameButton::Preview); }
    void PressKey(DialogKey key) { session_.Key(key); }
    void CloseBox();
    void MoveMouse(int x, int y) { session_.MouseMove(x, y); }
    void PaintNow() { session_.Paint(); }

    // ---- What the window shows and did -------------------------------------
    const std::string& Text(int control) const { return controls_.at(size_t(control)).text; }
    int Position(int control) const { return controls_.at(size_t(control)).position; }
    int Selection(int control) const { return controls_.at(size_t(control)).selection; }
    bool Checked(int control) const { return controls_.at(size_t(control)).checked; }
    int focus = -1;
    int repaints = 0;
    int mainRepaints = 0;
    bool closed = false;
    bool failStretch = false; // StretchHalftone fails, as when no bitmap can be made
    std::vector<std::string> messages;
    struct Drawn {
        int x, y, w, h; // w and h are -1 when drawn unscaled
        int imageWidth, imageHeight;
    };
    std::vector<Drawn> drawn;
    MonoGraph graph;
    std::vector<std::pair<int, int>> graphsDrawnAt;
    // Runs inside RepaintMainWindow, as the view's paint would.
    std::function<void()> onMainRepaint;

    // ---- DialogSurface ---------------------------------------------------------
    void CreateControls(const WindowDefinition& window) override;
    std::string GetText(int control) override { return Existing(control).text; }
    void SetText(int control, const std::string& text) override;
    int GetTrackbarPos(int control) override;
    int GetComboSelection(int control) override { return Existing(control).selection; }
    bool IsChecked(int control) override { return Existing(control).checked; }
    void SetChecked(int control, bool checked) override { Existing(control).checked = checked; }
    void SetFocus(int control) override { focus = control; }
    bool HasFocus(int control) override { return focus == control; }
    void ShowMessage(const char* text, const char*) override { messages.push_back(text); }
    void Repaint() override;
    void RepaintMainWindow() override;
    void Close() override;
    bool StretchHalftone(const CImage& source, int32_t width, int32_t height,
                         CImage& result) override;
    void DrawImage(const CImage& image, int x, int y) override;
    void DrawImageStretched(const CImage& image, int x, int y, int w, int h) override;
    void SetGraph(const MonoGraph& g) override { graph = g; }
    void DrawGraph(int x, int y) override { graphsDrawnAt.push_back({x, y}); }

  private:
    struct Control {
        const ControlDef* def = nullptr; // null until created
        std::string text;
        int position = 0;
        int selection = 0;
        bool checked = false;
    };
    Control& Existing(int control);
    std::vector<std::string> Items(int control) const;

    ParameterWindowSession& session_;
    std::vector<Control> controls_;
    Control missing_; // what a control not (yet) created reads as
};
