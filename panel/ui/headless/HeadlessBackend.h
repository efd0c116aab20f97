#pragma once
// The backend of the native tests: state only, a virtual clock that fires timers in
// order, recorded message boxes, focus and pop-up menus.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "panel/ui/Backend.h"

namespace ui {

class HeadlessBackend : public Backend {
public:
    struct MessageBoxCall {
        std::wstring text;
        std::wstring caption;
        unsigned flags;
    };
    struct PopupCall {
        PopupMenu* menu;
        Control* owner;
        int x, y;
    };

    HeadlessBackend();
    ~HeadlessBackend() override;

    void Realize(Form& form) override;
    void TimerChanged(Timer& timer) override;
    void TimerGone(Timer& timer) override;
    int MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) override;
    void SetFocus(Control* control) override { focused_ = control; }
    Control* Focused() const override { return focused_; }
    void ShowPopupMenu(PopupMenu& menu, Control& owner, int x, int y) override;
    Handle ApplicationHandle() const override { return applicationHandle_; }
    void Terminate() override { terminated_ = true; }
    bool Terminated() const override { return terminated_; }

    // Virtual time in milliseconds since construction.
    std::int64_t Now() const { return now_; }
    // Moves the clock on, firing every timer that falls due, in the order of the moments
    // they fall due (ties in the order the timers were started).
    void Advance(std::int64_t milliseconds);
    // When `timer` fires next, or −1 while it is stopped.
    std::int64_t DueTime(const Timer& timer) const;

    // Every handle given to a window of a realized form, by control.
    Handle HandleOf(const Control& control) const;
    const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<PopupCall>& Popups() const { return popups_; }

private:
    struct Schedule {
        std::int64_t due;
        std::uint64_t order;
    };
    std::map<Timer*, Schedule> timers_;
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    Handle nextHandle_;
    Handle applicationHandle_;
    Control* focused_ = nullptr;
    bool terminated_ = false;
    std::vector<MessageBoxCall> messageBoxes_;
    std::vector<PopupCall> popups_;
    std::map<const Control*, Handle> handles_;
};

}  // namespace ui
