#include "terminal/sim/OrderBook.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

const wchar_t* TypeName(int type) {
    static const wchar_t* const names[] = {L"buy", L"sell", L"BUY LIMIT", L"SELL LIMIT", L"BUY STOP", L"SELL STOP"};
    return type >= 0 && type < 6 ? names[type] : L"?";
}

std::wstring Format(const wchar_t* format, double value) {
    wchar_t text[64];
    std::swprintf(text, 64, format, value);
    std::wstring result = text;
    // The channel's numbers always use ".", whatever the C library's locale says.
    for (wchar_t& c : result)
        if (c == L',') c = L'.';
    return result;
}

// A number as the user may have typed it: "0,10" is read like "0.10".
double Number(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L',') c = L'.';
    return std::wcstod(text.c_str(), nullptr);
}

std::vector<std::wstring> Fields(const std::wstring& command) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = command.find(L';', start)) != std::wstring::npos; start = end + 1)
        fields.push_back(command.substr(start, end - start));
    if (start < command.size()) fields.push_back(command.substr(start));
    return fields;
}

}  // namespace

OrderBook::OrderBook() {
    // A market order and a pending one, so that the panel has something to show at once.
    orders_.push_back({nextTicket_++, 0, 0.10, 1.2345, 0, 0, 0});
    orders_.push_back({nextTicket_++, 2, 1.00, 1.2200, 1.2150, 1.2300, 0});
}

std::wstring OrderBook::Price(double value) { return Format(L"%.4f", value); }
std::wstring OrderBook::Lots(double value) { return Format(L"%.2f", value); }

std::wstring OrderBook::OrdersText() const {
    std::wstring text;
    for (const Order& order : orders_) {
        if (!text.empty()) text += L"\r\n";
        text += std::to_wstring(order.ticket) + L" (" + TypeName(order.type) + L" " + Lots(order.lots) + L" " +
                kSymbol + L" at " + Price(order.openPrice) + L")";
    }
    return text;
}

std::wstring OrderBook::PropertiesText(const std::wstring& selectedTicket) const {
    const long ticket = std::wcstol(selectedTicket.c_str(), nullptr, 10);
    Order shown;
    std::wstring head = kSymbol;
    for (const Order& order : orders_)
        if (order.ticket == ticket && ticket > 0) {
            shown = order;
            head = std::to_wstring(order.ticket) + L" " + TypeName(order.type) + L" " + kSymbol;
        }
    return head + L";" + std::to_wstring(shown.type) + L";" + Price(shown.openPrice) + L";" + Price(shown.stopLoss) +
           L";" + Price(shown.takeProfit) + L";" + Format(L"%.4f", kPoint) + L";" + std::to_wstring(kDigits) + L";" +
           std::to_wstring(shown.trailingStop) + L";" + Lots(kLotStep) + L";" + Lots(shown.lots) + L";";
}

Order* OrderBook::Find(long ticket) {
    for (Order& order : orders_)
        if (order.ticket == ticket) return &order;
    return nullptr;
}

std::wstring OrderBook::Execute(const std::wstring& command, double bid, double ask) {
    const std::vector<std::wstring> f = Fields(command);
    if (f.empty()) return L"пустая команда";
    auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::wstring(); };
    const std::wstring& keyword = f[0];

    if (keyword == L"OPEN_POS") {
        Order order;
        order.ticket = nextTicket_++;
        order.type = static_cast<int>(std::wcstol(field(1).c_str(), nullptr, 10));
        order.lots = Number(field(2));
        const double price = Number(field(3));
        order.openPrice = order.type == 0 ? ask : order.type == 1 ? bid : price;
        order.stopLoss = Number(field(4));
        order.takeProfit = Number(field(5));
        if (order.type < 0 || order.type > 5 || order.lots <= 0) return L"ордер отклонён";
        orders_.push_back(order);
        return L"открыт ордер " + std::to_wstring(order.ticket);
    }
    if (keyword == L"CLOSE") {
        const long ticket = std::wcstol(field(1).c_str(), nullptr, 10);
        Order* order = Find(ticket);
        if (!order) return L"нет ордера " + field(1);
        const double lots = Number(field(2));
        if (lots > 0 && lots + 1e-9 < order->lots) {
            order->lots = std::round((order->lots - lots) / kLotStep) * kLotStep;
            return L"частично закрыт ордер " + std::to_wstring(ticket);
        }
        std::erase_if(orders_, [&](const Order& o) { return o.ticket == ticket; });
        return L"закрыт ордер " + std::to_wstring(ticket);
    }
    if (keyword == L"CLOSE_ALL") {
        orders_.clear();
        return L"закрыты все ордера";
    }
    if (keyword == L"SET_TP_SL") {
        Order* order = Find(std::wcstol(field(1).c_str(), nullptr, 10));
        if (!order) return L"нет ордера " + field(1);
        order->stopLoss = Number(field(2));
        order->takeProfit = Number(field(3));
        if (order->type >= 2) order->openPrice = Number(field(4));
        return L"изменён ордер " + std::to_wstring(order->ticket);
    }
    if (keyword == L"SET_TSL") {
        Order* order = Find(std::wcstol(field(1).c_str(), nullptr, 10));
        if (!order) return L"нет ордера " + field(1);
        order->trailingStop = static_cast<int>(std::wcstol(field(2).c_str(), nullptr, 10));
        return L"трейлинг-стоп ордера " + std::to_wstring(order->ticket);
    }
    return L"неизвестная команда " + keyword;
}

}  // namespace sim
