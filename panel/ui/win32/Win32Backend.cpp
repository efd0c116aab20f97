#include "panel/ui/win32/Win32Backend.h"
// After <windows.h>, which the header brings.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "panel/ui/win32/Peers.h"

namespace ui {

namespace {

constexpr const wchar_t* kApplicationClass = L"QuorvexApplication";
constexpr const wchar_t* kTimerClass = L"QuorvexTimers";
constexpr const wchar_t* kProgramName = L"Quorvex";
constexpr const wchar_t* kUnknownError = L"Непредвиденная ошибка";
constexpr int kModalCancel = 2;  // what closing a modal form by its close box answers

std::wstring Widen(const char* text) {
    if (!text || !*text) return {};
    // Our own messages are UTF-8; the runtime's come in the ANSI code page.
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
        if (length <= 0) continue;
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        if (MultiByteToWideChar(codePage, flags, text, -1, wide.data(), length) <= 0) continue;
        wide.resize(static_cast<std::size_t>(length - 1));
        return wide;
    }
    return {};
}

std::unique_ptr<win32::Peer> MakePeer(Win32Backend& backend, Control& control) {
    using namespace win32;
    switch (control.Kind()) {
    case ControlKind::Form:
        if (auto* form = dynamic_cast<Form*>(&control)) return std::make_unique<FormPeer>(backend, *form);
        break;
    case ControlKind::Panel:
        if (auto* panel = dynamic_cast<Panel*>(&control)) return std::make_unique<PanelPeer>(backend, *panel);
        break;
    case ControlKind::GroupBox:
        if (auto* box = dynamic_cast<Panel*>(&control)) return std::make_unique<GroupBoxPeer>(backend, *box);
        break;
    case ControlKind::RadioGroup:
        if (auto* group = dynamic_cast<RadioGroup*>(&control)) return std::make_unique<RadioGroupPeer>(backend, *group);
        break;
    case ControlKind::Edit:
        if (auto* edit = dynamic_cast<Edit*>(&control)) return std::make_unique<EditPeer>(backend, *edit);
        break;
    case ControlKind::ListBox:
        if (auto* list = dynamic_cast<ListBox*>(&control)) return std::make_unique<ListBoxPeer>(backend, *list);
        break;
    case ControlKind::CheckBox:
        if (auto* box = dynamic_cast<CheckBox*>(&control)) return std::make_unique<CheckBoxPeer>(backend, *box);
        break;
    case ControlKind::ComboBox:
        if (auto* combo = dynamic_cast<ComboBox*>(&control)) return std::make_unique<ComboBoxPeer>(backend, *combo);
        break;
    case ControlKind::TrackBar:
        if (auto* bar = dynamic_cast<TrackBar*>(&control)) return std::make_unique<TrackBarPeer>(backend, *bar);
        break;
    case ControlKind::SpinButtons:
        if (auto* spin = dynamic_cast<SpinButtons*>(&control)) return std::make_unique<SpinButtonsPeer>(backend, *spin);
        break;
    case ControlKind::Button:
    case ControlKind::RadioButton:
        return std::make_unique<ButtonPeer>(backend, control);
    case ControlKind::Label:
    case ControlKind::Splitter:
    case ControlKind::SpriteButton:
        return std::make_unique<GraphicPeer>(backend, control);
    }
    throw std::logic_error("control of an unknown kind");
}

}  // namespace

bool Win32Backend::FontKey::operator<(const FontKey& other) const {
    return std::tie(name, height, bold) < std::tie(other.name, other.height, other.bold);
}

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterClasses();
    // As the VCL's application window: a zero-sized top-level window that owns every form.
    application_ = CreateWindowExW(0, kApplicationClass, kProgramName,
                                   WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                   nullptr, nullptr, instance_, this);
    timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    if (!application_ || !timerWindow_) {
        if (application_) DestroyWindow(application_);
        if (timerWindow_) DestroyWindow(timerWindow_);
        throw std::runtime_error("the application window could not be created");
    }
    SetBackend(this);
}

