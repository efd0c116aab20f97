#include "tests/win32/os/TesterTree.h"

#include <commctrl.h>

#include <vector>

#include "panel/os/win32/Win32WindowSystem.h"
#include "tests/win32/os/OsHarness.h"

namespace os_test {

namespace {

// Starting a second Wine process on a small shared machine can take a while.
constexpr DWORD kServerTimeoutMilliseconds = 60000;
constexpr UINT kBlockMessage = WM_APP + 1;

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring BlockedEventName(const std::wstring& title) { return L"Local\\" + title + L"_blocked"; }
std::wstring ReleaseEventName(const std::wstring& title) { return L"Local\\" + title + L"_release"; }

HANDLE serverBlocked = nullptr;
HANDLE serverRelease = nullptr;

// The terminal window of the tree: on request its thread stops answering until released.
LRESULT CALLBACK TerminalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kBlockMessage && serverBlocked && serverRelease) {
        SetEvent(serverBlocked);
        WaitForSingleObject(serverRelease, kServerTimeoutMilliseconds);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* TerminalClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = TerminalProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuorvexOsTestTerminal";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

}  // namespace

const std::wstring& LongText() {
    static const std::wstring text = [] {
        const std::wstring pattern = L"Стоп, ход 42; ";
        std::wstring result;
        while (result.size() < 5000) result += pattern;
        result.resize(5000);
        return result;
    }();
    return text;
}

TesterTree BuildTesterTree(const std::wstring& title) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    TesterTree tree;
    tree.terminal = MakeWindow(TerminalClass(), L"", nullptr, WS_OVERLAPPEDWINDOW);
    tree.nearMisses = MakeWindow(PlainClass(), L"", tree.terminal);
    for (const wchar_t* text : {L"стоп", L"Стоп ", L"Стоп!"}) MakeWindow(L"Button", text, tree.nearMisses);
    HWND inner = MakeWindow(PlainClass(), L"", tree.nearMisses);
    MakeWindow(L"Static", L"Стопка", inner);
    tree.longEdit = MakeWindow(L"Edit", LongText(), tree.nearMisses, ES_AUTOHSCROLL, kLongEditId);

    HWND tester = MakeWindow(PlainClass(), L"Tester", tree.terminal);
    MakeWindow(TRACKBAR_CLASSW, L"", tester, 0, kSliderId);
    MakeWindow(L"Button", L"| |", tester, BS_PUSHBUTTON, kPauseId);
    MakeWindow(L"Button", L"Старт", tester, BS_PUSHBUTTON);
    MakeWindow(L"Button", L"Настройки", tester, BS_PUSHBUTTON);
    tree.stop = MakeWindow(L"Button", L"Стоп", tester, BS_PUSHBUTTON, kStopId);
    MakeWindow(L"Button", L"Стоп", tree.terminal, BS_PUSHBUTTON, kLaterStopId);
    SetWindowTextW(tree.terminal, title.c_str());
    return tree;
}

// The server side: arguments are the title; serves until its terminal window is closed.
OS_TEST(serve_tree) {
    if (Arguments().empty()) {
        Fail(__FILE__, __LINE__, "serve_tree needs a title");
        return;
    }
    const std::wstring title = Widen(Arguments()[0]);
    serverBlocked = OpenEventW(EVENT_MODIFY_STATE, FALSE, BlockedEventName(title).c_str());
    serverRelease = OpenEventW(SYNCHRONIZE, FALSE, ReleaseEventName(title).c_str());
    const TesterTree tree = BuildTesterTree(title);
    if (!WaitUntil([&] { return !IsWindow(tree.terminal); }, 5 * kServerTimeoutMilliseconds))
        Fail(__FILE__, __LINE__, "the tree was never closed");
}

TreeServer::TreeServer(const std::wstring& title) : title_(title) {
    blocked_ = CreateEventW(nullptr, TRUE, FALSE, BlockedEventName(title).c_str());
    release_ = CreateEventW(nullptr, TRUE, FALSE, ReleaseEventName(title).c_str());
    if (!blocked_ || !release_) {
        Fail(__FILE__, __LINE__, "CreateEventW failed, error " + std::to_string(GetLastError()));
        return;
    }
    std::vector<wchar_t> program(MAX_PATH * 4, L'\0');
    if (!GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()))) {
        Fail(__FILE__, __LINE__, "GetModuleFileNameW failed");
        return;
    }
    std::wstring commandLine = L"\"" + std::wstring(program.data()) + L"\" serve_tree " + title;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.data(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        Fail(__FILE__, __LINE__, "CreateProcessW failed, error " + std::to_string(GetLastError()));
        return;
    }
    os::Win32WindowSystem windows;
    const bool found = WaitUntil(
        [&] {
            terminal_ = windows.FindTopLevel(title_);
            return terminal_ != 0 || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
        },
        kServerTimeoutMilliseconds);
    if (!found || !terminal_) {
        terminal_ = 0;
        Fail(__FILE__, __LINE__, "the tree server's window did not appear");
    }
}

bool TreeServer::Block() {
    if (!PostMessageW(reinterpret_cast<HWND>(terminal_), kBlockMessage, 0, 0)) {
        Fail(__FILE__, __LINE__, "PostMessageW failed");
        return false;
    }
    if (WaitForSingleObject(blocked_, kServerTimeoutMilliseconds) != WAIT_OBJECT_0) {
        Fail(__FILE__, __LINE__, "the tree server did not block");
        return false;
    }
    return true;
}

void TreeServer::Release() {
    if (release_) SetEvent(release_);
}

TreeServer::~TreeServer() {
    Release();
    if (process_.hProcess) {
        if (terminal_) PostMessageW(reinterpret_cast<HWND>(terminal_), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, kServerTimeoutMilliseconds) != WAIT_OBJECT_0) {
            Fail(__FILE__, __LINE__, "the tree server did not end");
            TerminateProcess(process_.hProcess, 1);
        } else {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            if (code != 0) Fail(__FILE__, __LINE__, "the tree server failed with " + std::to_string(code));
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    if (blocked_) CloseHandle(blocked_);
    if (release_) CloseHandle(release_);
}

}  // namespace os_test
