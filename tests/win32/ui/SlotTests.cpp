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

int SendFromTerminal(test::RecordingBackend& backend, HWND form, int id, const std::wstring& text) {
    const std::wstring arguments = L"--send-text " + std::to_wstring(reinterpret_cast<UINT_PTR>(form)) + L" " +
                                   std::to_wstring(id) + L" " + Hex(text);
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

    struct Write {
        int id;
        std::wstring text;
        int singleChangesAfter;
        int multiChangesAfter;
    };
    const Write writes[] = {
        {1002, L"12345;0;EURUSD;1.00\r\n12346;1;EURUSD;0.50\r\n", 0, 1},
        // The same text again is no change.
        {1002, L"12345;0;EURUSD;1.00\r\n12346;1;EURUSD;0.50\r\n", 0, 1},
        {1001, L"READ_OK", 1, 1},
        {1001, L"READ_OK", 1, 1},
        {1001, L"", 2, 1},
        {1002, L"Ордер 1", 2, 2},
    };
    for (const Write& write : writes) {
        const int exitCode = SendFromTerminal(backend, window, write.id, write.text);
        CHECK_EQ(0, exitCode, "the terminal-side helper wrote slot " + std::to_string(write.id));
        ui::Edit& edit = write.id == 1001 ? form.single : form.multi;
        CHECK_EQ(write.text, edit.Text(), "Text() of slot " + std::to_string(write.id));
        CHECK_EQ(write.singleChangesAfter, singleChanges, "OnChange of the one-line slot after " + test::Narrow(write.text));
        CHECK_EQ(write.multiChangesAfter, multiChanges, "OnChange of the multi-line slot after " + test::Narrow(write.text));
    }
    CHECK_EQ(std::size_t{1}, form.multi.Lines().size(), "lines of the last multi-line text");

    // Written from inside: once for a change, not at all for the same text.
    form.single.SetText(L"X");
    form.single.SetText(L"X");
    CHECK_EQ(3, singleChanges, "OnChange for SetText of a new text, then of the same text");
    CHECK_EQ(std::wstring(L"X"), test::WindowText(test::WindowOf(form.single)), "the window holds the text set");
}
