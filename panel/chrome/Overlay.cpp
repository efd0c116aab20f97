// The overlay over the chart: cut down to its floating panels, kept in view, and handing
// F11 on to the chart, whose full-screen key it is.
#include "panel/chrome/Overlay.h"

#include "panel/core/Unit1.h"

namespace chrome {

std::vector<os::Rect> OverlayRegion(int width, int height, int clientWidth, int clientHeight,
                                    const std::vector<os::Rect>& visibleChildren) {
    const int bx = (width - clientWidth) / 2;
    const int by = height - clientHeight - bx;
    std::vector<os::Rect> region;
    auto add = [&region](os::Rect r) {
        if (r.right <= r.left || r.bottom <= r.top) return;
        // Wholly left of or above the window, a rectangle can never show, however large the
        // chart makes the window later: the channel slots parked at -10000 are such.
        if (r.right <= 0 || r.bottom <= 0) return;
        region.push_back(r);
    };
    // The window less its client area, as strips around the client rectangle.
    add({0, 0, width, by});
    add({0, by + clientHeight, width, height});
    add({0, by, bx, by + clientHeight});
    add({bx + clientWidth, by, width, by + clientHeight});
    for (const os::Rect& child : visibleChildren)
        add({bx + child.left, by + child.top, bx + child.right, by + child.bottom});
    return region;
}

}  // namespace chrome

void TForm1::UpdateWindowRegion() {
    try {
        HideScrollBars();
        std::vector<os::Rect> children;
        for (const ui::Control* child : Children())
            if (child->Visible()) children.push_back(child->BoundsRect());
        std::vector<os::Rect> region =
            chrome::OverlayRegion(Width(), Height(), ClientWidth(), ClientHeight(), children);
        // An empty list would mean "no region", the whole window; with nothing to show the
        // window is to be all hole instead.
        if (region.empty()) region.push_back(os::Rect{});
        SetRegion(std::move(region));
    } catch (...) {
    }
}

void TForm1::RefreshControls() {
    // Posting to no window would land in our own thread's queue; before the form has a
    // window there is nothing to kick.
    if (const os::Window self = NativeHandle()) {
        Os().windows.PostKey(self, os::kKeyDown, os::kVkMenu);
        Os().windows.PostKey(self, os::kKeyUp, os::kVkMenu);
    }
    // Buttons and check boxes on the layered overlay can be left undrawn after the panels
    // change; hiding and showing their windows makes them paint again. Only the floating
    // panels' own buttons, and only those that are meant to be seen.
    for (ui::Control* panel : Children()) {
        if (panel->Kind() != ui::ControlKind::Panel) continue;
        for (ui::Control* control : panel->Children()) {
            const ui::ControlKind kind = control->Kind();
            if (kind != ui::ControlKind::Button && kind != ui::ControlKind::CheckBox) continue;
            if (!control->Visible()) continue;
            try {
                control->SetVisible(false);
                control->SetVisible(true);
            } catch (...) {
                // A kick that failed half-way must not leave the button hidden.
                try {
                    control->SetVisible(true);
                } catch (...) {
                }
            }
        }
    }
}

void TForm1::KeepMainPanelOnScreen() {
    const bool lost = main.Left() + main.Width() < Left() || main.Top() + main.Height() < Top() ||
                      Top() + Height() < main.Top() || Left() + Width() < main.Left();
    if (lost) main.SetBounds(20, 20, main.Width(), main.Height());
}

void TForm1::ForwardF11ToChart() {
    const os::Window chart = ChartWindow();
    if (!chart) return;
    Os().windows.PostKey(chart, os::kKeyDown, os::kVkF11);
    Os().windows.PostKey(chart, os::kKeyUp, os::kVkF11);
}

void TForm1::Timer4Timer() {
    try {
        const os::Window self = NativeHandle();
        if (self && Os().windows.ForegroundWindow() == self && Os().windows.AsyncKeyState(os::kVkF11) != 0)
            ForwardF11ToChart();
    } catch (...) {
    }
}

void TForm1::mainDblClick(ui::Control&) { ForwardF11ToChart(); }
