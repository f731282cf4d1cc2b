// A core attached to document-like storage (modified flag, 400 undo records)
// with a host that records what the window would have been told.
#pragma once

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "edit_core.h"

// Readable notation of the text model: '>' tab byte, '.' fill byte,
// '~' soft break, '/' CR. Other characters stand for themselves.
std::string Raw(const std::string& notation);
std::string Show(const uint8_t* bytes, int length);

class RecordingHost : public CNeutralColorEditHost {
public:
    void ModifiedChanged(int flag) override { modified.push_back(flag); }
    void LineCountChanged(int diff, int caretLine) override { lineDiffs.push_back(diff); }
    void Recolour(int value) override { recolours.push_back(value); }
    void ReportOutOfMemory() override { ++outOfMemory; }
    int AskYesNo(const char* text, const char* caption) override
    {
        questions.push_back(text);
        captions.push_back(caption);
        if (answers.empty())
            return kAnswerNo;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    int SaveLineWrapSetting() override { return saveLineWrap; }
    void ReportFileRefused(const char* text, const char* path) override
    {
        refusals.push_back(std::string(path) + ": " + text);
    }
    void LoadProgress(int64_t bytesRead, int64_t total, int lines) override
    {
        progress.push_back({bytesRead, total, lines});
    }

    std::vector<int> modified;
    std::vector<int> lineDiffs;
    std::vector<int> recolours;
    int outOfMemory = 0;
    std::vector<std::string> questions;
    std::vector<std::string> captions;
    std::deque<int> answers;
    int saveLineWrap = 0;
    std::vector<std::string> refusals;
    struct Progress {
        int64_t bytesRead, total;
        int lines;
    };
    std::vector<Progress> progress;
};

class EditTest : public ::testing::Test {
protected:
    EditTest()
    {
        state.hasModified = true;
        state.undo = &undo;
        core.AttachState(&state);
        core.SetHost(&host);
    }

    // Puts a text (notation) with the caret, and optionally a selection end.
    void Put(const std::string& notation, int caret = -1, int selEnd = -1)
    {
        std::string raw = Raw(notation);
        ASSERT_EQ(core.SetText(raw.c_str()), 1);
        state.selStart = caret < 0 ? state.length : caret;
        state.selEnd = selEnd < 0 ? state.selStart : selEnd;
        state.modified = 0;
        core.EmptyUndoBuffer();
        host = RecordingHost();
    }

    std::string Text() const { return Show(state.Text(), state.length); }
    std::string Attrs() const;
    // Checks the invariants of the text model: zero after the text in both
    // buffers up to the capacity, and the line count.
    void ExpectModelIntact() const;

    CUndoList undo;
    CTextState state;
    RecordingHost host;
    CColorEditCore core;
};

// A scratch folder for file tests, emptied per test.
std::string TempDir();
