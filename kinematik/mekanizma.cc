#include "kinematik/mekanizma.h"

#include "kinematik/hareket.h"
#include "kinematik/kucukdizi.h"

namespace vadu {

namespace {

struct TipBilgisi {
  const char* ad;
  int serbestlik;
};

constexpr TipBilgisi TIPLER[] = {
    {"Sabit", 0}, {"Döner", 1},   {"Kayar", 1},     {"Silindirik", 2},
    {"Vida", 1},  {"Küresel", 3}, {"Düzlemsel", 3}, {"Serbest", 6},
};
constexpr size_t TIP_SAYISI = sizeof TIPLER / sizeof TIPLER[0];

// Grows the spanning tree from link 0: at most `uzuvSayisi` passes over the
// joints in list order, each joint whose parent is placed and whose child is
// not placing the child at once, until a pass places nothing. `yerlestir(j)`
// is called for each tree joint j as it places its child, so forward
// kinematics and the tree/loop split follow one and the same tree.
template <class Yerlestir>
void agacBuyut(const std::vector<Mafsal>& mafsallar, size_t uzuvSayisi, Yerlestir&& yerlestir) {
  KucukDizi<uint8_t> cozuldu(uzuvSayisi);
  cozuldu[0] = 1;
  size_t yerlesen = 1;
  // Once every link is placed no further pass can place one.
  for (size_t gecis = 0; gecis < uzuvSayisi && yerlesen < uzuvSayisi; ++gecis) {
    const size_t onceki = yerlesen;
    for (size_t j = 0; j < mafsallar.size(); ++j) {
      const Mafsal& m = mafsallar[j];
      if (m.ana >= uzuvSayisi || m.cocuk >= uzuvSayisi) continue;
      if (!cozuldu[m.ana] || cozuldu[m.cocuk]) continue;
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

size_t Mekanizma::mafsalEkle(Mafsal mafsal) {
  mafsallar_.push_back(std::move(mafsal));
  return mafsallar_.size() - 1;
}

size_t Mekanizma::yasaEkle(Yasa yasa) {
  yasalar_.push_back(std::move(yasa));
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

std::vector<Donusum> Mekanizma::ileriKinematik() const {
  const size_t n = uzuvlar_.size();
  std::vector<Donusum> dunya;
  if (n == 0) return dunya;
  dunya.reserve(n);
  for (const Uzuv& u : uzuvlar_) dunya.push_back(u.taban);
  KucukDizi<size_t> sira(n);
  size_t yerlesen = 0;
  agacBuyut(mafsallar_, n, [&](size_t mafsalNo) { sira[yerlesen++] = mafsalNo; });
  cocuklariYerlestir(mafsallar_, sira.data(), yerlesen, n, dunya.data());
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
  agacBuyut(mafsallar, uzuvSayisi, [&](size_t mafsalNo) { agacta[mafsalNo] = 1; });
  for (size_t i = 0; i < mafsallar.size(); ++i) {
    const Mafsal& m = mafsallar[i];
    if (!agacta[i] && m.ana < uzuvSayisi && m.cocuk < uzuvSayisi) halka.push_back(i);
  }
}

}  // namespace vadu
