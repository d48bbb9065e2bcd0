#include "orkestra/metrik.h"

#include <algorithm>

namespace vadu {

namespace pl = platform;

namespace {

constexpr int MIB_KAYMA = 20;
constexpr int GIB_KAYMA = 30;

// A figure too large for 32 bits keeps its low 32 bits.
uint32_t kesir(uint64_t bayt, int kayma) { return static_cast<uint32_t>(bayt >> kayma); }

}  // namespace

bool metrikCpuYuzdesi(uint64_t toplam, uint64_t bosta, float& yuzde) {
  if (toplam == 0) return false;
  const uint64_t mesgul = toplam - std::min(bosta, toplam);
  const float deger = (100.0f * static_cast<float>(mesgul)) / static_cast<float>(toplam);
  yuzde = std::clamp(deger, 0.0f, 100.0f);
  return true;
}

MetrikToplayici::~MetrikToplayici() { pl::grafikAdaptorBirak(adaptor_); }

bool MetrikToplayici::topla(MakineMetrik& metrik) {
  bool sonuc = false;

  uint64_t bosta = 0, cekirdek = 0, kullanici = 0;
  if (pl::sistemZamanlari(bosta, cekirdek, kullanici)) {
    if (oncekiCekirdek_ != 0 || oncekiKullanici_ != 0) {
      // The kernel time already holds the idle time.
      const uint64_t toplam = (cekirdek - oncekiCekirdek_) + (kullanici - oncekiKullanici_);
      metrikCpuYuzdesi(toplam, bosta - oncekiBosta_, metrik.cpuYuzde);
    }
    oncekiBosta_ = bosta;
    oncekiCekirdek_ = cekirdek;
    oncekiKullanici_ = kullanici;
    sonuc = true;
  }

  uint64_t toplamBellek = 0, kullanilabilir = 0;
  if (pl::fizikselBellek(toplamBellek, kullanilabilir)) {
    metrik.ramMB = kesir(toplamBellek - kullanilabilir, MIB_KAYMA);
    sonuc = true;
  }

  if (!adaptorDenendi_) {
    // Tried once, whatever comes of it.
    adaptorDenendi_ = true;
    adaptor_ = pl::grafikAdaptorAc();
  }
  uint64_t video = 0;
  if (adaptor_ && pl::grafikBellekKullanimi(adaptor_, video)) {
    metrik.gpuBellekMB = kesir(video, MIB_KAYMA);
    sonuc = true;
  }

  uint64_t bos = 0;
  if (pl::programDiskiBosAlan(bos)) {
    metrik.diskBosGB = kesir(bos, GIB_KAYMA);
    sonuc = true;
  }
  return sonuc;
}

}  // namespace vadu
