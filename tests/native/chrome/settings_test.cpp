// The settings key, the values in it, and the settings panel.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "panel/chrome/SettingsKey.h"
#include "tests/native/support/PanelFixture.h"

namespace {

using Type = os::FakeRegistry::Type;

std::uint32_t Bits(int value) { return static_cast<std::uint32_t>(value); }

class SettingsTest : public PanelFixture {
protected:
    std::wstring Key() const { return SettingsKeyPathFor(programFile); }

    void Store(const std::wstring& name, int value) { registry.SetDword(Key(), name, Bits(value)); }
    void StoreText(const std::wstring& name, const std::wstring& text) { registry.SetString(Key(), name, text); }

    // The value as a REG_DWORD; nothing when it is absent or of another type.
    std::optional<std::uint32_t> Stored(const std::wstring& name) const {
        const os::FakeRegistry::Value* value = registry.Get(Key(), name);
        if (!value || value->type != Type::Dword) return std::nullopt;
        return value->number;
    }
};

TEST_F(SettingsTest, FirstStartTakesEveryDefault) {
    ASSERT_FALSE(registry.KeyExists(Key()));
    TForm1& f = Build();
    f.main.SetBounds(400, 300, f.main.Width(), f.main.Height());
    f.LoadSettings(true);
    EXPECT_EQ(f.RadioGroup1.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup2.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup3.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup4.ItemIndex(), 0);
    EXPECT_EQ(f.SlTpSetType, 0);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 0);
    EXPECT_EQ(f.TrackBar1.Position(), 24);
    EXPECT_EQ(f.main.Left(), 0);
    EXPECT_EQ(f.main.Top(), 0);
    EXPECT_FALSE(registry.KeyExists(Key())) << "loading never creates the key";
}

TEST_F(SettingsTest, FirstShowCreatesTheEmptyKey) {
    Start();
    ASSERT_TRUE(started);
    // LoadWindowPos("pos") of the first show creates the key and finds nothing in it.
    EXPECT_TRUE(registry.KeyExists(Key()));
    for (const wchar_t* name : {L"pos_X", L"pos_Y", L"WND_X", L"SL_TP_Set_Type", L"TrackBarPos"})
        EXPECT_EQ(registry.Get(Key(), name), nullptr)
            << "a value appeared at start: " << testing::PrintToString(std::wstring(name));
}

TEST_F(SettingsTest, TheKeyPathFollowsTheProgramFile) {
    programFile = L"D:\\Tools\\Panel\\Quorvex.exe";
    EXPECT_EQ(Build().SettingsKeyPath(), L"SOFTWARE\\QuorvexD:_Tools_Panel");
}

TEST_F(SettingsTest, StartUpLoadPlacesMainFromTheCrossedValuesAndMovesTheSlider) {
    Store(L"WND_X", 100);  // main's top
    Store(L"WND_Y", 50);   // main's left
    Store(L"TrackBarPos", 10);
    TForm1& f = Build();
    int changes = 0;
    f.TrackBar1.OnChange = [&changes](ui::Control&) { ++changes; };
    f.LoadSettings(true);
    EXPECT_EQ(f.main.Top(), 100);
    EXPECT_EQ(f.main.Left(), 50);
    EXPECT_EQ(f.TrackBar1.Position(), 10);
    EXPECT_EQ(changes, 1) << "the slider's change handler runs for a new position";
}

TEST_F(SettingsTest, LoadNotForStartUpTouchesOnlyTheFourGroups) {
    Store(L"SL_TP_Set_Type", 1);
    Store(L"NewVersion_Type", 1);
    Store(L"WND_X", 100);
    Store(L"TrackBarPos", 3);
    TForm1& f = Build();
    const int left = f.main.Left(), top = f.main.Top(), position = f.TrackBar1.Position();
    f.LoadSettings(false);
    EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);
    EXPECT_EQ(f.RadioGroup4.ItemIndex(), 1);
    EXPECT_EQ(f.SlTpSetType, 0);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 0);
    EXPECT_EQ(f.main.Left(), left);
    EXPECT_EQ(f.main.Top(), top);
    EXPECT_EQ(f.TrackBar1.Position(), position);
}

// ---- What a stored value gives at start-up, one value at a time.

struct ChoiceCase {
    const char* what;
    const wchar_t* name;
    std::optional<int> number;     // stored as REG_DWORD
    const wchar_t* text;           // or stored as text
    int expectedIndex;
    std::optional<int> expectedPolicy;  // for the two values with a run-time copy
};

