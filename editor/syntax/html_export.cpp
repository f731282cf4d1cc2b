// The page is built in pieces and written through the safe file writer.
#include "editor/syntax/html_export.h"

#include <algorithm>
#include <cstdio>

#include "common/safe_file.h"
#include "editor/syntax/syntax_colorizer.h"

static std::string HexColour(uint32_t colour)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%2.2X%2.2X%2.2X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return buf;
}

std::string HtmlColorTags(const CColorEditCore& core, uint8_t attr, uint32_t& lastText, uint32_t& lastBack)
{
    std::string out;
    const uint32_t text = core.GetColor(attr);
    const uint32_t back = core.GetBkColor(attr >> 4);
    if (text != lastText) {
        out += "<font color=\"#" + HexColour(text) + "\">";
        lastText = text;
    }
    if (back != lastBack) {
        out += "<span style=\"background-color: #" + HexColour(back) + "\">";
        lastBack = back;
    }
    return out;
}

void AppendHtmlText(std::string& out, const uint8_t* text, int length)
{
    for (int i = 0; i < length; ++i) {
        switch (text[i]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += '\n'; break;
        case kTab:
        case kFillByte: out += ' '; break;
        case kSoftBreak: break;
        default: out += static_cast<char>(text[i]); break;
        }
    }
}

namespace {
// Collects the page and hands it to the writer in large pieces.
struct PageWriter {
    safe_file file;
    std::string buffer;
    bool ok = true;
    void Flush()
    {
        if (ok && !buffer.empty())
            ok = safe_file_write(&file, buffer.data(), buffer.size());
        buffer.clear();
    }
    void MaybeFlush()
    {
        if (buffer.size() >= (1u << 16))
            Flush();
    }
};

// Runs of equal attributes of [from, to), each with its tags (colours on)
// or the whole stretch with the tags of one attribute.
void WriteRuns(PageWriter& w, const CColorEditCore& core, int from, int to, bool coloured, uint8_t plainAttr,
               uint32_t& lastText, uint32_t& lastBack)
{
    const uint8_t* text = core.GetTextBuffer();
    const uint8_t* attr = core.GetAttrBuffer();
    if (!coloured) {
        w.buffer += HtmlColorTags(core, plainAttr, lastText, lastBack);
        for (int i = from; i < to; i += 0x10000) {
            AppendHtmlText(w.buffer, text + i, std::min(to, i + 0x10000) - i);
            w.MaybeFlush();
        }
        return;
    }
    for (int i = from; i < to;) {
        int j = i + 1;
        while (j < to && attr[j] == attr[i])
            ++j;
        w.buffer += HtmlColorTags(core, attr[i], lastText, lastBack);
        AppendHtmlText(w.buffer, text + i, j - i);
        w.MaybeFlush();
        i = j;
    }
}
} // namespace

bool ExportHtml(CColorEditCore& core, const CSyntaxTemplate* tmpl, const std::string& path, bool withLineNumbers,
                const std::string& fontFace, std::string* why)
{
    const bool coloured = g_bSyntaxColoring != 0;
    const int length = core.GetTextLength();
    if (coloured && length > 0)
        ColorizeRange(core, tmpl, 0, length);

    PageWriter w;
    if (!safe_file_open(&w.file, path, true)) {
        if (why)
            *why = safe_file_why(&w.file);
        return false;
    }
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        slash = path.find_last_of('/');
    const std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string titleText;
    AppendHtmlText(titleText, reinterpret_cast<const uint8_t*>(title.data()), static_cast<int>(title.size()));

    w.buffer += "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<html><head>"
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                "<meta http-equiv=\"Content-Language\" content=\"de\">"
                "<meta name=\"GENERATOR\" content=\"Ovanta 3.6\"><title>\r";
    w.buffer += titleText;
    w.buffer += "</title></head><body bgcolor=\"#" + HexColour(core.m_crBackground) +
                "\" leftmargin=\"0\" topmargin=\"0\"><pre><font face=\"" + fontFace + "\" size=\"2\">";

    uint32_t lastText = kHtmlPageStart, lastBack = kHtmlPageStart;
    const uint8_t* text = core.GetTextBuffer();
    const uint8_t* attr = core.GetAttrBuffer();
    if (!withLineNumbers) {
        if (length > 0)
            WriteRuns(w, core, 0, length, coloured, attr[0], lastText, lastBack);
    } else {
        const int lines = core.GetLineCount();
        const char* format = lines < 100 ? "%2.2d" : lines < 1000 ? "%3.3d" : "%4.4d";
        int start = 0;
        for (int line = 1; line <= lines && start <= length; ++line) {
            int end = start;
            while (end < length && !core.IsLineBreak(text[end]))
                ++end;
            lastText = lastBack = kHtmlLineStart;
            char number[16];
            std::snprintf(number, sizeof number, format, line);
            w.buffer += HtmlColorTags(core, 0xEE, lastText, lastBack);
            w.buffer += number;
            WriteRuns(w, core, start, end, coloured, 0, lastText, lastBack);
            w.buffer += '\r';
            w.MaybeFlush();
            start = end + 1;
        }
    }
    w.buffer += "</font></pre></body>\n</html>\n";
    w.Flush();
    if (!w.ok) {
        if (why)
            *why = safe_file_why(&w.file);
        safe_file_discard(&w.file);
        return false;
    }
    if (!safe_file_commit(&w.file)) {
        if (why)
            *why = safe_file_why(&w.file);
        return false;
    }
    return true;
}
