#pragma once

// The drawing calls of the rasteriser in one include: lines, polylines,
// polygons, rectangles, rounded rectangles and ellipses.

#include "canvas/raster/Line.h"
#include "canvas/raster/Pen.h"
#include "canvas/raster/Polygon.h"
#include "canvas/raster/RoundRect.h"
