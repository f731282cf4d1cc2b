// Clean-ups of declaration texts: blanks made uniform, line comments removed.
#include <cstring>

#include "editor/syntax/lexical.h"
#include "editor/syntax/lexer.h"

static int NormalizeBytes(char* text, int length)
{
    int out = 0;
    for (int i = 0; i < length; ++i) {
        char c = text[i];
        if (c == 1 || c == 2 || c == '\t')
            c = ' ';
        else if (c == '\n')
            c = '\r';
        if (c == ' ' && out > 0 && text[out - 1] == ' ')
            continue;
        text[out++] = c;
    }
    return out;
}

void NormalizeBlanks(std::string& text)
{
    text.resize(NormalizeBytes(&text[0], static_cast<int>(text.size())));
}

int NormalizeBlanks(char* text)
{
    if (!text)
        return 0;
    const int length = NormalizeBytes(text, static_cast<int>(std::strlen(text)));
    text[length] = '\0';
    return length;
}

int StripLineComments(char* text, int length)
{
    if (!text || length <= 0)
        return 0;
    const char* end = text + length;
    int out = 0;
    LexScan(text, end, end, LexState(), [&](const char* p, LexClass c) {
        if (c != kLexLineComment)
            text[out++] = *p;
    });
    if (out < length)
        text[out] = '\0';
    return out;
}

void StripLineComments(std::string& text)
{
    text.resize(StripLineComments(&text[0], static_cast<int>(text.size())));
}
