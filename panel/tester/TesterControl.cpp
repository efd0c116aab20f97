// Pause, continue, stop and speed of the terminal's strategy tester, worked through the
// tester's own controls as a user would work them. The tester's windows are looked up for
// every use: the terminal rebuilds its tester strip whenever it likes.
#include <string>

#include "panel/core/Unit1.h"
#include "panel/os/WindowText.h"
#include "panel/tester/TrackBarFrame.h"

namespace {

// The marks in the tester's pause button: "| |" while the test runs (a click pauses it),
// ">>" while it is paused (a click continues it). Searched as parts of the text.
const wchar_t kRunningMark[] = L"| |";
const wchar_t kPausedMark[] = L">>";
const wchar_t kPauseHint[] = L"Приостановить тестирование";
const wchar_t kContinueHint[] = L"Продолжить тестирование";

// Lines the tester's speed slider is set below its maximum at start-up, before the panel's
// own speed arrives.
constexpr int kPresetLinesBelowMaximum = 6;

bool Contains(const std::wstring& text, const wchar_t* mark) { return text.find(mark) != std::wstring::npos; }

void PostKeyPress(os::WindowSystem& windows, os::Window window, unsigned key) {
    windows.PostKey(window, os::kKeyDown, key);
    windows.PostKey(window, os::kKeyUp, key);
}

}  // namespace

void TForm1::Button1Click(ui::Control&) {
    os::WindowSystem& windows = Os().windows;
    const os::Window pause = FindTesterPauseButton();
    // Without the tester's button there is nothing to click and nothing to mirror.
    if (!pause) return;
    // Both reads come before the click: Button1 ends up offering what the click makes possible.
    if (Contains(os::ReadWindowText(windows, pause), kRunningMark)) {
        Button1.SetCaption(kPausedMark);
        Button1.SetHint(kContinueHint);
    }
    if (Contains(os::ReadWindowText(windows, pause), kPausedMark)) {
        Button1.SetCaption(kRunningMark);
        Button1.SetHint(kPauseHint);
    }
    windows.SendClick(pause);
}

void TForm1::Button2Click(ui::Control&) {
    try {
        if (const os::Window stop = FindTesterStopButton()) Os().windows.SendClick(stop);
    } catch (...) {
    }
}

void TForm1::TrackBar1Change(ui::Control&) {
    RefreshControls();
    const int position = TrackBar1.Position();
    // The tester's slider is never read back: Home takes it to its minimum, and each Down
    // one line on from there, so the whole sequence goes out on every change.
    if (const os::Window slider = FindTesterSpeedSlider()) {
        os::WindowSystem& windows = Os().windows;
        PostKeyPress(windows, slider, os::kVkHome);
        for (int i = 1; i < position; ++i) PostKeyPress(windows, slider, os::kVkDown);
    }
    TrackBar1.SetHint(std::to_wstring(position));
}

void TForm1::PauseForEditing(ui::Control& sender) {
    try {
        if (!CheckBox1.Checked()) return;
        const os::Window pause = FindTesterPauseButton();
        // Only when the panel and the tester agree that the test runs.
        if (Button1.Caption() == kRunningMark && Contains(os::ReadWindowText(Os().windows, pause), kRunningMark))
            Button1Click(sender);
    } catch (...) {
    }
}

void TForm1::ResumeAfterEditing(ui::Control& sender) {
    if (!CheckBox1.Checked()) return;
    const os::Window pause = FindTesterPauseButton();
    // Nothing records who paused the test: a pause the user made before opening the editor
    // ends here as well.
    if (Button1.Caption() == kPausedMark && Contains(os::ReadWindowText(Os().windows, pause), kPausedMark))
        Button1Click(sender);
}

void TForm1::SyncPauseButton() {
    try {
        os::WindowSystem& windows = Os().windows;
        const os::Window pause = FindTesterPauseButton();
        if (!pause) return;
        if (Contains(os::ReadWindowText(windows, pause), kRunningMark)) {
            Button1.SetCaption(kRunningMark);
            Button1.SetHint(kPauseHint);
        }
        if (Contains(os::ReadWindowText(windows, pause), kPausedMark)) {
            Button1.SetCaption(kPausedMark);
            Button1.SetHint(kContinueHint);
        }
    } catch (...) {
    }
}

void TForm1::PresetTesterSpeed() {
    const os::Window slider = FindTesterSpeedSlider();
    InstallTrackBarFrame(TrackBar1);
    if (!slider) return;
    os::WindowSystem& windows = Os().windows;
    PostKeyPress(windows, slider, os::kVkEnd);
    for (int i = 0; i < kPresetLinesBelowMaximum; ++i) PostKeyPress(windows, slider, os::kVkUp);
}
