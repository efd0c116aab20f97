#include "panel/ui/Controls.h"

#include <algorithm>

#include "panel/ui/Backend.h"

namespace ui {

Control::Control(ControlKind kind, Control* parent, std::wstring name)
    : kind_(kind), parent_(parent), name_(std::move(name)) {
    if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (Control* child : children_) child->parent_ = nullptr;
}

bool Control::IsGraphic() const {
    switch (kind_) {
    case ControlKind::Label:
    case ControlKind::Splitter:
    case ControlKind::SpinButtons:
    case ControlKind::SpriteButton:
        return true;
    default:
        return false;
    }
}

void Control::SetBounds(int left, int top, int width, int height) {
    Rect bounds{left, top, left + width, top + height};
    if (bounds == bounds_) return;
    bounds_ = bounds;
    Changed(Property::Bounds);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed(Property::Visible);
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(Property::Enabled);
}

std::wstring Control::Text() const {
    if (peer_) {
        std::wstring windowText;
        if (peer_->ReadText(windowText)) return windowText;
    }
    return text_;
}

void Control::SetText(const std::wstring& text) {
    const bool changed = Text() != text;
    text_ = text;
    Changed(Property::Text);
    TextSet(changed);
}

void Control::TextSet(bool changed) {
    if (changed && kind_ == ControlKind::Edit && OnChange) OnChange(*this);
}

void Control::WindowTextChanged() {
    if (!peer_) return;
    std::wstring windowText;
    if (!peer_->ReadText(windowText) || windowText == text_) return;
    text_ = windowText;
    TextSet(true);
}

void Control::SetHint(const std::wstring& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    Changed(Property::Hint);
}

void Control::SetFont(const ui::Font& font) {
    if (font == font_) return;
    font_ = font;
    Changed(Property::Font);
}

void Control::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    Changed(Property::Color);
}

void Control::SetCursor(ui::Cursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Changed(Property::Cursor);
}

void Control::Click() {
    if (enabled_ && OnClick) OnClick(*this);
}

void Control::DoubleClick() {
    if (OnDblClick) OnDblClick(*this);
}

void Control::MouseDown(MouseButton button, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, x, y);
}

void Control::MouseMove(MouseButton button, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, button, x, y);
}

void Control::MouseUp(MouseButton button, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, x, y);
}

void Control::KeyDown(int key) {
    if (OnKeyDown) OnKeyDown(*this, key);
}

void Control::ForEach(const std::function<void(Control&)>& visit) {
    visit(*this);
    // A copy: a visitor may not add or remove children, but be safe against it all the same.
    const std::vector<Control*> children = children_;
    for (Control* child : children) child->ForEach(visit);
}

std::vector<std::wstring> Edit::Lines() const {
    std::vector<std::wstring> lines;
    const std::wstring text = Text();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed(Property::Checked);
    if (OnClick) OnClick(*this);
}

void CheckBox::Click() {
    if (Enabled()) SetChecked(!checked_);
}

void ListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed(Property::ItemIndex);
}

void ListBox::SetItem(int index, const std::wstring& text) {
    auto& row = items_.at(static_cast<std::size_t>(index));
    row = text;
    ++rowWrites_;
    if (Peer()) Peer()->ItemsChanged(ItemChange::Replaced, index);
}

void ListBox::Add(const std::wstring& text) {
    items_.push_back(text);
    ++rowWrites_;
    if (Peer()) Peer()->ItemsChanged(ItemChange::Inserted, Count() - 1);
}

void ListBox::Delete(int index) {
    items_.erase(items_.begin() + index);
    ++rowWrites_;
    // The list box drops the selection of a deleted row and shifts the ones below it.
    if (itemIndex_ == index) itemIndex_ = -1;
    else if (itemIndex_ > index) --itemIndex_;
    if (Peer()) Peer()->ItemsChanged(ItemChange::Deleted, index);
}

void ListBox::Clear() {
    if (items_.empty() && itemIndex_ == -1) return;
    items_.clear();
    itemIndex_ = -1;
    ++rowWrites_;
    if (Peer()) Peer()->ItemsChanged(ItemChange::Cleared, -1);
}

void ListBox::BeginUpdate() {
    if (updateDepth_++ == 0 && Peer()) Peer()->SetRedraw(false);
}

void ListBox::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && Peer()) Peer()->SetRedraw(true);
}

void ListBox::UserSelect(int index) {
    if (index < -1 || index >= Count()) return;
    itemIndex_ = index;
    Changed(Property::ItemIndex);
    Click();
}

void ComboBox::SetItems(std::vector<std::wstring> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    if (Peer()) Peer()->ItemsChanged(ItemChange::Cleared, -1);
}

void ComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed(Property::ItemIndex);
}

void ComboBox::UserSelect(int index) {
    SetItemIndex(index);
    if (OnChange) OnChange(*this);
}

void RadioGroup::SetItems(std::vector<std::wstring> items) {
    items_ = std::move(items);
    itemIndex_ = std::min(itemIndex_, Count() - 1);
    if (Peer()) Peer()->ItemsChanged(ItemChange::Cleared, -1);
}

void RadioGroup::SetItemIndex(int index) {
    index = std::clamp(index, -1, Count() - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed(Property::ItemIndex);
}

void RadioGroup::UserSelect(int index) {
    if (index < 0 || index >= Count()) return;
    SetItemIndex(index);
    Click();
}

void TrackBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    Changed(Property::Range);
    SetPosition(position_);
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    Changed(Property::Position);
    if (OnChange) OnChange(*this);
}

void SpinButtons::ClickUp() {
    if (Enabled() && OnUpRightClick) OnUpRightClick(*this);
}

void SpinButtons::ClickDown() {
    if (Enabled() && OnDownLeftClick) OnDownLeftClick(*this);
}

void SpriteButton::SetHover(bool hover) {
    if (hover == hover_) return;
    hover_ = hover;
    Changed(Property::Redraw);
}

void SpriteButton::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Changed(Property::Redraw);
}

void MenuItem::Click(Control& sender) {
    if (enabled_ && OnClick) OnClick(sender);
}

MenuItem& PopupMenu::Add(std::wstring name, std::wstring caption) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return *items_.back();
}

void Form::SetToolWindow(bool on) {
    if (on == toolWindow_) return;
    toolWindow_ = on;
    Changed(Property::ToolWindow);
}

void Form::SetRegion(std::vector<Rect> rectangles) {
    region_ = std::move(rectangles);
    ++regionUpdates_;
    Changed(Property::Region);
}

}  // namespace ui