class StoredChoiceTest : public SettingsTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StoredChoiceTest, GroupIndexIsClampedAndThePolicyTakesTheNumberAsStored) {
    const ChoiceCase& c = GetParam();
    if (c.number) Store(c.name, *c.number);
    if (c.text) StoreText(c.name, c.text);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    const std::wstring name = c.name;
    ui::RadioGroup& group = name == L"SL_TP_Set_Type"     ? f.RadioGroup1
                            : name == L"WND_POS_Type"     ? f.RadioGroup2
                            : name == L"TrackBarPos_Type" ? f.RadioGroup3
                                                          : f.RadioGroup4;
    EXPECT_EQ(group.ItemIndex(), c.expectedIndex);
    if (c.expectedPolicy) {
        const int policy = name == L"SL_TP_Set_Type" ? f.SlTpSetType : f.VersionCheck->NewVersionType.load();
        EXPECT_EQ(policy, *c.expectedPolicy);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredChoiceTest,
    ::testing::Values(ChoiceCase{"sltp_one", L"SL_TP_Set_Type", 1, nullptr, 1, 1},
                      ChoiceCase{"sltp_minus_five", L"SL_TP_Set_Type", -5, nullptr, -1, -5},
                      ChoiceCase{"sltp_minus_one", L"SL_TP_Set_Type", -1, nullptr, -1, -1},
                      ChoiceCase{"sltp_as_text", L"SL_TP_Set_Type", std::nullopt, L"1", 0, 0},
                      ChoiceCase{"newversion_seven", L"NewVersion_Type", 7, nullptr, 1, 7},
                      ChoiceCase{"newversion_as_text", L"NewVersion_Type", std::nullopt, L"1", 0, 0},
                      ChoiceCase{"wndpos_two", L"WND_POS_Type", 2, nullptr, 1, std::nullopt},
                      ChoiceCase{"trackbartype_as_text", L"TrackBarPos_Type", std::nullopt, L"1", 0,
                                 std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

struct SliderCase {
    const char* what;
    std::optional<int> number;
    const wchar_t* text;
    int expectedPosition;
};

class StoredSliderTest : public SettingsTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(StoredSliderTest, SliderStartsAtTheStoredPositionWithinItsRange) {
    const SliderCase& c = GetParam();
    if (c.number) Store(L"TrackBarPos", *c.number);
    if (c.text) StoreText(L"TrackBarPos", c.text);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(f.TrackBar1.Position(), c.expectedPosition);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredSliderTest,
                         ::testing::Values(SliderCase{"absent", std::nullopt, nullptr, 24},
                                           SliderCase{"ten", 10, nullptr, 10},
                                           SliderCase{"zero", 0, nullptr, 0},
                                           SliderCase{"forty", 40, nullptr, 32},
                                           SliderCase{"negative", -3, nullptr, 0},
                                           SliderCase{"as_text", std::nullopt, L"10", 24}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SettingsTest, OneUnreadableValueCostsOnlyItself) {
    StoreText(L"SL_TP_Set_Type", L"1");
    Store(L"WND_POS_Type", 1);
    StoreText(L"TrackBarPos_Type", L"1");
    Store(L"NewVersion_Type", 1);
    StoreText(L"WND_X", L"300");
    Store(L"WND_Y", 44);
    Store(L"TrackBarPos", 5);
    TForm1& f = Build();
    f.LoadSettings(true);
    EXPECT_EQ(f.RadioGroup1.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup2.ItemIndex(), 1);
    EXPECT_EQ(f.RadioGroup3.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup4.ItemIndex(), 1);
    EXPECT_EQ(f.SlTpSetType, 0);
    EXPECT_EQ(f.main.Top(), 0);
    EXPECT_EQ(f.main.Left(), 44);
    EXPECT_EQ(f.TrackBar1.Position(), 5);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 1);
}

// ---- Saving.

struct SaveCase {
    const char* what;
    int positionType;
    int speedType;
    std::uint32_t expectedWndX, expectedWndY, expectedTrackBarPos;
};

class SaveSettingsTest : public SettingsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveSettingsTest, WritesAllSevenValuesAsDwords) {
    const SaveCase& c = GetParam();
    TForm1& f = Start();
    ASSERT_TRUE(started);
    f.main.SetLeft(40);
    f.main.SetTop(70);
    f.TrackBar1.SetPosition(12);
    f.RadioGroup1.SetItemIndex(1);
    f.RadioGroup2.SetItemIndex(c.positionType);
    f.RadioGroup3.SetItemIndex(c.speedType);
    f.RadioGroup4.SetItemIndex(1);
    f.SaveSettings();
    EXPECT_EQ(Stored(L"SL_TP_Set_Type"), 1u);
    EXPECT_EQ(Stored(L"WND_POS_Type"), Bits(c.positionType));
    EXPECT_EQ(Stored(L"TrackBarPos_Type"), Bits(c.speedType));
    EXPECT_EQ(Stored(L"NewVersion_Type"), 1u);
    EXPECT_EQ(Stored(L"WND_X"), c.expectedWndX);
    EXPECT_EQ(Stored(L"WND_Y"), c.expectedWndY);
    EXPECT_EQ(Stored(L"TrackBarPos"), c.expectedTrackBarPos);
}

INSTANTIATE_TEST_SUITE_P(Choices, SaveSettingsTest,
                         ::testing::Values(SaveCase{"remember_both", 0, 0, 70, 40, 12},
                                           SaveCase{"fixed_position", 1, 0, 15, 15, 12},
                                           SaveCase{"standard_speed", 0, 1, 70, 40, 24},
                                           SaveCase{"neither", 1, 1, 15, 15, 24},
                                           // "Nothing selected" is not the first item either.
                                           SaveCase{"no_selection", -1, -1, 15, 15, 24}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SettingsTest, NegativeNumbersGoOutAsTheirBitsAndComeBackSigned) {
    TForm1& f = Start();
    ASSERT_TRUE(started);
    f.main.SetLeft(-30);
    f.main.SetTop(-7);
    f.RadioGroup1.SetItemIndex(-1);
    f.SaveSettings();
    EXPECT_EQ(Stored(L"WND_Y"), 0xFFFFFFE2u);
    EXPECT_EQ(Stored(L"WND_X"), 0xFFFFFFF9u);
    EXPECT_EQ(Stored(L"SL_TP_Set_Type"), 0xFFFFFFFFu);

    form.reset();
    TForm1& again = Build();
    again.LoadSettings(true);
    EXPECT_EQ(again.main.Left(), -30);
    EXPECT_EQ(again.main.Top(), -7);
    EXPECT_EQ(again.SlTpSetType, -1);
    EXPECT_EQ(again.RadioGroup1.ItemIndex(), -1);
}

TEST_F(SettingsTest, ShutDownSavesTheSettingsAndMainsPlace) {
    TForm1& f = Start();
    ASSERT_TRUE(started);
    f.main.SetLeft(123);
    f.main.SetTop(45);
    f.DestroyForm();
    EXPECT_EQ(Stored(L"pos_X"), 123u);
    EXPECT_EQ(Stored(L"pos_Y"), 45u);
    EXPECT_EQ(Stored(L"WND_X"), 45u);
    EXPECT_EQ(Stored(L"WND_Y"), 123u);
    EXPECT_EQ(Stored(L"TrackBarPos"), Bits(f.TrackBar1.Position()));
}

// ---- The key of a folder whose name the registry refuses.

TEST_F(SettingsTest, AKeyNameTooLongForTheRegistryLoadsDefaultsAndSavesNothing) {
    // "Quorvex" + "C:_" + 246 letters: one character over the registry's limit.
    programFile = L"C:\\" + std::wstring(246, L'a') + L"\\Quorvex.exe";
    const std::wstring path = SettingsKeyPathFor(programFile);
    ASSERT_EQ(path.size() - std::wstring(L"SOFTWARE\\").size(), 256u);
    // Whatever a shortened name would find must not be taken for this folder's settings.
    const std::wstring shortened = path.substr(0, path.size() - 1);
    registry.SetDword(shortened, L"NewVersion_Type", 1);
    registry.SetDword(shortened, L"TrackBarPos", 5);
    registry.SetDword(shortened, L"pos_X", 99);

    TForm1& f = Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(f.RadioGroup4.ItemIndex(), 0);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 0);
    EXPECT_EQ(f.TrackBar1.Position(), 24);

    f.N3.Click(f.main);
    f.RadioGroup2.UserSelect(1);
    f.Button13.Click();
    f.SaveWindowPos(L"open_w", 1, 2);
    f.DestroyForm();
    EXPECT_FALSE(registry.KeyExists(path));
    EXPECT_EQ(registry.Get(shortened, L"WND_POS_Type"), nullptr);
    EXPECT_EQ(registry.Get(shortened, L"pos_Y"), nullptr);
    EXPECT_EQ(registry.Get(shortened, L"open_w_X"), nullptr);
    EXPECT_EQ(registry.Get(shortened, L"pos_X")->number, 99u);
}

TEST_F(SettingsTest, AKeyNameOfExactly255CharactersIsUsed) {
    programFile = L"C:\\" + std::wstring(245, L'a') + L"\\Quorvex.exe";
    Store(L"NewVersion_Type", 1);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 1);
    f.DestroyForm();
    EXPECT_TRUE(Stored(L"pos_X").has_value());
}

// ---- Window positions.

TEST_F(SettingsTest, LoadWindowPosCreatesTheKeyAndGivesZerosWhenItIsEmpty) {
    TForm1& f = Build();
    int x = 5, y = 6;
    f.LoadWindowPos(L"open_w", x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(registry.KeyExists(Key()));
}

struct PosCase {
    const char* what;
    std::optional<int> storedX;
    std::optional<int> storedY;
    bool xAsText;
    int expectedX, expectedY;
};

class LoadWindowPosTest : public SettingsTest, public ::testing::WithParamInterface<PosCase> {};

TEST_P(LoadWindowPosTest, TheFirstFailureEndsTheRead) {
    const PosCase& c = GetParam();
    if (c.xAsText) StoreText(L"open_w_X", L"7");
    if (c.storedX) Store(L"open_w_X", *c.storedX);
    if (c.storedY) Store(L"open_w_Y", *c.storedY);
    TForm1& f = Build();
    int x = 123, y = 456;
    f.LoadWindowPos(L"open_w", x, y);
    EXPECT_EQ(x, c.expectedX);
    EXPECT_EQ(y, c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(Pairs, LoadWindowPosTest,
                         ::testing::Values(PosCase{"both", 7, 9, false, 7, 9},
                                           PosCase{"negative", -10, -20, false, -10, -20},
                                           PosCase{"x_only", 7, std::nullopt, false, 7, 0},
                                           PosCase{"y_only", std::nullopt, 9, false, 0, 0},
                                           PosCase{"x_as_text", std::nullopt, 9, true, 0, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SettingsTest, SaveWindowPosWritesTheNamedPair) {
    TForm1& f = Build();
    f.SaveWindowPos(L"open_w", -5, 300);
    EXPECT_EQ(Stored(L"open_w_X"), 0xFFFFFFFBu);
    EXPECT_EQ(Stored(L"open_w_Y"), 300u);
    int x = 0, y = 0;
    f.LoadWindowPos(L"open_w", x, y);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 300);
}

// ---- Where main starts: "Позиционирование".

struct PlaceCase {
    const char* what;
    int positionType;
    int expectedLeft, expectedTop;
};

class StartPlaceTest : public SettingsTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(StartPlaceTest, FirstShowRestoresPosOnlyWhileThePositionIsRemembered) {
    const PlaceCase& c = GetParam();
    // Places well inside the form, where keeping main on screen leaves them alone.
    Store(L"WND_POS_Type", c.positionType);
    Store(L"WND_X", 400);  // top
    Store(L"WND_Y", 700);  // left
    Store(L"pos_X", 720);
    Store(L"pos_Y", 300);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(f.main.Left(), c.expectedLeft);
    EXPECT_EQ(f.main.Top(), c.expectedTop);
}

INSTANTIATE_TEST_SUITE_P(Choices, StartPlaceTest,
                         ::testing::Values(PlaceCase{"remembered", 0, 720, 300},
                                           PlaceCase{"not_remembered", 1, 700, 400},
                                           PlaceCase{"nothing_selected", -1, 700, 400}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SettingsTest, WithThePositionNotRememberedShutDownStillStoresPos) {
    Store(L"WND_POS_Type", 1);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    f.main.SetLeft(200);
    f.main.SetTop(100);
    f.DestroyForm();
    EXPECT_EQ(Stored(L"WND_X"), 15u);
    EXPECT_EQ(Stored(L"WND_Y"), 15u);
    EXPECT_EQ(Stored(L"pos_X"), 200u);
    EXPECT_EQ(Stored(L"pos_Y"), 100u);
}

// ---- The settings panel.

class SettingsPanelTest : public SettingsTest {
protected:
    TForm1& StartAt(int left, int top) {
        TForm1& f = Start();
        EXPECT_TRUE(started);
        f.main.SetLeft(left);
        f.main.SetTop(top);
        return f;
    }
    bool RegionIs(const TForm1& f, const ui::Control& only) const {
        return f.Region() == std::vector<os::Rect>{only.BoundsRect()};
    }
};

TEST_F(SettingsPanelTest, OpeningPutsThePanelInMainsPlace) {
    TForm1& f = StartAt(60, 70);
    ASSERT_FALSE(f.Properties.Visible());
    f.N3.Click(f.main);
    EXPECT_TRUE(f.Properties.Visible());
    EXPECT_FALSE(f.main.Visible());
    EXPECT_EQ(f.Properties.Left(), 60);
    EXPECT_EQ(f.Properties.Top(), 70);
    EXPECT_TRUE(RegionIs(f, f.Properties));
}

TEST_F(SettingsPanelTest, ApplySavesWithMainsOldPlaceThenBringsMainToThePanel) {
    TForm1& f = StartAt(60, 70);
    f.N3.Click(f.main);
    f.Properties.SetLeft(300);
    f.Properties.SetTop(200);
    f.RadioGroup1.UserSelect(1);
    f.RadioGroup4.UserSelect(1);
    EXPECT_EQ(f.SlTpSetType, 0) << "a choice acts only on Apply";
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 0);
    f.Button13.Click();
    EXPECT_EQ(f.SlTpSetType, 1);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 1);
    EXPECT_EQ(Stored(L"SL_TP_Set_Type"), 1u);
    EXPECT_EQ(Stored(L"NewVersion_Type"), 1u);
    EXPECT_EQ(Stored(L"WND_X"), 70u);
    EXPECT_EQ(Stored(L"WND_Y"), 60u);
    EXPECT_FALSE(f.Properties.Visible());
    EXPECT_TRUE(f.main.Visible());
    EXPECT_EQ(f.main.Left(), 300);
    EXPECT_EQ(f.main.Top(), 200);
    EXPECT_TRUE(RegionIs(f, f.main));
}

TEST_F(SettingsPanelTest, ApplyNormalisesStoredChoicesToTheGroupsIndexes) {
    Store(L"NewVersion_Type", 7);
    Store(L"SL_TP_Set_Type", -5);
    TForm1& f = Start();
    ASSERT_TRUE(started);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 7);
    EXPECT_EQ(f.SlTpSetType, -5);
    f.N3.Click(f.main);
    f.Button13.Click();
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 1);
    EXPECT_EQ(Stored(L"NewVersion_Type"), 1u);
    EXPECT_EQ(f.SlTpSetType, -1);
    EXPECT_EQ(Stored(L"SL_TP_Set_Type"), 0xFFFFFFFFu);
}

TEST_F(SettingsPanelTest, CancelPutsTheStoredChoicesBackAndKeepsThePolicies) {
    Store(L"SL_TP_Set_Type", 1);
    Store(L"WND_POS_Type", 0);
    Store(L"TrackBarPos_Type", 1);
    Store(L"NewVersion_Type", 0);
    TForm1& f = StartAt(60, 70);
    f.N3.Click(f.main);
    f.Properties.SetLeft(310);
    f.RadioGroup1.UserSelect(0);
    f.RadioGroup2.UserSelect(1);
    f.RadioGroup3.UserSelect(0);
    f.RadioGroup4.UserSelect(1);
    f.Button12.Click();
    EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);
    EXPECT_EQ(f.RadioGroup2.ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup3.ItemIndex(), 1);
    EXPECT_EQ(f.RadioGroup4.ItemIndex(), 0);
    EXPECT_EQ(f.SlTpSetType, 1);
    EXPECT_EQ(f.VersionCheck->NewVersionType.load(), 0);
    EXPECT_EQ(Stored(L"WND_POS_Type"), 0u);
    EXPECT_FALSE(Stored(L"WND_X").has_value()) << "Cancel saves nothing";
    EXPECT_FALSE(f.Properties.Visible());
    EXPECT_TRUE(f.main.Visible());
    EXPECT_EQ(f.main.Left(), 310);
    EXPECT_EQ(f.main.Top(), 70);
    EXPECT_TRUE(RegionIs(f, f.main));
}

TEST_F(SettingsPanelTest, AKeyOnEitherButtonOnlyKicksTheRepaint) {
    TForm1& f = StartAt(60, 70);
    f.N3.Click(f.main);
    f.RadioGroup4.UserSelect(1);
    for (ui::Button* button : {&f.Button12, &f.Button13}) {
        windows.ClearLog();
        button->KeyDown(0x0D);
        EXPECT_TRUE(f.Properties.Visible());
        EXPECT_FALSE(f.main.Visible());
        EXPECT_EQ(f.RadioGroup4.ItemIndex(), 1);
        EXPECT_FALSE(Stored(L"NewVersion_Type").has_value());
        const auto sent = windows.LogFor(f.NativeHandle());
        const std::vector<os::FakeWindowSystem::Message> alt{{f.NativeHandle(), os::kKeyDown, os::kVkMenu},
                                                             {f.NativeHandle(), os::kKeyUp, os::kVkMenu}};
        EXPECT_EQ(sent, alt);
    }
}

}  // namespace
