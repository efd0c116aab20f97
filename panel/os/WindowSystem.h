#pragma once
// The windows of other programs (the terminal's) and the raw window operations that
// the panel performs on its own top-level windows. Win32 implementation in win32/,
// an in-memory window tree for the native tests in fake/.
#include <cstdint>
#include <string>

#include "panel/os/Rect.h"

namespace os {

using Window = std::uintptr_t;

// Window messages and keys the panel sends, with their platform values.
constexpr unsigned kKeyDown = 0x0100;  // WM_KEYDOWN
constexpr unsigned kKeyUp = 0x0101;    // WM_KEYUP
constexpr unsigned kVkMenu = 0x12;
constexpr unsigned kVkEnd = 0x23;
constexpr unsigned kVkHome = 0x24;
constexpr unsigned kVkUp = 0x26;
constexpr unsigned kVkDown = 0x28;
constexpr unsigned kVkF11 = 0x7A;

constexpr long kStyleCaption = 0x00C00000L;     // WS_CAPTION
constexpr long kStyleThickFrame = 0x00040000L;  // WS_THICKFRAME
constexpr long kExStyleToolWindow = 0x00000080L;  // WS_EX_TOOLWINDOW

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Tree walks. Children come in the system's stacking order: the topmost first.
    virtual Window Parent(Window window) = 0;
    virtual Window FirstChild(Window window) = 0;
    virtual Window NextSibling(Window window) = 0;
    virtual Window PreviousSibling(Window window) = 0;

    // WM_GETTEXTLENGTH, and WM_GETTEXT into a buffer of `capacity` characters including
    // the terminating zero; returns the count copied (never more than capacity - 1).
    virtual int TextLength(Window window) = 0;
    virtual int GetText(Window window, wchar_t* buffer, int capacity) = 0;

    virtual bool ScreenRect(Window window, Rect& rect) = 0;
    virtual bool IsMinimised(Window window) = 0;
    virtual Window ForegroundWindow() = 0;
    virtual short AsyncKeyState(int key) = 0;
    // Top-level window whose title is exactly `title`, or 0.
    virtual Window FindTopLevel(const std::wstring& title) = 0;

    // BM_CLICK, sent: waits until the target has handled it.
    virtual void SendClick(Window window) = 0;
    // WM_KEYDOWN / WM_KEYUP with lParam 0, posted.
    virtual void PostKey(Window window, unsigned message, unsigned key) = 0;

    // Raw operations on windows of our own.
    virtual long Style(Window window) = 0;
    virtual bool SetStyle(Window window, long style) = 0;
    virtual long ExStyle(Window window) = 0;
    virtual bool SetExStyle(Window window, long exStyle) = 0;
    virtual bool SetParent(Window child, Window parent) = 0;
    // Moves without resizing, without activating and without touching the z-order.
    virtual bool Move(Window window, int x, int y) = 0;
    virtual bool SetShown(Window window, bool shown) = 0;
};

}  // namespace os
