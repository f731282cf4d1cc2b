// Template records, the built-in template, the profile format and the
// choice of a template by file name.
#include "editor/syntax/syntax_template.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include "editor/syntax/file_mask.h"
#include "editor/syntax/syntax_profile.h"

std::vector<SyntaxTemplatePtr> g_SyntaxTemplates;
int g_bSyntaxColoring = 0;

static const char kListSection[] = "SyntaxTemplates";

void AddSyntaxKeyword(CSyntaxTemplate& tmpl, const std::string& text, int32_t value)
{
    if (text.empty())
        tmpl.commentValue = value;
    for (SyntaxKeyword& k : tmpl.keywords) {
        if (k.text == text) {
            k.value = value;
            return;
        }
    }
    SyntaxKeyword k;
    k.text = text;
    k.length = static_cast<int>(text.size());
    k.value = value;
    tmpl.keywords.push_back(k);
}

int RemoveSyntaxKeyword(CSyntaxTemplate& tmpl, const std::string& text)
{
    if (text.empty())
        tmpl.commentValue = -1;
    for (auto it = tmpl.keywords.begin(); it != tmpl.keywords.end(); ++it) {
        if (it->text == text) {
            tmpl.keywords.erase(it);
            return 1;
        }
    }
    return 0;
}

SyntaxTemplatePtr FindSyntaxTemplate(const char* fileName)
{
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates)
        if (t->FileAssoc != "*.*" && MatchFileMask(fileName ? fileName : "", t->FileAssoc.c_str()))
            return t;
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates)
        if (t->FileAssoc == "*.*")
            return t;
    return nullptr;
}

std::string FormatSyntaxEntry(const SyntaxKeyword& keyword)
{
    std::string out;
    for (char c : keyword.text) {
        if (c == '\r')
            out += "\\n";
        else
            out += c;
    }
    return out + "," + std::to_string(keyword.value);
}

void ParseSyntaxEntry(const std::string& entry, std::string& text, int32_t& value)
{
    std::string plain;
    for (size_t i = 0; i < entry.size(); ++i) {
        if (entry[i] == '\\' && i + 1 < entry.size() && entry[i + 1] == 'n') {
            plain += '\r';
            ++i;
        } else {
            plain += entry[i];
        }
    }
    const size_t comma = plain.rfind(',');
    if (comma == std::string::npos) {
        text.clear();
        value = ParseProfileInt(plain);
        return;
    }
    text = plain.substr(0, comma);
    value = ParseProfileInt(plain.substr(comma + 1));
}

