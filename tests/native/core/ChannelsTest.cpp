#include <gtest/gtest.h>

#include <string>

#include "panel/core/Channels.h"

namespace {

// A record as an earlier parse left it, so that every field shows whether it was kept.
OrderPropertiesRecord Previous() {
    OrderPropertiesRecord r;
    r.HeadText = L"old";
    r.OrderType = 3;
    r.OpenPrice = 1.1;
    r.StopLoss = 1.0;
    r.TakeProfit = 1.2;
    r.PointSize = 0.0001;
    r.Digits = 4;
    r.TrailingStop = 25;
    r.LotStep = 0.1;
    r.OrderLots = 0.5;
    return r;
}

TEST(ParseOrderProperties, ReadsAllTenFields) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"EURUSD buy;1;1.23450;1.2;1.3e0;1E-5;5;15;0.01;0.30;", r);
    EXPECT_EQ(r.HeadText, L"EURUSD buy");
    EXPECT_EQ(r.OrderType, 1);
    EXPECT_DOUBLE_EQ(r.OpenPrice, 1.2345);
    EXPECT_DOUBLE_EQ(r.StopLoss, 1.2);
    EXPECT_DOUBLE_EQ(r.TakeProfit, 1.3);
    EXPECT_DOUBLE_EQ(r.PointSize, 0.00001);
    EXPECT_EQ(r.Digits, 5);
    EXPECT_EQ(r.TrailingStop, 15);
    EXPECT_DOUBLE_EQ(r.LotStep, 0.01);
    EXPECT_DOUBLE_EQ(r.OrderLots, 0.3);
}

TEST(ParseOrderProperties, EmptyTextZeroesRealsAndKeepsIntegers) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"", r);
    EXPECT_EQ(r.HeadText, L"");
    EXPECT_EQ(r.OpenPrice, 0);
    EXPECT_EQ(r.StopLoss, 0);
    EXPECT_EQ(r.TakeProfit, 0);
    EXPECT_EQ(r.PointSize, 0);
    EXPECT_EQ(r.OrderLots, 0);
    // Left at 0 here: the poll turns it into 0.01.
    EXPECT_EQ(r.LotStep, 0);
    EXPECT_EQ(r.OrderType, 3);
    EXPECT_EQ(r.Digits, 4);
    EXPECT_EQ(r.TrailingStop, 25);
}

TEST(ParseOrderProperties, LastFieldWithoutItsSeparatorReadsEmpty) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"H;0;1.5;0;0;0.0001;4;0;0.01;0.20", r);
    EXPECT_EQ(r.OrderLots, 0);
    EXPECT_DOUBLE_EQ(r.LotStep, 0.01);
    EXPECT_DOUBLE_EQ(r.OpenPrice, 1.5);
}

TEST(ParseOrderProperties, FieldsPastAMissingSeparatorReadEmpty) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"H;2;1.5;1.4", r);
    EXPECT_EQ(r.HeadText, L"H");
    EXPECT_EQ(r.OrderType, 2);
    EXPECT_DOUBLE_EQ(r.OpenPrice, 1.5);
    EXPECT_EQ(r.StopLoss, 0) << "the unterminated \"1.4\" is not taken";
    EXPECT_EQ(r.TakeProfit, 0);
    EXPECT_EQ(r.OrderLots, 0);
    EXPECT_EQ(r.Digits, 4);
    EXPECT_EQ(r.TrailingStop, 25);
}

TEST(ParseOrderProperties, MalformedIntegerFieldsKeepTheirValue) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"H;1.0;1;1;1;1;x5;2147483648;1;1;", r);
    EXPECT_EQ(r.OrderType, 3);
    EXPECT_EQ(r.Digits, 4);
    EXPECT_EQ(r.TrailingStop, 25);
    ParseOrderProperties(L"H;;1;1;1;1;;;1;1;", r);
    EXPECT_EQ(r.OrderType, 3);
    EXPECT_EQ(r.Digits, 4);
    EXPECT_EQ(r.TrailingStop, 25);
}

