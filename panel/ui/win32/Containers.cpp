// The windows that hold other controls: forms, the smooth panels and group boxes.

#include "panel/ui/win32/Peers.h"
// After <windows.h>, which Peers.h brings.
#include <commctrl.h>
#include <windowsx.h>
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {

constexpr COLORREF kDefaultPanelFill = RGB(225, 225, 225);
constexpr COLORREF kSilverRef = RGB(192, 192, 192);
constexpr COLORREF kGrayRef = RGB(128, 128, 128);

bool SameLook(const SmoothPanelLook& a, const SmoothPanelLook& b) {
    return a.fill == b.fill && a.gradientTo == b.gradientTo && a.border == b.border && a.corner == b.corner &&
           a.borderWidth == b.borderWidth && a.rounding == b.rounding;
}

PopupMenu* MenuFrom(Control* control) {
    for (Control* c = control; c; c = c->Parent())
        if (PopupMenu* menu = c->GetPopupMenu()) return menu;
    return nullptr;
}

COLORREF TextColorOf(const Control& control) { return ToColorRef(control.GetFont().color, RGB(0, 0, 0)); }

// Controls whose captions stand on their parent's surface.
bool StandsOnSurface(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::TrackBar:
    case ControlKind::GroupBox:
        return true;
    default:
        return false;
    }
}

}  // namespace

// ---- What all hosts share.

HBRUSH HostPeer::FieldBackground(HDC dc, HWND child, bool& isField) {
    isField = false;
    Peer* peer = backend_->PeerOf(child);
    if (!peer) return nullptr;
    const Control& control = peer->Owner();
    const ControlKind kind = control.Kind();
    isField = kind == ControlKind::Edit || kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
    if (!isField || control.GetColor() == kDefaultColor) return nullptr;
    const COLORREF color = ToColorRef(control.GetColor(), GetSysColor(COLOR_WINDOW));
    SetBkColor(dc, color);
    SetTextColor(dc, TextColorOf(control));
    return backend_->SolidBrush(color);
}

bool HostPeer::HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        // Everything is painted, double-buffered, in WM_PAINT.
        result = 1;
        return true;
    case WM_PAINT:
        result = PaintBuffered();
        return true;
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        PaintClient(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
        result = 0;
        return true;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && HandleSetCursor(lParam)) {
            result = TRUE;
            return true;
        }
        return false;
    case WM_CONTEXTMENU: {
        // Our own right clicks open the menu on the button's release; this is the menu key,
        // or a child without a menu of its own passing the request on.
        HWND from = reinterpret_cast<HWND>(wParam);
        Control* start = &control_;
        if (from != hwnd_) {
            if (Peer* peer = backend_->PeerOf(from)) start = &peer->Owner();
        }
        PopupMenu* menu = MenuFrom(start);
        if (!menu) return false;
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1) GetCursorPos(&at);
        backend_->ShowPopupMenu(*menu, *start, at.x, at.y);
        result = 0;
        return true;
    }
    default:
        if (HandleMouse(message, wParam, lParam)) {
            result = 0;
            return true;
        }
        return false;
    }
}

// ---- Forms.

FormPeer::FormPeer(Win32Backend& backend, Form& form) : HostPeer(backend, form), form_(form) {}

FormPeer::~FormPeer() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    ReleaseWindow();
}

COLORREF FormPeer::BackColor() const { return ToColorRef(form_.GetColor(), GetSysColor(COLOR_BTNFACE)); }

COLORREF FormPeer::SeeThroughColor() const {
    return form_.TransparentColorKey() != kDefaultColor ? ToColorRef(form_.TransparentColorKey(), BackColor())
                                                        : BackColor();
}

void FormPeer::Create() {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    const bool keyed = form_.TransparentColorKey() != kDefaultColor;
    if (keyed) exStyle |= WS_EX_LAYERED;
    if (form_.ToolWindow()) exStyle |= WS_EX_TOOLWINDOW;
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    if (!form_.Enabled()) style |= WS_DISABLED;
    // Shown only once all its controls exist (Realized).
    if (!CreateOwnWindow(Win32Backend::kFormClass, style, exStyle,
                         reinterpret_cast<HWND>(backend_->ApplicationHandle()), BoundsRect(), form_.Text()))
        return;
    if (keyed) SetLayeredWindowAttributes(hwnd_, ToColorRef(form_.TransparentColorKey(), 0), 255, LWA_COLORKEY);
    if (!form_.Region().empty()) ApplyRegion();
}

void FormPeer::Realized() {
    if (!hwnd_ || !form_.Visible()) return;
    ShowWindow(hwnd_, SW_SHOWNA);
    if (!form_.Region().empty()) ApplyRegion();
}

HWND FormPeer::Tooltip() {
    if (tooltip_ && IsWindow(tooltip_)) return tooltip_;
    tooltip_ = nullptr;
    if (!hwnd_) return nullptr;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               backend_->Instance(), nullptr);
    if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    return tooltip_;
}

