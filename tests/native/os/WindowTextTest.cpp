// Reading window texts and finding windows by text, over the in-memory window tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel/os/WindowText.h"
#include "panel/os/fake/FakeWindowSystem.h"

namespace {

using os::FakeWindowSystem;
using os::Window;

// A window system whose windows answer WM_GETTEXTLENGTH with less than they copy, as a
// window whose text grows between the two messages does. Every GetText is checked against
// the capacity it was given, and the buffer past the capacity is watched for writes.
class GrowingTextWindows : public FakeWindowSystem {
public:
    int reportedLength = 0;
    std::wstring text;
    // Claim to have copied the whole text, as a broken window procedure might.
    bool overstatesTheCount = false;
    int lastCapacity = 0;

    int TextLength(Window) override { return reportedLength; }
    int GetText(Window, wchar_t* buffer, int capacity) override {
        lastCapacity = capacity;
        // Copy the way the system does: at most capacity - 1 characters and the zero.
        const int count = std::min(static_cast<int>(text.size()), capacity - 1);
        for (int i = 0; i < count; ++i) buffer[i] = text[static_cast<std::size_t>(i)];
        buffer[count] = L'\0';
        return overstatesTheCount ? static_cast<int>(text.size()) : count;
    }
};

TEST(ReadWindowText, ZeroOrUnknownWindowReadsEmpty) {
    FakeWindowSystem windows;
    EXPECT_EQ(os::ReadWindowText(windows, 0), L"");
    EXPECT_EQ(os::ReadWindowText(windows, 0xDEAD), L"");
    EXPECT_EQ(windows.TextReads(), 0) << "a zero window must not be asked for its text";
}

TEST(ReadWindowText, ReadsTextsOfEveryLengthWhole) {
    FakeWindowSystem windows;
    for (std::size_t length : {std::size_t{1}, std::size_t{2999}, std::size_t{3000}, std::size_t{3001},
                               std::size_t{5000}}) {
        std::wstring text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<wchar_t>(L'А' + i % 32);
        const Window window = windows.Add(0, text);
        EXPECT_EQ(os::ReadWindowText(windows, window), text) << "length " << length;
    }
}

TEST(ReadWindowText, CyrillicCaptionComesBackUnchanged) {
    FakeWindowSystem windows;
    const Window window = windows.Add(0, L"Стоп");
    EXPECT_EQ(os::ReadWindowText(windows, window), L"Стоп");
}

// The buffer under ASan: a reader that trusted the copy more than the capacity would write
// past the end, and the text would come back longer than the buffer it was read into.
TEST(ReadWindowText, HonoursTheCapacityWhenTheTextIsLongerThanReported) {
    GrowingTextWindows windows;
    windows.text.assign(6000, L'x');
    for (bool overstates : {false, true}) {
        windows.overstatesTheCount = overstates;
        for (int reported : {10, 2999, 3000, 4000}) {
            windows.reportedLength = reported;
            const std::wstring read = os::ReadWindowText(windows, 1);
            ASSERT_GT(windows.lastCapacity, reported) << "room for the reported length and the zero";
            EXPECT_EQ(read.size(), static_cast<std::size_t>(windows.lastCapacity - 1))
                << "reported " << reported << (overstates ? ", count overstated" : "");
        }
    }
}

TEST(ReadWindowText, EmptyWhenTheLengthIsZeroOrTheCopyFails) {
    GrowingTextWindows windows;
    windows.text = L"late text";
    windows.reportedLength = 0;
    EXPECT_EQ(os::ReadWindowText(windows, 1), L"");
    windows.reportedLength = 5;
    windows.text.clear();
    EXPECT_EQ(os::ReadWindowText(windows, 1), L"");
}

TEST(FakeWindowSystem, GetTextNeverWritesPastTheCapacity) {
    FakeWindowSystem windows;
    const Window window = windows.Add(0, L"abcdef");
    std::vector<wchar_t> buffer(8, L'#');
    EXPECT_EQ(windows.GetText(window, buffer.data(), 4), 3);
    EXPECT_EQ(std::wstring(buffer.data()), L"abc");
    EXPECT_EQ(buffer[4], L'#') << "written past the capacity";
    EXPECT_EQ(windows.GetText(window, buffer.data(), 1), 0);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(buffer[1], L'b') << "a capacity of one leaves room for the zero only";
    EXPECT_EQ(windows.GetText(window, buffer.data(), 0), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

// root
// ├── a "x"
// │   ├── a1 "x"
// │   │   └── a1a "target"   ← deep in the first subtree
// │   └── a2 "target"
// └── b "target"             ← a later sibling
class SearchTree : public ::testing::Test {
protected:
    SearchTree() {
        root = windows.Add(0, L"root");
        a = windows.Add(root, L"x");
        a1 = windows.Add(a, L"x");
        a1a = windows.Add(a1, L"target");
        a2 = windows.Add(a, L"target");
        b = windows.Add(root, L"target");
    }
    FakeWindowSystem windows;
    Window root = 0, a = 0, a1 = 0, a1a = 0, a2 = 0, b = 0;
};

TEST_F(SearchTree, FinishesASubtreeBeforeTheNextSibling) {
    EXPECT_EQ(os::FindDescendantByText(windows, root, L"target"), a1a);
}

TEST_F(SearchTree, TestsAWindowBeforeItsDescendants) {
    windows.SetText(a1, L"target");
    EXPECT_EQ(os::FindDescendantByText(windows, root, L"target"), a1);
}

TEST_F(SearchTree, TakesTheTopmostChildFirst) {
    windows.BringToTop(b);
    EXPECT_EQ(os::FindDescendantByText(windows, root, L"target"), b);
    windows.BringToTop(a2);
    EXPECT_EQ(os::FindDescendantByText(windows, a, L"target"), a2);
}

TEST_F(SearchTree, NeverReturnsTheRootItself) {
    EXPECT_EQ(os::FindDescendantByText(windows, root, L"root"), 0u);
    EXPECT_EQ(os::FindDescendantByText(windows, a1a, L"target"), 0u);
}

TEST(FindDescendantByText, MatchesTheWholeTextExactly) {
    struct Case {
        const wchar_t* caption;
        const wchar_t* sought;
        bool found;
    };
    const Case cases[] = {
        {L"Стоп", L"Стоп", true},   {L"стоп", L"Стоп", false}, {L"Стоп ", L"Стоп", false},
        {L"Стоп!", L"Стоп", false}, {L"Сто", L"Стоп", false},  {L"STOP", L"stop", false},
    };
    for (const Case& c : cases) {
        FakeWindowSystem windows;
        const Window top = windows.Add(0, L"");
        const Window child = windows.Add(top, c.caption);
        EXPECT_EQ(os::FindDescendantByText(windows, top, c.sought), c.found ? child : 0u)
            << "case " << (&c - cases);
    }
}

TEST_F(SearchTree, ZeroWhenNothingMatchesOrTheRootIsZero) {
    EXPECT_EQ(os::FindDescendantByText(windows, root, L"nothing"), 0u);
    EXPECT_EQ(os::FindDescendantByText(windows, 0, L"target"), 0u);
    EXPECT_EQ(os::FindDescendantByText(windows, 0xBAD, L"target"), 0u);
}

TEST_F(SearchTree, StopsReadingAtTheFirstHit) {
    os::FindDescendantByText(windows, root, L"target");
    // root's children a, a1, a1a: three texts read, nothing of a2 or b.
    EXPECT_EQ(windows.TextReads(), 3);
}

TEST(StepsBefore, WalksToPreviousSiblingsAndStopsAtTheTop) {
    FakeWindowSystem windows;
    const Window parent = windows.Add(0);
    std::vector<Window> row;
    for (int i = 0; i < 5; ++i) row.push_back(windows.Add(parent));
    const Window last = row.back();
    EXPECT_EQ(os::StepsBefore(windows, last, 0), last);
    EXPECT_EQ(os::StepsBefore(windows, last, 3), row[1]);
    EXPECT_EQ(os::StepsBefore(windows, last, 4), row[0]);
    EXPECT_EQ(os::StepsBefore(windows, last, 5), 0u);
    EXPECT_EQ(os::StepsBefore(windows, row[1], 9), 0u);
    EXPECT_EQ(os::StepsBefore(windows, 0, 1), 0u);
}

TEST(StepsBefore, FollowsTheStackingOrderNotTheOrderOfCreation) {
    FakeWindowSystem windows;
    const Window parent = windows.Add(0);
    const Window first = windows.Add(parent);
    const Window second = windows.Add(parent);
    const Window stop = windows.Add(parent, L"Стоп");
    windows.BringToTop(second);  // second, first, stop
    EXPECT_EQ(os::StepsBefore(windows, stop, 1), first);
    EXPECT_EQ(os::StepsBefore(windows, stop, 2), second);
}

}  // namespace
