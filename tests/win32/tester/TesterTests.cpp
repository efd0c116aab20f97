// The panel working the tester's controls and exchanging the virtual pause, observed from
// outside as the terminal would see it: this program owns the terminal-like windows (whose
// tester controls log what reaches them) and plays the terminal side in the registry.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win32/support/QuorvexWineSupport.h"
#include "tests/win32/tester/PanelReach.h"
#include "tests/win32/tester/UserRegistry.h"

using namespace wine_test;
using namespace tester_test;

namespace {

using Role = TerminalFamily::Role;
using Message = TerminalFamily::Message;

const std::wstring kCommandsKey = L"SOFTWARE\\Quorvex_commands";
const std::wstring kNeedVirtualPause = L"NeedVirtualPauseByNewBar";
const std::wstring kVirtualPaused = L"VirtualPaused";
const std::wstring kPauseHint = L"Приостановить тестирование";
const std::wstring kContinueHint = L"Продолжить тестирование";
const std::wstring kContinueCaption = L"Продолжить >>";
const std::wstring kVirtualPauseCaption = L"виртуальная пауза вначале нового бара";

// The settings key of the panel under test: "SOFTWARE\Quorvex" and the program's folder with
// every "\" made "_". Written out here rather than taken from the panel, so that a panel
// reading another key shows as a failure.
std::wstring SettingsKey() {
    const std::wstring program = PanelProcess::Executable();
    std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    for (wchar_t& c : folder)
        if (c == L'\\') c = L'_';
    return L"SOFTWARE\\Quorvex" + folder;
}

// Key presses as the tester's slider receives them: down then up, lParam 0.
std::vector<Message> Presses(UINT key, int times) {
    std::vector<Message> result;
    for (int i = 0; i < times; ++i) {
        result.push_back({Role::SpeedSlider, WM_KEYDOWN, key, 0});
        result.push_back({Role::SpeedSlider, WM_KEYUP, key, 0});
    }
    return result;
}
std::vector<Message> Then(std::vector<Message> first, const std::vector<Message>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Two more reads of the chart frame's title: the chart-following timer has ticked twice, so
// anything the panel had queued before now has arrived.
void SettleTwoTicks(const TerminalFamily& family) {
    const std::size_t reads = family.Count(Role::ChartFrame, WM_GETTEXT);
    REQUIRE(WaitFor([&] { return family.Count(Role::ChartFrame, WM_GETTEXT) >= reads + 2; }),
            "the panel's chart-following tick");
}

// A whole tick of the virtual-pause timer has run since this call: the panel rewrote
// "NeedVirtualPauseByNewBar" after it had been spoiled here, twice.
void WaitForTwoVirtualPauseTicks(DWORD published) {
    for (int i = 0; i < 2; ++i) {
        REQUIRE(WriteDword(kCommandsKey, kNeedVirtualPause, 0x5EED), "spoiling NeedVirtualPauseByNewBar");
        REQUIRE(WaitFor([&] { return IsDword(ReadValue(kCommandsKey, kNeedVirtualPause), published); }),
                "the panel's virtual-pause tick");
    }
}

// A panel over the family's chart, started with whatever settings the case left, and through
// its start-up: main window titled, first virtual-pause tick done.
HWND StartUp(PanelProcess& panel) {
    HWND main = panel.WaitForMainWindow();
    REQUIRE(main != nullptr, "the panel's main window \"Quorvex<handle>\"");
    REQUIRE(WaitFor([] { return IsDword(ReadValue(kCommandsKey, kNeedVirtualPause), 1); }),
            "NeedVirtualPauseByNewBar published as REG_DWORD 1");
    return main;
}

HWND Control(HWND main, const wchar_t* windowClass, const std::wstring& text) {
    HWND control = FindControl(main, windowClass, text);
    REQUIRE(control != nullptr, "the panel's control " + Show(text));
    return control;
}

// ---- Pause and stop.

void PauseAndStop() {
    REQUIRE(DeleteKeyTree(SettingsKey()), "no settings from an earlier run");
    TerminalFamily family;
    PanelProcess panel(family.ChartHandleText());
    HWND main = StartUp(panel);
    HWND button1 = Control(main, L"Button", L"| |");
    HWND button2 = Control(main, L"Button", L"стоп");
    EXPECT_EQ(kPauseHint, HintOf(panel, button1), "Button1's hint at start");
    family.ClearMessages();

    Log("Button1 pauses the running test");
    REQUIRE(SendClick(button1), "BM_CLICK to Button1");
    EXPECT_EQ(std::size_t{1}, family.Count(Role::PauseButton, BM_CLICK), "BM_CLICKs at the tester's pause button");
    EXPECT_EQ(std::wstring(L">>"), TerminalFamily::Text(family.PauseButton()), "the tester's pause button");
    EXPECT_EQ(std::wstring(L">>"), WindowText(button1), "Button1 after pausing");
    EXPECT_EQ(kContinueHint, HintOf(panel, button1), "Button1's hint after pausing");

    Log("Button1 continues the paused test");
    REQUIRE(SendClick(button1), "the second BM_CLICK to Button1");
    EXPECT_EQ(std::size_t{2}, family.Count(Role::PauseButton, BM_CLICK), "BM_CLICKs after continuing");
    EXPECT_EQ(std::wstring(L"| |"), WindowText(button1), "Button1 after continuing");
    EXPECT_EQ(kPauseHint, HintOf(panel, button1), "Button1's hint after continuing");
    for (const Message& m : family.Messages(Role::PauseButton))
        if (m.message == BM_CLICK) EXPECT(m.wParam == 0 && m.lParam == 0, "BM_CLICK with wParam 0 and lParam 0");

    Log("Button2 stops the test");
    EXPECT_EQ(std::size_t{0}, family.Count(Role::StopButton, BM_CLICK), "BM_CLICKs at the Stop button before");
    REQUIRE(SendClick(button2), "BM_CLICK to Button2");
    EXPECT_EQ(std::size_t{1}, family.Count(Role::StopButton, BM_CLICK), "BM_CLICKs at the tester's Stop button");
    EXPECT_EQ(std::size_t{2}, family.Count(Role::PauseButton, BM_CLICK), "BM_CLICKs at the pause button after stop");
    EXPECT_EQ(std::wstring(L"| |"), WindowText(button1), "Button1 after stopping");
}

// ---- Speed at start-up.

// What the screen shows on the four edges of the panel's slider, in the middle of each: the
// grey frame the panel draws over the slider's whole window after each paint.
std::vector<COLORREF> FrameEdges(HWND trackBar) {
    RECT r{};
    GetWindowRect(trackBar, &r);
    const int midX = (r.left + r.right) / 2;
    const int midY = (r.top + r.bottom) / 2;
    const POINT points[] = {{midX, r.top}, {midX, r.bottom - 1}, {r.left, midY}, {r.right - 1, midY}};
    std::vector<COLORREF> colours;
    HDC screen = GetDC(nullptr);
    if (!screen) return colours;
    for (const POINT& p : points) colours.push_back(GetPixel(screen, p.x, p.y));
    ReleaseDC(nullptr, screen);
    return colours;
}

struct StartUpCase {
    const char* name;
    void (*store)(const std::wstring& settingsKey);
    int position;  // TrackBar1's position after the settings
};

// The tester's slider at start-up: the settings' own change event when they move TrackBar1
// off its designed 26, then End and six Up, then Home and position − 1 Down from the first show.
void StartUpSpeed(const StartUpCase& c) {
    Log(std::string("stored TrackBarPos: ") + c.name);
    REQUIRE(DeleteKeyTree(SettingsKey()), "no settings from an earlier run");
    c.store(SettingsKey());
    TerminalFamily family;
    PanelProcess panel(family.ChartHandleText());
    HWND main = StartUp(panel);
    SettleTwoTicks(family);
    const std::string what = std::string(" (") + c.name + ")";

    HWND trackBar1 = FindControlOfClass(main, TRACKBAR_CLASSW);
    REQUIRE(trackBar1 != nullptr, "the panel's speed slider");
    EXPECT_EQ(LRESULT{c.position}, SendMessageW(trackBar1, TBM_GETPOS, 0, 0), "TrackBar1's position" + what);
    EXPECT_EQ(std::to_wstring(c.position), HintOf(panel, trackBar1), "TrackBar1's hint" + what);
    const std::vector<COLORREF> frame(4, RGB(192, 192, 192));
    EXPECT(WaitFor([&] { return FrameEdges(trackBar1) == frame; }),
           "the grey frame on TrackBar1's edges" + what + ", seen: " + Show(FrameEdges(trackBar1)));

    const std::vector<Message> fromFirstShow = Then(Presses(VK_HOME, 1), Presses(VK_DOWN, c.position - 1));
    std::vector<Message> expected = Then(Then(Presses(VK_END, 1), Presses(VK_UP, 6)), fromFirstShow);
    if (c.position != 26) expected = Then(fromFirstShow, expected);
    EXPECT_EQ(expected, family.Keys(Role::SpeedSlider), "keys at the tester's speed slider" + what);
    // A standard slider: Home to the minimum, each Down one line on.
    EXPECT_EQ(LRESULT{c.position - 1}, SendMessageW(family.SpeedSlider(), TBM_GETPOS, 0, 0),
              "the tester's slider after start-up" + what);
}

void StartUpSpeeds() {
    const StartUpCase cases[] = {
        {"missing", [](const std::wstring&) {}, 24},
        {"REG_DWORD 26", [](const std::wstring& k) { REQUIRE(WriteDword(k, L"TrackBarPos", 26), "TrackBarPos"); }, 26},
        {"REG_DWORD 40", [](const std::wstring& k) { REQUIRE(WriteDword(k, L"TrackBarPos", 40), "TrackBarPos"); }, 32},
        {"REG_SZ \"30\"", [](const std::wstring& k) { REQUIRE(WriteText(k, L"TrackBarPos", L"30"), "TrackBarPos"); },
         24},
    };
    for (const StartUpCase& c : cases) StartUpSpeed(c);
}

// ---- Virtual pause.

void VirtualPause() {
    // Left behind by a panel that did not end cleanly.
    REQUIRE(WriteDword(kCommandsKey, kVirtualPaused, 1), "a stale VirtualPaused");
    REQUIRE(WriteDword(kCommandsKey + L"\\Stale", L"x", 1), "a stale subkey");
    TerminalFamily family;
    PanelProcess panel(family.ChartHandleText());
    HWND main = StartUp(panel);
    HWND continueTesting = Control(main, L"Button", kContinueCaption);
    HWND check = Control(main, L"Button", kVirtualPauseCaption);

    Log("fresh start");
    EXPECT_EQ(std::string("no value"), Show(ReadValue(kCommandsKey, kVirtualPaused)),
              "VirtualPaused after the first tick");
    EXPECT(!KeyExists(kCommandsKey + L"\\Stale"), "the stale subkey is gone");
    EXPECT(!HasVisibleStyle(continueTesting), "\"Продолжить >>\" hidden from the first tick");

    Log("REG_DWORD 1 and 2 hold the test");
    for (DWORD held : {1u, 2u}) {
        REQUIRE(WriteDword(kCommandsKey, kVirtualPaused, held), "VirtualPaused written");
        EXPECT(WaitFor([&] { return HasVisibleStyle(continueTesting); }),
               "\"Продолжить >>\" shown for REG_DWORD " + std::to_string(held));
        // The click ends the hold: handled once the BM_CLICK returns, no waiting.
        REQUIRE(SendClick(continueTesting), "BM_CLICK to \"Продолжить >>\"");
        EXPECT_EQ(std::string("REG_DWORD 0"), Show(ReadValue(kCommandsKey, kVirtualPaused)),
                  "VirtualPaused right after the click");
        EXPECT(!HasVisibleStyle(continueTesting), "\"Продолжить >>\" hidden right after the click");
    }

    Log("the text \"1\" holds nothing");
    REQUIRE(WriteText(kCommandsKey, kVirtualPaused, L"1"), "VirtualPaused written as text");
    WaitForTwoVirtualPauseTicks(1);
    EXPECT(!HasVisibleStyle(continueTesting), "\"Продолжить >>\" hidden for the text \"1\"");
    EXPECT_EQ(std::string("REG_SZ \"1\""), Show(ReadValue(kCommandsKey, kVirtualPaused)),
              "VirtualPaused, which a checked panel leaves alone");

    Log("the key removed while the panel runs");
    REQUIRE(DeleteKeyTree(kCommandsKey), "the commands key removed");
    EXPECT(WaitFor([] { return IsDword(ReadValue(kCommandsKey, kNeedVirtualPause), 1); }),
           "the commands key created again");

    Log("unchecking during a hold");
    REQUIRE(WriteDword(kCommandsKey, kVirtualPaused, 1), "VirtualPaused written");
    REQUIRE(WaitFor([&] { return HasVisibleStyle(continueTesting); }), "\"Продолжить >>\" shown");
    REQUIRE(SendClick(check), "BM_CLICK to the check box");
    EXPECT_EQ(LRESULT{BST_UNCHECKED}, SendMessageW(check, BM_GETCHECK, 0, 0), "the check box after the click");
    EXPECT(WaitFor([] {
               return IsDword(ReadValue(kCommandsKey, kNeedVirtualPause), 0) &&
                      IsDword(ReadValue(kCommandsKey, kVirtualPaused), 0);
           }),
           "NeedVirtualPauseByNewBar and VirtualPaused both REG_DWORD 0");
    EXPECT(!HasVisibleStyle(continueTesting), "\"Продолжить >>\" hidden once unchecked");
    // A hold written while switched off is ended again on the next tick.
    REQUIRE(WriteDword(kCommandsKey, kVirtualPaused, 1), "VirtualPaused written again");
    EXPECT(WaitFor([] { return IsDword(ReadValue(kCommandsKey, kVirtualPaused), 0); }),
           "VirtualPaused cleared by the unchecked panel");
    EXPECT(!HasVisibleStyle(continueTesting), "\"Продолжить >>\" stays hidden");

    Log("closing the chart ends the panel, which takes the key with it");
    SetWindowTextW(family.ChartFrame(), L"");
    REQUIRE(panel.WaitForExit(), "the panel ends once its chart is closed");
    EXPECT(!KeyExists(kCommandsKey), "the commands key after the panel's end");
}

}  // namespace

int main(int argc, char** argv) {
    return RunTestCases(argc, argv,
                        {
                            {"pause_and_stop", PauseAndStop},
                            {"startup_speed", StartUpSpeeds},
                            {"virtual_pause", VirtualPause},
                        });
}