void FormPeer::PaintKeyOutsideRegion() {
    // Wine shapes a colour-keyed window by its non-key pixels alone and drops the window
    // region, so pixels outside the region that were never painted, or that still hold a
    // panel that has moved away, would show. Painting the form's own surface once without
    // a region leaves them in the key colour. Elsewhere this costs one fill of the form.
    if (form_.TransparentColorKey() == kDefaultColor || !IsWindowVisible(hwnd_)) return;
    SetWindowRgn(hwnd_, nullptr, FALSE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void FormPeer::ApplyRegion() {
    const std::vector<Rect>& rectangles = form_.Region();
    PaintKeyOutsideRegion();
    if (rectangles.empty()) {
        SetWindowRgn(hwnd_, nullptr, TRUE);
        return;
    }
    Region united(CreateRectRgn(0, 0, 0, 0));
    if (!united) return;
    for (const Rect& r : rectangles) {
        Region part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        if (part) CombineRgn(united.Get(), united.Get(), part.Get(), RGN_OR);
    }
    // On success the system owns the region.
    if (SetWindowRgn(hwnd_, united.Get(), TRUE)) united.Release();
}

void FormPeer::ApplyToolWindow() {
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    exStyle = form_.ToolWindow() ? (exStyle | WS_EX_TOOLWINDOW) : (exStyle & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    switch (property) {
    case Property::Bounds:
        if (!takingBounds_) Peer::Update(property);
        break;
    case Property::Region:
        ApplyRegion();
        break;
    case Property::Visible:
        Peer::Update(property);
        // Shown again, the window has not been painted outside its region yet.
        if (form_.Visible() && !form_.Region().empty()) ApplyRegion();
        break;
    case Property::ToolWindow:
        ApplyToolWindow();
        break;
    case Property::Color:
    case Property::Redraw:
        // The panels paint their corners in the form's colours.
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    default:
        Peer::Update(property);
        break;
    }
}

void FormPeer::PaintBackground(HDC dc, int width, int height) {
    RECT whole{0, 0, width, height};
    FillRect(dc, &whole, backend_->SolidBrush(BackColor()));
}

HBRUSH FormPeer::ChildBackground(HDC dc, HWND child, UINT) {
    bool isField = false;
    HBRUSH field = FieldBackground(dc, child, isField);
    if (isField) return field;
    Peer* peer = backend_->PeerOf(child);
    if (!peer || !StandsOnSurface(peer->Owner().Kind())) return nullptr;
    SetBkColor(dc, BackColor());
    SetTextColor(dc, TextColorOf(peer->Owner()));
    return backend_->SolidBrush(BackColor());
}

LRESULT FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_CLOSE:
        backend_->CloseRequested(form_);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!takingBounds_ && (position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            RECT window{};
            if (GetWindowRect(hwnd_, &window)) {
                takingBounds_ = true;
                Guard([&] {
                    form_.SetBounds(window.left, window.top, window.right - window.left, window.bottom - window.top);
                });
                takingBounds_ = false;
            }
        }
        break;
    }
    case WM_NCDESTROY:
        // Owned by the form, the tooltip goes with it.
        tooltip_ = nullptr;
        break;
    default:
        if (HandleHostMessage(message, wParam, lParam, result)) return result;
        break;
    }
    return Peer::HandleMessage(message, wParam, lParam);
}

// ---- Smooth panels.

PanelPeer::PanelPeer(Win32Backend& backend, Panel& panel) : HostPeer(backend, panel), panel_(panel) {}

// The children may still ask for the face brush while the window goes.
PanelPeer::~PanelPeer() { ReleaseWindow(); }

void PanelPeer::Create() {
    const DWORD style = (CommonStyle() & ~static_cast<DWORD>(WS_TABSTOP)) | WS_CLIPCHILDREN;
    CreateOwnWindow(Win32Backend::kPanelClass, style, WS_EX_CONTROLPARENT, ParentWindow(), BoundsRect(), L"");
}

SmoothPanelLook PanelPeer::Look() const {
    SmoothPanelLook look{};
    look.fill = ToColorRef(panel_.GetColor(), kDefaultPanelFill);
    look.gradientTo = ToColorRef(panel_.GradientTo(), kSilverRef);
    look.border = ToColorRef(panel_.BorderColor(), kGrayRef);
    look.borderWidth = panel_.BorderWidth();
    look.rounding = panel_.Rounding();
    look.corner = GetSysColor(COLOR_BTNFACE);
    if (Control* parent = panel_.Parent()) {
        if (auto* form = dynamic_cast<FormPeer*>(parent->Peer())) look.corner = form->SeeThroughColor();
        else if (auto* host = dynamic_cast<HostPeer*>(parent->Peer())) look.corner = host->Background();
    }
    return look;
}

