// Where every control of the overlay sits and how it looks, as the form was designed.
// This runs in the constructor, before BindEvents: setting a checked state or a slider
// position here must not reach a handler.
#include "panel/core/Unit1.h"

namespace {

// Colours as TColor values (0x00BBGGRR).
constexpr ui::Color kOverlayColor = 3621450;   // RGB 74, 66, 55: the see-through colour
constexpr ui::Color kLabelColor = 5197647;     // the panels' dark grey-blue text
constexpr ui::Color kSectionColor = 3355443;   // RGB 51, 51, 51
constexpr ui::Color kPanelFill = 14803425;     // RGB 225, 225, 225
constexpr ui::Color kMainShadow = 14737632;    // RGB 224, 224, 224

ui::Font Arial(int height, bool bold, ui::Color color = kLabelColor) {
    return ui::Font{L"Arial", height, bold, color};
}

void Place(ui::Control& control, int left, int top, int width, int height) {
    control.SetBounds(left, top, width, height);
}

// The horizontal rules of the main panel: drawn, never dragged.
void Rule(ui::Splitter& rule, int top) {
    Place(rule, 8, top, 297, 3);
    rule.SetColor(ui::kGray);
}

// The lot fields: a short number field under a pair of arrows that paint in the
// overlay's see-through colour, so only the arrows themselves show.
void LotField(ui::Edit& field, ui::SpinButtons& arrows, int left, int top) {
    Place(field, left, top, 58, 21);
    field.SetText(L"1");
    field.SetHint(L"Объём сделки");
    field.SetTabStop(false);
    Place(arrows, left + 40, top + 2, 18, 18);
    arrows.SetColor(kOverlayColor);
}

void PushButton(ui::Button& button, int left, int top, int width, int height, const wchar_t* caption) {
    Place(button, left, top, width, height);
    button.SetCaption(caption);
}

void FloatingPanel(ui::Panel& panel, int width, int height) {
    Place(panel, 8, 0, width, height);
    panel.SetBorderWidth(2);
    panel.SetColor(kPanelFill);
    panel.SetVisible(false);
}

}  // namespace

void TForm1::LayOutForm() {
    SetBounds(657, 185, 841, 648);
    SetColor(kOverlayColor);
    SetTransparentColorKey(kOverlayColor);
    SetFont(ui::Font{L"Tahoma", 11, false, ui::kBlack});

    // The editors' panels get their contents from their own editors; here only the frame.
    FloatingPanel(SET_TP_SL_WND, 305, 153);
    FloatingPanel(SET_TSL_WND, 219, 129);
}

