#pragma once
// The backend that gives the forms real windows: the application's hidden window, the
// message loop, timers, message boxes, focus, pop-up menus and modal forms.
#include <windows.h>

// <windows.h> maps MessageBox to MessageBoxW, which would rename the backend's member in
// the files that include <windows.h> only; Backend.h must come after this.
#ifdef MessageBox
#undef MessageBox
#endif

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "panel/ui/Backend.h"
#include "panel/ui/win32/GdiObjects.h"

namespace ui {

namespace win32 {
class Peer;
}

class Win32Backend : public Backend {
public:
    // Registers the window classes, creates the application window and the timers'
    // message window, and becomes the current backend.
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    void Realize(Form& form) override;
    void TimerChanged(Timer& timer) override;
    void TimerGone(Timer& timer) override;
    int MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) override;
    void SetFocus(Control* control) override;
    Control* Focused() const override;
    void ShowPopupMenu(PopupMenu& menu, Control& owner, int x, int y) override;
    Handle ApplicationHandle() const override { return reinterpret_cast<Handle>(application_); }
    void Terminate() override;
    bool Terminated() const override { return terminated_; }

    // The message loop; returns when Terminate has run (or WM_QUIT arrived otherwise).
    int Run();
    // Shows the form and runs a message loop of its own, with the other forms disabled,
    // until EndModal; returns the result given there (0 when the program ends meanwhile).
    int ShowModal(Form& form);
    void EndModal(Form& form, int result);
    bool IsModal(const Form& form) const;

    // Handles the messages waiting now, without blocking; false once WM_QUIT was seen
    // (it is posted again for the loop that owns it).
    bool ProcessPendingMessages();

    // The application's general handler of unexpected errors: gets the text of whatever
    // escaped an event handler. By default a message box titled "Quorvex".
    using ErrorHandler = std::function<void(const std::wstring& text)>;
    void SetUnexpectedErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
    void HandleUnexpected(std::exception_ptr error) noexcept;
    // Runs a call into the controls' events; what escapes goes to the handler above.
    template <typename F>
    void Guard(F&& call) noexcept {
        try {
            call();
        } catch (...) {
            HandleUnexpected(std::current_exception());
        }
    }

    // ---- For the peers.
    HINSTANCE Instance() const { return instance_; }
    HFONT FontFor(const ui::Font& font);
    HBRUSH SolidBrush(COLORREF color);
    win32::Peer* PeerOf(HWND window) const;
    void RegisterWindow(HWND window, win32::Peer* peer);
    void UnregisterWindow(HWND window);
    void PeerCreated(win32::Peer* peer) { peers_.insert(peer); }
    void PeerGone(win32::Peer* peer);
    // Routes a WM_COMMAND / WM_HSCROLL / WM_VSCROLL / WM_CTLCOLOR* that a parent received
    // to the peer of the child that sent it. True (with `result`) when taken.
    bool ReflectToChild(win32::Peer& parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_CLOSE of a form.
    void CloseRequested(Form& form);
    // Keyboard navigation of the form a message goes to (Tab, mnemonics).
    bool TranslateDialogMessage(MSG& message);

    static constexpr const wchar_t* kFormClass = L"QuorvexForm";
    static constexpr const wchar_t* kPanelClass = L"QuorvexPanel";
    static constexpr const wchar_t* kSpinClass = L"QuorvexSpinButtons";

private:
    struct ModalState {
        Form* form;
        int result = 0;
        bool done = false;
    };
    struct FontKey {
        std::wstring name;
        int height;
        bool bold;
        bool operator<(const FontKey& other) const;
    };

    static LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RegisterClasses();
    void FireTimer(UINT_PTR id);
    HWND ActiveFormWindow() const;
    // One message taken from the queue, with the form's keyboard navigation first.
    void Dispatch(MSG& message);
    bool PumpUntil(const std::function<bool()>& done);

    HINSTANCE instance_;
    HWND application_ = nullptr;
    HWND timerWindow_ = nullptr;
    bool terminated_ = false;
    int exitCode_ = 0;
    ErrorHandler errorHandler_;

    std::map<UINT_PTR, Timer*> timersById_;
    std::map<Timer*, UINT_PTR> timerIds_;
    UINT_PTR nextTimerId_ = 1;

    std::unordered_map<HWND, win32::Peer*> windows_;
    std::set<win32::Peer*> peers_;
    std::vector<Form*> forms_;
    std::vector<std::unique_ptr<ModalState>> modal_;
    Control* graphicFocus_ = nullptr;

    std::map<FontKey, win32::Font> fonts_;
    std::map<COLORREF, win32::Brush> brushes_;
};

}  // namespace ui
