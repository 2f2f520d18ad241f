#include <algorithm>
#include <cmath>

#include "formats/MetafileCanvas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Crossing {
    double x;
    int direction;
};

// Work units (see MetaCanvas::budget_) of the steps below, measured roughly.
constexpr uint64_t kRowUnits = 8;          // any row of any shape
constexpr uint64_t kEdgeUnits = 2;         // testing an edge against a row
constexpr uint64_t kCrossingUnits = 6;     // per crossing and per halving in its sort
constexpr uint64_t kStepUnits = 4;         // a point of a thin line
constexpr uint64_t kOutlinePointUnits = 20; // a point of an ellipse's outline

uint64_t BitLength(uint64_t n) {
    uint64_t bits = 0;
    for (; n; n >>= 1)
        ++bits;
    return bits;
}

// Where the edges cross the horizontal line y, with their direction.
void CrossingsAt(const std::vector<std::vector<CanvasPoint>>& outlines, double y,
                 std::vector<Crossing>& out) {
    out.clear();
    for (const auto& outline : outlines) {
        const size_t n = outline.size();
        for (size_t i = 0; i < n; ++i) {
            const CanvasPoint a = outline[i], b = outline[(i + 1) % n];
            if ((a.y <= y) == (b.y <= y)) continue;
            const double x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            out.push_back({x, b.y > a.y ? 1 : -1});
        }
    }
    std::sort(out.begin(), out.end(),
              [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
}

// The first pixel whose centre is at or right of x, clamped to the int range.
int32_t FirstPixelFrom(double x) {
    const double p = std::ceil(x - 0.5);
    return p < -1e9 ? -1000000000 : (p > 1e9 ? 1000000000 : int32_t(p));
}

} // namespace

bool MetaCanvas::Create(int32_t w, int32_t h) {
    if (!image_.Create(w, h)) return false;
    budget_ = uint64_t(w) * uint64_t(h) * kWorkPerPixel;
    return true;
}

bool MetaCanvas::Afford(uint64_t units) {
    if (budget_ < units) {
        budget_ = 0;
        return false;
    }
    budget_ -= units;
    return true;
}

void MetaCanvas::Span(int32_t y, int32_t x0, int32_t x1, uint32_t colour) {
    if (y < 0 || y >= Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width());
    if (x0 >= x1 || !Afford(uint64_t(x1 - x0))) return;
    // The canvas counts rows from the top; the image from the bottom.
    uint32_t* row = image_.Bits() + size_t(Height() - 1 - y) * size_t(Width());
    for (int32_t x = x0; x < x1; ++x)
        row[x] = colour;
}

void MetaCanvas::Plot(int32_t x, int32_t y, uint32_t colour) {
    Span(y, x, x + 1, colour);
}

void MetaCanvas::FillPolygons(const std::vector<std::vector<CanvasPoint>>& outlines,
                              uint32_t colour, bool winding) {
    if (Spent()) return;
    double top = 1e300, bottom = -1e300;
    uint64_t edges = 0;
    for (const auto& outline : outlines)
        for (const CanvasPoint& p : outline) {
            ++edges;
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    if (!(top <= bottom)) return; // no points, or not numbers
    const int32_t firstRow = std::max(FirstPixelFrom(top), 0);
    const int32_t lastRow = std::min(FirstPixelFrom(bottom), Height());
    std::vector<Crossing> crossings;
    for (int32_t y = firstRow; y < lastRow; ++y) {
        if (!Afford(kRowUnits + edges * kEdgeUnits)) return;
        CrossingsAt(outlines, y + 0.5, crossings);
        if (!Afford(crossings.size() * BitLength(crossings.size()) * kCrossingUnits)) return;
        int inside = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside = winding ? inside + crossings[i].direction : (inside ^ 1);
            if (inside != 0)
                Span(y, FirstPixelFrom(crossings[i].x), FirstPixelFrom(crossings[i + 1].x), colour);
        }
    }
}

void MetaCanvas::ThinSegment(CanvasPoint a, CanvasPoint b, uint32_t colour) {
    if (Spent()) return;
    // Only the part inside the canvas (plus a pixel) is stepped through.
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double lows[2] = {a.x + 1, a.y + 1}, highs[2] = {Width() + 1 - a.x, Height() + 1 - a.y};
    const double deltas[2] = {dx, dy};
    for (int axis = 0; axis < 2; ++axis) {
        const double ps[2] = {-deltas[axis], deltas[axis]}, qs[2] = {lows[axis], highs[axis]};
        for (int side = 0; side < 2; ++side) {
            if (ps[side] == 0) {
                if (qs[side] < 0) return;
            } else if (ps[side] < 0) {
                t0 = std::max(t0, qs[side] / ps[side]);
            } else {
                t1 = std::min(t1, qs[side] / ps[side]);
            }
        }
    }
    if (t0 > t1) return;
    const CanvasPoint from = {a.x + t0 * dx, a.y + t0 * dy};
    const double ex = (t1 - t0) * dx, ey = (t1 - t0) * dy;
    const int steps = int(std::max(std::fabs(ex), std::fabs(ey)));
    if (!Afford(kRowUnits + uint64_t(steps) * kStepUnits)) return;
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? double(i) / steps : 0.0;
        Plot(int32_t(std::floor(from.x + t * ex)), int32_t(std::floor(from.y + t * ey)), colour);
    }
}

