#include <memory>
#include <string>
#include <vector>

#include "tests/native/support/PanelFixture.h"

namespace {

const std::wstring kFirst = L"4711 (buy 0.10 EURUSD at 1.23450)";
const std::wstring kSecond = L"4712 (sell 0.20 EURUSD at 1.23460)";
const std::wstring kThird = L"4713 (buy 0.30 EURUSD at 1.23470)";

// The properties the terminal side writes for an order of `lots` lots.
std::wstring Properties(const std::wstring& lots, const std::wstring& lotStep = L"0.01") {
    return L"EURUSD;0;1.23450;0;0;0.00001;5;0;" + lotStep + L";" + lots + L";";
}

std::wstring Join(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}

class PollingTest : public PanelFixture {
protected:
    void SetUp() override {
        Start();
        ASSERT_TRUE(started);
    }

    // One tick of Timer1, as the terminal side sees it from outside.
    void Poll() { backend.Advance(200); }

    void WriteOrders(const std::vector<std::wstring>& lines) { form->IN_ORDERS.SetText(Join(lines)); }

    std::vector<std::wstring> Rows() const { return form->ORDERS_LIST_m.Items(); }
};

TEST_F(PollingTest, AcknowledgementEmptiesTheCommandAndThenItself) {
    EXPECT_EQ(form->OUT_COMMAND.Text(), L"_");
    form->OUT_COMMAND.SetText(L"OPEN_POS;0;0.10;0;0;0;");
    Poll();
    EXPECT_EQ(form->OUT_COMMAND.Text(), L"OPEN_POS;0;0.10;0;0;0;") << "no acknowledgement yet";

    form->IN_READ_COMMAND.SetText(L"READ_OK");
    Poll();
    EXPECT_EQ(form->OUT_COMMAND.Text(), L"");
    EXPECT_EQ(form->IN_READ_COMMAND.Text(), L"");
}

TEST_F(PollingTest, AcknowledgementEmptiesANewerCommandToo) {
    form->OUT_COMMAND.SetText(L"OPEN_POS;0;0.10;0;0;0;");
    // The terminal side took the first command; the user sent a second before the poll.
    form->IN_READ_COMMAND.SetText(L"READ_OK");
    form->OUT_COMMAND.SetText(L"CLOSE_ALL;;;;");
    Poll();
    EXPECT_EQ(form->OUT_COMMAND.Text(), L"");
    EXPECT_EQ(form->IN_READ_COMMAND.Text(), L"");
}

TEST_F(PollingTest, OnlyTheExactAcknowledgementCounts) {
    for (const wchar_t* text : {L"read_ok", L"READ_OK ", L" READ_OK", L"Read_Ok", L"WAIT", L"READ"}) {
        form->OUT_COMMAND.SetText(L"CLOSE_ALL;;;;");
        form->IN_READ_COMMAND.SetText(text);
        Poll();
        EXPECT_EQ(form->OUT_COMMAND.Text(), L"CLOSE_ALL;;;;") << ::testing::PrintToString(std::wstring(text));
        EXPECT_EQ(form->IN_READ_COMMAND.Text(), text) << ::testing::PrintToString(std::wstring(text));
    }
}

TEST_F(PollingTest, MirrorsTheLinesAndSelectsTheFirstRowInTheSamePoll) {
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"-1");
    WriteOrders({kFirst, kSecond, kThird});
    Poll();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{kFirst, kSecond, kThird}));
    EXPECT_EQ(form->ORDERS_LIST_m.ItemIndex(), 0);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4711 ");
    EXPECT_TRUE(form->Button3.Enabled());
    EXPECT_TRUE(form->Button4.Enabled());
    EXPECT_TRUE(form->Button7.Enabled());
    EXPECT_TRUE(form->N2.Enabled());

    // Without the trailing break the text holds the same three orders.
    form->IN_ORDERS.SetText(kFirst + L"\r\n" + kSecond + L"\r\n" + kThird);
    Poll();
    EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(PollingTest, ClickPublishesTheTicketAtOnce) {
    WriteOrders({kFirst, kSecond, L"no ticket here"});
    Poll();
    form->ORDERS_LIST_m.UserSelect(1);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4712 ");
    form->ORDERS_LIST_m.UserSelect(2);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"");
}

TEST_F(PollingTest, ShrinkingBelowTheSelectedRowSelectsTheFirst) {
    WriteOrders({kFirst, kSecond, kThird});
    Poll();
    form->ORDERS_LIST_m.UserSelect(2);
    ASSERT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4713 ");

    WriteOrders({kFirst, kSecond});
    Poll();
    EXPECT_EQ(form->ORDERS_LIST_m.ItemIndex(), 0);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4711 ") << "at the end of the same poll";
}

