#pragma once
// Our small form-and-control layer. A control is an object with VCL-like properties and
// events; a backend attaches a peer to it. The headless backend's peers keep nothing, so
// the control's own fields are the state. The Win32 backend's peers mirror every change
// into a real window and read back what the window owns (the text of an edit, which the
// terminal side writes from its own process).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "panel/os/Rect.h"

namespace ui {

using os::Rect;
using Handle = std::uintptr_t;

// A colour as the VCL's TColor stores it: 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr Color kSilver = Rgb(192, 192, 192);
constexpr Color kGray = Rgb(128, 128, 128);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlack = 0;
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kDefaultColor = 0xFF000000u;  // "the component's default"

enum class MouseButton { Left, Right, Middle };
enum class Cursor { Default, HandPoint };

struct Font {
    std::wstring name = L"Tahoma";
    int height = 11;  // pixels
    bool bold = false;
    Color color = kBlack;
    bool operator==(const Font&) const = default;
};

// What a peer is told has changed, so that it mirrors just that into its window.
enum class Property {
    Bounds, Visible, Enabled, Text, Hint, Font, Color, Checked, ItemIndex, Position,
    Range, Region, ToolWindow, Cursor, Redraw
};

// What happened to the rows of a list.
enum class ItemChange { Replaced, Inserted, Deleted, Cleared };

class Control;

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual Handle NativeHandle() const = 0;
    virtual void Update(Property) {}
    virtual void ItemsChanged(ItemChange, int /*index*/) {}
    // The window's own text where the window owns it; false where the control's field is
    // the truth.
    virtual bool ReadText(std::wstring& /*text*/) { return false; }
    virtual void SetRedraw(bool /*on*/) {}
};

enum class ControlKind {
    Form, Panel, GroupBox, Label, Edit, ListBox, Button, CheckBox, RadioButton,
    RadioGroup, ComboBox, TrackBar, Splitter, SpinButtons, SpriteButton
};

using NotifyEvent = std::function<void(Control& sender)>;
using MouseEvent = std::function<void(Control& sender, MouseButton button, int x, int y)>;
using KeyEvent = std::function<void(Control& sender, int key)>;

class PopupMenu;

class Control {
public:
    Control(ControlKind kind, Control* parent, std::wstring name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    const std::wstring& Name() const { return name_; }
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    // Graphic controls have no window of their own; their parent paints them and hands
    // them its mouse events.
    bool IsGraphic() const;

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    Rect BoundsRect() const { return bounds_; }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and in every parent.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Text of an edit, caption of everything else (the VCL keeps both in one place).
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    std::wstring Caption() const { return Text(); }
    void SetCaption(const std::wstring& caption) { SetText(caption); }

    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);

    const ui::Font& GetFont() const { return font_; }
    void SetFont(const ui::Font& font);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    ui::Cursor GetCursor() const { return cursor_; }
    void SetCursor(ui::Cursor cursor);

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Dialog control identifier of a windowed control, 0 for none.
    int ControlId() const { return controlId_; }
    void SetControlId(int id) { controlId_ = id; }

    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    NotifyEvent OnChange;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseMove;
    MouseEvent OnMouseUp;
    KeyEvent OnKeyDown;

    // What the user does, as the backends report it (and as tests simulate it).
    virtual void Click();
    void DoubleClick();
    void MouseDown(MouseButton button, int x, int y);
    void MouseMove(MouseButton button, int x, int y);
    void MouseUp(MouseButton button, int x, int y);
    void KeyDown(int key);

    // Backend side.
    ControlPeer* Peer() const { return peer_.get(); }
    void AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
    Handle NativeHandle() const { return peer_ ? peer_->NativeHandle() : 0; }
    // The window's text was changed (by the user or by another process): take it over and
    // raise OnChange if it really differs.
    void WindowTextChanged();

    // Calls `visit` for this control and every descendant, parents first.
    void ForEach(const std::function<void(Control&)>& visit);

protected:
    void Changed(Property property) const {
        if (peer_) peer_->Update(property);
    }
    virtual void TextSet(bool changed);

private:
    ControlKind kind_;
    Control* parent_;
    std::wstring name_;
    std::vector<Control*> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = true;
    int controlId_ = 0;
    mutable std::wstring text_;
    std::wstring hint_;
    ui::Font font_;
    Color color_ = kDefaultColor;
    ui::Cursor cursor_ = ui::Cursor::Default;
    PopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<ControlPeer> peer_;
};

class Edit : public Control {
public:
    Edit(Control* parent, std::wstring name, bool multiLine = false)
        : Control(ControlKind::Edit, parent, std::move(name)), multiLine_(multiLine) {}
    bool MultiLine() const { return multiLine_; }
    // Lines of a multi-line text, separated by CR LF; a trailing line break adds none.
    std::vector<std::wstring> Lines() const;

private:
    bool multiLine_;
};

class Label : public Control {
public:
    Label(Control* parent, std::wstring name) : Control(ControlKind::Label, parent, std::move(name)) {}
};

class Button : public Control {
public:
    Button(Control* parent, std::wstring name) : Control(ControlKind::Button, parent, std::move(name)) {}
};

class CheckBox : public Control {
public:
    CheckBox(Control* parent, std::wstring name) : Control(ControlKind::CheckBox, parent, std::move(name)) {}
    bool Checked() const { return checked_; }
    // Raises OnClick when the state changes, as the VCL's check box does.
    void SetChecked(bool checked);
    void Click() override;  // the user's click toggles

private:
    bool checked_ = false;
};

// A list of rows with one selected index (−1 for none).
class ItemList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::wstring& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::wstring>& Items() const { return items_; }

protected:
    std::vector<std::wstring> items_;
};

