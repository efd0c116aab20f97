// The overlay over the chart: following the chart, hiding while it cannot be seen, ending with
// it, and the window's region and styles.
#include "tests/win32/panel/AttachedPanel.h"
#include "tests/win32/panel/PanelCases.h"

namespace wine_test {

void FollowsChartCase() {
    AttachedPanel attached;
    const TerminalFamily& family = attached.family;
    struct Step {
        const char* what;
        HWND (TerminalFamily::*window)() const;
        RECT place;  // in the parent's client coordinates
    };
    const Step steps[] = {
        {"chart moved inside its frame", &TerminalFamily::Chart, {40, 30, 40 + 840, 30 + 540}},
        {"chart made smaller", &TerminalFamily::Chart, {40, 30, 40 + 600, 30 + 380}},
        {"frame moved in the chart area", &TerminalFamily::ChartFrame, {150, 50, 150 + 900, 50 + 580}},
        {"chart reaching beyond the chart area's right and bottom edges", &TerminalFamily::Chart,
         {4, 4, 4 + 1400, 4 + 1000}},
    };
    for (const Step& step : steps) {
        TerminalFamily::Place((family.*step.window)(), step.place);
        if (!WaitFor([&] { return TerminalFamily::ScreenRect(attached.window) == ExpectedOverlay(family); }))
            EXPECT_EQ(ExpectedOverlay(family), TerminalFamily::ScreenRect(attached.window),
                      std::string(step.what) + ": the panel's window rectangle");
        EXPECT(IsWindowVisible(attached.window), std::string(step.what) + ": the panel stays shown");
    }
}

void HiddenCase() {
    AttachedPanel attached;
    TerminalFamily& family = attached.family;
    const PanelProcess& panel = attached.panel;
    struct Row {
        const char* what;
        void (*hide)(TerminalFamily&);
        void (*show)(TerminalFamily&);
    };
    const Row rows[] = {
        {"another chart's frame on top", [](TerminalFamily& f) { f.BringToTop(f.OtherFrame()); },
         [](TerminalFamily& f) { f.BringToTop(f.ChartFrame()); }},
        {"the terminal minimised", [](TerminalFamily& f) { ShowWindow(f.Terminal(), SW_SHOWMINNOACTIVE); },
         [](TerminalFamily& f) { ShowWindow(f.Terminal(), SW_SHOWNOACTIVATE); }},
    };
    for (const Row& row : rows) {
        const std::string what = row.what;
        row.hide(family);
        if (!WaitFor([&] { return !IsWindowVisible(attached.window); })) {
            EXPECT(false, what + ": the panel's window is hidden");
            row.show(family);
            continue;
        }
        // An acknowledgement waits while polling is stopped.
        const std::wstring command = L"CLOSE_ALL;;;;";
        REQUIRE(panel.WriteSlot(slot::OUT_COMMAND, command), "OUT_COMMAND takes a command");
        REQUIRE(panel.WriteSlot(slot::IN_READ_COMMAND, L"READ_OK"), "IN_READ_COMMAND takes \"READ_OK\"");
        EXPECT(WaitForChartFollowingTicks(family, 3), what + ": the panel keeps reading the chart frame's title");
        EXPECT_EQ(std::wstring(L"READ_OK"), panel.ReadSlot(slot::IN_READ_COMMAND),
                  what + ": IN_READ_COMMAND while hidden");
        EXPECT_EQ(command, panel.ReadSlot(slot::OUT_COMMAND), what + ": OUT_COMMAND while hidden");
        EXPECT(!IsWindowVisible(attached.window), what + ": the panel stays hidden");

        row.show(family);
        EXPECT(WaitUntilOverChart(family, attached.window), what + " no more: the panel is back over the chart");
        EXPECT(WaitFor([&] {
                   return panel.ReadSlot(slot::IN_READ_COMMAND).empty() && panel.ReadSlot(slot::OUT_COMMAND).empty();
               }),
               what + " no more: polling takes the waiting acknowledgement");
    }
}

void ChartClosedCase() {
    {
        Log("the chart frame's title emptied");
        AttachedPanel attached;
        SetWindowTextW(attached.family.ChartFrame(), L"");
        EXPECT(attached.panel.WaitForExit(), "the panel ends when the chart frame's title is empty");
    }
    {
        Log("an argument that names no window");
        HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        const std::wstring handle = std::to_wstring(reinterpret_cast<std::uintptr_t>(gone));
        DestroyWindow(gone);
        PanelProcess panel(handle);
        bool message = false;
        EXPECT(WaitFor(
                   [&] {
                       message = message || panel.FindMessageBox();
                       return !panel.Running();
                   },
                   kStartTimeoutMs),
               "the panel ends at its first chart-following tick");
        EXPECT(!message, "no message box for a number that names no window");
    }
}

void RegionCase() {
    AttachedPanel attached;
    HWND window = attached.window;

    // The main panel is the one shown child of the main window besides the channel slots.
    std::vector<HWND> panels;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (IsWindowVisible(child) && (id < slot::IN_ORDERS || id > slot::OUT_COMMAND)) panels.push_back(child);
    }
    REQUIRE_EQ(std::size_t{1}, panels.size(), "shown children of the main window besides the slots");
    const RECT windowRect = TerminalFamily::ScreenRect(window);
    RECT main = TerminalFamily::ScreenRect(panels.front());
    OffsetRect(&main, -windowRect.left, -windowRect.top);
    EXPECT_EQ(313L, main.right - main.left, "the main panel's width");
    EXPECT_EQ(329L, main.bottom - main.top, "the main panel's height");

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(window, region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(SIMPLEREGION, type, "the window region is a single rectangle (1 = none, 2 = simple, 3 = complex)");
    EXPECT_EQ(main, box, "the window region's bounds, in window coordinates: the main panel");

    // The overlay itself: borderless, no task-bar button, its own colour see-through.
    EXPECT_EQ(0L, GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), "caption and frame styles");
    EXPECT((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, "the main window is a tool window");
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT(GetLayeredWindowAttributes(window, &key, &alpha, &flags) && (flags & LWA_COLORKEY),
           "the main window has a transparent colour key");
    if (flags & LWA_COLORKEY) EXPECT_EQ(RGB(74, 66, 55), key, "the transparent colour key");
}

}  // namespace wine_test
