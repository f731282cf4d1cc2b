#include "editor/editctl/color_table.h"

#include <cstdio>

#include "editor/editctl/edit_core.h"

uint32_t g_ColorTable[kColorTableSize];

const uint32_t kDefaultColorTable[kColorTableSize] = {
    0x000000, 0xFF0000, 0xC43ECD, 0x0000FF, 0x009200, 0x928F00, 0x000095, 0x00D2E0,
    0x00FFFF, 0xFFFFFF, 0xFF0000, 0xFF0000, 0xFF0000, 0x000000, 0x00FFFF, 0,
    0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x009200, 0x928F00, 0x000095, 0x00D2E0,
    0x00FFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFF0000, 0xC0C0C0, 0,
};

static const char kSection[] = "ColorTable";

static void color_key(char (&key)[16], int index)
{
    std::snprintf(key, sizeof key, "color%d", index);
}

void LoadColorTable(CProfileAccess& profile, uint32_t highlightText, uint32_t highlight)
{
    char key[16];
    color_key(key, 0);
    if (profile.GetInt(kSection, key, -1) == -1) {
        for (int i = 0; i < kColorTableSize; ++i)
            g_ColorTable[i] = kDefaultColorTable[i];
        g_ColorTable[15] = highlightText;
        g_ColorTable[31] = highlight;
        return;
    }
    for (int i = 0; i < kColorTableSize; ++i) {
        color_key(key, i);
        g_ColorTable[i] = static_cast<uint32_t>(profile.GetInt(kSection, key, i < 16 ? 0 : 0xFFFFFF));
    }
}

void SaveColorTable(CProfileAccess& profile)
{
    char key[16];
    for (int i = 0; i < kColorTableSize; ++i) {
        color_key(key, i);
        profile.WriteInt(kSection, key, static_cast<int>(g_ColorTable[i]));
    }
}

// ---------------------------------------------------------------------------
// The control's colour operations.

int CColorEditCore::SetColor(int index, uint32_t colour)
{
    // The colour dialog passes an index the user typed: refuse what lies
    // outside the table instead of writing beyond it.
    if (index < 0 || index >= kColorTableSize)
        return -1;
    m_pColorTable[index] = colour;
    return index;
}

uint32_t CColorEditCore::GetColor(int index) const
{
    return m_pColorTable[index & 15];
}

uint32_t CColorEditCore::GetBkColor(int index) const
{
    return m_pColorTable[16 + (index & 15)];
}

void CColorEditCore::SetBackgroundColor(uint32_t colour)
{
    m_crBackground = colour;
    Host().TextChanged(-1);
}

void CColorEditCore::SetColorRange(int attr, int from, int to, bool redraw)
{
    CTextState& s = *m_pState;
    if (!s.Attr())
        return;
    if (to != -1 && to < from) {
        int t = from;
        from = to;
        to = t;
    }
    if (to == -1 || to > s.length)
        to = s.length;
    if (from < 0)
        from = 0;
    for (int i = from; i < to; ++i)
        s.Attr()[i] = static_cast<uint8_t>(attr);
    if (redraw)
        Host().TextChanged(-1);
}

void CColorEditCore::ClearColorRange(int start, int end)
{
    CTextState& s = *m_pState;
    if (!s.Attr())
        return;
    int from = 0, to = s.length;
    if (start == -1 || end < start) {
        // everything
    } else if (end > 0) {
        from = start;
        to = end < s.length ? end : s.length;
    } else {
        from = start;
    }
    if (from < 0)
        from = 0;
    for (int i = from; i < to; ++i)
        s.Attr()[i] = 0;
}
