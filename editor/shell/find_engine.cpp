#include "editor/shell/find_engine.h"

#include "editor/syntax/syntax_template.h"
#include "editor/syntax/undo_step.h"
#include "editor/syntax/window/ncoloreditctrl.h"
#include "editor/tools/replace_text.h"

#include "winui/msgbox.h"

#include <cctype>
#include <vector>

namespace {

const char search_caption[] = "Search";

int EditorFlags(const SearchRequest& request, bool forward)
{
    int flags = kFindNoFocus;
    if (forward)
        flags |= kFindForward;
    if (request.flags & kSearchWholeWords)
        flags |= kFindWholeWord;
    if (request.flags & kSearchMatchCase)
        flags |= kFindMatchCase;
    return flags;
}

// The first hit from an offset on (forward) or at or before it (backward),
// selected; -1 when there is none (the selection then stays).
int FindSelected(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context, int from,
                 bool forward)
{
    if (from < 0 || (forward && from > editor.GetTextLength()))
        return -1;
    return editor.FindTextSkipComments(request.text, EditorFlags(request, forward), from, forward ? -1 : 0, true,
                                       context.skipComments);
}

int FindUnselected(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context, int from,
                   bool forward)
{
    if (from < 0 || (forward && from > editor.GetTextLength()))
        return -1;
    return editor.FindTextSkipComments(request.text, EditorFlags(request, forward), from, forward ? -1 : 0, false,
                                       context.skipComments);
}

bool SameText(const std::string& a, const std::string& b, bool matchCase)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (x != y && (matchCase || std::tolower(x) != std::tolower(y)))
            return false;
    }
    return true;
}

// Replaces the selected hit; the caret stands behind the replacement.
// Returns the replacement's length.
int ReplaceSelectedHit(CNColorEditCtrl& editor, const SearchRequest& request)
{
    const std::string found = editor.Core().GetSelText();
    const std::string replacement = ReplacementFor(request, found);
    editor.ReplaceSel(replacement.c_str(), true);
    return static_cast<int>(replacement.size());
}

void SelectionLength(CNColorEditCtrl& editor, int* start, int* length)
{
    int s = 0, e = 0;
    editor.GetSel(s, e);
    *start = s;
    *length = e - s;
}

void AfterSearch(CNColorEditCtrl& editor, const FindContext& context)
{
    editor.SetFocus();
    if (context.caretMoved)
        context.caretMoved(editor);
}

bool HasText(const SearchRequest& request) { return request.text && *request.text; }

// Runs a replacement pass with redraw and syntax colouring off, and puts
// both back as they were afterwards. The pass is one undo step of two
// records, the text it changed and the text it wrote, whatever the number
// of hits: a record per hit would overrun the document's undo pool, which
// then keeps only the last part of the pass.
class CBulkReplace {
public:
    CBulkReplace(CNColorEditCtrl& editor, const FindContext& context)
        : editor_(editor), context_(context), syntax_(g_bSyntaxColoring),
          cursor_(SetCursor(LoadCursor(nullptr, IDC_WAIT))), step_(editor.Core())
    {
        g_bSyntaxColoring = 0;
        if (context_.frameRedraw)
            context_.frameRedraw(false);
    }
    ~CBulkReplace()
    {
        step_.End();
        // The user's setting, not "on": a user who colours nothing keeps it so.
        g_bSyntaxColoring = syntax_;
        if (syntax_)
            editor_.ColorizeRange(0, editor_.GetTextLength());
        if (context_.frameRedraw)
            context_.frameRedraw(true);
        editor_.InvalidateText(1);
        SetCursor(cursor_);
    }

private:
    CNColorEditCtrl& editor_;
    const FindContext& context_;
    int syntax_;
    HCURSOR cursor_;
    CSingleUndoStep step_;
};

// Every hit from pos up to (not starting at or after) limit, -1 the text
// end; the search goes on behind each replacement. Adds to *count; returns
// the limit moved by the replacements' length changes.
int ReplaceForward(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context, int pos,
                   int limit, int* count)
{
    for (;;) {
        const int hit = FindUnselected(editor, request, context, pos, true);
        if (hit < 0 || (limit >= 0 && hit >= limit))
            break;
        FindSelected(editor, request, context, hit, true);
        int start = 0, length = 0;
        SelectionLength(editor, &start, &length);
        const int written = ReplaceSelectedHit(editor, request);
        ++*count;
        if (limit >= 0)
            limit += written - length;
        pos = hit + written;
    }
    return limit;
}

} // namespace

