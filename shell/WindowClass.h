// One way for every window of the program to find its object: the object
// travels through CreateWindowExA's creation data into GWLP_USERDATA once, and
// every message then goes to its Handle(message, wParam, lParam). T provides
// Attach(HWND), called before any other message, and that Handle.
#pragma once

#include <windows.h>

template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->Attach(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return self->Handle(message, wParam, lParam);
}

// Registers a class whose windows redraw on resizing, with the arrow cursor.
void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         int backgroundBrush, HICON icon = nullptr);

template <typename T>
void RegisterObjectClass(HINSTANCE instance, const char* name, int backgroundBrush,
                         HICON icon = nullptr) {
    RegisterWindowClass(instance, name, ObjectWindowProc<T>, backgroundBrush, icon);
}
