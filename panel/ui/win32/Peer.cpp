// What every peer shares: creation of its window, the window procedures, the common
// properties and the tooltip of its hint.

#include "panel/ui/win32/Peers.h"
// After <windows.h>, which Peers.h brings.
#include <commctrl.h>
#include <windowsx.h>

#include <cstddef>
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x51564B;

// The size every version of the tooltip control accepts: up to lParam.
constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);

}  // namespace

Peer::Peer(Win32Backend& backend, Control& control) : backend_(&backend), control_(control) {
    backend.PeerCreated(this);
}

Peer::~Peer() {
    ReleaseWindow();
    if (backend_) {
        if (HostPeer* host = Host()) host->ChildGone(&control_);
        backend_->PeerGone(this);
    }
}

void Peer::ReleaseWindow() {
    RemoveTool();
    if (hwnd_) {
        HWND window = hwnd_;
        Detach();
        DestroyWindow(window);
    }
}

void Peer::RemoveTool() {
    if (!toolAdded_ || !backend_) return;
    toolAdded_ = false;
    FormPeer* form = RootForm();
    if (!form || form == this) return;
    HWND tip = form->ExistingTooltip();
    if (!tip) return;
    TTTOOLINFOW tool{};
    tool.cbSize = kToolInfoSize;
    tool.hwnd = ParentWindow();
    tool.uId = hwnd_ ? reinterpret_cast<UINT_PTR>(hwnd_) : reinterpret_cast<UINT_PTR>(&control_);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Peer::Orphan() {
    ReleaseWindow();
    backend_ = nullptr;
}

void Peer::Detach() {
    if (!hwnd_) return;
    if (subclassed_) RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    else SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (backend_) backend_->UnregisterWindow(hwnd_);
    hwnd_ = nullptr;
    toolAdded_ = false;
}

HostPeer* Peer::Host() const {
    Control* parent = control_.Parent();
    return parent ? dynamic_cast<HostPeer*>(parent->Peer()) : nullptr;
}

HWND Peer::ParentWindow() const {
    for (Control* parent = control_.Parent(); parent; parent = parent->Parent()) {
        if (auto* peer = dynamic_cast<Peer*>(parent->Peer()); peer && peer->hwnd_) return peer->hwnd_;
    }
    return nullptr;
}

FormPeer* Peer::RootForm() const {
    const Control* top = &control_;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<FormPeer*>(top->Peer());
}

RECT Peer::BoundsRect() const {
    return RECT{control_.Left(), control_.Top(), control_.Left() + control_.Width(),
                control_.Top() + control_.Height()};
}

DWORD Peer::CommonStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.Visible()) style |= WS_VISIBLE;
    if (!control_.Enabled()) style |= WS_DISABLED;
    if (control_.TabStop()) style |= WS_TABSTOP;
    return style;
}

bool Peer::CreateSystemWindow(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text) {
    const RECT bounds = BoundsRect();
    HWND window = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, ParentWindow(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_.ControlId())),
                                  backend_->Instance(), nullptr);
    if (!window) return false;
    if (!SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(window);
        return false;
    }
    hwnd_ = window;
    subclassed_ = true;
    backend_->RegisterWindow(window, this);
    ApplyFont(window);
    SyncTool();
    return true;
}

bool Peer::CreateOwnWindow(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const RECT& bounds,
                           const std::wstring& text) {
    const bool child = (style & WS_CHILD) != 0;
    HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_.ControlId())) : nullptr;
    // WM_NCCREATE stores the peer and sets hwnd_.
    HWND window = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent, id,
                                  backend_->Instance(), this);
    if (!window) {
        hwnd_ = nullptr;
        return false;
    }
    hwnd_ = window;
    SyncTool();
    return true;
}

void Peer::ApplyFont(HWND window) {
    if (!backend_ || !window) return;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend_->FontFor(control_.GetFont())), TRUE);
}

