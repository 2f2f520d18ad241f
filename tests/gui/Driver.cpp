// Drives the running program from another process with window messages, for
// the GUI tests: one verb per call, results on standard output.
//
// A control of a window is named either "#n", the n-th child in creation
// order (the frame's buttons first, then the window's table), or by its
// identifier, which finds the first child carrying it.
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kInspectionTag = 0x49524F4D;
std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_reply.assign(static_cast<const char*>(data->lpData), data->cbData);
        g_replied = true;
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Waits up to ten seconds for a visible top-level window of the class.
HWND WaitFor(const char* className, const char* title = nullptr) {
    for (int i = 0; i < 200; ++i) {
        HWND h = FindWindowA(className, title);
        if (h && IsWindowVisible(h)) return h;
        Sleep(50);
    }
    std::fprintf(stderr, "no window %s\n", className);
    return nullptr;
}

HWND Main() {
    return WaitFor("CWindow");
}

// A query is a sent message, which the program answers before a command
// posted ahead of it: wait until it has taken its queue and is idle again.
void WaitUntilIdle(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        WaitForInputIdle(process, 5000);
        CloseHandle(process);
    }
}

// True when the program understood the request (and answered, when it has to).
bool Ask(const std::string& request, bool withReply = true) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "IromakiDriverReply";
    RegisterClassA(&wc);
    HWND me = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    COPYDATASTRUCT cds{kInspectionTag, DWORD(request.size()), const_cast<char*>(request.data())};
    DWORD_PTR result = 0;
    g_reply.clear();
    g_replied = false;
    SendMessageTimeoutA(Main(), WM_COPYDATA, reinterpret_cast<WPARAM>(me),
                        reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result);
    return result != 0 && (g_replied || !withReply);
}

struct Found {
    const char* className;
    HWND hwnd = nullptr;
};

BOOL CALLBACK FindChildOfClass(HWND child, LPARAM param) {
    auto* f = reinterpret_cast<Found*>(param);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, f->className) != 0) return TRUE;
    f->hwnd = child;
    return FALSE;
}

HWND ChildOfClass(HWND parent, const char* className) {
    Found f{className};
    EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

// The control named by address among the window's direct children.
HWND Control(HWND window, const std::string& address) {
    if (address.empty() || address[0] != '#') return GetDlgItem(window, std::atoi(address.c_str()));
    HWND child = GetWindow(window, GW_CHILD);
    for (int n = std::atoi(address.c_str() + 1); child && n > 0; --n)
        child = GetWindow(child, GW_HWNDNEXT);
    return child;
}

// "#n id" of the window's child that has the keyboard focus.
void PrintFocus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    int n = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++n)
        if (child == info.hwndFocus || IsChild(child, info.hwndFocus)) {
            std::printf("#%d %d\n", n, GetDlgCtrlID(child));
            return;
        }
    std::printf("none\n");
}

// Presses a key where the window's thread has its focus, as the keyboard does.
void PressKey(HWND window, const std::string& key) {
    const WPARAM vk = key == "escape" ? VK_ESCAPE : key == "enter" ? VK_RETURN : VK_TAB;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus ? info.hwndFocus : window;
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, LPARAM(0xC0000001u));
}

BOOL CALLBACK PrintStatic(HWND child, LPARAM) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0]) std::printf("%s\n", text);
    }
    return TRUE;
}

void PrintHex(const std::string& bytes) {
    for (unsigned char c : bytes)
        std::printf("%02x", c);
    std::printf("\n");
}

