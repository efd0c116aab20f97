// Controls that are the platform's own window classes: edits, list boxes, push buttons,
// check boxes, drop-down lists and the track bar.

#include <algorithm>

#include "panel/ui/win32/Peers.h"
// After <windows.h>, which Peers.h brings.
#include <commctrl.h>
#include <windowsx.h>
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {

// Rows of a dropped-down list beyond the field itself.
constexpr int kDropDownHeight = 8 * 16 + 2;

}  // namespace

// ---- Edit.

EditPeer::EditPeer(Win32Backend& backend, Edit& edit) : Peer(backend, edit), edit_(edit) {}

void EditPeer::Create() {
    DWORD style = CommonStyle();
    style |= edit_.MultiLine() ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL) : ES_AUTOHSCROLL;
    // No window yet, so this is the control's own text.
    if (!CreateSystemWindow(L"EDIT", style, WS_EX_CLIENTEDGE, edit_.Text())) return;
    // No limit but the system's: the terminal side writes whole order lists.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
}

bool EditPeer::ReadText(std::wstring& text) {
    if (!backend_ || !hwnd_ || writing_) return false;
    const LRESULT length = SendMessageW(hwnd_, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd_, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied > 0 ? std::min<LRESULT>(copied, length) : 0));
    text = std::move(buffer);
    return true;
}

void EditPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    if (property != Property::Text) {
        Peer::Update(property);
        return;
    }
    // Text() would read the window, which still holds the old text.
    writing_ = true;
    const std::wstring text = edit_.Text();
    writing_ = false;
    SetWindowTextW(hwnd_, text.c_str());
}

bool EditPeer::Command(HWND, WORD code) {
    if (code != EN_CHANGE) return false;
    edit_.WindowTextChanged();
    return true;
}

LRESULT EditPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        // A multi-line edit reports no EN_CHANGE for WM_SETTEXT, and the terminal side
        // writes the slots that way; the text is taken over here for every kind.
        const LRESULT result = Default(message, wParam, lParam);
        Guard([this] { edit_.WindowTextChanged(); });
        return result;
    }
    return Peer::HandleMessage(message, wParam, lParam);
}

// ---- List box.

ListBoxPeer::ListBoxPeer(Win32Backend& backend, ListBox& list) : Peer(backend, list), list_(list) {}

void ListBoxPeer::Create() {
    const DWORD style = CommonStyle() | LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
    if (!CreateSystemWindow(L"LISTBOX", style, WS_EX_CLIENTEDGE, L"")) return;
    // After the font, which sets a height of its own.
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(list_.ItemHeight(), 0));
    Rebuild();
}

void ListBoxPeer::Rebuild() {
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& row : list_.Items())
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    MirrorSelection();
}

void ListBoxPeer::MirrorSelection() { SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0); }

void ListBoxPeer::ItemsChanged(ItemChange change, int index) {
    if (!backend_ || !hwnd_) return;
    const int rows = static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
    switch (change) {
    case ItemChange::Replaced:
        if (index < 0 || index >= rows || index >= list_.Count()) break;
        {
            // The row is swapped in place; the list keeps its scroll position and the
            // control says which row stays selected.
            const LRESULT top = SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
            SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
            SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(list_.Item(index).c_str()));
            MirrorSelection();
            SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        }
        return;
    case ItemChange::Inserted:
        if (index < 0 || index > rows || index >= list_.Count()) break;
        SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(list_.Item(index).c_str()));
        MirrorSelection();
        return;
    case ItemChange::Deleted:
        if (index < 0 || index >= rows) break;
        SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        MirrorSelection();
        return;
    case ItemChange::Cleared:
        break;
    }
    // Whatever does not fit the rows as the window has them: start again from the control.
    Rebuild();
}

void ListBoxPeer::SetRedraw(bool on) {
    if (!backend_ || !hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListBoxPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    if (property == Property::ItemIndex) {
        MirrorSelection();
        return;
    }
    Peer::Update(property);
    if (property == Property::Font) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(list_.ItemHeight(), 0));
}

