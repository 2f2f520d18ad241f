#include "shell/WindowClass.h"

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         int backgroundBrush, HICON icon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(backgroundBrush));
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}
