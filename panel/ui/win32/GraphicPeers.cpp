// The controls without a window of the platform's: labels, separator lines and picture
// buttons painted by their parent, and the arrow-button pair with a small window of ours.

#include "panel/ui/win32/Peers.h"
// After <windows.h>, which Peers.h brings.
#include <commctrl.h>
#include <windowsx.h>
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {

const ui::Font kSpriteWordFont{L"Arial", 14, true, kWhite};
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatInterval = 100;

RECT Union(const RECT& a, const RECT& b) {
    RECT result{};
    UnionRect(&result, &a, &b);
    return result;
}

}  // namespace

// ---- Painted by the parent.

GraphicPeer::GraphicPeer(Win32Backend& backend, Control& control) : Peer(backend, control) {}

GraphicPeer::~GraphicPeer() {
    if (backend_) Invalidate();
}

void GraphicPeer::Create() {
    lastBounds_ = BoundsRect();
    painted_ = lastBounds_;
    Invalidate();
    SyncTool();
}

void GraphicPeer::Invalidate() {
    HostPeer* host = Host();
    if (!host) return;
    host->InvalidateArea(Union(Union(lastBounds_, painted_), BoundsRect()));
}

void GraphicPeer::Update(Property property) {
    if (!backend_) return;
    switch (property) {
    case Property::Bounds:
        Invalidate();
        lastBounds_ = BoundsRect();
        painted_ = lastBounds_;
        Invalidate();
        SyncTool();
        break;
    case Property::Visible:
        Invalidate();
        SyncTool();
        break;
    case Property::Hint:
        SyncTool();
        break;
    case Property::Cursor:
        break;
    case Property::Enabled:
        // A disabled picture button forgets the mouse; enabled again it starts afresh.
        if (control_.Kind() == ControlKind::SpriteButton && !control_.Enabled()) {
            auto& sprite = static_cast<SpriteButton&>(control_);
            sprite.SetPressed(false);
            sprite.SetHover(false);
        }
        Invalidate();
        break;
    case Property::Text:
    case Property::Font:
        // A label's new text may run further than the old one.
        if (control_.Kind() == ControlKind::Label) {
            WindowDc screen(nullptr);
            if (screen.Get())
                painted_ = Union(painted_, LabelExtent(screen.Get(), BoundsRect(), control_.Text(),
                                                       backend_->FontFor(control_.GetFont())));
        }
        Invalidate();
        break;
    default:
        Invalidate();
        break;
    }
}

void GraphicPeer::Paint(HDC dc) {
    if (!backend_) return;
    const RECT box = BoundsRect();
    switch (control_.Kind()) {
    case ControlKind::Label: {
        RECT extent = box;
        PaintLabel(dc, box, control_.Text(), backend_->FontFor(control_.GetFont()),
                   ToColorRef(control_.GetFont().color, RGB(0, 0, 0)), control_.Enabled(), &extent);
        painted_ = Union(box, extent);
        break;
    }
    case ControlKind::Splitter:
        PaintSplitter(dc, box);
        break;
    case ControlKind::SpriteButton: {
        const auto& sprite = static_cast<const SpriteButton&>(control_);
        // Disabled, it shows the normal picture: it has no picture of its own for that.
        SpriteState state = SpriteState::Normal;
        if (sprite.Enabled() && sprite.Hover()) state = sprite.Pressed() ? SpriteState::Pressed : SpriteState::Focused;
        SavedDc saved(dc);
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        PaintSpriteButton(dc, box, sprite.GetFace(), state, backend_->FontFor(kSpriteWordFont), sprite.Text(),
                          backend_->FontFor(sprite.GetFont()), ToColorRef(sprite.GetFont().color, RGB(0, 0, 0)));
        break;
    }
    default:
        break;
    }
}

// ---- Arrow-button pair.

SpinButtonsPeer::SpinButtonsPeer(Win32Backend& backend, SpinButtons& spin) : Peer(backend, spin), spin_(spin) {}

