#include "panel/core/Unit1.h"

void TForm1::Timer1Timer() {}
void TForm1::RefreshSelection() {}
void TForm1::SyncCloseVolume() {}
void TForm1::ORDERS_LIST_mClick(ui::Control&) {}
