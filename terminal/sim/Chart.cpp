#include "terminal/sim/Chart.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace sim {

namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kForeground = RGB(255, 255, 255);
constexpr COLORREF kGrid = RGB(47, 79, 79);
constexpr COLORREF kBar = RGB(0, 255, 0);
constexpr COLORREF kBullBody = RGB(0, 0, 0);
constexpr COLORREF kBearBody = RGB(255, 255, 255);
constexpr COLORREF kBidLine = RGB(192, 192, 192);
constexpr COLORREF kAskLine = RGB(255, 0, 0);
constexpr int kScaleWidth = 64;
constexpr int kBarSpacing = 9;

// GDI objects of one paint, released however the paint ends.
struct Gdi {
    HGDIOBJ object;
    explicit Gdi(HGDIOBJ o) : object(o) {}
    ~Gdi() {
        if (object) DeleteObject(object);
    }
    Gdi(const Gdi&) = delete;
    Gdi& operator=(const Gdi&) = delete;
};

}  // namespace

CandleSeries::CandleSeries(std::size_t history) {
    double price = 1.2280;
    for (std::size_t i = 0; i < history; ++i) {
        Candle c{price, price, price, price};
        for (int t = 0; t < kTicksPerBar; ++t) {
            price += Step();
            c.high = std::max(c.high, price);
            c.low = std::min(c.low, price);
        }
        c.close = price;
        candles_.push_back(c);
    }
    // The history ends where the panel's design quote stands: "1.2345 / 1.2348".
    const double shift = 1.2345 - price;
    for (Candle& c : candles_) {
        c.open += shift;
        c.high += shift;
        c.low += shift;
        c.close += shift;
    }
    candles_.push_back({1.2345, 1.2345, 1.2345, 1.2345});
}

double CandleSeries::Step() {
    // A small linear congruential generator: deterministic and the same on every platform.
    random_ = random_ * 1664525u + 1013904223u;
    const int r = static_cast<int>((random_ >> 16) % 7) - 3;  // -3 .. 3 points
    return r * 0.0001 * 0.5;
}

void CandleSeries::Tick() {
    Candle& c = candles_.back();
    c.close += Step();
    c.high = std::max(c.high, c.close);
    c.low = std::min(c.low, c.close);
    if (++ticksInBar_ >= kTicksPerBar) {
        ticksInBar_ = 0;
        candles_.push_back({c.close, c.close, c.close, c.close});
        if (candles_.size() > 400) candles_.erase(candles_.begin());
    }
}

void PaintChart(HDC dc, const RECT& client, const CandleSeries& series, const wchar_t* title) {
    Gdi background(CreateSolidBrush(kBackground));
    FillRect(dc, &client, static_cast<HBRUSH>(background.object));
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int plotRight = client.right - kScaleWidth;
    if (width <= kScaleWidth + 10 || height <= 40) return;

    const std::vector<Candle>& candles = series.Candles();
    const std::size_t visible = std::min(candles.size(), static_cast<std::size_t>((plotRight - 10) / kBarSpacing));
    const std::size_t first = candles.size() - visible;
    double high = 0;
    double low = 1e9;
    for (std::size_t i = first; i < candles.size(); ++i) {
        high = std::max(high, candles[i].high);
        low = std::min(low, candles[i].low);
    }
    high = std::max(high, series.Ask());
    const double margin = (high - low) * 0.08 + 0.0001;
    high += margin;
    low -= margin;
    auto y = [&](double price) -> int { return client.top + static_cast<int>((high - price) / (high - low) * height); };

    SetBkMode(dc, TRANSPARENT);
    Gdi font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    HGDIOBJ oldFont = SelectObject(dc, font.object);

    // Grid and price scale.
    Gdi gridPen(CreatePen(PS_DOT, 1, kGrid));
    HGDIOBJ oldPen = SelectObject(dc, gridPen.object);
    SetBkColor(dc, kBackground);
    SetTextColor(dc, kForeground);
    const int lines = 8;
    for (int i = 1; i < lines; ++i) {
        const int gy = client.top + height * i / lines;
        MoveToEx(dc, client.left, gy, nullptr);
        LineTo(dc, plotRight, gy);
        wchar_t label[32];
        std::swprintf(label, 32, L"%.4f", high - (high - low) * i / lines);
        TextOutW(dc, plotRight + 6, gy - 6, label, static_cast<int>(wcslen(label)));
    }
    for (int gx = plotRight - 12 * kBarSpacing; gx > client.left; gx -= 12 * kBarSpacing) {
        MoveToEx(dc, gx, client.top, nullptr);
        LineTo(dc, gx, client.bottom);
    }
    Gdi framePen(CreatePen(PS_SOLID, 1, kForeground));
    SelectObject(dc, framePen.object);
    MoveToEx(dc, plotRight, client.top, nullptr);
    LineTo(dc, plotRight, client.bottom);

    // Candles: wicks and outlines in the bar colour, bodies black when rising, white when falling.
    Gdi barPen(CreatePen(PS_SOLID, 1, kBar));
    Gdi bullBrush(CreateSolidBrush(kBullBody));
    Gdi bearBrush(CreateSolidBrush(kBearBody));
    SelectObject(dc, barPen.object);
    HGDIOBJ oldBrush = SelectObject(dc, bullBrush.object);
    int x = plotRight - 8 - static_cast<int>(visible) * kBarSpacing;
    for (std::size_t i = first; i < candles.size(); ++i, x += kBarSpacing) {
        const Candle& c = candles[i];
        const int cx = x + kBarSpacing / 2;
        MoveToEx(dc, cx, y(c.high), nullptr);
        LineTo(dc, cx, y(c.low) + 1);
        const int top = y(std::max(c.open, c.close));
        const int bottom = std::max(y(std::min(c.open, c.close)), top + 1);
        SelectObject(dc, c.close >= c.open ? bullBrush.object : bearBrush.object);
        Rectangle(dc, cx - 3, top, cx + 4, bottom + 1);
    }

    // Bid and ask lines with their prices on the scale.
    struct Line {
        double price;
        COLORREF colour;
    };
    for (const Line& line : {Line{series.Bid(), kBidLine}, Line{series.Ask(), kAskLine}}) {
        Gdi pen(CreatePen(PS_SOLID, 1, line.colour));
        SelectObject(dc, pen.object);
        MoveToEx(dc, client.left, y(line.price), nullptr);
        LineTo(dc, plotRight, y(line.price));
        SelectObject(dc, framePen.object);
        RECT tag{plotRight + 1, y(line.price) - 7, client.right, y(line.price) + 7};
        Gdi tagBrush(CreateSolidBrush(line.colour));
        FillRect(dc, &tag, static_cast<HBRUSH>(tagBrush.object));
        wchar_t label[32];
        std::swprintf(label, 32, L"%.4f", line.price);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutW(dc, plotRight + 6, y(line.price) - 6, label, static_cast<int>(wcslen(label)));
    }

    // The chart's legend in the top left corner.
    SetTextColor(dc, kForeground);
    const Candle& last = candles.back();
    wchar_t legend[160];
    std::swprintf(legend, 160, L"%ls  %.4f %.4f %.4f %.4f", title, last.open, last.high, last.low, last.close);
    TextOutW(dc, client.left + 4, client.top + 2, legend, static_cast<int>(wcslen(legend)));

    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
}

}  // namespace sim
