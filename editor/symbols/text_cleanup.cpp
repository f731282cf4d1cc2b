#include "editor/symbols/text_cleanup.h"

#include <algorithm>
#include <cstring>

void BlankControlChars(std::string& text)
{
    size_t out = 0;
    bool lastBlank = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 32)
            c = ' ';
        if (c == ' ' && lastBlank)
            continue;
        lastBlank = c == ' ';
        text[out++] = static_cast<char>(c);
    }
    text.resize(out);
}

void StripComments(std::string& text)
{
    std::string out;
    out.reserve(text.size());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            // A literal is copied whole, escapes included, up to its closing
            // quote or the line end.
            out += c;
            ++i;
            while (i < n && text[i] != c && text[i] != '\r' && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < n)
                    out += text[i++];
                out += text[i++];
            }
            if (i < n && text[i] == c)
                out += text[i++];
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\r' && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            size_t close = text.find("*/", i + 2);
            if (close == std::string::npos) {
                out.append(text, i, std::string::npos);
                break;
            }
            for (size_t k = i; k < close; ++k)
                if (text[k] == '\r' || text[k] == '\n')
                    out += text[k];
            i = close + 2;
            continue;
        }
        out += c;
        ++i;
    }
    text.swap(out);
}

void StripChar(std::string& text, char c)
{
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
}

CTextLineCounter::CTextLineCounter(const char* text, size_t length) : m_text(text), m_length(length)
{
    m_lineEnd = std::memchr(text, '\r', length) ? '\r' : '\n';
}

int CTextLineCounter::LineOf(size_t offset)
{
    if (offset > m_length)
        offset = m_length;
    if (offset < m_pos) {
        // Going back: take off the line ends between the two positions.
        for (const char* q = m_text + offset; q < m_text + m_pos; ++q)
            if (*q == m_lineEnd)
                --m_line;
        m_pos = offset;
        return m_line;
    }
    const char* p = m_text + m_pos;
    const char* end = m_text + offset;
    while (p < end) {
        const void* hit = std::memchr(p, m_lineEnd, static_cast<size_t>(end - p));
        if (!hit)
            break;
        ++m_line;
        p = static_cast<const char*>(hit) + 1;
    }
    m_pos = offset;
    return m_line;
}

int LineFromTextOffset(const char* text, size_t length, size_t offset)
{
    CTextLineCounter counter(text, length);
    return counter.LineOf(offset);
}
