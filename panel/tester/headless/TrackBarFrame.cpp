#include "panel/tester/TrackBarFrame.h"

#include <algorithm>

#include "panel/tester/headless/TrackBarFrameLog.h"

namespace {
std::vector<ui::Handle>& Installed() {
    static std::vector<ui::Handle> installed;
    return installed;
}
}  // namespace

bool InstallTrackBarFrame(ui::TrackBar& trackBar) {
    const ui::Handle window = trackBar.NativeHandle();
    if (!window) return false;
    auto& installed = Installed();
    // The real one refuses to wrap its own procedure, which would call itself for ever.
    if (std::find(installed.begin(), installed.end(), window) == installed.end()) installed.push_back(window);
    return true;
}

const std::vector<ui::Handle>& InstalledTrackBarFrames() { return Installed(); }

void ForgetTrackBarFrames() { Installed().clear(); }
