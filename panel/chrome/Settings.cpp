// The settings key of this program folder, the values in it, and the settings panel.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "panel/chrome/SettingsKey.h"
#include "panel/core/Unit1.h"

namespace {

// The standard speed position of the panel's slider.
constexpr int kStandardTrackBarPosition = 24;
// Where main starts when the user does not want its position remembered.
constexpr int kFixedMainPanelPlace = 15;

// The registry holds 32-bit patterns; the panel's values are signed (an index of −1 means
// "nothing selected"), so they go in and come out as the same bits.
std::uint32_t ToStored(int value) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(value)); }
int FromStored(std::uint32_t value) { return static_cast<std::int32_t>(value); }

std::unique_ptr<os::RegistryKey> OpenKey(os::Registry& registry, const std::wstring& path, bool create) {
    // A name the registry would refuse is refused here as well, whatever the registry at hand
    // does with it, so that such a folder never gets a key of a different name.
    if (!RegistryKeyNameFits(path)) return nullptr;
    try {
        return registry.Open(path, create);
    } catch (...) {
        return nullptr;
    }
}

// One value, or `fallback` when the key is missing, the value is absent or not a REG_DWORD.
int ReadOr(os::RegistryKey* key, const wchar_t* name, int fallback) {
    if (!key) return fallback;
    try {
        std::uint32_t stored = 0;
        if (key->ReadDword(name, stored)) return FromStored(stored);
    } catch (...) {
    }
    return fallback;
}

bool Write(os::RegistryKey& key, const std::wstring& name, int value) {
    try {
        return key.WriteDword(name, ToStored(value));
    } catch (...) {
        return false;
    }
}

}  // namespace

std::wstring TForm1::SettingsKeyPath() const { return SettingsKeyPathFor(services_.programFile); }

void TForm1::LoadSettings(bool startup) {
    const std::unique_ptr<os::RegistryKey> key = OpenKey(services_.registry, SettingsKeyPath(), false);
    os::RegistryKey* k = key.get();
    // Each value on its own: a bad one costs only itself its stored setting.
    auto apply = [](auto&& step) {
        try {
            step();
        } catch (...) {
        }
    };
    apply([&] { RadioGroup1.SetItemIndex(ReadOr(k, L"SL_TP_Set_Type", 0)); });
    apply([&] { RadioGroup2.SetItemIndex(ReadOr(k, L"WND_POS_Type", 0)); });
    apply([&] { RadioGroup3.SetItemIndex(ReadOr(k, L"TrackBarPos_Type", 0)); });
    apply([&] { RadioGroup4.SetItemIndex(ReadOr(k, L"NewVersion_Type", 0)); });
    if (!startup) return;
    // The policies take the stored numbers as they are, not the groups' clamped indexes.
    apply([&] { SlTpSetType = ReadOr(k, L"SL_TP_Set_Type", 0); });
    // "WND_X" holds main's top and "WND_Y" its left.
    apply([&] { main.SetTop(ReadOr(k, L"WND_X", 0)); });
    apply([&] { main.SetLeft(ReadOr(k, L"WND_Y", 0)); });
    apply([&] { TrackBar1.SetPosition(ReadOr(k, L"TrackBarPos", kStandardTrackBarPosition)); });
    apply([&] { VersionCheck->NewVersionType = ReadOr(k, L"NewVersion_Type", 0); });
}

void TForm1::SaveSettings() {
    const std::unique_ptr<os::RegistryKey> key = OpenKey(services_.registry, SettingsKeyPath(), true);
    if (!key) return;
    const bool rememberPosition = RadioGroup2.ItemIndex() == 0;
    const bool rememberSpeed = RadioGroup3.ItemIndex() == 0;
    const std::pair<const wchar_t*, int> values[] = {
        {L"SL_TP_Set_Type", RadioGroup1.ItemIndex()},
        {L"WND_POS_Type", RadioGroup2.ItemIndex()},
        {L"TrackBarPos_Type", RadioGroup3.ItemIndex()},
        {L"NewVersion_Type", RadioGroup4.ItemIndex()},
        {L"WND_X", rememberPosition ? main.Top() : kFixedMainPanelPlace},
        {L"WND_Y", rememberPosition ? main.Left() : kFixedMainPanelPlace},
        {L"TrackBarPos", rememberSpeed ? TrackBar1.Position() : kStandardTrackBarPosition},
    };
    for (const auto& [name, value] : values)
        if (!Write(*key, name, value)) return;
}

void TForm1::LoadWindowPos(const std::wstring& name, int& x, int& y) {
    x = 0;
    y = 0;
    const std::unique_ptr<os::RegistryKey> key = OpenKey(services_.registry, SettingsKeyPath(), true);
    if (!key) return;
    try {
        std::uint32_t stored = 0;
        if (!key->ReadDword(name + L"_X", stored)) return;
        x = FromStored(stored);
        if (!key->ReadDword(name + L"_Y", stored)) return;
        y = FromStored(stored);
    } catch (...) {
    }
}

void TForm1::SaveWindowPos(const std::wstring& name, int x, int y) {
    const std::unique_ptr<os::RegistryKey> key = OpenKey(services_.registry, SettingsKeyPath(), true);
    if (!key) return;
    if (!Write(*key, name + L"_X", x)) return;
    Write(*key, name + L"_Y", y);
}

void TForm1::RestoreMainPanelPosition() {
    // "не запоминать позицию окна программы": main stays where the start-up load put it from
    // "WND_X"/"WND_Y", which every save with this choice sets to 15, 15. The "pos" pair is
    // still stored at shut-down, so choosing to remember again brings the last place back.
    if (RadioGroup2.ItemIndex() != 0) return;
    int x = 0;
    int y = 0;
    LoadWindowPos(L"pos", x, y);
    main.SetLeft(x);
    main.SetTop(y);
}

// ---- The settings panel. It takes main's place while it is open.

void TForm1::N3Click(ui::Control&) {
    RefreshControls();
    Properties.SetLeft(main.Left());
    Properties.SetTop(main.Top());
    Properties.Show();
    main.Hide();
    UpdateWindowRegion();
}

void TForm1::Button13Click(ui::Control&) {
    RefreshControls();
    // Saved while main still has the place it had when the panel opened.
    SaveSettings();
    SlTpSetType = RadioGroup1.ItemIndex();
    VersionCheck->NewVersionType = RadioGroup4.ItemIndex();
    main.SetLeft(Properties.Left());
    main.SetTop(Properties.Top());
    Properties.Hide();
    main.Show();
    UpdateWindowRegion();
}

void TForm1::Button12Click(ui::Control&) {
    RefreshControls();
    // The stored choices go back into the groups; the active policies were never changed.
    LoadSettings(false);
    main.SetLeft(Properties.Left());
    main.SetTop(Properties.Top());
    Properties.Hide();
    main.Show();
    UpdateWindowRegion();
}
