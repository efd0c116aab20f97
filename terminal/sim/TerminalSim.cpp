// TerminalSim.exe: a stand-in for the trading terminal while its strategy tester runs a test in
// visual mode. It draws the terminal's window family (main window, chart area, two chart
// frames with their charts, the tester strip with its speed slider, pause and Stop buttons),
// starts Quorvex.exe over its chart and plays the terminal side: it writes orders, quotes and
// order properties into the panel's slots and carries out and acknowledges its commands.
//
//   TerminalSim.exe [--panel <Quorvex.exe>] [--no-panel] [--exit-after <seconds>]
//                   [--ready-file <path>]
//
// --panel       the panel program to start (default: Quorvex.exe next to TerminalSim.exe)
// --no-panel    start no panel (one started by hand can attach: see the chart handle in the
//               status line)
// --exit-after  close the panel and end after so many seconds
// --ready-file  written (with the panel window's handle) once the panel shows over the chart
//               with its orders mirrored, so that a script can take a screenshot
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "terminal/sim/Chart.h"
#include "terminal/sim/OrderBook.h"

namespace {

constexpr int IN_ORDERS = 1001;
constexpr int IN_READ_COMMAND = 1002;
constexpr int IN_ASK_BID = 1003;
constexpr int IN_ORDER_PROPERTY = 1004;
constexpr int OUT_SELECTED_ORDER = 1005;
constexpr int OUT_COMMAND = 1006;

constexpr UINT_PTR kPriceTimer = 1;   // the tester's ticks
constexpr UINT_PTR kLinkTimer = 2;    // the terminal side's work with the panel's slots
constexpr UINT_PTR kExitTimer = 3;    // --exit-after
constexpr UINT_PTR kClosingTimer = 4;  // waiting for the panel to end
constexpr UINT kPriceTimerMs = 50;
constexpr UINT kLinkTimerMs = 200;
constexpr int kSliderMax = 32;
constexpr int kStripHeight = 176;
constexpr int kReadySettleTicks = 5;     // link ticks between "the panel is there" and the ready file
constexpr ULONGLONG kPanelCloseMs = 5000;

const wchar_t kTerminalClass[] = L"QuorvexSimTerminal";
const wchar_t kAreaClass[] = L"QuorvexSimChartArea";
const wchar_t kFrameClass[] = L"QuorvexSimChartFrame";
const wchar_t kChartClass[] = L"QuorvexSimChart";
const wchar_t kStripClass[] = L"QuorvexSimTester";

struct Options {
    std::wstring panel;
    bool startPanel = true;
    double exitAfterSeconds = 0;
    std::wstring readyFile;
};

// Wine hands a Windows program Unix paths as typed in the shell; the file API wants drive paths.
std::wstring DosPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    using DosFileName = WCHAR*(CDECL*)(LPCSTR);
    auto convert = reinterpret_cast<DosFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (convert) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8.data(), size, nullptr, nullptr);
        if (WCHAR* dos = convert(utf8.c_str())) {
            std::wstring result(dos);
            HeapFree(GetProcessHeap(), 0, dos);
            return result;
        }
    }
    std::wstring result = L"Z:" + path;
    for (wchar_t& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

Options ParseOptions() {
    Options options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; args && i < count; ++i) {
        const std::wstring arg = args[i];
        const bool hasValue = i + 1 < count;
        if (arg == L"--panel" && hasValue)
            options.panel = DosPath(args[++i]);
        else if (arg == L"--no-panel")
            options.startPanel = false;
        else if (arg == L"--exit-after" && hasValue)
            options.exitAfterSeconds = std::wcstod(args[++i], nullptr);
        else if (arg == L"--ready-file" && hasValue)
            options.readyFile = DosPath(args[++i]);
    }
    if (args) LocalFree(args);
    if (options.panel.empty()) options.panel = OwnFolder() + L"Quorvex.exe";
    return options;
}

std::wstring WindowText(HWND window) {
    if (!window) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             2000, &copied))
        return {};
    text.resize(copied < text.size() ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 2000, &result);
}

class Simulator {
public:
    explicit Simulator(Options options) : options_(std::move(options)) {}
    bool Create();
    void StartPanel();

private:
    static LRESULT CALLBACK TerminalProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK AreaProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ChartProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK StripProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static Simulator* Of(HWND window) {
        // Every window of the family keeps the simulator in its user data, the top one too.
        return reinterpret_cast<Simulator*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

    HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                   int id = 0);
    void LayOut();
    void LayOutStrip();
    void OnPriceTimer();
    void OnLinkTimer();
    void OnPauseClick();
    void OnStopClick();
    void BeginClose();
    void OnClosingTimer();
    void Status(const std::wstring& text);
    bool PanelRunning() const;
    HWND PanelWindow() const;

