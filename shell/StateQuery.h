// A read-only view of the program's state for the tests that drive the real
// program: another process sends WM_COPYDATA with kInspectionTag and a request,
// and the answer comes back as WM_COPYDATA to the window named in wParam.
//
//   state        title, file, flags, zoom, scroll bars, status text, trim frame
//   menu         every menu item: position path, command, state flags, text
//   image, undo  the current or undo image as a packed 24-bit bitmap
//   popup N      the menu at position N of the bar is about to open
//   drop PATH    the file is dropped on the main window
#pragma once

#include <windows.h>

class MainWindow;

constexpr ULONG_PTR kInspectionTag = 0x49524F4D; // "IROM"

// The result of WM_COPYDATA: TRUE when the request was understood.
LRESULT AnswerInspection(MainWindow& window, HWND replyTo, const COPYDATASTRUCT& request);
