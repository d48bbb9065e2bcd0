#include "kinematik/agac.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kinematik/mekanizma.h"

namespace vadu {
namespace {

// The texts as bytes, so that an editor's or compiler's idea of the source
// encoding cannot make a wrong label look right.
const std::string GOVDE = "G\xC3\xB6vde";
const std::string DONER = "D\xC3\xB6ner";
const std::string OK = " \xE2\x86\x92 ";
const std::string DISLI = "\xE2\x9A\x99";
const std::string ANAHTAR = "\xF0\x9F\x94\xA7";
const std::string SOMUN = "\xF0\x9F\x94\xA9";
const std::string HALKA = "\xF0\x9F\x94\x97";

std::string ikon(const AgacDugumu& d) { return d.ikon ? std::string(d.ikon) : "(yok)"; }

Mafsal mafsal(MafsalTip tip, size_t ana, size_t cocuk, std::string ad = "") {
  Mafsal m;
  m.ad = std::move(ad);
  m.tip = tip;
  m.ana = ana;
  m.cocuk = cocuk;
  return m;
}

std::vector<AgacDugumu> dal(const Mekanizma& mek) {
  std::vector<AgacDugumu> kok;
  KinematikAgac().dalEkle(mek, kok);
  return kok;
}

void bosDurumlar(const AgacDugumu& d) {
  EXPECT_EQ(d.acik, 0);
  EXPECT_EQ(d.vurgu, 0);
  EXPECT_EQ(d.ekVeri, 0u);
}

TEST(KinematikAgac, KrankBiyelDaliBaytBaytDogru) {
  Mekanizma mek;
  mek.uzuvEkle(GOVDE, 0, Donusum());
  mek.uzuvEkle("Krank", 42, Donusum());
  mek.uzuvEkle("Biyel", 43, Donusum());
  mek.mafsalEkle(mafsal(MafsalTip::Doner, 0, 1));
  mek.mafsalEkle(mafsal(MafsalTip::Doner, 1, 2));

  const std::vector<AgacDugumu> kok = dal(mek);
  ASSERT_EQ(kok.size(), 1u);
  const AgacDugumu& g = kok[0];
  EXPECT_EQ(g.etiket, "Mekanizma (DOF 2)");
  EXPECT_EQ(ikon(g), DISLI);
  EXPECT_EQ(g.arketip, Arketip::Grup);
  EXPECT_EQ(g.varlik, VARLIK_YOK);
  EXPECT_EQ(g.camKimlik, 0u);
  bosDurumlar(g);
  ASSERT_EQ(g.cocuklar.size(), 2u);

  const AgacDugumu& gu = g.cocuklar[0];
  EXPECT_EQ(gu.etiket, "Uzuvlar");
  EXPECT_EQ(ikon(gu), ANAHTAR);
  EXPECT_EQ(gu.arketip, Arketip::Grup);
  ASSERT_EQ(gu.cocuklar.size(), 2u);
  const char* uzuvAdlari[] = {"Krank", "Biyel"};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const AgacDugumu& n = gu.cocuklar[i];
    EXPECT_EQ(n.etiket, uzuvAdlari[i]);
    EXPECT_EQ(ikon(n), SOMUN);
    EXPECT_EQ(static_cast<uint32_t>(n.varlik), 42u + i);
    EXPECT_EQ(n.camKimlik, i + 1);
    EXPECT_EQ(n.arketip, Arketip::Yok);
    EXPECT_TRUE(n.cocuklar.empty());
    bosDurumlar(n);
  }