Win32Backend::~Win32Backend() {
    if (CurrentBackend() == this) SetBackend(nullptr);
    for (auto& [id, timer] : timersById_) KillTimer(timerWindow_, id);
    timersById_.clear();
    timerIds_.clear();
    // Controls that outlive the backend keep their peers, but without windows.
    const std::set<win32::Peer*> peers = peers_;
    for (win32::Peer* peer : peers) peer->Orphan();
    peers_.clear();
    DestroyWindow(timerWindow_);
    DestroyWindow(application_);
}

void Win32Backend::RegisterClasses() {
    auto registerClass = [this](const wchar_t* name, WNDPROC procedure, UINT style, HBRUSH background) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = style;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance_;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        // A second backend in the same process finds the classes already there.
        if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("a window class could not be registered");
    };
    registerClass(kApplicationClass, ApplicationProc, 0, nullptr);
    registerClass(kTimerClass, TimerWindowProc, 0, nullptr);
    registerClass(kFormClass, win32::Peer::OwnWindowProc, CS_DBLCLKS, nullptr);
    registerClass(kPanelClass, win32::Peer::OwnWindowProc, CS_DBLCLKS, nullptr);
    registerClass(kSpinClass, win32::Peer::OwnWindowProc, CS_DBLCLKS, nullptr);
}

LRESULT CALLBACK Win32Backend::ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Closing the application window (its task-bar button) closes the main form, the
    // first one realized, as the VCL does; it never destroys itself.
    if (message == WM_CLOSE && self) {
        if (!self->forms_.empty()) {
            if (auto* peer = dynamic_cast<win32::Peer*>(self->forms_.front()->Peer()); peer && peer->Window())
                PostMessageW(peer->Window(), WM_CLOSE, 0, 0);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32Backend::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && self) {
        self->FireTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- Forms.

void Win32Backend::Realize(Form& form) {
    std::vector<win32::Peer*> created;
    form.ForEach([&](Control& control) {
        if (dynamic_cast<win32::Peer*>(control.Peer())) return;
        std::unique_ptr<win32::Peer> peer = MakePeer(*this, control);
        win32::Peer* raw = peer.get();
        // Attached before its window exists, so that the children made next find their parent.
        control.AttachPeer(std::move(peer));
        raw->Create();
        created.push_back(raw);
    });
    if (std::find(forms_.begin(), forms_.end(), &form) == forms_.end()) forms_.push_back(&form);
    bool failed = false;
    for (win32::Peer* peer : created) {
        peer->Realized();
        if (!peer->Window() && !peer->Owner().IsGraphic()) failed = true;
    }
    if (failed)
        HandleUnexpected(std::make_exception_ptr(std::runtime_error("a window of the form could not be created")));
}

void Win32Backend::CloseRequested(Form& form) {
    Guard([&] {
        if (form.OnClose) form.OnClose();
    });
    if (IsModal(form)) EndModal(form, kModalCancel);
    else if (!form.OnClose) form.Hide();
}

// ---- Timers.

void Win32Backend::TimerChanged(Timer& timer) {
    UINT_PTR id;
    if (auto it = timerIds_.find(&timer); it != timerIds_.end()) {
        id = it->second;
        KillTimer(timerWindow_, id);
    } else {
        // Ids are never reused, so that a late WM_TIMER of a timer gone finds nothing.
        id = nextTimerId_++;
        timerIds_[&timer] = id;
        timersById_[id] = &timer;
    }
    if (timer.Enabled() && timer.Interval() > 0) SetTimer(timerWindow_, id, static_cast<UINT>(timer.Interval()), nullptr);
}

void Win32Backend::TimerGone(Timer& timer) {
    auto it = timerIds_.find(&timer);
    if (it == timerIds_.end()) return;
    KillTimer(timerWindow_, it->second);
    timersById_.erase(it->second);
    timerIds_.erase(it);
}

void Win32Backend::FireTimer(UINT_PTR id) {
    auto it = timersById_.find(id);
    if (it == timersById_.end()) {
        KillTimer(timerWindow_, id);
        return;
    }
    Timer* timer = it->second;
    Guard([timer] { timer->Fire(); });
}

// ---- Errors.

void Win32Backend::HandleUnexpected(std::exception_ptr error) noexcept {
    try {
        std::wstring text;
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            text = Widen(e.what());
        } catch (...) {
        }
        if (text.empty()) text = kUnknownError;
        if (errorHandler_) errorHandler_(text);
        else MessageBox(text, kProgramName, kMbOk | kMbIconError);
    } catch (...) {
        // The handler of last resort has nothing behind it.
    }
}

// ---- Dialog services.

HWND Win32Backend::ActiveFormWindow() const {
    HWND active = GetActiveWindow();
    if (!active) return nullptr;
    win32::Peer* peer = PeerOf(active);
    return peer && peer->Owner().Kind() == ControlKind::Form ? active : nullptr;
}

int Win32Backend::MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) {
    return MessageBoxW(ActiveFormWindow(), text.c_str(), caption.c_str(), flags);
}

