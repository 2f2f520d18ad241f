// The wait cursor while a command or a window's button works, as Windows
// programs show it; the previous cursor comes back when the work is done.
#pragma once

#include <windows.h>

class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // A window that waits for input inside the command shows the arrow.
    static void ShowArrow() {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    }

  private:
    HCURSOR previous_;
};
