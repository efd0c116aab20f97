#pragma once

namespace os {

// A rectangle as the platform gives it: right and bottom lie just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

}  // namespace os
