#include "shell/ParameterWindowRunner.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/windows/Catalogue.h"
#include "shell/WaitCursor.h"
#include "shell/WindowClass.h"

namespace {

// The real controls of one parameter window, and its window procedure's side.
class Win32Surface : public DialogSurface {
  public:
    Win32Surface(ParameterWindowSession& session, HWND mainWindow, HINSTANCE instance)
        : session_(session), mainWindow_(mainWindow), instance_(instance) {}
    ~Win32Surface() override { ReleaseGraph(); }

    ParameterWindowSession& Session() { return session_; }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    // The frame button or the place in the table of a child window; -1 when
    // it is not one of ours.
    int ButtonOf(HWND child, FrameButton& button) const;
    int PlaceOf(HWND child) const;
    const ControlDef& Def(int place) const { return session_.Definition().controls[size_t(place)]; }
    // True when a key must go to the control that has the focus (an open
    // drop-down list takes Enter and Escape itself).
    bool ControlWantsKey() const;
    void Paint();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(const WindowDefinition& window) override;
    std::string GetText(int control) override;
    void SetText(int control, const std::string& text) override {
        SetWindowTextA(Child(control), text.c_str());
    }
    int GetTrackbarPos(int control) override;
    int GetComboSelection(int control) override {
        return int(SendMessageA(Child(control), CB_GETCURSEL, 0, 0));
    }
    bool IsChecked(int control) override {
        return SendMessageA(Child(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetChecked(int control, bool checked) override {
        SendMessageA(Child(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void SetFocus(int control) override { ::SetFocus(Child(control)); }
    bool HasFocus(int control) override;
    void ShowMessage(const char* text, const char* caption) override {
        MessageBoxA(hwnd_, text, caption, MB_OK);
    }
    void Repaint() override {
        InvalidateRgn(hwnd_, nullptr, FALSE);
        UpdateWindow(hwnd_);
    }
    void RepaintMainWindow() override {
        RedrawWindow(mainWindow_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    void Close() override { DestroyWindow(hwnd_); }
    bool StretchHalftone(const CImage& source, int32_t width, int32_t height,
                         CImage& result) override;
    void DrawImage(const CImage& image, int x, int y) override {
        if (paintDc_) image.Draw(paintDc_, x, y, 1.0);
    }
    void DrawImageStretched(const CImage& image, int x, int y, int w, int h) override;
    void SetGraph(const MonoGraph& graph) override;
    void DrawGraph(int x, int y) override;

  private:
    HWND Child(int place) const {
        return place >= 0 && size_t(place) < children_.size() ? children_[size_t(place)] : nullptr;
    }
    HWND CreateButton(const ButtonSpec& b, bool tabStop);
    HWND CreateControl(const ControlDef& c);
    HWND CreateChild(const char* className, const char* text, DWORD style, const ControlDef& c);
    void ReleaseGraph();

    ParameterWindowSession& session_;
    HWND mainWindow_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HDC paintDc_ = nullptr;
    HWND buttons_[3] = {};       // execute, cancel, preview
    std::vector<HWND> children_; // the table's controls by place
    HDC graphDc_ = nullptr;
    HBITMAP graphBitmap_ = nullptr;
    HGDIOBJ graphOld_ = nullptr;
    int graphWidth_ = 0, graphHeight_ = 0;
};

HMENU ChildId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HWND Win32Surface::CreateButton(const ButtonSpec& b, bool tabStop) {
    if (b.id < 0) return nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | (tabStop ? WS_TABSTOP : 0);
    return CreateWindowExA(0, "BUTTON", b.caption, style, b.x, b.y, b.width, 32, hwnd_,
                           ChildId(b.id), instance_, nullptr);
}

HWND Win32Surface::CreateChild(const char* className, const char* text, DWORD style,
                               const ControlDef& c) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, c.x, c.y, c.width,
                           c.height, hwnd_, ChildId(c.id), instance_, nullptr);
}

HWND Win32Surface::CreateControl(const ControlDef& c) {
    switch (c.kind) {
    case ControlKind::Label:
        return CreateChild("STATIC", c.text, SS_LEFT, c);
    case ControlKind::CentredLabel:
        return CreateChild("STATIC", c.text, SS_CENTER, c);
    case ControlKind::RightLabel:
        return CreateChild("STATIC", c.text, SS_RIGHT, c);
    case ControlKind::Edit:
        return CreateChild("Edit", c.text, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, c);
    case ControlKind::Trackbar: {
        HWND h = CreateChild(TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_HORZ, c);
        SendMessageA(h, TBM_SETRANGE, FALSE, MAKELPARAM(c.minimum, c.maximum));
        SendMessageA(h, TBM_SETPOS, TRUE, c.start);
        return h;
    }
    case ControlKind::UpDown:
        // Writes its start value into the buddy, which reports the change.
        return CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT |
                                       UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                   c.x, c.y, c.width, c.height, hwnd_, c.id, instance_,
                                   Child(c.buddy), c.maximum, c.minimum, c.start);
    case ControlKind::Combo:
    case ControlKind::EditCombo: {
        const DWORD style = c.kind == ControlKind::Combo ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
        HWND h = CreateChild("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | style, c);
        const std::string items = c.text;
        for (size_t start = 0; start <= items.size();) {
            size_t end = items.find('\n', start);
            if (end == std::string::npos) end = items.size();
            const std::string item = items.substr(start, end - start);
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            start = end + 1;
        }
        SendMessageA(h, CB_SETCURSEL, WPARAM(c.start), 0);
        return h;
    }
    case ControlKind::CheckBox: {
        HWND h = CreateChild("BUTTON", c.text, WS_TABSTOP | BS_AUTOCHECKBOX, c);
        SendMessageA(h, BM_SETCHECK, c.start ? BST_CHECKED : BST_UNCHECKED, 0);
        return h;
    }
    case ControlKind::Button:
        return CreateChild("BUTTON", c.text, WS_TABSTOP | BS_PUSHBUTTON, c);
    }
    return nullptr;
}

void Win32Surface::CreateControls(const WindowDefinition& window) {
    const WindowFrame& f = window.frame;
    // Tab visits the controls in the order they are created: buttons first.
    buttons_[0] = CreateButton(f.execute, f.buttonTabStops);
    buttons_[1] = CreateButton(f.cancel, f.buttonTabStops);
    buttons_[2] = CreateButton(f.preview, f.buttonTabStops);
    children_.reserve(window.controls.size());
    // Each control is known before the next is made: an up-down control's
    // notification through its buddy must find the buddy.
    for (const ControlDef& c : window.controls)
        children_.push_back(CreateControl(c));
}

int Win32Surface::ButtonOf(HWND child, FrameButton& button) const {
    static constexpr FrameButton kButtons[] = {FrameButton::Execute, FrameButton::Cancel,
                                               FrameButton::Preview};
    for (int i = 0; i < 3; ++i)
        if (child && buttons_[i] == child) {
            button = kButtons[i];
            return i;
        }
    return -1;
}

int Win32Surface::PlaceOf(HWND child) const {
    for (size_t i = 0; child && i < children_.size(); ++i)
        if (children_[i] == child) return int(i);
    return -1;
}

bool Win32Surface::ControlWantsKey() const {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != hwnd_)
        focus = GetParent(focus);
    const int place = PlaceOf(focus);
    if (place < 0) return false;
    const ControlKind kind = Def(place).kind;
    return (kind == ControlKind::Combo || kind == ControlKind::EditCombo) &&
           SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0);
}

std::string Win32Surface::GetText(int control) {
    HWND h = Child(control);
    int length = GetWindowTextLengthA(h);
    if (length <= 0) return {};
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(h, text.data(), length + 1)));
    return text;
}

int Win32Surface::GetTrackbarPos(int control) {
    HWND h = Child(control);
    if (!h) return 0;
    if (Def(control).kind == ControlKind::UpDown) return int(SendMessageA(h, UDM_GETPOS32, 0, 0));
    return int(SendMessageA(h, TBM_GETPOS, 0, 0));
}

bool Win32Surface::HasFocus(int control) {
    HWND focus = GetFocus();
    HWND h = Child(control);
    // A combo box with an edit field has the focus in that field.
    return h && focus && (focus == h || GetParent(focus) == h);
}

bool Win32Surface::StretchHalftone(const CImage& source, int32_t width, int32_t height,
                                   CImage& result) {
    if (width < 1 || height < 1) return false;
    HDC screen = GetDC(hwnd_);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = bitmap ? CreateCompatibleDC(screen) : nullptr;
    ReleaseDC(hwnd_, screen);
    bool done = false;
    CImage stretched;
    if (memory && stretched.Create(width, height)) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, nullptr);
        source.StretchTo(memory, 0, 0, width, height);
        SelectObject(memory, old);
        // Read back as 32-bit bottom-up rows, described by the image's own header.
        done = GetDIBits(memory, bitmap, 0, UINT(height), stretched.Bits(),
                         static_cast<BITMAPINFO*>(stretched.Header()), DIB_RGB_COLORS) == height;
    }
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    if (!done) return false;
    stretched.ClearReservedBytes();
    result.Swap(stretched);
    return true;
}

void Win32Surface::DrawImageStretched(const CImage& image, int x, int y, int w, int h) {
    if (!paintDc_) return;
    SetStretchBltMode(paintDc_, HALFTONE);
    SetBrushOrgEx(paintDc_, 0, 0, nullptr);
    image.StretchTo(paintDc_, x, y, w, h);
}

void Win32Surface::ReleaseGraph() {
    if (graphDc_) {
        SelectObject(graphDc_, graphOld_);
        DeleteDC(graphDc_);
    }
    if (graphBitmap_) DeleteObject(graphBitmap_);
    graphDc_ = nullptr;
    graphBitmap_ = nullptr;
}

void Win32Surface::SetGraph(const MonoGraph& graph) {
    ReleaseGraph();
    HDC screen = GetDC(hwnd_);
    graphDc_ = CreateCompatibleDC(screen);
    ReleaseDC(hwnd_, screen);
    graphBitmap_ = CreateBitmap(graph.width, graph.height, 1, 1, nullptr); // black and white
    if (!graphDc_ || !graphBitmap_) return ReleaseGraph();
    graphWidth_ = graph.width;
    graphHeight_ = graph.height;
    graphOld_ = SelectObject(graphDc_, graphBitmap_);
    PatBlt(graphDc_, 0, 0, graph.width, graph.height, WHITENESS);
    SelectObject(graphDc_, GetStockObject(BLACK_PEN));
    for (const GraphLine& l : graph.lines) {
        MoveToEx(graphDc_, l.x0, l.y0, nullptr);
        LineTo(graphDc_, l.x1, l.y1);
    }
    RECT r{graph.captionLeft, graph.captionTop, graph.captionRight, graph.captionBottom};
    SetTextColor(graphDc_, RGB(0, 0, 0));
    SetBkColor(graphDc_, RGB(255, 255, 255));
    DrawTextA(graphDc_, graph.caption.c_str(), -1, &r,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void Win32Surface::DrawGraph(int x, int y) {
    if (paintDc_ && graphDc_)
        BitBlt(paintDc_, x, y, graphWidth_, graphHeight_, graphDc_, 0, 0, SRCCOPY);
}

void Win32Surface::Paint() {
    PAINTSTRUCT ps;
    paintDc_ = BeginPaint(hwnd_, &ps);
    session_.Paint();
    EndPaint(hwnd_, &ps);
    paintDc_ = nullptr;
}

// ---- The one window procedure of every parameter window ----------------------

// Controls are told apart by their handle: identifiers repeat within a window.
void OnCommand(Win32Surface& s, WPARAM wParam, LPARAM lParam) {
    const int code = HIWORD(wParam);
    HWND child = reinterpret_cast<HWND>(lParam);
    FrameButton button;
    if (s.ButtonOf(child, button) >= 0) {
        if (code == BN_CLICKED) {
            const WaitCursor wait;
            s.Session().Pressed(button);
        }
        return;
    }
    const int place = s.PlaceOf(child);
    if (place < 0) return;
    switch (s.Def(place).kind) {
    case ControlKind::Edit:
        if (code == EN_CHANGE) s.Session().EditChanged(place);
        return;
    case ControlKind::CheckBox:
    case ControlKind::Button:
        if (code == BN_CLICKED) s.Session().Command(place, notify::Clicked);
        return;
    case ControlKind::Combo:
    case ControlKind::EditCombo:
        s.Session().Command(place, code);
        return;
    default:
        return;
    }
}

void OnScroll(Win32Surface& s, LPARAM lParam) {
    const int place = s.PlaceOf(reinterpret_cast<HWND>(lParam));
    // Up-down controls report through their edit box's change instead.
    if (place >= 0 && s.Def(place).kind == ControlKind::Trackbar) s.Session().Scroll(place);
}

LRESULT Win32Surface::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        session_.Create(*this);
        return 0;
    case WM_COMMAND:
        OnCommand(*this, wParam, lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScroll(*this, lParam);
        return 0;
    case WM_SETFOCUS:
        session_.Focus();
        return 0;
    case WM_MOUSEMOVE:
        session_.MouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DESTROY:
        session_.Destroy();
        break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// Enter and Escape for the window or one of its controls, taken before the
// dialog manager turns them into clicks of whatever carries the id 1 or 2.
bool HandleDialogKey(Win32Surface& s, HWND window, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
        return false;
    if (msg.hwnd != window && !IsChild(window, msg.hwnd)) return false;
    if (s.ControlWantsKey()) return false;
    const WaitCursor wait;
    s.Session().Key(msg.wParam == VK_RETURN ? DialogKey::Enter : DialogKey::Escape);
    return true;
}

// One message of the window's own loop; false when the loop must end.
bool PumpOne(Win32Surface& s, HWND window, bool navigation) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(int(msg.wParam)); // leave the quit to the main loop
        return false;
    }
    if (got == -1) return false;
    if (navigation && HandleDialogKey(s, window, msg)) return true;
    if (navigation && IsDialogMessageA(window, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

} // namespace

void RegisterParameterWindowClasses(HINSTANCE instance) {
    for (const CatalogueEntry& e : WindowCatalogue())
        RegisterObjectClass<Win32Surface>(instance, e.className, WHITE_BRUSH);
}

ParameterWindowResult RunParameterWindowModal(ParameterWindow kind, CImageDocument& document,
                                              TrimFrame& trimFrame, HWND mainWindow,
                                              HINSTANCE instance) {
    ParameterWindowSession session(kind, document, trimFrame);
    Win32Surface surface(session, mainWindow, instance);
    HWND window = nullptr;
    if (session.Available()) {
        const WindowFrame& f = session.Frame();
        window = CreateWindowExA(0, session.ClassName(), f.title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CW_USEDEFAULT, CW_USEDEFAULT, f.width, f.height, nullptr, nullptr,
                                 instance, &surface);
    }
    if (!window) {
        session.Destroy(); // never shown: it ends cancelled
        return session.Result();
    }
    EnableWindow(mainWindow, FALSE);
    WaitCursor::ShowArrow();
    const bool navigation = session.Frame().navigation;
    while (session.Open() && PumpOne(surface, window, navigation)) {
    }
    if (IsWindow(window)) DestroyWindow(window);
    EnableWindow(mainWindow, TRUE);
    BringWindowToTop(mainWindow);
    return session.Result();
}
