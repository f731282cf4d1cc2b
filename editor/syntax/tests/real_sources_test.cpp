// The helpers and the colouring over real C++ sources that no one here
// wrote: Debian's googletest sources. A small reference scanner written
// for this test (comments, string, character and raw string literals, line
// splices) gives a compiler's view of every byte; the helpers, the bracket
// finders and the colouring must agree with it.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/syntax/lexical.h"
#include "editor/syntax/syntax_colorizer.h"
#include "editor/syntax/syntax_template.h"
#include "memory_profile.h"

namespace {

#ifdef _WIN32
const char kSourceRoot[] = "Z:/usr/src/googletest";
#else
const char kSourceRoot[] = "/usr/src/googletest";
#endif

enum RefClass : char { kCode = 'c', kComment = '/', kString = '"', kChar = '\'' };

// Closing quotes of literals, which the helpers count as outside.
std::vector<bool> g_closingQuote;

// A compiler's view, byte by byte. Quotes belong to their literal; the
// helpers count a closing quote as outside, which the checks allow for.
std::vector<RefClass> ReferenceScan(const std::string& t)
{
    std::vector<RefClass> cls(t.size(), kCode);
    g_closingQuote.assign(t.size(), false);
    size_t i = 0;
    const size_t n = t.size();
    auto spliced = [&](size_t k) { return k + 1 < n && t[k] == '\\' && t[k + 1] == '\n'; };
    while (i < n) {
        const char c = t[i];
        if (c == '/' && i + 1 < n && t[i + 1] == '/') {
            // To the line end; a backslash before it continues the comment.
            while (i < n && t[i] != '\n') {
                if (spliced(i)) {
                    cls[i] = cls[i + 1] = kComment;
                    i += 2;
                    continue;
                }
                cls[i++] = kComment;
            }
        } else if (c == '/' && i + 1 < n && t[i + 1] == '*') {
            size_t e = t.find("*/", i + 2);
            e = e == std::string::npos ? n : e + 2;
            for (; i < e; ++i)
                cls[i] = kComment;
        } else if (c == 'R' && i + 1 < n && t[i + 1] == '"' &&
                   (i == 0 || !(std::isalnum(static_cast<unsigned char>(t[i - 1])) || t[i - 1] == '_'))) {
            const size_t paren = t.find('(', i + 2);
            const std::string close = ")" + t.substr(i + 2, paren - i - 2) + "\"";
            size_t e = t.find(close, paren);
            e = e == std::string::npos ? n : e + close.size();
            for (; i < e; ++i)
                cls[i] = kString;
            g_closingQuote[e - 1] = true;
        } else if (c == '"' || c == '\'') {
            const RefClass k = c == '"' ? kString : kChar;
            cls[i++] = k;
            while (i < n && t[i] != c && t[i] != '\n') {
                if (t[i] == '\\' && i + 1 < n) {
                    cls[i++] = k;
                }
                cls[i++] = k;
            }
            if (i < n && t[i] == c) {
                g_closingQuote[i] = true;
                cls[i++] = k;
            }
        } else {
            ++i;
        }
    }
    return cls;
}

std::vector<std::string> SourceFiles(const std::string& dir)
{
    std::vector<std::string> out;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return out;
    while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = dir + "/" + name;
        struct stat st;
        if (stat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            auto sub = SourceFiles(path);
            out.insert(out.end(), sub.begin(), sub.end());
        } else if (name.size() > 3 && (name.substr(name.size() - 3) == ".cc" || name.substr(name.size() - 2) == ".h")) {
            out.push_back(path);
        }
    }
    closedir(d);
    return out;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Files with literals or line comments that go on over a line end (a
// backslash line splice, a raw string of several lines) are left out of the
// position checks: the helpers, like the editor, take each line on its own
// there.
bool HasSplicedCommentOrLiteral(const std::string& t, const std::vector<RefClass>& cls)
{
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '\n' && i > 0 && (cls[i - 1] == kString || cls[i - 1] == kChar) && !g_closingQuote[i - 1])
            return true;
        else if (t[i] == '\\' && t[i + 1] == '\n' && cls[i] == kComment)
            return true;
    return false;
}

class RealSourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files = SourceFiles(kSourceRoot);
        if (files.empty())
            GTEST_SKIP() << "googletest sources not installed at " << kSourceRoot;
    }
    std::vector<std::string> files;
};

