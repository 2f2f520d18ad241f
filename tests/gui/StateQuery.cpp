// The state query of the test variant of the program (iromaki-test.exe): a
// read-only view of the program's state for the GUI tests. Another process
// sends WM_COPYDATA with kInspectionTag and a request, and the answer comes
// back as WM_COPYDATA to the window named in wParam.
//
//   state        title, file, flags, zoom, scroll bars, status text, trim frame,
//                the page the Help menu opens
//   menu         every menu item: position path, command, state flags, text
//   image, undo  the current or undo image as a packed 24-bit bitmap
//   popup N      the menu at position N of the bar is about to open
//   drop PATH    the file is dropped on the main window
//
// The shipped iromaki.exe is built without this file and ignores WM_COPYDATA.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/windows/Catalogue.h"
#include "formats/PackedDib.h"
#include "shell/MainWindow.h"

namespace {

constexpr ULONG_PTR kInspectionTag = 0x49524F4D; // "IROM"

// Not SMTO_ABORTIFHUNG: the driver reads no messages between its verbs, so the
// system may call it hung, though it waits for this answer.
void Reply(HWND from, HWND to, const void* data, size_t size) {
    COPYDATASTRUCT answer{kInspectionTag, DWORD(size), const_cast<void*>(data)};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                        reinterpret_cast<LPARAM>(&answer), SMTO_NORMAL, 5000, &ignored);
}

void Line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

std::string Ints(std::initializer_list<long long> values) {
    std::string s;
    for (long long v : values) {
        if (!s.empty()) s += ',';
        s += std::to_string(v);
    }
    return s;
}

std::string ScrollBar(HWND view, int bar, LONG object) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view, bar, &info);
    SCROLLBARINFO state{};
    state.cbSize = sizeof state;
    GetScrollBarInfo(view, object, &state);
    const bool disabled = (state.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    const bool hidden = (state.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    return Ints({info.nMin, info.nMax, info.nPage, info.nPos, disabled, hidden});
}

std::string StatusText(HWND statusBar) {
    const LRESULT length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0));
    std::string text(size_t(length) + 1, '\0');
    SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return Ints({r.right - r.left, r.bottom - r.top});
}

std::string State(MainWindow& w) {
    CImageDocument& d = w.Document();
    std::string out;
    char title[512] = {};
    GetWindowTextA(w.Handle(), title, sizeof title);
    Line(out, "title", title);
    Line(out, "file", d.FileName());
    Line(out, "modified", Ints({d.Modified()}));
    Line(out, "undo", Ints({d.UndoAvailable()}));
    Line(out, "quality", Ints({d.JpegQuality()}));
    char scale[32];
    std::snprintf(scale, sizeof scale, "%g", d.ViewScale());
    Line(out, "scale", scale);
    Line(out, "viewsize", Ints({d.ViewWidth(), d.ViewHeight()}));
    Line(out, "image", Ints({d.Current().Width(), d.Current().Height()}));
    const ImageView& v = w.View();
    Line(out, "hscroll", Ints({v.Horizontal().range, v.Horizontal().page, v.Horizontal().offset}));
    Line(out, "vscroll", Ints({v.Vertical().range, v.Vertical().page, v.Vertical().offset}));
    Line(out, "hbar", ScrollBar(v.Handle(), SB_HORZ, OBJID_HSCROLL));
    Line(out, "vbar", ScrollBar(v.Handle(), SB_VERT, OBJID_VSCROLL));
    Line(out, "client", ClientSize(w.Handle()));
    Line(out, "viewclient", ClientSize(v.Handle()));
    Line(out, "paints", Ints({v.Paints()}));
    long long reserved = 0; // pixels whose fourth byte is not zero
    for (size_t i = 0; i < d.Current().PixelCount(); ++i)
        reserved += (d.Current().Bits()[i] >> 24) != 0;
    Line(out, "reserved", Ints({reserved}));
    RECT status{};
    GetWindowRect(w.StatusBar(), &status);
    Line(out, "statusheight", Ints({status.bottom - status.top}));
    Line(out, "status", StatusText(w.StatusBar()));
    Line(out, "enabled", Ints({IsWindowEnabled(w.Handle()) != FALSE}));
    Line(out, "authorpage", FileBesideProgram("iromaki.html"));
    const TrimFrame& f = w.Trim();
    Line(out, "frame", Ints({f.left, f.right, f.bottom, f.top}));
    return out;
}

void ListMenu(HMENU menu, const std::string& path, std::string& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
        if (sub) state &= 0xFF; // a popup's item count fills the high byte
        const std::string here = path + std::to_string(i);
        out += here + '\t' + std::to_string(GetMenuItemID(menu, i)) + '\t' +
               ((state & MF_GRAYED) ? "grayed" : "enabled") + '\t' +
               ((state & MF_CHECKED) ? "checked" : "-") + '\t' +
               ((state & MF_SEPARATOR) ? "separator" : "") + text + '\n';
        if (sub) ListMenu(sub, here + '.', out);
    }
}

void Drop(HWND hwnd, const std::string& path) {
    // A DROPFILES block with one name, as the shell would hand it over.
    const size_t bytes = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    if (!drop) {
        GlobalFree(block);
        return;
    }
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.data(), path.size());
    GlobalUnlock(block);
    if (!PostMessageA(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) GlobalFree(block);
}

// TRUE when the request was understood.
LRESULT AnswerInspection(MainWindow& w, HWND replyTo, const COPYDATASTRUCT& request) {
    if (request.dwData != kInspectionTag || !request.lpData) return FALSE;
    const std::string text(static_cast<const char*>(request.lpData), request.cbData);
    if (text == "state") {
        const std::string s = State(w);
        Reply(w.Handle(), replyTo, s.data(), s.size());
    } else if (text == "menu") {
        std::string s;
        ListMenu(w.Menus().bar, "", s);
        Reply(w.Handle(), replyTo, s.data(), s.size());
    } else if (text == "windows") {
        // The parameter windows: class, command, 1 when built.
        std::string s;
        for (const CatalogueEntry& e : WindowCatalogue())
            s += std::string(e.className) + '\t' + std::to_string(e.command) + '\t' +
                 (e.window ? "1" : "0") + '\n';
        Reply(w.Handle(), replyTo, s.data(), s.size());
    } else if (text == "image" || text == "undo") {
        std::vector<uint8_t> dib;
        CImage& image = text == "image" ? w.Document().Current() : w.Document().Undo();
        if (!EncodePackedDib(image, dib)) return FALSE;
        Reply(w.Handle(), replyTo, dib.data(), dib.size());
    } else if (text.rfind("popup ", 0) == 0) {
        const int position = std::atoi(text.c_str() + 6);
        SendMessageA(w.Handle(), WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(w.Menus().bar, position)), position);
    } else if (text.rfind("drop ", 0) == 0) {
        Drop(w.Handle(), text.substr(5));
    } else {
        return FALSE;
    }
    return TRUE;
}

// Installed before the program's entry runs.
[[maybe_unused]] const bool kInstalled = (MainWindow::answerCopyData = AnswerInspection, true);

} // namespace