void Peer::SyncTool() {
    if (!backend_) return;
    FormPeer* form = RootForm();
    if (!form || !form->Window()) return;
    const std::wstring& hint = control_.Hint();
    // A graphic control's tool is a rectangle of its parent, so a hidden one must go.
    const bool wanted = !hint.empty() && (hwnd_ || control_.Visible());
    if (!wanted && !toolAdded_) return;
    HWND tip = form->Tooltip();
    if (!tip) return;

    TTTOOLINFOW tool{};
    tool.cbSize = kToolInfoSize;
    tool.hinst = backend_->Instance();
    if (hwnd_) {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = this == form ? hwnd_ : ParentWindow();
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    } else {
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = ParentWindow();
        tool.uId = reinterpret_cast<UINT_PTR>(&control_);
        tool.rect = BoundsRect();
    }
    if (!tool.hwnd) return;
    if (!wanted) {
        SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        toolAdded_ = false;
        return;
    }
    std::wstring text = hint;
    tool.lpszText = text.data();
    if (!toolAdded_) {
        toolAdded_ = SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    } else {
        if (!hwnd_) SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Peer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    switch (property) {
    case Property::Bounds: {
        const RECT bounds = BoundsRect();
        SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case Property::Visible:
        ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case Property::Enabled:
        EnableWindow(hwnd_, control_.Enabled());
        break;
    case Property::Text:
        SetWindowTextW(hwnd_, control_.Text().c_str());
        break;
    case Property::Hint:
        SyncTool();
        break;
    case Property::Font:
        ApplyFont(hwnd_);
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case Property::Color:
    case Property::Redraw:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    default:
        break;
    }
}

LRESULT Peer::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? DefSubclassProc(hwnd_, message, wParam, lParam)
                       : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Peer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        LRESULT result = 0;
        if (backend_->ReflectToChild(*this, message, wParam, lParam, result)) return result;
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const int key = static_cast<int>(wParam);
        Guard([&] { control_.KeyDown(key); });
        break;
    }
    case WM_SETCURSOR:
        // Only for this window itself: a parent asked first must not override its children.
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT &&
            control_.GetCursor() == Cursor::HandPoint) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU:
        if (PopupMenu* menu = control_.GetPopupMenu(); menu && reinterpret_cast<HWND>(wParam) == hwnd_) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (lParam == -1) GetCursorPos(&at);
            backend_->ShowPopupMenu(*menu, control_, at.x, at.y);
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        const LRESULT result = Default(message, wParam, lParam);
        Detach();
        return result;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK Peer::OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer;
    if (message == WM_NCCREATE) {
        peer = static_cast<Peer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (peer && peer->backend_) {
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
            peer->hwnd_ = window;
            peer->backend_->RegisterWindow(window, peer);
        }
    } else {
        peer = reinterpret_cast<Peer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!peer || !peer->backend_ || peer->hwnd_ != window) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return peer->HandleMessage(message, wParam, lParam);
    } catch (...) {
        peer->backend_->HandleUnexpected(std::current_exception());
        return 0;
    }
}

LRESULT CALLBACK Peer::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* peer = reinterpret_cast<Peer*>(data);
    if (!peer || !peer->backend_ || peer->hwnd_ != window) return DefSubclassProc(window, message, wParam, lParam);
    try {
        return peer->HandleMessage(message, wParam, lParam);
    } catch (...) {
        peer->backend_->HandleUnexpected(std::current_exception());
        return 0;
    }
}

// ---- Hosts of graphic children.

HostPeer::~HostPeer() {
    if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
}

void HostPeer::InvalidateArea(const RECT& area) {
    if (hwnd_) InvalidateRect(hwnd_, &area, FALSE);
}

bool HostPeer::IsLiveChild(Control* child) const {
    if (!child) return false;
    if (child == &control_) return true;
    for (Control* c : control_.Children())
        if (c == child) return true;
    return false;
}

void HostPeer::ChildGone(Control* child) {
    if (hovered_ == child) hovered_ = nullptr;
    if (captured_ == child) {
        captured_ = nullptr;
        clickPending_ = false;
        if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
    }
}

