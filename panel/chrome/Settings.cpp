#include "panel/core/Unit1.h"

std::wstring TForm1::SettingsKeyPath() const { return {}; }
void TForm1::LoadSettings(bool) {}
void TForm1::SaveSettings() {}
void TForm1::LoadWindowPos(const std::wstring&, int& x, int& y) { x = y = 0; }
void TForm1::SaveWindowPos(const std::wstring&, int, int) {}
void TForm1::N3Click(ui::Control&) {}
void TForm1::Button12Click(ui::Control&) {}
void TForm1::Button13Click(ui::Control&) {}
