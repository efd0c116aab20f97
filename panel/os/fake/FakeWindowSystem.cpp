#include "panel/os/fake/FakeWindowSystem.h"

#include <algorithm>
#include <stdexcept>

namespace os {

Window FakeWindowSystem::Add(Window parent, const std::wstring& text) {
    // Skip handles that a test took with AddWithHandle.
    while (windows_.count(nextHandle_)) nextHandle_ += 4;
    const Window handle = nextHandle_;
    nextHandle_ += 4;
    return AddWithHandle(handle, parent, text);
}

Window FakeWindowSystem::AddWithHandle(Window handle, Window parent, const std::wstring& text) {
    // A fixture that builds a broken tree would make every later assertion meaningless.
    if (!handle || windows_.count(handle)) throw std::invalid_argument("FakeWindowSystem: handle taken or zero");
    if (parent && !windows_.count(parent)) throw std::invalid_argument("FakeWindowSystem: unknown parent");
    Node node;
    node.parent = parent;
    node.text = text;
    windows_.emplace(handle, std::move(node));
    SiblingsOf(handle).push_back(handle);
    return handle;
}

void FakeWindowSystem::Remove(Window window) {
    Node* node = Find(window);
    if (!node) return;
    const std::vector<Window> children = node->children;
    for (Window child : children) Remove(child);
    std::vector<Window>& siblings = SiblingsOf(window);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    windows_.erase(window);
    if (foreground_ == window) foreground_ = 0;
}

void FakeWindowSystem::BringToTop(Window window) {
    if (!Find(window)) return;
    std::vector<Window>& siblings = SiblingsOf(window);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.insert(siblings.begin(), window);
}

void FakeWindowSystem::SetText(Window window, const std::wstring& text) {
    if (Node* node = Find(window)) node->text = text;
}

void FakeWindowSystem::SetScreenRect(Window window, Rect rect) {
    if (Node* node = Find(window)) node->rect = rect;
}

void FakeWindowSystem::SetMinimised(Window window, bool minimised) {
    if (Node* node = Find(window)) node->minimised = minimised;
}

bool FakeWindowSystem::Shown(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.shown;
}

std::vector<FakeWindowSystem::Message> FakeWindowSystem::LogFor(Window window) const {
    std::vector<Message> result;
    for (const Message& message : log_)
        if (message.window == window) result.push_back(message);
    return result;
}

Window FakeWindowSystem::Parent(Window window) {
    const Node* node = Find(window);
    return node ? node->parent : 0;
}

Window FakeWindowSystem::FirstChild(Window window) {
    const Node* node = Find(window);
    return node && !node->children.empty() ? node->children.front() : 0;
}

Window FakeWindowSystem::NextSibling(Window window) {
    if (!Find(window)) return 0;
    const std::vector<Window>& siblings = SiblingsOf(window);
    auto it = std::find(siblings.begin(), siblings.end(), window);
    return it + 1 != siblings.end() ? *(it + 1) : 0;
}

Window FakeWindowSystem::PreviousSibling(Window window) {
    if (!Find(window)) return 0;
    const std::vector<Window>& siblings = SiblingsOf(window);
    auto it = std::find(siblings.begin(), siblings.end(), window);
    return it != siblings.begin() ? *(it - 1) : 0;
}

int FakeWindowSystem::TextLength(Window window) {
    const Node* node = Find(window);
    return node ? static_cast<int>(node->text.size()) : 0;
}

int FakeWindowSystem::GetText(Window window, wchar_t* buffer, int capacity) {
    ++textReads_;
    if (!buffer || capacity <= 0) return 0;
    const Node* node = Find(window);
    if (!node) {
        buffer[0] = L'\0';
        return 0;
    }
    const std::size_t count = std::min(node->text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(node->text.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

bool FakeWindowSystem::ScreenRect(Window window, Rect& rect) {
    const Node* node = Find(window);
    if (!node) return false;
    rect = node->rect;
    return true;
}

bool FakeWindowSystem::IsMinimised(Window window) {
    const Node* node = Find(window);
    return node && node->minimised;
}

short FakeWindowSystem::AsyncKeyState(int key) {
    auto it = keyStates_.find(key);
    return it != keyStates_.end() ? it->second : 0;
}

Window FakeWindowSystem::FindTopLevel(const std::wstring& title) {
    for (Window window : topLevel_)
        if (windows_.at(window).text == title) return window;
    return 0;
}

// Sends to unknown windows are logged too, so that a test sees a click that went nowhere.
void FakeWindowSystem::SendClick(Window window) { log_.push_back({window, kButtonClick, 0}); }

void FakeWindowSystem::PostKey(Window window, unsigned message, unsigned key) {
    log_.push_back({window, message, key});
}

long FakeWindowSystem::Style(Window window) {
    const Node* node = Find(window);
    return node ? node->style : 0;
}

bool FakeWindowSystem::SetStyle(Window window, long style) {
    Node* node = Find(window);
    if (!node) return false;
    node->style = style;
    return true;
}

long FakeWindowSystem::ExStyle(Window window) {
    const Node* node = Find(window);
    return node ? node->exStyle : 0;
}

bool FakeWindowSystem::SetExStyle(Window window, long exStyle) {
    Node* node = Find(window);
    if (!node) return false;
    node->exStyle = exStyle;
    return true;
}

bool FakeWindowSystem::SetParent(Window child, Window parent) {
    if (!Find(child)) return false;
    if (parent && !Find(parent)) return false;
    // A window cannot become a child of itself or of one of its descendants.
    for (Window ancestor = parent; ancestor; ancestor = windows_.at(ancestor).parent)
        if (ancestor == child) return false;
    std::vector<Window>& oldSiblings = SiblingsOf(child);
    oldSiblings.erase(std::remove(oldSiblings.begin(), oldSiblings.end(), child), oldSiblings.end());
    windows_.at(child).parent = parent;
    // The system links a re-parented window at the top of its new siblings.
    std::vector<Window>& newSiblings = SiblingsOf(child);
    newSiblings.insert(newSiblings.begin(), child);
    return true;
}

bool FakeWindowSystem::Move(Window window, int x, int y) {
    Node* node = Find(window);
    if (!node) return false;
    // x, y are relative to the parent; the fake takes the parent's rectangle as its client area.
    int originX = 0;
    int originY = 0;
    if (const Node* parent = Find(node->parent)) {
        originX = parent->rect.left;
        originY = parent->rect.top;
    }
    const int width = node->rect.Width();
    const int height = node->rect.Height();
    node->rect = {originX + x, originY + y, originX + x + width, originY + y + height};
    return true;
}

bool FakeWindowSystem::SetShown(Window window, bool shown) {
    Node* node = Find(window);
    if (!node) return false;
    node->shown = shown;
    return true;
}

std::vector<Window>& FakeWindowSystem::SiblingsOf(Window window) {
    const Window parent = windows_.at(window).parent;
    return parent ? windows_.at(parent).children : topLevel_;
}

FakeWindowSystem::Node* FakeWindowSystem::Find(Window window) {
    if (!window) return nullptr;
    auto it = windows_.find(window);
    return it != windows_.end() ? &it->second : nullptr;
}

}  // namespace os
