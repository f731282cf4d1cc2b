// zavit_text: the editor's rules on file names and text that need no window:
// backup names, the file name and line number under the caret, printed
// lines and page counts, and the "@" argument files of its command line.
#pragma once

#include <string>
#include <vector>

// The backup of a file: the text from the last '.' of the file name (not of
// the folders above it) replaced by ".BAK"; ".BAK" appended without one.
std::string zavit_backup_name(const std::string& path);

// Line ends: a file whose lines end in LF alone (an LF and no CR in it) is
// written back with LF alone; the control hands its text out with CR LF.
bool zavit_lf_only(const std::string& bytes);
// The text with each CR LF pair made a single LF (other bytes unchanged).
std::string zavit_lf_line_ends(const std::string& text);

// Where a text may be cut in two for streaming it into a window that shows
// `lines` lines of `columns` characters: after the line that overflows the
// window's height or after the first line at least as wide as the window,
// whichever comes later, so that the first part alone brings every scroll
// bar the whole text needs. Lines end in LF, CR LF or a CR alone (a CR LF
// pair is never cut); a tab reaches the next multiple of 8 columns. The
// text's size when the first part would be all of it.
size_t zavit_first_part(const std::string& bytes, size_t lines, size_t columns);

// A character that may stand in a file name under the caret: a digit, a
// letter, '_', '\', '/', '.' or ':'.
bool zavit_name_char(char c);

// A file name (with an optional line number) read from text that starts at
// the name: the name's characters, then blanks or tabs and a number directly
// followed by ':'. False when the name has no '.' after its first character
// or its extension is not 1 to 8 characters long.
struct ZavitNameAt {
    std::string name;
    int line = 0; // 0: none (numbers above 50000 are none)
};
bool zavit_parse_name_at(const std::string& text, ZavitNameAt& out);

// One line of the text as printed: up to the first CR, LF or NUL, at most
// 199 characters, each tab expanded with blanks to the next multiple of 8.
std::string zavit_print_line(const char* text, size_t length);
// Lines per page for a band height and line height: the height divided by
// the line height, rounded to the nearest integer, minus 1 (never below 0).
int zavit_lines_per_page(int bandHeight, int lineHeight);
// Pages of a text of lineCount lines: lineCount / linesPerPage + 1.
int zavit_page_count(int lineCount, int linesPerPage);

// Where the print preview shows page index (0 or 1) in a client of
// clientW by clientH for a printer page of pageW by pageH: the first page 15
// units from the client's left and top; R = 100 × the smaller page side ÷
// the larger. When R × clientW ÷ 100 > clientH it ends 15 above the bottom
// and is (pageW × 95 ÷ pageH) percent of its height wide; otherwise it ends
// 15 left of the right and is (pageH × 95 ÷ pageW) percent of its width high
// (unless that page would run past the client's bottom: then the first
// form). The second page stands 30 right of the first, of the same size.
struct ZavitPageBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};
ZavitPageBox zavit_preview_page(int index, int clientW, int clientH, int pageW, int pageH);

// The command line with "@" argument files replaced by their words (runs of
// characters above blank). At most 511 entries are used: a list that reaches
// 512 is "too many arguments". False with the message in *error
// ("unable to open argument file '%s'", "argument too long", "too many
// arguments"); argument files do not nest.
bool zavit_expand_arguments(const std::vector<std::string>& args, std::vector<std::string>& out,
                            std::string* error);
