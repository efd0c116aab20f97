#pragma once
// The panel started over a terminal-like window family and settled over the chart: the
// starting point of most of the panel's Wine tests.
#include "tests/win32/support/QuorvexWineSupport.h"

namespace wine_test {

// Where the panel's window belongs: the chart window's screen rectangle, cut at the chart
// area's right and bottom edges, less 2 pixels on each side.
inline RECT ExpectedOverlay(const TerminalFamily& family) {
    RECT r = TerminalFamily::ScreenRect(family.Chart());
    const RECT area = TerminalFamily::ScreenRect(family.ChartArea());
    if (area.right < r.right) r.right = area.right;
    if (area.bottom < r.bottom) r.bottom = area.bottom;
    return {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

// Waits until the panel's window is shown exactly over the chart.
inline bool WaitUntilOverChart(const TerminalFamily& family, HWND window) {
    return WaitFor([&] {
        return IsWindowVisible(window) && TerminalFamily::ScreenRect(window) == ExpectedOverlay(family);
    });
}

// Proof that the panel's timers have run for a while: its chart-following tick reads the chart
// frame's title every 500 ms, so `ticks` further reads span at least (ticks - 1) half-seconds,
// in which the 200 ms poll would have run a few times if it were enabled.
inline bool WaitForChartFollowingTicks(const TerminalFamily& family, std::size_t ticks) {
    const std::size_t start = family.Count(TerminalFamily::Role::ChartFrame, WM_GETTEXT);
    return WaitFor([&] { return family.Count(TerminalFamily::Role::ChartFrame, WM_GETTEXT) >= start + ticks; });
}

struct AttachedPanel {
    TerminalFamily family;
    PanelProcess panel;
    HWND window = nullptr;

    explicit AttachedPanel(const std::wstring& argument = {})
        : panel(argument.empty() ? family.ChartHandleText() : argument) {
        window = panel.WaitForMainWindow();
        REQUIRE(window, "the panel's main window titled \"Quorvex" + Utf8(panel.Argument()) + "\" appears");
        if (!WaitUntilOverChart(family, window)) {
            EXPECT_EQ(true, IsWindowVisible(window) != FALSE, "the panel's window is shown");
            REQUIRE_EQ(ExpectedOverlay(family), TerminalFamily::ScreenRect(window),
                       "the panel's window lies over the chart less 2 pixels each side");
        }
    }
};

}  // namespace wine_test
