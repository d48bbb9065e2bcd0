// paramCoz over arbitrary bytes. A decoded list re-encodes to a prefix of the
// input; a failed decode leaves exactly what its contract says: nothing for a
// cut name, the name for a cut count, the complete pairs for a cut pair.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "orkestra/kodlama.h"
#include "orkestra/parametre.h"

using namespace vadu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  const std::string girdi(reinterpret_cast<const char*>(veri), boy);
  const std::string eskiAd = "eski";
  const ParametreListesi eskiListe = {{"k", "v"}};
  std::string ad = eskiAd;
  ParametreListesi cikan = eskiListe;
  const bool tamam = paramCoz(girdi, ad, cikan);

  if (tamam) {
    const std::string yeniden = paramSerialize(ad, cikan);
    BULANIK_SART(girdi.compare(0, yeniden.size(), yeniden) == 0);
    return 0;
  }

  // Where the name would end, and whether it is all there.
  const bool adTam = boy >= 2 && boy - 2 >= leOkuU16(veri);
  if (!adTam) {
    BULANIK_SART(ad == eskiAd && cikan == eskiListe);
    return 0;
  }
  std::string adAlani;
  leYazMetin(adAlani, ad);
  BULANIK_SART(girdi.compare(0, adAlani.size(), adAlani) == 0);
  if (boy - adAlani.size() < 2) {
    BULANIK_SART(cikan == eskiListe);
    return 0;
  }
  // A cut pair: the pairs before it are the bytes after the count.
  const size_t sayi = leOkuU16(veri + adAlani.size());
  BULANIK_SART(cikan.size() < sayi);
  std::string ciftler;
  for (const auto& [k, v] : cikan) {
    leYazMetin(ciftler, k);
    leYazMetin(ciftler, v);
  }
  BULANIK_SART(girdi.compare(adAlani.size() + 2, ciftler.size(), ciftler) == 0);
  return 0;
}
