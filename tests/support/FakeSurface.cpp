#include "tests/support/FakeSurface.h"

#include <algorithm>

#include "core/Numbers.h"

FakeSurface::FakeSurface(ParameterWindowSession& session) : session_(session) {
    session.Create(*this);
}

void FakeSurface::CreateControls(const WindowDefinition& window) {
    controls_.resize(window.controls.size());
    for (size_t i = 0; i < window.controls.size(); ++i) {
        const ControlDef& c = window.controls[i];
        Control& control = controls_[i];
        control.def = &c;
        control.position = c.start;
        control.checked = c.kind == ControlKind::CheckBox && c.start != 0;
        const bool combo = c.kind == ControlKind::Combo || c.kind == ControlKind::EditCombo;
        control.selection = combo ? c.start : 0;
        if (combo) {
            const std::vector<std::string> items = Items(int(i));
            control.text = size_t(c.start) < items.size() ? items[size_t(c.start)] : "";
        } else if (c.kind != ControlKind::UpDown && c.kind != ControlKind::Trackbar) {
            control.text = c.text;
        }
        // The up-down control sets its buddy's number, which reports the change.
        if (c.kind == ControlKind::UpDown && c.buddy >= 0)
            SetText(c.buddy, std::to_string(c.start));
    }
}

FakeSurface::Control& FakeSurface::Existing(int control) {
    if (control >= 0 && size_t(control) < controls_.size() && controls_[size_t(control)].def)
        return controls_[size_t(control)];
    missing_ = Control{};
    return missing_;
}

std::vector<std::string> FakeSurface::Items(int control) const {
    std::vector<std::string> items;
    const std::string text = controls_.at(size_t(control)).def->text;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

void FakeSurface::SetText(int control, const std::string& text) {
    Control& c = Existing(control);
    if (!c.def) return;
    c.text = text;
    if (c.def->kind == ControlKind::Edit) {
        session_.EditChanged(control);
    }
}

int FakeSurface::GetTrackbarPos(int control) {
    const Control& c = Existing(control);
    if (!c.def || c.def->kind != ControlKind::UpDown || c.def->buddy < 0) return c.position;
    // The position is the buddy's number, within the range.
    const int32_t typed = TextToLong(Existing(c.def->buddy).text.c_str(), 15);
    return std::clamp(int(typed), c.def->minimum, c.def->maximum);
}

void FakeSurface::Type(int control, const std::string& text) {
    Control& c = Existing(control);
    if (!c.def) return;
    if (c.def->kind != ControlKind::EditCombo) return SetText(control, text);
    c.text = text;
    c.selection = -1;
    for (int code : {notify::ComboEditUpdate, notify::ComboEditChange})
        session_.Command(control, code);
}

void FakeSurface::MoveTrackbar(int control, int position) {
    Control& c = Existing(control);
    if (!c.def) return;
    c.position = std::clamp(position, c.def->minimum, c.def->maximum);
    session_.Scroll(control);
}

void FakeSurface::Spin(int control, int delta) {
    Control& c = Existing(control);
    if (!c.def) return;
    c.position = std::clamp(GetTrackbarPos(control) + delta, c.def->minimum, c.def->maximum);
    if (c.def->buddy >= 0) SetText(c.def->buddy, std::to_string(c.position));
}

void FakeSurface::Select(int control, int item) {
    Control& c = Existing(control);
    if (!c.def) return;
    c.selection = item;
    session_.Command(control, notify::ComboSelChange);
    const std::vector<std::string> items = Items(control);
    Existing(control).text = item >= 0 && size_t(item) < items.size() ? items[size_t(item)] : "";
}

void FakeSurface::Click(int control) {
    Control& c = Existing(control);
    if (!c.def) return;
    if (c.def->kind == ControlKind::CheckBox) c.checked = !c.checked;
    session_.Command(control, notify::Clicked);
}

void FakeSurface::CloseBox() {
    closed = true;
    session_.Destroy();
}

void FakeSurface::Repaint() {
    ++repaints;
    session_.Paint();
}

void FakeSurface::RepaintMainWindow() {
    ++mainRepaints;
    if (onMainRepaint) onMainRepaint();
}

void FakeSurface::Close() {
    closed = true;
    session_.Destroy();
}

bool FakeSurface::StretchHalftone(const CImage& source, int32_t width, int32_t height,
                                  CImage& result) {
    if (failStretch || width < 1 || height < 1) return false;
    CImage stretched = source;
    if (!stretched.Resample(width, height)) return false;
    stretched.ClearReservedBytes();
    result.Swap(stretched);
    return true;
}

void FakeSurface::DrawImage(const CImage& image, int x, int y) {
    drawn.push_back({x, y, -1, -1, image.Width(), image.Height()});
}

void FakeSurface::DrawImageStretched(const CImage& image, int x, int y, int w, int h) {
    drawn.push_back({x, y, w, h, image.Width(), image.Height()});
}
