// jsonKacis over arbitrary bytes: no byte below 0x20 and no bare quote is
// left in the output, and reading the output back as the inside of a JSON
// string gives the input again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "geri_bildirim/geri_bildirim.h"

using namespace vadu;

namespace {

int onaltilik(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The inside of a JSON string read back; false where JSON would refuse it.
// Only escapes of code points below 0x100 are expected from the encoder.
bool geriOku(const std::string& j, std::string& out) {
  for (size_t i = 0; i < j.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(j[i]);
    if (c < 0x20 || c == '"') return false;
    if (c != '\\') {
      out += j[i];
      continue;
    }
    if (++i == j.size()) return false;
    switch (j[i]) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        if (j.size() - i <= 4) return false;
        int v = 0;
        for (size_t k = 1; k <= 4; ++k) {
          const int h = onaltilik(j[i + k]);
          if (h < 0) return false;
          v = v * 16 + h;
        }
        if (v > 0xFF) return false;
        out += static_cast<char>(v);
        i += 4;
        break;
      }
      default: return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  const std::string s(reinterpret_cast<const char*>(veri), boy);
  const std::string j = jsonKacis(s);
  std::string geri;
  BULANIK_SART(geriOku(j, geri));
  BULANIK_SART(geri == s);
  return 0;
}