TEST_F(PollingTest, SelectionFollowsThePositionNotTheTicket) {
    WriteOrders({kFirst, kSecond, kThird});
    Poll();
    form->ORDERS_LIST_m.UserSelect(1);

    WriteOrders({kSecond, kThird});
    Poll();
    EXPECT_EQ(form->ORDERS_LIST_m.ItemIndex(), 1);
    EXPECT_EQ(form->ORDERS_LIST_m.Item(1), kThird);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4713 ");
}

TEST_F(PollingTest, EmptyOrderTextEmptiesTheListAndDisablesTheActions) {
    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.10"));
    WriteOrders({kFirst, kSecond});
    Poll();
    Poll();
    ASSERT_EQ(form->Edit5.Text(), L"0.10");

    form->IN_ORDERS.SetText(L"");
    Poll();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(form->ORDERS_LIST_m.ItemIndex(), -1);
    EXPECT_EQ(form->Edit5.Text(), L"0");
    EXPECT_FALSE(form->Edit5.Enabled());
    EXPECT_FALSE(form->RzSpinButtons4.Enabled());
    EXPECT_FALSE(form->Button3.Enabled());
    EXPECT_FALSE(form->Button4.Enabled());
    EXPECT_FALSE(form->Button7.Enabled());
    EXPECT_FALSE(form->N2.Enabled());
    EXPECT_EQ(form->LastSelectedIndex, -1);
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4711 ") << "the poll ends before publishing";

    Poll();
    EXPECT_EQ(form->OUT_SELECTED_ORDER.Text(), L"-1");
    EXPECT_EQ(form->Edit5.Text(), L"0");

    // Orders again: the actions come back and the close volume follows the order.
    WriteOrders({kFirst});
    Poll();
    Poll();
    EXPECT_TRUE(form->Button7.Enabled());
    EXPECT_TRUE(form->N2.Enabled());
    EXPECT_TRUE(form->Edit5.Enabled());
    EXPECT_TRUE(form->RzSpinButtons4.Enabled());
    EXPECT_EQ(form->Edit5.Text(), L"0.10");
}

TEST_F(PollingTest, PendingOrderRowDisablesTheCloseVolume) {
    const std::wstring limit = L"4714 (BUY LIMIT 0.30 EURUSD at 1.22000)";
    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.30"));
    WriteOrders({limit, kFirst});
    Poll();
    Poll();
    EXPECT_EQ(form->Edit5.Text(), L"0");
    EXPECT_FALSE(form->Edit5.Enabled());
    EXPECT_FALSE(form->RzSpinButtons4.Enabled());
    Poll();
    EXPECT_EQ(form->Edit5.Text(), L"0") << "and stays so at every poll";

    // A market order selected: usable again at the next poll.
    form->ORDERS_LIST_m.UserSelect(1);
    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.10"));
    Poll();
    EXPECT_TRUE(form->Edit5.Enabled());
    EXPECT_TRUE(form->RzSpinButtons4.Enabled());
    EXPECT_EQ(form->Edit5.Text(), L"0.10");
}

TEST_F(PollingTest, LotFieldIsRaisedToTheLotStep) {
    WriteOrders({kFirst});
    struct Case {
        const wchar_t* before;
        const wchar_t* after;
    };
    // An unreadable field is the user's to fix and is left as typed.
    for (const Case& c : {Case{L"0.05", L"0.10"}, Case{L"1", L"1"}, Case{L"0.10", L"0.10"}, Case{L"", L"0.10"},
                          Case{L"0,05", L"0,05"}}) {
        form->Edit12.SetText(c.before);
        form->IN_ORDER_PROPERTY.SetText(Properties(L"0.10", L"0.10"));
        Poll();
        EXPECT_EQ(form->Edit12.Text(), c.after) << "from " << ::testing::PrintToString(std::wstring(c.before));
        EXPECT_DOUBLE_EQ(form->OrderProperties.LotStep, 0.1);
    }
}

TEST_F(PollingTest, LotStepOfZeroReadsAsTheSmallestLot) {
    form->Edit12.SetText(L"1");
    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.10", L"0"));
    Poll();
    EXPECT_DOUBLE_EQ(form->OrderProperties.LotStep, 0.01);
    EXPECT_EQ(form->Edit12.Text(), L"1");

    form->IN_ORDER_PROPERTY.SetText(L"");
    Poll();
    EXPECT_DOUBLE_EQ(form->OrderProperties.LotStep, 0.01);
}

