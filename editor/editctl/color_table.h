// The colour table shared by every control of the process: 32 colour values
// (0x00BBGGRR), entries 0-15 text colours and 16-31 backgrounds. An attribute
// byte selects its text colour with the low nibble and its background with
// the high nibble. Entries 15 and 31 colour selections, entry 30 fills block
// cells beyond a line's end, entry 16 is the default background.
#pragma once

#include <cstdint>

const int kColorTableSize = 32;
extern uint32_t g_ColorTable[kColorTableSize];

// The built-in defaults; entries 15 and 31 come from the system colours and
// are 0 here.
extern const uint32_t kDefaultColorTable[kColorTableSize];

// Profile access for the section "ColorTable": the window side reads the
// current profile target and writes through the application's writer.
class CProfileAccess {
public:
    virtual ~CProfileAccess() = default;
    virtual int GetInt(const char* section, const char* key, int defaultValue) = 0;
    virtual void WriteInt(const char* section, const char* key, int value) = 0;
};

// Reads "color0" ... "color31"; without "color0" the built-in table is set,
// entry 15 to highlightText and entry 31 to highlight (the system colours).
void LoadColorTable(CProfileAccess& profile, uint32_t highlightText, uint32_t highlight);
void SaveColorTable(CProfileAccess& profile);
