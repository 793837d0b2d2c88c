// The region a polygon covers, in whole pixels, as the X server and Windows fill polygons.
#pragma once

#include <span>

#include <QRegion>
#include <Qt>

#include "platform/types.h"

namespace zorvin::qt {

// A pixel belongs to the region when its centre lies inside the polygon by the fill rule; a
// centre exactly on an edge belongs when the inside lies to its right. (QRegion's own polygon
// constructor takes a different set of pixels along the edges.)
QRegion PolygonRegion(std::span<const Point> polygon, Qt::FillRule rule);

}  // namespace zorvin::qt
