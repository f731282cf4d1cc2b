// The text services other windows call on the control, with the arguments
// and results they rely on: replacing and appending text, lines by index
// and by offset, the selected text, loading a file.
#include "test_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

TEST(EditServices, SetTextReplaceSelAndAppend)
{
    CTestHost host;
    EXPECT_EQ(host.edit.SetText("one\rtwo"), 1);
    EXPECT_EQ(host.Text(), "one\rtwo");
    EXPECT_EQ(host.SelStart(), 7) << "the caret goes to the end";
    host.edit.SetSel(4, 7, TRUE, TRUE);
    host.edit.ReplaceSel("2", true);
    EXPECT_EQ(host.Text(), "one\r2");
    EXPECT_EQ(host.SelStart(), 5);
    host.edit.AppendLineString("three", 0);
    EXPECT_EQ(host.Text(), "one\r2\rthree");
    host.edit.SetText(nullptr);
    EXPECT_EQ(host.Text(), "");
    host.edit.AppendLineString("first", 0);
    EXPECT_EQ(host.Text(), "first");
    EXPECT_GE(host.Count(EDN_CARETMOVED), 1);
}

TEST(EditServices, LinesByIndexAndOffset)
{
    CTestHost host;
    host.edit.SetText("alpha\rbe\rgamma");
    char buffer[8];
    EXPECT_EQ(host.edit.GetLineOffset(1), 6);
    EXPECT_EQ(host.edit.GetLineOffset(3), -1);
    EXPECT_EQ(host.edit.GetLineLength(7), 2);
    EXPECT_EQ(host.edit.GetLineEnd(6), 8);
    EXPECT_EQ(host.edit.GetLineStart(12), 9);
    EXPECT_EQ(host.edit.LineFromOffset(12), 2);
    host.edit.GetLineAtOffset(10, buffer, 4);
    EXPECT_STREQ(buffer, "gam") << "at most size - 1 characters";
    EXPECT_GE(host.edit.GetLine(1, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "be");
    EXPECT_EQ(host.edit.GetLine(5, buffer, sizeof buffer), -1);
    host.edit.SetSel(3, 8, TRUE, TRUE);
    std::string selected;
    host.edit.GetSelText(selected);
    EXPECT_EQ(selected, "ha\r\nbe");
}

TEST(EditServices, LoadFileReplacesTheText)
{
    CTestHost host;
    host.edit.SetText("old");
    const std::string path = (std::filesystem::temp_directory_path() / "coloredit_services.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "x\r\ny\r\n";
    }
    EXPECT_EQ(host.edit.LoadFile(path.c_str()), 1);
    EXPECT_EQ(host.Text().substr(0, 3), "x\ry");
    EXPECT_EQ(host.SelStart(), 0);
    EXPECT_EQ(host.edit.LoadFile((path + ".missing").c_str()), 0);
    EXPECT_EQ(host.Text().substr(0, 3), "x\ry") << "a file that cannot be read leaves the text";
    std::remove(path.c_str());
}

TEST(EditServices, FindAndSaveThroughTheWindow)
{
    CTestHost host;
    host.edit.SetText("Alpha beta\ralphabet alpha");
    struct Case {
        const char* text;
        int flags, from, to, hit;
    };
    const Case cases[] = {
        {"alpha", kFindForward, 0, -1, 0},                           // case ignored
        {"alpha", kFindForward | kFindMatchCase, 0, -1, 11},
        {"alpha", kFindForward | kFindMatchCase | kFindWholeWord, 0, -1, 20},
        {"a\\ral", kFindForward, 0, -1, 9},                          // escape of CR
        {"alpha", kFindForward, 1, -1, 11},
        {"beta", kFindForward, 0, 5, -1},
        {"", kFindForward, 0, -1, -1},
        {"alpha", 0, 25, -1, 20},                                    // backward
    };
    for (const Case& c : cases)
        EXPECT_EQ(host.edit.FindText(c.text, c.flags, c.from, c.to, false), c.hit) << c.text << " " << c.flags;
    EXPECT_EQ(host.edit.FindText("beta", kFindForward | kFindNoFocus, 0, -1, true), 6);
    EXPECT_EQ(host.SelStart(), 6);
    EXPECT_EQ(host.SelEnd(), 10);

    const std::string path = (std::filesystem::temp_directory_path() / "coloredit_save.txt").string();
    host.edit.SetModify(1);
    EXPECT_EQ(host.edit.SaveFile(path.c_str(), false, false, false), 1);
    EXPECT_EQ(host.edit.GetModify(), 0);
    std::ifstream in(path, std::ios::binary);
    std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, "Alpha beta\r\nalphabet alpha");
    in.close();
    EXPECT_EQ(host.edit.SaveFile(path.c_str(), false, false, true), 1);
    std::ifstream again(path, std::ios::binary);
    saved.assign((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, "Alpha beta\nalphabet alpha");
    again.close();
    std::remove(path.c_str());
}

TEST(EditServices, SetSelWithMinusOneAndTheOutputPanesStyle)
{
    CTestHost host(0x543010C4);
    ASSERT_NE(host.edit.m_hWnd, nullptr) << "the output panes' style is accepted";
    host.edit.SetText("one two");
    host.edit.SetSel(4, 4, true, true);
    host.edit.SetSel(-1, 2, true, true);
    EXPECT_EQ(host.SelStart(), 4) << "-1 keeps the caret";
    EXPECT_EQ(host.SelEnd(), 4);
    host.edit.SetSel(2, -1, true, true);
    EXPECT_EQ(host.SelEnd(), 7);
    host.edit.SetSel(20, 30, true, true);
    EXPECT_EQ(host.SelStart(), 7) << "clamped to the text";
    const uint8_t* text = host.edit.GetTextBuffer();
    EXPECT_EQ(ReverseMemChr(text + 6, 't', 4), text + 4);
    EXPECT_EQ(ReverseMemChr(text + 6, 'n', 6), nullptr) << "the lowest byte examined never counts";
}
