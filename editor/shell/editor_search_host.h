// The editor control's "Search" command as the frame carries it out: the
// find dialog takes the word, then the options go to the frame as a find
// request.
#pragma once

#include <string>

class IEditorSearchHost {
public:
    // The direction bits of the dialog's options (0 without a dialog).
    virtual int PrepareEditorSearch(const std::string& word) = 0;
    virtual void PostEditorSearch() = 0;

protected:
    ~IEditorSearchHost() = default;
};
