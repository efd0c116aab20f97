// The overlay as laid out, before anything has run.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/native/support/PanelFixture.h"

namespace {

using os::Rect;

constexpr ui::Color kLabelColor = 5197647;

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

ui::Control* Find(ui::Control& root, const std::wstring& name) {
    ui::Control* found = nullptr;
    root.ForEach([&](ui::Control& c) {
        if (c.Name() == name) found = &c;
    });
    return found;
}

class LayoutTest : public PanelFixture {};

// The main panel, top to bottom: place, size and text of every control on it.
struct MainRow {
    const wchar_t* name;
    int left, top, width, height;
    const wchar_t* caption;
};

const MainRow kMainPanel[] = {
    {L"Label7", 8, 4, 86, 15, L"Quorvex 1.1.4"},
    {L"Label14", 144, 4, 135, 15, L"Скачать новую версию"},
    {L"AdvSplitter2", 8, 20, 297, 3, L""},
    {L"Label6", 61, 25, 64, 16, L"Bid / Ask:"},
    {L"Label10", 141, 25, 100, 16, L"1.2345 / 1.2348"},
    {L"SpriteButton9", 16, 47, 80, 25, L""},
    {L"SpriteButton27", 216, 47, 80, 25, L""},
    {L"Edit12", 128, 49, 58, 21, L"1"},
    {L"RzSpinButtons8", 168, 51, 18, 18, L""},
    {L"Button10", 16, 82, 137, 27, L"&Детальное открытие"},
    {L"CheckBox1", 160, 87, 89, 17, L"делать паузу"},
    {L"AdvSplitter1", 8, 112, 297, 3, L""},
    {L"Label9", 48, 118, 193, 15, L"Действия с открытыми ордерами:"},
    {L"ORDERS_LIST_m", 6, 136, 171, 89, L""},
    {L"Button3", 184, 136, 123, 25, L"Изменить цену/SL/TP"},
    {L"Button4", 184, 168, 123, 25, L"Установить T-SL"},
    {L"Edit5", 184, 201, 58, 21, L"1"},
    {L"RzSpinButtons4", 224, 203, 18, 18, L""},
    {L"Button7", 248, 200, 59, 25, L"Закрыть"},
    {L"AdvSplitter4", 8, 232, 297, 3, L""},
    {L"NeedVirtualPauseByNewBar", 8, 237, 233, 17, L"виртуальная пауза вначале нового бара"},
    {L"ContinueTesting", 8, 258, 89, 20, L"Продолжить >>"},
    {L"AdvSplitter3", 8, 280, 297, 3, L""},
    {L"TrackBar1", 8, 288, 81, 25, L""},
    {L"Button1", 104, 288, 26, 25, L"| |"},
    {L"Button2", 144, 288, 41, 25, L"стоп"},
};

TEST_F(LayoutTest, EveryControlOfTheMainPanelHasItsPlaceAndText) {
    TForm1& f = Build();
    for (const MainRow& row : kMainPanel) {
        SCOPED_TRACE(Narrow(row.name));
        ui::Control* c = Find(f.main, row.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Parent(), &f.main);
        EXPECT_EQ(c->BoundsRect(), (Rect{row.left, row.top, row.left + row.width, row.top + row.height}));
        EXPECT_EQ(c->Caption(), row.caption);
    }
    // The credit label's words are ours; its place is the design's.
    EXPECT_EQ(f.Label11.BoundsRect(), (Rect{235, 290, 306, 314}));

    // No control of the panel escapes the table.
    std::set<std::wstring> listed{L"Label11"};
    for (const MainRow& row : kMainPanel) listed.insert(row.name);
    std::set<std::wstring> children;
    for (ui::Control* c : f.main.Children()) children.insert(c->Name());
    EXPECT_EQ(children, listed);
}

TEST_F(LayoutTest, MainPanelLooks) {
    TForm1& f = Build();
    EXPECT_EQ(f.main.BoundsRect(), (Rect{8, 0, 321, 329}));
    EXPECT_EQ(f.main.BorderWidth(), 3);
    EXPECT_EQ(f.main.GetColor(), ui::kDefaultColor);
    EXPECT_EQ(f.main.ShadowColor(), 14737632u);
    EXPECT_TRUE(f.main.Visible());

    // Labels: Arial in the panel's text colour unless they say otherwise.
    struct LabelLook {
        ui::Label& label;
        ui::Font font;
    };
    const LabelLook labels[] = {
        {f.Label7, {L"Arial", 12, true, kLabelColor}},
        {f.Label14, {L"Arial", 12, true, ui::kRed}},
        {f.Label6, {L"Arial", 14, true, kLabelColor}},
        {f.Label10, {L"Arial", 14, true, kLabelColor}},
        {f.Label9, {L"Arial", 12, false, 3355443}},
        {f.Label11, {L"Arial", 9, false, kLabelColor}},
    };
    for (const LabelLook& l : labels) {
        SCOPED_TRACE(Narrow(l.label.Name()));
        EXPECT_EQ(l.label.GetFont(), l.font);
    }
    EXPECT_FALSE(f.Label14.Visible());
    EXPECT_EQ(f.Label14.GetCursor(), ui::Cursor::HandPoint);
    EXPECT_EQ(f.Label11.GetCursor(), ui::Cursor::HandPoint);
    EXPECT_NE(f.Label11.Caption().find(L"Quorvex"), std::wstring::npos);
    EXPECT_NE(f.Label11.Caption().find(L"\r\n"), std::wstring::npos) << "two lines";

    for (ui::Edit* lot : {&f.Edit12, &f.Edit5}) {
        SCOPED_TRACE(Narrow(lot->Name()));
        EXPECT_EQ(lot->Hint(), L"Объём сделки");
        EXPECT_FALSE(lot->TabStop());
    }
    EXPECT_EQ(f.RzSpinButtons8.GetColor(), 3621450u);
    EXPECT_EQ(f.RzSpinButtons4.GetColor(), 3621450u);
    EXPECT_EQ(f.RzSpinButtons8.FocusControl(), nullptr);
    EXPECT_EQ(f.RzSpinButtons4.FocusControl(), &f.Edit5);

    EXPECT_EQ(f.SpriteButton9.Hint(), L"Открыть рыночную продажу");
    EXPECT_EQ(f.SpriteButton27.Hint(), L"Открыть рыночную покупку");
    EXPECT_EQ(f.SpriteButton9.GetFace(), ui::SpriteButton::Face::Sell);
    EXPECT_EQ(f.SpriteButton27.GetFace(), ui::SpriteButton::Face::Buy);
    EXPECT_EQ(f.Button10.GetFont().height, 13);

    EXPECT_TRUE(f.CheckBox1.Checked());
    EXPECT_TRUE(f.NeedVirtualPauseByNewBar.Checked());
    EXPECT_EQ(f.ORDERS_LIST_m.ItemHeight(), 13);
    EXPECT_TRUE(f.ContinueTesting.Visible());
    EXPECT_FALSE(f.ContinueTesting.TabStop());

    EXPECT_EQ(f.TrackBar1.Min(), 0);
    EXPECT_EQ(f.TrackBar1.Max(), 32);
    EXPECT_EQ(f.TrackBar1.Position(), 26);
    EXPECT_EQ(f.TrackBar1.ThumbLength(), 22);
    EXPECT_EQ(f.Button1.Hint(), L"Приостановить тестирование");
    EXPECT_EQ(f.Button2.Hint(), L"Остановить тестирование");
    EXPECT_FALSE(f.Button1.TabStop());
    EXPECT_FALSE(f.Button2.TabStop());
}

TEST_F(LayoutTest, DesignValuesFireNoEvent) {
    // A checked box or a slider position set before the events are bound must reach no
    // handler: the slider's handler would post keys to the tester, the registry would be
    // touched by the settings.
    Build();
    EXPECT_TRUE(windows.Log().empty());
    EXPECT_FALSE(registry.KeyExists(L"SOFTWARE\\Quorvex_commands"));
}

TEST_F(LayoutTest, TheOverlayForm) {
    TForm1& f = Build();
    EXPECT_EQ(f.BoundsRect(), (Rect{657, 185, 657 + 841, 185 + 648}));
    EXPECT_EQ(f.ClientWidth(), 841);
    EXPECT_EQ(f.ClientHeight(), 648);
    EXPECT_EQ(f.GetColor(), 3621450u);
    EXPECT_EQ(f.TransparentColorKey(), 3621450u);
    EXPECT_EQ(f.GetFont(), (ui::Font{L"Tahoma", 11, false, ui::kBlack}));
}

TEST_F(LayoutTest, TheOtherPanelsStartHiddenWithTheirFrames) {
    TForm1& f = Build();
    struct PanelLook {
        ui::Panel& panel;
        int width, height;
    };
    for (const PanelLook& p : {PanelLook{f.Properties, 337, 329}, PanelLook{f.SET_TP_SL_WND, 305, 153},
                               PanelLook{f.SET_TSL_WND, 219, 129}}) {
        SCOPED_TRACE(Narrow(p.panel.Name()));
        EXPECT_FALSE(p.panel.Visible());
        EXPECT_EQ(p.panel.Width(), p.width);
        EXPECT_EQ(p.panel.Height(), p.height);
        EXPECT_EQ(p.panel.BorderWidth(), 2);
        EXPECT_EQ(p.panel.GetColor(), 14803425u);
        EXPECT_EQ(p.panel.Rounding(), 10);
    }
    EXPECT_TRUE(f.SET_TP_SL_WND.Children().empty());
    EXPECT_TRUE(f.SET_TSL_WND.Children().empty());
}

TEST_F(LayoutTest, TheSettingsPanel) {
    TForm1& f = Build();
    EXPECT_EQ(f.Label17.Caption(), L"Настройки программы");
    EXPECT_EQ(f.Label17.Left(), 88);
    EXPECT_EQ(f.Label17.Top(), 5);
    EXPECT_EQ(f.Label17.GetFont(), (ui::Font{L"Arial", 15, true, kLabelColor}));

    struct GroupRow {
        ui::RadioGroup& group;
        int top;
        const wchar_t* caption;
        std::vector<std::wstring> items;
    };
    const GroupRow groups[] = {
        {f.RadioGroup1, 32, L"Выставление SL и TP",
         {L"высчитывать по конкретной сделке", L"использовать предыдущее значение"}},
        {f.RadioGroup2, 96, L"Позиционирование",
         {L"запоминать позицию окна программы", L"не запоминать позицию окна программы"}},
        {f.RadioGroup3, 160, L"Скорость тестирования",
         {L"запоминать предыдущее значение", L"начинать всегда со стандартной"}},
        {f.RadioGroup4, 224, L"Новые версии программы",
         {L"сообщать о выходе новых версий", L"не сообщать о выходе новых версий"}},
    };
    for (const GroupRow& g : groups) {
        SCOPED_TRACE(Narrow(g.group.Name()));
        EXPECT_EQ(g.group.BoundsRect(), (Rect{16, g.top, 321, g.top + 55}));
        EXPECT_EQ(g.group.Caption(), g.caption);
        EXPECT_EQ(g.group.Items(), g.items);
        EXPECT_EQ(g.group.ItemIndex(), -1);
        EXPECT_EQ(g.group.GetColor(), ui::kSilver);
    }
    EXPECT_EQ(f.RadioGroup3.GetFont().name, L"MS Sans Serif");
    EXPECT_EQ(f.RadioGroup3.GetFont().height, 13);
    EXPECT_EQ(f.RadioGroup1.GetFont().name, L"Tahoma");

    EXPECT_EQ(f.Button12.Caption(), L"Отмена");
    EXPECT_EQ(f.Button12.BoundsRect(), (Rect{48, 292, 123, 317}));
    EXPECT_EQ(f.Button13.Caption(), L"Применить");
    EXPECT_EQ(f.Button13.BoundsRect(), (Rect{208, 292, 283, 317}));
}

}  // namespace
