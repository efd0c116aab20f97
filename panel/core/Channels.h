#pragma once
// The texts that pass through the channel slots: the order properties the terminal side
// writes and the commands the panel writes.
#include <string>

#include "panel/core/OrderProperties.h"

// Parses the ten ";"-terminated fields into `properties` in place: an integer field that is
// empty or not an integer keeps its value, an empty real field gives 0. The LotStep of 0 is
// left as parsed; the caller corrects it.
void ParseOrderProperties(const std::wstring& text, OrderPropertiesRecord& properties);

// The ticket of an order row: its text up to and including the blank in front of the first
// " (", or the empty text when the row has none.
std::wstring TicketOfRow(const std::wstring& row);
// A pending order's row contains "STOP" or "LIMIT".
bool IsPendingOrderRow(const std::wstring& row);

extern const wchar_t kReadOk[];     // "READ_OK"
extern const wchar_t kWait[];       // "WAIT"
extern const wchar_t kNoCommand[];  // "_"
extern const wchar_t kNoSelection[];  // "-1"

std::wstring MarketOrderCommand(int type, const std::wstring& lots);
std::wstring DialogMarketOrderCommand(int type, const std::wstring& lots, const std::wstring& stopLoss,
                                      const std::wstring& takeProfit);
std::wstring PendingOrderCommand(const std::wstring& type, const std::wstring& lots, const std::wstring& price,
                                 const std::wstring& stopLoss, const std::wstring& takeProfit);
std::wstring CloseCommand(const std::wstring& ticket, const std::wstring& lots);
std::wstring CloseAllCommand();
std::wstring ModifyCommand(const std::wstring& ticket, const std::wstring& stopLoss, const std::wstring& takeProfit,
                           const std::wstring& price);
std::wstring TrailingStopCommand(const std::wstring& ticket, const std::wstring& distance);
