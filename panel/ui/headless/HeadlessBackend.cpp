#include "panel/ui/headless/HeadlessBackend.h"

#include <limits>

namespace ui {

namespace {

class HeadlessPeer : public ControlPeer {
public:
    explicit HeadlessPeer(Handle handle) : handle_(handle) {}
    Handle NativeHandle() const override { return handle_; }

private:
    Handle handle_;
};

}  // namespace

HeadlessBackend::HeadlessBackend() : nextHandle_(0x10000), applicationHandle_(nextHandle_++) {
    SetBackend(this);
}

HeadlessBackend::~HeadlessBackend() {
    if (CurrentBackend() == this) SetBackend(nullptr);
}

void HeadlessBackend::Realize(Form& form) {
    form.ForEach([this](Control& control) {
        if (control.Peer()) return;
        const Handle handle = control.IsGraphic() ? 0 : nextHandle_++;
        handles_[&control] = handle;
        control.AttachPeer(std::make_unique<HeadlessPeer>(handle));
    });
}

Handle HeadlessBackend::HandleOf(const Control& control) const {
    auto it = handles_.find(&control);
    return it == handles_.end() ? 0 : it->second;
}

void HeadlessBackend::TimerChanged(Timer& timer) {
    if (timer.Enabled() && timer.Interval() > 0)
        timers_[&timer] = Schedule{now_ + timer.Interval(), nextOrder_++};
    else
        timers_.erase(&timer);
}

void HeadlessBackend::TimerGone(Timer& timer) { timers_.erase(&timer); }

std::int64_t HeadlessBackend::DueTime(const Timer& timer) const {
    auto it = timers_.find(const_cast<Timer*>(&timer));
    return it == timers_.end() ? -1 : it->second.due;
}

void HeadlessBackend::Advance(std::int64_t milliseconds) {
    const std::int64_t target = now_ + milliseconds;
    for (;;) {
        Timer* next = nullptr;
        Schedule best{std::numeric_limits<std::int64_t>::max(), 0};
        for (auto& [timer, schedule] : timers_) {
            if (schedule.due > target) continue;
            if (schedule.due < best.due || (schedule.due == best.due && schedule.order < best.order)) {
                best = schedule;
                next = timer;
            }
        }
        if (!next) break;
        now_ = best.due;
        // Rescheduled before it runs, so that a handler that changes its own timer wins.
        timers_[next] = Schedule{now_ + next->Interval(), nextOrder_++};
        next->Fire();
    }
    now_ = target;
}

int HeadlessBackend::MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) {
    messageBoxes_.push_back({text, caption, flags});
    return kIdOk;
}

void HeadlessBackend::ShowPopupMenu(PopupMenu& menu, Control& owner, int x, int y) {
    popups_.push_back({&menu, &owner, x, y});
}

}  // namespace ui
