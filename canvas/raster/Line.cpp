#include "canvas/raster/Line.h"

#include "canvas/raster/ThinLine.h"
#include "canvas/raster/WideStroke.h"

namespace instruments::raster {

void DrawLine(Surface& surface, int x1, int y1, int x2, int y2, const Pen& pen) {
    if (pen.IsNull()) {
        return;
    }
    if (pen.IsThin()) {
        DrawThinLine(surface, x1, y1, x2, y2, pen.colour);
        return;
    }
    WideStroke(surface, pen.width, pen.colour).Line(x1, y1, x2, y2);
}

void DrawPolyline(Surface& surface, std::span<const Point> points, const Pen& pen) {
    if (pen.IsNull() || points.size() < 2) {
        return;
    }
    if (pen.IsThin()) {
        for (std::size_t i = 1; i < points.size(); ++i) {
            DrawThinLine(surface, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, pen.colour);
        }
        return;
    }
    WideStroke stroke(surface, pen.width, pen.colour);
    for (std::size_t i = 0; i < points.size(); ++i) {
        stroke.Disc(points[i].x, points[i].y);
        if (i > 0) {
            stroke.Body(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
        }
    }
}

void DrawPolygon(Surface& surface, std::span<const Point> points, const Pen& pen, const Brush& brush) {
    if (points.size() < 2) {
        return;
    }
    FillPolygon(surface, points, brush);
    if (pen.IsNull()) {
        return;
    }
    const std::size_t n = points.size();
    if (pen.IsThin()) {
        for (std::size_t i = 0; i < n; ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % n];
            DrawThinLine(surface, a.x, a.y, b.x, b.y, pen.colour);
        }
        return;
    }
    WideStroke stroke(surface, pen.width, pen.colour);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        stroke.Disc(a.x, a.y);
        stroke.Body(a.x, a.y, b.x, b.y);
    }
}

}  // namespace instruments::raster