std::string ReplacementFor(const SearchRequest& request, const std::string& found)
{
    const std::string replacement = request.replacement ? request.replacement : "";
    if (request.flags & kSearchKeepCase)
        return AdaptReplacementCase(found, replacement);
    return replacement;
}

int FindNextInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context)
{
    if (!HasText(request))
        return 0;
    int start = 0, end = 0;
    editor.GetSel(start, end);
    const uint32_t direction = request.flags & kSearchDirectionMask;
    int hit = -1;
    if (direction == kSearchForward) {
        hit = FindSelected(editor, request, context, end > start ? end : start, true);
    } else if (direction == kSearchBackward) {
        if (start > 0)
            hit = FindSelected(editor, request, context, start - 1, false);
    } else {
        // Both ways: a selected hit is passed over (one after its start);
        // a plain caret standing on a hit finds that hit.
        hit = FindSelected(editor, request, context, end > start ? start + 1 : start, true);
        if (hit < 0)
            hit = FindSelected(editor, request, context, 0, true);
    }
    if (hit < 0) {
        const bool lastHitSelected =
            SameText(editor.Core().GetSelText(), request.text, (request.flags & kSearchMatchCase) != 0);
        const char* text = "Text not found";
        if (lastHitSelected && direction == kSearchForward)
            text = "End of document reached";
        else if (lastHitSelected && direction == kSearchBackward)
            text = "Begin of document reached";
        winui::ShowMessageBox(context.owner, text, search_caption, MB_OK | MB_ICONINFORMATION);
    }
    AfterSearch(editor, context);
    return hit < 0 ? -1 : 1;
}

int ReplaceNextInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context)
{
    if (!HasText(request))
        return 0;
    int start = 0, end = 0;
    editor.GetSel(start, end);
    editor.SetSel(start, start, false, true);
    const bool forward = (request.flags & kSearchDirectionMask) != kSearchBackward;
    const int hit = FindUnselected(editor, request, context, start, forward);
    if (hit != start) {
        AfterSearch(editor, context);
        return 0;
    }
    FindSelected(editor, request, context, hit, forward);
    ReplaceSelectedHit(editor, request);
    FindNextInEditor(editor, request, context);
    return 1;
}

int ReplaceAllInEditor(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context)
{
    if (!HasText(request))
        return 0;
    int count = 0;
    {
        CBulkReplace bulk(editor, context);
        int start = 0, end = 0;
        editor.GetSel(start, end);
        const int caret = start;
        const uint32_t direction = request.flags & kSearchDirectionMask;
        if (direction == kSearchBackward) {
            // Hits that end at or before the caret, the nearest first; each
            // further one ends at or before the start of the last.
            int bound = caret;
            int pos = caret - 1;
            while (pos >= 0) {
                const int hit = FindSelected(editor, request, context, pos, false);
                if (hit < 0)
                    break;
                int s = 0, length = 0;
                SelectionLength(editor, &s, &length);
                if (hit + length <= bound) {
                    ReplaceSelectedHit(editor, request);
                    ++count;
                    bound = hit;
                }
                pos = hit - 1;
            }
        } else {
            ReplaceForward(editor, request, context, caret, -1, &count);
            if (direction == kSearchBothWays)
                ReplaceForward(editor, request, context, 0, caret, &count);
        }
    }
    AfterSearch(editor, context);
    return count;
}

int ReplaceAllFromStart(CNColorEditCtrl& editor, const SearchRequest& request, const FindContext& context)
{
    if (!HasText(request))
        return 0;
    int count = 0;
    {
        CBulkReplace bulk(editor, context);
        ReplaceForward(editor, request, context, 0, -1, &count);
        editor.SetSel(0, 0, true, false);
    }
    if (context.caretMoved)
        context.caretMoved(editor);
    return count;
}
