// Syntax templates: how the editor colours one kind of source file.
//
// A template has a name (also the name of its profile section), the files it
// applies to (blank-separated wildcard masks; the single mask "*.*" marks the
// fallback template), a comment colour value (-1: comments are not coloured)
// and an ordered list of keywords, each with a colour index and option bits.
// All templates live in g_SyntaxTemplates. Editors hold a weak reference to
// the template chosen for their file, so a template that the colour dialogs
// delete simply stops colouring those editors instead of leaving them with a
// freed record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/editctl/edit_core.h" // SYNTAX_* option bits

class CSyntaxProfile;

struct SyntaxKeyword {
    std::string text; // may hold CRs; the empty text is the comment entry
    int length = 0;   // the text's length when it was added
    int32_t value = 0; // colour index and SYNTAX_* option bits
};

class CSyntaxTemplate {
public:
    std::vector<SyntaxKeyword> keywords; // colouring order = profile order
    std::string FileAssoc;
    std::string name;
    int32_t commentValue = -1;
};

typedef std::shared_ptr<CSyntaxTemplate> SyntaxTemplatePtr;
typedef std::weak_ptr<CSyntaxTemplate> SyntaxTemplateRef;

// Every template, in list order.
extern std::vector<SyntaxTemplatePtr> g_SyntaxTemplates;

// The syntax-colouring switch (setting "Syntax" of "DefaultSettings").
extern int g_bSyntaxColoring;

// Adds a keyword or, when one with exactly this text exists, replaces its
// value. The empty text also sets the comment value.
void AddSyntaxKeyword(CSyntaxTemplate& tmpl, const std::string& text, int32_t value);

// 1 when a keyword with exactly this text was removed, else 0. The empty text
// also sets the comment value to -1, found or not.
int RemoveSyntaxKeyword(CSyntaxTemplate& tmpl, const std::string& text);

// The template for a file: the first whose FileAssoc is not "*.*" and
// matches the name, else the first "*.*" template, else none.
SyntaxTemplatePtr FindSyntaxTemplate(const char* fileName);

// Reads every template from the profile and appends it to g_SyntaxTemplates.
void LoadSyntaxTemplates(CSyntaxProfile& profile);

// When the profile lists no template: builds the built-in "C/C++" template
// and the 8051 assembler one, records them in "SyntaxTemplates", saves them
// and switches colouring on. Returns true when it did so.
inline constexpr const char kAsmTemplateName[] = "8051 Assembler";
bool CreateDefaultSyntaxTemplate(CSyntaxProfile& profile);

// Writes every template's section (FileAssoc, number, syntax%d). The list of
// templates in "SyntaxTemplates" is written by whoever adds, renames or
// deletes templates. false when a write failed.
bool SaveSyntaxTemplates(CSyntaxProfile& profile);

// Writes "SyntaxTemplates": number and template%d for the whole list.
bool SaveSyntaxTemplateList(CSyntaxProfile& profile);

// Removes a template from the list; editors that still refer to it stop
// colouring with it. Its profile section is left for the caller to empty.
void DeleteSyntaxTemplate(const SyntaxTemplatePtr& tmpl);

// Empties the list (at exit, after saving).
void FreeSyntaxTemplates();

// Checks a template name before a template is created or renamed: an empty
// text when it may be used, else the message to show. A name must not be
// empty, must not hold "[", "]", "=" or a control character, must not name a
// section the program keeps other settings in (saving a template empties its
// section), and must not be the name of another template (other than
// `self`).
std::string CheckSyntaxTemplateName(const std::string& name, CSyntaxProfile& profile,
                                    const CSyntaxTemplate* self = nullptr);

// Checks a keyword text before it is added: an empty text when it survives a
// save and a load unchanged, else the message to show. Commas and CRs are
// stored faithfully; a LF, the two characters backslash and "n" (which read
// back as a line break), a leading blank or tab, and other control
// characters are refused.
std::string CheckSyntaxKeyword(const std::string& text);

// The profile value of a keyword ("%s,%d" with every CR written as "\n") and
// its reading back: the text ends at the LAST comma, since the number never
// holds one; an entry without a comma is the comment entry.
std::string FormatSyntaxEntry(const SyntaxKeyword& keyword);
void ParseSyntaxEntry(const std::string& entry, std::string& text, int32_t& value);