int Run(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    auto arg = [&](int i) { return i < argc ? std::string(argv[i]) : std::string(); };
    auto num = [&](int i) { return std::atoi(arg(i).c_str()); };
    if (!Main()) return 3;
    static const char* const kNamesWindow[] = {"wait",  "trackbar", "spin",       "select",
                                               "type",  "click",    "key",        "focus",
                                               "close", "text",     "filedialog", "msgbox"};
    for (const char* v : kNamesWindow)
        if (verb == v && !WaitFor(verb == "filedialog" || verb == "msgbox" ? "#32770" : argv[2],
                                  verb == "filedialog" || verb == "msgbox" ? argv[2] : nullptr))
            return 3;
    if (verb == "state" || verb == "menu" || verb == "windows") {
        if (!Ask(verb)) return 2;
        std::fwrite(g_reply.data(), 1, g_reply.size(), stdout);
    } else if (verb == "image" || verb == "undo") {
        if (!Ask(verb)) return 2;
        PrintHex(g_reply);
    } else if (verb == "popup" || verb == "drop") {
        return Ask(verb + " " + arg(2), false) ? 0 : 2;
    } else if (verb == "command") {
        PostMessageA(Main(), WM_COMMAND, WPARAM(num(2)), 0);
        WaitUntilIdle(Main());
    } else if (verb == "wait") {
        char title[256] = {};
        GetWindowTextA(WaitFor(argv[2]), title, sizeof title);
        std::printf("%s\n", title);
    } else if (verb == "gone") {
        for (int i = 0; i < 200 && FindWindowA(argv[2], nullptr); ++i)
            Sleep(50);
        return FindWindowA(argv[2], nullptr) ? 3 : 0;
    } else if (verb == "trackbar") {
        HWND w = WaitFor(argv[2]);
        HWND bar = Control(w, arg(3));
        SendMessageA(bar, TBM_SETPOS, TRUE, num(4));
        SendMessageA(w, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, num(4)),
                     reinterpret_cast<LPARAM>(bar));
    } else if (verb == "spin") {
        // An up-down control's new position, which it writes into its buddy.
        SendMessageA(Control(WaitFor(argv[2]), arg(3)), UDM_SETPOS32, 0, num(4));
    } else if (verb == "select") {
        // A combo box item, and the notification a user's choice sends.
        HWND w = WaitFor(argv[2]);
        HWND combo = Control(w, arg(3));
        SendMessageA(combo, CB_SETCURSEL, WPARAM(num(4)), 0);
        SendMessageA(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    } else if (verb == "type") {
        HWND target = Control(WaitFor(argv[2]), arg(3));
        if (HWND field = ChildOfClass(target, "Edit")) {
            // A combo box's field reports only keystrokes: it drops the
            // selection and tells the combo box, which tells the window.
            SendMessageA(field, EM_SETSEL, 0, -1);
            for (const char* c = argv[4]; *c; ++c)
                SendMessageA(field, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
        } else {
            SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        }
    } else if (verb == "click") {
        // A real press: check boxes toggle, and the button reports itself.
        PostMessageA(Control(WaitFor(argv[2]), arg(3)), BM_CLICK, 0, 0);
    } else if (verb == "key") {
        PressKey(WaitFor(argv[2]), arg(3));
    } else if (verb == "origin") {
        // Where the window's client area starts on the screen, for reading its pixels.
        POINT p{0, 0};
        ClientToScreen(WaitFor(argv[2]), &p);
        std::printf("%ld %ld\n", long(p.x), long(p.y));
    } else if (verb == "focus") {
        PrintFocus(WaitFor(argv[2]));
    } else if (verb == "text") {
        // WM_GETTEXT, not GetWindowTextA: that one reads only captions across processes.
        char text[1024] = {};
        SendMessageA(Control(WaitFor(argv[2]), arg(3)), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else if (verb == "setdib") {
        // Puts a packed bitmap (hex) on the clipboard from this process.
        const std::string hex = arg(2);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, hex.size() / 2);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
        for (size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes[i / 2] = static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        GlobalUnlock(block);
        if (!OpenClipboard(nullptr)) return 2;
        EmptyClipboard();
        SetClipboardData(CF_DIB, block);
        CloseClipboard();
    } else if (verb == "cfdib") {
        // The clipboard's packed bitmap as this process sees it.
        if (!OpenClipboard(nullptr)) return 2;
        HANDLE data = GetClipboardData(CF_DIB);
        const void* bytes = data ? GlobalLock(data) : nullptr;
        if (bytes) {
            PrintHex(std::string(static_cast<const char*>(bytes), GlobalSize(data)));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return bytes ? 0 : 2;
    } else if (verb == "close") {
        // The close box.
        PostMessageA(WaitFor(argv[2]), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (verb == "mouse") {
        HWND w = std::strcmp(argv[2], "CBMPWin") == 0 ? ChildOfClass(Main(), "CBMPWin")
                                                      : WaitFor(argv[2]);
        SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(num(3), num(4)));
    } else if (verb == "scroll") {
        HWND view = ChildOfClass(Main(), "CBMPWin");
        SendMessageA(view, arg(2) == "h" ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(num(3), num(4)), 0);
    } else if (verb == "wheel") {
        // A wheel turn of DELTA (v, v+shift) or tilt (h) on the main window,
        // which has the focus; prints the system's lines (or characters) per notch.
        const bool tilt = arg(2) == "h";
        UINT setting = 0;
        SystemParametersInfoA(tilt ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &setting,
                              0);
        SendMessageA(Main(), tilt ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                     MAKEWPARAM(arg(2) == "v+shift" ? MK_SHIFT : 0, num(3)), 0);
        std::printf("%u\n", setting);
    } else if (verb == "ctrl") {
        // Ctrl and a letter from the keyboard, with the program in front.
        SetForegroundWindow(Main());
        Sleep(100);
        const WORD keys[] = {VK_CONTROL, WORD(arg(2)[0])};
        INPUT input[4] = {};
        for (int i = 0; i < 4; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = keys[i < 2 ? i : 3 - i];
            input[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, input, sizeof input[0]);
    } else if (verb == "keymenu") {
        // Opens the menu of the bar whose mnemonic is the letter, as Alt+letter does.
        PostMessageA(Main(), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(arg(2)[0]));
    } else if (verb == "endmenu") {
        PostMessageA(Main(), WM_CANCELMODE, 0, 0);
    } else if (verb == "move") {
        SetWindowPos(WaitFor(argv[2]), nullptr, num(3), num(4), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    } else if (verb == "resize") {
        SetWindowPos(Main(), nullptr, 0, 0, num(2), num(3), SWP_NOMOVE | SWP_NOZORDER);
    } else if (verb == "filedialog") {
        // The file name box of the dialog, then its OK button.
        HWND dialog = WaitFor("#32770", argv[2]);
        Sleep(300);
        HWND name = GetDlgItem(dialog, 0x47c);       // cmb13
        if (!name) name = GetDlgItem(dialog, 0x480); // edt1
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (verb == "msgbox") {
        // Prints the message's text, then answers with the button given.
        HWND box = WaitFor("#32770", argv[2]);
        EnumChildWindows(box, PrintStatic, 0);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(num(3), BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, num(3))));
    } else {
        std::fprintf(stderr, "unknown verb %s\n", verb.c_str());
        return 2;
    }
    return 0;
}

// "serve": one verb per line of standard input, its words separated by tabs;
// each answer ends with a line "\x01done STATUS".
int Serve() {
    std::string line;
    for (int c; (c = std::getchar()) != EOF;) {
        if (c != '\n') {
            line += char(c);
            continue;
        }
        std::vector<std::string> words{"driver"};
        for (size_t start = 0;;) {
            size_t tab = line.find('\t', start);
            words.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        const int status = Run(int(words.size()), argv.data());
        std::printf("\x01"
                    "done %d\n",
                    status);
        std::fflush(stdout);
        line.clear();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    if (argc > 1 && std::strcmp(argv[1], "serve") == 0) return Serve();
    int status = Run(argc, argv);
    std::fflush(stdout);
    return status;
}
