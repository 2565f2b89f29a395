#pragma once

// Where the banner's content goes: the 16-bit scroll position and the copies one frame shows.
// Pure arithmetic on sizes, so that every placement rule can be checked without a widget.

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <vector>

#include "controls/banner_types.h"

namespace velorine::controls {

// A pixel count that wraps at 65536 on every addition, as the banner has always stored it.
using ScrollPosition = std::uint16_t;

// The width of `size` for the horizontal directions, its height for the vertical ones.
int ExtentAlong(TScrollDirection direction, QSize size);

// No-gap mode: takes whole extents off a position that has gone past the content's extent, so
// that it lies within 0..extent again (a position equal to the extent stays). A zero extent
// leaves the position alone: there is nothing to wrap around.
ScrollPosition WrapIntoExtent(ScrollPosition position, int extent);

// The position after the direction changes, chosen so that reversing along the same axis keeps
// the content where it is on the screen and switching axis puts it just inside the entry edge.
ScrollPosition PositionAfterTurn(ScrollPosition position, TScrollDirection from, TScrollDirection to, QSize content,
                                 QSize banner);

// Top-left corners, in banner coordinates, of the copies of the content one frame shows: one copy
// in gap mode; without gap, that copy and the ones laid end to end behind it, as many as it takes
// to cover the banner along the scroll axis. Empty content gives no copy.
std::vector<QPoint> ContentCopies(TScrollDirection direction, bool noGap, QSize banner, QSize content,
                                  ScrollPosition position);

}  // namespace velorine::controls
