#include "winui/msgbox.h"

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
