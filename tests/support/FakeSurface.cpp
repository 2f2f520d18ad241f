#include "tests/support/FakeSurface.h"

FakeSurface::FakeSurface(ParameterWindowSession& session) : session_(session) {
    if (const WindowDefinition* d = session.Definition())
        for (const ControlDef& c : d->controls) {
            if (c.kind == ControlKind::Trackbar || c.kind == ControlKind::UpDown)
                trackbars[c.id] = c.start;
            else
                texts[c.id] = c.text;
        }
    session.Create(*this);
}

const ControlDef* FakeSurface::Find(int id) const {
    if (const WindowDefinition* d = session_.Definition())
        for (const ControlDef& c : d->controls)
            if (c.id == id) return &c;
    return nullptr;
}

void FakeSurface::Type(int id, const std::string& text) {
    texts[id] = text;
    session_.EditChanged(id);
}

void FakeSurface::MoveTrackbar(int id, int position) {
    if (const ControlDef* c = Find(id)) {
        if (position < c->minimum) position = c->minimum;
        if (position > c->maximum) position = c->maximum;
    }
    trackbars[id] = position;
    session_.Scroll(id);
}

void FakeSurface::Press(int id) {
    session_.Command(id);
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

void FakeSurface::DrawImage(const CImage& image, int x, int y) {
    drawn.push_back({x, y, -1, -1, image.Width(), image.Height()});
}

void FakeSurface::DrawImageStretched(const CImage& image, int x, int y, int w, int h) {
    drawn.push_back({x, y, w, h, image.Width(), image.Height()});
}
