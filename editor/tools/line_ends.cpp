#include "editor/tools/line_ends.h"

size_t CLineEndConverter::Convert(char* text, size_t size)
{
    size_t out = 0;
    for (size_t i = 0; i < size; ++i) {
        char c = text[i];
        if (c == '\n') {
            if (!lastWasCR_)
                text[out++] = '\r';
            lastWasCR_ = false;
            continue;
        }
        lastWasCR_ = c == '\r';
        text[out++] = c;
    }
    return out;
}
