#include "winui/msgbox.h"

#include "common/report_error.h"

#include <gtest/gtest.h>

TEST(MsgBoxHook, ScriptedAnswersAreGivenInOrderAndCallsRecorded)
{
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDYES);
    boxes.Answer(IDCANCEL);
    EXPECT_EQ(winui::ShowMessageBox(nullptr, "Save changes?", "Ovanta", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(winui::ShowMessageBox(nullptr, "Really?", "Ovanta", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(winui::ShowMessageBox(nullptr, "Done", "Ovanta", MB_OK), IDOK);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].text, "Save changes?");
    EXPECT_EQ(boxes.Calls()[0].caption, "Ovanta");
    EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(boxes.Calls()[2].text, "Done");
}

TEST(MsgBoxHook, HookIsRemovedWithTheScript)
{
    int seen = 0;
    {
        winui::ScriptedMessageBoxes boxes;
    }
    winui::SetMessageBoxHook([&](const winui::MessageBoxCall&) {
        ++seen;
        return IDNO;
    });
    EXPECT_EQ(winui::ShowMessageBox(nullptr, "q", "c", MB_YESNO), IDNO);
    winui::SetMessageBoxHook(nullptr);
    EXPECT_EQ(seen, 1);
}

TEST(MsgBoxHook, ScriptedBoxesAlsoAnswerTheReporter)
{
    {
        winui::ScriptedMessageBoxes boxes;
        boxes.Answer(IDOK);
        EXPECT_EQ(report_error(2, "port %s busy", "COM2"), IDOK);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "port COM2 busy");
        EXPECT_EQ(boxes.Calls()[0].caption, "Error (Code 2)");
        EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    }
    // Without a script the reporter's hook is gone as well: a hook of the
    // reporter's own set now is the one that answers.
    static int seen;
    seen = 0;
    report_error_set_box_hook([](void*, const char*, const char*, unsigned) {
        ++seen;
        return IDCANCEL;
    });
    EXPECT_EQ(report_error(0, "x"), IDCANCEL);
    report_error_set_box_hook(nullptr);
    EXPECT_EQ(seen, 1);
}
