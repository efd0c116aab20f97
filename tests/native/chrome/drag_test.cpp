// Dragging the floating panels by their surface and by main's labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/support/PanelFixture.h"

namespace {

using os::Rect;
using ui::MouseButton;

Rect Shifted(Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

class DragTest : public PanelFixture {
protected:
    TForm1& StartWithOutlineRecorder() {
        TForm1& f = Start();
        f.DrawFocusRect = [this](const Rect& r) { outlines.push_back(r); };
        return f;
    }
    std::vector<Rect> outlines;
};

// main moves by the same distance whichever of its dragging surfaces takes the press; the
// labels report the mouse in their own coordinates, which only differences make harmless.
class MainDragTest : public DragTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(MainDragTest, MovesMainByTheDistanceTravelledOnlyAtRelease) {
    TForm1& f = StartWithOutlineRecorder();
    ui::Control* sender = nullptr;
    f.main.ForEach([&](ui::Control& c) {
        if (c.Name() == GetParam()) sender = &c;
    });
    ASSERT_NE(sender, nullptr);
    const Rect before = f.main.BoundsRect();

    sender->MouseDown(MouseButton::Left, 10, 5);
    sender->MouseMove(MouseButton::Left, 30, 15);
    sender->MouseMove(MouseButton::Left, 55, 40);
    EXPECT_EQ(f.main.BoundsRect(), before) << "main must stay put while the mouse moves";
    sender->MouseUp(MouseButton::Left, 70, 45);

    const Rect after = Shifted(before, 60, 40);
    EXPECT_EQ(f.main.BoundsRect(), after);
    EXPECT_FALSE(f.Drag.dragging);
    EXPECT_EQ(f.Region(), std::vector<Rect>{after});
    EXPECT_TRUE(outlines.empty()) << "main's drag shows no outline";
}

INSTANTIATE_TEST_SUITE_P(Surfaces, MainDragTest,
                         ::testing::Values(L"main", L"Label7", L"Label6", L"Label10", L"Label9"),
                         [](const auto& info) {
                             const std::wstring name = info.param;
                             return std::string(name.begin(), name.end());
                         });

TEST_F(DragTest, ReleaseWithoutMovesStillPlacesByTheReleasePoint) {
    TForm1& f = Start();
    const Rect before = f.main.BoundsRect();
    f.Label7.MouseDown(MouseButton::Left, 10, 5);
    f.Label7.MouseUp(MouseButton::Left, 7, 25);
    EXPECT_EQ(f.main.BoundsRect(), Shifted(before, -3, 20));
}

TEST_F(DragTest, RightButtonOnMainRebuildsTheRegionTwiceAndMovesNothing) {
    TForm1& f = Start();
    const Rect before = f.main.BoundsRect();
    const long updates = f.RegionUpdates();
    f.main.MouseDown(MouseButton::Right, 10, 10);
    f.main.MouseMove(MouseButton::Right, 80, 90);
    f.main.MouseUp(MouseButton::Right, 80, 90);
    EXPECT_EQ(f.RegionUpdates(), updates + 2);
    EXPECT_EQ(f.main.BoundsRect(), before);
    EXPECT_FALSE(f.Drag.dragging);
    EXPECT_EQ(f.Region(), std::vector<Rect>{before});
}

TEST_F(DragTest, MovesWithoutAPressDoNothing) {
    TForm1& f = StartWithOutlineRecorder();
    f.SET_TSL_WND.Show();
    const Rect main = f.main.BoundsRect();
    const Rect panel = f.SET_TSL_WND.BoundsRect();
    f.main.MouseMove(MouseButton::Left, 50, 50);
    f.SET_TSL_WND.MouseMove(MouseButton::Left, 50, 50);
    EXPECT_EQ(f.main.BoundsRect(), main);
    EXPECT_EQ(f.SET_TSL_WND.BoundsRect(), panel);
    EXPECT_TRUE(outlines.empty());
}

TEST_F(DragTest, ReleaseWithoutAPressMovesNothing) {
    TForm1& f = Start();
    // A finished drag of main leaves its point and rectangle behind.
    f.main.MouseDown(MouseButton::Left, 10, 10);
    f.main.MouseUp(MouseButton::Left, 110, 10);
    f.SET_TSL_WND.SetBounds(400, 300, 219, 129);
    f.SET_TSL_WND.Show();
    const long updates = f.RegionUpdates();

    f.SET_TSL_WND.MouseUp(MouseButton::Left, 50, 50);
    EXPECT_EQ(f.SET_TSL_WND.BoundsRect(), (Rect{400, 300, 619, 429}));
    EXPECT_EQ(f.RegionUpdates(), updates);

    // main's release rebuilds the region even so, as it does for every button.
    const Rect mainBefore = f.main.BoundsRect();
    f.main.MouseUp(MouseButton::Left, 50, 50);
    EXPECT_EQ(f.main.BoundsRect(), mainBefore);
    EXPECT_EQ(f.RegionUpdates(), updates + 1);
}

// The three panels other than main show an XOR outline that follows the mouse: each step
// draws the old place again (removing it) and then the new one; the release removes the last.
struct OutlinedPanel {
    const char* name;
    ui::Panel TForm1::*panel;
};

class OutlinedDragTest : public DragTest, public ::testing::WithParamInterface<OutlinedPanel> {};

TEST_P(OutlinedDragTest, OutlineFollowsTheMouseAndThePanelMovesAtRelease) {
    TForm1& f = StartWithOutlineRecorder();
    ui::Panel& panel = f.*(GetParam().panel);
    panel.SetBounds(f.main.Left(), f.main.Top(), panel.Width(), panel.Height());
    panel.Show();
    f.main.Hide();
    const Rect r0 = panel.BoundsRect();

    panel.MouseDown(MouseButton::Left, 10, 10);
    EXPECT_TRUE(outlines.empty());
    panel.MouseMove(MouseButton::Left, 30, 10);
    panel.MouseMove(MouseButton::Left, 60, 15);
    EXPECT_EQ(panel.BoundsRect(), r0);
    panel.MouseUp(MouseButton::Left, 60, 15);

    const Rect r1 = Shifted(r0, 20, 0);
    const Rect r2 = Shifted(r0, 50, 5);
    EXPECT_EQ(outlines, (std::vector<Rect>{r0, r1, r1, r2, r2}));
    EXPECT_EQ(panel.BoundsRect(), r2);
    EXPECT_FALSE(f.Drag.dragging);
    EXPECT_EQ(f.Region(), std::vector<Rect>{r2});
}

TEST_P(OutlinedDragTest, RightButtonNeitherDragsNorRebuildsTheRegion) {
    TForm1& f = StartWithOutlineRecorder();
    ui::Panel& panel = f.*(GetParam().panel);
    panel.Show();
    const Rect before = panel.BoundsRect();
    const long updates = f.RegionUpdates();
    panel.MouseDown(MouseButton::Right, 10, 10);
    panel.MouseMove(MouseButton::Right, 60, 60);
    panel.MouseUp(MouseButton::Right, 60, 60);
    EXPECT_EQ(panel.BoundsRect(), before);
    EXPECT_EQ(f.RegionUpdates(), updates);
    EXPECT_TRUE(outlines.empty());
}

INSTANTIATE_TEST_SUITE_P(Panels, OutlinedDragTest,
                         ::testing::Values(OutlinedPanel{"SET_TP_SL_WND", &TForm1::SET_TP_SL_WND},
                                           OutlinedPanel{"SET_TSL_WND", &TForm1::SET_TSL_WND},
                                           OutlinedPanel{"Properties", &TForm1::Properties}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DragTest, PropertiesTitleLabelDragsTheSettingsPanel) {
    TForm1& f = Start();
    f.Properties.SetBounds(20, 20, 337, 329);
    f.Properties.Show();
    f.Label17.MouseDown(MouseButton::Left, 3, 3);
    f.Label17.MouseMove(MouseButton::Left, 13, 23);
    f.Label17.MouseUp(MouseButton::Left, 43, 33);
    EXPECT_EQ(f.Properties.BoundsRect(), (Rect{60, 50, 397, 379}));
}

TEST_F(DragTest, DrawsNothingWithoutABackendThatDraws) {
    TForm1& f = Start();
    ASSERT_FALSE(f.DrawFocusRect);
    f.SET_TSL_WND.SetBounds(20, 20, 219, 129);
    f.SET_TSL_WND.Show();
    f.SET_TSL_WND.MouseDown(MouseButton::Left, 0, 0);
    f.SET_TSL_WND.MouseMove(MouseButton::Left, 50, 0);
    f.SET_TSL_WND.MouseUp(MouseButton::Left, 50, 0);
    EXPECT_EQ(f.SET_TSL_WND.Left(), 70);
}

}  // namespace
