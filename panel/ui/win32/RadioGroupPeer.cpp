// A radio group: a group box with one radio button per item, laid out as the VCL lays
// out a one-column TRadioGroup.
#include <algorithm>

#include "panel/ui/win32/Peers.h"
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {

constexpr COLORREF kSilverRef = RGB(192, 192, 192);

}  // namespace

RadioGroupPeer::RadioGroupPeer(Win32Backend& backend, RadioGroup& group) : Peer(backend, group), group_(group) {}

RadioGroupPeer::~RadioGroupPeer() {
    DestroyButtons();
    ReleaseWindow();
}

void RadioGroupPeer::Create() {
    const DWORD style = (CommonStyle() & ~static_cast<DWORD>(WS_TABSTOP)) | BS_GROUPBOX | WS_CLIPCHILDREN;
    if (!CreateSystemWindow(L"BUTTON", style, WS_EX_CONTROLPARENT, group_.Text())) return;
    Rebuild();
}

void RadioGroupPeer::DestroyButtons() {
    for (HWND button : buttons_) {
        if (backend_) backend_->UnregisterWindow(button);
        if (IsWindow(button)) DestroyWindow(button);
    }
    buttons_.clear();
}

void RadioGroupPeer::Rebuild() {
    DestroyButtons();
    if (!hwnd_) return;
    HFONT font = backend_->FontFor(group_.GetFont());
    for (int i = 0; i < group_.Count(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_RADIOBUTTON;
        if (i == 0) style |= WS_GROUP;
        if (!group_.Enabled()) style |= WS_DISABLED;
        HWND button = CreateWindowExW(0, L"BUTTON", group_.Item(i).c_str(), style, 0, 0, 0, 0, hwnd_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), backend_->Instance(),
                                      nullptr);
        if (!button) continue;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // Registered under the group, so that its clicks and the focus in it name the group.
        backend_->RegisterWindow(button, this);
        buttons_.push_back(button);
    }
    Arrange();
    MirrorChecks();
}

void RadioGroupPeer::Arrange() {
    if (buttons_.empty()) return;
    int textHeight = 13;
    {
        WindowDc dc(hwnd_);
        if (dc.Get()) {
            Selection font(dc.Get(), backend_->FontFor(group_.GetFont()));
            TEXTMETRICW metrics{};
            if (GetTextMetricsW(dc.Get(), &metrics)) textHeight = metrics.tmHeight;
        }
    }
    const int count = static_cast<int>(buttons_.size());
    const int usable = group_.Height() - textHeight - 5;
    const int buttonHeight = std::max(1, usable / count);
    const int topMargin = textHeight + 1 + (usable % count) / 2;
    const int buttonWidth = std::max(1, group_.Width() - 10);
    for (int i = 0; i < count; ++i) {
        SetWindowPos(buttons_[static_cast<std::size_t>(i)], nullptr, 8, topMargin + i * buttonHeight, buttonWidth - 6,
                     buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void RadioGroupPeer::MirrorChecks() {
    const int selected = group_.ItemIndex();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        HWND button = buttons_[i];
        const bool checked = static_cast<int>(i) == selected;
        SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab lands on the checked button, or on the first while none is.
        const bool stop = checked || (selected < 0 && i == 0);
        LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
        style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(button, GWL_STYLE, style);
    }
}

void RadioGroupPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    switch (property) {
    case Property::ItemIndex:
        MirrorChecks();
        break;
    case Property::Bounds:
        Peer::Update(property);
        Arrange();
        break;
    case Property::Enabled:
        Peer::Update(property);
        for (HWND button : buttons_) EnableWindow(button, group_.Enabled());
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case Property::Text:
        Peer::Update(property);
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case Property::Font:
        Peer::Update(property);
        for (HWND button : buttons_)
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(backend_->FontFor(group_.GetFont())), TRUE);
        Arrange();
        break;
    default:
        Peer::Update(property);
        break;
    }
}

void RadioGroupPeer::ItemsChanged(ItemChange, int) {
    if (backend_ && hwnd_) Rebuild();
}

bool RadioGroupPeer::Command(HWND from, WORD code) {
    if (code != BN_CLICKED) return false;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i] != from) continue;
        // A click on the button already checked changes nothing and raises nothing.
        if (static_cast<int>(i) != group_.ItemIndex()) group_.UserSelect(static_cast<int>(i));
        return true;
    }
    return false;
}

void RadioGroupPeer::PaintBox(HDC dc, int width, int height) {
    PaintGroupFrame(dc, width, height, group_.Text(), backend_->FontFor(group_.GetFont()), kSilverRef,
                    ToColorRef(group_.GetFont().color, RGB(0, 0, 0)), group_.Enabled());
}

HBRUSH RadioGroupPeer::ChildBackground(HDC dc, HWND, UINT) {
    SetBkColor(dc, kSilverRef);
    SetTextColor(dc, ToColorRef(group_.GetFont().color, RGB(0, 0, 0)));
    return backend_->SolidBrush(kSilverRef);
}

LRESULT RadioGroupPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    // The box is drawn here, not by the system: a themed group box shows its parent
    // through, and this one is silver throughout, as the radio buttons in it.
    case WM_PAINT: {
        PaintDc paint(hwnd_);
        RECT client{};
        GetClientRect(hwnd_, &client);
        BackBuffer buffer(paint.Get(), client.right, client.bottom);
        HDC dc = buffer.Ok() ? buffer.Get() : paint.Get();
        PaintBox(dc, client.right, client.bottom);
        if (buffer.Ok()) BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
        return 0;
    }
    case WM_PRINTCLIENT: {
        // A themed radio button asks for what lies behind it.
        RECT client{};
        GetClientRect(hwnd_, &client);
        PaintBox(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
        return 0;
    }
    case WM_DESTROY:
        // The buttons go with the box.
        for (HWND button : buttons_) backend_->UnregisterWindow(button);
        buttons_.clear();
        break;
    default:
        break;
    }
    return Peer::HandleMessage(message, wParam, lParam);
}

}  // namespace ui::win32
