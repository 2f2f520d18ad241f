// What the parameter windows hand back to the document.
#pragma once

#include <cstdint>

#include "ops/filters/FilterKernel.h"

// new R = m0 R + m1 G + m2 B + m3; new G = m4 R + ...; new B = m8 R + ...
struct RgbConversion {
    double m[12] = {};
    int32_t result = 0; // 0 open, 1 executed, 2 cancelled or closed
};

// The seventeen parameter windows, in the order their classes are registered.
enum class ParameterWindow {
    CustomFilter,  // CDialog, 702
    Resize,        // CResizeDialog, 501
    Conv,          // CConvDialog, 502
    RGB,           // CRGBDialog, 603
    Unsharp,       // CUnsharpDialog, 703
    Cont,          // CContDialog, 503
    ContS,         // CContSDialog, 504
    Blur,          // CFogDialog, 704
    Trim,          // CTrimDialog, 204
    PixelExchange, // CExPixelDialog, 607
    Gamma,         // CGammaDialog, 505
    Post,          // CPostDialog, 507
    Outline,       // COutlineDialog, 706
    Antialias,     // CAaliaDialog, 707
    YCut,          // CYCutDialog, 508
    Replace,       // CReplaceDialog, 608
    RGBDef,        // CRGBDefDialog, 708
};
constexpr int kParameterWindowCount = 17;

// A flag window reports executed; the two record windows fill their record.
struct ParameterWindowResult {
    bool executed = false;
    FilterKernel kernel;
    RgbConversion conversion;
};
