#include "asm/settings.h"

asm_settings g_settings;