    Options options_;
    HWND terminal_ = nullptr, area_ = nullptr, otherFrame_ = nullptr, otherChart_ = nullptr, frame_ = nullptr,
         chart_ = nullptr, strip_ = nullptr;
    HWND slider_ = nullptr, pause_ = nullptr, expert_ = nullptr, openChart_ = nullptr, stop_ = nullptr;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
    sim::CandleSeries series_;
    sim::OrderBook book_;
    PROCESS_INFORMATION panel_{};
    bool paused_ = false;
    bool stopped_ = false;
    int speedCredit_ = 0;
    int readyTicks_ = -1;
    bool readyWritten_ = false;
    bool closing_ = false;
    ULONGLONG closeDeadline_ = 0;
    std::wstring lastCommand_;
};

HWND Simulator::MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                          int h, int id) {
    HWND window = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    if (window && font_) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return window;
}

bool Simulator::Create() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    struct ClassSpec {
        const wchar_t* name;
        WNDPROC proc;
        HBRUSH brush;
    };
    for (const ClassSpec& spec : {ClassSpec{kTerminalClass, TerminalProc, GetSysColorBrush(COLOR_BTNFACE)},
                                  ClassSpec{kAreaClass, AreaProc, GetSysColorBrush(COLOR_APPWORKSPACE)},
                                  ClassSpec{kFrameClass, FrameProc, GetSysColorBrush(COLOR_BTNFACE)},
                                  ClassSpec{kChartClass, ChartProc, nullptr},
                                  ClassSpec{kStripClass, StripProc, GetSysColorBrush(COLOR_BTNFACE)}}) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = spec.proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = spec.brush;
        wc.lpszClassName = spec.name;
        if (!RegisterClassW(&wc)) return false;
    }
    font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    terminal_ = CreateWindowExW(0, kTerminalClass, L"123456: Quorvex-Demo - Тестер стратегий - [EURUSD,H1]",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, screenWidth, screenHeight, nullptr,
                                nullptr, instance, this);
    if (!terminal_) return false;

    area_ = MakeChild(terminal_, kAreaClass, L"", WS_CLIPCHILDREN, 0, 0, 100, 100);
    // Two charts in the cascade of the chart area; the tested one on top.
    otherFrame_ = MakeChild(area_, kFrameClass, L"GBPUSD,H4",
                            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN,
                            0, 0, 100, 100);
    otherChart_ = MakeChild(otherFrame_, kChartClass, L"", 0, 0, 0, 100, 100);
    frame_ = MakeChild(area_, kFrameClass, L"EURUSD,H1",
                       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN, 0,
                       0, 100, 100);
    chart_ = MakeChild(frame_, kChartClass, L"", 0, 0, 0, 100, 100);
    SetWindowPos(frame_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    strip_ = MakeChild(terminal_, kStripClass, L"", WS_CLIPCHILDREN, 0, 0, 100, kStripHeight);
    MakeChild(strip_, L"STATIC", L"Эксперт:", 0, 10, 14, 70, 16);
    MakeChild(strip_, L"STATIC", L"QuorvexExpert.ex4", SS_SUNKEN, 90, 12, 420, 20);
    MakeChild(strip_, L"STATIC", L"Символ:", 0, 10, 42, 70, 16);
    MakeChild(strip_, L"STATIC", L"EURUSD, Euro vs US Dollar", SS_SUNKEN, 90, 40, 300, 20);
    MakeChild(strip_, L"STATIC", L"Модель:", 0, 10, 70, 70, 16);
    MakeChild(strip_, L"STATIC", L"Все тики (наиболее точный метод на основе всех наименьших доступных таймфреймов)",
              SS_SUNKEN, 90, 68, 560, 20);
    HWND visual = MakeChild(strip_, L"BUTTON", L"Визуализация", BS_AUTOCHECKBOX, 10, 100, 110, 20);
    SendMessageW(visual, BM_SETCHECK, BST_CHECKED, 0);
    status_ = MakeChild(strip_, L"STATIC", L"", SS_LEFTNOWORDWRAP, 10, 134, 900, 16);

    // The tester's own controls, in the stacking order the panel relies on: the slider four
    // and the pause button three windows above Stop.
    slider_ = MakeChild(strip_, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTH | TBS_NOTICKS, 130, 98, 260, 26);
    SendMessageW(slider_, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderMax));
    SendMessageW(slider_, TBM_SETPOS, TRUE, 26);
    pause_ = MakeChild(strip_, L"BUTTON", L"| |", BS_PUSHBUTTON, 400, 98, 40, 26);
    expert_ = MakeChild(strip_, L"BUTTON", L"Свойства эксперта", BS_PUSHBUTTON, 0, 0, 140, 26);
    openChart_ = MakeChild(strip_, L"BUTTON", L"Открыть график", BS_PUSHBUTTON, 0, 0, 140, 26);
    stop_ = MakeChild(strip_, L"BUTTON", L"Стоп", BS_PUSHBUTTON, 0, 0, 140, 30);
    for (HWND w : {slider_, pause_, expert_, openChart_, stop_})
        SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The panel clicks with BM_CLICK; the tester reacts to it without the focus moving.
    SetWindowSubclass(pause_, ButtonProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(stop_, ButtonProc, 2, reinterpret_cast<DWORD_PTR>(this));

    LayOut();
    ShowWindow(terminal_, SW_SHOW);
    UpdateWindow(terminal_);
    SetTimer(terminal_, kPriceTimer, kPriceTimerMs, nullptr);
    SetTimer(terminal_, kLinkTimer, kLinkTimerMs, nullptr);
    if (options_.exitAfterSeconds > 0)
        SetTimer(terminal_, kExitTimer, static_cast<UINT>(options_.exitAfterSeconds * 1000), nullptr);
    Status(L"График: " + std::to_wstring(reinterpret_cast<std::uintptr_t>(chart_)) + L" (аргумент панели)");
    return true;
}

