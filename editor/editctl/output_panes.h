// The panes of the editor's output bar, by kind. The edit control's
// callers (the syntax-aware control, the tool runner, the output bar) name
// a pane by these numbers.
#pragma once

const int kPaneNone = 0;
const int kPaneSearchResults = 1;
const int kPaneOutput = 2;
const int kPaneTags = 3;
