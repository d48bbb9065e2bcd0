#include "kinematik/mekanizma.h"

namespace vadu {

namespace {

struct TipBilgisi {
  const char* ad;
  int serbestlik;
};

constexpr TipBilgisi TIPLER[] = {
    {"Sabit", 0}, {"Döner", 1},     {"Kayar", 1},     {"Silindirik", 2},
    {"Vida", 1},  {"Küresel", 3}, {"Düzlemsel", 3}, {"Serbest", 6},
};
constexpr size_t TIP_SAYISI = sizeof TIPLER / sizeof TIPLER[0];

}  // namespace

const char* mafsalTipAdi(MafsalTip tip) {
  const size_t i = static_cast<size_t>(tip);
  return i < TIP_SAYISI ? TIPLER[i].ad : "?";
}

int mafsalSerbestlik(MafsalTip tip) {
  const size_t i = static_cast<size_t>(tip);
  return i < TIP_SAYISI ? TIPLER[i].serbestlik : 0;
}

size_t Mekanizma::uzuvEkle(std::string ad, uint32_t sahne, const Donusum& taban) {
  uzuvlar_.push_back(Uzuv{std::move(ad), sahne, taban});
  return uzuvlar_.size() - 1;
}

size_t Mekanizma::mafsalEkle(Mafsal m) {
  mafsallar_.push_back(std::move(m));
  return mafsallar_.size() - 1;
}

size_t Mekanizma::yasaEkle(Yasa y) {
  yasalar_.push_back(std::move(y));
  return yasalar_.size() - 1;
}

int Mekanizma::serbestlikDerecesi() const {
  const int n = static_cast<int>(uzuvlar_.size());
  const int m = static_cast<int>(mafsallar_.size());
  if (n < 1) return 0;
  int toplam = 6 * (n - 1 - m);
  for (const Mafsal& mf : mafsallar_) toplam += mafsalSerbestlik(mf.tip);
  return toplam;
}

bool Mekanizma::agacGecerli() const {
  const size_t n = uzuvlar_.size();
  if (n == 0) return false;
  std::vector<int> anaSayi(n, 0);
  for (const Mafsal& mf : mafsallar_) {
    if (mf.ana >= n || mf.cocuk >= n || mf.cocuk == 0) return false;
    if (++anaSayi[mf.cocuk] > 1) return false;
  }
  std::vector<char> ulasildi(n, 0);
  ulasildi[0] = 1;
  for (bool degisti = true; degisti;) {
    degisti = false;
    for (const Mafsal& mf : mafsallar_) {
      if (ulasildi[mf.ana] && !ulasildi[mf.cocuk]) {
        ulasildi[mf.cocuk] = 1;
        degisti = true;
      }
    }
  }
  for (char u : ulasildi) {
    if (!u) return false;
  }
  return true;
}

}  // namespace vadu
