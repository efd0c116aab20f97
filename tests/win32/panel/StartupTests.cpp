// Start-up of the panel as the terminal side sees it: the title, the slots, the tester's speed
// preset, the start-up failure, the "Dravonel" rule and the stand-alone mode.
#include "tests/win32/panel/AttachedPanel.h"
#include "tests/win32/panel/PanelCases.h"

namespace wine_test {

namespace {

const wchar_t kStartupFailure[] =
    L"Интерфейс программы Quorvex не может быть запущен вне торгового терминала!";

}  // namespace

void TitleCase() {
    // Every other case finds its panel by "Quorvex<handle>". Here the argument carries a
    // leading zero: the title keeps the text as received, and the handle in it is still read
    // as decimal, so the panel finds and covers the chart.
    TerminalFamily family;
    const std::wstring argument = L"0" + family.ChartHandleText();
    PanelProcess panel(argument);
    HWND window = panel.WaitForMainWindow();
    REQUIRE(window, "a top-level window titled \"Quorvex" + Utf8(argument) + "\" of the panel's process");
    EXPECT_EQ(L"Quorvex" + argument, WindowText(window), "the main window's title");
    EXPECT(WaitUntilOverChart(family, window), "the panel lies over the chart named by " + Utf8(argument));
}

void SlotsCase() {
    AttachedPanel attached;
    const PanelProcess& panel = attached.panel;
    for (int id : slot::kAll) {
        const std::string name = slot::Name(id);
        HWND edit = panel.Slot(id);
        EXPECT(edit, name + " is a child of the main window with control id " + std::to_string(id));
        if (!edit) continue;
        EXPECT_EQ(std::wstring(L"edit"), std::wstring(CharLowerW(ClassName(edit).data())), name + "'s window class");
        const bool multiLine = (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) != 0;
        EXPECT_EQ(id == slot::IN_ORDERS, multiLine, name + " has ES_MULTILINE");
        RECT overlap;
        const RECT slotRect = TerminalFamily::ScreenRect(edit);
        const RECT windowRect = TerminalFamily::ScreenRect(attached.window);
        EXPECT(!IntersectRect(&overlap, &slotRect, &windowRect), name + " lies out of sight of the overlay");
    }

    // The slots stand in their order among the main window's children (their tab order).
    std::vector<int> order;
    for (HWND child = GetWindow(attached.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id >= slot::IN_ORDERS && id <= slot::OUT_COMMAND) order.push_back(id);
    }
    EXPECT_EQ(std::vector<int>(std::begin(slot::kAll), std::end(slot::kAll)), order,
              "control ids of the slots in the main window's child order");

    struct Initial {
        int id;
        const wchar_t* text;
    };
    for (const Initial& initial : {Initial{slot::IN_ORDERS, L""}, Initial{slot::IN_READ_COMMAND, L""},
                                   Initial{slot::IN_ASK_BID, L""}, Initial{slot::IN_ORDER_PROPERTY, L""},
                                   Initial{slot::OUT_SELECTED_ORDER, L"-1"}, Initial{slot::OUT_COMMAND, L"_"}})
        EXPECT_EQ(std::wstring(initial.text), panel.ReadSlot(initial.id),
                  std::string(slot::Name(initial.id)) + " after start-up");
}

void TesterSpeedCase(bool otherCodePage) {
    const UINT codePage = GetACP();
    Log("ANSI code page " + std::to_string(codePage));
    if (otherCodePage) REQUIRE(codePage != 1251, "this case runs under an ANSI code page other than 1251");

    // The keys reach the slider only when the panel found the tester's "Стоп" among the
    // terminal's windows and stepped four windows back from it.
    using Role = TerminalFamily::Role;
    AttachedPanel attached;
    std::vector<TerminalFamily::Message> preset{{Role::SpeedSlider, WM_KEYDOWN, VK_END, 0},
                                                {Role::SpeedSlider, WM_KEYUP, VK_END, 0}};
    for (int i = 0; i < 6; ++i) {
        preset.push_back({Role::SpeedSlider, WM_KEYDOWN, VK_UP, 0});
        preset.push_back({Role::SpeedSlider, WM_KEYUP, VK_UP, 0});
    }
    auto presetRun = [&] {
        const std::vector<TerminalFamily::Message> keys = attached.family.Keys(Role::SpeedSlider);
        for (std::size_t start = 0; start + preset.size() <= keys.size(); ++start)
            if (std::equal(preset.begin(), preset.end(), keys.begin() + static_cast<std::ptrdiff_t>(start)))
                return true;
        return false;
    };
    if (!WaitFor(presetRun))
        EXPECT_EQ(preset, attached.family.Keys(Role::SpeedSlider),
                  "keys posted to the tester's speed slider at start-up (End, then six times Up)");
    // Start-up reads the tester's state but clicks nothing.
    EXPECT_EQ(0u, attached.family.Count(Role::PauseButton, BM_CLICK), "clicks on the tester's pause button");
    EXPECT_EQ(0u, attached.family.Count(Role::StopButton, BM_CLICK), "clicks on the tester's Stop button");
}

void NoArgumentCase() {
    struct Start {
        const char* what;
        bool withArgument;
        const wchar_t* argument;
    };
    for (const Start& start : {Start{"no argument", false, L""}, Start{"argument \"12x\"", true, L"12x"}}) {
        Log(start.what);
        PanelProcess panel = start.withArgument ? PanelProcess(start.argument) : PanelProcess::WithoutArgument();
        HWND box = panel.WaitForMessageBox();
        EXPECT(box, std::string(start.what) + ": a message box appears before the program ends");
        if (!box) continue;
        EXPECT_EQ(std::wstring(kStartupFailure), MessageBoxText(box), std::string(start.what) + ": the message");
        // A shown window of no size (the application's own, say) is nothing the user sees.
        std::vector<std::string> shown;
        for (const TopLevelWindow& w : panel.TopLevelWindows()) {
            const RECT r = TerminalFamily::ScreenRect(w.window);
            if (w.visible && w.window != box && r.right > r.left && r.bottom > r.top)
                shown.push_back(Utf8(w.windowClass) + " " + Show(w.title) + " " + Show(r));
        }
        EXPECT_EQ(std::vector<std::string>{}, shown,
                  std::string(start.what) + ": shown top-level windows of the panel besides the message box");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT(panel.WaitForExit(), std::string(start.what) + ": the program ends once the message is closed");
    }
}

void DravonelCase() {
    // The rule compares the whole title text: the same handle written with a leading zero is
    // another panel's chart as far as the rule goes.
    struct Row {
        const char* what;
        std::wstring (*title)(const TerminalFamily&);
        bool ends;
    };
    const Row rows[] = {
        {"\"Dravonel<handle>\"", [](const TerminalFamily& f) { return L"Dravonel" + f.ChartHandleText(); }, true},
        {"\"Dravonel0<handle>\"", [](const TerminalFamily& f) { return L"Dravonel0" + f.ChartHandleText(); }, false},
    };
    for (const Row& row : rows) {
        Log(std::string("top-level window ") + row.what);
        TerminalFamily family;
        HWND other = CreateWindowExW(0, L"STATIC", row.title(family).c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        REQUIRE(other, "the other panel's window is created");
        PanelProcess panel(family.ChartHandleText());
        if (row.ends) {
            EXPECT(panel.WaitForExitAfterStart(), std::string(row.what) + ": the panel ends right after start-up");
        } else {
            EXPECT(panel.WaitForMainWindow(), std::string(row.what) + ": the panel's main window appears");
            EXPECT(WaitForChartFollowingTicks(family, 3), std::string(row.what) + ": the panel follows the chart");
            EXPECT(panel.Running(), std::string(row.what) + ": the panel keeps running");
        }
        DestroyWindow(other);
    }
}

void StandAloneCase() {
    // With "100" there is no terminal: the window keeps its design place and the slots show.
    PanelProcess panel(L"100");
    HWND window = panel.WaitForMainWindow();
    REQUIRE(window, "the main window titled \"Quorvex100\" appears");
    REQUIRE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }), "the main window is shown");
    EXPECT_EQ((RECT{657, 185, 657 + 841, 185 + 648}), TerminalFamily::ScreenRect(window),
              "the main window's design place");
    const RECT windowRect = TerminalFamily::ScreenRect(window);
    for (int id : slot::kAll) {
        HWND edit = panel.Slot(id);
        const RECT r = TerminalFamily::ScreenRect(edit);
        RECT inside;
        EXPECT(edit && IsWindowVisible(edit) && IntersectRect(&inside, &r, &windowRect) && inside == r,
               std::string(slot::Name(id)) + " is shown inside the main window");
    }
    EXPECT(panel.Running(), "the panel keeps running without a terminal");
}

}  // namespace wine_test
