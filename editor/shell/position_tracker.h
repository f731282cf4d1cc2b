// The editors' places as the position history keeps them: a place to
// record once the caret settles, an editor that became active, and the
// jump to a symbol's definition.
#pragma once

#include <windows.h>

class CNColorEditCtrl;
struct CSymbolHit;

class IPositionTracker {
public:
    virtual void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset) = 0;
    virtual void EditorActivated(CNColorEditCtrl& editor) = 0;
    virtual LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol) = 0;

protected:
    ~IPositionTracker() = default;
};
