#include "kinematik/mekanizma.h"

#include <array>

#include "kinematik/hareket.h"

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

// n values of T, on the stack while n is small: forward kinematics runs in
// the solver's inner loop, and most mechanisms have a handful of links.
template <class T>
class KucukDizi {
 public:
  explicit KucukDizi(size_t n) {
    if (n > kucuk_.size()) {
      buyuk_.assign(n, T());
      veri_ = buyuk_.data();
    }
  }
  T& operator[](size_t i) { return veri_[i]; }

 private:
  std::array<T, 64> kucuk_{};
  std::vector<T> buyuk_;
  T* veri_ = kucuk_.data();
};

// Grows the spanning tree from link 0: at most n passes over the joints in
// list order, each joint whose parent is placed and whose child is not placing
// the child at once, until a pass places nothing. `yerlestir(j)` is called for
// each tree joint j as it places its child, so forward kinematics and the
// tree/loop split follow one and the same tree.
template <class Yerlestir>
void agacBuyut(const std::vector<Mafsal>& mafsallar, size_t n, Yerlestir&& yerlestir) {
  KucukDizi<uint8_t> cozuldu(n);
  cozuldu[0] = 1;
  size_t yerlesen = 1;
  // Once every link is placed no further pass can place one.
  for (size_t gecis = 0; gecis < n && yerlesen < n; ++gecis) {
    const size_t onceki = yerlesen;
    for (size_t j = 0; j < mafsallar.size(); ++j) {
      const Mafsal& m = mafsallar[j];
      if (m.ana >= n || m.cocuk >= n || !cozuldu[m.ana] || cozuldu[m.cocuk]) continue;
      yerlestir(j);
      cozuldu[m.cocuk] = 1;
      ++yerlesen;
    }
    if (yerlesen == onceki) break;
  }
}

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

void Mekanizma::yasalariUygula(double t) {
  for (const Yasa& y : yasalar_) {
    if (y.mafsal >= mafsallar_.size()) continue;
    Mafsal& m = mafsallar_[y.mafsal];
    const double v = yasaDegeri(y, t);
    if (y.degisken == 1) {
      m.q2 = v;
    } else if (y.degisken == 2) {
      m.q3 = v;
    } else {
      m.q = v;
    }
  }
}

std::vector<Donusum> Mekanizma::ileriKinematik() const {
  const size_t n = uzuvlar_.size();
  std::vector<Donusum> dunya;
  if (n == 0) return dunya;
  dunya.reserve(n);
  for (const Uzuv& u : uzuvlar_) dunya.push_back(u.taban);
  // While the tree grows, each tree joint's first half (capa · motion) goes
  // into its child's slot, whose base pose is no longer needed; then, in the
  // order the links were placed, so that every parent is final before its
  // children, the second half and the composition with the parent. The first
  // halves, with their sines and cosines, do not depend on one another and
  // overlap in the processor instead of waiting on the chain of compositions.
  // Every value is the one dunya[ana] · mafsalDonusumu(joint) gives.
  KucukDizi<size_t> sira(n);
  size_t yerlesen = 0;
  agacBuyut(mafsallar_, n, [&](size_t j) {
    dunya[mafsallar_[j].cocuk] = capaHareketi(mafsallar_[j]);
    sira[yerlesen++] = j;
  });
  for (size_t k = 0; k < yerlesen; ++k) {
    const Mafsal& m = mafsallar_[sira[k]];
    dunya[m.cocuk] = dunya[m.ana] * capaCocugaGetir(dunya[m.cocuk], m);
  }
  return dunya;
}

std::vector<size_t> Mekanizma::halkaMafsallari() const {
  std::vector<uint8_t> agacta;
  std::vector<size_t> halka;
  agacHalkaAyir(mafsallar_, uzuvlar_.size(), agacta, halka);
  return halka;
}

void agacHalkaAyir(const std::vector<Mafsal>& mafsallar, size_t uzuvSayisi,
                   std::vector<uint8_t>& agacta, std::vector<size_t>& halka) {
  agacta.assign(mafsallar.size(), 0);
  halka.clear();
  if (uzuvSayisi == 0) return;
  agacBuyut(mafsallar, uzuvSayisi, [&](size_t j) { agacta[j] = 1; });
  for (size_t i = 0; i < mafsallar.size(); ++i) {
    const Mafsal& m = mafsallar[i];
    if (!agacta[i] && m.ana < uzuvSayisi && m.cocuk < uzuvSayisi) halka.push_back(i);
  }
}

}  // namespace vadu
