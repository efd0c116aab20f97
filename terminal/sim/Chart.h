#pragma once
// The simulated quotes and the candle chart that draws them, in the terminal's classic black
// colour scheme.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace sim {

struct Candle {
    double open, high, low, close;
};

class CandleSeries {
public:
    explicit CandleSeries(std::size_t history = 160);

    // One price change; every `ticksPerBar`-th change opens a new bar.
    void Tick();
    const std::vector<Candle>& Candles() const { return candles_; }
    double Bid() const { return candles_.back().close; }
    double Ask() const { return Bid() + kSpread; }

    static constexpr double kSpread = 0.0003;
    static constexpr int kTicksPerBar = 12;

private:
    double Step();

    std::vector<Candle> candles_;
    std::uint32_t random_ = 20240611u;  // fixed seed: every run draws the same history
    int ticksInBar_ = 0;
};

// Paints the series over the whole client rectangle of `window` into `dc`.
void PaintChart(HDC dc, const RECT& client, const CandleSeries& series, const wchar_t* title);

}  // namespace sim