void Win32Backend::SetFocus(Control* control) {
    graphicFocus_ = nullptr;
    if (!control) {
        ::SetFocus(nullptr);
        return;
    }
    auto* peer = dynamic_cast<win32::Peer*>(control->Peer());
    if (!peer) return;
    if (HWND window = peer->Window()) {
        ::SetFocus(window);
        return;
    }
    // A graphic control cannot hold the keyboard; its parent's window does, in its name.
    if (HWND parent = peer->ParentWindow()) {
        ::SetFocus(parent);
        if (GetFocus() == parent) graphicFocus_ = control;
    }
}

Control* Win32Backend::Focused() const {
    HWND focus = GetFocus();
    if (!focus) return nullptr;
    if (graphicFocus_) {
        if (auto* peer = dynamic_cast<win32::Peer*>(graphicFocus_->Peer()); peer && peer->ParentWindow() == focus)
            return graphicFocus_;
    }
    // The focus may sit in a window inside a control (a combo box's own parts).
    for (HWND window = focus; window; window = GetParent(window)) {
        if (win32::Peer* peer = PeerOf(window)) return &peer->Owner();
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

void Win32Backend::ShowPopupMenu(PopupMenu& menu, Control& owner, int x, int y) {
    win32::MenuHandle handle(CreatePopupMenu());
    if (!handle.Get()) return;
    const auto& items = menu.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const UINT flags = MF_STRING | (items[i]->Enabled() ? 0 : MF_GRAYED);
        AppendMenuW(handle.Get(), flags, i + 1, items[i]->Caption().c_str());
    }
    HWND window = nullptr;
    for (Control* c = &owner; c && !window; c = c->Parent()) {
        if (auto* peer = dynamic_cast<win32::Peer*>(c->Peer())) window = peer->Window();
    }
    if (!window) window = application_;
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    const int command = static_cast<int>(TrackPopupMenu(handle.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                        x, y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    if (command <= 0 || static_cast<std::size_t>(command) > menu.Items().size()) return;
    MenuItem& item = *menu.Items()[static_cast<std::size_t>(command - 1)];
    Guard([&] { item.Click(owner); });
}

// ---- Message loops.

void Win32Backend::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

bool Win32Backend::TranslateDialogMessage(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    win32::Peer* peer = root ? PeerOf(root) : nullptr;
    if (!peer || peer->Owner().Kind() != ControlKind::Form) return false;
    return IsDialogMessageW(root, &message) != FALSE;
}

void Win32Backend::Dispatch(MSG& message) {
    if (TranslateDialogMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32Backend::Run() {
    MSG message;
    while (!terminated_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) break;
        Dispatch(message);
    }
    return exitCode_;
}

bool Win32Backend::ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Dispatch(message);
    }
    return true;
}

bool Win32Backend::PumpUntil(const std::function<bool()>& done) {
    MSG message;
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop owns the quit; hand it on.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got == -1) return false;
        Dispatch(message);
    }
    return true;
}

