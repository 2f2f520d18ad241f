// The image view (class CBMPWin): the current image at the document's zoom,
// two scroll bars, the pixel read-out in the status bar and the trim frame.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/Document.h"
#include "app/ParameterWindow.h"

class ImageView {
  public:
    struct Scroll {
        int range = 0, page = 0, offset = 0;
    };

    // One click on a scroll arrow moves by one screen pixel.
    static constexpr int kLineStep = 1;

    ImageView(CImageDocument& document, TrimFrame& trimFrame);
    ImageView(const ImageView&) = delete;
    ImageView& operator=(const ImageView&) = delete;

    static void Register(HINSTANCE instance);
    void Create(HWND parent, HINSTANCE instance);
    void SetStatusBar(HWND statusBar) { statusBar_ = statusBar; }
    HWND Handle() const { return hwnd_; }
    const Scroll& Horizontal() const { return horizontal_; }
    const Scroll& Vertical() const { return vertical_; }
    // While held, a re-layout only invalidates: the caller repaints once afterwards.
    void HoldPaints(bool hold) { holdPaints_ = hold; }
    int Paints() const { return paints_; }
    // WM_MOUSEWHEEL or WM_MOUSEHWHEEL, which reach the main window (it has the
    // focus): the line step times the system's wheel setting per notch.
    void OnWheel(UINT message, WPARAM wParam);

    // The window procedure's side (shell/WindowClass.h).
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnCreate();
    void OnDestroy();
    void OnSize(int width, int height);
    void OnPaint();
    void DrawTrimFrame(HDC dc);
    int TrackPosition(int bar, WPARAM wParam) const;
    void OnScroll(int bar, WPARAM wParam);
    void ScrollBy(int bar, int64_t d);
    void OnMouseMove(int x, int y);
    void Redraw();

    CImageDocument& document_;
    // The frame is the trimming window's; the view converts it once in place.
    TrimFrame& trimFrame_;
    HWND hwnd_ = nullptr;
    HWND statusBar_ = nullptr;
    bool holdPaints_ = false;
    int paints_ = 0;
    int64_t wheelRest_[2] = {}; // horizontal, vertical: parts of a wheel notch
    HPEN framePen_ = nullptr;
    HPEN innerPen_ = nullptr;
    Scroll horizontal_, vertical_;
};