void SpinButtonsPeer::Create() {
    const DWORD style = CommonStyle() & ~static_cast<DWORD>(WS_TABSTOP);
    if (!CreateOwnWindow(Win32Backend::kSpinClass, style, 0, ParentWindow(), BoundsRect(), L"")) return;
    // Above the edit whose end it covers.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SpinButtonsPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    Peer::Update(property);
    if (property == Property::Enabled && !spin_.Enabled()) Stop();
}

void SpinButtonsPeer::Fire(SpinPart part) {
    // A handler that shows a message box keeps the repeat timer running in the box's
    // loop; it must not stack up clicks meanwhile.
    if (firing_) return;
    firing_ = true;
    Guard([&] {
        if (part == SpinPart::Up) spin_.ClickUp();
        else spin_.ClickDown();
    });
    firing_ = false;
}

void SpinButtonsPeer::Stop() {
    if (hwnd_) KillTimer(hwnd_, kRepeatTimer);
    const bool wasPressed = pressed_ != SpinPart::None;
    pressed_ = SpinPart::None;
    repeating_ = false;
    if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
    if (wasPressed && hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT SpinButtonsPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc paint(hwnd_);
        RECT client{};
        GetClientRect(hwnd_, &client);
        BackBuffer buffer(paint.Get(), client.right, client.bottom);
        HDC dc = buffer.Ok() ? buffer.Get() : paint.Get();
        PaintSpinButtons(dc, client.right, client.bottom, ToColorRef(spin_.GetColor(), GetSysColor(COLOR_BTNFACE)),
                         spin_.Enabled(), pressed_);
        if (buffer.Ok()) BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Each press of a double click is a click of its own.
        if (!spin_.Enabled()) return 0;
        Guard([&] { spin_.MouseDown(MouseButton::Left, point.x, point.y); });
        RECT client{};
        GetClientRect(hwnd_, &client);
        const SpinPart part = point.x >= 0 && point.x < client.right ? SpinPartAt(client.bottom, point.y) : SpinPart::None;
        if (part == SpinPart::None || !hwnd_) return 0;
        if (Control* focus = spin_.FocusControl(); focus && focus->TabStop()) backend_->SetFocus(focus);
        pressed_ = part;
        repeating_ = false;
        SetCapture(hwnd_);
        InvalidateRect(hwnd_, nullptr, FALSE);
        SetTimer(hwnd_, kRepeatTimer, kFirstRepeatDelay, nullptr);
        Fire(part);
        return 0;
    }
    case WM_LBUTTONUP:
        Stop();
        Guard([&] { spin_.MouseUp(MouseButton::Left, point.x, point.y); });
        return 0;
    case WM_RBUTTONDOWN:
        Guard([&] { spin_.MouseDown(MouseButton::Right, point.x, point.y); });
        break;
    case WM_RBUTTONUP:
        Guard([&] { spin_.MouseUp(MouseButton::Right, point.x, point.y); });
        break;
    case WM_MOUSEMOVE:
        Guard([&] {
            spin_.MouseMove((wParam & MK_RBUTTON) && !(wParam & MK_LBUTTON) ? MouseButton::Right : MouseButton::Left,
                            point.x, point.y);
        });
        return 0;
    case WM_TIMER:
        if (wParam != kRepeatTimer) break;
        if (pressed_ == SpinPart::None || firing_) return 0;
        if (!repeating_) {
            repeating_ = true;
            SetTimer(hwnd_, kRepeatTimer, kRepeatInterval, nullptr);
        }
        {
            // Only while the pointer stays on the arrow that was pressed.
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(hwnd_, &cursor);
            RECT client{};
            GetClientRect(hwnd_, &client);
            if (PtInRect(&client, cursor) && SpinPartAt(client.bottom, cursor.y) == pressed_) Fire(pressed_);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_ && pressed_ != SpinPart::None) Stop();
        break;
    case WM_CANCELMODE:
        Stop();
        break;
    default:
        break;
    }
    return Peer::HandleMessage(message, wParam, lParam);
}

}  // namespace ui::win32
