// CerceveCozucu::besle over one stream cut into pieces of the input's own
// choosing: the pieces yield the same frames, in the same order, and end in
// the same broken state as the whole stream fed at once. Between calls the
// buffer holds exactly the bytes fed and not consumed (less than one frame
// while working); a broken decoder refuses every later piece and appends
// nothing, and sifirla mends it.
//
// Byte 0 picks the body limit, byte 1 the number n of piece lengths (0 to
// 15), the next n bytes those lengths, used in turn; the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bulanik/bulanik.h"
#include "orkestra/cerceve.h"
#include "orkestra/cozucu.h"
#include "orkestra/kodlama.h"

using namespace vadu;

namespace {

constexpr uint64_t SINIRLAR[] = {0, 1, 7, 64, 300, 0x400000};

size_t cerceveBoyu(const SurecCerceve& c) { return surecproto::CERCEVE_BASLIGI + c.govde.size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  if (boy < 2) return 0;
  const uint64_t sinir = SINIRLAR[veri[0] % (sizeof SINIRLAR / sizeof SINIRLAR[0])];
  const size_t n = veri[1] % 16;
  if (boy < 2 + n) return 0;
  const uint8_t* const boylar = veri + 2;
  const std::string akis(reinterpret_cast<const char*>(veri) + 2 + n, boy - 2 - n);

  CerceveCozucu tek(sinir);
  std::vector<SurecCerceve> hepsi;
  const bool tekTamam = tek.besle(akis.data(), akis.size(), hepsi);
  BULANIK_SART(tekTamam == !tek.bozukMu());

  CerceveCozucu parcali(sinir);
  std::vector<SurecCerceve> gelen;
  size_t verilen = 0;    // bytes of the stream fed so far
  size_t tuketilen = 0;  // bytes of the frames handed out by earlier calls
  bool bozuldu = false;
  for (size_t i = 0; verilen < akis.size() || i == 0; ++i) {
    // Lengths in turn; without any, or past all of them, the rest at once.
    size_t parca = akis.size() - verilen;
    if (n != 0 && i < akis.size() + 16) parca = std::min<size_t>(boylar[i % n], parca);
    const size_t once = gelen.size();
    const bool tamam = parcali.besle(akis.data() + verilen, parca, gelen);
    verilen += parca;
    if (bozuldu) {
      // Already broken: refused at once, nothing kept, nothing appended.
      BULANIK_SART(!tamam && parcali.bozukMu() && gelen.size() == once);
      continue;
    }
    BULANIK_SART(tamam == !parcali.bozukMu());
    if (!tamam) {
      // The buffer keeps everything from the first byte not consumed by an
      // earlier call up to the end of the faulty piece.
      bozuldu = true;
      BULANIK_SART(parcali.tampon() == akis.substr(tuketilen, verilen - tuketilen));
      continue;
    }
    for (size_t j = once; j < gelen.size(); ++j) tuketilen += cerceveBoyu(gelen[j]);
    BULANIK_SART(parcali.tampon() == akis.substr(tuketilen, verilen - tuketilen));
    BULANIK_SART(parcali.tampon().size() < surecproto::CERCEVE_BASLIGI + sinir);
  }

  BULANIK_SART(parcali.bozukMu() == tek.bozukMu());
  BULANIK_SART(gelen.size() == hepsi.size());
  for (size_t j = 0; j < gelen.size(); ++j) BULANIK_SART(gelen[j] == hepsi[j]);
  if (!tek.bozukMu()) BULANIK_SART(tek.tampon() == parcali.tampon());
  if (tek.bozukMu()) BULANIK_SART(tek.tampon() == akis);

  // A broken decoder refuses even a valid frame; sifirla makes it work again.
  SurecCerceve gecerli;
  const std::string bayt = surecproto::cerceveSerialize(gecerli);
  std::vector<SurecCerceve> son;
  if (parcali.bozukMu()) {
    BULANIK_SART(!parcali.besle(bayt.data(), bayt.size(), son) && son.empty());
    parcali.sifirla();
    BULANIK_SART(!parcali.bozukMu() && parcali.tampon().empty() && parcali.maxGovde() == sinir);
    BULANIK_SART(parcali.besle(bayt.data(), bayt.size(), son) && son.size() == 1 &&
                 son[0] == gecerli);
  }
  return 0;
}
