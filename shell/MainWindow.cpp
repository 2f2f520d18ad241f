#include "shell/MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "formats/ImageFiles.h"
#include "shell/Clipboard.h"
#include "shell/ParameterWindowRunner.h"
#include "shell/WaitCursor.h"
#include "shell/WindowClass.h"

namespace {

constexpr int kWidth = 600, kHeight = 450;
// The page about the program, shipped beside it.
constexpr const char* kAuthorPage = "iromaki.html";

} // namespace

// The folder is cut after its last backslash found by whole characters: the
// second byte of a double-byte character (表, ソ) may be 0x5C.
std::string FileBesideProgram(const char* name) {
    char program[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    if (n == 0 || n >= sizeof program) return {};
    const char* nameStart = program;
    for (const char* p = program; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/') nameStart = p + 1;
    return std::string(program, size_t(nameStart - program)) + name;
}

LRESULT (*MainWindow::answerCopyData)(MainWindow&, HWND, const COPYDATASTRUCT&) = nullptr;

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

void MainWindow::Register(HINSTANCE instance) {
    RegisterObjectClass<MainWindow>(instance, kClassName, LTGRAY_BRUSH,
                                    LoadIconA(instance, "APP_ICON"));
}

bool MainWindow::Create() {
    CreateWindowExA(0, kClassName, CImageDocument::kProductName, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance_,
                    this);
    if (!hwnd_) return false;
    document_.FinishStartup();
    menus_ = BuildMenuBar();
    CheckRadioItem(cmd::ViewQuarter, cmd::ViewQuadruple, cmd::ViewActual);
    CheckRadioItem(cmd::Quality100, cmd::Quality50, cmd::Quality90);
    SetMenu(hwnd_, menus_.bar);
    return true;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND: {
        const WaitCursor wait;
        document_.ExecuteCommand(LOWORD(wParam));
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        view_.OnWheel(message, wParam);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        break;
    case WM_COPYDATA:
        if (!answerCopyData) break;
        return answerCopyData(*this, reinterpret_cast<HWND>(wParam),
                              *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    DragAcceptFiles(hwnd_, TRUE);
    ImageView::Register(instance_);
    view_.Create(hwnd_, instance_);
    statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", hwnd_, 0);
    view_.SetStatusBar(statusBar_);
}

void MainWindow::OnSize(int width, int height) {
    // The status bar places itself along the bottom edge.
    SendMessageA(statusBar_, WM_SIZE, 0, MAKELPARAM(width, height));
    RECT r{};
    GetWindowRect(statusBar_, &r);
    clientWidth_ = width;
    viewHeight_ = height - (r.bottom - r.top);
    SetWindowPos(view_.Handle(), nullptr, 0, 0, clientWidth_, viewHeight_, SWP_NOZORDER);
}

void MainWindow::OnInitMenuPopup(HMENU popup, LPARAM position) {
    // The whole value: a system menu's flag in the high word never matches 0 or 1.
    MenuItemState items[3];
    const int n = document_.EnabledItems(int(position), items);
    for (int i = 0; i < n; ++i)
        EnableMenuItem(popup, UINT(items[i].command),
                       MF_BYCOMMAND | (items[i].enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::OnDropFiles(HDROP drop) {
    // Asked for its full length first: a path cut short would name another file.
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(size_t(length) + 1, '\0');
    path.resize(DragQueryFileA(drop, 0, path.data(), length + 1));
    DragFinish(drop);
    document_.OpenDroppedFile(path.c_str());
}

// ---- IDocumentHost ----------------------------------------------------------

bool MainWindow::AskOkCancel(const char* text, const char* caption) {
    return MessageBoxA(hwnd_, text, caption, MB_OKCANCEL) == IDOK;
}

void MainWindow::ShowMessage(const char* text, const char* caption) {
    MessageBoxA(hwnd_, text, caption, MB_OK);
}

bool MainWindow::RunFileDialog(std::string& path, int& filterIndex, bool save) {
    char file[CImageDocument::kMaxStoredPath + 1] = {};
    if (path.size() <= CImageDocument::kMaxPath) std::memcpy(file, path.data(), path.size());
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // without the later extension fields
    ofn.hwndOwner = hwnd_;
    ofn.hInstance = instance_;
    ofn.lpstrFilter = DialogFilter().c_str(); // the kinds of formats/ImageFiles.h
    ofn.nFilterIndex = DWORD(filterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = DWORD(CImageDocument::kMaxPath + 1);
    ofn.lpstrFileTitle = fileTitle_;
    ofn.nMaxFileTitle = sizeof fileTitle_;
    ofn.lpstrTitle = save ? "保存" : "開く";
    ofn.Flags = OFN_HIDEREADONLY | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen) return false;
    path = file;
    filterIndex = int(ofn.nFilterIndex);
    return true;
}

bool MainWindow::ChooseOpenFile(std::string& path) {
    int filterIndex = 1;
    return RunFileDialog(path, filterIndex, false);
}

bool MainWindow::ChooseSaveFile(std::string& path, int& filterIndex) {
    return RunFileDialog(path, filterIndex, true);
}

bool MainWindow::FileExists(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path, &found);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

void MainWindow::SetTitle(const char* text) {
    SetWindowTextA(hwnd_, text);
}

void MainWindow::RelayoutView() {
    // The first move changes the size even when nothing else changed, so the
    // view always recomputes its scroll bars; the second restores and repaints.
    // The view paints once, in the repaint that follows, not at each move.
    view_.HoldPaints(true);
    MoveWindow(view_.Handle(), 0, 0, clientWidth_ - 1, viewHeight_, FALSE);
    MoveWindow(view_.Handle(), 0, 0, clientWidth_, viewHeight_, TRUE);
    view_.HoldPaints(false);
}

void MainWindow::RepaintAll() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

ParameterWindowResult MainWindow::RunParameterWindow(ParameterWindow window) {
    return RunParameterWindowModal(window, document_, trimFrame_, hwnd_, instance_);
}

void MainWindow::CheckRadioItem(int firstCommand, int lastCommand, int command) {
    HMENU menu = firstCommand == cmd::ViewQuarter ? menus_.viewSize : menus_.jpegQuality;
    CheckMenuRadioItem(menu, UINT(firstCommand), UINT(lastCommand), UINT(command), MF_BYCOMMAND);
}

bool MainWindow::ClipboardHasBitmap() {
    return IsClipboardFormatAvailable(CF_DIB) != FALSE;
}

void MainWindow::OpenAuthorPage() {
    const std::string page = FileBesideProgram(kAuthorPage);
    if (!page.empty()) ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::CloseMainWindow() {
    DestroyWindow(hwnd_);
}

void MainWindow::CopyToClipboard(const CImage& image) {
    ::CopyToClipboard(image);
}

bool MainWindow::PasteFromClipboard(CImage& image) {
    return ::PasteFromClipboard(image);
}
