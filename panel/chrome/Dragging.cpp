// Dragging the floating panels. The panel itself stays where it is while the mouse moves
// and jumps by the whole distance at the release; the three panels other than main show
// an outline that follows the mouse. The drag point is kept in the coordinates of the
// control that took the press (a label of main, say): only differences of it are used,
// and that control does not move during the drag.
#include "panel/core/Unit1.h"

namespace {

void DrawOutline(TForm1& form, const ui::Rect& rect) {
    if (form.DrawFocusRect) form.DrawFocusRect(rect);
}

void BeginDrag(TForm1& form, ui::Panel& panel, ui::MouseButton button, int x, int y) {
    if (button != ui::MouseButton::Left) return;
    form.Drag.x = x;
    form.Drag.y = y;
    form.Drag.rect = panel.BoundsRect();
    form.Drag.dragging = true;
}

void FollowDrag(TForm1& form, bool outline, int x, int y) {
    TForm1::DragState& drag = form.Drag;
    if (!drag.dragging) return;
    if (outline) DrawOutline(form, drag.rect);
    const int dx = x - drag.x;
    const int dy = y - drag.y;
    drag.rect = {drag.rect.left + dx, drag.rect.top + dy, drag.rect.right + dx, drag.rect.bottom + dy};
    drag.x = x;
    drag.y = y;
    if (outline) DrawOutline(form, drag.rect);
}

void EndDrag(TForm1& form, ui::Panel& panel, bool outline, ui::MouseButton button, int x, int y) {
    // A release without our own press (a drag that never began here) must not move the
    // panel by what is left over from an earlier drag.
    if (button != ui::MouseButton::Left || !form.Drag.dragging) return;
    if (outline) DrawOutline(form, form.Drag.rect);
    form.PlacePanelAfterDrag(panel, x, y);
    form.Drag.dragging = false;
    form.UpdateWindowRegion();
}

}  // namespace

void TForm1::PlacePanelAfterDrag(ui::Panel& panel, int x, int y) {
    panel.SetBounds(Drag.rect.left + (x - Drag.x), Drag.rect.top + (y - Drag.y), panel.Width(),
                    panel.Height());
}

// ---- main: no outline; every press and release also rebuilds the region, whatever the
// button, so that the region is right when the context menu opens.

void TForm1::mainMouseDown(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        UpdateWindowRegion();
        BeginDrag(*this, main, button, x, y);
    } catch (...) {
    }
}

void TForm1::mainMouseMove(ui::Control&, ui::MouseButton, int x, int y) {
    try {
        FollowDrag(*this, false, x, y);
    } catch (...) {
    }
}

void TForm1::mainMouseUp(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        UpdateWindowRegion();
        EndDrag(*this, main, false, button, x, y);
    } catch (...) {
    }
}

// ---- The price/SL/TP editor's panel.

void TForm1::SET_TP_SL_WNDMouseDown(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        BeginDrag(*this, SET_TP_SL_WND, button, x, y);
    } catch (...) {
    }
}

void TForm1::SET_TP_SL_WNDMouseMove(ui::Control&, ui::MouseButton, int x, int y) {
    try {
        FollowDrag(*this, true, x, y);
    } catch (...) {
    }
}

void TForm1::SET_TP_SL_WNDMouseUp(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        EndDrag(*this, SET_TP_SL_WND, true, button, x, y);
    } catch (...) {
    }
}

// ---- The trailing-stop editor's panel.

void TForm1::SET_TSL_WNDMouseDown(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        BeginDrag(*this, SET_TSL_WND, button, x, y);
    } catch (...) {
    }
}

void TForm1::SET_TSL_WNDMouseMove(ui::Control&, ui::MouseButton, int x, int y) {
    try {
        FollowDrag(*this, true, x, y);
    } catch (...) {
    }
}

void TForm1::SET_TSL_WNDMouseUp(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        EndDrag(*this, SET_TSL_WND, true, button, x, y);
    } catch (...) {
    }
}

// ---- The settings panel.

void TForm1::PropertiesMouseDown(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        BeginDrag(*this, Properties, button, x, y);
    } catch (...) {
    }
}

void TForm1::PropertiesMouseMove(ui::Control&, ui::MouseButton, int x, int y) {
    try {
        FollowDrag(*this, true, x, y);
    } catch (...) {
    }
}

void TForm1::PropertiesMouseUp(ui::Control&, ui::MouseButton button, int x, int y) {
    try {
        EndDrag(*this, Properties, true, button, x, y);
    } catch (...) {
    }
}
