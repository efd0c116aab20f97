#include "tests/win32/support/TerminalFamily.h"

#include <commctrl.h>

#include <cstdio>
#include <stdexcept>

#include "tests/win32/support/Check.h"
#include "tests/win32/support/Wait.h"

namespace wine_test {

namespace {

const wchar_t kTerminalClass[] = L"QuorvexTestTerminal";
const wchar_t kPartClass[] = L"QuorvexTestTerminalPart";
constexpr UINT_PTR kSubclassId = 0x51u;

LRESULT CALLBACK PartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW terminal{};
    terminal.lpfnWndProc = PartProc;
    terminal.hInstance = GetModuleHandleW(nullptr);
    terminal.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    terminal.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    terminal.lpszClassName = kTerminalClass;
    WNDCLASSW part = terminal;
    part.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    part.lpszClassName = kPartClass;
    if (!RegisterClassW(&terminal) || !RegisterClassW(&part))
        throw std::runtime_error("the terminal family's window classes cannot be registered");
    registered = true;
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, const RECT& r) {
    HWND window = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) throw std::runtime_error("a window of the terminal family cannot be created");
    return window;
}

HWND Previous(HWND window, int steps) {
    for (int i = 0; i < steps && window; ++i) window = GetWindow(window, GW_HWNDPREV);
    return window;
}

}  // namespace

TerminalFamily::TerminalFamily() : TerminalFamily(Layout{}) {}

TerminalFamily::TerminalFamily(const Layout& layout) {
    RegisterClasses();
    terminal_ = CreateWindowExW(0, kTerminalClass, L"Terminal", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                layout.terminalOrigin.x, layout.terminalOrigin.y, layout.terminalSize.cx,
                                layout.terminalSize.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!terminal_) throw std::runtime_error("the terminal main window cannot be created");

    chartArea_ = Child(terminal_, kPartClass, L"", WS_CLIPCHILDREN, layout.chartArea);
    otherFrame_ = Child(chartArea_, kPartClass, L"GBPUSD,H4", WS_CLIPCHILDREN | WS_BORDER, layout.otherFrame);
    otherChart_ = Child(otherFrame_, kPartClass, L"", 0, layout.chart);
    chartFrame_ = Child(chartArea_, kPartClass, L"EURUSD,H1", WS_CLIPCHILDREN | WS_BORDER, layout.chartFrame);
    chart_ = Child(chartFrame_, kPartClass, L"", 0, layout.chart);
    BringToTop(chartFrame_);

    testerStrip_ = Child(terminal_, kPartClass, L"", WS_CLIPCHILDREN, layout.testerStrip);
    slider_ = Child(testerStrip_, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTH | TBS_NOTICKS, {10, 20, 170, 50});
    SendMessageW(slider_, TBM_SETRANGE, TRUE, MAKELPARAM(0, 32));
    pauseButton_ = Child(testerStrip_, L"BUTTON", L"| |", BS_PUSHBUTTON, {180, 20, 220, 50});
    expertButton_ = Child(testerStrip_, L"BUTTON", L"Свойства эксперта", BS_PUSHBUTTON, {760, 20, 900, 50});
    chartButton_ = Child(testerStrip_, L"BUTTON", L"Открыть график", BS_PUSHBUTTON, {910, 20, 1050, 50});
    stopButton_ = Child(testerStrip_, L"BUTTON", L"Стоп", BS_PUSHBUTTON, {1060, 20, 1180, 50});
    // The stacking order is what the panel walks; set it explicitly, top to bottom.
    for (HWND w : {slider_, pauseButton_, expertButton_, chartButton_, stopButton_})
        SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Subclass(pauseButton_, Role::PauseButton);
    Subclass(stopButton_, Role::StopButton);
    Subclass(slider_, Role::SpeedSlider);
    Subclass(chartFrame_, Role::ChartFrame);
    Subclass(otherFrame_, Role::OtherFrame);

    ShowWindow(terminal_, SW_SHOWNOACTIVATE);
    SetForegroundWindow(terminal_);
    PumpMessages();
    CheckLayout();
}

TerminalFamily::~TerminalFamily() {
    for (HWND window : subclassed_) RemoveWindowSubclass(window, LoggingProc, kSubclassId);
    if (terminal_) DestroyWindow(terminal_);
    PumpMessages();
}

