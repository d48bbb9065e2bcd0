#include "istakip/mesaj.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "orkestra/kodlama.h"

namespace vadu::istakip {
namespace {

Kayit ornek() {
  Kayit k;
  k.id = 1;
  k.tur = "siparis";
  k.surum = 1;
  k.alanYaz("ad", "atolye-1");
  return k;
}

const std::string ORNEK_BAYTLARI(
    "\x01\x00\x00\x00\x00\x00\x00\x00"
    "\x07\x00siparis"
    "\x01\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x01\x00"
    "\x02\x00"
    "ad"
    "\x08\x00"
    "atolye-1",
    42);

bool coz(const std::string& b, Kayit& k, size_t* okunan = nullptr) {
  const uint8_t* p = baytlar(b.data());
  const bool ok = kayitCoz(p, p + b.size(), k);
  if (okunan) *okunan = static_cast<size_t>(p - baytlar(b.data()));
  return ok;
}

TEST(KayitKodu, OrnekBaytBayt) {
  EXPECT_EQ(kayitKodla(ornek()), ORNEK_BAYTLARI);
  Kayit k;
  size_t okunan = 0;
  ASSERT_TRUE(coz(ORNEK_BAYTLARI, k, &okunan));
  EXPECT_EQ(okunan, ORNEK_BAYTLARI.size());
  EXPECT_EQ(k, ornek());
  EXPECT_EQ(kayitKodla(Kayit{}).size(), 21u);
}

TEST(KayitKodu, HerKesikOnekReddedilir) {
  Kayit k;
  k.id = 0x0102030405060708;
  k.tur = "tur";
  k.surum = 77;
  k.silindi = true;
  k.alanlar = {{"a", "1"}, {"", ""}, {"uzun ad", "deger"}};
  const std::string b = kayitKodla(k);
  for (size_t n = 0; n < b.size(); ++n) {
    Kayit c;
    EXPECT_FALSE(coz(b.substr(0, n), c)) << "length " << n;
  }
  Kayit c;
  ASSERT_TRUE(coz(b, c));
  EXPECT_EQ(c, k);
  // A cursor past its end reads nothing, even where a whole record lies
  // beyond it: the bytes in a buffer of their own, so that a read past them
  // is seen.
  const std::vector<uint8_t> ayri(b.begin(), b.end());
  const uint8_t* const bas = ayri.data();
  const std::pair<size_t, size_t> imlecSon[] = {{1, 0},
                                                {b.size() - 2, b.size() - 3},
                                                {b.size(), 0}};
  for (const auto& [imlec, son] : imlecSon) {
    const uint8_t* p = bas + imlec;
    Kayit d = k;
    EXPECT_FALSE(kayitCoz(p, bas + son, d)) << imlec << " past " << son;
    EXPECT_EQ(p, bas + imlec);
    EXPECT_EQ(d, k);
  }
}

TEST(KayitKodu, SilindiSifirOlmayanBaytDogruOkunur) {
  std::string b = ORNEK_BAYTLARI;
  b[18 + 7] = 2;
  Kayit k;
  ASSERT_TRUE(coz(b, k));
  EXPECT_TRUE(k.silindi);
  EXPECT_EQ(static_cast<uint8_t>(kayitKodla(k)[18 + 7]), 1u);
}

TEST(KayitKodu, CokFazlaAlanKesilir) {
  Kayit k;
  for (size_t i = 0; i < 65537; ++i) k.alanlar.emplace_back(std::to_string(i), "v");
  const std::string b = kayitKodla(k);
  EXPECT_EQ(leOkuU16(baytlar(b.data()) + 19), 65535u);
  Kayit c;
  size_t okunan = 0;
  ASSERT_TRUE(coz(b, c, &okunan));
  EXPECT_EQ(okunan, b.size());
  ASSERT_EQ(c.alanlar.size(), 65535u);
  EXPECT_EQ(c.alanlar.back().first, "65534");
  EXPECT_EQ(kayitBoyu(k), b.size());
}

// The size the king plans its batches with is what the encoder writes,
// strings cut to their longest included.
TEST(KayitKodu, BoyuKodlananKadar) {
  Kayit uzun = ornek();
  uzun.tur = std::string(70000, 't');
  uzun.alanYaz(std::string(65535, 'a'), std::string(65536, 'v'));
  for (const Kayit& k : {Kayit{}, ornek(), uzun}) EXPECT_EQ(kayitBoyu(k), kayitKodla(k).size());
}

TEST(Sonuc, GovdeVeSinirlar) {
  const std::string b = sonucKodla(false, "yetki");
  EXPECT_EQ(b, std::string("\x00\x05\x00yetki", 8));
  bool basarili = true;
  std::string kelime;
  ASSERT_TRUE(sonucCoz(b + "fazla", basarili, kelime));
  EXPECT_FALSE(basarili);
  EXPECT_EQ(kelime, "yetki");
  ASSERT_TRUE(sonucCoz(std::string("\x07\x00\x00", 3), basarili, kelime));
  EXPECT_TRUE(basarili);  // any non-zero byte
  EXPECT_EQ(kelime, "");
  EXPECT_FALSE(sonucCoz("", basarili, kelime));
  EXPECT_FALSE(sonucCoz(std::string(1, '\x01'), basarili, kelime));
  EXPECT_FALSE(sonucCoz(b.substr(0, 7), basarili, kelime));
}

// One body per kind: its encoding, the size of its fixed part, and a decoder
// that compares what it read with what was encoded.
struct Govde {
  const char* ad;
  std::string baytlar;
  size_t sabit;
  std::function<bool(const std::string&)> cozEsit;
};

std::vector<Govde> govdeler() {
  const Kayit k = ornek();
  return {
      {"senkron_istegi", senkronIstegiKodla(5, 777), SENKRON_ISTEK_BOYU,
       [](const std::string& b) {
         uint64_t s = 0, n = 0;
         return senkronIstegiCoz(b, s, n) && s == 5 && n == 777;
       }},
      {"senkron_cevabi_bos", senkronCevabiKodla({}, 9, 4, true), SENKRON_CEVAP_BASI,
       [](const std::string& b) {
         std::vector<Kayit> l{Kayit{}};
         uint64_t y = 0, i = 0;
         bool d = false;
         return senkronCevabiCoz(b, l, y, i, d) && l.empty() && y == 9 && i == 4 && d;
       }},
      {"senkron_cevabi", senkronCevabiKodla({k, k}, 9, 4, false), SENKRON_CEVAP_BASI,
       [k](const std::string& b) {
         std::vector<Kayit> l;
         uint64_t y = 0, i = 0;
         bool d = true;
         return senkronCevabiCoz(b, l, y, i, d) && l == std::vector<Kayit>{k, k} && !d;
       }},
      {"yazma_istegi", yazmaIstegiKodla(777, 3, 2, k), YAZMA_ISTEK_BASI,
       [k](const std::string& b) {
         uint64_t n = 0, s = 0, e = 0;
         Kayit c;
         return yazmaIstegiCoz(b, n, s, e, c) && n == 777 && s == 3 && e == 2 && c == k;
       }},
      {"yazma_bildirimi", yazmaBildirimiKodla(k, 777, 3), YAZMA_BILDIRIM_BASI,
       [k](const std::string& b) {
         uint64_t n = 0, s = 0;
         Kayit c;
         return yazmaBildirimiCoz(b, c, n, s) && n == 777 && s == 3 && c == k;
       }},
  };
}

TEST(MesajGovdesi, SabitKisimVeKesikKayit) {
  for (const Govde& g : govdeler()) {
    SCOPED_TRACE(g.ad);
    EXPECT_TRUE(g.cozEsit(g.baytlar));
    EXPECT_TRUE(g.cozEsit(g.baytlar + std::string("\x01\x02\x03", 3)));
    EXPECT_FALSE(g.cozEsit(g.baytlar.substr(0, g.sabit - 1)));
    // Every cut from one byte short of the fixed part to one short of the whole.
    for (size_t n = g.sabit - 1; n < g.baytlar.size(); ++n) {
      EXPECT_FALSE(g.cozEsit(g.baytlar.substr(0, n))) << "length " << n;
    }
  }
  // The fixed part alone is enough for a request and for an empty batch.
  EXPECT_EQ(senkronIstegiKodla(1, 2).size(), SENKRON_ISTEK_BOYU);
  EXPECT_EQ(senkronCevabiKodla({}, 0, 0, false).size(), SENKRON_CEVAP_BASI);
}

TEST(MesajGovdesi, SayiFazlaKayitVaadederse) {
  std::string b = senkronCevabiKodla({ornek()}, 1, 0, false);
  b[17] = 2;  // two promised, one present
  std::vector<Kayit> l;
  uint64_t y = 0, i = 0;
  bool d = false;
  EXPECT_FALSE(senkronCevabiCoz(b, l, y, i, d));
  EXPECT_EQ(l.size(), 1u);  // what completed before the failure
  b[20] = '\x7f';           // a huge count costs nothing up front
  EXPECT_FALSE(senkronCevabiCoz(b, l, y, i, d));
}

}  // namespace
}  // namespace vadu::istakip