bool PanelPeer::EnsureFace(int width, int height) {
    const SmoothPanelLook look = Look();
    if (face_ && faceBrush_ && width == faceWidth_ && height == faceHeight_ && SameLook(look, faceLook_)) return true;
    faceBrush_.Reset();
    face_.Reset();
    if (width <= 0 || height <= 0) return false;
    WindowDc screen(nullptr);
    if (!screen.Get()) return false;
    Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bitmap) return false;
    {
        MemoryDc painter(screen.Get(), bitmap.Get());
        if (!painter.Ok()) return false;
        PaintSmoothPanel(painter.Get(), width, height, look);
    }
    Brush brush(CreatePatternBrush(bitmap.Get()));
    if (!brush) return false;
    face_ = std::move(bitmap);
    faceBrush_ = std::move(brush);
    faceLook_ = look;
    faceWidth_ = width;
    faceHeight_ = height;
    return true;
}

void PanelPeer::PaintBackground(HDC dc, int width, int height) {
    if (EnsureFace(width, height)) {
        MemoryDc source(dc, face_.Get());
        if (source.Ok() && BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) return;
    }
    PaintSmoothPanel(dc, width, height, Look());
}

HBRUSH PanelPeer::ChildBackground(HDC dc, HWND child, UINT) {
    bool isField = false;
    HBRUSH field = FieldBackground(dc, child, isField);
    if (isField) return field;
    Peer* peer = backend_->PeerOf(child);
    if (!peer) return nullptr;
    const Control& control = peer->Owner();
    SetTextColor(dc, TextColorOf(control));
    if (control.Kind() == ControlKind::RadioGroup) {
        SetBkColor(dc, kSilverRef);
        return backend_->SolidBrush(kSilverRef);
    }
    if (!StandsOnSurface(control.Kind())) return nullptr;
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!EnsureFace(client.right, client.bottom)) {
        SetBkColor(dc, Look().fill);
        return backend_->SolidBrush(Look().fill);
    }
    // The face as a pattern, lined up with the child, so that its caption stands on the
    // very gradient behind it.
    POINT origin{0, 0};
    MapWindowPoints(child, hwnd_, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return faceBrush_.Get();
}

void PanelPeer::Update(Property property) {
    if (!backend_ || !hwnd_) return;
    Peer::Update(property);
    switch (property) {
    case Property::Bounds:
    case Property::Color:
    case Property::Redraw:
        // The children's backgrounds come from the face.
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    default:
        break;
    }
}

LRESULT PanelPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleHostMessage(message, wParam, lParam, result)) return result;
    return Peer::HandleMessage(message, wParam, lParam);
}

// ---- Group boxes.

GroupBoxPeer::GroupBoxPeer(Win32Backend& backend, Panel& box) : HostPeer(backend, box) {}

COLORREF GroupBoxPeer::Background() const {
    if (control_.GetColor() != kDefaultColor) return ToColorRef(control_.GetColor(), GetSysColor(COLOR_BTNFACE));
    // As the VCL's group box, the parent's colour by default.
    if (Control* parent = control_.Parent()) {
        if (auto* host = dynamic_cast<HostPeer*>(parent->Peer())) return host->Background();
    }
    return GetSysColor(COLOR_BTNFACE);
}

void GroupBoxPeer::Create() {
    const DWORD style = (CommonStyle() & ~static_cast<DWORD>(WS_TABSTOP)) | BS_GROUPBOX | WS_CLIPCHILDREN;
    CreateSystemWindow(L"BUTTON", style, WS_EX_CONTROLPARENT, control_.Text());
}

void GroupBoxPeer::PaintBackground(HDC dc, int width, int height) {
    RECT whole{0, 0, width, height};
    FillRect(dc, &whole, backend_->SolidBrush(Background()));
    // The frame and the caption as the system draws them, into our buffer.
    Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

HBRUSH GroupBoxPeer::ChildBackground(HDC dc, HWND child, UINT) {
    bool isField = false;
    HBRUSH field = FieldBackground(dc, child, isField);
    if (isField) return field;
    Peer* peer = backend_->PeerOf(child);
    if (!peer || !StandsOnSurface(peer->Owner().Kind())) return nullptr;
    SetBkColor(dc, Background());
    SetTextColor(dc, TextColorOf(peer->Owner()));
    return backend_->SolidBrush(Background());
}

LRESULT GroupBoxPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        // The system's group box lets the mouse through to its parent; over a label of
        // ours it keeps it.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd_, &point);
        if (GraphicAt(point, false)) return HTCLIENT;
        return Peer::HandleMessage(message, wParam, lParam);
    }
    LRESULT result = 0;
    if (HandleHostMessage(message, wParam, lParam, result)) return result;
    return Peer::HandleMessage(message, wParam, lParam);
}

}  // namespace ui::win32
