#pragma once
// The main form in the terminal-like window family, with what the tester tests look at: the
// messages that reached the terminal's windows, and key sequences written out as the
// tester's controls receive them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "panel/os/fake/FakeWindowSystem.h"
#include "panel/tester/headless/TrackBarFrameLog.h"
#include "tests/native/support/PanelFixture.h"

namespace os {
// Internal linkage: gtest finds it by argument-dependent lookup in this test's units only.
[[maybe_unused]] static void PrintTo(const FakeWindowSystem::Message& m, std::ostream* out) {
    const char* name = m.message == kButtonClick ? "BM_CLICK"
                       : m.message == kKeyDown   ? "WM_KEYDOWN"
                       : m.message == kKeyUp     ? "WM_KEYUP"
                                                 : "?";
    *out << "{window 0x" << std::hex << m.window << ", " << name << ", key 0x" << m.key << std::dec << "}";
}
}  // namespace os

class TesterFixture : public PanelFixture {
protected:
    using Message = os::FakeWindowSystem::Message;

    TesterFixture() { ForgetTrackBarFrames(); }

    // Everything that went to windows other than the panel's own (which gets its own
    // keys from RefreshControls): the terminal's windows, or a window 0 by mistake.
    std::vector<Message> SentToTerminal() const {
        std::vector<Message> result;
        const os::Window self = form ? form->NativeHandle() : 0;
        for (const Message& m : windows.Log())
            if (!self || m.window != self) result.push_back(m);
        return result;
    }

    static std::vector<Message> Presses(os::Window window, unsigned key, int times) {
        std::vector<Message> result;
        for (int i = 0; i < times; ++i) {
            result.push_back({window, os::kKeyDown, key});
            result.push_back({window, os::kKeyUp, key});
        }
        return result;
    }
    static std::vector<Message> Then(std::vector<Message> first, const std::vector<Message>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    }
    // What one change of the panel's slider posts: Home once, then `downs` times Down.
    std::vector<Message> SpeedSequence(int downs) const {
        return Then(Presses(speedSlider, os::kVkHome, 1), Presses(speedSlider, os::kVkDown, downs));
    }
    Message Click(os::Window window) const { return {window, os::kButtonClick, 0}; }
};
