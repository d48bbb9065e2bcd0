// surecproto::cerceveDeserialize over arbitrary bytes. A magic-led buffer
// shorter than the header fails and leaves the frame alone; a longer one
// gives a frame whose binary form is the buffer's first 28 + L bytes (the
// version written as 1, and L cut to the bytes present); any other buffer is
// the legacy text form: a Komut frame whose body follows the first tab.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "bulanik/bulanik.h"
#include "orkestra/cerceve.h"
#include "orkestra/kodlama.h"

using namespace vadu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  const char* p = reinterpret_cast<const char*>(veri);
  const std::string girdi(p, boy);

  SurecCerceve c;
  c.tip = static_cast<SurecMesajTip>(0xBEEF);
  c.kaynakPid = 7;
  c.hedefPid = 9;
  c.korelasyon = 11;
  c.govde = "dokunulmamis";
  const SurecCerceve once = c;
  const bool tamam = surecproto::cerceveDeserialize(p, boy, c);

  const bool sihirli = boy >= 4 && leOkuU32(veri) == surecproto::CERCEVE_SIHRI;
  if (sihirli && boy < surecproto::CERCEVE_BASLIGI) {
    BULANIK_SART(!tamam);
    BULANIK_SART(c == once);
    return 0;
  }
  BULANIK_SART(tamam);

  if (sihirli) {
    const size_t L = leOkuU32(veri + surecproto::GOVDE_UZUNLUGU_YERI);
    const size_t var = boy - surecproto::CERCEVE_BASLIGI;
    const size_t n = L < var ? L : var;
    BULANIK_SART(c.govde.size() == n);
    std::string beklenen = girdi.substr(0, surecproto::CERCEVE_BASLIGI + n);
    beklenen[4] = 1;
    beklenen[5] = 0;
    std::string uzunluk;
    leYazU32(uzunluk, static_cast<uint32_t>(n));
    beklenen.replace(surecproto::GOVDE_UZUNLUGU_YERI, 4, uzunluk);
    BULANIK_SART(surecproto::cerceveSerialize(c) == beklenen);
    return 0;
  }

  const size_t sekme = girdi.find('\t');
  SurecCerceve metin;  // Komut, no process numbers, no correlation
  metin.govde = sekme == std::string::npos ? girdi : girdi.substr(sekme + 1);
  BULANIK_SART(c == metin);
  return 0;
}
