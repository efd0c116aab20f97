#include "panel/ui/win32/Painting.h"

#include <algorithm>

#include "panel/ui/win32/GdiObjects.h"

namespace ui::win32 {

namespace {

constexpr Color kSystemColorFlag = 0x80000000u;

TRIVERTEX Vertex(int x, int y, COLORREF color) {
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    return v;
}

// A vertical gradient over [top, bottom) of the columns [left, right).
void VerticalGradient(HDC dc, int left, int top, int right, int bottom, COLORREF from, COLORREF to) {
    if (right <= left || bottom <= top) return;
    TRIVERTEX vertices[2] = {Vertex(left, top, from), Vertex(right, bottom, to)};
    GRADIENT_RECT rect{0, 1};
    if (!GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V)) {
        // Without msimg32's help a flat fill in the middle colour still reads as the panel.
        Brush brush(CreateSolidBrush(Blend(from, to, 50)));
        RECT box{left, top, right, bottom};
        if (brush) FillRect(dc, &box, brush.Get());
    }
}

void FillBox(HDC dc, const RECT& box, COLORREF color) {
    Brush brush(CreateSolidBrush(color));
    if (brush) FillRect(dc, &box, brush.Get());
}

// An arrow of rows one pixel high, widest at `baseY`, pointing up or down.
void PaintArrow(HDC dc, int centreX, int tipY, int rows, bool up, COLORREF color) {
    for (int i = 0; i < rows; ++i) {
        const int y = up ? tipY + i : tipY - i;
        RECT row{centreX - i, y, centreX + i + 1, y + 1};
        FillBox(dc, row, color);
    }
}

}  // namespace

