// syntax_bench [source folder]: prints how fast the syntax core colours and
// matches braces on real sources (googletest's by default).
//
// 1. A text of several MB made by joining every .cc and .h file below the
//    folder is coloured page by page (50 lines a page) as painting would
//    colour it: lines per second.
// 2. A function of about 1 MB (nested blocks, strings with braces, comments)
//    has its closing brace found from the opening one and back.
// 3. A 50 MB text: the colouring of one screen (60 lines) at its start, its
//    middle and its end, after the text changed and after scrolling.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/syntax/lexical.h"
#include "testing/kit/test_kit.h"
#include "editor/syntax/syntax_colorizer.h"
#include "editor/syntax/syntax_profile.h"
#include "editor/syntax/syntax_template.h"

namespace {

class NoProfile : public CSyntaxProfile {
public:
    std::string GetString(const std::string&, const std::string&, const std::string& def) override { return def; }
    bool WriteString(const std::string&, const std::string&, const std::string&) override { return true; }
    bool EmptySection(const std::string&) override { return true; }
    bool HasSection(const std::string&) override { return false; }
    std::vector<std::string> GetKeys(const std::string&) override { return {}; }
};

double Seconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

std::string JoinTo(const std::vector<std::string>& sources, size_t size)
{
    std::string text;
    while (text.size() < size)
        for (const std::string& s : sources)
            text += s;
    for (char& c : text)
        if (c == '\n')
            c = '\r';
    return text;
}

void ColourPages(CColorEditCore& core, const CSyntaxTemplate* tmpl)
{
    const int lines = core.GetLineCount();
    // Page starts found once, outside the timing.
    std::vector<int> pages;
    const uint8_t* text = core.GetTextBuffer();
    int line = 0;
    pages.push_back(0);
    for (int i = 0; i < core.GetTextLength(); ++i)
        if (text[i] == '\r' && ++line % 50 == 0)
            pages.push_back(i + 1);
    pages.push_back(core.GetTextLength());
    const auto t0 = std::chrono::steady_clock::now();
    for (size_t p = 0; p + 1 < pages.size(); ++p)
        ColorizeRange(core, tmpl, pages[p], pages[p + 1]);
    const double s = Seconds(t0);
    std::printf("colour page by page: %d lines, %.1f MB in %.3f s: %.0f lines/s, %.1f MB/s\n", lines,
                core.GetTextLength() / 1e6, s, lines / s, core.GetTextLength() / 1e6 / s);
}

void BraceMatch()
{
    std::string body;
    int block = 0;
    while (body.size() < (1u << 20)) {
        body += "  if (x" + std::to_string(block) + " > 0) {\r"
                "    s = \"} { not a brace\"; c = '{';\r"
                "    /* a } in a comment */ // and { here\r"
                "    for (i = 0; i < n; ++i) { a[i] = b[(i + 1) % n]; }\r"
                "  }\r";
        ++block;
    }
    const std::string text = "void big(void)\r{\r" + body + "}\r";
    const char* base = text.c_str();
    const char* open = base + text.find('{');
    const char* close = base + text.rfind('}');
    auto t0 = std::chrono::steady_clock::now();
    const char* found = FindClosingBracket(open, true, base);
    const double forward = Seconds(t0);
    t0 = std::chrono::steady_clock::now();
    const char* back = FindOpeningBracket(close, true, base);
    const double backward = Seconds(t0);
    std::printf("brace match across a %.2f MB function: forward %.2f ms (%s), backward %.2f ms (%s)\n",
                text.size() / 1e6, forward * 1e3, found == close ? "found" : "WRONG", backward * 1e3,
                back == open ? "found" : "WRONG");
}

void ScreenOfLargeFile(const std::vector<std::string>& sources, const CSyntaxTemplate* tmpl, bool blockComments)
{
    std::string text = JoinTo(sources, 50u << 20);
    // Without block comments the search for an opener above the screen runs
    // back to the text start: the slowest case.
    if (!blockComments)
        for (size_t p = text.find("/*"); p != std::string::npos; p = text.find("/*", p))
            text[p + 1] = ' ';
    CColorEditCore core;
    if (!core.SetText(text.c_str())) {
        std::printf("50 MB text: out of memory\n");
        return;
    }
    core.m_nVisibleLines = 60;
    const int lines = core.GetLineCount();
    const struct {
        const char* where;
        int line;
    } places[] = {{"start", 0}, {"middle", lines / 2}, {"end", lines - 60}};
    // The control keeps an index of block comments; the first paint after
    // loading builds it as far as the screen.
    CCommentIndex index;
    for (const auto& p : places) {
        core.SetTopLine(p.line);
        auto t0 = std::chrono::steady_clock::now();
        RecolourForPaint(core, tmpl, -1, &index);
        const double first = Seconds(t0);
        // Typing on the screen: a character inserted in its middle, then the
        // paint from that line.
        const int runs = 20;
        double typed = 0;
        for (int i = 0; i < runs; ++i) {
            const int at = core.GetLineOffset(p.line + 30);
            core.SetSel(at, at, false, false);
            core.InsertChar('x', 0, false);
            t0 = std::chrono::steady_clock::now();
            RecolourForPaint(core, tmpl, at, &index);
            typed += Seconds(t0);
        }
        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < runs; ++i)
            RecolourForPaint(core, tmpl, -1, &index);
        const double again = Seconds(t0) / runs;
        std::printf("one screen (60 lines) of a %.0f MB text %s at its %s: first %.3f ms, after typing %.3f ms, "
                    "repainted %.3f ms  (goal after typing: under 0.5 ms)\n",
                    text.size() / 1e6, blockComments ? "with block comments" : "without block comments", p.where,
                    first * 1e3, typed * 1e3 / runs, again * 1e3);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string root = argc > 1 ? argv[1] : "/usr/src/googletest";
    std::vector<std::string> sources;
    for (const std::string& path : files_below(root, {".cc", ".h"}))
        sources.push_back(read_file(path));
    if (sources.empty()) {
        std::fprintf(stderr, "syntax_bench: no .cc or .h files below %s\n", root.c_str());
        return 1;
    }
    NoProfile profile;
    CreateDefaultSyntaxTemplate(profile);
    const CSyntaxTemplate* tmpl = g_SyntaxTemplates[0].get();

    const std::string text = JoinTo(sources, 8u << 20);
    CColorEditCore core;
    if (!core.SetText(text.c_str())) {
        std::fprintf(stderr, "syntax_bench: out of memory\n");
        return 1;
    }
    ColourPages(core, tmpl);
    BraceMatch();
    ScreenOfLargeFile(sources, tmpl, true);
    ScreenOfLargeFile(sources, tmpl, false);
    return 0;
}
