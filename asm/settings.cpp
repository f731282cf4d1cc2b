#include "asm/settings.h"

namespace morrin {

asm_settings g_settings;

} // namespace morrin
