#include "core/ParameterWindow.h"

#include "core/Document.h"
#include "core/Numbers.h"

// The windows built so far; a new window adds its definition here.
extern const WindowDefinition kGammaWindow;
extern const WindowDefinition kContWindow;
extern const WindowDefinition kTrimWindow;

namespace {

using W = ParameterWindow;
using P = PreviewKind;

constexpr const char* kExecute = "実行";
constexpr const char* kCancel = "取消";
constexpr const char* kPreview = "プレビュー";

constexpr ButtonSpec Exec(int id, int x, int y, int w = 72) {
    return {id, x, y, w, kExecute};
}
constexpr ButtonSpec Cancel(int id, int x, int y, int w = 72) {
    return {id, x, y, w, kCancel};
}
constexpr ButtonSpec Prev(int id, int x, int y, int w) {
    return {id, x, y, w, kPreview};
}
constexpr ButtonSpec kNoButton{};

// clang-format off
constexpr WindowFrame kFrames[kParameterWindowCount] = {
    {W::CustomFilter, "CDialog", "3X3フィルタ", 702, 320, 160, true, true,
     {11, 8, 90, 80, "実行(&G)"}, Cancel(12, 96, 90, 80), kNoButton, true, P::None, 0, 0},
    {W::Resize, "CResizeDialog", "リサイズ", 501, 240, 188, true, false,
     Exec(2, 16, 48), Cancel(3, 104, 48), kNoButton, true, P::None, 0, 0},
    {W::Conv, "CConvDialog", "成分調整", 502, 380, 240, true, false,
     Exec(1, 16, 168), Cancel(2, 100, 168), kNoButton, true, P::Panel, 232, 8},
    {W::RGB, "CRGBDialog", "RGB変換", 603, 480, 176, true, true,
     Exec(13, 148, 104), Cancel(14, 236, 104), Prev(12, 8, 104, 112), true, P::Panel, 332, 4},
    {W::Unsharp, "CUnsharpDialog", "アンシャープマスク", 703, 320, 180, false, false,
     Exec(1, 32, 108), Cancel(2, 120, 108), kNoButton, false, P::None, 0, 0},
    {W::Cont, "CContDialog", "明度コントラスト調整", 503, 600, 320, true, false,
     Exec(5, 388, 168), Cancel(6, 488, 168), Prev(4, 280, 168, 96), true, P::Panel, 440, 8},
    {W::ContS, "CContSDialog", "彩度調整", 504, 320, 200, true, false,
     Exec(1, 8, 100), Cancel(2, 96, 100), kNoButton, true, P::Panel, 176, 8},
    {W::Blur, "CFogDialog", "ぼかし処理", 704, 340, 180, false, false,
     Exec(1, 32, 108), Cancel(2, 120, 108), kNoButton, false, P::None, 0, 0},
    {W::Trim, "CTrimDialog", "トリミング", 204, 200, 192, true, false,
     Exec(4, 8, 120), Cancel(5, 100, 120), kNoButton, false, P::None, 0, 0},
    {W::PixelExchange, "CExPixelDialog", "ピクセル交換", 607, 200, 200, false, false,
     Exec(1, 8, 100), Cancel(2, 96, 100), kNoButton, false, P::None, 0, 0},
    {W::Gamma, "CGammaDialog", "ガンマ補正", 505, 320, 200, false, false,
     Exec(1, 8, 100), Cancel(2, 96, 100), kNoButton, false, P::Panel, 176, 8},
    {W::Post, "CPostDialog", "階調変更", 507, 320, 200, true, false,
     Exec(6, 8, 100), Cancel(7, 96, 100), kNoButton, true, P::Panel, 176, 8},
    {W::Outline, "COutlineDialog", "輪郭線追加", 706, 320, 200, true, false,
     Exec(3, 8, 100), Cancel(4, 96, 100), kNoButton, true, P::None, 0, 0},
    {W::Antialias, "CAaliaDialog", "アンチエイリアシング", 707, 320, 200, true, false,
     Exec(3, 8, 100), Cancel(4, 96, 100), kNoButton, true, P::None, 0, 0},
    {W::YCut, "CYCutDialog", "階調切捨て", 508, 360, 224, true, false,
     Exec(10, 128, 144), Cancel(11, 208, 144), Prev(9, 4, 144, 108), true, P::Panel, 212, 4},
    {W::Replace, "CReplaceDialog", "単色置換", 608, 360, 224, true, false,
     Exec(1, 128, 144), Cancel(2, 208, 144), Prev(0, 4, 144, 108), true, P::Stretched, 212, 4},
    {W::RGBDef, "CRGBDefDialog", "色成分差拡大", 708, 360, 224, true, false,
     Exec(1, 8, 100), Cancel(2, 96, 100), kNoButton, false, P::None, 0, 0},
};
// clang-format on

} // namespace

std::span<const WindowFrame> AllWindowFrames() {
    return kFrames;
}

const WindowFrame& FrameOf(ParameterWindow kind) {
    return kFrames[int(kind)];
}

const WindowDefinition* FindWindowDefinition(ParameterWindow kind) {
    static const WindowDefinition* const kBuilt[] = {&kGammaWindow, &kContWindow, &kTrimWindow};
    for (const WindowDefinition* d : kBuilt)
        if (d->kind == kind) return d;
    return nullptr;
}

