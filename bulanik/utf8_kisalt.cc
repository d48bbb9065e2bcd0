// utf8Kisalt over arbitrary text and limits: the result is the text itself
// when it fits, else a prefix no longer than the limit; from valid UTF-8 it
// is valid UTF-8, cut at a character boundary at most three bytes short.
// The first two bytes give the limit, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "bulanik/utf8.h"
#include "geri_bildirim/geri_bildirim.h"
#include "orkestra/kodlama.h"

using namespace vadu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  if (boy < 2) return 0;
  const std::string s(reinterpret_cast<const char*>(veri) + 2, boy - 2);
  // Limits from 0 to one past the text's length.
  const size_t n = leOkuU16(veri) % (s.size() + 2);
  const std::string r = utf8Kisalt(s, n);
  if (s.size() <= n) {
    BULANIK_SART(r == s);
    return 0;
  }
  BULANIK_SART(r.size() <= n);
  BULANIK_SART(s.compare(0, r.size(), r) == 0);
  if (utf8Dogru(s)) {
    BULANIK_SART(utf8Dogru(r));
    BULANIK_SART(r.size() + 3 >= n);
    BULANIK_SART((static_cast<unsigned char>(s[r.size()]) & 0xC0) != 0x80);
  }
  return 0;
}
