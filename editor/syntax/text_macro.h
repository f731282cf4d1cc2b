// Placeholders of text macros: date, time, weekday, file, path, user and
// project names put into a stored piece of text before it is inserted.
#pragma once

#include <ctime>
#include <string>

// What the placeholders are replaced with.
struct TextMacroContext {
    std::tm now = {};          // local time
    std::string title;         // the document's title, perhaps with " *"
    std::string path;          // the document's path name
    bool haveUser = false;     // false: the user name could not be read
    std::string user;
    std::string workspace;     // the open workspace file, empty when none
};

// "%2.2d:%2.2d" of hour and minute.
std::string InsertTimeText(const std::tm& now);
// Flag 1 "dd.mm.yy", flag 2 "mm/dd/yy" (years since 1900, less 100 from 2000
// on); the text's length is returned, 0 for any other flag (text unchanged).
int InsertDateText(std::string& out, const std::tm& now, int flags);
// The two-letter weekday, flag 1 German, flag 2 English; any other flag
// leaves the text unchanged.
void InsertWeekdayText(std::string& out, const std::tm& now, int flags);

// Replaces the placeholders pass by pass: "$dd", "$wd", "$we", "$de",
// "$FILE", "$PATH", "$USER", "$PRJ", "$t". The long ones keep the column of
// the text behind them when enough blanks follow them.
void ExpandTextMacro(std::string& text, const TextMacroContext& context);
