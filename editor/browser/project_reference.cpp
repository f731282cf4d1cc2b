#include "editor/browser/project_reference.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/safe_file.h"
#include "editor/symbols/code_walk.h"
#include "editor/symbols/symbol_info.h"
#include "editor/symbols/text_cleanup.h"
#include "editor/symbols/c_functions.h"
#include "editor/syntax/lexical.h"
#include "editor/symbols/variable_scan.h"

namespace {

const char* const kBuiltInLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
    "<html>",
    "<head>",
    "<meta http-equiv=\"Content-Type\"",
    "content=\"text/html; charset=iso-8859-1\">",
    "<meta name=\"GENERATOR\" content=\"suite51 project reference\">",
    "<title>Funktion</title>",
    "</head>",
    "<body bgcolor=\"#C0C0C0\">",
    "<p>&nbsp;</p>",
    "<p align=\"left\"><a name=\"Project\"><font color=\"#FF0000\" size=\"5\"",
    "face=\"Arial\">Projekt</font></a><font color=\"#FF0000\" size=\"5\"",
    "face=\"Arial\">-Functionsreference</font></p>",
    "<hr>",
    "<blockquote>",
    "<p><font color=\"#008000\" size=\"4\" face=\"Arial\"><strong>$f</strong></font></p>",
    "</blockquote>",
    "<blockquote>",
    "<table border=\"0\">",
    "<tr><td width=\"100\"><font size=\"2\" face=\"Arial\"><u>implemented in:</u> </font></td>",
    "<td>&nbsp</td><td><font size=\"2\" face=\"Arial\"><strong>$s</strong></font></td>",
    "</tr><tr><td>&nbsp</td><td>&nbsp</td><td>&nbsp</td></tr><tr>",
    "<td><font size=\"2\" face=\"Arial\"><u>declared in:</u></font></td>",
    "<td>&nbsp</td>",
    "<td><font size=\"2\"><strong>$h</strong></font></td></tr>",
    "</table>",
    "</blockquote>",
    "<blockquote>",
    "</blockquote>",
    "<blockquote>",
    "<p><font size=\"2\" face=\"Arial\"><u>called by:</u></font></p>",
    "</blockquote>",
    "<blockquote>",
    "<ul>",
    "<li><font size=\"2\" face=\"Arial\">$r</font></li>",
    "</ul>",
    "</blockquote>",
    "<blockquote>",
    "<p><font size=\"2\" face=\"Arial\"><u>calls:</u></font></p>",
    "</blockquote>",
    "<blockquote>",
    "<ul>",
    // The font element is closed here so that the page is well formed.
    "<li><font size=\"2\" face=\"Arial\">$c</font></li>",
    "</ul>",
    "</blockquote>",
    "<blockquote>",
    "<p><font size=\"2\" face=\"Arial\"><u>Prototype:</u> </font></p>",
    "</blockquote>",
    "<blockquote>",
    "<blockquote>",
    "<pre><font size=\"2\" face=\"Courier\"><strong>$p</strong></font></pre>",
    "</blockquote>",
    "<p><font size=\"2\" face=\"Arial\"><u>Description:</u></font></p>",
    "<blockquote>",
    "<pre><font color=\"#008000\" size=\"3\" face=\"Courier\">$d*</font></pre>",
    "</blockquote>",
    "</blockquote>",
    "</body>",
};

struct FunctionEntry {
    std::string name;
    std::string fileName;
    std::string declFile;
    std::string path;
    std::vector<std::string> calls;
    std::string prototype;
    int firstLine = 0;
    int lastLine = 0;
    std::vector<std::string> descriptions;
};

std::string AfterLastSlash(const std::string& path)
{
    size_t s = path.find_last_of("\\/");
    return s == std::string::npos ? path : path.substr(s + 1);
}

// A document's file name: the title without the modified mark (the text from
// the byte before the last "*"), without what follows a CR, after the last
// backslash.
std::string DocumentFileName(const std::string& title)
{
    std::string t = title;
    size_t star = t.rfind('*');
    if (star != std::string::npos)
        t.erase(star == 0 ? 0 : star - 1);
    size_t cr = t.find('\r');
    if (cr != std::string::npos)
        t.erase(cr);
    size_t bs = t.rfind('\\');
    return bs == std::string::npos ? t : t.substr(bs + 1);
}

