// The job-tracking decoders over arbitrary bytes: whatever a decoder accepts
// encodes to a body that decodes to the same values and encodes to the same
// bytes again. BULANIK_MESAJ, the program's name, picks its decoder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "bulanik/bulanik.h"
#include "istakip/kayit.h"
#include "istakip/mesaj.h"
#include "orkestra/kodlama.h"

using namespace vadu;
using namespace vadu::istakip;

namespace {

// `coz` fills a tuple of the message's values from a body, `kodla` writes it.
template <class Degerler, class Coz, class Kodla>
void kararli(const std::string& girdi, Coz coz, Kodla kodla) {
  Degerler a{};
  if (!coz(girdi, a)) return;
  const std::string bir = kodla(a);
  Degerler b{};
  BULANIK_SART(coz(bir, b));
  BULANIK_SART(a == b);
  BULANIK_SART(kodla(b) == bir);
}

void kayit(const std::string& girdi) {
  // The cursor never leaves the bytes, and a record takes exactly the bytes
  // of its encoding.
  const uint8_t* const bas = baytlar(girdi.data());
  const uint8_t* const son = bas + girdi.size();
  const uint8_t* p = bas;
  Kayit k;
  const bool tamam = kayitCoz(p, son, k);
  BULANIK_SART(p >= bas && p <= son);
  if (tamam) BULANIK_SART(static_cast<size_t>(p - bas) == kayitKodla(k).size());
  kararli<std::tuple<Kayit>>(
      girdi,
      [](const std::string& g, std::tuple<Kayit>& d) {
        const uint8_t* q = baytlar(g.data());
        return kayitCoz(q, q + g.size(), std::get<0>(d));
      },
      [](const std::tuple<Kayit>& d) { return kayitKodla(std::get<0>(d)); });
}

void sonuc(const std::string& girdi) {
  using D = std::tuple<bool, std::string>;
  kararli<D>(
      girdi, [](const std::string& g, D& d) { return sonucCoz(g, std::get<0>(d), std::get<1>(d)); },
      [](const D& d) { return sonucKodla(std::get<0>(d), std::get<1>(d)); });
}

void senkronIstegi(const std::string& girdi) {
  using D = std::tuple<uint64_t, uint64_t>;
  kararli<D>(
      girdi,
      [](const std::string& g, D& d) {
        return senkronIstegiCoz(g, std::get<0>(d), std::get<1>(d));
      },
      [](const D& d) { return senkronIstegiKodla(std::get<0>(d), std::get<1>(d)); });
}

void senkronCevabi(const std::string& girdi) {
  using D = std::tuple<std::vector<Kayit>, uint64_t, uint64_t, bool>;
  kararli<D>(
      girdi,
      [](const std::string& g, D& d) {
        return senkronCevabiCoz(g, std::get<0>(d), std::get<1>(d), std::get<2>(d), std::get<3>(d));
      },
      [](const D& d) {
        return senkronCevabiKodla(std::get<0>(d), std::get<1>(d), std::get<2>(d), std::get<3>(d));
      });
}

void yazmaIstegi(const std::string& girdi) {
  using D = std::tuple<uint64_t, uint64_t, uint64_t, Kayit>;
  kararli<D>(
      girdi,
      [](const std::string& g, D& d) {
        return yazmaIstegiCoz(g, std::get<0>(d), std::get<1>(d), std::get<2>(d), std::get<3>(d));
      },
      [](const D& d) {
        return yazmaIstegiKodla(std::get<0>(d), std::get<1>(d), std::get<2>(d), std::get<3>(d));
      });
}

void yazmaBildirimi(const std::string& girdi) {
  using D = std::tuple<Kayit, uint64_t, uint64_t>;
  kararli<D>(
      girdi,
      [](const std::string& g, D& d) {
        return yazmaBildirimiCoz(g, std::get<0>(d), std::get<1>(d), std::get<2>(d));
      },
      [](const D& d) {
        return yazmaBildirimiKodla(std::get<0>(d), std::get<1>(d), std::get<2>(d));
      });
}

using Cozucu = void (*)(const std::string&);

struct AdliCozucu {
  std::string_view ad;
  Cozucu cozucu;
};

constexpr AdliCozucu COZUCULER[] = {
    {"kayit_coz", kayit},
    {"sonuc_coz", sonuc},
    {"senkron_istegi_coz", senkronIstegi},
    {"senkron_cevabi_coz", senkronCevabi},
    {"yazma_istegi_coz", yazmaIstegi},
    {"yazma_bildirimi_coz", yazmaBildirimi},
};

constexpr Cozucu secilen(std::string_view ad) {
  for (const AdliCozucu& c : COZUCULER) {
    if (c.ad == ad) return c.cozucu;
  }
  return nullptr;
}

constexpr Cozucu COZUCU = secilen(BULANIK_MESAJ);
static_assert(COZUCU != nullptr, "BULANIK_MESAJ names no decoder of this source");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  COZUCU(std::string(reinterpret_cast<const char*>(veri), boy));
  return 0;
}
