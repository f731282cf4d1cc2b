// Pass-by-pass replacement of the placeholders.
#include "editor/syntax/text_macro.h"

#include <cstdio>

std::string InsertTimeText(const std::tm& now)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2.2d:%2.2d", now.tm_hour, now.tm_min);
    return buf;
}

int InsertDateText(std::string& out, const std::tm& now, int flags)
{
    const int year = now.tm_year >= 100 ? now.tm_year - 100 : now.tm_year;
    char buf[32];
    if (flags == 1)
        std::snprintf(buf, sizeof buf, "%2.2d.%2.2d.%2.2d", now.tm_mday, now.tm_mon + 1, year);
    else if (flags == 2)
        std::snprintf(buf, sizeof buf, "%2.2d/%2.2d/%2.2d", now.tm_mon + 1, now.tm_mday, year);
    else
        return 0;
    out = buf;
    return static_cast<int>(out.size());
}

void InsertWeekdayText(std::string& out, const std::tm& now, int flags)
{
    static const char* const kGerman[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    static const char* const kEnglish[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    const int day = now.tm_wday;
    if (day < 0 || day > 6)
        return;
    if (flags == 1)
        out = kGerman[day];
    else if (flags == 2)
        out = kEnglish[day];
}

// Every occurrence of the placeholder, left to right; a value is never
// searched again in the same pass. With keepColumn, blanks behind the
// placeholder absorb the difference in length, so that the text after them
// stays in its column.
static void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value, bool keepColumn)
{
    size_t pos = 0;
    while ((pos = text.find(placeholder, pos)) != std::string::npos) {
        const size_t end = pos + placeholder.size();
        size_t replaced = placeholder.size();
        std::string put = value;
        if (keepColumn) {
            size_t blanks = 0;
            while (end + blanks < text.size() && text[end + blanks] == ' ')
                ++blanks;
            if (value.size() < placeholder.size())
                put.append(placeholder.size() - value.size(), ' ');
            else if (blanks >= value.size())
                replaced = value.size();
        }
        text.replace(pos, replaced, put);
        pos += put.size();
    }
}

void ExpandTextMacro(std::string& text, const TextMacroContext& c)
{
    std::string v;
    InsertDateText(v, c.now, 1);
    ReplaceAll(text, "$dd", v, false);
    v.clear();
    InsertWeekdayText(v, c.now, 1);
    ReplaceAll(text, "$wd", v + " ", false);
    v.clear();
    InsertWeekdayText(v, c.now, 2);
    ReplaceAll(text, "$we", v + " ", false);
    InsertDateText(v, c.now, 2);
    ReplaceAll(text, "$de", v, false);

    std::string file = c.title;
    const size_t star = file.rfind('*');
    if (star != std::string::npos)
        file.erase(star > 0 ? star - 1 : 0);
    const size_t slash = file.find_last_of("\\/");
    if (slash != std::string::npos)
        file.erase(0, slash + 1);
    ReplaceAll(text, "$FILE", file, true);

    std::string path = c.path;
    const size_t pstar = path.rfind('*');
    if (pstar != std::string::npos)
        path.erase(pstar > 1 ? pstar - 2 : 0);
    if (path.empty())
        path = "     ";
    ReplaceAll(text, "$PATH", path, true);

    if (c.haveUser) {
        std::string user = c.user;
        if (user.size() < 6)
            user.append(6 - user.size(), ' ');
        ReplaceAll(text, "$USER", user, true);
    }

    std::string project = "    ";
    if (!c.workspace.empty()) {
        project = c.workspace;
        const size_t ps = project.find_last_of("\\/");
        if (ps != std::string::npos)
            project.erase(0, ps + 1);
        const size_t dot = project.find('.');
        if (dot != std::string::npos)
            project.erase(dot);
    }
    ReplaceAll(text, "$PRJ", project, true);
    ReplaceAll(text, "$t", InsertTimeText(c.now), false);
}