namespace {

// The numbers n, first <= n < end, of the section's keys named prefix + n
// (n written as the profile writes it: decimal, no leading zero), ascending.
// The counts in a profile are only what its writer claimed; the keys are
// what the file holds.
std::set<int> NumberedKeys(CSyntaxProfile& profile, const std::string& section, const std::string& prefix,
                           long long first, long long end)
{
    std::set<int> numbers;
    for (const std::string& key : profile.GetKeys(section)) {
        if (key.size() <= prefix.size() || key.size() > prefix.size() + 10)
            continue;
        bool match = true;
        for (size_t i = 0; i < prefix.size() && match; ++i)
            match = std::tolower(static_cast<unsigned char>(key[i])) == prefix[i];
        const std::string digits = key.substr(prefix.size());
        if (!match || (digits.size() > 1 && digits[0] == '0') ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long long n = std::stoll(digits);
        if (n >= first && n < end)
            numbers.insert(static_cast<int>(n));
    }
    return numbers;
}

} // namespace

void LoadSyntaxTemplates(CSyntaxProfile& profile)
{
    const int count = profile.GetInt(kListSection, "number", 0);
    // Every listed template the section holds; a missing entry within the
    // section's size still gives a nameless template, as it always did.
    std::set<int> listed = NumberedKeys(profile, kListSection, "template", 0, count);
    const int held = std::min(count, static_cast<int>(profile.GetKeys(kListSection).size()));
    for (int i = 0; i < held; ++i)
        listed.insert(i);
    for (int i : listed) {
        auto tmpl = std::make_shared<CSyntaxTemplate>();
        std::string name = profile.GetString(kListSection, "template" + std::to_string(i), "");
        if (name == "SyntaxColors")
            name = "C/C++";
        tmpl->name = name;
        tmpl->FileAssoc = profile.GetString(name, "FileAssoc", "*.*");
        const int words = profile.GetInt(name, "number", 0);
        const std::set<int> entries = NumberedKeys(profile, name, "syntax", 1, words + 1LL);
        for (auto j = entries.rbegin(); j != entries.rend(); ++j) {
            const std::string entry = profile.GetString(name, "syntax" + std::to_string(*j), "");
            if (entry.empty())
                continue;
            std::string text;
            int32_t value = 0;
            ParseSyntaxEntry(entry, text, value);
            AddSyntaxKeyword(*tmpl, text, value);
        }
        g_SyntaxTemplates.push_back(tmpl);
    }
}

namespace {
struct BuiltInRow {
    int32_t value;
    const char* words[17];
};
const BuiltInRow kBuiltIn[] = {
    {0x1000001, {"#ifdef", "#ifndef", "#define", "#endif", "#undef", "#elif", "#if", "#else", "defined", "void",
                 "char", "unsigned", "int", "short", "long", "typedef"}},
    {0x1000002, {"if", "else"}},
    {0x1000001, {"extern", "static"}},
    {0x1000002, {"switch", "case", "do", "while", "BYTE", "default", "break", "for"}},
    {0x1000001, {"const"}},
    {0x1000002, {"return"}},
    {0x1000001, {"enum", "register", "struct", "volatile"}},
    {0x1000002, {"FALSE", "TRUE"}},
    {0x14000006, {"\";\""}},
    {0x1000001, {"continue", "void", "char", "unsigned", "int", "short", "long", "typedef", "extern"}},
    {3, {"#pragma"}},
    {0x1000003, {"#include"}},
};

// The suite's own assembler sources: Morrin's mnemonics, the 8051's
// registers and Morrin's directives as whole words of any case, ";"
// comments to the line end and quoted texts.
const int32_t kAsmWord = 0x01000000 | 0x04000000; // whole word, not case-sensitive
const char* const kAsmMnemonics[] = {
    "acall", "add",  "addc", "ajmp", "anl",  "cjne",  "clr",  "cpl",  "da",   "dec",  "div",  "djnz",
    "illegal", "inc", "jb",  "jbc",  "jc",   "jmp",   "jnb",  "jnc",  "jnz",  "jz",   "lcall", "ljmp",
    "mov",  "movc", "movx", "mul",  "nop",  "orl",   "pop",  "push", "ret",  "reti", "rl",   "rlc",
    "rr",   "rrc",  "setb", "sjmp", "subb", "swap",  "xch",  "xchd", "xrl",  nullptr};
const char* const kAsmRegisters[] = {"a",  "b",  "c",  "ab", "dptr", "pc", "r0", "r1", "r2",
                                     "r3", "r4", "r5", "r6", "r7",   nullptr};
const char* const kAsmDirectives[] = {
    ".segment", ".sgraph", ".include", ".ibytes", ".message", ".error",  ".macro", ".endmacro",
    ".if",      ".ifdef",  ".ifndef",  ".else",   ".endif",   ".show",   ".hide",  ".line",
    ".import",  ".export", ".use",     ".autoimport", ".end",  ".ds.b",  ".ds.w",  ".ds.l",
    ".ds.f",    ".dc.b",   ".dc.w",    ".dc.l",   ".dc.f",    nullptr};

void AddWords(CSyntaxTemplate& tmpl, const char* const* words, int32_t value)
{
    for (const char* const* w = words; *w; ++w)
        AddSyntaxKeyword(tmpl, *w, value);
}
} // namespace

bool CreateDefaultSyntaxTemplate(CSyntaxProfile& profile)
{
    if (profile.GetInt(kListSection, "number", 0) != 0)
        return false;
    auto tmpl = std::make_shared<CSyntaxTemplate>();
    tmpl->name = "C/C++";
    tmpl->FileAssoc = "*.c *.h *.cpp";
    g_SyntaxTemplates.push_back(tmpl);
    AddSyntaxKeyword(*tmpl, "", 0x1000004);
    tmpl->commentValue = 4;
    for (const BuiltInRow& row : kBuiltIn)
        for (const char* const* w = row.words; *w; ++w)
            AddSyntaxKeyword(*tmpl, *w, row.value);

    auto asm51 = std::make_shared<CSyntaxTemplate>();
    asm51->name = kAsmTemplateName;
    asm51->FileAssoc = "*.a51 *.s51";
    g_SyntaxTemplates.push_back(asm51);
    // Later entries colour over earlier ones: texts over words, comments
    // over everything.
    AddWords(*asm51, kAsmMnemonics, kAsmWord | 2);
    AddWords(*asm51, kAsmRegisters, kAsmWord | 1);
    AddWords(*asm51, kAsmDirectives, kAsmWord | 3);
    AddSyntaxKeyword(*asm51, "\";\"", SYNTAX_BETWEEN_STRINGS | SYNTAX_IGNORE_CASE | 6);
    AddSyntaxKeyword(*asm51, "';'", SYNTAX_BETWEEN_STRINGS | SYNTAX_IGNORE_CASE | 6);
    AddSyntaxKeyword(*asm51, ";", SYNTAX_TO_LINE_END | 4);

    SaveSyntaxTemplateList(profile);
    SaveSyntaxTemplates(profile);
    g_bSyntaxColoring = 1;
    return true;
}

bool SaveSyntaxTemplates(CSyntaxProfile& profile)
{
    bool ok = true;
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates) {
        ok &= profile.EmptySection(t->name);
        ok &= profile.WriteString(t->name, "FileAssoc", t->FileAssoc);
        const int count = static_cast<int>(t->keywords.size());
        ok &= profile.WriteInt(t->name, "number", count);
        int key = count;
        for (const SyntaxKeyword& k : t->keywords)
            ok &= profile.WriteString(t->name, "syntax" + std::to_string(key--), FormatSyntaxEntry(k));
    }
    return ok;
}

