// Chunk frames decoded by parcaCoz and fed to one reassembly by parcaEkle.
// The input is a run of records, each a u16 length and that many bytes (the
// last one cut to what is left); the length 0xFFFF starts a fresh transfer.
// Memory follows the bytes received, results are only 0, 1 and 2, and a
// completed transfer is the pieces in index order with a verdict that
// matches its checksum.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"

using namespace vadu;
using namespace vadu::istakip;

namespace {

constexpr uint16_t YENI_AKTARIM = 0xFFFF;

// A decoded chunk writes back as its frame, whatever tag it came with.
void kodlamaTutar(const std::string& govde, const Parca& p) {
  std::string beklenen = govde.substr(0, PARCA_BASLIGI + p.veri.size());
  beklenen[0] = 1;
  beklenen[1] = 0;
  BULANIK_SART(parcaKodla(p) == beklenen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  const uint8_t* p = veri;
  const uint8_t* const son = veri + boy;
  ParcaBirlestirme d;
  while (son - p >= 2) {
    size_t n = leOkuU16(p);
    p += 2;
    if (n == YENI_AKTARIM) {
      d = ParcaBirlestirme{};
      continue;
    }
    if (n > static_cast<size_t>(son - p)) n = static_cast<size_t>(son - p);
    const std::string govde(reinterpret_cast<const char*>(p), n);
    p += n;

    Parca parca;
    if (!parcaCoz(govde, parca)) continue;
    kodlamaTutar(govde, parca);

    const size_t once = d.parcalar.size();
    const int sonuc = parcaEkle(d, parca);
    BULANIK_SART(sonuc == 0 || sonuc == 1 || sonuc == 2);
    BULANIK_SART(d.gelen == d.parcalar.size());
    BULANIK_SART(d.parcalar.size() <= once + 1);
    BULANIK_SART(d.gelen <= d.adet);
    size_t tutulan = 0;
    for (const auto& [sira, parcaVeri] : d.parcalar) {
      BULANIK_SART(sira < d.adet);
      tutulan += parcaVeri.size();
    }
    BULANIK_SART(tutulan <= boy);
    BULANIK_SART(d.birlesik.size() <= boy);
    if (sonuc == 0) {
      BULANIK_SART(d.parcalar.size() == once || d.gelen < d.adet);
      continue;
    }
    BULANIK_SART(d.gelen == d.adet);
    std::string birlesik;
    for (const auto& [sira, parcaVeri] : d.parcalar) birlesik += parcaVeri;
    BULANIK_SART(d.icerik() == birlesik);
    BULANIK_SART((sonuc == 1) == (icerikOzeti(birlesik) == d.ozet));
  }
  return 0;
}
