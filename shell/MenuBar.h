// The menu bar: every item with its command number, text and mnemonic.
#pragma once

#include <windows.h>

struct MenuBar {
    HMENU bar = nullptr;
    HMENU viewSize = nullptr;    // radio group 301-306
    HMENU jpegQuality = nullptr; // radio group 307-312
};

MenuBar BuildMenuBar();
