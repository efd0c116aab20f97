#pragma once
// A small harness for the tests of the Win32 backend under Wine: one test per run of the
// program (ctest names it), checks that say "expected X, got Y", and waiting by polling
// with a bounded timeout while the messages are handled.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "panel/ui/win32/Win32Backend.h"

namespace test {

struct Case {
    const char* name;
    void (*run)();
};

std::vector<Case>& Cases();

struct Registration {
    Registration(const char* name, void (*run)()) { Cases().push_back({name, run}); }
};

#define UI_TEST(name)                                          \
    static void name();                                        \
    static ::test::Registration name##_registration(#name, name); \
    static void name()

// Counts the failed checks of the running test.
int& Failures();

std::string Narrow(const std::wstring& text);

template <typename T>
std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
inline std::string Show(const std::wstring& value) { return "\"" + Narrow(value) + "\""; }
inline std::string Show(const wchar_t* value) { return Show(std::wstring(value)); }
inline std::string Show(bool value) { return value ? "true" : "false"; }
template <typename T>
std::string Show(T* value) {
    std::ostringstream out;
    out << static_cast<const void*>(value);
    return out.str();
}

void Fail(const char* file, int line, const std::string& message);

#define CHECK(condition, what)                                                   \
    do {                                                                         \
        if (!(condition)) ::test::Fail(__FILE__, __LINE__, std::string(what) + ": " #condition); \
    } while (0)

#define CHECK_EQ(expected, actual, what)                                                              \
    do {                                                                                              \
        const auto& expected_ = (expected);                                                           \
        const auto& actual_ = (actual);                                                               \
        if (!(expected_ == actual_))                                                                  \
            ::test::Fail(__FILE__, __LINE__,                                                          \
                         std::string(what) + ": expected " + ::test::Show(expected_) + ", got " +     \
                             ::test::Show(actual_));                                                  \
    } while (0)

// Handles messages until `condition` holds or `timeoutMs` has passed; returns the condition.
bool WaitFor(ui::Win32Backend& backend, const std::function<bool()>& condition, int timeoutMs = 5000);

// Runs this program again as a separate process with `arguments`, handling our messages
// while it runs (it sends to our windows); returns its exit code, or -1. The bound is
// generous: starting a Wine process takes minutes on a small shared machine.
int RunHelperProcess(ui::Win32Backend& backend, const std::wstring& arguments, int timeoutMs = 600000);

// The helper's side: --send-text FORM (ID HEX)...
int SendTextsAsTerminal(const std::vector<std::wstring>& arguments);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

}  // namespace test
