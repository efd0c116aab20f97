#include "tests/win32/support/Check.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>

#include "tests/win32/support/PanelProcess.h"

namespace wine_test {

namespace {
std::mutex logMutex;
int failures = 0;
}  // namespace

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), size);
    return result;
}

std::string Show(const std::wstring& text) {
    std::wstring shown = L"\"";
    for (wchar_t c : text) {
        if (c == L'\r')
            shown += L"\\r";
        else if (c == L'\n')
            shown += L"\\n";
        else if (c == L'"')
            shown += L"\\\"";
        else if (c < 0x20) {
            wchar_t code[8];
            swprintf(code, 8, L"\\x%02x", static_cast<unsigned>(c));
            shown += code;
        } else
            shown += c;
    }
    return Utf8(shown + L"\"");
}

std::string Show(const std::string& text) { return Show(Wide(text)); }
std::string Show(const wchar_t* text) { return text ? Show(std::wstring(text)) : "(null)"; }
std::string Show(const char* text) { return text ? Show(std::string(text)) : "(null)"; }
std::string Show(bool value) { return value ? "true" : "false"; }

std::string Show(HWND window) {
    char text[32];
    std::snprintf(text, sizeof text, "window %lu", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

std::string Show(const RECT& rect) {
    char text[96];
    std::snprintf(text, sizeof text, "(%ld, %ld)-(%ld, %ld) %ld x %ld", rect.left, rect.top, rect.right, rect.bottom,
                  rect.right - rect.left, rect.bottom - rect.top);
    return text;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void Log(const std::string& line) {
    std::lock_guard<std::mutex> lock(logMutex);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void RecordFailure(const std::string& message, const char* file, int line) {
    const char* base = std::strrchr(file, '/');
    Log(std::string("FAILED ") + (base ? base + 1 : file) + ":" + std::to_string(line) + ": " + message);
    std::lock_guard<std::mutex> lock(logMutex);
    ++failures;
}

int FailureCount() {
    std::lock_guard<std::mutex> lock(logMutex);
    return failures;
}

int RunTestCases(int argc, char** argv, std::initializer_list<TestCase> cases) {
    // Nothing of a failed check may wait for a click on a dialog that nobody sees.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--panel") == 0) PanelProcess::SetExecutable(Wide(argv[i + 1]));
    if (argc < 2) {
        Log("usage: <program> <case> [--panel <Quorvex.exe>]; cases:");
        for (const TestCase& c : cases) Log(std::string("  ") + c.name);
        return 2;
    }
    for (const TestCase& c : cases) {
        if (std::strcmp(c.name, argv[1]) != 0) continue;
        Log(std::string("case ") + c.name);
        try {
            c.body();
        } catch (const TestAborted&) {
            Log("case ended at the first failed requirement");
        } catch (const std::exception& e) {
            RecordFailure(std::string("unexpected exception: ") + e.what(), __FILE__, __LINE__);
        }
        const int count = FailureCount();
        Log(count ? "case " + std::string(c.name) + ": " + std::to_string(count) + " check(s) failed"
                  : "case " + std::string(c.name) + ": passed");
        return count ? 1 : 0;
    }
    Log(std::string("no test case named ") + argv[1]);
    return 2;
}

}  // namespace wine_test
