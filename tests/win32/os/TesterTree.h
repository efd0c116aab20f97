#pragma once
// A terminal-like window tree with the tester's controls, built in this process or served by a
// second copy of the test program so that texts are read across the process boundary.
#include <windows.h>

#include <cstdint>
#include <string>

namespace os_test {

constexpr int kSliderId = 1230;
constexpr int kPauseId = 1231;
constexpr int kStopId = 1234;
constexpr int kLaterStopId = 1235;
constexpr int kLongEditId = 1300;

// 5000 characters, Cyrillic among them: longer than the read buffer's usual 3000.
const std::wstring& LongText();

// terminal "<title>"
// ├── near misses: "стоп", "Стоп ", "Стоп!", an inner window with "Стопка", the long edit
// ├── tester "Tester": slider, "| |", "Старт", "Настройки", "Стоп"
// └── "Стоп" (a later match the search must never reach)
struct TesterTree {
    HWND terminal = nullptr;
    HWND nearMisses = nullptr;
    HWND longEdit = nullptr;
    HWND stop = nullptr;
};
// The title is set last, so that a window found by it already has the whole tree.
TesterTree BuildTesterTree(const std::wstring& title);

// Starts this program as a tree server and finds its terminal window by title.
class TreeServer {
public:
    explicit TreeServer(const std::wstring& title);
    ~TreeServer();
    TreeServer(const TreeServer&) = delete;
    TreeServer& operator=(const TreeServer&) = delete;

    bool Started() const { return terminal_ != 0; }
    std::uintptr_t Terminal() const { return terminal_; }
    // Makes the server's interface thread stop answering until Release; false if it did not.
    bool Block();
    void Release();

private:
    std::wstring title_;
    HANDLE blocked_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    std::uintptr_t terminal_ = 0;
};

}  // namespace os_test