bool SaveSyntaxTemplateList(CSyntaxProfile& profile)
{
    bool ok = profile.WriteInt(kListSection, "number", static_cast<int>(g_SyntaxTemplates.size()));
    for (size_t i = 0; i < g_SyntaxTemplates.size(); ++i)
        ok &= profile.WriteString(kListSection, "template" + std::to_string(i), g_SyntaxTemplates[i]->name);
    return ok;
}

void DeleteSyntaxTemplate(const SyntaxTemplatePtr& tmpl)
{
    g_SyntaxTemplates.erase(std::remove(g_SyntaxTemplates.begin(), g_SyntaxTemplates.end(), tmpl),
                            g_SyntaxTemplates.end());
}

void FreeSyntaxTemplates() { g_SyntaxTemplates.clear(); }

static bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Sections that hold the program's other settings.
static const char* const kReservedSections[] = {
    "SyntaxTemplates", "DefaultSettings", "TagConfig", "OpenFiles", "ClosedFiles", "FIND", "REPLACE",
    "Ovanta", "Project", "Print", "PrintFont", "Font", "OutWndFont", "Bookmarks", "Settings",
    "ColorTable", "Specials", "ShortCuts", "RecentProjectList", "Recent File List", "Recent Workspace List",
};

static bool IsToolSection(const std::string& name)
{
    static const char prefix[] = "ExecApplication";
    const size_t n = sizeof prefix - 1;
    if (name.size() < n || !SameName(name.substr(0, n), prefix))
        return false;
    return std::all_of(name.begin() + n, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string CheckSyntaxTemplateName(const std::string& name, CSyntaxProfile& profile, const CSyntaxTemplate* self)
{
    if (name.empty())
        return "A syntax template needs a name.";
    for (char c : name)
        if (c == '[' || c == ']' || c == '=' || static_cast<unsigned char>(c) < ' ')
            return "The name of a syntax template must not contain \"[\", \"]\", \"=\" or control characters.";
    if (name.front() == ' ' || name.back() == ' ')
        return "The name of a syntax template must not begin or end with a blank.";
    for (const SyntaxTemplatePtr& t : g_SyntaxTemplates)
        if (t.get() != self && SameName(t->name, name))
            return "A syntax template named \"" + name + "\" exists already.";
    bool reserved = IsToolSection(name);
    for (const char* r : kReservedSections)
        reserved = reserved || SameName(r, name);
    if (self && SameName(self->name, name))
        return "";
    if (reserved || profile.HasSection(name))
        return "The name \"" + name + "\" is used by other settings; saving the template would erase them. "
               "Choose another name.";
    return "";
}

std::string CheckSyntaxKeyword(const std::string& text)
{
    if (!text.empty() && (text[0] == ' ' || text[0] == '\t'))
        return "A keyword must not begin with a blank or a tab.";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n')
            return "A keyword may hold line breaks only as CR; it must not contain a line feed.";
        if (c < ' ' && c != '\r' && c != '\t')
            return "A keyword must not contain control characters.";
        if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'n')
            return "A keyword must not contain a backslash followed by \"n\": it would be read back as a line break.";
    }
    return "";
}
