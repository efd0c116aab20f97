#pragma once
// The simulated account: its orders, the texts the terminal side writes into the panel's
// slots for them, and the execution of the panel's commands.
#include <string>
#include <vector>

namespace sim {

struct Order {
    long ticket = 0;
    int type = 0;  // 0 buy, 1 sell, 2 buy limit, 3 sell limit, 4 buy stop, 5 sell stop
    double lots = 0;
    double openPrice = 0;
    double stopLoss = 0;
    double takeProfit = 0;
    int trailingStop = 0;  // points
};

class OrderBook {
public:
    static constexpr const wchar_t* kSymbol = L"EURUSD";
    static constexpr int kDigits = 4;
    static constexpr double kPoint = 0.0001;
    static constexpr double kLotStep = 0.01;

    OrderBook();

    const std::vector<Order>& Orders() const { return orders_; }

    // IN_ORDERS: one line per order, "4711 (buy 0.10 EURUSD at 1.2345)", CR LF between lines.
    std::wstring OrdersText() const;
    // IN_ORDER_PROPERTY for the ticket text of OUT_SELECTED_ORDER ("4711 ", "-1", ...): ten
    // fields, each followed by ";". An unknown ticket gives the symbol's fields and zeros.
    std::wstring PropertiesText(const std::wstring& selectedTicket) const;

    // Carries out one command of OUT_COMMAND at the given quotes; returns a short account
    // of what was done, for the status line.
    std::wstring Execute(const std::wstring& command, double bid, double ask);

    static std::wstring Price(double value);
    static std::wstring Lots(double value);

private:
    Order* Find(long ticket);

    std::vector<Order> orders_;
    long nextTicket_ = 4711;
};

}  // namespace sim
