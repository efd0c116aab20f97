#pragma once
// The peers of the Win32 backend: one small class per kind of control, each mirroring its
// control into a window (or, for the graphic controls, into its parent's painting) and
// reflecting the window's notifications back into the control.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "panel/ui/Controls.h"
#include "panel/ui/win32/GdiObjects.h"
#include "panel/ui/win32/Painting.h"
#include "panel/ui/win32/Win32Backend.h"

namespace ui::win32 {

class HostPeer;
class FormPeer;

class Peer : public ControlPeer {
public:
    Peer(Win32Backend& backend, Control& control);
    ~Peer() override;

    Control& Owner() const { return control_; }
    Win32Backend* Backend() const { return backend_; }
    // The window this peer owns, if any (a pair of arrow buttons has a private one).
    HWND Window() const { return hwnd_; }
    Handle NativeHandle() const override { return reinterpret_cast<Handle>(hwnd_); }

    // Creates the window(s); the parent's peer exists already.
    virtual void Create() = 0;
    // Runs once the whole form has its windows.
    virtual void Realized() {}
    // The backend is going away first: give up the window and every call back into it.
    void Orphan();

    // The peer of the parent control when it paints graphic children, else null.
    HostPeer* Host() const;
    // The window the control lies in: the parent's (for a graphic control, where it is painted).
    HWND ParentWindow() const;
    // The form the control belongs to.
    FormPeer* RootForm() const;

    void Update(Property property) override;

    // Window messages of the peer's own window: own class or subclassed system control.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // A notification of the window `from` (this peer's own or one of its private ones),
    // reflected by the parent. True when taken.
    virtual bool Command(HWND /*from*/, WORD /*code*/) { return false; }
    virtual bool Scroll() { return false; }
    // As a parent: the background for a child's WM_CTLCOLOR*, null for the system's.
    virtual HBRUSH ChildBackground(HDC /*dc*/, HWND /*child*/, UINT /*message*/) { return nullptr; }

    static LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

protected:
    // A system control, subclassed so that its keys and notifications reach the control.
    bool CreateSystemWindow(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text);
    // A window of one of the backend's own classes.
    bool CreateOwnWindow(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const RECT& bounds,
                         const std::wstring& text);
    DWORD CommonStyle() const;
    RECT BoundsRect() const;
    void ApplyFont(HWND window);
    void SyncTool();
    // Runs a call into the control's events with every exception caught.
    template <typename F>
    void Guard(F&& call) {
        if (backend_) backend_->Guard(std::forward<F>(call));
    }
    // Forgets the window once the system has destroyed it.
    void Detach();
    // Takes the hint's tool away and destroys the window; derived peers whose members the
    // window uses call it first in their destructors.
    void ReleaseWindow();
    void RemoveTool();

    Win32Backend* backend_;
    Control& control_;
    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    bool toolAdded_ = false;
};

// A control that paints graphic children and hands them its mouse: forms, panels, group boxes.
class HostPeer : public Peer {
public:
    using Peer::Peer;
    ~HostPeer() override;
    // A graphic child's area needs painting.
    void InvalidateArea(const RECT& area);
    void ChildGone(Control* child);
    // The topmost visible graphic child at a point of the client area; disabled ones
    // only when `includeDisabled`.
    Control* GraphicAt(POINT point, bool includeDisabled) const;
    // The colour the host's children stand on.
    virtual COLORREF Background() const = 0;

protected:
    // What forms, panels and group boxes answer alike: painting, cursor, context menu and
    // the mouse. True (with `result`) when handled.
    bool HandleHostMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The brush for a child that is a text field (edit, list, combo box): its own colour,
    // or null for the system's. `isField` tells whether it is one.
    HBRUSH FieldBackground(HDC dc, HWND child, bool& isField);
    // Background under the graphic children, into `dc`.
    virtual void PaintBackground(HDC dc, int width, int height) = 0;
    void PaintClient(HDC dc, int width, int height);
    LRESULT PaintBuffered();
    // Mouse messages of the window: a graphic child under the pointer (or holding the
    // capture) gets them, else the host's own control. True when handled.
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleSetCursor(LPARAM lParam);

private:
    bool IsLiveChild(Control* child) const;
    void Press(Control& target, MouseButton button, POINT point, bool doubleClick);
    void Release(MouseButton button, POINT point);
    void Move(WPARAM wParam, POINT point);
    void CancelPress();
    void SetHovered(Control* control);