COLORREF ToColorRef(Color color, COLORREF fallback) {
    if (color == kDefaultColor) return fallback;
    if ((color & 0xFF000000u) == kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

COLORREF Blend(COLORREF from, COLORREF to, int percent) {
    auto mix = [percent](int a, int b) { return a + (b - a) * percent / 100; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void PaintSmoothPanel(HDC dc, int width, int height, const SmoothPanelLook& look) {
    RECT whole{0, 0, width, height};
    FillBox(dc, whole, look.corner);
    const int diameter = std::max(0, look.rounding) * 2;
    // The region excludes its right and bottom edges, hence the extra pixel.
    Region face(CreateRoundRectRgn(0, 0, width + 1, height + 1, diameter, diameter));
    if (!face) return;
    {
        SavedDc saved(dc);
        SelectClipRgn(dc, face.Get());
        const int middle = height / 2;
        VerticalGradient(dc, 0, 0, width, middle, look.fill, look.gradientTo);
        VerticalGradient(dc, 0, middle, width, height, look.gradientTo, look.fill);
    }
    if (look.borderWidth > 0) {
        Brush border(CreateSolidBrush(look.border));
        if (border) FrameRgn(dc, face.Get(), border.Get(), look.borderWidth, look.borderWidth);
    }
}

namespace {

// With the font selected: single line, or wrapped at words when the box holds two lines.
UINT LabelFormat(HDC dc, const RECT& box) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const bool wrap = metrics.tmHeight > 0 && box.bottom - box.top >= 2 * metrics.tmHeight;
    return DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP | (wrap ? DT_WORDBREAK : DT_SINGLELINE);
}

}  // namespace

RECT LabelExtent(HDC dc, const RECT& box, const std::wstring& text, HFONT font) {
    Selection fontSelection(dc, font);
    RECT measured = box;
    if (!text.empty())
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, LabelFormat(dc, box) | DT_CALCRECT);
    return measured;
}

void PaintLabel(HDC dc, const RECT& box, const std::wstring& text, HFONT font, COLORREF color,
                bool enabled, RECT* extent) {
    Selection fontSelection(dc, font);
    const UINT format = LabelFormat(dc, box);
    RECT area = box;
    if (extent) {
        RECT measured = box;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
        *extent = measured;
    }
    if (text.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? color : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void PaintGroupFrame(HDC dc, int width, int height, const std::wstring& caption, HFONT font, COLORREF back,
                     COLORREF text, bool enabled) {
    RECT whole{0, 0, width, height};
    FillBox(dc, whole, back);
    Selection fontSelection(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame{0, metrics.tmHeight / 2, width, height};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT label{6, 0, std::min<LONG>(width - 6, 8 + extent.cx + 2), metrics.tmHeight};
    FillBox(dc, label, back);
    RECT area{8, 0, label.right, metrics.tmHeight};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? text : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintSplitter(HDC dc, const RECT& box) {
    FillBox(dc, box, RGB(192, 192, 192));
    RECT rule{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    if (rule.right > rule.left && rule.bottom > rule.top) FillBox(dc, rule, RGB(128, 128, 128));
}

SpinPart SpinPartAt(int height, int y) {
    if (y < 0 || y >= height) return SpinPart::None;
    return y < height / 2 ? SpinPart::Up : SpinPart::Down;
}

void PaintSpinButtons(HDC dc, int width, int height, COLORREF background, bool enabled, SpinPart pressed) {
    RECT whole{0, 0, width, height};
    FillBox(dc, whole, background);
    const int half = height / 2;
    // Rows of the arrow: as wide as the pair allows, at most five, so the tip stays sharp.
    const int rows = std::clamp(std::min((width - 4) / 2, half - 3), 1, 5);
    const COLORREF outline = RGB(192, 192, 192);
    const COLORREF ink = enabled ? RGB(0, 0, 0) : RGB(128, 128, 128);
    for (SpinPart part : {SpinPart::Up, SpinPart::Down}) {
        const bool up = part == SpinPart::Up;
        const int shift = part == pressed ? 1 : 0;
        const int centreX = (width - 1) / 2 + shift;
        const int top = up ? 0 : half;
        const int bottom = up ? half : height;
        const int firstRow = top + (bottom - top - rows) / 2 + shift;
        const int tip = up ? firstRow : firstRow + rows - 1;
        // A light rim first, so that the arrow stays visible over whatever shows through.
        PaintArrow(dc, centreX, up ? tip - 1 : tip + 1, rows + 2, up, outline);
        PaintArrow(dc, centreX, tip, rows, up, ink);
    }
}

void PaintSpriteButton(HDC dc, const RECT& box, SpriteButton::Face face, SpriteState state, HFONT wordFont,
                       const std::wstring& caption, HFONT captionFont, COLORREF captionColor) {
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return;

    const bool sell = face == SpriteButton::Face::Sell;
    COLORREF top = sell ? RGB(250, 128, 120) : RGB(128, 224, 120);
    COLORREF middle = sell ? RGB(214, 34, 26) : RGB(38, 160, 40);
    COLORREF lower = sell ? RGB(186, 0, 0) : RGB(0, 128, 0);
    COLORREF bottom = sell ? RGB(140, 0, 0) : RGB(0, 96, 0);
    auto shade = [state](COLORREF c) {
        if (state == SpriteState::Focused) return Blend(c, RGB(255, 255, 255), 25);
        if (state == SpriteState::Pressed) return Blend(c, RGB(0, 0, 0), 25);
        return c;
    };

    FillBox(dc, box, RGB(192, 192, 192));
    Region shape(CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, 8, 8));
    if (!shape) return;
    {
        SavedDc saved(dc);
        SelectClipRgn(dc, shape.Get());
        const int split = box.top + height / 2;
        VerticalGradient(dc, box.left, box.top, box.right, split, shade(top), shade(middle));
        VerticalGradient(dc, box.left, split, box.right, box.bottom, shade(lower), shade(bottom));
    }
    Brush outline(CreateSolidBrush(RGB(64, 64, 64)));
    if (outline) FrameRgn(dc, shape.Get(), outline.Get(), 1, 1);

    const wchar_t* word = sell ? L"SELL" : L"BUY";
    SetBkMode(dc, TRANSPARENT);
    {
        Selection fontSelection(dc, wordFont);
        RECT area = box;
        if (state == SpriteState::Pressed) OffsetRect(&area, 1, 1);
        RECT shadow = area;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, shade(bottom));
        DrawTextW(dc, word, -1, &shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, word, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    if (!caption.empty()) {
        Selection fontSelection(dc, captionFont);
        SetTextColor(dc, captionColor);
        RECT measure{box.left + 14, box.top, box.right - 14, box.top};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
                  DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
        const int textHeight = measure.bottom - measure.top;
        RECT area{box.left + 14, box.top + (height - textHeight) / 2, box.right - 14, box.bottom};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, DT_CENTER | DT_WORDBREAK);
    }
}

}  // namespace ui::win32
