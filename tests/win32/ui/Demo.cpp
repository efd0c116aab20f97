// A window to look at: the main panel's controls laid out as the program lays them out,
// a panel of settings-like radio groups, and the picture buttons in their three states,
// over a chart-like background that shows where the form is see-through.
// quorvex_ui_demo [--seconds N] [--ready FILE] [--no-region] [--move]
//   ends by itself after N seconds; writes FILE once the windows have been painted, for a
//   script that takes a screenshot; --no-region leaves the window uncut; --move moves the
//   main panel once, as a drag does, before FILE is written.
#include <windows.h>

#include <cwchar>
#include <string>

#include "panel/ui/Controls.h"
#include "panel/ui/win32/Win32Backend.h"

namespace {

constexpr ui::Color kSeeThrough = 3621450;
const ui::Font kArialBold12{L"Arial", 12, true, 5197647};
const ui::Font kArialBold14{L"Arial", 14, true, 5197647};
const ui::Font kArial12Dark{L"Arial", 12, false, 3355443};

LRESULT CALLBACK ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(dc, &client, white);
        DeleteObject(white);
        HPEN grid = CreatePen(PS_DOT, 1, RGB(160, 160, 200));
        HGDIOBJ old = SelectObject(dc, grid);
        for (int x = 0; x < client.right; x += 40) {
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, client.bottom);
        }
        for (int y = 0; y < client.bottom; y += 40) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, client.right, y);
        }
        SelectObject(dc, old);
        DeleteObject(grid);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeChart(HINSTANCE instance) {
    WNDCLASSW chartClass{};
    chartClass.lpfnWndProc = ChartProc;
    chartClass.hInstance = instance;
    chartClass.lpszClassName = L"QuorvexDemoChart";
    chartClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&chartClass);
    HWND chart = CreateWindowExW(0, L"QuorvexDemoChart", L"chart", WS_POPUP | WS_VISIBLE, 0, 0, 1100, 720, nullptr,
                                 nullptr, instance, nullptr);
    UpdateWindow(chart);
    return chart;
}

