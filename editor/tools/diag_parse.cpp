#include "editor/tools/diag_parse.h"

#include <cctype>
#include <climits>

namespace diag {

namespace {

using sv = std::string_view;
const size_t npos = sv::npos;

struct NamedFormat {
    const char* name;
    Format format;
};

// The order in which the names are compared.
const NamedFormat kFormats[] = {
    {"Default", Format::kDefault},       {"Keil C", Format::kKeilC},
    {"Microtec PPC", Format::kMicrotecPPC}, {"EMACS", Format::kEmacs},
    {"HPC", Format::kHPC},               {"MS C/C++", Format::kMSC},
    {"GNU166", Format::kGNU166},         {"ViewLogic", Format::kViewLogic},
    {"Borland", Format::kBorland},       {"Motorola DSP", Format::kMotorolaDSP},
    {"LCCWin32", Format::kLCCWin32},     {"CADUL", Format::kCADUL},
    {"TASKING", Format::kTasking},       {"PC-Lint", Format::kPCLint},
    {"Mitsubishi", Format::kMitsubishi},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// A blank as the pane shows it: blank, tab, or the fill byte behind a tab.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\x01'; }
bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

size_t SkipBlanks(sv line, size_t pos)
{
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    return pos;
}

size_t SkipSpaces(sv line, size_t pos)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    return pos;
}

std::string Upper(sv text)
{
    std::string s(text);
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The first run of digits at or after pos; 0 when there is none.
int FirstDigitRun(sv line, size_t pos, size_t* end = nullptr)
{
    while (pos < line.size() && !IsDigit(line[pos]))
        ++pos;
    if (end) {
        size_t e = pos;
        while (e < line.size() && IsDigit(line[e]))
            ++e;
        *end = e;
    }
    return pos < line.size() ? ReadNumber(line.substr(pos)) : 0;
}

// The part after the last backslash (the whole name without one).
std::string AfterLastBackslash(sv name)
{
    size_t slash = name.rfind('\\');
    return std::string(slash == npos ? name : name.substr(slash + 1));
}

Target Jump(std::string file, int line, Lookup lookup = Lookup::kByName)
{
    Target t;
    t.action = Action::kJump;
    t.lookup = lookup;
    t.file = std::move(file);
    t.line = line;
    return t;
}

Target Focus()
{
    Target t;
    t.action = Action::kFocusPane;
    return t;
}

Target Nothing() { return Target{}; }

// A jump, or the pane's focus when the line number is 0.
Target JumpOrFocus(std::string file, int line, Lookup lookup = Lookup::kByName)
{
    return line == 0 ? Focus() : Jump(std::move(file), line, lookup);
}

// "Default": the file is the second word of the pane's first line (the
// command line the runner wrote), the line number follows "LINE".
Target ParseDefault(sv pane, sv line)
{
    sv first = LineAt(pane, 0);
    size_t blank = first.find(' ');
    if (blank == npos)
        return Nothing();
    size_t end = first.find(' ', blank + 1);
    std::string file(first.substr(blank + 1, end == npos ? npos : end - blank - 1));
    std::string upper = Upper(line);
    size_t at = upper.find("LINE");
    int number = at == npos ? 0 : FirstDigitRun(upper, at + 4);
    return JumpOrFocus(file, number, Lookup::kByNameNoOpen);
}

Target ParseKeilC(sv line)
{
    size_t of = line.find("OF ");
    if (of == npos)
        return Nothing();
    size_t start = of + 3, end = start;
    while (end < line.size() && line[end] != ' ' &&
           !(line[end] == ':' && !(end + 1 < line.size() && line[end + 1] == '\\')))
        ++end;
    std::string file(line.substr(start, end - start));
    if (!file.empty() && file[0] == '.')
        file = AfterLastBackslash(file);
    size_t at = line.find("LINE ");
    if (at == npos)
        at = line.find("line ");
    int number = at == npos ? 0 : FirstDigitRun(line, at + 5);
    if (file.empty())
        return Nothing();
    return JumpOrFocus(file, number);
}

Target ParseMicrotec(sv line)
{
    size_t open = line.find('"');
    size_t close = open == npos ? npos : line.find('"', open + 1);
    if (close == npos)
        return Nothing();
    std::string file(line.substr(open + 1, close - open - 1));
    if (!file.empty() && file[0] == '.')
        file = AfterLastBackslash(file);
    return JumpOrFocus(file, FirstDigitRun(line, close + 1));
}

Target ParseEmacs(sv line)
{
    size_t colon = line.find(':');
    if (colon == 1)
        colon = line.find(':', 2);
    size_t next = colon == npos ? npos : line.find(':', colon + 1);
    if (next == npos)
        return Nothing();
    return Jump(std::string(line.substr(0, colon)),
                ReadNumber(line.substr(colon + 1, next - colon - 1)));
}

Target ParseHPC(sv line)
{
    size_t open = line.find('"');
    size_t close = open == npos ? npos : line.find('"', open + 1);
    if (close == npos)
        return Nothing();
    size_t word = line.find("line", close + 1);
    if (word == npos)
        word = line.find("LINE", close + 1);
    // The number starts 5 characters after the word; a line that ends
    // before that holds none.
    if (word == npos || word + 5 > line.size())
        return Nothing();
    size_t colon = line.find(':', word + 5);
    if (colon == npos)
        return Nothing();
    return Jump(std::string(line.substr(open + 1, close - open - 1)),
                ReadNumber(line.substr(word + 5, colon - word - 5)));
}

Target ParseMSC(sv line)
{
    size_t open = line.find('(');
    size_t close = open == npos ? npos : line.find(')', open + 1);
    if (close == npos)
        return Nothing();
    return Jump(std::string(line.substr(0, open)),
                ReadNumber(line.substr(open + 1, close - open - 1)));
}

Target ParseGNU166(sv line)
{
    size_t colon = line.find(':');
    if (colon == npos)
        return Nothing();
    if (colon + 1 < line.size() && (line[colon + 1] == '\\' || line[colon + 1] == '/'))
        colon = line.find(':', colon + 1);
    size_t next = colon == npos ? npos : line.find(':', colon + 1);
    if (next == npos || next - colon - 1 > 7)
        return Nothing();
    return Jump(std::string(line.substr(0, colon)),
                ReadNumber(line.substr(colon + 1, next - colon - 1)));
}

Target ParseViewLogic(sv line)
{
    std::string upper = Upper(line);
    size_t at = upper.find("LINE");
    if (at == npos)
        return Nothing();
    int number = at + 5 <= upper.size() ? FirstDigitRun(upper, at + 5) : 0;
    return JumpOrFocus("", number, Lookup::kActive);
}

// Reads backwards from the mark: blanks, the line number's digits, blanks,
// then the file name's letters, digits, "_" and ".". A mark without digits
// before it names no line: nothing happens (the word before it is no file).
Target ReadBackwards(sv line, size_t mark)
{
    size_t pos = mark;
    while (pos > 0 && line[pos - 1] == ' ')
        --pos;
    size_t digitsEnd = pos;
    while (pos > 0 && IsDigit(line[pos - 1]))
        --pos;
    if (pos == digitsEnd)
        return Nothing();
    int number = ReadNumber(line.substr(pos, digitsEnd - pos));
    while (pos > 0 && line[pos - 1] == ' ')
        --pos;
    size_t nameEnd = pos;
    while (pos > 0 && IsNameChar(line[pos - 1]))
        --pos;
    if (pos == nameEnd)
        return Nothing();
    return Jump(std::string(line.substr(pos, nameEnd - pos)), number);
}

bool DigitsBefore(sv line, size_t mark)
{
    while (mark > 0 && line[mark - 1] == ' ')
        --mark;
    return mark > 0 && IsDigit(line[mark - 1]);
}

// The colon that ends "name line": the first one, passing over a drive
// letter's colon, and over colons with no line number before them
// ("Error: main.a51 12: text", the linker's form).
Target ParseBorland(sv line)
{
    for (size_t colon = line.find(':'); colon != npos; colon = line.find(':', colon + 1)) {
        bool drive = colon + 1 < line.size() && (line[colon + 1] == '\\' || line[colon + 1] == '/');
        if (!drive && DigitsBefore(line, colon))
            return ReadBackwards(line, colon);
    }
    return Nothing();
}

Target ParseMotorola(sv line)
{
    size_t bracket = line.find(']');
    return bracket == npos ? Nothing() : ReadBackwards(line, bracket);
}

Target ParseLCC(sv line)
{
    size_t key = line.find("Error");
    size_t keyLength = 5;
    if (key == npos) {
        key = line.find("Warning");
        keyLength = 7;
    }
    size_t colon = line.find(':');
    if (key == npos || colon == npos)
        return Nothing();
    size_t start = SkipSpaces(line, key + keyLength), end = start;
    while (end < line.size() && IsNameChar(line[end]))
        ++end;
    if (end == start)
        return Nothing();
    size_t digits = SkipSpaces(line, colon + 1);
    return Jump(std::string(line.substr(start, end - start)), ReadNumber(line.substr(digits)));
}

Target ParseCADUL(sv line)
{
    size_t colon = line.find(':');
    if (colon == npos)
        return Nothing();
    size_t start = SkipSpaces(line, colon + 1);
    size_t next = line.find(':', start);
    // A line without a second colon names no line number.
    if (next == npos || next == start)
        return Nothing();
    size_t digits = SkipSpaces(line, next + 1);
    return Jump(std::string(line.substr(start, next - start)), ReadNumber(line.substr(digits)));
}

Target ParseMitsubishi(sv line)
{
    size_t colon = line.find(':');
    if (colon == npos)
        return Nothing();
    size_t start = SkipBlanks(line, colon + 1);
    size_t comma = line.find(',', start);
    if (comma == npos || comma == start)
        return Nothing();
    size_t blank = comma;
    while (blank < line.size() && !IsBlank(line[blank]))
        ++blank;
    if (blank == line.size())
        return Nothing();
    size_t digits = blank;
    while (digits < line.size() && !IsDigit(line[digits]))
        ++digits;
    if (digits == line.size())
        return Nothing();
    return Jump(std::string(line.substr(start, comma - start)), ReadNumber(line.substr(digits)));
}

Target ParsePCLint(sv line)
{
    size_t open = line.find('(');
    if (open == npos)
        return Nothing();
    size_t pos = SkipBlanks(line, open + 1);
    if (pos < line.size() && IsDigit(line[pos])) {
        int number = ReadNumber(line.substr(pos));
        std::string file;
        size_t lint = line.find("*** LINT: ");
        if (lint != npos && lint < open) {
            size_t start = SkipBlanks(line, lint + 10);
            file = std::string(line.substr(start, open - start));
        } else {
            file = std::string(line.substr(0, open));
        }
        if (file.empty())
            return Nothing();
        return Jump(file, number);
    }
    size_t digitsEnd = 0;
    while (pos < line.size() && !IsDigit(line[pos]))
        ++pos;
    if (pos == line.size())
        return Nothing();
    int number = FirstDigitRun(line, pos, &digitsEnd);
    size_t word = line.find("file ", digitsEnd);
    if (word == npos)
        return Nothing();
    size_t start = SkipBlanks(line, word + 5);
    size_t close = line.find(')', start);
    if (close == npos || close == start)
        return Nothing();
    return Jump(std::string(line.substr(start, close - start)), number);
}

// "TASKING": the line number stands on the source line above the clicked
// message lines; the file name in the listing header after "TASKING".
Target ParseTasking(sv pane, size_t offset)
{
    size_t lineStart = 0;
    sv line = LineAt(pane, offset, &lineStart);
    while (!line.empty() && (line[0] == 'E' || line[0] == 'W')) {
        if (lineStart == 0)
            return Nothing();
        line = LineAt(pane, lineStart - 1, &lineStart);
    }
    // The pane's first line (the command line) is never the source line.
    if (lineStart == 0)
        return Nothing();
    size_t digits = SkipBlanks(line, 0);
    int number = ReadNumber(line.substr(digits));

    size_t header = pane.find("TASKING");
    if (header == npos)
        return Jump("", number, Lookup::kActive);
    size_t cr = header + 8 < pane.size() ? pane.find('\r', header + 8) : npos;
    if (cr == npos)
        return Nothing();
    // From line to line until one begins with a blank: the name is the first
    // word of the line before it.
    size_t previous = npos;
    size_t at = cr + 1;
    while (at < pane.size() && pane[at] != ' ') {
        previous = at;
        size_t next = pane.find('\r', at);
        if (next == npos)
            return Nothing();
        at = next + 1;
    }
    if (at >= pane.size() || previous == npos)
        return Nothing();
    sv nameLine = LineAt(pane, previous);
    size_t start = SkipBlanks(nameLine, 0), end = start;
    while (end < nameLine.size() && !IsBlank(nameLine[end]))
        ++end;
    std::string file(nameLine.substr(start, end - start));
    if (!file.empty() && file.back() == ':')
        file.pop_back();
    if (file.empty())
        return Nothing();
    return Jump(file, number);
}

} // namespace

Format FormatFromName(std::string_view name)
{
    for (const NamedFormat& f : kFormats)
        if (name == f.name)
            return f.format;
    return Format::kNone;
}

const char* FormatName(Format format)
{
    for (const NamedFormat& f : kFormats)
        if (f.format == format)
            return f.name;
    return "";
}

int ReadNumber(std::string_view text)
{
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        if (value < INT_MAX)
            value = value * 10 + (c - '0');
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::string_view LineAt(std::string_view pane, size_t offset, size_t* lineStart)
{
    if (offset > pane.size())
        offset = pane.size();
    size_t start = offset;
    while (start > 0 && !IsLineEnd(pane[start - 1]))
        --start;
    size_t end = offset;
    while (end < pane.size() && !IsLineEnd(pane[end]))
        ++end;
    if (lineStart)
        *lineStart = start;
    return pane.substr(start, end - start);
}

Target ParseOutputLine(Format format, std::string_view pane, size_t offset)
{
    sv line = LineAt(pane, offset);
    if (line.empty())
        return Nothing();
    switch (format) {
    case Format::kDefault: return ParseDefault(pane, line);
    case Format::kKeilC: return ParseKeilC(line);
    case Format::kMicrotecPPC: return ParseMicrotec(line);
    case Format::kEmacs: return ParseEmacs(line);
    case Format::kHPC: return ParseHPC(line);
    case Format::kMSC: return ParseMSC(line);
    case Format::kGNU166: return ParseGNU166(line);
    case Format::kViewLogic: return ParseViewLogic(line);
    case Format::kBorland: return ParseBorland(line);
    case Format::kMotorolaDSP: return ParseMotorola(line);
    case Format::kLCCWin32: return ParseLCC(line);
    case Format::kCADUL: return ParseCADUL(line);
    case Format::kTasking: return ParseTasking(pane, offset);
    case Format::kPCLint: return ParsePCLint(line);
    case Format::kMitsubishi: return ParseMitsubishi(line);
    case Format::kNone: break;
    }
    return Nothing();
}

Target ParseResultLine(std::string_view line, bool searchResults, int searchLength)
{
    size_t open = line.find('(');
    size_t close = open == npos ? npos : line.find(')', open + 1);
    if (close == npos)
        return Nothing();
    size_t comma = line.find(',', open + 1);
    if (comma > close)
        comma = npos;
    size_t end = comma != npos ? comma : close;
    if (end - open - 1 > 6)
        return Nothing();
    int number = ReadNumber(line.substr(open + 1, end - open - 1));
    if (number == 0)
        return Focus();
    Target t = Jump(std::string(line.substr(0, open)), number, Lookup::kByFullPath);
    if (searchResults) {
        t.column = 0;
        t.length = 0;
        size_t columnEnd = comma == npos ? npos : line.find(')', comma + 1);
        if (columnEnd != npos) {
            t.column = ReadNumber(line.substr(comma + 1, columnEnd - comma - 1)) - 1;
            t.length = searchLength;
        }
    } else {
        t.length = 0;
    }
    return t;
}

} // namespace diag
