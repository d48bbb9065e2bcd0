#include "istakip/depo.h"

#include <gtest/gtest.h>

#include <vector>

namespace vadu::istakip {
namespace {

Kayit kayit(uint64_t id, uint64_t surum) {
  Kayit k;
  k.id = id;
  k.surum = surum;
  k.tur = "is";
  return k;
}

std::vector<uint64_t> surumler(const std::vector<Kayit>& liste) {
  std::vector<uint64_t> s;
  for (const Kayit& k : liste) s.push_back(k.surum);
  return s;
}

TEST(DepoBellek, Bos) {
  DepoBellek d;
  EXPECT_STREQ(d.ad(), "bellek");
  EXPECT_EQ(d.enBuyukSurum(), 0u);
  EXPECT_EQ(d.enBuyukId(), 0u);
  EXPECT_TRUE(d.degisenler(0).empty());
  EXPECT_EQ(d.yazarSira(7), 0u);
  Kayit cikan = kayit(42, 3);
  EXPECT_FALSE(d.bul(1, cikan));
  EXPECT_EQ(cikan, kayit(42, 3));
}

TEST(DepoBellek, KaydetTumKaydiDegistirir) {
  DepoBellek d;
  Kayit a = kayit(4, 9);
  a.alanYaz("ad", "eski");
  ASSERT_TRUE(d.kaydet(a));
  Kayit b = kayit(4, 2);  // a lower version still replaces
  ASSERT_TRUE(d.kaydet(b));
  Kayit cikan;
  ASSERT_TRUE(d.bul(4, cikan));
  EXPECT_EQ(cikan, b);
  ASSERT_TRUE(d.kaydet(kayit(0, 1)));  // identifier 0 is a key like any other
  EXPECT_TRUE(d.bul(0, cikan));
}

TEST(DepoBellek, DegisenlerSurumSirasinda) {
  DepoBellek d;
  d.kaydet(kayit(10, 3));
  d.kaydet(kayit(20, 1));
  d.kaydet(kayit(30, 2));
  EXPECT_EQ(surumler(d.degisenler(0)), (std::vector<uint64_t>{1, 2, 3}));
  EXPECT_EQ(surumler(d.degisenler(1)), (std::vector<uint64_t>{2, 3}));
  EXPECT_TRUE(d.degisenler(3).empty());
  // The largest identifier is independent of the largest version.
  EXPECT_EQ(d.enBuyukId(), 30u);
  EXPECT_EQ(d.enBuyukSurum(), 3u);
}

TEST(DepoBellek, YazarSirasiSonDegeriTutar) {
  DepoBellek d;
  EXPECT_TRUE(d.yazarSiraKaydet(7, 5));
  EXPECT_TRUE(d.yazarSiraKaydet(7, 2));
  EXPECT_EQ(d.yazarSira(7), 2u);
  EXPECT_EQ(d.yazarSira(8), 0u);
}

}  // namespace
}  // namespace vadu::istakip
