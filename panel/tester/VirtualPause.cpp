#include "panel/core/Unit1.h"

void TForm1::Timer5Timer() {}
void TForm1::ContinueTestingClick(ui::Control&) {}
void TForm1::DeleteCommandsKey() {}