void TerminalFamily::CheckLayout() const {
    // A family that the panel would read wrongly makes every later failure misleading.
    if (GetWindow(chartArea_, GW_CHILD) != chartFrame_ || GetWindow(chartFrame_, GW_HWNDNEXT) != otherFrame_)
        throw std::runtime_error("terminal family: the chart frame is not on top of the other frame");
    if (Previous(stopButton_, 3) != pauseButton_ || Previous(stopButton_, 4) != slider_)
        throw std::runtime_error("terminal family: the tester strip is not in its stacking order");
    if (GetParent(GetParent(GetParent(chart_))) != terminal_)
        throw std::runtime_error("terminal family: the chart is not three parents below the terminal");
}

std::wstring TerminalFamily::ChartHandleText() const {
    return std::to_wstring(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(chart_)));
}

void TerminalFamily::Subclass(HWND window, Role role) {
    // The role travels in the subclass's reference data next to the family: one procedure
    // serves every logged window.
    bindings_.push_back(std::make_unique<Binding>(Binding{this, role}));
    if (!SetWindowSubclass(window, LoggingProc, kSubclassId, reinterpret_cast<DWORD_PTR>(bindings_.back().get())))
        throw std::runtime_error("terminal family: a window cannot be subclassed");
    subclassed_.push_back(window);
}

LRESULT CALLBACK TerminalFamily::LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    const auto* binding = reinterpret_cast<const Binding*>(data);
    switch (message) {
    case BM_CLICK:
        binding->family->Log(binding->role, message, wParam, lParam);
        if (binding->role == Role::PauseButton) {
            // The tester's pause button shows what a click will do next.
            const std::wstring text = Text(window);
            SetWindowTextW(window, text.find(L"| |") != std::wstring::npos ? L">>" : L"| |");
        }
        // The click itself is not passed on: a simulated press would take the focus and the
        // capture inside the test process, which the panel never sees anyway.
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_GETTEXT:
        binding->family->Log(binding->role, message, wParam, lParam);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void TerminalFamily::Log(Role role, UINT message, WPARAM wParam, LPARAM lParam) {
    // A WM_GETTEXT's lParam is a buffer address of no meaning afterwards.
    if (message == WM_GETTEXT) lParam = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back({role, message, wParam, lParam});
}

std::vector<TerminalFamily::Message> TerminalFamily::Messages() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

std::vector<TerminalFamily::Message> TerminalFamily::Messages(Role role) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Message> result;
    for (const Message& m : log_)
        if (m.role == role) result.push_back(m);
    return result;
}

std::vector<TerminalFamily::Message> TerminalFamily::Keys(Role role) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Message> result;
    for (const Message& m : log_)
        if (m.role == role && (m.message == WM_KEYDOWN || m.message == WM_KEYUP)) result.push_back(m);
    return result;
}

std::size_t TerminalFamily::Count(Role role, UINT message) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::size_t count = 0;
    for (const Message& m : log_)
        if (m.role == role && m.message == message) ++count;
    return count;
}

void TerminalFamily::ClearMessages() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

void TerminalFamily::BringToTop(HWND frame) {
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT TerminalFamily::ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void TerminalFamily::Place(HWND window, const RECT& r) {
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TerminalFamily::Text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string Show(TerminalFamily::Role role) {
    switch (role) {
    case TerminalFamily::Role::PauseButton: return "pause button";
    case TerminalFamily::Role::StopButton: return "Stop button";
    case TerminalFamily::Role::SpeedSlider: return "speed slider";
    case TerminalFamily::Role::ChartFrame: return "chart frame";
    case TerminalFamily::Role::OtherFrame: return "other frame";
    }
    return "?";
}

std::string Show(const TerminalFamily::Message& m) {
    const char* name = m.message == BM_CLICK     ? "BM_CLICK"
                       : m.message == WM_KEYDOWN ? "WM_KEYDOWN"
                       : m.message == WM_KEYUP   ? "WM_KEYUP"
                       : m.message == WM_GETTEXT ? "WM_GETTEXT"
                                                 : "message";
    char text[96];
    std::snprintf(text, sizeof text, "%s(0x%04x, 0x%lx, 0x%lx)", name, m.message,
                  static_cast<unsigned long>(m.wParam), static_cast<unsigned long>(m.lParam));
    return Show(m.role) + " " + text;
}

}  // namespace wine_test
