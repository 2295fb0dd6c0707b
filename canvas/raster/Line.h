#pragma once

// Lines and polylines with a one-pixel or a geometric pen.

#include <span>

#include "canvas/raster/Pen.h"
#include "canvas/raster/Polygon.h"
#include "canvas/surface/Brush.h"
#include "instruments/Surface.h"

namespace instruments::raster {

// MoveToEx(x1, y1) + LineTo(x2, y2). A one-pixel pen never paints the end
// point (so a zero-length line paints nothing); a geometric pen paints a round
// cap disc on both end points.
void DrawLine(Surface& surface, int x1, int y1, int x2, int y2, const Pen& pen);

// Polyline: the segments between consecutive points, joined with round joins
// for a geometric pen. Gives the same pixels as MoveToEx to the first point
// and LineTo through the others. Fewer than two points draw nothing.
void DrawPolyline(Surface& surface, std::span<const Point> points, const Pen& pen);

// Polygon: the even-odd fill of FillPolygon, then the closed outline.
void DrawPolygon(Surface& surface, std::span<const Point> points, const Pen& pen, const Brush& brush);

}  // namespace instruments::raster
