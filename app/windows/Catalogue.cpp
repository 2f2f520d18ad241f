#include "app/windows/Catalogue.h"

#include "app/Commands.h"
#include "app/windows/Windows.h"

namespace {

using W = ParameterWindow;

// clang-format off
constexpr CatalogueEntry kCatalogue[kParameterWindowCount] = {
    {.kind = W::CustomFilter, .className = "CDialog", .command = cmd::CustomFilter,
     .window = &kCustomFilterWindow},
    {.kind = W::Resize, .className = "CResizeDialog", .command = cmd::Resize,
     .window = &kResizeWindow,
     .resizesView = true, .repaintsOnCancel = false},
    {.kind = W::Conv, .className = "CConvDialog", .command = cmd::ComponentAdjust,
     .window = &kConvWindow},
    {.kind = W::RGB, .className = "CRGBDialog", .command = cmd::RgbConvert,
     .window = &kRgbWindow},
    {.kind = W::Unsharp, .className = "CUnsharpDialog", .command = cmd::UnsharpMask,
     .window = &kUnsharpWindow},
    {.kind = W::Cont, .className = "CContDialog", .command = cmd::BrightnessContrast,
     .window = &kContWindow},
    {.kind = W::ContS, .className = "CContSDialog", .command = cmd::Saturation,
     .window = &kContSWindow},
    {.kind = W::Blur, .className = "CFogDialog", .command = cmd::Blur,
     .window = &kBlurWindow},
    // The repaint after a cancel hides the trim frame.
    {.kind = W::Trim, .className = "CTrimDialog", .command = cmd::Trimming,
     .window = &kTrimWindow,
     .resizesView = true},
    {.kind = W::PixelExchange, .className = "CExPixelDialog", .command = cmd::PixelExchange,
     .window = &kPixelExchangeWindow},
    {.kind = W::Gamma, .className = "CGammaDialog", .command = cmd::Gamma,
     .window = &kGammaWindow},
    {.kind = W::Post, .className = "CPostDialog", .command = cmd::Posterize,
     .window = &kPostWindow},
    {.kind = W::Outline, .className = "COutlineDialog", .command = cmd::Outline,
     .window = &kOutlineWindow},
    {.kind = W::Antialias, .className = "CAaliaDialog", .command = cmd::Antialias,
     .window = &kAntialiasWindow},
    {.kind = W::YCut, .className = "CYCutDialog", .command = cmd::ToneCut,
     .window = &kYCutWindow},
    {.kind = W::Replace, .className = "CReplaceDialog", .command = cmd::ReplaceColour,
     .window = &kReplaceWindow},
    {.kind = W::RGBDef, .className = "CRGBDefDialog", .command = cmd::ColourDifference,
     .window = &kRgbDefWindow},
};
// clang-format on

} // namespace

std::span<const CatalogueEntry> WindowCatalogue() {
    return kCatalogue;
}

const CatalogueEntry& CatalogueEntryOf(ParameterWindow kind) {
    return kCatalogue[int(kind)];
}

const CatalogueEntry* CatalogueEntryForCommand(int command) {
    for (const CatalogueEntry& e : kCatalogue)
        if (e.command == command) return &e;
    return nullptr;
}