Control* HostPeer::GraphicAt(POINT point, bool includeDisabled) const {
    const auto& children = control_.Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* child = *it;
        // The arrow pairs have windows of their own and take their mouse themselves.
        if (!child->IsGraphic() || child->Kind() == ControlKind::SpinButtons) continue;
        if (!child->Visible() || (!includeDisabled && !child->Enabled())) continue;
        if (point.x >= child->Left() && point.x < child->Left() + child->Width() && point.y >= child->Top() &&
            point.y < child->Top() + child->Height())
            return child;
    }
    return nullptr;
}

void HostPeer::PaintClient(HDC dc, int width, int height) {
    PaintBackground(dc, width, height);
    for (Control* child : control_.Children()) {
        if (!child->IsGraphic() || !child->Visible()) continue;
        if (auto* peer = dynamic_cast<GraphicPeer*>(child->Peer())) peer->Paint(dc);
    }
}

LRESULT HostPeer::PaintBuffered() {
    PaintDc paint(hwnd_);
    if (!paint.Get()) return 0;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return 0;
    BackBuffer buffer(paint.Get(), width, height);
    if (!buffer.Ok()) {
        PaintClient(paint.Get(), width, height);
        return 0;
    }
    PaintClient(buffer.Get(), width, height);
    const RECT& dirty = paint.Dirty();
    BitBlt(paint.Get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer.Get(),
           dirty.left, dirty.top, SRCCOPY);
    return 0;
}

bool HostPeer::HandleSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(hwnd_, &point);
    Control* under = GraphicAt(point, true);
    if (!under) under = &control_;
    const bool hand = under->GetCursor() == Cursor::HandPoint;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(hand ? IDC_HAND : IDC_ARROW)));
    return true;
}

namespace {

POINT Relative(const Control& target, const Control& host, POINT point) {
    if (&target == &host) return point;
    return POINT{point.x - target.Left(), point.y - target.Top()};
}

bool Inside(const Control& target, const Control& host, POINT relative, HWND window) {
    int width = target.Width();
    int height = target.Height();
    if (&target == &host) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
    }
    return relative.x >= 0 && relative.y >= 0 && relative.x < width && relative.y < height;
}

SpriteButton* AsSprite(Control* control) {
    return control && control->Kind() == ControlKind::SpriteButton ? static_cast<SpriteButton*>(control) : nullptr;
}

PopupMenu* MenuFor(Control* control) {
    for (Control* c = control; c; c = c->Parent())
        if (PopupMenu* menu = c->GetPopupMenu()) return menu;
    return nullptr;
}

}  // namespace

void HostPeer::SetHovered(Control* control) {
    if (hovered_ == control) return;
    if (SpriteButton* old = AsSprite(hovered_); old && IsLiveChild(old) && old->Enabled()) old->SetHover(false);
    hovered_ = control;
    if (SpriteButton* now = AsSprite(control); now && now->Enabled()) now->SetHover(true);
}

void HostPeer::Press(Control& pressed, MouseButton button, POINT point, bool doubleClick) {
    // While one press is held every mouse message belongs to the control that took it.
    Control& target = captured_ && IsLiveChild(captured_) ? *captured_ : pressed;
    // A picture button takes every press as a click of its own, so the second press of a
    // double click is just a press.
    const bool asDoubleClick = doubleClick && target.Kind() != ControlKind::SpriteButton;
    if (!captured_) {
        captured_ = &target;
        capturedButton_ = button;
        clickPending_ = button == MouseButton::Left && !asDoubleClick;
        SetCapture(hwnd_);
    }
    const POINT relative = Relative(target, control_, point);
    if (asDoubleClick) Guard([&] { target.DoubleClick(); });
    if (!IsLiveChild(&target)) return;
    Guard([&] { target.MouseDown(button, relative.x, relative.y); });
    if (SpriteButton* sprite = AsSprite(&target);
        sprite && IsLiveChild(sprite) && sprite->Enabled() && button == MouseButton::Left) {
        sprite->SetPressed(true);
        sprite->SetHover(true);
        hovered_ = sprite;
    }
}

