#include "panel/core/Unit1.h"

void TForm1::mainMouseDown(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::mainMouseMove(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::mainMouseUp(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TP_SL_WNDMouseDown(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TP_SL_WNDMouseMove(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TP_SL_WNDMouseUp(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TSL_WNDMouseDown(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TSL_WNDMouseMove(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::SET_TSL_WNDMouseUp(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::PropertiesMouseDown(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::PropertiesMouseMove(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::PropertiesMouseUp(ui::Control&, ui::MouseButton, int, int) {}
void TForm1::PlacePanelAfterDrag(ui::Panel&, int, int) {}
