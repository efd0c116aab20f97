#pragma once
// What a form and its controls need from the platform beyond their own windows.
#include <string>

#include "panel/ui/Controls.h"
#include "panel/ui/Timer.h"

namespace ui {

// Message box flags, with the platform's values.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconWarning = 0x30;
constexpr int kIdOk = 1;

class Backend {
public:
    virtual ~Backend() = default;

    // Creates the windows of a form and of all its controls and attaches their peers.
    virtual void Realize(Form& form) = 0;
    // A timer was enabled, disabled, given a new interval, or is going away.
    virtual void TimerChanged(Timer& timer) = 0;
    virtual void TimerGone(Timer& timer) = 0;

    virtual int MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) = 0;
    virtual void SetFocus(Control* control) = 0;
    virtual Control* Focused() const = 0;
    virtual void ShowPopupMenu(PopupMenu& menu, Control& owner, int x, int y) = 0;

    // The application's hidden top-level window, the owner of every form.
    virtual Handle ApplicationHandle() const = 0;
    // Ends the program once the current work is done.
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;
};

// The backend the program runs on; set once at start.
Backend* CurrentBackend();
void SetBackend(Backend* backend);

}  // namespace ui
