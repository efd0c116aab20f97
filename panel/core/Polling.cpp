#include "panel/core/Unit1.h"

#include <string>
#include <vector>

#include "panel/core/Channels.h"
#include "panel/core/Numbers.h"

namespace {

// Writing a text equal to the one a control holds changes nothing anyone can read, but
// with real windows it costs a message and resets the caret of a field the user may be
// typing in; five polls a second make that worth avoiding.
void SetTextIfDifferent(ui::Control& control, const std::wstring& text) {
    if (control.Text() != text) control.SetText(text);
}

// Suspends the list's redrawing from the first row write on and resumes it at the end of
// the scope, also when a write fails.
class ListUpdate {
public:
    explicit ListUpdate(ui::ListBox& list) : list_(list) {}
    ~ListUpdate() {
        if (begun_) list_.EndUpdate();
    }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;
    void Begin() {
        if (begun_) return;
        list_.BeginUpdate();
        begun_ = true;
    }

private:
    ui::ListBox& list_;
    bool begun_ = false;
};

}  // namespace

void TForm1::Timer1Timer() {
    try {
        RefreshSelection();
        SyncCloseVolume();

        if (IN_READ_COMMAND.Text() == kReadOk) {
            OUT_COMMAND.SetText(L"");
            // Read both again: the terminal side writes whenever it likes, and only an
            // acknowledgement still standing beside the emptied command is ours to clear.
            if (OUT_COMMAND.Text().empty() && IN_READ_COMMAND.Text() == kReadOk) IN_READ_COMMAND.SetText(L"");
        }

        const std::vector<std::wstring> lines = IN_ORDERS.Lines();
        if (lines.empty()) {
            ORDERS_LIST_m.Clear();
            Button3.SetEnabled(false);
            Button4.SetEnabled(false);
            Button7.SetEnabled(false);
            SetTextIfDifferent(Edit5, L"0");
            Edit5.SetEnabled(false);
            RzSpinButtons4.SetEnabled(false);
            N2.SetEnabled(false);
            LastSelectedIndex = -1;
            return;
        }

        Button3.SetEnabled(true);
        Button4.SetEnabled(true);
        Button7.SetEnabled(true);
        N2.SetEnabled(true);

        // The pending-order test looks at the row selected before this poll's rewrite.
        if (ORDERS_LIST_m.ItemIndex() >= 0) {
            bool pending = false;
            bool readable = true;
            try {
                pending = IsPendingOrderRow(ORDERS_LIST_m.Item(ORDERS_LIST_m.ItemIndex()));
            } catch (...) {
                readable = false;
            }
            if (readable) {
                if (pending) {
                    Edit5.SetEnabled(false);
                    RzSpinButtons4.SetEnabled(false);
                    SetTextIfDifferent(Edit5, L"0");
                } else {
                    Edit5.SetEnabled(true);
                    RzSpinButtons4.SetEnabled(true);
                }
            }
        }

        // Only rows whose text changed are written, so an unchanged order list costs no
        // window traffic and no repaint: redrawing is suspended only once a row is about to
        // change. Replacing a row keeps the selected index; rows past the new end go from
        // the last one up, which drops a selection that lay among them.
        const int n = static_cast<int>(lines.size());
        {
            ListUpdate update(ORDERS_LIST_m);
            for (int i = 0; i < n; ++i) {
                const std::wstring& line = lines[static_cast<std::size_t>(i)];
                if (i < ORDERS_LIST_m.Count()) {
                    if (ORDERS_LIST_m.Item(i) == line) continue;
                    update.Begin();
                    ORDERS_LIST_m.SetItem(i, line);
                } else {
                    update.Begin();
                    ORDERS_LIST_m.Add(line);
                }
            }
            while (ORDERS_LIST_m.Count() > n) {
                update.Begin();
                ORDERS_LIST_m.Delete(ORDERS_LIST_m.Count() - 1);
            }
        }

        if (ORDERS_LIST_m.Count() > 0 && ORDERS_LIST_m.ItemIndex() < 0) ORDERS_LIST_m.SetItemIndex(0);
        RefreshSelection();
    } catch (...) {
        // The next poll starts afresh from the slots; nothing here is worth a message.
    }
}

void TForm1::RefreshSelection() {
    try {
        const int index = ORDERS_LIST_m.ItemIndex();
        SetTextIfDifferent(OUT_SELECTED_ORDER, index < 0 ? std::wstring(kNoSelection)
                                                         : TicketOfRow(ORDERS_LIST_m.Item(index)));
    } catch (...) {
        // The ticket stays as it was; the properties are still worth reading.
    }

    ParseOrderProperties(IN_ORDER_PROPERTY.Text(), OrderProperties);

    // A lot below the symbol's step cannot be traded: raise the lot field to the step. A
    // field the user left unreadable is theirs to fix and is not overwritten.
    const std::wstring lotText = Edit12.Text();
    const std::optional<double> lot = lotText.empty() ? std::optional<double>(0.0) : ParseNumber(lotText);
    if (lot && OrderProperties.LotStep > *lot) Edit12.SetText(FormatLot(OrderProperties.LotStep));

    if (OrderProperties.LotStep == 0) OrderProperties.LotStep = 0.01;
}

void TForm1::SyncCloseVolume() {
    if (ORDERS_LIST_m.Count() == 0) return;

    const std::wstring lots = FormatLot(OrderProperties.OrderLots);
    // An entry that is not a number (the user is half-way through typing one) is left alone.
    if (const std::optional<double> volume = ParseNumber(Edit5.Text())) {
        if ((*volume == 0 && OrderProperties.OrderLots != 0) || *volume >= OrderProperties.OrderLots)
            SetTextIfDifferent(Edit5, lots);
    }

    const int index = ORDERS_LIST_m.ItemIndex();
    const int count = ORDERS_LIST_m.Count();
    if (index != LastSelectedIndex || count != LastRowCount) {
        SetTextIfDifferent(Edit5, lots);
        // Settled only once the properties describe the newly selected order, which the
        // terminal side writes after reading the new ticket: its row then shows these lots.
        if (index >= 0 && index < count && ORDERS_LIST_m.Item(index).find(Edit5.Text()) != std::wstring::npos) {
            LastSelectedIndex = index;
            LastRowCount = count;
        }
    }
}

void TForm1::ORDERS_LIST_mClick(ui::Control&) {
    try {
        RefreshSelection();
    } catch (...) {
        // A click never fails loudly; the next poll refreshes the selection anyway.
    }
}