    Control* captured_ = nullptr;
    MouseButton capturedButton_ = MouseButton::Left;
    bool clickPending_ = false;
    Control* hovered_ = nullptr;
    bool trackingLeave_ = false;
};

class FormPeer : public HostPeer {
public:
    FormPeer(Win32Backend& backend, Form& form);
    ~FormPeer() override;
    void Create() override;
    void Realized() override;
    void Update(Property property) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ChildBackground(HDC dc, HWND child, UINT message) override;
    COLORREF Background() const override { return BackColor(); }
    // The form's tooltip window, made on first use.
    HWND Tooltip();
    HWND ExistingTooltip() const { return tooltip_ && IsWindow(tooltip_) ? tooltip_ : nullptr; }
    COLORREF BackColor() const;
    // Outside the panels' rounded corners: the colour key where there is one.
    COLORREF SeeThroughColor() const;

protected:
    void PaintBackground(HDC dc, int width, int height) override;

private:
    void ApplyRegion();
    void PaintKeyOutsideRegion();
    void ApplyToolWindow();
    Form& form_;
    HWND tooltip_ = nullptr;
    // The window moved or resized by the system or the user: the form takes the new bounds.
    bool takingBounds_ = false;
};

class PanelPeer : public HostPeer {
public:
    PanelPeer(Win32Backend& backend, Panel& panel);
    ~PanelPeer() override;
    void Create() override;
    COLORREF Background() const override { return Look().fill; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ChildBackground(HDC dc, HWND child, UINT message) override;
    void Update(Property property) override;

protected:
    void PaintBackground(HDC dc, int width, int height) override;

private:
    SmoothPanelLook Look() const;
    // The painted face without the graphic children, kept for the pattern brush that
    // lets the system controls on the panel show the gradient behind their captions.
    bool EnsureFace(int width, int height);
    Panel& panel_;
    Bitmap face_;
    Brush faceBrush_;
    SmoothPanelLook faceLook_{};
    int faceWidth_ = 0;
    int faceHeight_ = 0;
};

class GroupBoxPeer : public HostPeer {
public:
    GroupBoxPeer(Win32Backend& backend, Panel& box);
    void Create() override;
    COLORREF Background() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ChildBackground(HDC dc, HWND child, UINT message) override;

protected:
    void PaintBackground(HDC dc, int width, int height) override;
};

class RadioGroupPeer : public Peer {
public:
    RadioGroupPeer(Win32Backend& backend, RadioGroup& group);
    ~RadioGroupPeer() override;
    void Create() override;
    void Update(Property property) override;
    void ItemsChanged(ItemChange change, int index) override;
    bool Command(HWND from, WORD code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ChildBackground(HDC dc, HWND child, UINT message) override;
    const std::vector<HWND>& Buttons() const { return buttons_; }

private:
    void Rebuild();
    void Arrange();
    void MirrorChecks();
    void DestroyButtons();
    void PaintBox(HDC dc, int width, int height);
    RadioGroup& group_;
    std::vector<HWND> buttons_;
};

class EditPeer : public Peer {
public:
    EditPeer(Win32Backend& backend, Edit& edit);
    void Create() override;
    void Update(Property property) override;
    bool ReadText(std::wstring& text) override;
    bool Command(HWND from, WORD code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Edit& edit_;
    // While set, the control's own field is the text (it is about to be written to the window).
    bool writing_ = false;
};

class ListBoxPeer : public Peer {
public:
    ListBoxPeer(Win32Backend& backend, ListBox& list);
    void Create() override;
    void Update(Property property) override;
    void ItemsChanged(ItemChange change, int index) override;
    void SetRedraw(bool on) override;
    bool Command(HWND from, WORD code) override;

private:
    void Rebuild();
    void MirrorSelection();
    ListBox& list_;
};

class ButtonPeer : public Peer {
public:
    ButtonPeer(Win32Backend& backend, Control& button);
    void Create() override;
    bool Command(HWND from, WORD code) override;
};

class CheckBoxPeer : public Peer {
public:
    CheckBoxPeer(Win32Backend& backend, CheckBox& box);
    void Create() override;
    void Update(Property property) override;
    bool Command(HWND from, WORD code) override;

private:
    CheckBox& box_;
};

class ComboBoxPeer : public Peer {
public:
    ComboBoxPeer(Win32Backend& backend, ComboBox& combo);
    void Create() override;
    void Update(Property property) override;
    void ItemsChanged(ItemChange change, int index) override;
    bool Command(HWND from, WORD code) override;

private:
    void Rebuild();
    ComboBox& combo_;
};

class TrackBarPeer : public Peer {
public:
    TrackBarPeer(Win32Backend& backend, TrackBar& bar);
    void Create() override;
    void Update(Property property) override;
    bool Scroll() override;

private:
    void MirrorRange();
    TrackBar& bar_;
};

// Label, Splitter, SpriteButton: painted by the parent, no window.
class GraphicPeer : public Peer {
public:
    GraphicPeer(Win32Backend& backend, Control& control);
    ~GraphicPeer() override;
    void Create() override;
    void Update(Property property) override;
    void Paint(HDC dc);

private:
    void Invalidate();
    // What the last paint covered beyond the bounds (a label's text may run past them).
    RECT painted_{};
    RECT lastBounds_{};
};

// The arrow pair lies over the end of an edit, so it has a small window of its own above
// its siblings; its NativeHandle stays 0 as for every graphic control.
class SpinButtonsPeer : public Peer {
public:
    SpinButtonsPeer(Win32Backend& backend, SpinButtons& spin);
    void Create() override;
    void Update(Property property) override;
    Handle NativeHandle() const override { return 0; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Fire(SpinPart part);
    void Stop();
    SpinButtons& spin_;
    SpinPart pressed_ = SpinPart::None;
    bool repeating_ = false;
    bool firing_ = false;
};

}  // namespace ui::win32