void ReplaceAll(std::string& s, const std::string& what, const std::string& with)
{
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
        s.replace(p, what.size(), with);
}

// Page text must not be taken for markup: "<" in a prototype or comment
// would otherwise swallow what follows it.
std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

// Blanks before a CR removed, runs of CRs made one, each CR (with an LF
// after it) made "<br>".
std::string HtmlLines(const std::string& text)
{
    std::string s = Escape(text);
    for (size_t p; (p = s.find(" \r")) != std::string::npos;)
        s.erase(p, 1);
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            while (i + 1 < s.size() && (s[i + 1] == '\r' || s[i + 1] == '\n'))
                ++i;
            out += "<br>";
        } else {
            out += s[i];
        }
    }
    return out;
}

// Names compared byte by byte with bit 0x40 of each byte cleared; a prefix
// comes first.
bool NameLess(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]) & ~0x40u;
        unsigned char y = static_cast<unsigned char>(b[i]) & ~0x40u;
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

size_t LineStart(const std::string& text, int line)
{
    char end = text.find('\r') != std::string::npos ? '\r' : '\n';
    size_t p = 0;
    for (int i = 0; i < line; ++i) {
        size_t q = text.find(end, p);
        if (q == std::string::npos)
            return text.size();
        p = q + 1;
    }
    return p;
}

size_t LineEnd(const std::string& text, size_t from)
{
    size_t e = text.find_first_of("\r\n", from);
    return e == std::string::npos ? text.size() : e;
}

std::string Indent(const std::string& text, int levels)
{
    std::string pad(static_cast<size_t>(levels) * 2, ' ');
    std::string out = pad;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\r' && i + 1 < text.size())
            out += pad;
    }
    return out;
}

std::string Description(const std::string& text, const FunctionEntry& f, char marker, bool indent)
{
    const char* buf = text.c_str();
    size_t firstStart = LineStart(text, f.firstLine);
    size_t areaEnd = LineStart(text, f.lastLine);
    size_t from = 0;
    for (size_t p = firstStart; p-- > 0;)
        if (text[p] == '}' && !IsInsideComment(buf + p, buf)) {
            from = p;
            break;
        }
    std::string out;
    while (from < areaEnd) {
        int block = FindCommentOpen(static_cast<int>(from), static_cast<int>(areaEnd), buf);
        size_t line = text.find("//", from);
        while (line != std::string::npos && line < areaEnd && IsInsideString(buf + line, buf))
            line = text.find("//", line + 2);
        if (line != std::string::npos && line >= areaEnd)
            line = std::string::npos;
        size_t start;
        bool isBlock;
        if (block >= 0 && (line == std::string::npos || static_cast<size_t>(block) < line)) {
            start = static_cast<size_t>(block);
            isBlock = true;
        } else if (line != std::string::npos) {
            start = line;
            isBlock = false;
        } else {
            break;
        }
        if (start + 2 >= text.size() || text[start + 2] != marker) {
            from = start + 2;
            continue;
        }
        size_t end;
        size_t next;
        if (isBlock) {
            int close = FindCommentClose(static_cast<int>(start + 3), static_cast<int>(areaEnd), buf);
            if (close < 0)
                break;
            end = static_cast<size_t>(close);
            next = end + 2;
        } else {
            end = LineEnd(text, start);
            next = end;
        }
        std::string part = "   " + (start + 3 < end ? text.substr(start + 3, end - start - 3) : std::string()) + "\r";
        if (indent) {
            int level = CountBraceBalance(buf + start, static_cast<int>(start + 1));
            if (level > 0)
                part = Indent(part, level);
        }
        out += part;
        from = next;
    }
    return out;
}

