// The menu bar: every item with its command number, text and mnemonic, and
// the standard keys of five of them.
#pragma once

#include <windows.h>

struct MenuBar {
    HMENU bar = nullptr;
    HMENU viewSize = nullptr;    // radio group 301-306
    HMENU jpegQuality = nullptr; // radio group 307-312
};

MenuBar BuildMenuBar();
// Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+C and Ctrl+V for their menu commands.
HACCEL CreateAccelerators();