int Win32Backend::ShowModal(Form& form) {
    auto* peer = dynamic_cast<win32::Peer*>(form.Peer());
    if (!peer || !peer->Window() || IsModal(form)) return 0;
    HWND window = peer->Window();
    // The other forms take no input while this one is up; their timers keep running.
    std::vector<HWND> disabled;
    for (Form* other : forms_) {
        if (other == &form) continue;
        auto* otherPeer = dynamic_cast<win32::Peer*>(other->Peer());
        HWND otherWindow = otherPeer ? otherPeer->Window() : nullptr;
        if (otherWindow && IsWindowEnabled(otherWindow)) {
            EnableWindow(otherWindow, FALSE);
            disabled.push_back(otherWindow);
        }
    }
    HWND previous = GetActiveWindow();
    modal_.push_back(std::make_unique<ModalState>(ModalState{&form}));
    ModalState* state = modal_.back().get();

    form.Show();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    const bool ended = PumpUntil([state] { return state->done; });
    const int result = state->result;
    modal_.erase(std::find_if(modal_.begin(), modal_.end(), [state](const auto& s) { return s.get() == state; }));

    // Enabled again before the dialog goes, so that the activation returns to them.
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
    if (form.Peer() == peer) form.Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return ended ? result : 0;
}

void Win32Backend::EndModal(Form& form, int result) {
    for (auto& state : modal_) {
        if (state->form == &form && !state->done) {
            state->result = result;
            state->done = true;
            PostMessageW(timerWindow_, WM_NULL, 0, 0);
            return;
        }
    }
}

bool Win32Backend::IsModal(const Form& form) const {
    return std::any_of(modal_.begin(), modal_.end(),
                       [&form](const auto& state) { return state->form == &form && !state->done; });
}

// ---- Shared resources.

HFONT Win32Backend::FontFor(const ui::Font& font) {
    FontKey key{font.name, font.height, font.bold};
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.Get();
    LOGFONTW description{};
    description.lfHeight = -font.height;
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = RUSSIAN_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(description.lfFaceName, font.name.c_str(), LF_FACESIZE);
    win32::Font handle(CreateFontIndirectW(&description));
    if (!handle) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HFONT result = handle.Get();
    fonts_.emplace(std::move(key), std::move(handle));
    return result;
}

HBRUSH Win32Backend::SolidBrush(COLORREF color) {
    auto it = brushes_.find(color);
    if (it != brushes_.end()) return it->second.Get();
    win32::Brush brush(CreateSolidBrush(color));
    if (!brush) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH result = brush.Get();
    brushes_.emplace(color, std::move(brush));
    return result;
}

// ---- Windows and their peers.

win32::Peer* Win32Backend::PeerOf(HWND window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second;
}

void Win32Backend::RegisterWindow(HWND window, win32::Peer* peer) { windows_[window] = peer; }

void Win32Backend::UnregisterWindow(HWND window) { windows_.erase(window); }

void Win32Backend::PeerGone(win32::Peer* peer) {
    peers_.erase(peer);
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second == peer) it = windows_.erase(it);
        else ++it;
    }
    Control* control = &peer->Owner();
    if (graphicFocus_ == control) graphicFocus_ = nullptr;
    forms_.erase(std::remove(forms_.begin(), forms_.end(), control), forms_.end());
    for (auto& state : modal_) {
        if (state->form == control) state->done = true;
    }
}

bool Win32Backend::ReflectToChild(win32::Peer& parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_COMMAND: {
        win32::Peer* peer = child ? PeerOf(child) : nullptr;
        if (!peer) return false;
        bool taken = false;
        Guard([&] { taken = peer->Command(child, HIWORD(wParam)); });
        result = 0;
        return taken;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        win32::Peer* peer = child ? PeerOf(child) : nullptr;
        if (!peer) return false;
        bool taken = false;
        Guard([&] { taken = peer->Scroll(); });
        result = 0;
        return taken;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        HBRUSH brush = parent.ChildBackground(reinterpret_cast<HDC>(wParam), child, message);
        if (!brush) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace ui