void PreviewSize(int32_t width, int32_t height, int32_t& previewWidth, int32_t& previewHeight) {
    double f = 1.0;
    if (width > height) {
        if (width > 128) f = 128.0 / width;
    } else if (height > 128) {
        f = 128.0 / height;
    }
    previewWidth = int32_t(width * f);
    previewHeight = int32_t(height * f);
}

ParameterWindowSession::ParameterWindowSession(ParameterWindow kind, CImageDocument& document,
                                               TrimFrame& trimFrame)
    : frame_(FrameOf(kind)), definition_(FindWindowDefinition(kind)), document_(document),
      trimFrame_(trimFrame) {
    if (definition_) behaviour_ = definition_->make();
    if (!behaviour_) definition_ = nullptr;
}

ParameterWindowSession::~ParameterWindowSession() = default;

void ParameterWindowSession::BuildPreview() {
    const CImage& current = document_.Current();
    PreviewSize(current.Width(), current.Height(), previewWidth_, previewHeight_);
    if (!preview_.CopyFrom(&current)) return;
    // A failed reduction leaves the preview at full size, which still shows
    // the effect; only the panel's extent differs.
    if (frame_.previewKind == PreviewKind::Panel) preview_.Resample(previewWidth_, previewHeight_);
    previewReady_ = previewBase_.CopyFrom(&preview_);
}

void ParameterWindowSession::Create(DialogSurface& surface) {
    surface_ = &surface;
    if (!behaviour_) return;
    if (frame_.previewKind != PreviewKind::None) BuildPreview();
    behaviour_->OnCreate(*this);
    if (definition_->focusEdit >= 0) surface.SetFocus(definition_->focusEdit);
}

void ParameterWindowSession::Scroll(int id) {
    if (behaviour_ && Open()) behaviour_->OnScroll(*this, id);
}

void ParameterWindowSession::EditChanged(int id) {
    if (behaviour_ && Open()) behaviour_->OnEditChange(*this, id);
}

void ParameterWindowSession::Command(int id) {
    if (!behaviour_ || !Open()) return;
    if (id == frame_.execute.id) {
        behaviour_->OnExecute(*this);
    } else if (id == frame_.cancel.id) {
        Finish(false);
    } else if (id == frame_.preview.id) {
        behaviour_->OnPreview(*this);
    } else {
        behaviour_->OnCommand(*this, id);
    }
}

void ParameterWindowSession::Focus() {
    if (definition_ && definition_->focusEdit >= 0 && surface_)
        surface_->SetFocus(definition_->focusEdit);
}

void ParameterWindowSession::MouseMove(int x, int y) {
    if (behaviour_ && Open()) behaviour_->OnMouseMove(*this, x, y);
}

void ParameterWindowSession::Paint() {
    if (!surface_) return;
    if (previewReady_) {
        if (frame_.previewKind == PreviewKind::Stretched)
            surface_->DrawImageStretched(preview_, frame_.previewX, frame_.previewY, previewWidth_,
                                         previewHeight_);
        else
            surface_->DrawImage(preview_, frame_.previewX, frame_.previewY);
    }
    if (behaviour_) behaviour_->OnPaint(*this);
}

void ParameterWindowSession::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (behaviour_) behaviour_->OnDestroy(*this);
    if (cell_ != 1) cell_ = 2;
    if (frame_.kind == ParameterWindow::CustomFilter && result_.kernel.divisor == 0.0)
        result_.kernel.divisor = 9999.0;
    if (frame_.kind == ParameterWindow::RGB && result_.conversion.result == 0)
        result_.conversion.result = 2;
    previewReady_ = false;
    preview_.Create(0, 0);
    previewBase_.Create(0, 0);
}

bool ParameterWindowSession::Open() const {
    if (destroyed_) return false;
    switch (frame_.kind) {
    case ParameterWindow::CustomFilter:
        return result_.kernel.divisor == 0.0;
    case ParameterWindow::RGB:
        return result_.conversion.result == 0;
    default:
        return cell_ == 0;
    }
}

ParameterWindowResult ParameterWindowSession::Result() const {
    ParameterWindowResult r = result_;
    r.executed = cell_ == 1;
    return r;
}

CImage* ParameterWindowSession::ResetPreview() {
    if (!previewReady_ || !preview_.CopyFrom(&previewBase_)) return nullptr;
    return &preview_;
}

int32_t ParameterWindowSession::ReadLong(int id, size_t maxChars) {
    return TextToLong(surface_->GetText(id).c_str(), maxChars);
}

double ParameterWindowSession::ReadDouble(int id, size_t maxChars) {
    return TextToDouble(surface_->GetText(id).c_str(), maxChars);
}

void ParameterWindowSession::Finish(bool executed) {
    if (destroyed_) return;
    cell_ = executed ? 1 : 2;
    if (frame_.kind == ParameterWindow::CustomFilter && !executed) result_.kernel.divisor = 9999.0;
    if (frame_.kind == ParameterWindow::RGB) result_.conversion.result = executed ? 1 : 2;
    if (surface_) surface_->Close();
    Destroy(); // a surface that does not call back still ends the window
}
