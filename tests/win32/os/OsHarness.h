#pragma once
// A small harness for the OS-layer tests under Wine: one program, one test per run, chosen by
// the first argument; failures print "expected X, got Y" and make the exit code nonzero.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace os_test {

using TestFunction = void (*)();
std::map<std::string, TestFunction>& Tests();

struct Registrar {
    Registrar(const char* name, TestFunction function) { Tests()[name] = function; }
};

#define OS_TEST(name)                                              \
    static void name();                                            \
    static const ::os_test::Registrar name##_registrar(#name, name); \
    static void name()

void Fail(const char* file, int line, const std::string& message);
int Failures();

std::string Utf8(const std::wstring& text);
inline std::string Show(const std::wstring& text) { return "\"" + Utf8(text) + "\""; }
inline std::string Show(const wchar_t* text) { return Show(std::wstring(text)); }
inline std::string Show(const std::string& text) { return "\"" + text + "\""; }
inline std::string Show(bool value) { return value ? "true" : "false"; }
inline std::string Show(wchar_t value) { return Show(std::wstring(1, value)); }
inline std::string Show(HWND window) {
    return "window " + std::to_string(reinterpret_cast<std::uintptr_t>(window));
}
template <typename T>
std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

#define CHECK(condition)                                                           \
    do {                                                                           \
        if (!(condition)) ::os_test::Fail(__FILE__, __LINE__, "failed: " #condition); \
    } while (0)

#define CHECK_EQ(actual, expected)                                                                       \
    do {                                                                                                 \
        const auto& actual_ = (actual);                                                                  \
        const auto& expected_ = (expected);                                                              \
        if (!(actual_ == expected_))                                                                     \
            ::os_test::Fail(__FILE__, __LINE__,                                                          \
                            std::string(#actual ": expected ") + ::os_test::Show(expected_) + ", got " + \
                                ::os_test::Show(actual_));                                               \
    } while (0)

// Dispatches this thread's messages until `condition` holds or `timeoutMilliseconds` pass.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds);

// A window class of this program whose windows keep their text with DefWindowProcW.
const wchar_t* PlainClass();
// A child window (with `parent`) is visible and carries the control identifier `id`.
HWND MakeWindow(const wchar_t* className, const std::wstring& text, HWND parent, DWORD style = 0, int id = 0);

// The arguments after the test's name.
std::vector<std::string>& Arguments();

// The window as the OS layer names it.
inline std::uintptr_t W(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }
inline HWND H(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }

}  // namespace os_test