struct DemoForm : ui::Form {
    DemoForm() : ui::Form(L"DemoForm") {
        SetBounds(20, 20, 1040, 660);
        SetColor(kSeeThrough);
        SetTransparentColorKey(kSeeThrough);
        SetText(L"Quorvex100");

        main.SetBounds(8, 0, 313, 329);
        main.SetBorderWidth(3);
        main.SetShadowColor(14737632);
        Place(Label7, 8, 4, 86, 15, L"Quorvex 1.1.4", kArialBold12);
        Place(Label14, 144, 4, 135, 15, L"Скачать новую версию", ui::Font{L"Arial", 12, true, ui::kRed});
        Label14.SetCursor(ui::Cursor::HandPoint);
        AdvSplitter2.SetBounds(8, 20, 297, 3);
        Place(Label6, 61, 25, 64, 16, L"Bid / Ask:", kArialBold14);
        Place(Label10, 141, 25, 100, 16, L"1.2345 / 1.2348", kArialBold14);
        SpriteButton9.SetBounds(16, 47, 80, 25);
        SpriteButton9.SetHint(L"Открыть рыночную продажу");
        SpriteButton27.SetBounds(216, 47, 80, 25);
        SpriteButton27.SetHint(L"Открыть рыночную покупку");
        Edit12.SetBounds(128, 49, 58, 21);
        Edit12.SetText(L"1");
        RzSpinButtons8.SetBounds(168, 51, 18, 18);
        RzSpinButtons8.SetColor(kSeeThrough);
        Button10.SetBounds(16, 82, 137, 27);
        Button10.SetText(L"&Детальное открытие");
        Button10.SetFont(ui::Font{L"Arial", 13});
        CheckBox1.SetBounds(160, 87, 89, 17);
        CheckBox1.SetText(L"делать паузу");
        CheckBox1.SetChecked(true);
        AdvSplitter1.SetBounds(8, 112, 297, 3);
        Place(Label9, 48, 118, 193, 15, L"Действия с открытыми ордерами:", kArial12Dark);
        ORDERS_LIST_m.SetBounds(6, 136, 171, 89);
        ORDERS_LIST_m.Add(L"12345 buy 1.00 EURUSD");
        ORDERS_LIST_m.Add(L"12346 sell 0.50 EURUSD");
        ORDERS_LIST_m.Add(L"12347 buy limit 0.10");
        ORDERS_LIST_m.SetItemIndex(0);
        Button3.SetBounds(184, 136, 123, 25);
        Button3.SetText(L"Изменить цену/SL/TP");
        Button4.SetBounds(184, 168, 123, 25);
        Button4.SetText(L"Установить T-SL");
        Edit5.SetBounds(184, 201, 58, 21);
        Edit5.SetText(L"1");
        RzSpinButtons4.SetBounds(224, 203, 18, 18);
        RzSpinButtons4.SetColor(kSeeThrough);
        Button7.SetBounds(248, 200, 59, 25);
        Button7.SetText(L"Закрыть");
        AdvSplitter4.SetBounds(8, 232, 297, 3);
        NeedVirtualPauseByNewBar.SetBounds(8, 237, 233, 17);
        NeedVirtualPauseByNewBar.SetText(L"виртуальная пауза вначале нового бара");
        NeedVirtualPauseByNewBar.SetChecked(true);
        ContinueTesting.SetBounds(8, 258, 89, 20);
        ContinueTesting.SetText(L"Продолжить >>");
        AdvSplitter3.SetBounds(8, 280, 297, 3);
        TrackBar1.SetBounds(8, 288, 81, 25);
        TrackBar1.SetRange(1, 32);
        TrackBar1.SetPosition(20);
        Button1.SetBounds(104, 288, 26, 25);
        Button1.SetText(L"| |");
        Button2.SetBounds(144, 288, 41, 25);
        Button2.SetText(L"стоп");
        Place(Label11, 235, 290, 71, 24, L"Quorvex Software, 2024", ui::Font{L"Arial", 9, false, 5197647});

        Properties.SetBounds(340, 0, 337, 329);
        Properties.SetBorderWidth(2);
        Properties.SetColor(14803425);
        Place(Label17, 8, 4, 200, 15, L"Настройки программы", kArialBold12);
        RadioGroup1.SetBounds(8, 24, 321, 64);
        RadioGroup1.SetText(L"Установка SL/TP");
        RadioGroup1.SetItems({L"в пунктах от цены открытия", L"ценой"});
        RadioGroup1.SetItemIndex(0);
        RadioGroup2.SetBounds(8, 96, 321, 80);
        RadioGroup2.SetText(L"Новая версия");
        RadioGroup2.SetItems({L"проверять при запуске", L"проверять каждый час", L"не проверять"});
        RadioGroup2.SetItemIndex(1);
        Combo.SetBounds(8, 188, 200, 21);
        Combo.SetItems({L"Немедленное исполнение", L"Отложенный ордер"});
        Combo.SetItemIndex(0);
        Button12.SetBounds(8, 292, 150, 27);
        Button12.SetText(L"Сохранить");
        Button13.SetBounds(176, 292, 150, 27);
        Button13.SetText(L"Отмена");

        States.SetBounds(700, 0, 300, 130);
        States.SetBorderWidth(2);
        Place(StatesTitle, 8, 4, 280, 15, L"Обычная, наведение, нажатие:", kArial12Dark);
        int left = 10;
        for (ui::SpriteButton* b : {&SellNormal, &SellFocused, &SellPressed}) {
            b->SetBounds(left, 30, 80, 25);
            left += 95;
        }
        left = 10;
        for (ui::SpriteButton* b : {&BuyNormal, &BuyFocused, &BuyPressed}) {
            b->SetBounds(left, 70, 80, 25);
            left += 95;
        }
        for (ui::SpriteButton* b : {&SellFocused, &BuyFocused}) b->SetHover(true);
        for (ui::SpriteButton* b : {&SellPressed, &BuyPressed}) {
            b->SetHover(true);
            b->SetPressed(true);
        }

        Group.SetBounds(700, 150, 300, 120);
        Group.SetText(L"Группа");
        Group.SetColor(ui::Rgb(212, 208, 200));
        Place(GroupLabel, 16, 26, 200, 15, L"Объём открываемого ордера:", ui::Font{});
        GroupEdit.SetBounds(216, 25, 59, 21);
        GroupEdit.SetText(L"0.10");
        GroupSpin.SetBounds(256, 27, 18, 18);
        GroupSpin.SetColor(kSeeThrough);
    }

    void Place(ui::Label& label, int left, int top, int width, int height, const wchar_t* text, const ui::Font& font) {
        label.SetBounds(left, top, width, height);
        label.SetText(text);
        label.SetFont(font);
    }

