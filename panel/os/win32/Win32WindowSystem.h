#pragma once
// The window operations of the panel on real windows, the terminal's included.
#include "panel/os/WindowSystem.h"

namespace os {

class Win32WindowSystem : public WindowSystem {
public:
    // How long a text read waits for a window of another program before it counts as failed.
    // Far above the time a responsive program takes to answer; a terminal that hangs makes
    // the read fail at once (SMTO_ABORTIFHUNG) rather than freezing the panel with it.
    static constexpr unsigned kTextTimeoutMilliseconds = 5000;

    // The window's parent; 0 for a top-level window (whose owner GetParent would give).
    Window Parent(Window window) override;
    Window FirstChild(Window window) override;
    Window NextSibling(Window window) override;
    Window PreviousSibling(Window window) override;

    // Texts travel as UTF-16, so that a caption reads the same whatever the system's
    // ANSI code page is.
    int TextLength(Window window) override;
    int GetText(Window window, wchar_t* buffer, int capacity) override;

    bool ScreenRect(Window window, Rect& rect) override;
    bool IsMinimised(Window window) override;
    Window ForegroundWindow() override;
    short AsyncKeyState(int key) override;
    Window FindTopLevel(const std::wstring& title) override;

    void SendClick(Window window) override;
    void PostKey(Window window, unsigned message, unsigned key) override;

    long Style(Window window) override;
    bool SetStyle(Window window, long style) override;
    long ExStyle(Window window) override;
    bool SetExStyle(Window window, long exStyle) override;
    bool SetParent(Window child, Window parent) override;
    bool Move(Window window, int x, int y) override;
    bool SetShown(Window window, bool shown) override;
};

}  // namespace os
