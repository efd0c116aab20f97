#pragma once
// The grey frame around the panel's speed slider. The slider's own window procedure keeps
// doing all its work; ours only draws the frame over the whole window after each paint.
#include "panel/ui/Controls.h"

// Wraps the slider window's procedure once; a second call for the same window does nothing.
// False when the slider has no window.
bool InstallTrackBarFrame(ui::TrackBar& trackBar);
