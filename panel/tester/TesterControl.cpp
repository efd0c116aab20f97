#include "panel/core/Unit1.h"

void TForm1::Button1Click(ui::Control&) {}
void TForm1::Button2Click(ui::Control&) {}
void TForm1::TrackBar1Change(ui::Control&) {}
void TForm1::PauseForEditing(ui::Control&) {}
void TForm1::ResumeAfterEditing(ui::Control&) {}
void TForm1::SyncPauseButton() {}
void TForm1::PresetTesterSpeed() {}
