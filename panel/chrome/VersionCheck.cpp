#include "panel/core/Unit1.h"

void TForm1::Timer3Timer() {}
void TForm1::CheckNewVersion() {}
void TForm1::Label14MouseUp(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::Label11MouseUp(ui::Control&, ui::MouseButton, int, int) {}
