#include "panel/os/WindowText.h"

#include <vector>

namespace os {

namespace {
// Room for the captions the panel reads; a longer text gets a buffer of its own size.
constexpr int kTextBuffer = 3000;
}

std::wstring ReadWindowText(WindowSystem& windows, Window window) {
    if (!window) return {};
    const int length = windows.TextLength(window);
    if (length <= 0) return {};
    const int capacity = (length > kTextBuffer ? length : kTextBuffer) + 1;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity), L'\0');
    int copied = windows.GetText(window, buffer.data(), capacity);
    if (copied <= 0) return {};
    if (copied >= capacity) copied = capacity - 1;
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied));
}

Window FindDescendantByText(WindowSystem& windows, Window root, const std::wstring& text) {
    if (!root) return 0;
    for (Window child = windows.FirstChild(root); child; child = windows.NextSibling(child)) {
        if (ReadWindowText(windows, child) == text) return child;
        if (Window hit = FindDescendantByText(windows, child, text)) return hit;
    }
    return 0;
}

Window StepsBefore(WindowSystem& windows, Window window, int steps) {
    for (int i = 0; i < steps && window; ++i) window = windows.PreviousSibling(window);
    return window;
}

}  // namespace os