void MetaCanvas::Ring(CanvasPoint c, double rx, double ry, double innerRx, double innerRy,
                      uint32_t colour) {
    if (!(rx > 0 && ry > 0)) return;
    const int32_t first = std::max(FirstPixelFrom(c.y - ry), 0);
    const int32_t last = std::min(FirstPixelFrom(c.y + ry), Height());
    for (int32_t y = first; y < last; ++y) {
        if (!Afford(kRowUnits)) return;
        const double dy = y + 0.5 - c.y;
        const double outer = 1 - (dy / ry) * (dy / ry);
        if (outer < 0) continue;
        const double half = rx * std::sqrt(outer);
        const double inner = innerRy > 0 ? 1 - (dy / innerRy) * (dy / innerRy) : -1;
        if (innerRx <= 0 || inner < 0) {
            Span(y, FirstPixelFrom(c.x - half), FirstPixelFrom(c.x + half), colour);
            continue;
        }
        const double hole = innerRx * std::sqrt(inner);
        Span(y, FirstPixelFrom(c.x - half), FirstPixelFrom(c.x - hole), colour);
        Span(y, FirstPixelFrom(c.x + hole), FirstPixelFrom(c.x + half), colour);
    }
}

void MetaCanvas::Disc(CanvasPoint centre, double radius, uint32_t colour) {
    Ring(centre, radius, radius, 0, 0, colour);
}

void MetaCanvas::FillEllipse(CanvasPoint a, CanvasPoint b, uint32_t colour) {
    Ring({(a.x + b.x) / 2, (a.y + b.y) / 2}, std::fabs(b.x - a.x) / 2, std::fabs(b.y - a.y) / 2, 0,
         0, colour);
}

void MetaCanvas::StrokeEllipse(CanvasPoint a, CanvasPoint b, double width, uint32_t colour) {
    if (width <= 1.5) {
        if (!Afford(kOutlinePointUnits * OutlinePoints(std::fabs(b.x - a.x) / 2,
                                                       std::fabs(b.y - a.y) / 2)))
            return;
        StrokeLine(EllipseOutline(a.x, a.y, b.x, b.y), true, width, colour);
        return;
    }
    const double rx = std::fabs(b.x - a.x) / 2, ry = std::fabs(b.y - a.y) / 2, half = width / 2;
    Ring({(a.x + b.x) / 2, (a.y + b.y) / 2}, rx + half, ry + half, rx - half, ry - half, colour);
}

void MetaCanvas::StrokeLine(const std::vector<CanvasPoint>& points, bool closed, double width,
                            uint32_t colour) {
    const size_t n = points.size();
    if (n == 0 || Spent()) return;
    const size_t segments = closed && n > 2 ? n : n - 1;
    if (width <= 1.5) {
        for (size_t i = 0; i < segments; ++i)
            ThinSegment(points[i], points[(i + 1) % n], colour);
        if (n == 1) ThinSegment(points[0], points[0], colour);
        return;
    }
    const double half = width / 2;
    for (size_t i = 0; i < segments; ++i) {
        const CanvasPoint a = points[i], b = points[(i + 1) % n];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length > 0) {
            const double nx = -(b.y - a.y) / length * half, ny = (b.x - a.x) / length * half;
            FillPolygons({{{a.x + nx, a.y + ny},
                           {b.x + nx, b.y + ny},
                           {b.x - nx, b.y - ny},
                           {a.x - nx, a.y - ny}}},
                         colour, true);
        }
    }
    for (const CanvasPoint& p : points)
        Disc(p, half, colour);
}

int OutlinePoints(double rx, double ry) {
    return int(std::clamp(std::max(rx, ry) * 1.5, 16.0, 1024.0));
}

std::vector<CanvasPoint> EllipseOutline(double left, double top, double right, double bottom) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double rx = std::fabs(right - left) / 2, ry = std::fabs(bottom - top) / 2;
    const int count = OutlinePoints(rx, ry);
    std::vector<CanvasPoint> outline(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * kPi * i / count;
        outline[size_t(i)] = {cx + rx * std::cos(angle), cy + ry * std::sin(angle)};
    }
    return outline;
}
