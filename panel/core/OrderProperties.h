#pragma once
#include <cstdint>
#include <string>

// The selected order and the tested symbol, as the terminal side last described them.
struct OrderPropertiesRecord {
    std::wstring HeadText;
    std::int32_t OrderType = 0;
    double OpenPrice = 0;
    double StopLoss = 0;
    double TakeProfit = 0;
    double PointSize = 0;
    std::int32_t Digits = 0;
    std::int32_t TrailingStop = 0;
    double LotStep = 0.01;
    double OrderLots = 0;
};
