// The fonts of the option set ([Font], [PrintFont]) as the system's font
// records, and the editor font made from its stored form.
#pragma once

#include "editor/shell/settings_store.h"

#include <windows.h>

LOGFONTA LogFontFromValues(const FontValues& values);
FontValues ValuesFromLogFont(const LOGFONTA& lf);

// The editor font of the stored values; a font without a face name, or one
// the system cannot make, gives the 10-pixel "Courier" of the modern family.
HFONT CreateEditFont(const FontValues& values);

// The stored form of a font object; false when the handle is no font.
bool FontValuesOf(HFONT font, FontValues& values);