TEST_F(PollingTest, CloseVolumeFollowsTheSelectedOrderOnceItsPropertiesArrive) {
    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.10"));
    WriteOrders({kFirst, kSecond});
    Poll();
    Poll();
    EXPECT_EQ(form->Edit5.Text(), L"0.10");

    // Settled: the user may lower the volume, but not to 0 and not above the order's lots.
    struct Case {
        const wchar_t* typed;
        const wchar_t* after;
    };
    for (const Case& c : {Case{L"0.05", L"0.05"}, Case{L"0", L"0.10"}, Case{L"0.5", L"0.10"},
                          Case{L"0.10", L"0.10"}, Case{L"", L""}}) {
        form->Edit5.SetText(c.typed);
        Poll();
        EXPECT_EQ(form->Edit5.Text(), c.after) << "typed " << ::testing::PrintToString(std::wstring(c.typed));
    }

    // Another order selected; the terminal side has not answered the new ticket yet.
    form->ORDERS_LIST_m.UserSelect(1);
    ASSERT_EQ(form->OUT_SELECTED_ORDER.Text(), L"4712 ");
    for (int i = 0; i < 3; ++i) {
        form->Edit5.SetText(L"0.05");
        Poll();
        EXPECT_EQ(form->Edit5.Text(), L"0.10") << "reset at every poll until the row shows these lots";
    }

    form->IN_ORDER_PROPERTY.SetText(Properties(L"0.20"));
    Poll();
    EXPECT_EQ(form->Edit5.Text(), L"0.20");
    form->Edit5.SetText(L"0.15");
    Poll();
    EXPECT_EQ(form->Edit5.Text(), L"0.15") << "settled on the new order";
    EXPECT_EQ(form->LastSelectedIndex, 1);
    EXPECT_EQ(form->LastRowCount, 2);
}

TEST_F(PollingTest, RowsAreWrittenOnlyWhenTheirTextChanges) {
    WriteOrders({kFirst, kSecond, kThird});
    Poll();
    const long afterFill = form->ORDERS_LIST_m.RowWrites();
    EXPECT_EQ(afterFill, 3);
    for (int i = 0; i < 5; ++i) Poll();
    EXPECT_EQ(form->ORDERS_LIST_m.RowWrites(), afterFill) << "unchanged lines write no row";

    form->ORDERS_LIST_m.UserSelect(2);
    const std::wstring changed = L"4712 (sell 0.20 EURUSD at 1.23460, profit 5.00)";
    WriteOrders({kFirst, changed, kThird});
    Poll();
    EXPECT_EQ(form->ORDERS_LIST_m.RowWrites(), afterFill + 1);
    EXPECT_EQ(form->ORDERS_LIST_m.Item(1), changed);
    EXPECT_EQ(form->ORDERS_LIST_m.ItemIndex(), 2) << "a replaced row keeps the selection";

    WriteOrders({kFirst});
    Poll();
    EXPECT_EQ(form->ORDERS_LIST_m.RowWrites(), afterFill + 3) << "two rows deleted";
    EXPECT_EQ(Rows(), std::vector<std::wstring>{kFirst});
}

// Stands in for the list's window and records what the poll asks of it.
class RecordingListPeer : public ui::ControlPeer {
public:
    ui::Handle NativeHandle() const override { return 0x4242; }
    void ItemsChanged(ui::ItemChange, int) override { log.push_back(L"row"); }
    void SetRedraw(bool on) override { log.push_back(on ? L"redraw on" : L"redraw off"); }
    std::vector<std::wstring> log;
};

TEST_F(PollingTest, RedrawingIsSuspendedOnlyAroundRowWrites) {
    auto peer = std::make_unique<RecordingListPeer>();
    RecordingListPeer& list = *peer;
    form->ORDERS_LIST_m.AttachPeer(std::move(peer));

    WriteOrders({kFirst, kSecond});
    Poll();
    EXPECT_EQ(list.log, (std::vector<std::wstring>{L"redraw off", L"row", L"row", L"redraw on"}));

    list.log.clear();
    Poll();
    EXPECT_TRUE(list.log.empty()) << "an unchanged list is not touched, so it is not repainted";

    WriteOrders({kFirst});
    Poll();
    EXPECT_EQ(list.log, (std::vector<std::wstring>{L"redraw off", L"row", L"redraw on"}));
}

}  // namespace
