#include "tests/win32/os/OsHarness.h"

#include <cstdio>
#include <exception>

namespace os_test {

namespace {
int failures = 0;
}

std::map<std::string, TestFunction>& Tests() {
    static std::map<std::string, TestFunction> tests;
    return tests;
}

void Fail(const char* file, int line, const std::string& message) {
    ++failures;
    std::printf("%s:%d: %s\n", file, line, message.c_str());
    std::fflush(stdout);
}

int Failures() { return failures; }

std::vector<std::string>& Arguments() {
    static std::vector<std::string> arguments;
    return arguments;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const ULONGLONG left = deadline - now;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 20 ? static_cast<DWORD>(left) : 20, QS_ALLINPUT);
    }
}

const wchar_t* PlainClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuorvexOsTestWindow";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

HWND MakeWindow(const wchar_t* className, const std::wstring& text, HWND parent, DWORD style, int id) {
    if (parent) style |= WS_CHILD | WS_VISIBLE;
    HMENU menu = parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExW(0, className, text.c_str(), style, 0, 0, 60, 20, parent, menu,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) Fail(__FILE__, __LINE__, "CreateWindowExW failed, error " + std::to_string(GetLastError()));
    return window;
}

}  // namespace os_test

// Each argument names a test; a test that serves another one takes the arguments after it.
int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: %s TEST...\n", argv[0]);
        return 2;
    }
    const bool serving = std::string(argv[1]).rfind("serve_", 0) == 0;
    const int last = serving ? 2 : argc;
    if (serving)
        for (int i = 2; i < argc; ++i) os_test::Arguments().emplace_back(argv[i]);
    for (int i = 1; i < last; ++i) {
        auto test = os_test::Tests().find(argv[i]);
        if (test == os_test::Tests().end()) {
            std::printf("no test named %s\n", argv[i]);
            return 2;
        }
        const int before = os_test::Failures();
        try {
            test->second();
        } catch (const std::exception& error) {
            os_test::Fail(__FILE__, __LINE__, std::string("exception: ") + error.what());
        }
        std::printf("%s: %s\n", argv[i], os_test::Failures() > before ? "FAILED" : "passed");
        std::fflush(stdout);
    }
    return os_test::Failures() ? 1 : 0;
}
