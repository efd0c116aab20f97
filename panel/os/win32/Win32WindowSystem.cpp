#include "panel/os/win32/Win32WindowSystem.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace os {

namespace {

HWND ToHwnd(Window window) { return reinterpret_cast<HWND>(window); }
Window ToWindow(HWND hwnd) { return reinterpret_cast<Window>(hwnd); }

// Sends a text message and gives its result, or nothing when the window does not answer.
// Windows of this process are sent to without a time limit: a send that gave up on a
// thread of ours would leave that thread writing into a buffer we have already freed,
// because inside one process the text buffer is handed over as it is, not copied.
bool SendTextMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD process = 0;
    if (!GetWindowThreadProcessId(hwnd, &process)) return false;  // no such window
    if (process == GetCurrentProcessId()) {
        result = SendMessageW(hwnd, message, wParam, lParam);
        return true;
    }
    // SMTO_NORMAL rather than SMTO_BLOCK: while we wait, the terminal may itself send to
    // our windows (it writes the channel slots), and those messages must be answered.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             Win32WindowSystem::kTextTimeoutMilliseconds, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace

Window Win32WindowSystem::Parent(Window window) {
    if (!window) return 0;
    // GetParent would give the owner of an owned top-level window; only the real parent counts.
    HWND parent = GetAncestor(ToHwnd(window), GA_PARENT);
    if (!parent || parent == GetDesktopWindow()) return 0;
    // The parent of a message-only window is a root of its own, no window of anybody's.
    if (!GetAncestor(parent, GA_PARENT)) return 0;
    return ToWindow(parent);
}

Window Win32WindowSystem::FirstChild(Window window) {
    return window ? ToWindow(GetWindow(ToHwnd(window), GW_CHILD)) : 0;
}

Window Win32WindowSystem::NextSibling(Window window) {
    return window ? ToWindow(GetWindow(ToHwnd(window), GW_HWNDNEXT)) : 0;
}

Window Win32WindowSystem::PreviousSibling(Window window) {
    return window ? ToWindow(GetWindow(ToHwnd(window), GW_HWNDPREV)) : 0;
}

int Win32WindowSystem::TextLength(Window window) {
    if (!window) return 0;
    LRESULT length = 0;
    if (!SendTextMessage(ToHwnd(window), WM_GETTEXTLENGTH, 0, 0, length) || length <= 0) return 0;
    return length > INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(length);
}

int Win32WindowSystem::GetText(Window window, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return 0;
    buffer[0] = L'\0';
    if (!window) return 0;
    LRESULT copied = 0;
    if (!SendTextMessage(ToHwnd(window), WM_GETTEXT, static_cast<WPARAM>(capacity),
                         reinterpret_cast<LPARAM>(buffer), copied) ||
        copied <= 0) {
        buffer[0] = L'\0';
        return 0;
    }
    // A window procedure of another program may claim more than the buffer holds.
    const int count = copied >= capacity ? capacity - 1 : static_cast<int>(copied);
    buffer[count] = L'\0';
    return count;
}

bool Win32WindowSystem::ScreenRect(Window window, Rect& rect) {
    RECT r;
    if (!window || !GetWindowRect(ToHwnd(window), &r)) return false;
    rect = {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
    return true;
}

bool Win32WindowSystem::IsMinimised(Window window) { return window && IsIconic(ToHwnd(window)); }

Window Win32WindowSystem::ForegroundWindow() { return ToWindow(GetForegroundWindow()); }

short Win32WindowSystem::AsyncKeyState(int key) { return GetAsyncKeyState(key); }

Window Win32WindowSystem::FindTopLevel(const std::wstring& title) {
    // FindWindowEx compares titles without regard to case (and an empty title matches every
    // window), so each candidate's title is compared again exactly.
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, nullptr, title.c_str())) != nullptr) {
        std::vector<wchar_t> text(title.size() + 2, L'\0');
        // InternalGetWindowText reads the stored title without sending a message to its owner.
        const int length = InternalGetWindowText(candidate, text.data(), static_cast<int>(text.size()));
        if (length >= 0 && static_cast<std::size_t>(length) == title.size() &&
            std::wstring(text.data(), static_cast<std::size_t>(length)) == title)
            return ToWindow(candidate);
    }
    return 0;
}

void Win32WindowSystem::SendClick(Window window) {
    if (window) SendMessageW(ToHwnd(window), BM_CLICK, 0, 0);
}

void Win32WindowSystem::PostKey(Window window, unsigned message, unsigned key) {
    if (window) PostMessageW(ToHwnd(window), message, key, 0);
}

long Win32WindowSystem::Style(Window window) {
    return window ? GetWindowLongW(ToHwnd(window), GWL_STYLE) : 0;
}

long Win32WindowSystem::ExStyle(Window window) {
    return window ? GetWindowLongW(ToHwnd(window), GWL_EXSTYLE) : 0;
}

namespace {

bool SetLong(HWND hwnd, int index, long value) {
    if (!hwnd) return false;
    // A previous value of 0 is a valid answer; only the last error tells a failure.
    SetLastError(ERROR_SUCCESS);
    if (SetWindowLongW(hwnd, index, value) == 0 && GetLastError() != ERROR_SUCCESS) return false;
    // The frame is recomputed only when the window is told that it changed.
    return SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                        SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER |
                            SWP_NOACTIVATE) != FALSE;
}

}  // namespace

bool Win32WindowSystem::SetStyle(Window window, long style) { return SetLong(ToHwnd(window), GWL_STYLE, style); }

bool Win32WindowSystem::SetExStyle(Window window, long exStyle) {
    return SetLong(ToHwnd(window), GWL_EXSTYLE, exStyle);
}

bool Win32WindowSystem::SetParent(Window child, Window parent) {
    if (!child) return false;
    // The previous parent is returned on success; that of a top-level window is the desktop.
    SetLastError(ERROR_SUCCESS);
    if (::SetParent(ToHwnd(child), ToHwnd(parent)) == nullptr && GetLastError() != ERROR_SUCCESS) return false;
    return true;
}

bool Win32WindowSystem::Move(Window window, int x, int y) {
    return window &&
           SetWindowPos(ToHwnd(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool Win32WindowSystem::SetShown(Window window, bool shown) {
    // ShowWindow answers with the previous visibility, not with success.
    if (!window || !IsWindow(ToHwnd(window))) return false;
    ShowWindow(ToHwnd(window), shown ? SW_SHOWNA : SW_HIDE);
    return true;
}

}  // namespace os
