#pragma once
// A terminal-like family of real windows in the test process, laid out as the panel expects
// to find the trading terminal:
//
//   terminal main window  (top-level, "Terminal")
//   ├─ chart area
//   │   ├─ chart frame     "EURUSD,H1"   ── chart window      (the panel's argument)
//   │   └─ other frame     "GBPUSD,H4"   ── other chart window (below the chart frame)
//   └─ tester strip
//       ├─ speed slider    msctls_trackbar32, 0..32        ┐ z-order from the top:
//       ├─ pause button    "| |" (">>" while paused)       │ the pause button lies three
//       ├─ "Свойства эксперта", "Открыть график"           │ and the slider four
//       └─ Stop button     "Стоп"                          ┘ GW_HWNDPREV steps before Stop
//
// The pause button, the Stop button, the slider and both frames are subclassed: every BM_CLICK,
// WM_KEYDOWN, WM_KEYUP and WM_GETTEXT they receive is logged in order with its wParam and
// lParam. The pause button flips its text on BM_CLICK as the tester does; the slider then
// hands the keys to the standard trackbar, so its position moves as the tester's would.
//
// All windows belong to the thread that made the family; that thread must keep dispatching
// messages (WaitFor in Wait.h does) or the panel blocks in its WM_GETTEXT and BM_CLICK.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace wine_test {

class TerminalFamily {
public:
    enum class Role { PauseButton, StopButton, SpeedSlider, ChartFrame, OtherFrame };

    struct Message {
        Role role;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Message&) const = default;
    };

    // Screen places of the family; the defaults fit the rig's 1600 x 1000 display.
    struct Layout {
        POINT terminalOrigin{40, 30};
        SIZE terminalSize{1240, 880};
        RECT chartArea{0, 0, 1200, 640};      // in the terminal's client area
        RECT chartFrame{10, 10, 910, 590};    // in the chart area
        RECT otherFrame{60, 40, 960, 620};    // in the chart area
        RECT chart{4, 4, 884, 564};           // in its frame's client area
        RECT testerStrip{0, 650, 1200, 720};  // in the terminal's client area
    };

    TerminalFamily();
    explicit TerminalFamily(const Layout& layout);
    ~TerminalFamily();
    TerminalFamily(const TerminalFamily&) = delete;
    TerminalFamily& operator=(const TerminalFamily&) = delete;

    HWND Terminal() const { return terminal_; }
    HWND ChartArea() const { return chartArea_; }
    HWND ChartFrame() const { return chartFrame_; }
    HWND Chart() const { return chart_; }
    HWND OtherFrame() const { return otherFrame_; }
    HWND OtherChart() const { return otherChart_; }
    HWND TesterStrip() const { return testerStrip_; }
    HWND SpeedSlider() const { return slider_; }
    HWND PauseButton() const { return pauseButton_; }
    HWND StopButton() const { return stopButton_; }

    // The chart window's handle in decimal: the panel's command-line argument.
    std::wstring ChartHandleText() const;

    // The log of the subclassed windows, oldest first.
    std::vector<Message> Messages() const;
    std::vector<Message> Messages(Role role) const;
    // Only WM_KEYDOWN and WM_KEYUP, of one window.
    std::vector<Message> Keys(Role role) const;
    std::size_t Count(Role role, UINT message) const;
    void ClearMessages();

    // Puts a frame on top of its siblings (the other frame then covers the chart frame).
    void BringToTop(HWND frame);
    // Window rectangle in screen coordinates.
    static RECT ScreenRect(HWND window);
    // Moves and sizes a child window in its parent's client coordinates.
    static void Place(HWND window, const RECT& rect);
    // The window text, read in this process.
    static std::wstring Text(HWND window);

private:
    struct Binding {
        TerminalFamily* family;
        Role role;
    };
    static LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR family);
    void Log(Role role, UINT message, WPARAM wParam, LPARAM lParam);
    void Subclass(HWND window, Role role);
    void CheckLayout() const;

    HWND terminal_ = nullptr;
    HWND chartArea_ = nullptr;
    HWND chartFrame_ = nullptr;
    HWND chart_ = nullptr;
    HWND otherFrame_ = nullptr;
    HWND otherChart_ = nullptr;
    HWND testerStrip_ = nullptr;
    HWND slider_ = nullptr;
    HWND pauseButton_ = nullptr;
    HWND expertButton_ = nullptr;
    HWND chartButton_ = nullptr;
    HWND stopButton_ = nullptr;
    std::vector<HWND> subclassed_;
    std::vector<std::unique_ptr<Binding>> bindings_;

    mutable std::mutex mutex_;
    std::vector<Message> log_;
};

std::string Show(TerminalFamily::Role role);
std::string Show(const TerminalFamily::Message& message);

}  // namespace wine_test
