#pragma once
// The overlay's window region, worked out apart from any window so that it can be checked
// rectangle by rectangle.
#include <vector>

#include "panel/os/Rect.h"

namespace chrome {

// The rectangles whose union is the overlay's region, in window coordinates: the part of
// the window outside its client area (the frame), then each visible direct child's bounds,
// given in client coordinates, in child order. A borderless window has no frame part.
std::vector<os::Rect> OverlayRegion(int width, int height, int clientWidth, int clientHeight,
                                    const std::vector<os::Rect>& visibleChildren);

}  // namespace chrome
