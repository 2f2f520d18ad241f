// The command numbers: the menu identifiers, by menu.
#pragma once

namespace cmd {
constexpr int Open = 101, SaveAs = 102, Save = 103, Exit = 104;
constexpr int Undo = 201, CopyBitmap = 202, PasteBitmap = 203, Trimming = 204;
constexpr int ViewQuarter = 301, ViewHalf = 302, ViewActual = 303, ViewDouble = 304,
              ViewTriple = 305, ViewQuadruple = 306;
constexpr int Quality100 = 307, Quality90 = 308, Quality80 = 309, Quality70 = 310, Quality60 = 311,
              Quality50 = 312;
constexpr int ImageSize = 401, ColourCount = 402;
constexpr int Resize = 501, ComponentAdjust = 502, BrightnessContrast = 503, Saturation = 504,
              Gamma = 505, MaximizeContrast = 506, Posterize = 507, ToneCut = 508;
constexpr int Gray = 601, Invert = 602, RgbConvert = 603, FlipTopBottom = 604, FlipLeftRight = 605,
              ExchangeXY = 606, PixelExchange = 607, ReplaceColour = 608, Reduce216 = 609;
constexpr int Scale50 = 620, Scale150 = 621, Scale200 = 622, Scale300 = 623;
constexpr int Emboss = 701, CustomFilter = 702, UnsharpMask = 703, Blur = 704, Median = 705,
              Outline = 706, Antialias = 707, ColourDifference = 708, Pinhole = 709;
constexpr int About = 801, AuthorSite = 802;
} // namespace cmd
