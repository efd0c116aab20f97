#include "panel/core/Unit1.h"

void TForm1::UpdateWindowRegion() {}
void TForm1::RefreshControls() {}
void TForm1::KeepMainPanelOnScreen() {}
void TForm1::ForwardF11ToChart() {}
void TForm1::Timer4Timer() {}
void TForm1::mainDblClick(ui::Control&) {}
