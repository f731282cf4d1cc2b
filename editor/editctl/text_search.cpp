// Searching the text: FindText forward and backward with escapes, case and
// whole words; the backward helpers; keyword marking for syntax colouring.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace {

bool is_letter(uint8_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_word_byte(uint8_t c)
{
    return is_letter(c) || (c >= '0' && c <= '9') || c == '_';
}

// Equal as bytes, or as letters after clearing bit 0x20.
bool same_char(uint8_t a, uint8_t b, bool matchCase)
{
    if (a == b)
        return true;
    return !matchCase && is_letter(a) && is_letter(b) && (a & ~0x20) == (b & ~0x20);
}

// Compares the pattern with the text at p; the text's terminating zero ends
// any comparison that runs past it.
bool matches_at(const uint8_t* t, int p, const std::string& pat, bool matchCase)
{
    for (size_t k = 0; k < pat.size(); ++k) {
        uint8_t c = t[p + static_cast<int>(k)];
        if (!c || !same_char(c, static_cast<uint8_t>(pat[k]), matchCase))
            return false;
    }
    return true;
}

// The escapes of a search text, decided by its first backslash: a double
// backslash there means every double backslash is one backslash and nothing
// else is an escape; otherwise \n and \r are CR and \t is a tab.
std::string decode_escapes(const char* text)
{
    std::string in(text), out;
    size_t first = in.find('\\');
    if (first == std::string::npos)
        return in;
    bool doubled = first + 1 < in.size() && in[first + 1] == '\\';
    for (size_t i = 0; i < in.size(); ++i) {
        char c = in[i];
        if (c == '\\' && i + 1 < in.size()) {
            char n = in[i + 1];
            if (doubled && n == '\\') {
                out += '\\';
                ++i;
                continue;
            }
            if (!doubled && (n == 'n' || n == 'r')) {
                out += static_cast<char>(kCarriageReturn);
                ++i;
                continue;
            }
            if (!doubled && n == 't') {
                out += static_cast<char>(kTab);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// Finds the first byte of a pattern going forward, either case for a
// letter. Each case form keeps its next position, so a form that is rare (or
// absent) is not searched for again and again after every candidate.
class FirstByteScanner {
public:
    FirstByteScanner(const uint8_t* t, int limit, uint8_t c, bool matchCase)
        : t_(t), limit_(limit), c_(c), both_(!matchCase && is_letter(c))
    {
    }

    // Next offset at or after pos, or -1.
    int Next(int pos)
    {
        int a = Form(0, c_, pos);
        if (!both_)
            return a;
        int b = Form(1, static_cast<uint8_t>(c_ ^ 0x20), pos);
        if (a < 0)
            return b;
        if (b < 0)
            return a;
        return a < b ? a : b;
    }

private:
    int Form(int k, uint8_t c, int pos)
    {
        if (next_[k] == kUnknown || (next_[k] >= 0 && next_[k] < pos) || (next_[k] == kNone && pos < from_[k])) {
            const void* p = pos < limit_ ? std::memchr(t_ + pos, c, static_cast<size_t>(limit_ - pos)) : nullptr;
            next_[k] = p ? static_cast<int>(static_cast<const uint8_t*>(p) - t_) : kNone;
            from_[k] = pos;
        }
        return next_[k] >= 0 ? next_[k] : -1;
    }

    static const int kUnknown = -2;
    static const int kNone = -1;
    const uint8_t* t_;
    int limit_;
    uint8_t c_;
    bool both_;
    int next_[2] = {kUnknown, kUnknown};
    int from_[2] = {0, 0};
};

bool whole_word_at(const uint8_t* t, int length, int p, int len)
{
    if (p > 0 && is_word_byte(t[p - 1]))
        return false;
    if (p + len < length && is_word_byte(t[p + len]))
        return false;
    return true;
}

// Nearest hit whose first byte lies in [bound, start], searching downwards.
int reverse_find(const uint8_t* t, int start, int bound, const std::string& pat, bool matchCase)
{
    uint8_t c0 = static_cast<uint8_t>(pat[0]);
    bool both = !matchCase && is_letter(c0);
    for (int p = start; p >= bound; --p) {
        uint8_t c = t[p];
        if (c == c0 || (both && c == (c0 ^ 0x20))) {
            if (matches_at(t, p, pat, matchCase))
                return p;
        }
    }
    return -1;
}

} // namespace

const uint8_t* ReverseMemChr(const uint8_t* address, int byte, int count)
{
    // The lowest of the count bytes is never reported: callers pass one byte
    // more than the range they want searched.
    for (int i = 0; i < count - 1; ++i) {
        if (*(address - i) == static_cast<uint8_t>(byte))
            return address - i;
    }
    return nullptr;
}

const uint8_t* ReverseFindText(const uint8_t* start, const char* text, const uint8_t* bound, bool matchCase)
{
    if (!start || !text || !*text || !bound || start < bound)
        return nullptr;
    int p = reverse_find(bound, static_cast<int>(start - bound), 0, text, matchCase);
    return p < 0 ? nullptr : bound + p;
}

int CColorEditCore::FindText(const char* text, int flags, int from, int to, bool select)
{
    CTextState& s = *m_pState;
    if (!text || !*text || !s.Text())
        return -1;
    bool forward = (flags & kFindForward) != 0;
    if (forward) {
        if (to == -1 || to > s.length)
            to = s.length;
        if (from < 0)
            from = 0;
        if (from >= to)
            return -1;
    }
    if ((flags & kFindRefuseForward) && to >= from)
        return -1;
    std::string pat = decode_escapes(text);
    if (pat.empty())
        return -1;
    bool matchCase = (flags & kFindMatchCase) != 0;
    bool wholeWord = (flags & kFindWholeWord) != 0;
    const uint8_t* t = s.Text();
    int len = static_cast<int>(pat.size());
    int hit = -1;
    if (forward) {
        int pos = from;
        FirstByteScanner scan(t, to, static_cast<uint8_t>(pat[0]), matchCase);
        while (pos < to) {
            int cand = scan.Next(pos);
            if (cand < 0)
                break;
            if (matches_at(t, cand, pat, matchCase) && (!wholeWord || whole_word_at(t, s.length, cand, len))) {
                hit = cand;
                break;
            }
            pos = cand + 1;
        }
    } else {
        int pos = (from < 0 || from > s.length) ? s.length : from;
        while (pos >= 0) {
            int cand = reverse_find(t, pos, 0, pat, matchCase);
            if (cand < 0)
                break;
            if (!wholeWord || whole_word_at(t, s.length, cand, len)) {
                hit = cand;
                break;
            }
            pos = cand - 1;
        }
    }
    if (hit >= 0 && select) {
        SetSel(hit, hit + len, true, true);
        if (!(flags & kFindNoFocus))
            Host().TakeFocus();
    }
    return hit;
}

// Marks a keyword of a syntax template in [from, to] (to inclusive) with the
// low byte of its value. The text is only read; every search ends behind
// to, as if the byte after to were the end of the text.
void CColorEditCore::HighlightKeyword(const char* keyword, int from, int last, uint32_t value, int protectedAttr)
{
    CTextState& s = *m_pState;
    if (!keyword || !*keyword || !s.Text())
        return;
    from = std::max(0, std::min(from, s.length));
    // The searches work on the half-open range [from, to).
    int to = (last < 0 || last >= s.length) ? s.length : last + 1;
    if (from >= to)
        return;
    const uint8_t* t = s.Text();
    uint8_t* a = s.Attr();
    uint8_t colour = static_cast<uint8_t>(value & SYNTAX_COLOR_MASK);
    bool wholeWord = (value & SYNTAX_WHOLE_WORD) != 0;
    auto mark = [&](int b, int e) {
        for (int i = std::max(b, 0); i < e && i < s.length; ++i)
            a[i] = colour;
    };
    // Next occurrence of pat whose first byte lies in [pos, to) and which
    // ends by to.
    auto next = [&](int pos, const std::string& pat, bool matchCase) {
        int n = static_cast<int>(pat.size());
        FirstByteScanner scan(t, to - n + 1, static_cast<uint8_t>(pat[0]), matchCase);
        while (pos + n <= to) {
            int cand = scan.Next(pos);
            if (cand < 0)
                return -1;
            if (matches_at(t, cand, pat, matchCase))
                return cand;
            pos = cand + 1;
        }
        return -1;
    };

    if (value & SYNTAX_BETWEEN_STRINGS) {
        std::string kw(keyword);
        size_t semi = kw.find(';');
        if (semi == std::string::npos || semi == 0 || semi + 1 >= kw.size())
            return;
        std::string open = kw.substr(0, semi), close = kw.substr(semi + 1);
        int olen = static_cast<int>(open.size()), clen = static_cast<int>(close.size());
        int pos = from;
        // A range that starts inside a delimited region.
        if (from > 0) {
            int lastOpen = reverse_find(t, from - 1, 0, open, true);
            int lastClose = reverse_find(t, from - 1, 0, close, true);
            if (lastOpen >= 0 && lastOpen > lastClose && lastOpen + olen <= from) {
                int c = next(from, close, true);
                int e = c < 0 ? to : c + clen;
                mark(from, e);
                pos = e;
            }
        }
        while (pos < to) {
            int o = next(pos, open, true);
            if (o < 0)
                break;
            bool quoted = o > 0 && t[o - 1] == '\'' && o + olen < to && t[o + olen] == '\'';
            if ((quoted && protectedAttr != -1) ||
                (wholeWord && o + olen < to && is_word_byte(t[o + olen]))) {
                pos = o + 1;
                continue;
            }
            int cpos = o + olen, e = to;
            for (;;) {
                int c = next(cpos, close, true);
                if (c < 0)
                    break;
                bool afterAlnum = c > 0 && is_word_byte(t[c - 1]) && t[c - 1] != '_';
                if (wholeWord && afterAlnum) {
                    cpos = c + 1;
                    continue;
                }
                e = c + clen;
                break;
            }
            mark(o, e);
            pos = e > o ? e : o + 1;
        }
        return;
    }

    std::string kw(keyword);
    bool matchCase = !(value & SYNTAX_IGNORE_CASE);
    int klen = static_cast<int>(kw.size());
    int pos = from;
    while (pos < to) {
        int p = next(pos, kw, matchCase);
        if (p < 0)
            break;
        pos = p + klen;
        if (wholeWord) {
            if (p > from && is_word_byte(t[p - 1]))
                continue;
            if (p + klen < to && is_word_byte(t[p + klen]))
                continue;
        }
        if (a[p] == static_cast<uint8_t>(protectedAttr))
            continue;
        int e = p + klen;
        if (value & SYNTAX_TO_LINE_END) {
            e = p;
            while (e < to && t[e] != kCarriageReturn)
                ++e;
            while (e > p && a[e - 1] == static_cast<uint8_t>(protectedAttr))
                --e;
        } else if (value & SYNTAX_TO_WORD_END) {
            while (e < to && (t[e] == '_' || (!std::ispunct(t[e]) && t[e] >= '!')))
                ++e;
        }
        mark(p, e);
    }
}
