// The "$" text macros of "macro.txt" as documents and the editor control
// use them: the list, reading it again, rewriting the macros' values in a
// text, and what a save does with them.
#pragma once

#include "editor/shell/text_macros.h"

#include <string>
#include <vector>

class CNColorEditCtrl;

class ITextMacroHost {
public:
    virtual const std::vector<TextMacro>& TextMacros() const = 0;
    virtual void LoadTextMacros() = 0;
    virtual void ActualizeMacros(CNColorEditCtrl& editor) = 0;
    // Before a document is saved; true when "macro.txt" is to be read
    // again after the save.
    virtual bool MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor) = 0;

protected:
    ~ITextMacroHost() = default;
};