    ui::Panel main{this, L"main"};
    ui::Label Label7{&main, L"Label7"};
    ui::Label Label14{&main, L"Label14"};
    ui::Splitter AdvSplitter2{&main, L"AdvSplitter2"};
    ui::Label Label6{&main, L"Label6"};
    ui::Label Label10{&main, L"Label10"};
    ui::SpriteButton SpriteButton9{&main, L"SpriteButton9", ui::SpriteButton::Face::Sell};
    ui::SpriteButton SpriteButton27{&main, L"SpriteButton27", ui::SpriteButton::Face::Buy};
    ui::Edit Edit12{&main, L"Edit12"};
    ui::SpinButtons RzSpinButtons8{&main, L"RzSpinButtons8"};
    ui::Button Button10{&main, L"Button10"};
    ui::CheckBox CheckBox1{&main, L"CheckBox1"};
    ui::Splitter AdvSplitter1{&main, L"AdvSplitter1"};
    ui::Label Label9{&main, L"Label9"};
    ui::ListBox ORDERS_LIST_m{&main, L"ORDERS_LIST_m"};
    ui::Button Button3{&main, L"Button3"};
    ui::Button Button4{&main, L"Button4"};
    ui::Edit Edit5{&main, L"Edit5"};
    ui::SpinButtons RzSpinButtons4{&main, L"RzSpinButtons4"};
    ui::Button Button7{&main, L"Button7"};
    ui::Splitter AdvSplitter4{&main, L"AdvSplitter4"};
    ui::CheckBox NeedVirtualPauseByNewBar{&main, L"NeedVirtualPauseByNewBar"};
    ui::Button ContinueTesting{&main, L"ContinueTesting"};
    ui::Splitter AdvSplitter3{&main, L"AdvSplitter3"};
    ui::TrackBar TrackBar1{&main, L"TrackBar1"};
    ui::Button Button1{&main, L"Button1"};
    ui::Button Button2{&main, L"Button2"};
    ui::Label Label11{&main, L"Label11"};

    ui::Panel Properties{this, L"Properties"};
    ui::Label Label17{&Properties, L"Label17"};
    ui::RadioGroup RadioGroup1{&Properties, L"RadioGroup1"};
    ui::RadioGroup RadioGroup2{&Properties, L"RadioGroup2"};
    ui::ComboBox Combo{&Properties, L"Combo"};
    ui::Button Button12{&Properties, L"Button12"};
    ui::Button Button13{&Properties, L"Button13"};

    ui::Panel States{this, L"States"};
    ui::Label StatesTitle{&States, L"StatesTitle"};
    ui::SpriteButton SellNormal{&States, L"SellNormal", ui::SpriteButton::Face::Sell};
    ui::SpriteButton SellFocused{&States, L"SellFocused", ui::SpriteButton::Face::Sell};
    ui::SpriteButton SellPressed{&States, L"SellPressed", ui::SpriteButton::Face::Sell};
    ui::SpriteButton BuyNormal{&States, L"BuyNormal", ui::SpriteButton::Face::Buy};
    ui::SpriteButton BuyFocused{&States, L"BuyFocused", ui::SpriteButton::Face::Buy};
    ui::SpriteButton BuyPressed{&States, L"BuyPressed", ui::SpriteButton::Face::Buy};

    ui::Panel Group{this, L"Group", ui::ControlKind::GroupBox};
    ui::Label GroupLabel{&Group, L"GroupLabel"};
    ui::Edit GroupEdit{&Group, L"GroupEdit"};
    ui::SpinButtons GroupSpin{&Group, L"GroupSpin"};
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    ui::Win32Backend backend(instance);
    MakeChart(instance);
    DemoForm form;
    form.OnClose = [&backend] { backend.Terminate(); };
    backend.Realize(form);
    // The window cut down to its panels, as the program does it.
    const bool cut = !std::wcsstr(commandLine, L"--no-region");
    auto cutToPanels = [&form, cut] {
        if (!cut) return;
        std::vector<ui::Rect> region;
        for (ui::Control* child : form.Children())
            if (child->Visible()) region.push_back(child->BoundsRect());
        form.SetRegion(region);
    };
    cutToPanels();
    const bool move = std::wcsstr(commandLine, L"--move") != nullptr;
    ui::Timer mover(L"mover", 400, move);
    mover.OnTimer = [&] {
        mover.SetEnabled(false);
        form.main.SetBounds(form.main.Left() + 60, form.main.Top() + 340, form.main.Width(), form.main.Height());
        cutToPanels();
    };

    ui::Timer end(L"end", 1000, false);
    if (const wchar_t* seconds = std::wcsstr(commandLine, L"--seconds ")) {
        end.SetInterval(static_cast<int>(std::wcstol(seconds + 10, nullptr, 10)) * 1000);
        end.OnTimer = [&backend] { backend.Terminate(); };
        end.SetEnabled(true);
    }
    std::wstring readyFile;
    if (const wchar_t* ready = std::wcsstr(commandLine, L"--ready ")) {
        readyFile = ready + 8;
        readyFile = readyFile.substr(0, readyFile.find(L' '));
    }
    // A timer's message comes only once the queue is empty, so after the first paints.
    ui::Timer painted(L"painted", move ? 1500 : 500, !readyFile.empty());
    painted.OnTimer = [&] {
        painted.SetEnabled(false);
        HANDLE file = CreateFileW(readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    };
    return backend.Run();
}