void HostPeer::Release(MouseButton button, POINT point) {
    Control* target = captured_ && IsLiveChild(captured_) ? captured_ : nullptr;
    if (!target) {
        target = GraphicAt(point, false);
        if (!target) target = &control_;
    }
    const bool click = clickPending_ && button == MouseButton::Left && captured_;
    if (captured_ && button == capturedButton_) {
        captured_ = nullptr;
        clickPending_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    SpriteButton* sprite = AsSprite(target);
    // A disabled picture button lets the release pass without a trace.
    if (sprite && !sprite->Enabled()) return;
    const POINT relative = Relative(*target, control_, point);
    const bool inside = Inside(*target, control_, relative, hwnd_);
    if (click && inside) Guard([&] { target->Click(); });
    if (!IsLiveChild(target)) return;
    if (sprite && button == MouseButton::Left) {
        sprite->SetPressed(false);
        sprite->SetHover(inside);
        hovered_ = inside ? sprite : nullptr;
    }
    Guard([&] { target->MouseUp(button, relative.x, relative.y); });
    if (button == MouseButton::Right && IsLiveChild(target)) {
        if (PopupMenu* menu = MenuFor(target)) {
            POINT screen = point;
            ClientToScreen(hwnd_, &screen);
            backend_->ShowPopupMenu(*menu, *target, screen.x, screen.y);
        }
    }
}

void HostPeer::Move(WPARAM wParam, POINT point) {
    const MouseButton button = (wParam & MK_RBUTTON) && !(wParam & MK_LBUTTON) ? MouseButton::Right
                               : (wParam & MK_MBUTTON) && !(wParam & MK_LBUTTON) ? MouseButton::Middle
                                                                                  : MouseButton::Left;
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    Control* target;
    if (captured_ && IsLiveChild(captured_)) {
        target = captured_;
        if (SpriteButton* sprite = AsSprite(target); sprite && sprite->Pressed() && sprite->Enabled()) {
            const bool inside = Inside(*target, control_, Relative(*target, control_, point), hwnd_);
            sprite->SetHover(inside);
            hovered_ = inside ? sprite : nullptr;
        }
    } else {
        Control* under = GraphicAt(point, false);
        SetHovered(AsSprite(under));
        target = under ? under : &control_;
    }
    const POINT relative = Relative(*target, control_, point);
    Guard([&] { target->MouseMove(button, relative.x, relative.y); });
}

void HostPeer::CancelPress() {
    if (SpriteButton* sprite = AsSprite(captured_); sprite && IsLiveChild(sprite)) {
        sprite->SetPressed(false);
        sprite->SetHover(false);
        if (hovered_ == sprite) hovered_ = nullptr;
    }
    captured_ = nullptr;
    clickPending_ = false;
}

bool HostPeer::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    auto press = [&](MouseButton button, bool doubleClick) {
        Control* target = GraphicAt(point, false);
        Press(target ? *target : control_, button, point, doubleClick);
    };
    switch (message) {
    case WM_LBUTTONDOWN: press(MouseButton::Left, false); return true;
    case WM_RBUTTONDOWN: press(MouseButton::Right, false); return true;
    case WM_MBUTTONDOWN: press(MouseButton::Middle, false); return true;
    case WM_LBUTTONDBLCLK: press(MouseButton::Left, true); return true;
    case WM_RBUTTONDBLCLK: press(MouseButton::Right, true); return true;
    case WM_MBUTTONDBLCLK: press(MouseButton::Middle, true); return true;
    case WM_LBUTTONUP: Release(MouseButton::Left, point); return true;
    case WM_RBUTTONUP: Release(MouseButton::Right, point); return true;
    case WM_MBUTTONUP: Release(MouseButton::Middle, point); return true;
    case WM_MOUSEMOVE: Move(wParam, point); return true;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (!captured_) SetHovered(nullptr);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_ && captured_) CancelPress();
        return false;
    default:
        return false;
    }
}

}  // namespace ui::win32
