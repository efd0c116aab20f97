#include "panel/ui/Timer.h"

#include "panel/ui/Backend.h"

namespace ui {

namespace {
Backend* backend = nullptr;
}

Backend* CurrentBackend() { return backend; }
void SetBackend(Backend* b) { backend = b; }

Timer::Timer(std::wstring name, int interval, bool enabled)
    : name_(std::move(name)), interval_(interval), enabled_(enabled) {
    if (backend) backend->TimerChanged(*this);
}

Timer::~Timer() {
    if (backend) backend->TimerGone(*this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (backend) backend->TimerChanged(*this);
}

void Timer::SetInterval(int interval) {
    if (interval == interval_) return;
    interval_ = interval;
    if (backend) backend->TimerChanged(*this);
}

void Timer::Fire() {
    if (enabled_ && OnTimer) OnTimer();
}

}  // namespace ui
