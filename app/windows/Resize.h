// The places of the resize window's controls and its messages.
#pragma once

#include <cstdint>

namespace resize_window {
enum Control { kWidthLabel, kWidth, kHeightLabel, kHeight, kKeepAspect, kUseApi };

constexpr const char* kBitmapFailed =
    "ビットマップ作成に失敗しました。API使用チェックをはずして再度実行してください。";
constexpr const char* kSizeRefused = "幅と高さには1以上の数を入れてください。";
constexpr const char* kResizeFailed = "メモリが足りないため、リサイズできませんでした。";
constexpr const char* kErrorCaption = "エラー";
} // namespace resize_window

// The other side's length that keeps the image's proportions when one side
// becomes typed: ceil(other / side x typed), held within the int range.
int32_t KeptAspect(int32_t side, int32_t other, int32_t typed);
