// Metafile rendering without GDI: a small interpreter for the common drawing
// records (pens, brushes, lines, polylines, polygons, rectangles, ellipses,
// pixels, window and viewport origin and extent, saved states). Records it
// does not know are skipped. The picture's window is stretched over a canvas
// standing for a 1024 x 768 display, as GDI stretches it over the screen.
#include <cmath>
#include <functional>
#include <queue>
#include <vector>

#include "formats/LittleEndian.h"
#include "formats/Metafile.h"
#include "formats/MetafileCanvas.h"

namespace {

constexpr int32_t kDisplayWidth = 1024;
constexpr int32_t kDisplayHeight = 768;
constexpr size_t kMaxObjects = 65535;
constexpr size_t kMaxSavedStates = 1024;

enum Function : uint16_t {
    kSaveDc = 0x001E,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kDeleteObject = 0x01F0,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePen = 0x02FA,
    kCreateBrush = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
};

struct Pen {
    bool visible = true;
    double width = 0; // logical units; 0 draws one pixel wide
    uint32_t colour = 0;
};
struct Brush {
    bool visible = true;
    uint32_t colour = 0x00FFFFFF;
};

struct MetaObject {
    enum Kind { Free, Pen, Brush, Other } kind = Free;
    ::Pen pen;
    ::Brush brush;
};

struct Point {
    double x = 0, y = 0;
};

struct DrawingState {
    Point windowOrg, windowExt{kDisplayWidth, kDisplayHeight};
    Point viewportOrg, viewportExt{kDisplayWidth, kDisplayHeight};
    Point position;
    Pen pen;
    Brush brush;
    bool winding = false;
};

// The parameters of one record as little-endian 16-bit words, never read
// past the record.
class Params {
  public:
    explicit Params(const MetaRecord& r) : r_(r) {}
    bool Has(size_t words) const { return words <= r_.paramBytes / 2; }
    int16_t Signed(size_t i) const { return int16_t(GetLe16(r_.params + 2 * i)); }
    uint16_t Unsigned(size_t i) const { return GetLe16(r_.params + 2 * i); }
    // A COLORREF (0x00BBGGRR) at word i, as a colour-plane word 0x00RRGGBB.
    uint32_t Colour(size_t i) const {
        const uint8_t* p = r_.params + 2 * i;
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }

  private:
    const MetaRecord& r_;
};

class MetafileInterpreter {
  public:
    explicit MetafileInterpreter(MetaCanvas& canvas) : canvas_(canvas) {}
    bool Play(const MetaRecord& record);

  private:
    CanvasPoint Map(double x, double y) const;
    double PenWidth() const;
    void AddObject(const MetaObject& object);
    void DeleteObject(uint16_t index);
    void Select(uint16_t index);
    void Outline(const std::vector<std::vector<CanvasPoint>>& outlines);
    void Box(const Params& p, size_t first, bool ellipse);
    bool Points(const Params& p, size_t first, size_t count, std::vector<CanvasPoint>& out) const;
    void PolyPolygon(const Params& p);

