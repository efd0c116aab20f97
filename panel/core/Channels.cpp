#include "panel/core/Channels.h"

#include "panel/core/Numbers.h"

const wchar_t kReadOk[] = L"READ_OK";
const wchar_t kWait[] = L"WAIT";
const wchar_t kNoCommand[] = L"_";
const wchar_t kNoSelection[] = L"-1";

namespace {

// Walks the ";"-terminated fields from the start. A field whose ";" is missing reads as
// empty, and so does every field after it: the terminal side always writes all ten, so a
// text cut short is one we cannot trust past the cut.
class FieldCursor {
public:
    explicit FieldCursor(const std::wstring& text) : text_(text) {}

    std::wstring Next() {
        if (exhausted_) return {};
        const std::size_t end = text_.find(L';', start_);
        if (end == std::wstring::npos) {
            exhausted_ = true;
            return {};
        }
        std::wstring field = text_.substr(start_, end - start_);
        start_ = end + 1;
        return field;
    }

private:
    const std::wstring& text_;
    std::size_t start_ = 0;
    bool exhausted_ = false;
};

void ReadInteger(FieldCursor& fields, std::int32_t& field) {
    if (auto value = ParseInteger(fields.Next())) field = *value;
}

// An empty real field means 0, and so does one that is not a number (trailing characters
// included): a real field never holds a value left over from an earlier order.
void ReadReal(FieldCursor& fields, double& field) { field = ParseNumber(fields.Next()).value_or(0.0); }

}  // namespace

void ParseOrderProperties(const std::wstring& text, OrderPropertiesRecord& properties) {
    FieldCursor fields(text);
    properties.HeadText = fields.Next();
    ReadInteger(fields, properties.OrderType);
    ReadReal(fields, properties.OpenPrice);
    ReadReal(fields, properties.StopLoss);
    ReadReal(fields, properties.TakeProfit);
    ReadReal(fields, properties.PointSize);
    ReadInteger(fields, properties.Digits);
    ReadInteger(fields, properties.TrailingStop);
    ReadReal(fields, properties.LotStep);
    ReadReal(fields, properties.OrderLots);
}

std::wstring TicketOfRow(const std::wstring& row) {
    const std::size_t end = row.find(L" (");
    return end == std::wstring::npos ? std::wstring() : row.substr(0, end + 1);
}

bool IsPendingOrderRow(const std::wstring& row) {
    return row.find(L"STOP") != std::wstring::npos || row.find(L"LIMIT") != std::wstring::npos;
}

std::wstring MarketOrderCommand(int type, const std::wstring& lots) {
    return L"OPEN_POS;" + std::to_wstring(type) + L";" + lots + L";0;0;0;";
}

std::wstring DialogMarketOrderCommand(int type, const std::wstring& lots, const std::wstring& stopLoss,
                                      const std::wstring& takeProfit) {
    return L"OPEN_POS;" + std::to_wstring(type) + L";" + lots + L";0;" + stopLoss + L";" + takeProfit + L";";
}

std::wstring PendingOrderCommand(const std::wstring& type, const std::wstring& lots, const std::wstring& price,
                                 const std::wstring& stopLoss, const std::wstring& takeProfit) {
    return L"OPEN_POS;" + type + L";" + lots + L";" + price + L";" + stopLoss + L";" + takeProfit + L";";
}

std::wstring CloseCommand(const std::wstring& ticket, const std::wstring& lots) {
    return L"CLOSE;" + ticket + L";" + lots + L";;";
}

std::wstring CloseAllCommand() { return L"CLOSE_ALL;;;;"; }

std::wstring ModifyCommand(const std::wstring& ticket, const std::wstring& stopLoss, const std::wstring& takeProfit,
                           const std::wstring& price) {
    return L"SET_TP_SL;" + ticket + L";" + stopLoss + L";" + takeProfit + L";" + price + L";";
}

std::wstring TrailingStopCommand(const std::wstring& ticket, const std::wstring& distance) {
    return L"SET_TSL;" + ticket + L";" + distance + L";;";
}
