// The in-memory window tree behaves as the system's does where the panel's tests lean on it.
#include <gtest/gtest.h>

#include <vector>

#include "panel/os/fake/FakeWindowSystem.h"

namespace {

using os::FakeWindowSystem;
using os::Window;

std::vector<Window> Children(FakeWindowSystem& windows, Window parent) {
    std::vector<Window> result;
    for (Window child = windows.FirstChild(parent); child; child = windows.NextSibling(child)) result.push_back(child);
    return result;
}

TEST(FakeWindowSystem, StackingOrderOfAddBringToTopAndSetParent) {
    FakeWindowSystem windows;
    const Window parent = windows.Add(0);
    const Window a = windows.Add(parent);
    const Window b = windows.Add(parent);
    const Window c = windows.Add(parent);
    EXPECT_EQ(Children(windows, parent), (std::vector<Window>{a, b, c})) << "a new window goes to the bottom";
    windows.BringToTop(c);
    EXPECT_EQ(Children(windows, parent), (std::vector<Window>{c, a, b}));
    EXPECT_EQ(windows.PreviousSibling(c), 0u);
    EXPECT_EQ(windows.PreviousSibling(b), a);

    const Window other = windows.Add(0);
    const Window resident = windows.Add(other);
    ASSERT_TRUE(windows.SetParent(a, other));
    EXPECT_EQ(windows.Parent(a), other);
    EXPECT_EQ(Children(windows, parent), (std::vector<Window>{c, b}));
    EXPECT_EQ(Children(windows, other), (std::vector<Window>{a, resident})) << "re-linked at the top";

    ASSERT_TRUE(windows.SetParent(a, 0));
    EXPECT_EQ(windows.Parent(a), 0u);
    EXPECT_EQ(windows.FindTopLevel(L""), a) << "a top-level window again, topmost";
    EXPECT_FALSE(windows.SetParent(parent, c)) << "a window cannot go below its own child";
    EXPECT_FALSE(windows.SetParent(0xBAD, parent));
    EXPECT_FALSE(windows.SetParent(b, 0xBAD));
    EXPECT_EQ(windows.Parent(b), parent);
}

TEST(FakeWindowSystem, FindTopLevelMatchesExactTitlesOfTopLevelWindowsOnly) {
    FakeWindowSystem windows;
    const Window top = windows.Add(0, L"Dravonel132");
    windows.Add(top, L"Dravonel42");
    EXPECT_EQ(windows.FindTopLevel(L"Dravonel132"), top);
    EXPECT_EQ(windows.FindTopLevel(L"Dravonel42"), 0u) << "a child window is no top-level window";
    EXPECT_EQ(windows.FindTopLevel(L"Dravonel13"), 0u);
    EXPECT_EQ(windows.FindTopLevel(L"dravonel132"), 0u);
}

TEST(FakeWindowSystem, OperationsOnUnknownWindowsFail) {
    FakeWindowSystem windows;
    const Window known = windows.Add(0, L"text");
    windows.Remove(known);
    for (Window window : {Window{0}, known, Window{0xBAD}}) {
        os::Rect rect{1, 2, 3, 4};
        EXPECT_FALSE(windows.Move(window, 0, 0));
        EXPECT_FALSE(windows.SetShown(window, true));
        EXPECT_FALSE(windows.SetStyle(window, 1));
        EXPECT_FALSE(windows.ScreenRect(window, rect));
        EXPECT_EQ(rect, (os::Rect{1, 2, 3, 4}));
        EXPECT_EQ(windows.TextLength(window), 0);
        EXPECT_EQ(windows.Parent(window), 0u);
        EXPECT_EQ(windows.FirstChild(window), 0u);
        EXPECT_FALSE(windows.Shown(window));
    }
}

TEST(FakeWindowSystem, MoveKeepsTheSizeAndIsRelativeToTheParent) {
    FakeWindowSystem windows;
    const Window frame = windows.Add(0);
    const Window child = windows.Add(frame);
    windows.SetScreenRect(frame, {100, 50, 900, 650});
    windows.SetScreenRect(child, {0, 0, 30, 20});
    ASSERT_TRUE(windows.Move(child, 5, 7));
    os::Rect rect;
    ASSERT_TRUE(windows.ScreenRect(child, rect));
    EXPECT_EQ(rect, (os::Rect{105, 57, 135, 77}));
    ASSERT_TRUE(windows.SetShown(child, false));
    EXPECT_FALSE(windows.Shown(child));
}

TEST(FakeWindowSystem, LogsClicksAndKeysInOrder) {
    FakeWindowSystem windows;
    const Window slider = windows.Add(0);
    const Window button = windows.Add(0);
    windows.PostKey(slider, os::kKeyDown, os::kVkHome);
    windows.SendClick(button);
    windows.PostKey(slider, os::kKeyUp, os::kVkHome);
    using M = FakeWindowSystem::Message;
    EXPECT_EQ(windows.Log(), (std::vector<M>{{slider, os::kKeyDown, os::kVkHome},
                                            {button, os::kButtonClick, 0},
                                            {slider, os::kKeyUp, os::kVkHome}}));
    EXPECT_EQ(windows.LogFor(button), (std::vector<M>{{button, os::kButtonClick, 0}}));
    windows.ClearLog();
    EXPECT_TRUE(windows.Log().empty());
}

}  // namespace