bool ListBoxPeer::Command(HWND, WORD code) {
    if (code != LBN_SELCHANGE) return false;
    list_.UserSelect(static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)));
    return true;
}

// ---- Push button (and a lone radio button).

ButtonPeer::ButtonPeer(Win32Backend& backend, Control& button) : Peer(backend, button) {}

void ButtonPeer::Create() {
    const DWORD kind = control_.Kind() == ControlKind::RadioButton ? BS_RADIOBUTTON : BS_PUSHBUTTON;
    CreateSystemWindow(L"BUTTON", CommonStyle() | kind, 0, control_.Text());
}

bool ButtonPeer::Command(HWND, WORD code) {
    if (code != BN_CLICKED) return false;
    control_.Click();
    return true;
}

// ---- Check box.

CheckBoxPeer::CheckBoxPeer(Win32Backend& backend, CheckBox& box) : Peer(backend, box), box_(box) {}

void CheckBoxPeer::Create() {
    // Not an automatic one: the control toggles itself and the window shows its state.
    if (!CreateSystemWindow(L"BUTTON", CommonStyle() | BS_CHECKBOX, 0, box_.Text())) return;
    SendMessageW(hwnd_, BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBoxPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    if (property == Property::Checked) SendMessageW(hwnd_, BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    else Peer::Update(property);
}

bool CheckBoxPeer::Command(HWND, WORD code) {
    if (code != BN_CLICKED) return false;
    box_.Click();
    return true;
}

// ---- Drop-down list.

ComboBoxPeer::ComboBoxPeer(Win32Backend& backend, ComboBox& combo) : Peer(backend, combo), combo_(combo) {}

void ComboBoxPeer::Create() {
    if (!CreateSystemWindow(L"COMBOBOX", CommonStyle() | CBS_DROPDOWNLIST | WS_VSCROLL, 0, L"")) return;
    Update(Property::Bounds);
    Rebuild();
}

void ComboBoxPeer::Rebuild() {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : combo_.Items())
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
}

void ComboBoxPeer::ItemsChanged(ItemChange, int) {
    if (backend_ && hwnd_) Rebuild();
}

void ComboBoxPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    switch (property) {
    case Property::ItemIndex:
        SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
        break;
    case Property::Bounds: {
        // The window's height takes in the dropped-down list.
        const RECT bounds = BoundsRect();
        SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top + kDropDownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    default:
        Peer::Update(property);
        break;
    }
}

bool ComboBoxPeer::Command(HWND, WORD code) {
    if (code != CBN_SELCHANGE) return false;
    combo_.UserSelect(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    return true;
}

// ---- Track bar.

TrackBarPeer::TrackBarPeer(Win32Backend& backend, TrackBar& bar) : Peer(backend, bar), bar_(bar) {}

void TrackBarPeer::Create() {
    const DWORD style = CommonStyle() | TBS_HORZ | TBS_BOTH | TBS_NOTICKS | TBS_FIXEDLENGTH;
    if (!CreateSystemWindow(TRACKBAR_CLASSW, style, 0, L"")) return;
    SendMessageW(hwnd_, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(bar_.ThumbLength()), 0);
    MirrorRange();
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, bar_.Position());
}

void TrackBarPeer::MirrorRange() {
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, bar_.Min());
    SendMessageW(hwnd_, TBM_SETRANGEMAX, TRUE, bar_.Max());
}

void TrackBarPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    switch (property) {
    case Property::Range:
        MirrorRange();
        SendMessageW(hwnd_, TBM_SETPOS, TRUE, bar_.Position());
        break;
    case Property::Position:
        SendMessageW(hwnd_, TBM_SETPOS, TRUE, bar_.Position());
        break;
    default:
        Peer::Update(property);
        break;
    }
}

bool TrackBarPeer::Scroll() {
    bar_.SetPosition(static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)));
    return true;
}

}  // namespace ui::win32
