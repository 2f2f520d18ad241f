// The seventeen parameter windows, each defined in its own file of this folder
// (Gamma.cpp defines kGammaWindow). A window not yet built is declared here but
// not defined, and its catalogue row says nullptr.
#pragma once

#include "app/ParameterWindow.h"

extern const WindowDefinition kCustomFilterWindow;
extern const WindowDefinition kResizeWindow;
extern const WindowDefinition kConvWindow;
extern const WindowDefinition kRgbWindow;
extern const WindowDefinition kUnsharpWindow;
extern const WindowDefinition kContWindow;
extern const WindowDefinition kContSWindow;
extern const WindowDefinition kBlurWindow;
extern const WindowDefinition kTrimWindow;
extern const WindowDefinition kPixelExchangeWindow;
extern const WindowDefinition kGammaWindow;
extern const WindowDefinition kPostWindow;
extern const WindowDefinition kOutlineWindow;
extern const WindowDefinition kAntialiasWindow;
extern const WindowDefinition kYCutWindow;
extern const WindowDefinition kReplaceWindow;
extern const WindowDefinition kRgbDefWindow;