void TForm1::LayOutMainPanel() {
    Place(main, 8, 0, 313, 329);
    main.SetBorderWidth(3);
    main.SetColor(ui::kDefaultColor);
    main.SetShadowColor(kMainShadow);

    Place(Label7, 8, 4, 86, 15);
    Label7.SetCaption(L"Quorvex 1.1.4");
    Label7.SetFont(Arial(12, true));

    Place(Label14, 144, 4, 135, 15);
    Label14.SetCaption(L"Скачать новую версию");
    Label14.SetFont(Arial(12, true, ui::kRed));
    Label14.SetCursor(ui::Cursor::HandPoint);
    Label14.SetVisible(false);

    Rule(AdvSplitter2, 20);

    Place(Label6, 61, 25, 64, 16);
    Label6.SetCaption(L"Bid / Ask:");
    Label6.SetFont(Arial(14, true));

    Place(Label10, 141, 25, 100, 16);
    Label10.SetCaption(L"1.2345 / 1.2348");
    Label10.SetFont(Arial(14, true));

    Place(SpriteButton9, 16, 47, 80, 25);
    SpriteButton9.SetHint(L"Открыть рыночную продажу");
    Place(SpriteButton27, 216, 47, 80, 25);
    SpriteButton27.SetHint(L"Открыть рыночную покупку");

    LotField(Edit12, RzSpinButtons8, 128, 49);

    PushButton(Button10, 16, 82, 137, 27, L"&Детальное открытие");
    Button10.SetFont(ui::Font{L"Tahoma", 13, false, ui::kBlack});

    Place(CheckBox1, 160, 87, 89, 17);
    CheckBox1.SetCaption(L"делать паузу");
    CheckBox1.SetChecked(true);

    Rule(AdvSplitter1, 112);

    Place(Label9, 48, 118, 193, 15);
    Label9.SetCaption(L"Действия с открытыми ордерами:");
    Label9.SetFont(Arial(12, false, kSectionColor));

    Place(ORDERS_LIST_m, 6, 136, 171, 89);
    ORDERS_LIST_m.SetItemHeight(13);

    PushButton(Button3, 184, 136, 123, 25, L"Изменить цену/SL/TP");
    PushButton(Button4, 184, 168, 123, 25, L"Установить T-SL");

    LotField(Edit5, RzSpinButtons4, 184, 201);
    // A press on the close volume's arrows first puts the focus into the field.
    RzSpinButtons4.SetFocusControl(&Edit5);

    PushButton(Button7, 248, 200, 59, 25, L"Закрыть");

    Rule(AdvSplitter4, 232);

    Place(NeedVirtualPauseByNewBar, 8, 237, 233, 17);
    NeedVirtualPauseByNewBar.SetCaption(L"виртуальная пауза вначале нового бара");
    NeedVirtualPauseByNewBar.SetChecked(true);

    // Visible until the first virtual-pause tick decides.
    PushButton(ContinueTesting, 8, 258, 89, 20, L"Продолжить >>");
    ContinueTesting.SetTabStop(false);
    ContinueTesting.SetVisible(true);

    Rule(AdvSplitter3, 280);

    Place(TrackBar1, 8, 288, 81, 25);
    TrackBar1.SetRange(0, 32);
    TrackBar1.SetPosition(26);
    TrackBar1.SetThumbLength(22);

    PushButton(Button1, 104, 288, 26, 25, L"| |");
    Button1.SetHint(L"Приостановить тестирование");
    Button1.SetTabStop(false);

    PushButton(Button2, 144, 288, 41, 25, L"стоп");
    Button2.SetHint(L"Остановить тестирование");
    Button2.SetTabStop(false);

    Place(Label11, 235, 290, 71, 24);
    Label11.SetCaption(L"разработано\r\nв Quorvex");
    Label11.SetFont(Arial(9, false));
    Label11.SetCursor(ui::Cursor::HandPoint);
}

void TForm1::LayOutPropertiesPanel() {
    FloatingPanel(Properties, 337, 329);

    Place(Label17, 88, 5, 161, 18);
    Label17.SetCaption(L"Настройки программы");
    Label17.SetFont(Arial(15, true));

    struct Group {
        ui::RadioGroup& group;
        int top;
        const wchar_t* caption;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Group groups[] = {
        {RadioGroup1, 32, L"Выставление SL и TP", L"высчитывать по конкретной сделке",
         L"использовать предыдущее значение"},
        {RadioGroup2, 96, L"Позиционирование", L"запоминать позицию окна программы",
         L"не запоминать позицию окна программы"},
        {RadioGroup3, 160, L"Скорость тестирования", L"запоминать предыдущее значение",
         L"начинать всегда со стандартной"},
        {RadioGroup4, 224, L"Новые версии программы", L"сообщать о выходе новых версий",
         L"не сообщать о выходе новых версий"},
    };
    // No item is selected here: the start-up load of the settings picks them.
    for (const Group& g : groups) {
        Place(g.group, 16, g.top, 305, 55);
        g.group.SetCaption(g.caption);
        g.group.SetItems({g.first, g.second});
        g.group.SetColor(ui::kSilver);
    }
    RadioGroup3.SetFont(ui::Font{L"MS Sans Serif", 13, false, ui::kBlack});

    PushButton(Button12, 48, 292, 75, 25, L"Отмена");
    PushButton(Button13, 208, 292, 75, 25, L"Применить");
}
