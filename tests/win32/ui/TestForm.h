#pragma once
// A small form with one control of each kind, laid out as the main panel lays out its own,
// over a see-through form, and the backend it runs on. The backend records the pop-up
// menus it is asked for (TrackPopupMenu would wait for a person) and the errors.
#include <memory>
#include <string>
#include <vector>

#include "panel/ui/Controls.h"
#include "tests/win32/ui/Harness.h"

namespace test {

constexpr ui::Color kSeeThrough = 3621450;  // RGB 74, 66, 55

class RecordingBackend : public ui::Win32Backend {
public:
    struct PopupCall {
        ui::PopupMenu* menu;
        ui::Control* owner;
        int x, y;
    };
    RecordingBackend() : ui::Win32Backend(GetModuleHandleW(nullptr)) {
        SetUnexpectedErrorHandler([this](const std::wstring& text) { errors.push_back(text); });
    }
    void ShowPopupMenu(ui::PopupMenu& menu, ui::Control& owner, int x, int y) override {
        popups.push_back({&menu, &owner, x, y});
    }
    std::vector<PopupCall> popups;
    std::vector<std::wstring> errors;
};

struct TestForm : ui::Form {
    TestForm() : ui::Form(L"TestForm") {
        SetBounds(100, 100, 640, 420);
        SetColor(kSeeThrough);
        SetTransparentColorKey(kSeeThrough);
        SetText(L"QuorvexTest");

        panel.SetBounds(8, 8, 313, 329);
        panel.SetBorderWidth(3);
        panel.SetPopupMenu(&menu);
        title.SetBounds(8, 4, 150, 15);
        title.SetText(L"Quorvex 1.1.4");
        title.SetFont(ui::Font{L"Arial", 12, true, ui::Rgb(79, 79, 79)});
        rule.SetBounds(8, 20, 297, 3);
        sell.SetBounds(16, 47, 80, 25);
        buy.SetBounds(216, 47, 80, 25);
        lot.SetBounds(128, 49, 58, 21);
        lot.SetText(L"1");
        spin.SetBounds(168, 51, 18, 18);
        spin.SetColor(kSeeThrough);
        button.SetBounds(16, 82, 137, 27);
        button.SetText(L"&Детальное открытие");
        check.SetBounds(160, 87, 120, 17);
        check.SetText(L"делать паузу");
        caption.SetBounds(48, 118, 193, 15);
        caption.SetText(L"Действия с открытыми ордерами:");
        list.SetBounds(6, 136, 171, 89);
        track.SetBounds(8, 288, 81, 25);
        combo.SetBounds(184, 136, 123, 21);
        radios.SetBounds(184, 170, 123, 60);
        radios.SetText(L"Тип");

        group.SetBounds(330, 8, 300, 120);
        group.SetText(L"Группа");
        groupLabel.SetBounds(16, 26, 200, 15);
        groupLabel.SetText(L"Объём открываемого ордера:");

        single.SetControlId(1001);
        single.SetBounds(330, 140, 200, 21);
        multi.SetControlId(1002);
        multi.SetBounds(330, 170, 200, 89);
    }

    ui::PopupMenu menu{L"Menu"};
    ui::MenuItem& first = menu.Add(L"N1", L"Открыть новый ордер");

    ui::Panel panel{this, L"panel"};
    ui::Label title{&panel, L"title"};
    ui::Splitter rule{&panel, L"rule"};
    ui::SpriteButton sell{&panel, L"sell", ui::SpriteButton::Face::Sell};
    ui::SpriteButton buy{&panel, L"buy", ui::SpriteButton::Face::Buy};
    ui::Edit lot{&panel, L"lot"};
    ui::SpinButtons spin{&panel, L"spin"};
    ui::Button button{&panel, L"button"};
    ui::CheckBox check{&panel, L"check"};
    ui::Label caption{&panel, L"caption"};
    ui::ListBox list{&panel, L"list"};
    ui::TrackBar track{&panel, L"track"};
    ui::ComboBox combo{&panel, L"combo"};
    ui::RadioGroup radios{&panel, L"radios"};

    ui::Panel group{this, L"group", ui::ControlKind::GroupBox};
    ui::Label groupLabel{&group, L"groupLabel"};

    ui::Edit single{this, L"single"};
    ui::Edit multi{this, L"multi", true};
};

inline HWND WindowOf(const ui::Control& control) { return reinterpret_cast<HWND>(control.NativeHandle()); }

// Sends a mouse message as the system would: client coordinates of `window`.
inline void SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(window, message, keys, MAKELPARAM(x, y));
}

}  // namespace test
