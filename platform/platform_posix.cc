// The platform layer over POSIX (Linux).
#include "platform/platform.h"

#include <cerrno>
#include <ctime>

namespace vadu::platform {

void uyu(uint32_t ms) {
  timespec kalan{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  // A signal cuts the sleep short; sleep the rest of it.
  while (nanosleep(&kalan, &kalan) != 0 && errno == EINTR) {
  }
}

}  // namespace vadu::platform
