#pragma once
// The panel program Quorvex.exe as the terminal side sees it: a process started with a command
// line, a main window found by its title, six edit slots reached by control id.
//
//   PanelProcess panel(family.ChartHandleText());     // starts "Quorvex.exe <handle>"
//   HWND window = panel.WaitForMainWindow();           // FindWindowW("Quorvex<handle>")
//   panel.WriteSlot(slot::IN_ORDERS, L"4711 (buy 0.10 EURUSD at 1.23450)");
//   WaitFor([&] { return panel.ReadSlot(slot::OUT_SELECTED_ORDER) == L"4711 "; });
//
// The destructor kills a panel that is still running. Every wait dispatches the test thread's
// messages (Wait.h), so the panel's messages to the test's windows are answered meanwhile.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/Wait.h"

namespace wine_test {

// Control ids of the channel slots on the panel's main window.
namespace slot {
constexpr int IN_ORDERS = 1001;
constexpr int IN_READ_COMMAND = 1002;
constexpr int IN_ASK_BID = 1003;
constexpr int IN_ORDER_PROPERTY = 1004;
constexpr int OUT_SELECTED_ORDER = 1005;
constexpr int OUT_COMMAND = 1006;
constexpr int kAll[] = {IN_ORDERS, IN_READ_COMMAND, IN_ASK_BID, IN_ORDER_PROPERTY, OUT_SELECTED_ORDER, OUT_COMMAND};
const char* Name(int id);
}  // namespace slot

// A top-level window of some process, as listed by TopLevelWindows.
struct TopLevelWindow {
    HWND window;
    std::wstring windowClass;
    std::wstring title;
    bool visible;
};

class PanelProcess {
public:
    // Starts the panel with `argument` as its whole command-line argument text.
    explicit PanelProcess(const std::wstring& argument);
    // Starts the panel without any argument.
    static PanelProcess WithoutArgument();
    ~PanelProcess();
    PanelProcess(PanelProcess&& other) noexcept;
    PanelProcess& operator=(PanelProcess&&) = delete;
    PanelProcess(const PanelProcess&) = delete;

    // The program to start: the build's Quorvex.exe unless a test program's "--panel <path>"
    // named another. Unix paths are turned into the Wine drive path.
    static void SetExecutable(const std::wstring& path);
    static std::wstring Executable();

    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_; }
    const std::wstring& Argument() const { return argument_; }

    bool Running() const;
    // True when the process ended within the timeout.
    bool WaitForExit(DWORD timeoutMs = kWaitTimeoutMs);
    // The same for a process that may still be starting up.
    bool WaitForExitAfterStart() { return WaitForExit(kStartTimeoutMs); }
    DWORD ExitCode() const;
    void Kill();

    // The panel's top-level window titled "Quorvex" + argument, owned by this process, or 0.
    HWND FindMainWindow() const;
    // Waits for it and remembers it; 0 when it did not appear in time.
    HWND WaitForMainWindow(DWORD timeoutMs = kStartTimeoutMs);
    HWND MainWindow() const { return mainWindow_; }

    // Slots of the remembered main window (WaitForMainWindow first), by control id.
    HWND Slot(int id) const;
    // The slot's whole text by WM_GETTEXT; empty when the slot does not answer.
    std::wstring ReadSlot(int id) const;
    // Replaces the slot's whole text by WM_SETTEXT; false when the slot does not answer.
    bool WriteSlot(int id, const std::wstring& text) const;

    // Top-level windows of this process.
    std::vector<TopLevelWindow> TopLevelWindows() const;
    // A shown message box ("#32770") of this process, or 0.
    HWND FindMessageBox() const;
    // Waits for one (or for the process to end first); 0 when none showed.
    HWND WaitForMessageBox(DWORD timeoutMs = kStartTimeoutMs) const;

private:
    PanelProcess() = default;
    void Start(const std::wstring& commandLine);

    std::wstring argument_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

// A window's text read by WM_GETTEXT, which works across processes; empty on failure.
std::wstring WindowText(HWND window);
// The message of a message box: the text of its static text control.
std::wstring MessageBoxText(HWND box);
std::wstring ClassName(HWND window);
DWORD ProcessOf(HWND window);
// SendMessageTimeoutW with the rig's bound; `fallback` when the window does not answer.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback = -1);
// The first window below `root` (depth first) whose class is `windowClass` (case-insensitive), or 0.
HWND FindDescendantByClass(HWND root, const std::wstring& windowClass);
// The rows of a list box, of this process or another.
std::vector<std::wstring> ListBoxRows(HWND list);

}  // namespace wine_test
