#pragma once
// The drawing of what has no window class of the platform: the smooth panels and the
// graphic controls on them. Each function paints into a device context and keeps no state.
#include <windows.h>

#include <string>

#include "panel/ui/Controls.h"

namespace ui::win32 {

// A colour of the control layer as the platform's COLORREF: the component default and the
// VCL's system colours (0x80000000 | COLOR_xxx) resolved.
COLORREF ToColorRef(Color color, COLORREF fallback);
// `percent` of the way from `from` to `to`.
COLORREF Blend(COLORREF from, COLORREF to, int percent);

struct SmoothPanelLook {
    COLORREF fill;
    COLORREF gradientTo;
    COLORREF border;
    // Outside the rounded corners; the form's colour key makes them see-through.
    COLORREF corner;
    int borderWidth;
    int rounding;
};
// Top half from the fill colour to the gradient colour, bottom half mirrored back.
void PaintSmoothPanel(HDC dc, int width, int height, const SmoothPanelLook& look);

// Text with a transparent background; wraps at words when the box holds two lines.
// `extent`, when given, receives the rectangle the text covers.
void PaintLabel(HDC dc, const RECT& box, const std::wstring& text, HFONT font, COLORREF color,
                bool enabled, RECT* extent);

// The rectangle PaintLabel would cover.
RECT LabelExtent(HDC dc, const RECT& box, const std::wstring& text, HFONT font);

// A group box of one colour throughout: an etched frame with the caption in its top edge.
void PaintGroupFrame(HDC dc, int width, int height, const std::wstring& caption, HFONT font, COLORREF back,
                     COLORREF text, bool enabled);

// The horizontal rule between the sections of a panel.
void PaintSplitter(HDC dc, const RECT& box);

enum class SpinPart { None, Up, Down };
// Which arrow a point of a pair of `height` pixels lies on.
SpinPart SpinPartAt(int height, int y);
void PaintSpinButtons(HDC dc, int width, int height, COLORREF background, bool enabled, SpinPart pressed);

enum class SpriteState { Normal, Focused, Pressed };
// The picture of a quick order button: a rounded face with the word SELL on red or BUY on
// green; `wordFont` is a bold face for the word. A caption, when given, is drawn over it
// the way the control draws its own.
void PaintSpriteButton(HDC dc, const RECT& box, SpriteButton::Face face, SpriteState state, HFONT wordFont,
                       const std::wstring& caption, HFONT captionFont, COLORREF captionColor);

}  // namespace ui::win32
