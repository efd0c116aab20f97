#pragma once
// A small check framework for the Wine test programs.
//
//   EXPECT(condition, "what")                 records a failure and goes on
//   EXPECT_EQ(expected, actual, "what")       records "what: expected X, got Y" and goes on
//   REQUIRE(condition, "what")                records a failure and ends the current test case
//   REQUIRE_EQ(expected, actual, "what")      the same with both values
//
// A test program lists its cases and hands them to RunTestCases, which runs the one named by
// the first argument; its result is the program's exit code (0 passed, 1 failed, 2 no such case).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace wine_test {

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

// Values as the failure messages show them: texts quoted, with control characters escaped.
std::string Show(const std::wstring& text);
std::string Show(const std::string& text);
std::string Show(const wchar_t* text);
std::string Show(const char* text);
std::string Show(bool value);
std::string Show(HWND window);
std::string Show(const RECT& rect);
template <class T>
std::enable_if_t<std::is_arithmetic_v<T> || std::is_enum_v<T>, std::string> Show(T value) {
    std::ostringstream out;
    if constexpr (std::is_enum_v<T>)
        out << static_cast<long long>(value);
    else
        out << value;
    return out.str();
}
template <class T>
std::string Show(const std::vector<T>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + Show(values[i]);
    return text + "]";
}

bool operator==(const RECT& a, const RECT& b);

// Prints one line to standard output (UTF-8) and flushes, so that a test that hangs still
// shows how far it got.
void Log(const std::string& line);

void RecordFailure(const std::string& message, const char* file, int line);
int FailureCount();

// Thrown by REQUIRE to end the current case; the fixtures' destructors clean up.
struct TestAborted {};

template <class E, class A>
bool CheckEqual(const E& expected, const A& actual, const std::string& what, const char* file, int line) {
    if (expected == actual) return true;
    RecordFailure(what + ": expected " + Show(expected) + ", got " + Show(actual), file, line);
    return false;
}

struct TestCase {
    const char* name;
    std::function<void()> body;
};

// Options of the test program that come after the case name: "--panel <path>" names the
// Quorvex.exe to start instead of the one of the build (see PanelProcess).
int RunTestCases(int argc, char** argv, std::initializer_list<TestCase> cases);

}  // namespace wine_test

#define EXPECT(condition, what) \
    ((condition) ? true : (::wine_test::RecordFailure(std::string(what) + ": expected true, got false", __FILE__, __LINE__), false))
#define EXPECT_EQ(expected, actual, what) ::wine_test::CheckEqual((expected), (actual), (what), __FILE__, __LINE__)
#define REQUIRE(condition, what) \
    do { if (!EXPECT(condition, what)) throw ::wine_test::TestAborted{}; } while (0)
#define REQUIRE_EQ(expected, actual, what) \
    do { if (!EXPECT_EQ(expected, actual, what)) throw ::wine_test::TestAborted{}; } while (0)
