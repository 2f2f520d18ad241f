#include "app/ParameterWindow.h"

#include "app/Document.h"
#include "app/windows/Catalogue.h"
#include "core/Numbers.h"

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
    : ParameterWindowSession(CatalogueEntryOf(kind).window, CatalogueEntryOf(kind).className,
                             document, trimFrame) {}

ParameterWindowSession::ParameterWindowSession(const WindowDefinition* window,
                                               const char* className, CImageDocument& document,
                                               TrimFrame& trimFrame)
    : className_(className), definition_(window), document_(document), trimFrame_(trimFrame) {
    if (definition_) behaviour_ = definition_->make();
}

ParameterWindowSession::~ParameterWindowSession() = default;

void ParameterWindowSession::BuildPreview() {
    const CImage& current = document_.Current();
    PreviewSize(current.Width(), current.Height(), previewWidth_, previewHeight_);
    if (!preview_.CopyFrom(&current)) return;
    if (Frame().previewKind == PreviewKind::Stretched) {
        previewReady_ = true;
        return;
    }
    // A failed reduction leaves the preview at full size, which still shows
    // the effect; only the panel's extent differs.
    preview_.Resample(previewWidth_, previewHeight_);
    previewReady_ = previewBase_.CopyFrom(&preview_);
}

void ParameterWindowSession::Create(DialogSurface& surface) {
    surface_ = &surface;
    if (!behaviour_) return;
    if (Frame().previewKind != PreviewKind::None) BuildPreview();
    surface.CreateControls(*definition_);
    behaviour_->OnCreate(*this);
    if (Frame().focus >= 0) surface.SetFocus(Frame().focus);
}

void ParameterWindowSession::Pressed(FrameButton button) {
    if (!behaviour_ || !Open()) return;
    switch (button) {
    case FrameButton::Execute:
        return behaviour_->OnExecute(*this);
    case FrameButton::Cancel:
        return Finish(false);
    case FrameButton::Preview:
        return behaviour_->OnPreview(*this);
    }
}

void ParameterWindowSession::Scroll(int control) {
    if (behaviour_ && Open()) behaviour_->OnScroll(*this, control);
}

void ParameterWindowSession::EditChanged(int control) {
    if (behaviour_ && Open()) behaviour_->OnEditChange(*this, control);
}

void ParameterWindowSession::Command(int control, int code) {
    if (behaviour_ && Open()) behaviour_->OnCommand(*this, control, code);
}

void ParameterWindowSession::Key(DialogKey key) {
    if (!behaviour_ || !Open() || !Frame().navigation) return;
    if (key == DialogKey::Escape) return Pressed(FrameButton::Cancel);
    if (Frame().enterExecutes) Pressed(FrameButton::Execute);
}

void ParameterWindowSession::Focus() {
    if (behaviour_ && surface_ && Frame().focus >= 0) surface_->SetFocus(Frame().focus);
}

void ParameterWindowSession::MouseMove(int x, int y) {
    if (behaviour_ && Open()) behaviour_->OnMouseMove(*this, x, y);
}

void ParameterWindowSession::Paint() {
    if (!surface_ || !behaviour_) return;
    if (previewReady_) {
        const WindowFrame& f = Frame();
        if (f.previewKind == PreviewKind::Stretched)
            surface_->DrawImageStretched(preview_, f.previewX, f.previewY, previewWidth_,
                                         previewHeight_);
        else
            surface_->DrawImage(preview_, f.previewX, f.previewY);
    }
    behaviour_->OnPaint(*this);
}

void ParameterWindowSession::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (cell_ != 1) cell_ = 2;
    if (behaviour_) behaviour_->OnDestroy(*this);
    previewReady_ = false;
    preview_.Create(0, 0);
    previewBase_.Create(0, 0);
}

ParameterWindowResult ParameterWindowSession::Result() const {
    ParameterWindowResult r = result_;
    r.executed = cell_ == 1;
    return r;
}

CImage* ParameterWindowSession::ResetPreview() {
    if (!previewReady_) return nullptr;
    const CImage* base =
        Frame().previewKind == PreviewKind::Stretched ? &document_.Current() : &previewBase_;
    if (!preview_.CopyFrom(base)) return nullptr;
    return &preview_;
}

int32_t ParameterWindowSession::ReadLong(int control, size_t maxChars) {
    return TextToLong(surface_->GetText(control).c_str(), maxChars);
}

double ParameterWindowSession::ReadDouble(int control, size_t maxChars) {
    return TextToDouble(surface_->GetText(control).c_str(), maxChars);
}

void ParameterWindowSession::Finish(bool executed) {
    if (destroyed_) return;
    cell_ = executed ? 1 : 2;
    if (surface_) surface_->Close();
    Destroy(); // a surface that does not call back still ends the window
}
