#include "panel/core/Unit1.h"

void TForm1::LayOutForm() {}
void TForm1::LayOutMainPanel() {}
void TForm1::LayOutPropertiesPanel() {}