    MetaCanvas& canvas_;
    DrawingState state_;
    std::vector<DrawingState> saved_;
    std::vector<MetaObject> objects_;
    // The free slots below objects_.size(), lowest on top: a file may hold
    // tens of thousands of objects, and searching the table for each new one
    // would cost their number squared.
    std::priority_queue<uint16_t, std::vector<uint16_t>, std::greater<uint16_t>> freeSlots_;
};

CanvasPoint MetafileInterpreter::Map(double x, double y) const {
    const DrawingState& s = state_;
    return {(x - s.windowOrg.x) * canvas_.Width() / s.windowExt.x +
                s.viewportOrg.x * canvas_.Width() / s.viewportExt.x,
            (y - s.windowOrg.y) * canvas_.Height() / s.windowExt.y +
                s.viewportOrg.y * canvas_.Height() / s.viewportExt.y};
}

double MetafileInterpreter::PenWidth() const {
    return std::fabs(state_.pen.width * canvas_.Width() / state_.windowExt.x);
}

void MetafileInterpreter::AddObject(const MetaObject& object) {
    if (!freeSlots_.empty()) {
        objects_[freeSlots_.top()] = object;
        freeSlots_.pop();
    } else if (objects_.size() < kMaxObjects) {
        objects_.push_back(object);
    }
}

void MetafileInterpreter::DeleteObject(uint16_t index) {
    if (index >= objects_.size() || objects_[index].kind == MetaObject::Free) return;
    objects_[index] = MetaObject();
    freeSlots_.push(index);
}

void MetafileInterpreter::Select(uint16_t index) {
    if (index >= objects_.size()) return;
    const MetaObject& object = objects_[index];
    if (object.kind == MetaObject::Pen) state_.pen = object.pen;
    if (object.kind == MetaObject::Brush) state_.brush = object.brush;
}

// Fills with the brush, then draws the edges with the pen, as GDI does.
void MetafileInterpreter::Outline(const std::vector<std::vector<CanvasPoint>>& outlines) {
    if (state_.brush.visible) canvas_.FillPolygons(outlines, state_.brush.colour, state_.winding);
    if (state_.pen.visible)
        for (const auto& outline : outlines)
            canvas_.StrokeLine(outline, true, PenWidth(), state_.pen.colour);
}

// Rectangle, round rectangle and ellipse: bottom, right, top, left from the
// word first on (a round rectangle starts with its corner size).
void MetafileInterpreter::Box(const Params& p, size_t first, bool ellipse) {
    if (!p.Has(first + 4)) return;
    const CanvasPoint a = Map(p.Signed(first + 3), p.Signed(first + 2));
    const CanvasPoint b = Map(p.Signed(first + 1), p.Signed(first));
    if (!ellipse) {
        Outline({{a, {b.x, a.y}, b, {a.x, b.y}}});
        return;
    }
    if (state_.brush.visible) canvas_.FillEllipse(a, b, state_.brush.colour);
    if (state_.pen.visible) canvas_.StrokeEllipse(a, b, PenWidth(), state_.pen.colour);
}

bool MetafileInterpreter::Points(const Params& p, size_t first, size_t count,
                                 std::vector<CanvasPoint>& out) const {
    if (!p.Has(first + 2 * count)) return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = Map(p.Signed(first + 2 * i), p.Signed(first + 2 * i + 1));
    return true;
}

void MetafileInterpreter::PolyPolygon(const Params& p) {
    if (!p.Has(1)) return;
    const size_t polygons = p.Unsigned(0);
    if (!p.Has(1 + polygons)) return;
    std::vector<std::vector<CanvasPoint>> outlines(polygons);
    size_t next = 1 + polygons;
    for (size_t i = 0; i < polygons; ++i) {
        const size_t count = p.Unsigned(1 + i);
        if (!Points(p, next, count, outlines[i])) return;
        next += 2 * count;
    }
    Outline(outlines);
}

bool MetafileInterpreter::Play(const MetaRecord& record) {
    const Params p(record);
    std::vector<CanvasPoint> points;
    if (CreatesMetaObject(record.function)) {
        MetaObject object;
        object.kind = MetaObject::Other;
        if (record.function == kCreatePen && p.Has(5)) {
            object.kind = MetaObject::Pen;
            object.pen = {(p.Unsigned(0) & 0x0F) != 5, double(p.Signed(1)), p.Colour(3)};
        } else if (record.function == kCreateBrush && p.Has(3)) {
            const uint16_t style = p.Unsigned(0); // 0 solid, 1 hollow, 2 hatched
            object.kind = MetaObject::Brush;
            object.brush = {style == 0 || style == 2, p.Colour(1)};
        }
        AddObject(object);
        return true;
    }
    switch (record.function) {
    case kSetWindowOrg:
    case kSetViewportOrg:
    case kSetWindowExt:
    case kSetViewportExt: {
        if (!p.Has(2)) break;
        const Point value{double(p.Signed(1)), double(p.Signed(0))};
        const bool isExtent =
            record.function == kSetWindowExt || record.function == kSetViewportExt;
        if (isExtent && (value.x == 0 || value.y == 0)) break;
        const bool window = record.function == kSetWindowOrg || record.function == kSetWindowExt;
        Point& target = window ? (isExtent ? state_.windowExt : state_.windowOrg)
                               : (isExtent ? state_.viewportExt : state_.viewportOrg);
        target = value;
        break;
    }
    case kSetPolyFillMode:
        if (p.Has(1)) state_.winding = p.Unsigned(0) == 2;
        break;
    case kSelectObject:
        if (p.Has(1)) Select(p.Unsigned(0));
        break;
    case kDeleteObject:
        if (p.Has(1)) DeleteObject(p.Unsigned(0));
        break;
    case kMoveTo:
        if (p.Has(2)) state_.position = {double(p.Signed(1)), double(p.Signed(0))};
        break;
    case kLineTo:
        if (!p.Has(2)) break;
        if (state_.pen.visible)
            canvas_.StrokeLine(
                {Map(state_.position.x, state_.position.y), Map(p.Signed(1), p.Signed(0))}, false,
                PenWidth(), state_.pen.colour);
        state_.position = {double(p.Signed(1)), double(p.Signed(0))};
        break;
    case kPolyline:
        if (p.Has(1) && Points(p, 1, p.Unsigned(0), points) && state_.pen.visible)
            canvas_.StrokeLine(points, false, PenWidth(), state_.pen.colour);
        break;
    case kPolygon:
        if (p.Has(1) && Points(p, 1, p.Unsigned(0), points)) Outline({points});
        break;
    case kPolyPolygon:
        PolyPolygon(p);
        break;
    case kRectangle:
    case kEllipse:
        Box(p, 0, record.function == kEllipse);
        break;
    case kRoundRect:
        Box(p, 2, false);
        break;
    case kSetPixel:
        if (p.Has(4)) {
            const CanvasPoint at = Map(p.Signed(3), p.Signed(2));
            canvas_.Plot(int32_t(std::floor(at.x)), int32_t(std::floor(at.y)), p.Colour(0));
        }
        break;
    case kSaveDc:
        if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
        break;
    case kRestoreDc:
        if (!saved_.empty()) {
            state_ = saved_.back();
            saved_.pop_back();
        }
        break;
    default:
        break; // text, bitmaps, clipping, palettes: not drawn here
    }
    return !canvas_.Spent(); // nothing more would be drawn
}

} // namespace

bool DecodeMetafile(CImage& image, const uint8_t* data, size_t size) {
    return RenderMetafile(image, data, size, kDisplayWidth, kDisplayHeight);
}

bool RenderMetafile(CImage& image, const uint8_t* data, size_t size, int32_t w, int32_t h) {
    if (!ValidMetafile(data, size)) return false;
    MetaCanvas canvas;
    if (!canvas.Create(w, h)) return false;
    MetafileInterpreter interpreter(canvas);
    ForEachMetaRecord(data, size, [&](const MetaRecord& r) { return interpreter.Play(r); });
    canvas.TakeInto(image);
    return true;
}
