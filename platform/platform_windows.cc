// The platform layer over Win32 (64-bit Windows).
#include "platform/platform.h"

#include <windows.h>

namespace vadu::platform {

void uyu(uint32_t ms) { Sleep(ms); }

}  // namespace vadu::platform
