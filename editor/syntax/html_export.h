// Export of a document as a web page that looks like the editor: its
// background, its font face, the colour of every character and, on request,
// line numbers, in one preformatted block.
#pragma once

#include <cstdint>
#include <string>

#include "editor/editctl/edit_core.h"
#include "editor/syntax/syntax_template.h"

// The colours last written during an export; kHtmlPageStart at the page
// start and kHtmlLineStart at each numbered line, neither a valid colour, so
// that the next character always writes its tags.
const uint32_t kHtmlPageStart = 0x80000000u;
const uint32_t kHtmlLineStart = 0xFFFFFFFFu;

// The tags that switch to the colours of an attribute byte: a font element
// when the text colour changed, a span when the background changed, both
// opened and never closed. Updates the last colours; empty when neither
// changed.
std::string HtmlColorTags(const CColorEditCore& core, uint8_t attr, uint32_t& lastText, uint32_t& lastBack);

// "&" to "&amp;", then "<" and ">"; a CR becomes LF, a tab and its fill
// bytes become blanks (so the columns stay those of the editor) and soft
// breaks are left out.
void AppendHtmlText(std::string& out, const uint8_t* text, int length);

// Writes the page for the core's text to path through a temporary and a
// rename. With syntax colouring on, the whole text is coloured with tmpl
// first. fontFace is the face name of the editor's font. false, with the
// reason in *why, when the file could not be written; no page is then left
// behind and an existing file keeps its contents.
bool ExportHtml(CColorEditCore& core, const CSyntaxTemplate* tmpl, const std::string& path,
                bool withLineNumbers, const std::string& fontFace, std::string* why = nullptr);
