#pragma once
// An in-memory window tree for the native tests: texts, stacking order, screen rectangles,
// minimised state, the foreground window, key states, and a log of what was sent and posted.
#include <map>
#include <string>
#include <vector>

#include "panel/os/WindowSystem.h"

namespace os {

constexpr unsigned kButtonClick = 0x00F5;  // BM_CLICK

class FakeWindowSystem : public WindowSystem {
public:
    struct Message {
        Window window;
        unsigned message;  // kButtonClick, kKeyDown or kKeyUp
        unsigned key;      // the key of a key message, 0 otherwise
        bool operator==(const Message&) const = default;
    };

    // A new window at the bottom of its parent's children (parent 0: a top-level window).
    Window Add(Window parent, const std::wstring& text = {});
    // The same with a handle of the caller's choosing (the panel's own windows).
    Window AddWithHandle(Window handle, Window parent, const std::wstring& text = {});
    void Remove(Window window);
    // Moves a window to the top of its siblings.
    void BringToTop(Window window);
    void SetText(Window window, const std::wstring& text);
    void SetScreenRect(Window window, Rect rect);
    void SetMinimised(Window window, bool minimised);
    void SetForeground(Window window) { foreground_ = window; }
    void SetKeyState(int key, short state) { keyStates_[key] = state; }
    bool Exists(Window window) const { return windows_.count(window) != 0; }
    bool Shown(Window window) const;

    const std::vector<Message>& Log() const { return log_; }
    std::vector<Message> LogFor(Window window) const;
    void ClearLog() { log_.clear(); }
    // GetText calls so far, to show that a search stops where it should.
    int TextReads() const { return textReads_; }

    Window Parent(Window window) override;
    Window FirstChild(Window window) override;
    Window NextSibling(Window window) override;
    Window PreviousSibling(Window window) override;
    int TextLength(Window window) override;
    int GetText(Window window, wchar_t* buffer, int capacity) override;
    bool ScreenRect(Window window, Rect& rect) override;
    bool IsMinimised(Window window) override;
    Window ForegroundWindow() override { return foreground_; }
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

private:
    struct Node {
        Window parent = 0;
        std::vector<Window> children;  // topmost first
        std::wstring text;
        Rect rect;
        bool minimised = false;
        bool shown = true;
        long style = 0;
        long exStyle = 0;
    };
    std::vector<Window>& SiblingsOf(Window window);
    Node* Find(Window window);

    std::map<Window, Node> windows_;
    std::vector<Window> topLevel_;
    std::vector<Message> log_;
    std::map<int, short> keyStates_;
    Window foreground_ = 0;
    Window nextHandle_ = 0x1000;
    int textReads_ = 0;
};

}  // namespace os
