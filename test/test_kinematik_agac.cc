// Checks of the mechanism's branch of the interface tree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kinematik/agac.h"
#include "kinematik/mekanizma.h"
#include "test/kontrol.h"

using namespace vadu;
using u32 = std::uint32_t;

// The builder keeps no state, so one instance serves every check.
static KinematikAgac& agacOrnegi() {
  static KinematikAgac agac;
  return agac;
}

// A mechanism of the ground body alone: link 0, bound to no scene node.
static Mekanizma sadeceGovde() {
  Mekanizma m;
  m.uzuvEkle("Gövde", 0, Donusum());
  return m;
}

static const AgacDugumu* cocukBul(const AgacDugumu& d, const char* etiket) {
  for (const AgacDugumu& c : d.cocuklar) {
    if (c.etiket == etiket) return &c;
  }
  return nullptr;
}

VADU_TEST(kinematik_agac_bos_mekanizma_dal_eklemez) {
  std::vector<AgacDugumu> kok;
  Mekanizma bos;
  agacOrnegi().dalEkle(bos, kok);
  KONTROL(kok.empty());
  Mekanizma mek = sadeceGovde();
  agacOrnegi().dalEkle(mek, kok);
  KONTROL(kok.empty());
}

VADU_TEST(kinematik_agac_uzuv_mafsal_dugumleri) {
  std::vector<AgacDugumu> kok;
  Mekanizma mek = sadeceGovde();
  const size_t krank = mek.uzuvEkle("Krank", 42, Donusum());
  const size_t biyel = mek.uzuvEkle("Biyel", 43, Donusum());
  Mafsal m1;
  m1.tip = MafsalTip::Doner;
  m1.ana = 0;
  m1.cocuk = krank;
  Mafsal m2;
  m2.tip = MafsalTip::Doner;
  m2.ana = krank;
  m2.cocuk = biyel;
  mek.mafsalEkle(m1);
  mek.mafsalEkle(m2);
  agacOrnegi().dalEkle(mek, kok);
  KONTROL(kok.size() == 1u);
  if (kok.empty()) return;

  const AgacDugumu& g = kok[0];
  const AgacDugumu* gu = cocukBul(g, "Uzuvlar");
  const AgacDugumu* gm = cocukBul(g, "Mafsallar");
  const size_t uzuvSayisi = gu ? gu->cocuklar.size() : 0;
  const size_t mafsalSayisi = gm ? gm->cocuklar.size() : 0;
  KONTROL(g.etiket.rfind("Mekanizma (DOF ", 0) == 0);
  KONTROL(g.arketip == Arketip::Grup);
  KONTROL(g.cocuklar.size() == 2u);
  KONTROL(gu != nullptr);
  KONTROL(gu && gu->cocuklar.size() == 2u);
  KONTROL_EGER(uzuvSayisi > 0, gu && gu->cocuklar[0].etiket == "Krank");
  KONTROL_EGER(uzuvSayisi > 0, gu && (u32)gu->cocuklar[0].varlik == 42u);
  KONTROL_EGER(uzuvSayisi > 1, gu && (u32)gu->cocuklar[1].varlik == 43u);
  KONTROL(gm != nullptr);
  KONTROL(gm && gm->cocuklar.size() == 2u);
  KONTROL_EGER(mafsalSayisi > 0, gm && gm->cocuklar[0].etiket.find("Krank") != std::string::npos);
  KONTROL_EGER(mafsalSayisi > 0, gm && gm->cocuklar[0].etiket.find("Gövde") != std::string::npos);
  KONTROL_EGER(mafsalSayisi > 1, gm && gm->cocuklar[1].etiket.find("Biyel") != std::string::npos);
  KONTROL_EGER(mafsalSayisi > 0, gm && gm->cocuklar[0].camKimlik == 1u);
}

VADU_TEST(kinematik_agac_govdesiz_kurulumda_ilk_parca_gorunur) {
  std::vector<AgacDugumu> kok;
  Mekanizma mek;
  mek.uzuvEkle("Krank", 42, Donusum());
  agacOrnegi().dalEkle(mek, kok);
  KONTROL(kok.size() == 1u);
  if (kok.empty()) return;

  const AgacDugumu* gu = cocukBul(kok[0], "Uzuvlar");
  const bool dolu = gu && !gu->cocuklar.empty();
  KONTROL(gu != nullptr);
  KONTROL(gu && gu->cocuklar.size() == 1u);
  KONTROL_EGER(dolu, gu && gu->cocuklar[0].etiket == "Krank");
  KONTROL_EGER(dolu, gu && (u32)gu->cocuklar[0].varlik == 42u);
}

VADU_TEST(kinematik_agac_bagsiz_uzuv_sanal_kalir) {
  std::vector<AgacDugumu> kok;
  Mekanizma mek = sadeceGovde();
  mek.uzuvEkle("Serbest", 0, Donusum());
  agacOrnegi().dalEkle(mek, kok);
  KONTROL(kok.size() == 1u);
  if (kok.empty()) return;

  const AgacDugumu* gu = cocukBul(kok[0], "Uzuvlar");
  const bool dolu = gu && !gu->cocuklar.empty();
  KONTROL(gu != nullptr);
  KONTROL_EGER(dolu, gu && gu->cocuklar[0].varlik == VARLIK_YOK);
  KONTROL_EGER(dolu, gu && gu->cocuklar[0].camKimlik == 1u);
}

VADU_TEST(kinematik_agac_adsiz_uzuv_varsayilan_etiket) {
  std::vector<AgacDugumu> kok;
  Mekanizma mek = sadeceGovde();
  mek.uzuvEkle("", 7, Donusum());
  agacOrnegi().dalEkle(mek, kok);
  KONTROL(kok.size() == 1u);
  if (kok.empty()) return;

  const AgacDugumu* gu = cocukBul(kok[0], "Uzuvlar");
  KONTROL(gu != nullptr);
  KONTROL_EGER(gu && !gu->cocuklar.empty(), gu && gu->cocuklar[0].etiket == "Uzuv.1");
}
