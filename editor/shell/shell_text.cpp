#include "editor/shell/shell_text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

size_t last_slash(const std::string& path)
{
    return path.find_last_of("\\/");
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::string DirectoryOf(const std::string& path)
{
    size_t slash = last_slash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    size_t slash = last_slash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// --- tool parameter macros -------------------------------------------------

namespace {

std::string macro_file(const ToolMacroSource& s)
{
    size_t slash = s.path.rfind('\\');
    return slash == std::string::npos ? s.path : s.path.substr(slash + 1);
}

std::string macro_ext(const ToolMacroSource& s)
{
    size_t dot = s.path.rfind('.');
    return dot == std::string::npos ? s.path : s.path.substr(dot + 1);
}

std::string macro_path(const ToolMacroSource& s)
{
    size_t slash = s.path.rfind('\\');
    return slash == std::string::npos ? std::string() : s.path.substr(0, slash);
}

std::string macro_drive(const ToolMacroSource& s)
{
    size_t colon = s.path.find(":\\");
    return colon == std::string::npos ? std::string() : s.path.substr(0, colon);
}

std::string macro_name(const ToolMacroSource& s)
{
    std::string file = macro_file(s);
    size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::string macro_cursel(const ToolMacroSource& s)
{
    return s.selection;
}

std::string macro_prj(const ToolMacroSource& s)
{
    std::string name = FileNameOf(s.workspacePath);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

struct ToolMacro {
    const char* name;
    std::string (*value)(const ToolMacroSource&);
};

// In the order they are tested.
const ToolMacro tool_macros[] = {
    {"$FILE", macro_file}, {"$EXT", macro_ext},       {"$PATH", macro_path},
    {"$DRIVE", macro_drive}, {"$NAME", macro_name}, {"$CURSEL", macro_cursel},
    {"$PRJ", macro_prj},
};

} // namespace

std::string ExpandToolMacroText(const std::string& params, const ToolMacroSource& source)
{
    std::string out;
    size_t i = 0;
    while (i < params.size()) {
        if (params[i] != '$') {
            out += params[i++];
            continue;
        }
        bool replaced = false;
        for (const ToolMacro& m : tool_macros) {
            size_t n = std::strlen(m.name);
            if (params.compare(i, n, m.name) == 0) {
                out += m.value(source);
                i += n;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += params[i++];
    }
    return out;
}

// --- single-instance hand-over ----------------------------------------------

bool IsWorkspaceArgument(const std::string& text)
{
    return text.size() >= 2 && (text[0] == '-' || text[0] == '/') &&
           (text[1] == 'w' || text[1] == 'W');
}

bool ComposeHandOverText(const std::string& text, const std::string& currentDir, int line,
                         std::string& out)
{
    out.clear();
    std::string composed;
    // The running program has a working folder of its own: every path that
    // is not absolute (a drive, or a leading separator) is made so here,
    // also one with folders in it ("sub\\file.c").
    const bool absolute = (text.size() >= 2 && text[1] == ':') ||
                          (!text.empty() && (text[0] == '\\' || text[0] == '/'));
    if (IsWorkspaceArgument(text) || absolute)
        composed = text;
    else if (!text.empty())
        composed = currentDir + "\\" + text;
    if (line != 0 && !composed.empty())
        composed += " -" + std::to_string(line);
    if (composed.size() >= kHandOverTextSize)
        return false;
    out = composed;
    return true;
}

HandOverRequest ParseHandOverText(const std::string& text)
{
    HandOverRequest r;
    std::string rest = text;
    if (IsWorkspaceArgument(rest)) {
        r.workspace = true;
        r.path = rest.substr(2);
        return r;
    }
    // Any other option is nothing to open.
    if (!rest.empty() && rest[0] == '-')
        return r;
    // " -n" at the end is the line number.
    size_t mark = rest.rfind(" -");
    if (mark != std::string::npos && mark + 2 < rest.size()) {
        bool digits = true;
        for (size_t k = mark + 2; k < rest.size(); ++k)
            digits = digits && std::isdigit(static_cast<unsigned char>(rest[k]));
        if (digits) {
            r.line = std::atoi(rest.c_str() + mark + 2);
            rest.resize(mark);
        }
    }
    r.path = rest;
    return r;
}

// --- program arguments -----------------------------------------------------

std::vector<ParamCall> WalkArguments(const std::vector<std::string>& args)
{
    std::vector<ParamCall> calls;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 < args.size() && !args[i + 1].empty() &&
            (args[i + 1][0] == '/' || args[i + 1][0] == '-')) {
            ParamCall c;
            c.text = a;
            c.line = static_cast<int>(std::strtol(args[i + 1].c_str() + 1, nullptr, 10));
            c.last = i + 2 >= args.size();
            calls.push_back(c);
            break; // a line number ends the walk
        }
        ParamCall c;
        c.last = i + 1 >= args.size();
        if (!a.empty() && (a[0] == '-' || a[0] == '/')) {
            if (IsWorkspaceArgument(a)) {
                c.text = a;
            } else {
                c.text = a.substr(1);
                c.flag = true;
            }
        } else {
            c.text = a;
        }
        calls.push_back(c);
    }
    return calls;
}

// --- recent files with positions ---------------------------------------------

std::string FormatRecentEntry(const std::string& path, const RecentPosition& pos)
{
    if (pos.selStart == 0)
        return path;
    char tail[80];
    std::snprintf(tail, sizeof tail, ",%ld,%ld,%lX,%lX", static_cast<long>(pos.topLine),
                  static_cast<long>(pos.selStart), static_cast<unsigned long>(pos.timeLow),
                  static_cast<unsigned long>(pos.timeHigh));
    return path + tail;
}

std::string ParseRecentEntry(const std::string& value, RecentPosition& pos)
{
    pos = RecentPosition();
    size_t comma = value.find(',');
    if (comma == std::string::npos)
        return value;
    std::string rest = value.substr(comma + 1);
    if (rest.find(',') != std::string::npos) {
        long top = 0, sel = 0;
        unsigned long low = 0, high = 0;
        std::sscanf(rest.c_str(), "%ld,%ld,%lX,%lX", &top, &sel, &low, &high);
        pos.topLine = static_cast<int32_t>(top);
        pos.selStart = static_cast<int32_t>(sel);
        pos.timeLow = static_cast<uint32_t>(low);
        pos.timeHigh = static_cast<uint32_t>(high);
    }
    return value.substr(0, comma);
}

// --- paths -----------------------------------------------------------------

std::string MakeRelativePath(const std::string& base, const std::string& path)
{
    if (base.empty() || lower(path).compare(0, base.size(), base) != 0)
        return path;
    return "." + path.substr(base.size());
}

int ParseGotoLineText(const std::string& text)
{
    const bool hex = text.find("0x") != std::string::npos || text.find("0X") != std::string::npos;
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') {
        negative = text[i] == '-';
        ++i;
    }
    if (hex && i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        i += 2;
    // Digits past what an int holds stop adding, so a long text never wraps.
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0x7FFFFFFF) {
            value = 0x7FFFFFFF;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::string WindowTabTipText(const std::string& path)
{
    if (path.size() > 80)
        return "..." + path.substr(path.size() - 76);
    return path;
}

int MarginDigits(int lineCount)
{
    if (lineCount <= 99)
        return 2;
    if (lineCount <= 999)
        return 3;
    if (lineCount <= 9999)
        return 4;
    return 5;
}
