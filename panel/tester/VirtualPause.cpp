// The panel's half of the virtual pause: the terminal side holds the test at each new bar;
// the panel publishes the user's switch and lets a hold go. The two meet in the commands
// key, which every panel of the user shares and which is opened and closed on each use.
#include <cstdint>

#include "panel/core/Unit1.h"
#include "panel/tester/CommandsKey.h"

void TForm1::Timer5Timer() {
    const bool wanted = NeedVirtualPauseByNewBar.Checked();
    bool held = false;
    try {
        // Created when missing: another panel's start or end may have deleted it.
        if (auto key = Os().registry.Open(kCommandsKeyPath, true)) {
            // A failed write leaves the rest of the exchange for the next tick.
            if (key->WriteDword(kNeedVirtualPauseValue, wanted ? 1 : 0) &&
                (wanted || key->WriteDword(kVirtualPausedValue, 0))) {
                // Only a REG_DWORD counts: a text "1" is not a hold.
                std::uint32_t paused = 0;
                held = key->ReadDword(kVirtualPausedValue, paused) && paused != 0;
            }
        }
    } catch (...) {
        held = false;
    }
    ContinueTesting.SetVisible(wanted && held);
}

void TForm1::ContinueTestingClick(ui::Control&) {
    try {
        if (auto key = Os().registry.Open(kCommandsKeyPath, true)) key->WriteDword(kVirtualPausedValue, 0);
    } catch (...) {
    }
    // At once, not at the next tick: the user sees the hold end with the click.
    ContinueTesting.Hide();
}

void TForm1::DeleteCommandsKey() {
    try {
        Os().registry.DeleteTree(kCommandsKeyPath);
    } catch (...) {
    }
}
