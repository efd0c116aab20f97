#include "tests/win32/ui/Harness.h"

#include <shellapi.h>

#include <cstring>

namespace test {

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

int& Failures() {
    static int failures = 0;
    return failures;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                            nullptr);
    return narrow;
}

void Fail(const char* file, int line, const std::string& message) {
    ++Failures();
    std::printf("%s:%d: FAILED %s\n", file, line, message.c_str());
    std::fflush(stdout);
}

bool WaitFor(ui::Win32Backend& backend, const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        backend.ProcessPendingMessages();
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

int RunHelperProcess(ui::Win32Backend& backend, const std::wstring& arguments, int timeoutMs) {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return -1;
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    int result = -1;
    for (;;) {
        const DWORD waited = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            DWORD code = 0;
            if (GetExitCodeProcess(process.hProcess, &code)) result = static_cast<int>(code);
            break;
        }
        backend.ProcessPendingMessages();
        if (GetTickCount64() >= deadline) {
            TerminateProcess(process.hProcess, 99);
            break;
        }
    }
    CloseHandle(process.hProcess);
    // What the helper sent may still wait in our queue as posted notifications.
    backend.ProcessPendingMessages();
    return result;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

namespace {

// Hex of UTF-16 units, so that any text passes a command line unchanged.
// A leading "x" keeps an empty text a non-empty argument.
std::wstring DecodeHex(const std::wstring& hex) {
    std::wstring text;
    for (std::size_t i = hex.empty() || hex[0] != L'x' ? 0 : 1; i + 4 <= hex.size(); i += 4)
        text.push_back(static_cast<wchar_t>(std::wcstoul(hex.substr(i, 4).c_str(), nullptr, 16)));
    return text;
}

}  // namespace

// What the terminal side does: find each slot by its control id under the main window
// and send WM_SETTEXT from its own process. Arguments: --send-text FORM (ID HEX)...
int SendTextsAsTerminal(const std::vector<std::wstring>& arguments) {
    HWND main = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(arguments[1].c_str(), nullptr, 10)));
    for (std::size_t i = 2; i + 1 < arguments.size(); i += 2) {
        HWND slot = GetDlgItem(main, static_cast<int>(std::wcstol(arguments[i].c_str(), nullptr, 10)));
        if (!slot) return 2;
        const std::wstring text = DecodeHex(arguments[i + 1]);
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(slot, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                                 10000, &answer))
            return 3;
        if (!answer) return 4;
    }
    return 0;
}

}  // namespace test

int main() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i) arguments.emplace_back(argv[i]);
    if (argv) LocalFree(argv);

    if (arguments.size() >= 2 && arguments[0] == L"--send-text")
        return test::SendTextsAsTerminal(arguments);

    if (arguments.empty()) {
        std::printf("usage: quorvex_ui_tests <test>...\n");
        for (const auto& c : test::Cases()) std::printf("  %s\n", c.name);
        return 2;
    }
    // Each test named runs on its own backend and form; one process for several saves
    // Wine's start-up, which is slow on small machines.
    int failed = 0;
    for (const std::wstring& argument : arguments) {
        const std::string wanted = test::Narrow(argument);
        const test::Case* found = nullptr;
        for (const auto& c : test::Cases())
            if (wanted == c.name) found = &c;
        if (!found) {
            std::printf("no test named %s\n", wanted.c_str());
            ++failed;
            continue;
        }
        test::Failures() = 0;
        found->run();
        if (test::Failures() == 0) std::printf("%s: passed\n", found->name);
        else std::printf("%s: %d check(s) failed\n", found->name, test::Failures());
        std::fflush(stdout);
        if (test::Failures() != 0) ++failed;
    }
    return failed == 0 ? 0 : 1;
}