// A recording DialogSurface: it keeps the controls' texts and positions, lets a
// test type, move trackbars and press buttons, and counts the repaints.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/ParameterWindow.h"

class FakeSurface : public DialogSurface {
  public:
    // Creates the window's controls from its tables, then the session's
    // window on this surface.
    explicit FakeSurface(ParameterWindowSession& session);

    // ---- What a user does ------------------------------------------------
    void Type(int id, const std::string& text);
    void MoveTrackbar(int id, int position); // clamped to the trackbar's range
    void Press(int id);
    void PressExecute() { Press(session_.Frame().execute.id); }
    void PressCancel() { Press(session_.Frame().cancel.id); }
    void PressPreview() { Press(session_.Frame().preview.id); }
    void CloseBox();
    void MoveMouse(int x, int y) { session_.MouseMove(x, y); }
    void PaintNow() { session_.Paint(); }

    // ---- What the window did ---------------------------------------------
    std::map<int, std::string> texts;
    std::map<int, int> trackbars;
    int focus = -1;
    int repaints = 0;
    int mainRepaints = 0;
    bool closed = false;
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

    std::string GetText(int id) override { return texts[id]; }
    void SetText(int id, const std::string& text) override { texts[id] = text; }
    int GetTrackbarPos(int id) override { return trackbars[id]; }
    int GetComboSelection(int id) override { return combos[id]; }
    bool IsChecked(int id) override { return checks[id]; }
    void SetFocus(int id) override { focus = id; }
    void ShowMessage(const char* text, const char*) override { messages.push_back(text); }
    void Repaint() override;
    void RepaintMainWindow() override;
    void Close() override;
    void DrawImage(const CImage& image, int x, int y) override;
    void DrawImageStretched(const CImage& image, int x, int y, int w, int h) override;
    void SetGraph(const MonoGraph& g) override { graph = g; }
    void DrawGraph(int x, int y) override { graphsDrawnAt.push_back({x, y}); }

    std::map<int, int> combos;
    std::map<int, bool> checks;

  private:
    const ControlDef* Find(int id) const;
    ParameterWindowSession& session_;
};