void Simulator::LayOut() {
    RECT client;
    GetClientRect(terminal_, &client);
    const int width = client.right;
    const int areaHeight = client.bottom - kStripHeight;
    MoveWindow(area_, 0, 0, width, areaHeight, TRUE);
    MoveWindow(strip_, 0, areaHeight, width, kStripHeight, TRUE);
    const int cascade = 26;
    MoveWindow(otherFrame_, 0, 0, width - cascade - 4, areaHeight - cascade - 4, TRUE);
    MoveWindow(frame_, cascade, cascade, width - cascade - 4, areaHeight - cascade - 4, TRUE);
    LayOutStrip();
}

void Simulator::LayOutStrip() {
    RECT client;
    GetClientRect(strip_, &client);
    const int right = client.right - 12;
    MoveWindow(expert_, right - 140, 12, 140, 26, TRUE);
    MoveWindow(openChart_, right - 140, 42, 140, 26, TRUE);
    MoveWindow(stop_, right - 140, 96, 140, 30, TRUE);
}

void Simulator::StartPanel() {
    if (!options_.startPanel) return;
    const std::wstring handle = std::to_wstring(reinterpret_cast<std::uintptr_t>(chart_));
    std::wstring line = L"\"" + options_.panel + L"\" " + handle;
    const std::wstring folder = options_.panel.substr(0, options_.panel.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(options_.panel.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &panel_)) {
        Status(L"Панель не запускается: " + options_.panel + L" (ошибка " + std::to_wstring(GetLastError()) + L")");
        panel_ = {};
        return;
    }
    CloseHandle(panel_.hThread);
    panel_.hThread = nullptr;
    Status(L"Запущена панель: " + line);
}

