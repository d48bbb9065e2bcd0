// The one door to the operating system. Library code calls these functions
// and nothing of the system itself; each platform has one implementation file
// that gives the results and error codes documented here, so the libraries
// see the same behaviour everywhere.
#pragma once

#include <cstdint>

namespace vadu::platform {

// Sleeps the calling thread for at least `ms` milliseconds.
void uyu(uint32_t ms);

}  // namespace vadu::platform
