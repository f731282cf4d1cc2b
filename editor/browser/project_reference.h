// The project reference: "project.htm", an HTML page of the C functions
// defined in chosen open documents, with their files, callers, callees,
// prototypes and the descriptions taken from marked comments, filled into
// an HTML template (a file of the user's or the built-in one).
#pragma once

#include <string>
#include <vector>

// Option bits ([DefaultSettings] "HtmlProjectFlags").
enum : unsigned {
    kReferenceIndex = 0x01,          // alphabetical function list
    kReferenceMultipleCalls = 0x02,  // a repeated call is listed again
    kReferenceLineNumbers = 0x04,    // "implemented in" shows the line
    kReferenceIndentComments = 0x08, // descriptions inside a body indented by brace level
    kReferenceOwnTemplate = 0x10,    // the dialog's choice of template
};

// A chosen document as the user-interface thread copied it: its title (may
// end with the modified mark " *"), path name and editor text with the soft
// line breaks of word wrap taken out.
struct ReferenceDocument {
    std::string title;
    std::string path;
    std::string text;
};

// The built-in template.
const std::string& BuiltInReferenceTemplate();

// Where the page goes: beside the workspace file when one is open, else
// "project.htm" in the given folder (the active document's).
std::string ProjectHtmlPath(const std::string& workspacePath, const std::string& folder);

enum project_html_result {
    PROJECT_HTML_OK = 0,
    PROJECT_HTML_NO_TEMPLATE,     // the template file cannot be read
    PROJECT_HTML_NO_RULE,         // the template has no "<hr>" (nor "<HR>")
    PROJECT_HTML_WRITE_FAILED,    // the page cannot be written; an older one stays
};

// The page's text for a template text (empty: the built-in one). False when
// the template has no "<hr>".
bool BuildProjectHtml(const std::string& templateText, unsigned options, const std::vector<ReferenceDocument>& documents,
                      const std::string& workspacePath, std::string& page);

// Reads the template (an empty path: the built-in one), builds the page and
// writes it to outputPath through a temporary and a rename. On failure *why
// (when given) says what went wrong.
project_html_result WriteProjectHtml(const std::string& templatePath, unsigned options,
                                     const std::vector<ReferenceDocument>& documents,
                                     const std::string& workspacePath, const std::string& outputPath,
                                     std::string* why = nullptr);
