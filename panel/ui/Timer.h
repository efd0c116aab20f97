#pragma once
#include <functional>
#include <string>

namespace ui {

// A timer of a form. Setting Enabled or Interval (re)starts it, as the VCL's TTimer does;
// an unchanged value does nothing.
class Timer {
public:
    explicit Timer(std::wstring name, int interval = 1000, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::wstring& Name() const { return name_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int interval);

    std::function<void()> OnTimer;
    // Called by the backend when the interval has passed.
    void Fire();

private:
    std::wstring name_;
    int interval_;
    bool enabled_;
};

}  // namespace ui