// The item around the first marker: from the nearest "<" before it that
// opens a t..., p... or l... tag to the first ">" after it, within 1000
// bytes. False when there is none.
bool FindItem(const std::string& block, const std::string& marker, size_t& begin, size_t& end)
{
    size_t at = block.find(marker);
    if (at == std::string::npos)
        return false;
    size_t low = at > 1000 ? at - 1000 : 0;
    size_t b = std::string::npos;
    for (size_t p = at; p-- > low;) {
        if (block[p] == '<' && p + 1 < block.size() && std::strchr("tTpPlL", block[p + 1])) {
            b = p;
            break;
        }
    }
    size_t e = block.find('>', at);
    if (b == std::string::npos || e == std::string::npos || e - at > 1000)
        return false;
    begin = b;
    end = e + 1;
    return true;
}

void FillList(std::string& block, const std::string& marker, const std::vector<std::string>& values,
              const std::string& none)
{
    size_t b, e;
    if (!FindItem(block, marker, b, e))
        return;
    std::string item = block.substr(b, e - b);
    std::string copies;
    if (values.empty()) {
        copies = item;
        ReplaceAll(copies, marker, none);
    }
    for (const std::string& v : values) {
        std::string copy = item;
        ReplaceAll(copy, marker, v);
        copies = copy + copies; // in front of the earlier ones
    }
    block.replace(b, e - b, copies);
}

std::string Link(const std::string& name)
{
    return "<a href=\"#" + name + "\">" + name + "</a>";
}

std::string FillBlock(const std::string& blockTemplate, const FunctionEntry& f,
                      const std::vector<FunctionEntry>& all, unsigned options, const std::string& markers)
{
    std::string block = blockTemplate;
    size_t first = block.find("$f");
    if (first != std::string::npos) {
        size_t at = std::string::npos;
        for (size_t p = first; p-- > 0;)
            if (p + 3 <= block.size() && block[p] == '<' && (block[p + 1] == 'p' || block[p + 1] == 'P') &&
                block[p + 2] == '>') {
                at = p + 3;
                break;
            }
        if (at == std::string::npos)
            at = std::min<size_t>(2, block.size());
        // Closed at once: an open anchor would swallow the links that follow.
        block.insert(at, "<a name=\"" + f.name + "\"></a>");
    }
    ReplaceAll(block, "$f", f.name);
    ReplaceAll(block, "$p", HtmlLines(f.prototype));
    std::string s = "<a href=\" file://" + f.path + "\">" + f.fileName + "</a>";
    if (options & kReferenceLineNumbers)
        s += "  (" + std::to_string(f.firstLine + 1) + ")";
    ReplaceAll(block, "$s", s);
    ReplaceAll(block, "$h",
               f.declFile.empty() ? std::string("<font color=\"#800000\">implicit</font>")
                                  : "<a href=\" file://" + f.declFile + "\">" + AfterLastSlash(f.declFile) + "</a>");
    std::vector<std::string> calls;
    for (const std::string& c : f.calls) {
        if (!c.empty() && c[0] == '+')
            calls.push_back("<font color=\"#808080\"><em>" + c.substr(1) + "</em></font>");
        else if (std::any_of(all.begin(), all.end(), [&](const FunctionEntry& g) { return g.name == c; }))
            calls.push_back(Link(c));
        else
            calls.push_back(c);
    }
    FillList(block, "$c", calls, "no more functions!");
    std::vector<std::string> callers;
    for (const FunctionEntry& g : all)
        if (std::find(g.calls.begin(), g.calls.end(), f.name) != g.calls.end())
            callers.push_back(Link(g.name));
    FillList(block, "$r", callers,
             "<font color=\"#FF0000\">This function isn't called by any other! (indirect call or interrupt?)</font>");
    for (size_t i = 0; i < markers.size() && i < f.descriptions.size(); ++i) {
        std::string m = std::string("$d") + markers[i];
        size_t p = block.find(m);
        if (p != std::string::npos)
            block.replace(p, m.size(), HtmlLines(f.descriptions[i]));
    }
    return block;
}

