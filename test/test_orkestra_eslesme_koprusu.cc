// Checks of random bytes and hex text, the pieces that pairing builds on.
#include <cstdint>
#include <string>

#include "orkestra/hex.h"
#include "orkestra/rastgele.h"
#include "test/kontrol.h"

using namespace vadu;

VADU_TEST(orkestra_rastgele_dolu_ve_degisken) {
  uint8_t a[32] = {};
  uint8_t b[32] = {};
  orkestraRastgeleDoldur(a, 32);
  orkestraRastgeleDoldur(b, 32);
  bool aHepsiSifir = true;
  bool farkli = false;
  for (int i = 0; i < 32; ++i) {
    if (a[i] != 0) aHepsiSifir = false;
    if (a[i] != b[i]) farkli = true;
  }
  KONTROL(!aHepsiSifir);
  KONTROL(farkli);
}

VADU_TEST(orkestra_hex_round_trip) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  const std::string hex = orkestraHexKodla(binary);
  KONTROL(hex.size() == binary.size() * 2);
  KONTROL(orkestraHexCoz(hex) == binary);
  KONTROL(orkestraHexKodla("").empty());
  KONTROL(orkestraHexCoz("").empty());
  KONTROL(orkestraHexCoz("zz").empty());
  KONTROL(orkestraHexCoz("ab").size() == 1);
}
