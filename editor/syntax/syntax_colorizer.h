// Line colouring: writes colour indexes of a template into the attribute
// bytes of a text core. Block and line comments first, in the template's
// comment colour, then every keyword in its own colour, never over comment.
//
// The syntax-aware control colours only what it is about to paint: from the
// line of the first change (its paint start) to the end of the visible page.
#pragma once

#include "editor/editctl/edit_core.h"
#include "editor/syntax/comment_index.h"
#include "editor/syntax/syntax_template.h"

// Colours [start, end) of the core's text; start -1 means the first visible
// line (m_nTopOffset), end -1 the end of the visible page. Result -1 when
// the resolved start is not below the end, else 0. Without a template the
// range is only cleared to colour 0. With an index, whether the range starts
// inside a block comment is answered from it instead of a search back
// through the text.
int ColorizeRange(CColorEditCore& core, const CSyntaxTemplate* tmpl, int start, int end,
                  CCommentIndex* index = nullptr);

// The keyword pass alone, over [start, end), keeping comment colour.
void ColorizeKeywords(CColorEditCore& core, const CSyntaxTemplate* tmpl, int start, int end);

// The colouring before a paint: when the syntax-colouring switch is on,
// colours from the start of the line that holds paintStart (-1: from the
// first visible line) to the end of the visible page. Returns the paint
// start moved to its line start (-1 stays -1). The paint start is the first
// offset changed since the last paint; the index learns it.
int RecolourForPaint(CColorEditCore& core, const CSyntaxTemplate* tmpl, int paintStart,
                     CCommentIndex* index = nullptr);

// The attribute byte that marks comment for a template (the low byte of its
// comment value), or -1 when the template colours no comments.
int CommentAttribute(const CSyntaxTemplate* tmpl);