// The per-file template filled for one document.
std::string FillFileInfo(const std::string& tmpl, const ReferenceDocument& doc)
{
    std::string out = tmpl;
    const std::string name = DocumentFileName(doc.title);
    const char* text = doc.text.c_str();
    size_t p = 0;
    while ((p = out.find('$', p)) != std::string::npos) {
        size_t k = p + 1;
        while (k < out.size() && (IsIdentChar(out[k]) || out[k] == ':'))
            ++k;
        std::string key = out.substr(p + 1, k - p - 1);
        if (key.empty()) {
            ++p;
            continue;
        }
        std::string with;
        if (key == "f") {
            with = name;
        } else {
            size_t hit = doc.text.find(key);
            if (hit != std::string::npos && IsInsideComment(text + hit, text)) {
                size_t from = hit + key.size();
                int open = FindLastCommentOpen(static_cast<int>(hit), 0, text);
                bool block = open >= 0 && FindLastCommentClose(static_cast<int>(hit), open, text) < 0;
                size_t end;
                if (block) {
                    int close = FindCommentClose(static_cast<int>(from), static_cast<int>(doc.text.size()), text);
                    end = close < 0 ? doc.text.size() : static_cast<size_t>(close);
                } else {
                    end = LineEnd(doc.text, from);
                }
                size_t dollar = doc.text.find('$', from);
                if (dollar != std::string::npos && dollar < end)
                    end = dollar;
                with = Escape(doc.text.substr(from, end - from));
            }
        }
        out.replace(p, k - p, with);
        p += with.size();
    }
    return out;
}

std::string FillHead(std::string head, const std::vector<ReferenceDocument>& docs, const std::string& workspace)
{
    std::string prj;
    if (!workspace.empty()) {
        prj = workspace.substr(0, workspace.find('.'));
        prj = prj.substr(prj.rfind('\\') == std::string::npos ? 0 : prj.rfind('\\') + 1);
    }
    ReplaceAll(head, "$prj", prj);
    const std::string mark = "<!--prjinfo-->";
    size_t a = head.find(mark);
    size_t b = a == std::string::npos ? a : head.find(mark, a + mark.size());
    if (b == std::string::npos)
        return head;
    std::string perFile = head.substr(a + mark.size(), b - a - mark.size());
    std::string out = head.substr(0, a);
    for (const ReferenceDocument& d : docs)
        out += FillFileInfo(perFile, d);
    return out + head.substr(b + mark.size());
}

std::vector<FunctionEntry> Collect(const std::vector<ReferenceDocument>& docs, unsigned options,
                                   const std::string& markers, std::vector<std::string>& texts)
{
    struct Found {
        size_t doc;
        FunctionEntry entry;
    };
    std::vector<Found> found;
    CSymbolMap declarations(kKindDeclaration);
    texts.clear();
    for (size_t i = 0; i < docs.size(); ++i) {
        std::string text = docs[i].text;
        StripChar(text, '\x02'); // soft breaks of word wrap
        texts.push_back(text);
        CSymbolMap functions;
        ParseCFunctions(text.c_str(), text.size(), functions, nullptr, docs[i].path, nullptr);
        const std::string fileName = DocumentFileName(docs[i].title);
        ScanFunctionDeclarations(ScanText{text.c_str(), text.size(), fileName}, 0, text.size(), declarations);
        for (const auto& entry : functions)
            for (const auto& rec : entry.second) {
                FunctionEntry f;
                f.name = entry.first;
                f.firstLine = rec->firstLine;
                f.lastLine = rec->lastLine;
                f.prototype = rec->name.value_or("");
                f.path = docs[i].path;
                f.fileName = AfterLastSlash(f.path);
                size_t pos = LineStart(text, f.firstLine), end = 0;
                if (FindNextBlock(text.c_str(), text.size(), pos, end))
                    CollectCalls(text.c_str(), pos, end, (options & kReferenceMultipleCalls) != 0, f.calls);
                for (char m : markers)
                    f.descriptions.push_back(Description(text, f, m, (options & kReferenceIndentComments) != 0));
                found.push_back({i, std::move(f)});
            }
    }
    std::vector<FunctionEntry> out;
    for (Found& f : found) {
        const CSymbolList* decl = declarations.Lookup(f.entry.name);
        if (decl && !decl->empty())
            f.entry.declFile = (*decl)[0].file.value_or("");
        out.push_back(std::move(f.entry));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const FunctionEntry& a, const FunctionEntry& b) { return NameLess(a.name, b.name); });
    return out;
}

} // namespace

