#include "kinematik/aktarim.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "kinematik/belge.h"
#include "kinematik/mekanizma.h"

namespace vadu {
namespace {

using Harita = std::unordered_map<uint32_t, uint32_t>;

// Bit for bit: a value compare takes -0.0 for 0.0 and would not see a lost sign.
void ayniBitler(double beklenen, double bulunan, const char* alan) {
  EXPECT_EQ(std::bit_cast<uint64_t>(beklenen), std::bit_cast<uint64_t>(bulunan))
      << alan << ": " << beklenen << " / " << bulunan;
}

void ayniVektor(const Vektor3& a, const Vektor3& b) {
  ayniBitler(a.x, b.x, "x");
  ayniBitler(a.y, b.y, "y");
  ayniBitler(a.z, b.z, "z");
}

void ayniDonus(const Kuaterniyon& a, const Kuaterniyon& b) {
  ayniBitler(a.x, b.x, "x");
  ayniBitler(a.y, b.y, "y");
  ayniBitler(a.z, b.z, "z");
  ayniBitler(a.w, b.w, "w");
}

// Every field set away from its default, anchors with scales other than one,
// rotations left unnormalised, key frames out of time order.
Mekanizma doluMekanizma() {
  Mekanizma m;
  m.uzuvEkle("Gövde", 0, Donusum());
  Donusum t;
  t.konum = Vektor3(1.5, -2.0, 3.25);
  t.donus = Kuaterniyon(0.1, 0.2, 0.3, 0.9);
  t.olcek = Vektor3(2.0, 0.5, 3.0);
  m.uzuvEkle("Kol", 101, t);
  t.olcek = Vektor3(1.0, 1.0, 1.0);
  t.donus = Kuaterniyon::eksenAci(Vektor3(1, 1, 0), -0.3);
  m.uzuvEkle("", 202, t);

  Mafsal d;
  d.ad = "Dirsek";
  d.tip = MafsalTip::Kuresel;
  d.ana = 0;
  d.cocuk = 1;
  d.capa.konum = Vektor3(60, 0, 0);
  d.capa.donus = Kuaterniyon(0, 0, 0.6, 0.8);
  d.capa.olcek = Vektor3(2, 3, 4);
  d.capaCocuk.konum = Vektor3(12.5, 0, -4.0);
  d.capaCocuk.donus = Kuaterniyon(0, 0, 0, 2);
  d.capaCocuk.olcek = Vektor3(0.5, 0.5, 0.5);
  d.q = 0.75;
  d.q2 = -0.0;
  d.q3 = 1e-300;
  d.vidaAdim = 7.5;
  d.sinirAlt = -1.5;
  d.sinirUst = 1.5;
  m.mafsalEkle(d);

  Mafsal k;
  k.tip = MafsalTip::Vida;
  k.ana = 1;
  k.cocuk = 99;
  k.q = 2.0;
  k.q2 = -1.0;
  k.q3 = 0.5;
  k.vidaAdim = 4.25;
  m.mafsalEkle(k);

  Yasa y;
  y.mafsal = 1;
  y.tip = YasaTip::AnahtarKare;
  y.degisken = 2;
  y.deger = 0.25;
  y.egim = -3.0;
  y.genlik = 2.0;
  y.periyot = 4.0;
  y.faz = 0.125;
  y.anahtarlar = {{0.0, 0.0}, {5.0, 1.0}, {3.0, 2.0}};
  m.yasaEkle(y);
  Yasa s;
  s.mafsal = 7;
  s.tip = static_cast<YasaTip>(9);
  s.degisken = -1;
  m.yasaEkle(s);
  return m;
}

Mekanizma gidisDonus(const Mekanizma& ilk) {
  Belge belge;
  kinematikDisaAktar(ilk, belge);
  Mekanizma geri;
  kinematikIceAktar(geri, belge.uzuvlar, belge.mafsallar, belge.yasalar, Harita());
  return geri;
}

TEST(KinematikAktarim, GidisDonusAnkrajOlcegiDisindaHerDegeriKorur) {
  const Mekanizma ilk = doluMekanizma();
  const Mekanizma geri = gidisDonus(ilk);

  ASSERT_EQ(geri.uzuvlar().size(), ilk.uzuvlar().size());
  for (size_t i = 0; i < ilk.uzuvlar().size(); ++i) {
    SCOPED_TRACE(i);
    const Uzuv& a = ilk.uzuvlar()[i];
    const Uzuv& b = geri.uzuvlar()[i];
    EXPECT_EQ(a.ad, b.ad);
    EXPECT_EQ(a.sahne, b.sahne);
    ayniVektor(a.taban.konum, b.taban.konum);
    ayniDonus(a.taban.donus, b.taban.donus);
    ayniVektor(a.taban.olcek, b.taban.olcek);
  }

  ASSERT_EQ(geri.mafsallar().size(), ilk.mafsallar().size());
  for (size_t i = 0; i < ilk.mafsallar().size(); ++i) {
    SCOPED_TRACE(i);
    const Mafsal& a = ilk.mafsallar()[i];
    const Mafsal& b = geri.mafsallar()[i];
    EXPECT_EQ(a.ad, b.ad);
    EXPECT_EQ(a.tip, b.tip);
    EXPECT_EQ(a.ana, b.ana);
    EXPECT_EQ(a.cocuk, b.cocuk);
    ayniVektor(a.capa.konum, b.capa.konum);
    ayniDonus(a.capa.donus, b.capa.donus);
    ayniVektor(a.capaCocuk.konum, b.capaCocuk.konum);
    ayniDonus(a.capaCocuk.donus, b.capaCocuk.donus);
    // The document keeps no anchor scale.
    ayniVektor(b.capa.olcek, Vektor3(1, 1, 1));
    ayniVektor(b.capaCocuk.olcek, Vektor3(1, 1, 1));
    ayniBitler(a.q, b.q, "q");
    ayniBitler(a.q2, b.q2, "q2");  // -0.0
    ayniBitler(a.q3, b.q3, "q3");
    ayniBitler(a.vidaAdim, b.vidaAdim, "vidaAdim");
    ayniBitler(a.sinirAlt, b.sinirAlt, "sinirAlt");
    ayniBitler(a.sinirUst, b.sinirUst, "sinirUst");
  }
  EXPECT_EQ(geri.mafsallar()[1].cocuk, 99u);

  ASSERT_EQ(geri.yasalar().size(), ilk.yasalar().size());
  for (size_t i = 0; i < ilk.yasalar().size(); ++i) {
    SCOPED_TRACE(i);
    const Yasa& a = ilk.yasalar()[i];
    const Yasa& b = geri.yasalar()[i];
    EXPECT_EQ(a.mafsal, b.mafsal);
    EXPECT_EQ(a.tip, b.tip);
    EXPECT_EQ(a.degisken, b.degisken);
    ayniBitler(a.deger, b.deger, "deger");
    ayniBitler(a.egim, b.egim, "egim");
    ayniBitler(a.genlik, b.genlik, "genlik");
    ayniBitler(a.periyot, b.periyot, "periyot");
    ayniBitler(a.faz, b.faz, "faz");
    EXPECT_EQ(a.anahtarlar, b.anahtarlar);  // stored order, not sorted
  }

  EXPECT_EQ(geri.serbestlikDerecesi(), ilk.serbestlikDerecesi());
}

TEST(KinematikAktarim, VarsayilanKayitlarVarsayilanBelgeKayitlarinaDonusur) {
  Mekanizma m;
  m.uzuvEkle("", 0, Donusum());
  m.mafsalEkle(Mafsal());
  m.yasaEkle(Yasa());
  Belge belge;
  kinematikDisaAktar(m, belge);
  ASSERT_EQ(belge.uzuvlar.size(), 1u);
  ASSERT_EQ(belge.mafsallar.size(), 1u);
  ASSERT_EQ(belge.yasalar.size(), 1u);

  const BelgeUzuv vu;
  EXPECT_EQ(belge.uzuvlar[0].ad, vu.ad);
  EXPECT_EQ(belge.uzuvlar[0].sahne, vu.sahne);
  EXPECT_EQ(belge.uzuvlar[0].konum, vu.konum);
  EXPECT_EQ(belge.uzuvlar[0].donus, vu.donus);
  EXPECT_EQ(belge.uzuvlar[0].olcek, vu.olcek);

  const BelgeMafsal vm;
  const BelgeMafsal& fm = belge.mafsallar[0];
  EXPECT_EQ(fm.ad, vm.ad);
  EXPECT_EQ(fm.tip, vm.tip);
  EXPECT_EQ(fm.ana, vm.ana);
  EXPECT_EQ(fm.cocuk, vm.cocuk);
  EXPECT_EQ(fm.capaKonum, vm.capaKonum);
  EXPECT_EQ(fm.capaDonus, vm.capaDonus);
  EXPECT_EQ(fm.capaCocukKonum, vm.capaCocukKonum);
  EXPECT_EQ(fm.capaCocukDonus, vm.capaCocukDonus);
  EXPECT_EQ(fm.q, vm.q);
  EXPECT_EQ(fm.q2, vm.q2);
  EXPECT_EQ(fm.q3, vm.q3);
  EXPECT_EQ(fm.vidaAdim, vm.vidaAdim);
  EXPECT_EQ(fm.sinirAlt, vm.sinirAlt);
  EXPECT_EQ(fm.sinirUst, vm.sinirUst);

  const BelgeYasa vy;
  const BelgeYasa& fy = belge.yasalar[0];
  EXPECT_EQ(fy.mafsal, vy.mafsal);
  EXPECT_EQ(fy.tip, vy.tip);
  EXPECT_EQ(fy.degisken, vy.degisken);
  EXPECT_EQ(fy.deger, vy.deger);
  EXPECT_EQ(fy.egim, vy.egim);
  EXPECT_EQ(fy.genlik, vy.genlik);
  EXPECT_EQ(fy.periyot, vy.periyot);
  EXPECT_EQ(fy.faz, vy.faz);
  EXPECT_EQ(fy.anahtarlar, vy.anahtarlar);
}

TEST(KinematikAktarim, DisaAktarimYalnizKinematikVektorleriniDegistirir) {
  Belge belge;
  belge.gorunum.uzaklik = 3.0f;
  belge.katmanlar.push_back(BelgeKatman{});
  belge.secim = {4, 5};
  belge.etkinKatman = 2;
  belge.zamanIsaretleri.push_back(BelgeZamanIsareti{});
  belge.birimOlcek = 0.5f;

  const Mekanizma m = doluMekanizma();
  kinematikDisaAktar(m, belge);
  kinematikDisaAktar(m, belge);  // a second export replaces, never appends
  EXPECT_EQ(belge.uzuvlar.size(), 3u);
  EXPECT_EQ(belge.mafsallar.size(), 2u);
  EXPECT_EQ(belge.yasalar.size(), 2u);

  kinematikDisaAktar(Mekanizma(), belge);
  EXPECT_TRUE(belge.uzuvlar.empty());
  EXPECT_TRUE(belge.mafsallar.empty());
  EXPECT_TRUE(belge.yasalar.empty());

  EXPECT_EQ(belge.gorunum.uzaklik, 3.0f);
  EXPECT_EQ(belge.katmanlar.size(), 1u);
  EXPECT_EQ(belge.secim, (std::vector<uint32_t>{4, 5}));
  EXPECT_EQ(belge.etkinKatman, 2);
  EXPECT_EQ(belge.zamanIsaretleri.size(), 1u);
  EXPECT_EQ(belge.birimOlcek, 0.5f);
}

TEST(KinematikAktarim, DugumKimligiEslemesi) {
  struct Durum {
    const char* ad;
    Harita harita;
    uint32_t eski;
    uint32_t yeni;
  };
  const Durum durumlar[] = {
      {"bos harita kimligi korur", {}, 101, 101},
      {"bos haritada 0 kalir", {}, 0, 0},
      {"eslenen kimlik", {{101, 900}, {202, 901}}, 101, 900},
      {"ikinci eslenen kimlik", {{101, 900}, {202, 901}}, 202, 901},
      {"eslenmeyen kimlik baglanmaz", {{101, 900}}, 202, 0},
      {"0 hic aranmaz", {{0, 55}, {101, 900}}, 0, 0},
      {"yalniz 0 anahtari olan harita", {{0, 55}}, 101, 0},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.ad);
    std::vector<BelgeUzuv> uzuvlar(1);
    uzuvlar[0].sahne = d.eski;
    Mekanizma m;
    kinematikIceAktar(m, uzuvlar, {}, {}, d.harita);
    ASSERT_EQ(m.uzuvlar().size(), 1u);
    EXPECT_EQ(m.uzuvlar()[0].sahne, d.yeni);
  }
}

TEST(KinematikAktarim, DizinlerinDusuk32BitiYazilir) {
  const size_t buyuk = (size_t{1} << 32) + 1;
  Mekanizma m;
  m.uzuvEkle("a", 0, Donusum());
  Mafsal j;
  j.ana = buyuk;
  j.cocuk = (size_t{1} << 32) + 7;
  m.mafsalEkle(j);
  Yasa y;
  y.mafsal = buyuk;
  m.yasaEkle(y);

  Belge belge;
  kinematikDisaAktar(m, belge);
  ASSERT_EQ(belge.mafsallar.size(), 1u);
  ASSERT_EQ(belge.yasalar.size(), 1u);
  EXPECT_EQ(belge.mafsallar[0].ana, 1u);
  EXPECT_EQ(belge.mafsallar[0].cocuk, 7u);
  EXPECT_EQ(belge.yasalar[0].mafsal, 1u);

  // Widened back by zero extension: the high bits are gone for good.
  belge.mafsallar[0].ana = 0xFFFFFFFFu;
  Mekanizma geri;
  kinematikIceAktar(geri, belge.uzuvlar, belge.mafsallar, belge.yasalar, Harita());
  EXPECT_EQ(geri.mafsallar()[0].ana, size_t{0xFFFFFFFFu});
  EXPECT_EQ(geri.mafsallar()[0].cocuk, 7u);
  EXPECT_EQ(geri.yasalar()[0].mafsal, 1u);
}

TEST(KinematikAktarim, IceAktarimBelgeyiOlduguGibiAlirVeOncekiniSiler) {
  std::vector<BelgeUzuv> uzuvlar(1);
  uzuvlar[0].ad = "Kol";
  uzuvlar[0].donus = {0.0, 0.0, 0.0, 2.0};
  std::vector<BelgeMafsal> mafsallar(1);
  mafsallar[0].tip = static_cast<MafsalTip>(9);
  mafsallar[0].capaDonus = {0.0, 3.0, 0.0, 4.0};
  std::vector<BelgeYasa> yasalar(1);
  yasalar[0].mafsal = 5;

  Mekanizma m = doluMekanizma();
  kinematikIceAktar(m, uzuvlar, mafsallar, yasalar, Harita());
  ASSERT_EQ(m.uzuvlar().size(), 1u);
  ASSERT_EQ(m.mafsallar().size(), 1u);
  ASSERT_EQ(m.yasalar().size(), 1u);
  EXPECT_EQ(m.uzuvlar()[0].ad, "Kol");
  ayniDonus(m.uzuvlar()[0].taban.donus, Kuaterniyon(0, 0, 0, 2));  // not normalised
  EXPECT_EQ(static_cast<int>(m.mafsallar()[0].tip), 9);
  ayniDonus(m.mafsallar()[0].capa.donus, Kuaterniyon(0, 3, 0, 4));
  EXPECT_EQ(m.yasalar()[0].mafsal, 5u);

  kinematikIceAktar(m, {}, {}, {}, Harita());
  EXPECT_TRUE(m.uzuvlar().empty());
  EXPECT_TRUE(m.mafsallar().empty());
  EXPECT_TRUE(m.yasalar().empty());
}

}  // namespace
}  // namespace vadu