  const AgacDugumu& gm = g.cocuklar[1];
  EXPECT_EQ(gm.etiket, "Mafsallar");
  EXPECT_EQ(ikon(gm), HALKA);
  EXPECT_EQ(gm.arketip, Arketip::Grup);
  ASSERT_EQ(gm.cocuklar.size(), 2u);
  const std::string mafsalEtiketleri[] = {DONER + "  " + GOVDE + OK + "Krank",
                                          DONER + "  Krank" + OK + "Biyel"};
  for (size_t j = 0; j < 2; ++j) {
    SCOPED_TRACE(j);
    const AgacDugumu& n = gm.cocuklar[j];
    EXPECT_EQ(n.etiket, mafsalEtiketleri[j]);
    EXPECT_EQ(ikon(n), HALKA);
    EXPECT_EQ(n.varlik, VARLIK_YOK);
    EXPECT_EQ(n.camKimlik, j + 1);
    EXPECT_EQ(n.arketip, Arketip::Yok);
    bosDurumlar(n);
  }
}

TEST(KinematikAgac, DalOlusmayanMekanizmalar) {
  EXPECT_TRUE(dal(Mekanizma()).empty());
  Mekanizma govde;
  govde.uzuvEkle("Zemin", 0, Donusum());
  EXPECT_TRUE(dal(govde).empty());
}

TEST(KinematikAgac, GrupSecimiVeUzuvEtiketleri) {
  // Only a link 0 without a scene node is the ground body.
  Mekanizma tek;
  tek.uzuvEkle("Krank", 42, Donusum());
  std::vector<AgacDugumu> kok = dal(tek);
  ASSERT_EQ(kok.size(), 1u);
  ASSERT_EQ(kok[0].cocuklar.size(), 1u);
  const AgacDugumu& gu = kok[0].cocuklar[0];
  EXPECT_EQ(gu.etiket, "Uzuvlar");
  ASSERT_EQ(gu.cocuklar.size(), 1u);
  EXPECT_EQ(gu.cocuklar[0].etiket, "Krank");
  EXPECT_EQ(static_cast<uint32_t>(gu.cocuklar[0].varlik), 42u);
  EXPECT_EQ(gu.cocuklar[0].camKimlik, 0u);

  // Ground body with joints and no other link: only the joint group.
  Mekanizma yalnizMafsal;
  yalnizMafsal.uzuvEkle("Zemin", 0, Donusum());
  yalnizMafsal.mafsalEkle(mafsal(MafsalTip::Sabit, 0, 0));
  kok = dal(yalnizMafsal);
  ASSERT_EQ(kok.size(), 1u);
  ASSERT_EQ(kok[0].cocuklar.size(), 1u);
  EXPECT_EQ(kok[0].cocuklar[0].etiket, "Mafsallar");
  ASSERT_EQ(kok[0].cocuklar[0].cocuklar.size(), 1u);
  // A named link 0 is still "Gövde" when it is the ground body.
  EXPECT_EQ(kok[0].cocuklar[0].cocuklar[0].etiket, "Sabit  " + GOVDE + OK + GOVDE);

  // Unnamed links are labelled by index, link 0 included when it is listed.
  Mekanizma adsiz;
  adsiz.uzuvEkle("", 5, Donusum());
  adsiz.uzuvEkle("", 0, Donusum());
  adsiz.mafsalEkle(mafsal(MafsalTip::Kayar, 0, 1));
  kok = dal(adsiz);
  ASSERT_EQ(kok.size(), 1u);
  ASSERT_EQ(kok[0].cocuklar.size(), 2u);
  const AgacDugumu& uzuvlar = kok[0].cocuklar[0];
  ASSERT_EQ(uzuvlar.cocuklar.size(), 2u);
  EXPECT_EQ(uzuvlar.cocuklar[0].etiket, "Uzuv.0");
  EXPECT_EQ(static_cast<uint32_t>(uzuvlar.cocuklar[0].varlik), 5u);
  EXPECT_EQ(uzuvlar.cocuklar[1].etiket, "Uzuv.1");
  EXPECT_EQ(uzuvlar.cocuklar[1].varlik, VARLIK_YOK);
  EXPECT_EQ(uzuvlar.cocuklar[1].camKimlik, 1u);
  ASSERT_EQ(kok[0].cocuklar[1].cocuklar.size(), 1u);
  EXPECT_EQ(kok[0].cocuklar[1].cocuklar[0].etiket, "Kayar  Uzuv.0" + OK + "Uzuv.1");
}

TEST(KinematikAgac, MafsalEtiketleri) {
  Mekanizma mek;
  mek.uzuvEkle("Zemin", 0, Donusum());
  mek.uzuvEkle("Kol", 3, Donusum());
  mek.mafsalEkle(mafsal(static_cast<MafsalTip>(9), 0, 5));  // unknown kind, no link 5
  mek.mafsalEkle(mafsal(MafsalTip::Vida, 1, 0, "Mil"));     // a name wins over the kind
  mek.mafsalEkle(mafsal(MafsalTip::Duzlemsel, 1, 1));
  const std::vector<AgacDugumu> kok = dal(mek);
  ASSERT_EQ(kok.size(), 1u);
  ASSERT_EQ(kok[0].cocuklar.size(), 2u);
  const std::vector<AgacDugumu>& n = kok[0].cocuklar[1].cocuklar;
  ASSERT_EQ(n.size(), 3u);
  EXPECT_EQ(n[0].etiket, "?  " + GOVDE + OK + "Uzuv.5");
  EXPECT_EQ(n[0].etiket.rfind("?", 0), 0u);
  EXPECT_EQ(n[1].etiket, "Mil  Kol" + OK + GOVDE);
  EXPECT_EQ(n[2].etiket, "D\xC3\xBCzlemsel  Kol" + OK + "Kol");
  EXPECT_EQ(n[2].camKimlik, 3u);
}

TEST(KinematikAgac, NegatifSerbestlikEtiketi) {
  Mekanizma halka;
  for (uint32_t i = 0; i < 4; ++i) halka.uzuvEkle("", i + 1, Donusum());
  for (size_t i = 0; i < 4; ++i) halka.mafsalEkle(mafsal(MafsalTip::Doner, i, (i + 1) % 4));
  ASSERT_EQ(halka.serbestlikDerecesi(), -2);
  const std::vector<AgacDugumu> kok = dal(halka);
  ASSERT_EQ(kok.size(), 1u);
  EXPECT_EQ(kok[0].etiket, "Mekanizma (DOF -2)");
}

TEST(KinematikAgac, HerCagriYeniDalEkler) {
  Mekanizma mek;
  mek.uzuvEkle("Krank", 42, Donusum());
  std::vector<AgacDugumu> kok(1);
  kok[0].etiket = "Sahne";
  const KinematikAgac agac;
  agac.dalEkle(mek, kok);
  agac.dalEkle(mek, kok);
  ASSERT_EQ(kok.size(), 3u);
  EXPECT_EQ(kok[0].etiket, "Sahne");
  EXPECT_EQ(kok[1].etiket, "Mekanizma (DOF 0)");
  EXPECT_EQ(kok[2].etiket, "Mekanizma (DOF 0)");
}

TEST(KinematikAgac, VarsayilanDugum) {
  const AgacDugumu d;
  EXPECT_TRUE(d.etiket.empty());
  EXPECT_EQ(d.varlik, VARLIK_YOK);
  EXPECT_EQ(static_cast<uint32_t>(VARLIK_YOK), 0u);
  EXPECT_EQ(d.camKimlik, 0u);
  EXPECT_EQ(d.ikon, nullptr);
  EXPECT_EQ(static_cast<int>(d.arketip), 0);
  EXPECT_EQ(static_cast<int>(Arketip::Grup), 14);
  bosDurumlar(d);
  EXPECT_TRUE(d.cocuklar.empty());
}

}  // namespace
}  // namespace vadu