TEST_F(RealSourcesTest, BracketsMatchAsTheCompilerSeesThem)
{
    size_t pairs = 0;
    for (const std::string& path : files) {
        const std::string text = ReadAll(path);
        const std::vector<RefClass> cls = ReferenceScan(text);
        const char* base = text.c_str();
        std::vector<size_t> stack;
        int balance = 0;
        int failures = 0;
        for (size_t i = 0; i < text.size() && failures < 5; ++i) {
            if (cls[i] != kCode || (text[i] != '{' && text[i] != '}'))
                continue;
            if (text[i] == '{') {
                stack.push_back(i);
                ++balance;
                continue;
            }
            --balance;
            if (stack.empty())
                continue;
            const size_t open = stack.back();
            stack.pop_back();
            ++pairs;
            const char* close = FindClosingBracket(base + open, true, base);
            const char* opening = FindOpeningBracket(base + i, true, base);
            if (close != base + i || opening != base + open) {
                ++failures;
                ADD_FAILURE() << path << ": brace at " << open << " pairs with " << i << ", found "
                              << (close ? close - base : -1) << " and " << (opening ? opening - base : -1);
            }
        }
        EXPECT_EQ(CountBraceBalance(base + text.size() - 1, static_cast<int>(text.size())), balance) << path;
        EXPECT_EQ(CountBracketBalance(base, nullptr, '{', base), balance) << path;
    }
    EXPECT_GT(pairs, 5000u);
}

TEST_F(RealSourcesTest, StringAndCommentTestsAgreeWithTheCompiler)
{
    size_t checked = 0;
    for (const std::string& path : files) {
        const std::string text = ReadAll(path);
        const std::vector<RefClass> cls = ReferenceScan(text);
        if (HasSplicedCommentOrLiteral(text, cls))
            continue;
        const char* base = text.c_str();
        int failures = 0;
        for (size_t i = 0; i < text.size() && failures < 5; ++i) {
            const char c = text[i];
            // Where a judgement is interesting: delimiters and brackets, and a
            // sample of everything else.
            if (!(c == '{' || c == '}' || c == '"' || c == '\'' || c == '/' || c == '*' || i % 61 == 0))
                continue;
            // A closing quote is outside its literal for the helpers.
            const bool wantString = (cls[i] == kString || cls[i] == kChar) && !g_closingQuote[i];
            const bool wantComment = cls[i] == kComment;
            const bool isString = IsInsideString(base + i, base);
            const bool isComment = IsInsideComment(base + i, base);
            ++checked;
            if (isComment != wantComment || (!wantComment && isString != wantString)) {
                ++failures;
                const size_t from = i < 30 ? 0 : i - 30;
                ADD_FAILURE() << path << " at " << i << ": comment " << isComment << "/" << wantComment << ", string "
                              << isString << "/" << wantString << " in: " << text.substr(from, 60);
            }
        }
    }
    EXPECT_GT(checked, 100000u);
}

TEST_F(RealSourcesTest, ColouringShowsCommentsAndStringsAsTheCompilerSeesThem)
{
    FreeSyntaxTemplates();
    MemoryProfile profile;
    CreateDefaultSyntaxTemplate(profile);
    const CSyntaxTemplate* tmpl = g_SyntaxTemplates[0].get();
    CColorEditCore core;
    for (const std::string& path : files) {
        std::string text = ReadAll(path);
        const std::vector<RefClass> cls = ReferenceScan(text);
        if (HasSplicedCommentOrLiteral(text, cls))
            continue;
        for (char& c : text)
            if (c == '\n')
                c = '\r';
        ASSERT_EQ(core.SetText(text.c_str()), 1);
        ASSERT_EQ(core.GetTextLength(), static_cast<int>(text.size())) << path;
        // Page by page, as painting colours it.
        const int lines = core.GetLineCount();
        for (int line = 0; line < lines; line += 40) {
            const int from = core.GetLineOffset(line);
            const int to = line + 40 < lines ? core.GetLineOffset(line + 40) : core.GetTextLength();
            ColorizeRange(core, tmpl, from, to);
        }
        const uint8_t* attr = core.GetAttrBuffer();
        int failures = 0;
        for (size_t i = 0; i < text.size() && failures < 5; ++i) {
            if (text[i] == '\r')
                continue;
            const bool comment = attr[i] == 4;
            const bool string = attr[i] == 6;
            if (comment != (cls[i] == kComment) || string != (cls[i] == kString)) {
                ++failures;
                const size_t from = i < 30 ? 0 : i - 30;
                ADD_FAILURE() << path << " at " << i << ": colour " << int(attr[i]) << ", class " << char(cls[i])
                              << " in: " << text.substr(from, 60);
            }
        }
    }
    FreeSyntaxTemplates();
    g_bSyntaxColoring = 0;
}

} // namespace
