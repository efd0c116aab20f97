#pragma once
// Reading the texts of windows, the terminal's included, and finding a window by its text.
#include <string>

#include "panel/os/WindowSystem.h"

namespace os {

// The whole text of `window`; the empty text for an invalid or zero window or a failure.
std::wstring ReadWindowText(WindowSystem& windows, Window window);

// Depth-first below `root`: each child in stacking order (topmost first) is tested before its
// own descendants, and a subtree is finished before its next sibling. 0 when nothing matches.
Window FindDescendantByText(WindowSystem& windows, Window root, const std::wstring& text);

// `steps` times to the previous sibling; 0 as soon as there is none.
Window StepsBefore(WindowSystem& windows, Window window, int steps);

}  // namespace os