bool Simulator::PanelRunning() const {
    return panel_.hProcess && WaitForSingleObject(panel_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Simulator::PanelWindow() const {
    const std::wstring title = L"Quorvex" + std::to_wstring(reinterpret_cast<std::uintptr_t>(chart_));
    return FindWindowW(nullptr, title.c_str());
}

void Simulator::Status(const std::wstring& text) { SetWindowTextW(status_, text.c_str()); }

void Simulator::OnPriceTimer() {
    if (paused_ || stopped_) return;
    // Position 0 gives one price change every 33 timer ticks, position 32 one every tick.
    speedCredit_ += static_cast<int>(SendMessageW(slider_, TBM_GETPOS, 0, 0)) + 1;
    bool changed = false;
    while (speedCredit_ >= kSliderMax + 1) {
        speedCredit_ -= kSliderMax + 1;
        series_.Tick();
        changed = true;
    }
    if (changed) InvalidateRect(chart_, nullptr, FALSE);
}

void Simulator::OnLinkTimer() {
    HWND panel = PanelWindow();
    if (!panel) return;
    auto slot = [&](int id) { return GetDlgItem(panel, id); };

    // Inbound slots: written only when the text would change, as a terminal writes on events.
    auto update = [&](int id, const std::wstring& text) {
        if (HWND s = slot(id); s && WindowText(s) != text) SetText(s, text);
    };
    update(IN_ORDERS, book_.OrdersText());
    update(IN_ASK_BID, sim::OrderBook::Price(series_.Bid()) + L" / " + sim::OrderBook::Price(series_.Ask()));
    const std::wstring selected = WindowText(slot(OUT_SELECTED_ORDER));
    update(IN_ORDER_PROPERTY, book_.PropertiesText(selected));

    // A command is done once acknowledged; until the panel has emptied the acknowledgement the
    // text in OUT_COMMAND is the one already taken.
    if (WindowText(slot(IN_READ_COMMAND)) != L"READ_OK") {
        const std::wstring command = WindowText(slot(OUT_COMMAND));
        if (!command.empty() && command != L"_") {
            const std::wstring result = book_.Execute(command, series_.Bid(), series_.Ask());
            SetText(slot(IN_READ_COMMAND), L"READ_OK");
            update(IN_ORDERS, book_.OrdersText());
            Status(L"Команда " + command + L": " + result);
        }
    }

    if (!readyWritten_ && !options_.readyFile.empty()) {
        const bool settled = IsWindowVisible(panel) && !book_.Orders().empty() &&
                             selected == std::to_wstring(book_.Orders().front().ticket) + L" ";
        readyTicks_ = settled ? readyTicks_ + 1 : -1;
        if (readyTicks_ >= kReadySettleTicks) {
            HANDLE file = CreateFileW(options_.readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                const std::string text = std::to_string(reinterpret_cast<std::uintptr_t>(panel)) + "\n";
                DWORD written = 0;
                WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
                CloseHandle(file);
            }
            readyWritten_ = true;
        }
    }
}

void Simulator::OnPauseClick() {
    // The button shows what the next click does: "| |" pauses, ">>" continues.
    paused_ = !paused_;
    SetWindowTextW(pause_, paused_ ? L">>" : L"| |");
    Status(paused_ ? L"Тестирование приостановлено" : L"Тестирование продолжено");
}

void Simulator::OnStopClick() {
    stopped_ = !stopped_;
    SetWindowTextW(stop_, stopped_ ? L"Старт" : L"Стоп");
    Status(stopped_ ? L"Тестирование остановлено" : L"Тестирование запущено");
}

void Simulator::BeginClose() {
    if (closing_) return;
    closing_ = true;
    KillTimer(terminal_, kLinkTimer);
    // Closing the panel is the terminal side's business; it gets a few seconds to end itself.
    if (PanelRunning()) {
        if (HWND panel = PanelWindow()) PostMessageW(panel, WM_CLOSE, 0, 0);
        closeDeadline_ = GetTickCount64() + kPanelCloseMs;
        SetTimer(terminal_, kClosingTimer, 100, nullptr);
        return;
    }
    DestroyWindow(terminal_);
}

void Simulator::OnClosingTimer() {
    if (PanelRunning() && GetTickCount64() < closeDeadline_) return;
    if (PanelRunning()) TerminateProcess(panel_.hProcess, 1);
    KillTimer(terminal_, kClosingTimer);
    DestroyWindow(terminal_);
}

LRESULT CALLBACK Simulator::TerminalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Simulator* self = Of(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        if (self->area_) self->LayOut();
        return 0;
    case WM_TIMER:
        if (wParam == kPriceTimer) self->OnPriceTimer();
        if (wParam == kLinkTimer) self->OnLinkTimer();
        if (wParam == kExitTimer) self->BeginClose();
        if (wParam == kClosingTimer) self->OnClosingTimer();
        return 0;
    case WM_CLOSE:
        self->BeginClose();
        return 0;
    case WM_DESTROY:
        if (self->panel_.hProcess) CloseHandle(self->panel_.hProcess);
        self->panel_.hProcess = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK Simulator::AreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Simulator::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == WM_SIZE) {
        // The chart fills its frame; the frame's other children (the panel's application
        // window, once attached) keep their places.
        if (Simulator* self = Of(window)) {
            HWND chart = window == self->frame_ ? self->chart_ : self->otherChart_;
            if (chart) MoveWindow(chart, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    }
    if (message == WM_MOUSEACTIVATE) {
        // A click on a chart brings its frame to the front, as in the terminal.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Simulator::ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Simulator* self = Of(window);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        // Drawn off screen first so that the five-times-a-second repaint does not flicker.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (self) {
            const bool tested = window == self->chart_;
            static const sim::CandleSeries other(220);
            sim::PaintChart(memory, client, tested ? self->series_ : other, tested ? L"EURUSD,H1" : L"GBPUSD,H4");
        }
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EndPaint(window, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK Simulator::StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Simulator* self = Of(window);
    if (self && message == WM_SIZE) {
        if (self->stop_) self->LayOutStrip();
        return 0;
    }
    if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (reinterpret_cast<HWND>(lParam) == self->pause_) self->OnPauseClick();
        if (reinterpret_cast<HWND>(lParam) == self->stop_) self->OnStopClick();
        return 0;
    }
    if (self && message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == self->slider_) {
        self->Status(L"Скорость: " + std::to_wstring(SendMessageW(self->slider_, TBM_GETPOS, 0, 0)));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Simulator::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<Simulator*>(data);
    // The panel's BM_CLICK is handled here; a click of the mouse arrives as BN_CLICKED.
    if (message == BM_CLICK) {
        if (id == 1) self->OnPauseClick();
        if (id == 2) self->OnStopClick();
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Simulator simulator(ParseOptions());
    if (!simulator.Create()) return 1;
    simulator.StartPanel();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
