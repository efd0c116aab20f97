// The overlay: its region, the repaint kick, keeping main in view, and F11 for the chart.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/chrome/Overlay.h"
#include "tests/native/support/PanelFixture.h"

namespace {

using Message = os::FakeWindowSystem::Message;
using os::Rect;

// ---- The region's rectangles, worked out without a window.

struct RegionCase {
    const char* name;
    int width, height, clientWidth, clientHeight;
    std::vector<Rect> children;
    std::vector<Rect> expected;
};

class OverlayRegionTest : public ::testing::TestWithParam<RegionCase> {};

TEST_P(OverlayRegionTest, GivesTheFrameThenTheVisibleChildren) {
    const RegionCase& c = GetParam();
    EXPECT_EQ(chrome::OverlayRegion(c.width, c.height, c.clientWidth, c.clientHeight, c.children), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverlayRegionTest,
    ::testing::Values(
        RegionCase{"BorderlessWithoutChildrenIsEmpty", 841, 648, 841, 648, {}, {}},
        RegionCase{"BorderlessChildrenInChildOrder",
                   841, 648, 841, 648,
                   {{8, 0, 345, 329}, {20, 20, 333, 349}},
                   {{8, 0, 345, 329}, {20, 20, 333, 349}}},
        // 5 pixels of frame at the sides and the bottom, a 25-pixel caption on top.
        RegionCase{"FramedWindowKeepsItsFrameAndShiftsChildren",
                   851, 678, 841, 648,
                   {{20, 20, 333, 349}},
                   {{0, 0, 851, 25}, {0, 673, 851, 678}, {0, 25, 5, 673}, {846, 25, 851, 673},
                    {25, 45, 338, 374}}},
        // The channel slots sit at -10000 in a normal run; no size of the window ever shows them.
        RegionCase{"ChildrenWhollyLeftOfOrAboveTheWindowAddNothing",
                   841, 648, 841, 648,
                   {{-10000, 340, -9520, 429}, {20, -500, 333, -171}, {20, 20, 333, 349}},
                   {{20, 20, 333, 349}}},
        // Partly outside still shows its inner part; and beyond the right edge it may show
        // once the chart makes the window wider.
        RegionCase{"ChildrenPartlyOutsideOrBeyondTheRightEdgeStay",
                   841, 648, 841, 648,
                   {{-100, 10, 213, 339}, {900, 700, 1213, 1029}},
                   {{-100, 10, 213, 339}, {900, 700, 1213, 1029}}},
        RegionCase{"EmptyChildrenAddNothing", 841, 648, 841, 648, {{30, 30, 30, 90}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The region on the running overlay.

class OverlayTest : public PanelFixture {};

TEST_F(OverlayTest, OnlyMainVisibleGivesExactlyMainsRectangle) {
    Start();
    ASSERT_TRUE(started);
    ASSERT_TRUE(form->main.Visible());
    form->UpdateWindowRegion();
    EXPECT_EQ(form->Region(), std::vector<Rect>{form->main.BoundsRect()});
}

TEST_F(OverlayTest, HiddenPanelLeavesAHole) {
    TForm1& f = Start();
    f.SET_TSL_WND.SetBounds(f.main.Left(), f.main.Top(), 219, 129);
    f.SET_TSL_WND.Show();
    f.main.Hide();
    f.UpdateWindowRegion();
    // Only the smaller panel: the rest of main's place lets the chart take the mouse.
    EXPECT_EQ(f.Region(), std::vector<Rect>{f.SET_TSL_WND.BoundsRect()});
}

TEST_F(OverlayTest, TwoVisiblePanelsGiveBothRectanglesInChildOrder) {
    TForm1& f = Start();
    f.main.SetBounds(400, 20, 313, 329);
    f.Properties.SetBounds(20, 20, 337, 329);
    f.Properties.Show();
    f.UpdateWindowRegion();
    EXPECT_EQ(f.Region(), (std::vector<Rect>{{20, 20, 357, 349}, {400, 20, 713, 349}}));
}

TEST_F(OverlayTest, NothingVisibleMakesTheWholeWindowAHole) {
    TForm1& f = Start();
    f.main.Hide();
    f.UpdateWindowRegion();
    // An empty list would stand for "no region" and give the chart's whole area to the overlay.
    ASSERT_EQ(f.Region().size(), 1u);
    EXPECT_EQ(f.Region()[0].Width() * f.Region()[0].Height(), 0);
}

TEST_F(OverlayTest, StandAloneRegionHoldsTheVisibleSlotsToo) {
    TForm1& f = Start({L"100"});
    ASSERT_TRUE(started);
    f.UpdateWindowRegion();
    std::vector<Rect> expected;
    for (ui::Control* child : f.Children())
        if (child->Visible()) expected.push_back(child->BoundsRect());
    EXPECT_EQ(expected.size(), 7u);  // six slots and main
    EXPECT_EQ(f.Region(), expected);
}

// ---- The repaint kick.

// Records what the control's window is told, in place of the backend's peer.
class RecordingPeer : public ui::ControlPeer {
public:
    RecordingPeer(ui::Control& control, bool failOnHide) : control_(control), failOnHide_(failOnHide) {}
    ui::Handle NativeHandle() const override { return 0x7777; }
    void Update(ui::Property property) override {
        if (property != ui::Property::Visible) return;
        shown.push_back(control_.Visible());
        if (failOnHide_ && !control_.Visible()) throw std::runtime_error("ShowWindow failed");
    }
    std::vector<bool> shown;

private:
    ui::Control& control_;
    bool failOnHide_;
};

RecordingPeer& Record(ui::Control& control, bool failOnHide = false) {
    auto peer = std::make_unique<RecordingPeer>(control, failOnHide);
    RecordingPeer& ref = *peer;
    control.AttachPeer(std::move(peer));
    return ref;
}

TEST_F(OverlayTest, RefreshControlsPostsAltDownAndUpToTheFormsOwnWindow) {
    TForm1& f = Start();
    windows.ClearLog();
    f.RefreshControls();
    const os::Window self = f.NativeHandle();
    ASSERT_NE(self, 0u);
    EXPECT_EQ(PostedTo(self), (std::vector<Message>{{self, os::kKeyDown, os::kVkMenu},
                                                    {self, os::kKeyUp, os::kVkMenu}}));
    // Nothing else went anywhere.
    EXPECT_EQ(windows.Log().size(), 2u);
}

TEST_F(OverlayTest, RefreshControlsHidesAndShowsOnlyTheVisibleButtonsAndCheckBoxes) {
    TForm1& f = Start();
    f.ContinueTesting.Hide();
    RecordingPeer& button = Record(f.Button3);
    RecordingPeer& checkBox = Record(f.CheckBox1);
    RecordingPeer& selfHidden = Record(f.ContinueTesting);
    RecordingPeer& onHiddenPanel = Record(f.Button12);  // Properties is hidden, its buttons are not
    RecordingPeer& edit = Record(f.Edit12);
    ASSERT_FALSE(f.Properties.Visible());

    f.RefreshControls();

    EXPECT_EQ(button.shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(checkBox.shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(onHiddenPanel.shown, (std::vector<bool>{false, true}));
    EXPECT_TRUE(selfHidden.shown.empty());
    EXPECT_FALSE(f.ContinueTesting.Visible());
    EXPECT_TRUE(edit.shown.empty());
    EXPECT_FALSE(f.Properties.Visible());
}

TEST_F(OverlayTest, KeyInTheLotFieldLeavesAHiddenContinueButtonHidden) {
    TForm1& f = Start();
    f.ContinueTesting.Hide();
    f.Edit12.KeyDown('5');
    EXPECT_FALSE(f.ContinueTesting.Visible());
    EXPECT_TRUE(f.Button1.Visible());
}

TEST_F(OverlayTest, RefreshControlsGoesOnPastAControlThatFails) {
    TForm1& f = Start();
    RecordingPeer& failing = Record(f.Button3, /*failOnHide=*/true);
    RecordingPeer& next = Record(f.Button4);
    f.RefreshControls();
    EXPECT_EQ(next.shown, (std::vector<bool>{false, true}));
    // The failed kick does not lose the button.
    EXPECT_TRUE(f.Button3.Visible());
    EXPECT_EQ(failing.shown.back(), true);
}

// ---- Keeping main in view.

struct KeepCase {
    const char* name;
    Rect formBounds;
    int mainLeft, mainTop;
    int expectedLeft, expectedTop;
};

class KeepMainPanelOnScreenTest : public PanelFixture, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepMainPanelOnScreenTest, BringsALostMainBackTo20And20) {
    const KeepCase& c = GetParam();
    TForm1& f = Build();
    f.SetBounds(c.formBounds.left, c.formBounds.top, c.formBounds.Width(), c.formBounds.Height());
    f.main.SetLeft(c.mainLeft);
    f.main.SetTop(c.mainTop);
    f.KeepMainPanelOnScreen();
    EXPECT_EQ(f.main.Left(), c.expectedLeft);
    EXPECT_EQ(f.main.Top(), c.expectedTop);
    EXPECT_EQ(f.main.Width(), 313);
    EXPECT_EQ(f.main.Height(), 329);
}

constexpr Rect kAtOrigin{0, 0, 841, 648};
constexpr Rect kDesigned{657, 185, 657 + 841, 185 + 648};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepMainPanelOnScreenTest,
    ::testing::Values(
        // -400 + 313 = -87 < 0
        KeepCase{"LeftOfAFormAtTheOrigin", kAtOrigin, -400, 0, 20, 20},
        // Right edge exactly on the form's left: not yet lost.
        KeepCase{"RightEdgeOnTheFormsLeftStays", kAtOrigin, -313, 0, -313, 0},
        // The start-up check runs while the form still has its designed place.
        KeepCase{"AtStartUpLeft100IsLost", kDesigned, 100, 0, 20, 20},
        KeepCase{"AtStartUp400And300Stays", kDesigned, 400, 300, 400, 300},
        KeepCase{"AboveTheForm", kDesigned, 700, -145, 20, 20},
        KeepCase{"BottomEdgeOnTheFormsTopStays", kDesigned, 700, -144, 700, -144},
        KeepCase{"BelowTheForm", kDesigned, 700, 834, 20, 20},
        KeepCase{"TopOnTheFormsBottomStays", kDesigned, 700, 833, 700, 833},
        KeepCase{"RightOfTheForm", kDesigned, 1499, 300, 20, 20},
        KeepCase{"LeftOnTheFormsRightStays", kDesigned, 1498, 300, 1498, 300}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- F11 for the chart.

std::vector<Message> F11Presses(os::Window chart, int count) {
    std::vector<Message> expected;
    for (int i = 0; i < count; ++i) {
        expected.push_back({chart, os::kKeyDown, os::kVkF11});
        expected.push_back({chart, os::kKeyUp, os::kVkF11});
    }
    return expected;
}

TEST_F(OverlayTest, F11HeldOnTheForegroundOverlayGoesToTheChartEveryTimer4Tick) {
    TForm1& f = Start();
    windows.SetForeground(f.NativeHandle());
    windows.SetKeyState(os::kVkF11, static_cast<short>(0x8000));
    windows.ClearLog();
    backend.Advance(200);
    EXPECT_EQ(PostedTo(chart), F11Presses(chart, 1));
    backend.Advance(400);
    EXPECT_EQ(PostedTo(chart), F11Presses(chart, 3));
}

TEST_F(OverlayTest, F11PressedSinceTheLastQueryCountsToo) {
    TForm1& f = Start();
    windows.SetForeground(f.NativeHandle());
    windows.SetKeyState(os::kVkF11, 1);  // only the "pressed since" bit
    windows.ClearLog();
    backend.Advance(200);
    EXPECT_EQ(PostedTo(chart), F11Presses(chart, 1));
}

TEST_F(OverlayTest, F11GoesNowhereWhileAnotherWindowIsInFront) {
    Start();
    windows.SetForeground(terminal);
    windows.SetKeyState(os::kVkF11, static_cast<short>(0x8000));
    windows.ClearLog();
    backend.Advance(800);  // four ticks of Timer4
    EXPECT_TRUE(PostedTo(chart).empty());
}

TEST_F(OverlayTest, NoF11WhenTheKeyIsUp) {
    TForm1& f = Start();
    windows.SetForeground(f.NativeHandle());
    windows.SetKeyState(os::kVkF11, 0);
    windows.ClearLog();
    backend.Advance(800);  // four ticks of Timer4
    EXPECT_TRUE(PostedTo(chart).empty());
}

TEST_F(OverlayTest, DoubleClickOnAnyPanelPostsOneF11PressToTheChart) {
    TForm1& f = Start();
    for (ui::Panel* panel : {&f.main, &f.SET_TP_SL_WND, &f.SET_TSL_WND, &f.Properties}) {
        SCOPED_TRACE(std::string(panel->Name().begin(), panel->Name().end()));
        windows.ClearLog();
        panel->DoubleClick();
        EXPECT_EQ(PostedTo(chart), F11Presses(chart, 1));
        EXPECT_EQ(windows.Log().size(), 2u);
    }
}

}  // namespace
