// One undo step for a command that changes the text in many places. The
// text before the command is kept; the command runs with recording off;
// when the step ends, the stretch between the common start and the common
// end of the text before and after is recorded as two records of one step
// (the text taken out, the text put in). One Undo then brings back the text
// before exactly, however many edits the command made: a record per edit
// would overrun the document's undo pool, which keeps only its newest part.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/editctl/edit_core.h"

class CUndoList;

class CSingleUndoStep {
public:
    explicit CSingleUndoStep(CColorEditCore& core);
    ~CSingleUndoStep();
    CSingleUndoStep(const CSingleUndoStep&) = delete;
    CSingleUndoStep& operator=(const CSingleUndoStep&) = delete;

    // Records the step and turns recording back on; later calls do nothing.
    void End();

private:
    CColorEditCore& core_;
    CUndoList* undo_ = nullptr;
    bool ended_ = false;
    std::vector<uint8_t> text_, attr_;
};
