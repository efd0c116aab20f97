// The tester's Stop button is found whatever the system's ANSI code page: texts are read as
// UTF-16. Registered to run under a locale whose code page is not 1251.
#include <windows.h>

#include <cstdio>
#include <string>

#include "panel/os/WindowText.h"
#include "panel/os/win32/Win32WindowSystem.h"
#include "tests/win32/os/OsHarness.h"

using namespace os_test;

namespace {

// "Стоп" in Windows-1251, what a reader with the ANSI messages would have compared with.
const std::string kStopIn1251 = "\xD1\xF2\xEE\xEF";

std::string AnsiText(HWND window) {
    char buffer[64] = {};
    const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

const char* AnsiClass() {
    static const char* const name = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorvexOsTestAnsiWindow";
        RegisterClassExA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

HWND MakeAnsiWindow(const char* className, HWND parent, int id) {
    HWND window = CreateWindowExA(0, className, "", (parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW), 0, 0,
                                  60, 20, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) Fail(__FILE__, __LINE__, "CreateWindowExA failed, error " + std::to_string(GetLastError()));
    return window;
}

}  // namespace

OS_TEST(stop_found_outside_code_page_1251) {
    const UINT codePage = GetACP();
    if (codePage == 1251) {
        Fail(__FILE__, __LINE__, "this test needs an ANSI code page other than 1251; run it under LC_ALL=en_US.UTF-8");
        return;
    }
    os::Win32WindowSystem windows;
    HWND terminal = CreateWindowExA(0, AnsiClass(), "Terminal", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    CHECK(terminal != nullptr);
    HWND strip = MakeAnsiWindow(AnsiClass(), terminal, 0);
    // The tester's own buttons, and a window of a class of our own registered as ANSI.
    HWND decoy = MakeAnsiWindow("Button", strip, 1);
    HWND ansiStop = MakeAnsiWindow(AnsiClass(), strip, 2);
    HWND buttonStop = MakeAnsiWindow("Button", terminal, 3);
    CHECK(!IsWindowUnicode(ansiStop));
    SetWindowTextW(decoy, L"Старт");
    SetWindowTextW(ansiStop, L"Стоп");
    SetWindowTextW(buttonStop, L"Стоп");

    // The ANSI messages give the text in this code page, which is not what 1251 would give.
    CHECK(AnsiText(ansiStop) != kStopIn1251);
    CHECK(AnsiText(buttonStop) != kStopIn1251);

    CHECK_EQ(os::ReadWindowText(windows, W(ansiStop)), std::wstring(L"Стоп"));
    CHECK_EQ(os::FindDescendantByText(windows, W(terminal), L"Стоп"), W(ansiStop));
    DestroyWindow(ansiStop);
    CHECK_EQ(os::FindDescendantByText(windows, W(terminal), L"Стоп"), W(buttonStop));
    std::printf("ANSI code page %u\n", codePage);
    DestroyWindow(terminal);
}
