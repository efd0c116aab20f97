#include "tests/win32/support/PanelProcess.h"

#include <stdexcept>
#include <utility>

#include "tests/win32/support/Check.h"

namespace wine_test {

namespace {

// Bound of one message to the panel: a panel that stops answering fails the check that
// waits for it instead of hanging the test.
constexpr UINT kSendTimeoutMs = 5000;

std::wstring& ExecutableSetting() {
    static std::wstring path;
    return path;
}

// Wine runs a Windows program with a Unix path as its argv; CreateProcess wants the drive path.
std::wstring DosPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    using DosFileName = WCHAR*(CDECL*)(LPCSTR);
    if (auto convert = reinterpret_cast<DosFileName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")))) {
        if (WCHAR* dos = convert(Utf8(path).c_str())) {
            std::wstring result(dos);
            HeapFree(GetProcessHeap(), 0, dos);
            return result;
        }
    }
    std::wstring result = L"Z:" + path;  // Wine's default mapping of the Unix root
    for (wchar_t& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

struct EnumState {
    DWORD processId;
    std::vector<TopLevelWindow>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<EnumState*>(data);
    if (ProcessOf(window) == state->processId)
        state->windows->push_back({window, ClassName(window), WindowText(window), IsWindowVisible(window) != FALSE});
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM data) {
    auto* text = reinterpret_cast<std::wstring*>(data);
    if (_wcsicmp(ClassName(window).c_str(), L"Static") == 0) {
        std::wstring candidate = WindowText(window);
        if (candidate.size() > text->size()) *text = std::move(candidate);
    }
    return TRUE;
}

}  // namespace

const char* slot::Name(int id) {
    switch (id) {
    case IN_ORDERS: return "IN_ORDERS";
    case IN_READ_COMMAND: return "IN_READ_COMMAND";
    case IN_ASK_BID: return "IN_ASK_BID";
    case IN_ORDER_PROPERTY: return "IN_ORDER_PROPERTY";
    case OUT_SELECTED_ORDER: return "OUT_SELECTED_ORDER";
    case OUT_COMMAND: return "OUT_COMMAND";
    default: return "no slot";
    }
}

void PanelProcess::SetExecutable(const std::wstring& path) { ExecutableSetting() = path; }

std::wstring PanelProcess::Executable() {
    if (!ExecutableSetting().empty()) return DosPath(ExecutableSetting());
#ifdef QUORVEX_EXE_PATH
    return DosPath(Wide(QUORVEX_EXE_PATH));
#else
    return L"Quorvex.exe";
#endif
}

PanelProcess::PanelProcess(const std::wstring& argument) : argument_(argument) {
    Start(L"\"" + Executable() + L"\" " + argument);
}

PanelProcess PanelProcess::WithoutArgument() {
    PanelProcess panel;
    panel.Start(L"\"" + Executable() + L"\"");
    return panel;
}

PanelProcess::PanelProcess(PanelProcess&& other) noexcept
    : argument_(std::move(other.argument_)),
      process_(std::exchange(other.process_, nullptr)),
      processId_(std::exchange(other.processId_, 0)),
      mainWindow_(std::exchange(other.mainWindow_, nullptr)) {}

void PanelProcess::Start(const std::wstring& commandLine) {
    const std::wstring executable = Executable();
    std::wstring folder = executable.substr(0, executable.find_last_of(L"\\/") + 1);
    std::wstring line = commandLine;  // CreateProcessW may write into the command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + Utf8(executable) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    Log("started " + Utf8(line) + " as process " + std::to_string(processId_));
}

PanelProcess::~PanelProcess() {
    if (!process_) return;
    Kill();
    CloseHandle(process_);
}

bool PanelProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool PanelProcess::WaitForExit(DWORD timeoutMs) { return process_ && WaitForObject(process_, timeoutMs); }

DWORD PanelProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void PanelProcess::Kill() {
    if (!Running()) return;
    TerminateProcess(process_, 99);
    // Its windows vanish with it; keep answering messages until they have.
    WaitForObject(process_, kWaitTimeoutMs);
}

HWND PanelProcess::FindMainWindow() const {
    const std::wstring title = L"Quorvex" + argument_;
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, title.c_str()))
        if (ProcessOf(window) == processId_) return window;
    return nullptr;
}

HWND PanelProcess::WaitForMainWindow(DWORD timeoutMs) {
    WaitFor([&] { return (mainWindow_ = FindMainWindow()) != nullptr || !Running(); }, timeoutMs);
    return mainWindow_;
}

HWND PanelProcess::Slot(int id) const { return mainWindow_ ? GetDlgItem(mainWindow_, id) : nullptr; }

std::wstring PanelProcess::ReadSlot(int id) const { return WindowText(Slot(id)); }

bool PanelProcess::WriteSlot(int id, const std::wstring& text) const {
    HWND window = Slot(id);
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                                         kSendTimeoutMs, &result) &&
           result == TRUE;
}

std::vector<TopLevelWindow> PanelProcess::TopLevelWindows() const {
    std::vector<TopLevelWindow> windows;
    EnumState state{processId_, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND PanelProcess::FindMessageBox() const {
    for (const TopLevelWindow& w : TopLevelWindows())
        if (w.visible && w.windowClass == L"#32770") return w.window;
    return nullptr;
}

HWND PanelProcess::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindMessageBox()) != nullptr || !Running(); }, timeoutMs);
    return box;
}

std::wstring WindowText(HWND window) {
    if (!window) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             kSendTimeoutMs, &copied))
        return {};
    text.resize(copied < text.size() ? static_cast<std::size_t>(copied) : text.size() - 1);
    return text;
}

std::wstring MessageBoxText(HWND box) {
    // Both Windows and Wine give the message's static control the id 0xFFFF.
    std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    if (text.empty()) EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        return fallback;
    return static_cast<LRESULT>(result);
}

HWND FindDescendantByClass(HWND root, const std::wstring& windowClass) {
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassName(child).c_str(), windowClass.c_str()) == 0) return child;
        if (HWND found = FindDescendantByClass(child, windowClass)) return found;
    }
    return nullptr;
}

std::vector<std::wstring> ListBoxRows(HWND list) {
    std::vector<std::wstring> rows;
    const LRESULT count = SendTo(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendTo(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) break;
        std::wstring row(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = SendTo(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data()));
        row.resize(copied >= 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
        rows.push_back(std::move(row));
    }
    return rows;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

}  // namespace wine_test
