#include "shell/ParameterWindowRunner.h"

#include <commctrl.h>

#include <map>
#include <string>

namespace {

// The real controls of one parameter window. It reaches the window procedure
// through CreateWindowExA's creation data, kept in GWLP_USERDATA.
class Win32Surface : public DialogSurface {
  public:
    Win32Surface(ParameterWindowSession& session, HWND mainWindow, HINSTANCE instance)
        : session_(session), mainWindow_(mainWindow), instance_(instance) {}
    ~Win32Surface() override { ReleaseGraph(); }

    ParameterWindowSession& Session() { return session_; }
    HWND Window() const { return hwnd_; }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    void CreateControls();
    // The control behind a notification, or null when it is not one of ours.
    const ControlDef* Control(int id, HWND child) const;
    bool IsButton(int id) const;
    void Paint();

    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override {
        SetWindowTextA(Child(id), text.c_str());
    }
    int GetTrackbarPos(int id) override;
    int GetComboSelection(int id) override {
        return int(SendMessageA(Child(id), CB_GETCURSEL, 0, 0));
    }
    bool IsChecked(int id) override {
        return SendMessageA(Child(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetFocus(int id) override { ::SetFocus(Child(id)); }
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
    void DrawImage(const CImage& image, int x, int y) override {
        if (paintDc_) image.Draw(paintDc_, x, y, 1.0);
    }
    void DrawImageStretched(const CImage& image, int x, int y, int w, int h) override;
    void SetGraph(const MonoGraph& graph) override;
    void DrawGraph(int x, int y) override;

  private:
    HWND Child(int id) const {
        auto it = children_.find(id);
        return it == children_.end() ? nullptr : it->second.hwnd;
    }
    void CreateButton(const ButtonSpec& b, bool tabStop);
    void CreateControl(const ControlDef& c);
    void ReleaseGraph();

    struct ChildControl {
        HWND hwnd;
        const ControlDef* def; // null for the frame's buttons
    };
    ParameterWindowSession& session_;
    HWND mainWindow_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HDC paintDc_ = nullptr;
    std::map<int, ChildControl> children_;
    HDC graphDc_ = nullptr;
    HBITMAP graphBitmap_ = nullptr;
    HGDIOBJ graphOld_ = nullptr;
    int graphWidth_ = 0, graphHeight_ = 0;
};

HMENU ChildId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void Win32Surface::CreateButton(const ButtonSpec& b, bool tabStop) {
    if (b.id < 0) return;
    DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | (tabStop ? WS_TABSTOP : 0);
    HWND h = CreateWindowExA(0, "BUTTON", b.caption, style, b.x, b.y, b.width, 32, hwnd_,
                             ChildId(b.id), instance_, nullptr);
    children_[b.id] = {h, nullptr};
}

void Win32Surface::CreateControl(const ControlDef& c) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    HWND h = nullptr;
    switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel:
        h = CreateWindowExA(0, "STATIC", c.text,
                            child | (c.kind == ControlKind::Label ? SS_LEFT : SS_CENTER), c.x, c.y,
                            c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        break;
    case ControlKind::Edit:
        h = CreateWindowExA(0, "Edit", c.text, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, c.x,
                            c.y, c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        break;
    case ControlKind::Trackbar:
        h = CreateWindowExA(0, TRACKBAR_CLASSA, "", child | WS_TABSTOP | TBS_HORZ, c.x, c.y,
                            c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        SendMessageA(h, TBM_SETRANGE, FALSE, MAKELPARAM(c.minimum, c.maximum));
        SendMessageA(h, TBM_SETPOS, TRUE, c.start);
        break;
    case ControlKind::UpDown:
        h = CreateUpDownControl(child | WS_BORDER | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                    UDS_NOTHOUSANDS,
                                c.x, c.y, c.width, c.height, hwnd_, c.id, instance_, Child(c.buddy),
                                c.maximum, c.minimum, c.start);
        break;
    case ControlKind::Combo: {
        h = CreateWindowExA(0, "COMBOBOX", "", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                            c.x, c.y, c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        std::string items = c.text;
        for (size_t start = 0; start <= items.size();) {
            size_t end = items.find('\n', start);
            if (end == std::string::npos) end = items.size();
            std::string item = items.substr(start, end - start);
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            start = end + 1;
        }
        SendMessageA(h, CB_SETCURSEL, WPARAM(c.start), 0);
        break;
    }
    case ControlKind::CheckBox:
        h = CreateWindowExA(0, "BUTTON", c.text, child | WS_TABSTOP | BS_AUTOCHECKBOX, c.x, c.y,
                            c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        SendMessageA(h, BM_SETCHECK, c.start ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::Button:
        h = CreateWindowExA(0, "BUTTON", c.text, child | WS_TABSTOP | BS_PUSHBUTTON, c.x, c.y,
                            c.width, c.height, hwnd_, ChildId(c.id), instance_, nullptr);
        break;
    }
    children_[c.id] = {h, &c};
}

void Win32Surface::CreateControls() {
    const WindowFrame& f = session_.Frame();
    // Tab visits the controls in the order they are created: buttons first.
    CreateButton(f.execute, f.tabStops);
    CreateButton(f.cancel, f.tabStops);
    CreateButton(f.preview, f.tabStops);
    if (const WindowDefinition* d = session_.Definition())
        for (const ControlDef& c : d->controls)
            CreateControl(c);
}

const ControlDef* Win32Surface::Control(int id, HWND child) const {
    auto it = children_.find(id);
    if (it == children_.end() || it->second.hwnd != child) return nullptr;
    return it->second.def;
}

bool Win32Surface::IsButton(int id) const {
    const WindowFrame& f = session_.Frame();
    return id == f.execute.id || id == f.cancel.id || id == f.preview.id;
}

std::string Win32Surface::GetText(int id) {
    HWND h = Child(id);
    int length = GetWindowTextLengthA(h);
    if (length <= 0) return {};
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(h, text.data(), length + 1)));
    return text;
}

int Win32Surface::GetTrackbarPos(int id) {
    auto it = children_.find(id);
    if (it == children_.end()) return 0;
    if (it->second.def && it->second.def->kind == ControlKind::UpDown)
        return int(SendMessageA(it->second.hwnd, UDM_GETPOS32, 0, 0));
    return int(SendMessageA(it->second.hwnd, TBM_GETPOS, 0, 0));
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

void OnCommand(Win32Surface& s, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    HWND child = reinterpret_cast<HWND>(lParam);
    if (s.IsButton(id) && code == BN_CLICKED) return s.Session().Command(id);
    const ControlDef* c = s.Control(id, child);
    if (!c) return;
    if (c->kind == ControlKind::Edit && code == EN_CHANGE) return s.Session().EditChanged(id);
    if ((c->kind == ControlKind::CheckBox || c->kind == ControlKind::Button) && code == BN_CLICKED)
        return s.Session().Command(id);
    if (c->kind == ControlKind::Combo && code == CBN_SELCHANGE) return s.Session().Command(id);
}

void OnScroll(Win32Surface& s, LPARAM lParam) {
    HWND child = reinterpret_cast<HWND>(lParam);
    const ControlDef* c = s.Control(GetDlgCtrlID(child), child);
    // Up-down controls report through their edit box's change instead.
    if (c && c->kind == ControlKind::Trackbar) s.Session().Scroll(c->id);
}

LRESULT CALLBACK ParameterWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* surface = static_cast<Win32Surface*>(created->lpCreateParams);
        surface->Attach(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(surface));
    }
    auto* s = reinterpret_cast<Win32Surface*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!s) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        s->CreateControls();
        s->Session().Create(*s);
        return 0;
    case WM_COMMAND:
        OnCommand(*s, wParam, lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScroll(*s, lParam);
        return 0;
    case WM_SETFOCUS:
        s->Session().Focus();
        return 0;
    case WM_MOUSEMOVE:
        s->Session().MouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_PAINT:
        s->Paint();
        return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DESTROY:
        s->Session().Destroy();
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// One message of the window's own loop; false when the loop must end.
bool PumpOne(HWND window, bool navigation) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(int(msg.wParam)); // leave the quit to the main loop
        return false;
    }
    if (got == -1) return false;
    if (navigation && IsDialogMessageA(window, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

} // namespace

void RegisterParameterWindowClasses(HINSTANCE instance) {
    for (const WindowFrame& f : AllWindowFrames()) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ParameterWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = f.className;
        RegisterClassExA(&wc);
    }
}

ParameterWindowResult RunParameterWindowModal(ParameterWindow kind, CImageDocument& document,
                                              TrimFrame& trimFrame, HWND mainWindow,
                                              HINSTANCE instance) {
    ParameterWindowSession session(kind, document, trimFrame);
    Win32Surface surface(session, mainWindow, instance);
    const WindowFrame& f = session.Frame();
    HWND window = nullptr;
    if (session.Available())
        window = CreateWindowExA(0, f.className, f.title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CW_USEDEFAULT, CW_USEDEFAULT, f.width, f.height, nullptr, nullptr,
                                 instance, &surface);
    if (!window) {
        session.Destroy(); // never shown: it ends cancelled
        return session.Result();
    }
    EnableWindow(mainWindow, FALSE);
    while (session.Open() && PumpOne(window, f.navigation)) {
    }
    if (IsWindow(window)) DestroyWindow(window);
    EnableWindow(mainWindow, TRUE);
    BringWindowToTop(mainWindow);
    return session.Result();
}
