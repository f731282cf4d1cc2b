#include "editor/browser/tag_file.h"

#include "common/safe_file.h"

namespace {

const std::string& Str(const std::optional<std::string>& s)
{
    static const std::string empty;
    return s ? *s : empty;
}

// Appends pieces and numbers without any length limit.
class Line {
public:
    explicit Line(std::string& out) : m_out(out) {}
    Line& operator<<(const std::string& s) { m_out += s; return *this; }
    Line& operator<<(const char* s) { m_out += s; return *this; }
    Line& operator<<(int n) { m_out += std::to_string(n); return *this; }
    void End() { m_out += "\r\n"; }

private:
    std::string& m_out;
};

void PlainLines(std::string& out, const CSymbolMap& map, const char* label)
{
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            Line l(out);
            l << label << Str(r->name) << "   " << Str(r->file) << " - Line: " << r->firstLine;
            l.End();
        }
}

} // namespace

std::string TagFilePath(const std::string& given, const std::string& workspace, const std::string& profile)
{
    if (!given.empty())
        return given;
    if (!workspace.empty()) {
        size_t slash = workspace.find_last_of("\\/");
        size_t dot = workspace.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            return workspace + ".tag";
        return workspace.substr(0, dot) + ".tag";
    }
    if (profile.size() >= 3)
        return profile.substr(0, profile.size() - 3) + "tag";
    return profile.empty() ? std::string() : profile + ".tag";
}

std::string FormatTagFile(const CBrowserMaps& maps)
{
    std::string out;
    PlainLines(out, maps.defines, "Define:   ");
    PlainLines(out, maps.enums, "Enum:     ");
    PlainLines(out, maps.types, "typedef:  ");
    for (const auto& entry : maps.functions)
        for (const auto& r : entry.second) {
            Line l(out);
            l << "function: ";
            if (r->className)
                l << *r->className << "::";
            l << Str(r->name) << "   " << Str(r->file) << " - from line: " << r->firstLine << " to "
              << r->lastLine;
            l.End();
        }
    for (const auto& entry : maps.variables)
        for (const auto& r : entry.second) {
            Line l(out);
            if (!r->owner) {
                l << "globvar:  " << Str(r->name) << " " << entry.first << "  " << Str(r->file);
            } else {
                l << "locvar:   " << Str(r->name) << " " << entry.first << " (";
                if (r->owner->className)
                    l << *r->owner->className << "::";
                l << r->owner->text << "),  " << Str(r->file);
            }
            l << " - Line: " << r->firstLine;
            l.End();
        }
    PlainLines(out, maps.declarations, "Function declaration:   ");
    return out;
}

tag_file_result WriteTagFile(const std::string& path, const CBrowserMaps& maps, std::string* why)
{
    if (path.empty())
        return TAG_FILE_NO_PATH;
    // The lines carry their CR LF already: written in binary mode.
    std::string text = FormatTagFile(maps);
    return safe_file_write_all(path, text.data(), text.size(), true, why) ? TAG_FILE_OK : TAG_FILE_WRITE_FAILED;
}
