// The drawing surface of the metafile interpreter: filled polygons (even-odd
// or winding), lines of any width, on a top-down canvas of 32-bit colours
// that becomes a CImage. Coordinates are canvas pixels from the top-left
// corner; a pixel is painted when its centre lies inside the shape.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

struct CanvasPoint {
    double x, y;
};

class MetaCanvas {
  public:
    // A w x h canvas, black (the content of a new display bitmap). False when
    // it cannot be allocated.
    bool Create(int32_t w, int32_t h);
    int32_t Width() const { return image_.Width(); }
    int32_t Height() const { return image_.Height(); }

    // Fills the union of the outlines (each closed implicitly).
    void FillPolygons(const std::vector<std::vector<CanvasPoint>>& outlines, uint32_t colour,
                      bool winding);
    // Draws the lines through the points, joined and ended round when wide.
    void StrokeLine(const std::vector<CanvasPoint>& points, bool closed, double width,
                    uint32_t colour);
    void Plot(int32_t x, int32_t y, uint32_t colour);
    // The ellipse inscribed in the box, filled; and its outline drawn with a
    // pen of the width, as a ring between two ellipses when wide. Row by row,
    // so the cost is that of the rows covered.
    void FillEllipse(CanvasPoint a, CanvasPoint b, uint32_t colour);
    void StrokeEllipse(CanvasPoint a, CanvasPoint b, double width, uint32_t colour);

    // Whether the work budget is spent (further drawing does nothing).
    bool Spent() const { return budget_ == 0; }

    // Hands the picture over (the canvas is left empty).
    void TakeInto(CImage& image) { image.Swap(image_); }

  private:
    void Span(int32_t y, int32_t x0, int32_t x1, uint32_t colour);
    void ThinSegment(CanvasPoint a, CanvasPoint b, uint32_t colour);
    void Disc(CanvasPoint centre, double radius, uint32_t colour);
    // The rows of an ellipse (centre, radii) minus an inner one (radii 0: none).
    void Ring(CanvasPoint centre, double rx, double ry, double innerRx, double innerRy,
              uint32_t colour);

    // Takes units of work from the budget; once it cannot, the budget is spent
    // and nothing more is drawn.
    bool Afford(uint64_t units);

    CImage image_;
    // Work left, in units of about a nanosecond: a pixel painted, an edge
    // tested on a row, a point stepped. A few bytes of records can ask for the
    // whole canvas, or thousands of edges on every row, again and again, so
    // drawing stops after a fixed amount of work per pixel of the canvas
    // (painting it 341 times, or about half a second's other work).
    uint64_t budget_ = 0;
    static constexpr uint64_t kWorkPerPixel = 341;
};

// The number of points of the outline below for an ellipse of radii rx, ry.
int OutlinePoints(double rx, double ry);
// The outline of the ellipse inscribed in the box, as a polygon fine enough
// that no edge is longer than about two pixels.
std::vector<CanvasPoint> EllipseOutline(double left, double top, double right, double bottom);