const std::string& BuiltInReferenceTemplate()
{
    static const std::string text = [] {
        std::string t;
        for (const char* line : kBuiltInLines)
            t += std::string(line) + "\r\n";
        return t + "</html>";
    }();
    return text;
}

std::string ProjectHtmlPath(const std::string& workspacePath, const std::string& folder)
{
    if (!workspacePath.empty()) {
        size_t s = workspacePath.find_last_of("\\/");
        std::string dir = s == std::string::npos ? std::string(".") : workspacePath.substr(0, s);
        return dir + (s != std::string::npos ? workspacePath[s] : '/') + "project.htm";
    }
    if (folder.empty())
        return "project.htm";
    char last = folder.back();
    return folder + (last == '\\' || last == '/' ? "" : (folder.find('\\') != std::string::npos ? "\\" : "/")) +
           "project.htm";
}

bool BuildProjectHtml(const std::string& templateText, unsigned options, const std::vector<ReferenceDocument>& documents,
                      const std::string& workspacePath, std::string& page)
{
    std::string tmpl = templateText.empty() ? BuiltInReferenceTemplate() : templateText;
    tmpl.erase(std::remove_if(tmpl.begin(), tmpl.end(), [](char c) { return c == '\r' || c == '\n'; }), tmpl.end());
    size_t hr = tmpl.find("<hr>");
    if (hr == std::string::npos)
        hr = tmpl.find("<HR>");
    if (hr == std::string::npos)
        return false;
    page = FillHead(tmpl.substr(0, hr), documents, workspacePath);
    std::string block = tmpl.substr(hr);
    for (const char* tail : {"</body></html>", "</BODY></HTML>"}) {
        size_t t = block.find(tail);
        if (t != std::string::npos) {
            block.erase(t);
            break;
        }
    }
    std::string markers;
    for (size_t p = block.find("$d"); p != std::string::npos; p = block.find("$d", p + 2))
        if (p + 2 < block.size() && block[p + 2] != ' ') {
            markers += block[p + 2];
            ++p;
        }
    std::vector<std::string> texts;
    std::vector<FunctionEntry> functions = Collect(documents, options, markers, texts);
    if (options & kReferenceIndex) {
        page += "<hr><blockquote>";
        for (const FunctionEntry& f : functions)
            if (!f.name.empty())
                page += "<li><font size=\"2\" face=\"Arial\"><a href=\"#" + f.name + "\">" + f.name +
                        "</a></font></li>\n";
        page += "</blockquote>\n";
    }
    for (const FunctionEntry& f : functions)
        page += FillBlock(block, f, functions, options, markers);
    page += "</body>\r\n</html>\r\n";
    return true;
}

project_html_result WriteProjectHtml(const std::string& templatePath, unsigned options,
                                     const std::vector<ReferenceDocument>& documents,
                                     const std::string& workspacePath, const std::string& outputPath,
                                     std::string* why)
{
    std::string tmpl;
    if (!templatePath.empty()) {
        std::ifstream f(templatePath, std::ios::binary);
        if (!f) {
            if (why)
                *why = "cannot read the template '" + templatePath + "'";
            return PROJECT_HTML_NO_TEMPLATE;
        }
        tmpl.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        if (tmpl.empty())
            tmpl = " "; // an empty file is a template without "<hr>", not the built-in one
    }
    std::string page;
    if (!BuildProjectHtml(tmpl, options, documents, workspacePath, page)) {
        if (why)
            *why = "the template has no <hr>";
        return PROJECT_HTML_NO_RULE;
    }
    if (!safe_file_write_all(outputPath, page.data(), page.size(), true, why))
        return PROJECT_HTML_WRITE_FAILED;
    return PROJECT_HTML_OK;
}
