// orkestraHexCoz over arbitrary text. The result is "" exactly when some
// character of the digit pairs is not a hexadecimal digit (an odd last
// character is never read); otherwise it has one byte per pair, and encoding
// it gives back the pairs in lowercase. Encoding any bytes and decoding gives
// the bytes back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "orkestra/hex.h"

using namespace vadu;

namespace {

bool hexRakami(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char kucuk(char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  const std::string metin(reinterpret_cast<const char*>(veri), boy);
  const size_t ciftler = metin.size() / 2 * 2;
  bool gecerli = true;
  for (size_t i = 0; i < ciftler; ++i) gecerli = gecerli && hexRakami(metin[i]);

  const std::string cozulen = orkestraHexCoz(metin);
  if (!gecerli) {
    BULANIK_SART(cozulen.empty());
  } else {
    BULANIK_SART(cozulen.size() == ciftler / 2);
    std::string beklenen;
    for (size_t i = 0; i < ciftler; ++i) beklenen += kucuk(metin[i]);
    BULANIK_SART(orkestraHexKodla(cozulen) == beklenen);
  }

  // The input as bytes survives a round trip.
  const std::string kodlu = orkestraHexKodla(metin);
  BULANIK_SART(kodlu.size() == 2 * metin.size());
  BULANIK_SART(orkestraHexCoz(kodlu) == metin);
  return 0;
}