TEST(ParseOrderProperties, MalformedRealFieldsReadAsZero) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"H;0;1.5abc;1,2;1.3 ;;4;0;x;0.10;", r);
    EXPECT_EQ(r.OpenPrice, 0);
    EXPECT_EQ(r.StopLoss, 0);
    EXPECT_EQ(r.TakeProfit, 0);
    EXPECT_EQ(r.PointSize, 0);
    EXPECT_EQ(r.LotStep, 0);
    EXPECT_DOUBLE_EQ(r.OrderLots, 0.1);
}

TEST(ParseOrderProperties, TextAfterTheTenthFieldIsIgnored) {
    OrderPropertiesRecord r = Previous();
    ParseOrderProperties(L"H;0;1;2;3;4;5;6;7;8;9;10;", r);
    EXPECT_DOUBLE_EQ(r.OrderLots, 8);
    EXPECT_EQ(r.TrailingStop, 6);
}

struct RowCase {
    const wchar_t* row;
    const wchar_t* ticket;
    bool pending;
};

class OrderRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(OrderRowTest, TicketEndsAtTheFirstBlankParenthesis) {
    const RowCase& c = GetParam();
    EXPECT_EQ(TicketOfRow(c.row), c.ticket) << ::testing::PrintToString(std::wstring(c.row));
    EXPECT_EQ(IsPendingOrderRow(c.row), c.pending) << ::testing::PrintToString(std::wstring(c.row));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrderRowTest,
    ::testing::Values(RowCase{L"4711 (buy 0.10 EURUSD at 1.23450)", L"4711 ", false},
                      RowCase{L"12 (buy) (x)", L"12 ", false}, RowCase{L"4711(buy 0.10)", L"", false},
                      RowCase{L"", L"", false}, RowCase{L" (buy)", L" ", false},
                      RowCase{L"4712 (BUY LIMIT 0.20 at 1.2)", L"4712 ", true},
                      RowCase{L"4713 (SELL STOP 0.20)", L"4713 ", true},
                      RowCase{L"4714 (buy 0.10, STOPPED)", L"4714 ", true},
                      RowCase{L"4715 (sell stop limit 0.10)", L"4715 ", false}));

TEST(Channels, SlotTextsAreExact) {
    EXPECT_STREQ(kReadOk, L"READ_OK");
    EXPECT_STREQ(kWait, L"WAIT");
    EXPECT_STREQ(kNoCommand, L"_");
    EXPECT_STREQ(kNoSelection, L"-1");
}

TEST(Channels, CommandTextsCarryTheirFieldsAsGiven) {
    EXPECT_EQ(MarketOrderCommand(1, L"0.20"), L"OPEN_POS;1;0.20;0;0;0;");
    EXPECT_EQ(MarketOrderCommand(0, L"2"), L"OPEN_POS;0;2;0;0;0;");
    EXPECT_EQ(DialogMarketOrderCommand(1, L"0.10", L"1.25000", L"1.20000"), L"OPEN_POS;1;0.10;0;1.25000;1.20000;");
    EXPECT_EQ(DialogMarketOrderCommand(0, L"0,5", L"0", L"0"), L"OPEN_POS;0;0,5;0;0;0;");
    EXPECT_EQ(PendingOrderCommand(L"4", L"0.10", L"1.23000", L"1.22000", L"1.25000"),
              L"OPEN_POS;4;0.10;1.23000;1.22000;1.25000;");
    EXPECT_EQ(CloseCommand(L"4711 ", L"0.10"), L"CLOSE;4711 ;0.10;;");
    EXPECT_EQ(CloseCommand(L"", L"0.10"), L"CLOSE;;0.10;;");
    EXPECT_EQ(CloseAllCommand(), L"CLOSE_ALL;;;;");
    EXPECT_EQ(ModifyCommand(L"4711 ", L"1.22000", L"0", L"1.23450"), L"SET_TP_SL;4711 ;1.22000;0;1.23450;");
    EXPECT_EQ(TrailingStopCommand(L"4711 ", L"150"), L"SET_TSL;4711 ;150;;");
}

TEST(Channels, CloseCommandForTheSelectedRow) {
    EXPECT_EQ(CloseCommand(TicketOfRow(L"4711 (buy 0.10 EURUSD)"), L"0.10"), L"CLOSE;4711 ;0.10;;");
}

}  // namespace
