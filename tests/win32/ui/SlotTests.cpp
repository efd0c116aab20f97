// The channel slots as the terminal side sees them: edit windows found by control id
// under the form, written with WM_SETTEXT from another process.
#include <cstdio>

#include "tests/win32/ui/TestForm.h"

namespace {

std::wstring Hex(const std::wstring& text) {
    std::wstring hex;
    wchar_t unit[8];
    for (wchar_t c : text) {
        std::swprintf(unit, 8, L"%04X", static_cast<unsigned>(c));
        hex += unit;
    }
    return hex;
}

struct Write {
    int id;
    std::wstring text;
};

// Writes the texts in order, as the terminal side would, from one other process.
int SendFromTerminal(test::RecordingBackend& backend, HWND form, const std::vector<Write>& writes) {
    std::wstring arguments = L"--send-text " + std::to_wstring(reinterpret_cast<UINT_PTR>(form));
    // An empty text still needs an argument of its own.
    for (const Write& write : writes) arguments += L" " + std::to_wstring(write.id) + L" x" + Hex(write.text);
    return test::RunHelperProcess(backend, arguments);
}

}  // namespace

UI_TEST(slots_are_edit_windows) {
    test::RecordingBackend backend;
    test::TestForm form;
    backend.Realize(form);
    HWND window = test::WindowOf(form);
    CHECK(window != nullptr, "the form has a window");

    struct Slot {
        ui::Edit* edit;
        int id;
        bool multiLine;
    };
    for (const Slot& slot : {Slot{&form.single, 1001, false}, Slot{&form.multi, 1002, true}}) {
        HWND found = GetDlgItem(window, slot.id);
        CHECK_EQ(test::WindowOf(*slot.edit), found, "GetDlgItem finds the slot by its id");
        CHECK(_wcsicmp(test::ClassName(found).c_str(), L"Edit") == 0, "the slot is an edit window");
        const LONG_PTR style = GetWindowLongPtrW(found, GWL_STYLE);
        CHECK_EQ(slot.multiLine, (style & ES_MULTILINE) != 0, "multi-line style of slot " + std::to_string(slot.id));
        if (slot.multiLine) {
            CHECK((style & ES_WANTRETURN) && (style & WS_VSCROLL) && (style & ES_AUTOVSCROLL),
                  "a multi-line slot takes returns and scrolls");
        }
        CHECK_EQ(window, GetParent(found), "the slot is a direct child of the form");

        slot.edit->SetText(L"OPEN_POS;0;1;0;0;0;");
        CHECK_EQ(std::wstring(L"OPEN_POS;0;1;0;0;0;"), test::WindowText(found), "the control's text reaches the window");
    }
    // The slots' order among the form's children is also their tab order.
    CHECK_EQ(test::WindowOf(form.multi), GetWindow(test::WindowOf(form.single), GW_HWNDNEXT),
             "the slots stand in child order");
    CHECK_EQ(test::WindowOf(form.multi), GetNextDlgTabItem(window, test::WindowOf(form.single), FALSE),
             "Tab goes from the first slot to the second");
}

UI_TEST(slot_written_from_another_process) {
    test::RecordingBackend backend;
    test::TestForm form;
    int singleChanges = 0;
    int multiChanges = 0;
    form.single.OnChange = [&](ui::Control&) { ++singleChanges; };
    form.multi.OnChange = [&](ui::Control&) { ++multiChanges; };
    backend.Realize(form);
    HWND window = test::WindowOf(form);

    // Every text twice: the second write of the same text is no change. One helper for
    // all, since a process of its own starts slowly under Wine.
    const std::wstring orders = L"12345;0;EURUSD;1.00\r\n12346;1;EURUSD;0.50\r\n";
    const int exitCode = SendFromTerminal(backend, window,
                                          {{1002, L"Ордер 1"}, {1002, L"Ордер 1"}, {1001, L"READ_OK"},
                                           {1001, L"READ_OK"}, {1001, L""}, {1001, L""}, {1002, orders},
                                           {1002, orders}});
    CHECK_EQ(0, exitCode, "the terminal-side helper wrote the slots");
    CHECK_EQ(std::wstring(L""), form.single.Text(), "Text() of the one-line slot");
    CHECK_EQ(orders, form.multi.Text(), "Text() of the multi-line slot, the order lines as written");
    CHECK_EQ(std::size_t{2}, form.multi.Lines().size(), "two order lines");
    CHECK_EQ(2, singleChanges, "OnChange of the one-line slot: READ_OK, then empty");
    CHECK_EQ(2, multiChanges, "OnChange of the multi-line slot: Ордер 1, then the order lines");

    // Written from inside: once for a change, not at all for the same text.
    form.single.SetText(L"X");
    form.single.SetText(L"X");
    CHECK_EQ(3, singleChanges, "OnChange for SetText of a new text, then of the same text");
    CHECK_EQ(std::wstring(L"X"), test::WindowText(test::WindowOf(form.single)), "the window holds the text set");
}
