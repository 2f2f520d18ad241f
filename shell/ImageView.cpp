#include "shell/ImageView.h"

#include <commctrl.h>

#include <cstdio>

#include "shell/WindowClass.h"

namespace {

constexpr const char* kClassName = "CBMPWin";

// Range and page of one scroll bar for the displayed extent; the offset is
// pulled back inside.
void LayOut(ImageView::Scroll& s, int client, int32_t extent) {
    if (unsigned(client) < unsigned(extent)) {
        s.range = extent;
        s.page = client;
    } else {
        s.range = 0;
        s.page = 0;
    }
    if (s.offset >= s.range - s.page) s.offset = s.range - s.page;
}

void Apply(HWND hwnd, int bar, const ImageView::Scroll& s) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    // A bar that is not needed is shown disabled, never hidden.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = s.range;
    info.nPage = UINT(s.page);
    info.nPos = s.offset;
    SetScrollInfo(hwnd, bar, &info, TRUE);
}

// trackPosition: where the thumb is being dragged (SB_THUMBTRACK only).
int ScrollStep(const ImageView::Scroll& s, WPARAM wParam, int trackPosition) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        return -ImageView::kLineStep;
    case SB_LINEDOWN:
        return ImageView::kLineStep;
    case SB_PAGEUP:
        return -s.page;
    case SB_PAGEDOWN:
        return s.page;
    case SB_THUMBTRACK:
        return trackPosition - s.offset;
    default:
        return 0; // SB_THUMBPOSITION and the codes above it
    }
}

void Segment(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void FrameSides(HDC dc, int left, int right, int bottom, int top) {
    Segment(dc, left, bottom, right, bottom);
    Segment(dc, right, bottom, right, top);
    Segment(dc, right, top, left, top);
    Segment(dc, left, top, left, bottom);
}

} // namespace

ImageView::ImageView(CImageDocument& document, TrimFrame& trimFrame)
    : document_(document), trimFrame_(trimFrame) {}

void ImageView::Register(HINSTANCE instance) {
    RegisterObjectClass<ImageView>(instance, kClassName, GRAY_BRUSH);
}

void ImageView::Create(HWND parent, HINSTANCE instance) {
    CreateWindowExA(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0,
                    1, 1, parent, nullptr, instance, this);
}

LRESULT ImageView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, wParam);
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void ImageView::OnCreate() {
    framePen_ = CreatePen(PS_SOLID, 1, RGB(192, 0, 0));
    innerPen_ = CreatePen(PS_DOT, 1, RGB(192, 192, 192));
}

void ImageView::OnDestroy() {
    DeleteObject(framePen_);
    DeleteObject(innerPen_);
}

void ImageView::OnSize(int width, int height) {
    LayOut(horizontal_, width, document_.ViewWidth());
    Apply(hwnd_, SB_HORZ, horizontal_);
    LayOut(vertical_, height, document_.ViewHeight());
    Apply(hwnd_, SB_VERT, vertical_);
    Redraw();
}

void ImageView::Redraw() {
    InvalidateRgn(hwnd_, nullptr, FALSE);
    if (!holdPaints_) UpdateWindow(hwnd_);
}

void ImageView::OnPaint() {
    ++paints_;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (document_.ViewScale() < 1.0) {
        // Reductions average; HALFTONE needs the brush origin reset.
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    document_.Current().Draw(dc, -horizontal_.offset, -vertical_.offset, document_.ViewScale());
    if (trimFrame_.left >= 0) {
        DrawTrimFrame(dc);
        SelectObject(dc, GetStockObject(BLACK_PEN));
    }
    EndPaint(hwnd_, &ps);
}

void ImageView::DrawTrimFrame(HDC dc) {
    TrimFrame& f = trimFrame_;
    if (f.convertPending) {
        // Once only: afterwards the frame stays where it is while the image scrolls.
        f.left -= horizontal_.offset;
        f.right -= horizontal_.offset;
        f.bottom -= vertical_.offset;
        f.top -= vertical_.offset;
    }
    SelectObject(dc, framePen_);
    FrameSides(dc, f.left, f.right, f.bottom, f.top);
    SelectObject(dc, innerPen_);
    FrameSides(dc, f.left + 1, f.right - 1, f.bottom - 1, f.top + 1);
}

// The message carries only 16 bits of the position; the scroll bar keeps all
// 32 while its thumb is dragged, so ranges past 65,535 do not wrap. A message
// whose low bits disagree was not sent by a drag: it is taken as it stands.
int ImageView::TrackPosition(int bar, WPARAM wParam) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(hwnd_, bar, &info) && (info.nTrackPos & 0xFFFF) == HIWORD(wParam))
        return info.nTrackPos;
    return HIWORD(wParam);
}

void ImageView::OnScroll(int bar, WPARAM wParam) {
    const Scroll& s = bar == SB_HORZ ? horizontal_ : vertical_;
    ScrollBy(bar, ScrollStep(s, wParam, TrackPosition(bar, wParam)));
}

void ImageView::ScrollBy(int bar, int64_t d) {
    Scroll& s = bar == SB_HORZ ? horizontal_ : vertical_;
    if (d == 0) return;
    int64_t offset = s.offset + d;
    if (offset <= 0) offset = 0;
    if (offset >= s.range - s.page) offset = s.range - s.page;
    s.offset = int(offset);
    SetScrollPos(hwnd_, bar, s.offset, TRUE);
    Redraw();
}

void ImageView::OnWheel(UINT message, WPARAM wParam) {
    const bool tilt = message == WM_MOUSEHWHEEL;
    const int bar = tilt || (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? SB_HORZ : SB_VERT;
    // Turning the wheel away from the user scrolls up (or left with Shift);
    // tilting it to the right scrolls right.
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const int towardEnd = tilt ? delta : -delta;
    UINT lines = 3;
    SystemParametersInfoA(tilt ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const Scroll& s = bar == SB_HORZ ? horizontal_ : vertical_;
    const int64_t step = lines == WHEEL_PAGESCROLL ? s.page : int64_t(lines) * kLineStep;
    // Fine-grained wheels send parts of a notch: the rest waits for the next.
    int64_t& rest = wheelRest_[bar == SB_HORZ ? 0 : 1];
    const int64_t units = rest + towardEnd * step;
    rest = units % WHEEL_DELTA;
    ScrollBy(bar, units / WHEEL_DELTA);
}

void ImageView::OnMouseMove(int mx, int my) {
    const double r = 1.0 / document_.ViewScale();
    const int x = int((mx + horizontal_.offset) * r);
    const int yv = document_.ViewHeight() - my - vertical_.offset - 1;
    if (yv < 0) return;
    const int y = int(yv * r);
    const CImage& image = document_.Current();
    if (!image.Inside(x, y)) return;
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d):%d,%d,%d", x, y, image.GetR(x, y), image.GetG(x, y),
                  image.GetB(x, y));
    SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}
