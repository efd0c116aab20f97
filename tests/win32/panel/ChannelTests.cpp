// The channel slots worked from outside as the terminal side works them: the acknowledgement
// cycle of OUT_COMMAND and the selected ticket in OUT_SELECTED_ORDER.
#include "tests/win32/panel/AttachedPanel.h"
#include "tests/win32/panel/PanelCases.h"

namespace wine_test {

void AcknowledgementCase() {
    AttachedPanel attached;
    const PanelProcess& panel = attached.panel;
    const std::wstring command = L"OPEN_POS;0;0.10;0;0;0;";
    REQUIRE(panel.WriteSlot(slot::OUT_COMMAND, command), "OUT_COMMAND takes a command");
    REQUIRE(panel.WriteSlot(slot::IN_READ_COMMAND, L"READ_OK"), "IN_READ_COMMAND takes \"READ_OK\"");

    // IN_READ_COMMAND is read before OUT_COMMAND: once the panel has emptied it, OUT_COMMAND
    // must already be empty, so a non-empty OUT_COMMAND after an empty IN_READ_COMMAND means
    // the panel emptied them the wrong way round.
    std::wstring commandLeft;
    std::wstring in;
    std::wstring out;
    const bool emptied = WaitFor([&] {
        in = panel.ReadSlot(slot::IN_READ_COMMAND);
        out = panel.ReadSlot(slot::OUT_COMMAND);
        if (in.empty() && !out.empty()) commandLeft = out;
        return in.empty() && out.empty();
    });
    EXPECT(emptied, "both slots are emptied after \"READ_OK\"; IN_READ_COMMAND " + Show(in) + ", OUT_COMMAND " +
                        Show(out));
    EXPECT_EQ(std::wstring(), commandLeft, "OUT_COMMAND seen after IN_READ_COMMAND was emptied");

    // Only the exact text acknowledges. Each row is followed by a new order line: once its
    // ticket shows in OUT_SELECTED_ORDER, a poll has run after the row's texts were written.
    int ticket = 5001;
    for (const wchar_t* text : {L"read_ok", L"READ_OK ", L" READ_OK", L"WAIT"}) {
        const std::string what = "IN_READ_COMMAND " + Show(std::wstring(text));
        const std::wstring pending = L"CLOSE_ALL;;;;";
        const std::wstring ticketText = std::to_wstring(ticket++);
        REQUIRE(panel.WriteSlot(slot::OUT_COMMAND, pending), "OUT_COMMAND takes a command");
        REQUIRE(panel.WriteSlot(slot::IN_READ_COMMAND, text), "IN_READ_COMMAND takes a text");
        REQUIRE(panel.WriteSlot(slot::IN_ORDERS, ticketText + L" (buy 0.10 EURUSD at 1.23450)"), "IN_ORDERS");
        if (!WaitFor([&] { return panel.ReadSlot(slot::OUT_SELECTED_ORDER) == ticketText + L" "; })) {
            EXPECT_EQ(ticketText + L" ", panel.ReadSlot(slot::OUT_SELECTED_ORDER), what + ": the poll runs");
            continue;
        }
        EXPECT_EQ(pending, panel.ReadSlot(slot::OUT_COMMAND), what + ": OUT_COMMAND after a poll");
        EXPECT_EQ(std::wstring(text), panel.ReadSlot(slot::IN_READ_COMMAND), what + ": IN_READ_COMMAND after a poll");
    }
}

void SelectedTicketCase() {
    AttachedPanel attached;
    const PanelProcess& panel = attached.panel;
    HWND list = FindDescendantByClass(attached.window, L"ListBox");
    EXPECT(list, "the order list is a list box");

    // One step after the other: the selection stays on row 0 throughout.
    struct Step {
        const char* what;
        const wchar_t* orders;
        std::vector<std::wstring> rows;
        const wchar_t* selected;
    };
    const Step steps[] = {
        {"two orders", L"4711 (buy 0.10 EURUSD at 1.23450)\r\n4712 (sell 0.20 EURUSD at 1.23480)",
         {L"4711 (buy 0.10 EURUSD at 1.23450)", L"4712 (sell 0.20 EURUSD at 1.23480)"}, L"4711 "},
        {"the first order gone, a pending order added, a trailing line break",
         L"4712 (sell 0.20 EURUSD at 1.23480)\r\n4713 (BUY LIMIT 1.00 EURUSD at 1.22000)\r\n",
         {L"4712 (sell 0.20 EURUSD at 1.23480)", L"4713 (BUY LIMIT 1.00 EURUSD at 1.22000)"}, L"4712 "},
        {"a row without \" (\"", L"4714 buy 0.10", {L"4714 buy 0.10"}, L""},
        {"no orders", L"", {}, L"-1"},
    };
    for (const Step& step : steps) {
        Log(step.what);
        REQUIRE(panel.WriteSlot(slot::IN_ORDERS, step.orders), "IN_ORDERS takes the order lines");
        if (!WaitFor([&] { return panel.ReadSlot(slot::OUT_SELECTED_ORDER) == step.selected; }))
            EXPECT_EQ(std::wstring(step.selected), panel.ReadSlot(slot::OUT_SELECTED_ORDER),
                      std::string(step.what) + ": OUT_SELECTED_ORDER");
        if (!list) continue;
        if (!WaitFor([&] { return ListBoxRows(list) == step.rows; }))
            EXPECT_EQ(step.rows, ListBoxRows(list), std::string(step.what) + ": rows of the order list");
        EXPECT_EQ(step.rows.empty() ? LB_ERR : 0, static_cast<int>(SendTo(list, LB_GETCURSEL, 0, 0)),
                  std::string(step.what) + ": the selected row");
    }
}

}  // namespace wine_test
