#pragma once
// What the headless frame installation remembers, for the native tests: the windows whose
// procedure would have been wrapped.
#include <vector>

#include "panel/ui/Controls.h"

const std::vector<ui::Handle>& InstalledTrackBarFrames();
// Headless handles repeat from one test's backend to the next: forget the earlier ones.
void ForgetTrackBarFrames();