class ListBox : public Control, public ItemList {
public:
    ListBox(Control* parent, std::wstring name) : Control(ControlKind::ListBox, parent, std::move(name)) {}
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Replaces row `index`; the selected index stays as it was.
    void SetItem(int index, const std::wstring& text);
    void Add(const std::wstring& text);
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { itemHeight_ = height; }
    // Rows written since construction: replaced, added or deleted.
    long RowWrites() const { return rowWrites_; }
    // The user picked a row.
    void UserSelect(int index);

private:
    int itemIndex_ = -1;
    int itemHeight_ = 13;
    int updateDepth_ = 0;
    long rowWrites_ = 0;
};

class ComboBox : public Control, public ItemList {
public:
    ComboBox(Control* parent, std::wstring name) : Control(ControlKind::ComboBox, parent, std::move(name)) {}
    void SetItems(std::vector<std::wstring> items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    void UserSelect(int index);

private:
    int itemIndex_ = -1;
};

class RadioGroup : public Control, public ItemList {
public:
    RadioGroup(Control* parent, std::wstring name) : Control(ControlKind::RadioGroup, parent, std::move(name)) {}
    void SetItems(std::vector<std::wstring> items);
    int ItemIndex() const { return itemIndex_; }
    // Clamped to the group: below −1 gives −1 (nothing selected), past the last item gives the last.
    void SetItemIndex(int index);
    void UserSelect(int index);

private:
    int itemIndex_ = -1;
};

class TrackBar : public Control {
public:
    TrackBar(Control* parent, std::wstring name) : Control(ControlKind::TrackBar, parent, std::move(name)) {}
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped to the range; raises OnChange when the position changes.
    void SetPosition(int position);
    int ThumbLength() const { return thumbLength_; }
    void SetThumbLength(int length) { thumbLength_ = length; }

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int thumbLength_ = 20;
};

// A container: the floating panels and the group boxes.
class Panel : public Control {
public:
    Panel(Control* parent, std::wstring name, ControlKind kind = ControlKind::Panel)
        : Control(kind, parent, std::move(name)) {}
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) { borderWidth_ = width; }
    int Rounding() const { return rounding_; }
    void SetRounding(int rounding) { rounding_ = rounding; }
    Color GradientTo() const { return gradientTo_; }
    Color BorderColor() const { return borderColor_; }
    Color ShadowColor() const { return shadowColor_; }
    void SetShadowColor(Color color) { shadowColor_ = color; }

private:
    int borderWidth_ = 1;
    int rounding_ = 10;
    Color gradientTo_ = kSilver;
    Color borderColor_ = kGray;
    Color shadowColor_ = kGray;
};

// A horizontal rule drawn by its parent.
class Splitter : public Control {
public:
    Splitter(Control* parent, std::wstring name) : Control(ControlKind::Splitter, parent, std::move(name)) {}
};

// An up and a down arrow; auto-repeat comes from the backend's timers.
class SpinButtons : public Control {
public:
    SpinButtons(Control* parent, std::wstring name)
        : Control(ControlKind::SpinButtons, parent, std::move(name)) {}
    NotifyEvent OnUpRightClick;
    NotifyEvent OnDownLeftClick;
    Control* FocusControl() const { return focusControl_; }
    void SetFocusControl(Control* control) { focusControl_ = control; }
    void ClickUp();
    void ClickDown();

private:
    Control* focusControl_ = nullptr;
};

// The picture button: a windowless control with a picture per state.
class SpriteButton : public Control {
public:
    enum class Face { Sell, Buy };
    SpriteButton(Control* parent, std::wstring name, Face face)
        : Control(ControlKind::SpriteButton, parent, std::move(name)), face_(face) {}
    Face GetFace() const { return face_; }
    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }
    void SetHover(bool hover);
    void SetPressed(bool pressed);

private:
    Face face_;
    bool hover_ = false;
    bool pressed_ = false;
};

class MenuItem {
public:
    explicit MenuItem(std::wstring name, std::wstring caption)
        : name_(std::move(name)), caption_(std::move(caption)) {}
    const std::wstring& Name() const { return name_; }
    const std::wstring& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    NotifyEvent OnClick;
    // Runs OnClick only while the item is enabled, as a menu does.
    void Click(Control& sender);

private:
    std::wstring name_;
    std::wstring caption_;
    bool enabled_ = true;
};

class PopupMenu {
public:
    explicit PopupMenu(std::wstring name) : name_(std::move(name)) {}
    MenuItem& Add(std::wstring name, std::wstring caption);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

private:
    std::wstring name_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class Form : public Control {
public:
    explicit Form(std::wstring name) : Control(ControlKind::Form, nullptr, std::move(name)) {}
    // Borderless forms: the client area is the whole window.
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    Color TransparentColorKey() const { return transparentKey_; }
    void SetTransparentColorKey(Color key) { transparentKey_ = key; }
    bool ToolWindow() const { return toolWindow_; }
    void SetToolWindow(bool on);
    // The window region as a union of rectangles; empty means "no region set".
    const std::vector<Rect>& Region() const { return region_; }
    void SetRegion(std::vector<Rect> rectangles);
    long RegionUpdates() const { return regionUpdates_; }
    void HideScrollBars() {}
    // The window is asked to close (WM_CLOSE: the terminal side ends the panel this way).
    std::function<void()> OnClose;
    // Draws an XOR focus outline in client coordinates on the form's own surface, so that
    // drawing the same rectangle again removes it (the outline of a dragged panel). Set by
    // a backend that can draw; unset, nothing is drawn.
    std::function<void(const Rect&)> DrawFocusRect;

private:
    Color transparentKey_ = kDefaultColor;
    bool toolWindow_ = false;
    std::vector<Rect> region_;
    long regionUpdates_ = 0;
};

}  // namespace ui
