// Runs a parameter window modally with real controls.
#pragma once

#include <windows.h>

#include "app/Document.h"
#include "app/ParameterWindow.h"

// Registers the seventeen window classes, in the order of the frame table.
void RegisterParameterWindowClasses(HINSTANCE instance);

// Creates the window, disables the main window while the window's own message
// loop runs, and returns what the window ended with.
ParameterWindowResult RunParameterWindowModal(ParameterWindow kind, CImageDocument& document,
                                              TrimFrame& trimFrame, HWND mainWindow,
                                              HINSTANCE instance);
