#include "istakip/merkez.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vadu::istakip {
namespace {

enum class Sonuc { Uygulandi, Tekrar, Cakisma, Depo };

Sonuc sonucu(const YazmaSonucu& r) {
  EXPECT_LE(r.basarili + r.cakisma + r.depoHatasi, 1);
  if (r.basarili) return Sonuc::Uygulandi;
  EXPECT_EQ(r.kayit, Kayit{});
  if (r.cakisma) return Sonuc::Cakisma;
  if (r.depoHatasi) return Sonuc::Depo;
  return Sonuc::Tekrar;
}

// A store that can refuse records or sequence numbers.
class SecmeliDepo : public DepoBellek {
 public:
  bool kayitReddet = false;
  bool siraReddet = false;
  bool kaydet(const Kayit& k) override { return !kayitReddet && DepoBellek::kaydet(k); }
  bool yazarSiraKaydet(uint64_t no, uint64_t sira) override {
    return !siraReddet && DepoBellek::yazarSiraKaydet(no, sira);
  }
};

Kayit yeni(const std::string& ad = "x") {
  Kayit k;
  k.tur = "siparis";
  k.alanYaz("ad", ad);
  return k;
}

Kayit mevcut(uint64_t id) {
  Kayit k = yeni();
  k.id = id;
  return k;
}

struct Adim {
  uint64_t istemci;
  uint64_t sira;
  uint64_t id;  // 0: a new record
  uint64_t beklenen;
  Sonuc sonuc;
  uint64_t sonSurum;   // the centre's version after the step
  uint64_t yazarSira;  // the writer's recorded sequence number after it
  uint64_t kayitId;    // identifier of the record applied, 0 when none
};

struct Senaryo {
  const char* ad;
  std::vector<Adim> adimlar;
};

class MerkezSenaryo : public testing::TestWithParam<Senaryo> {};

TEST_P(MerkezSenaryo, AdimAdim) {
  DepoBellek depo;
  IsMerkez m(depo);
  for (const Adim& a : GetParam().adimlar) {
    const size_t onceki = depo.degisenler(0).size();
    const YazmaSonucu r = m.yaz(a.istemci, a.sira, a.id ? mevcut(a.id) : yeni(), a.beklenen);
    SCOPED_TRACE(testing::Message() << "istemci " << a.istemci << " sira " << a.sira);
    EXPECT_EQ(sonucu(r), a.sonuc);
    EXPECT_EQ(m.sonSurum(), a.sonSurum);
    EXPECT_EQ(m.yazarSira(a.istemci), a.yazarSira);
    if (a.sonuc == Sonuc::Uygulandi) {
      EXPECT_EQ(r.kayit.id, a.kayitId);
      EXPECT_EQ(r.kayit.surum, a.sonSurum);
      Kayit saklanan;
      ASSERT_TRUE(depo.bul(a.kayitId, saklanan));
      EXPECT_EQ(saklanan, r.kayit);
    } else {
      EXPECT_EQ(depo.degisenler(0).size(), onceki);
    }
  }
}

using S = Sonuc;
INSTANTIATE_TEST_SUITE_P(
    Kurallar, MerkezSenaryo,
    testing::Values(
        Senaryo{"ilk_yazma", {{1, 1, 0, 0, S::Uygulandi, 1, 1, 1}}},
        Senaryo{"sira_sifir", {{1, 0, 0, 0, S::Tekrar, 0, 0, 0}}},
        Senaryo{"ayni_sira_iki_kez",
                {{1, 1, 0, 0, S::Uygulandi, 1, 1, 1}, {1, 1, 0, 0, S::Tekrar, 1, 1, 0}}},
        Senaryo{"iki_istemci_ayni_sira",
                {{1, 1, 0, 0, S::Uygulandi, 1, 1, 1}, {2, 1, 0, 0, S::Uygulandi, 2, 1, 2}}},
        Senaryo{"bosluklu_sira",
                {{1, 2, 0, 0, S::Uygulandi, 1, 2, 1},
                 {1, 5, 0, 0, S::Uygulandi, 2, 5, 2},
                 {1, 3, 0, 0, S::Tekrar, 2, 5, 0}}},
        Senaryo{"cakisma_sirayi_tuketir",
                {{1, 1, 0, 0, S::Uygulandi, 1, 1, 1},
                 {1, 2, 1, 2, S::Cakisma, 1, 2, 0},
                 {1, 2, 1, 2, S::Tekrar, 1, 2, 0},
                 {1, 3, 1, 1, S::Uygulandi, 2, 3, 1}}},
        Senaryo{"olmayan_kayit_beklenen_surumle",
                {{1, 1, 5, 1, S::Cakisma, 0, 1, 0},
                 {1, 2, 5, 0, S::Uygulandi, 1, 2, 5},
                 {1, 3, 0, 0, S::Uygulandi, 2, 3, 6}}},
        Senaryo{"yeni_kayit_karsilastirilmaz", {{1, 1, 0, 3, S::Uygulandi, 1, 1, 1}}},
        // After the largest identifier no new one is left: a new record is
        // refused, its number not consumed; named identifiers still apply.
        Senaryo{"kimlikler_tukenir",
                {{1, 1, UINT64_MAX, 0, S::Uygulandi, 1, 1, UINT64_MAX},
                 {1, 2, 0, 0, S::Depo, 1, 1, 0},
                 {1, 2, 0, 0, S::Depo, 1, 1, 0},
                 {1, 3, 5, 0, S::Uygulandi, 2, 3, 5}}}),
    [](const testing::TestParamInfo<Senaryo>& i) { return std::string(i.param.ad); });

TEST(IsMerkez, DoluDepodanDevamEder) {
  DepoBellek depo;
  Kayit k = mevcut(9);
  k.surum = 20;
  depo.kaydet(k);
  Kayit k2 = mevcut(3);
  k2.surum = 4;
  depo.kaydet(k2);
  IsMerkez m(depo);
  EXPECT_EQ(m.sonSurum(), 20u);
  Kayit gonderilen = yeni();
  gonderilen.surum = 99;  // the client's version is not taken
  const YazmaSonucu r = m.yaz(1, 1, gonderilen, 0);
  ASSERT_TRUE(r.basarili);
  EXPECT_EQ(r.kayit.id, 10u);
  EXPECT_EQ(r.kayit.surum, 21u);
  EXPECT_EQ(m.degisenler(20).size(), 1u);
}

TEST(IsMerkez, SilindiIsaretiUygulanir) {
  DepoBellek depo;
  IsMerkez m(depo);
  ASSERT_TRUE(m.yaz(1, 1, yeni(), 0).basarili);
  Kayit sil = mevcut(1);
  sil.silindi = true;
  const YazmaSonucu r = m.yaz(1, 2, sil, 1);
  ASSERT_TRUE(r.basarili);
  Kayit saklanan;
  ASSERT_TRUE(depo.bul(1, saklanan));
  EXPECT_TRUE(saklanan.silindi);
  EXPECT_EQ(saklanan.surum, 2u);
}

TEST(IsMerkez, DepoKaydiReddederse) {
  SecmeliDepo depo;
  IsMerkez m(depo);
  depo.kayitReddet = true;
  EXPECT_EQ(sonucu(m.yaz(1, 1, yeni(), 0)), Sonuc::Depo);
  EXPECT_EQ(m.sonSurum(), 0u);
  EXPECT_EQ(m.yazarSira(1), 0u);  // not consumed: the same write may be tried again
  EXPECT_TRUE(depo.degisenler(0).empty());
  depo.kayitReddet = false;
  const YazmaSonucu r = m.yaz(1, 1, yeni(), 0);
  ASSERT_TRUE(r.basarili);
  EXPECT_EQ(r.kayit.id, 1u);
  EXPECT_EQ(r.kayit.surum, 1u);
}

// A stored record keeps its identifier and version even when the sequence
// number could not be recorded: nothing later may overwrite it.
TEST(IsMerkez, DepoSirayiReddederseKayitKorunur) {
  SecmeliDepo depo;
  IsMerkez m(depo);
  depo.siraReddet = true;
  EXPECT_EQ(sonucu(m.yaz(1, 1, yeni("bir"), 0)), Sonuc::Depo);
  EXPECT_EQ(m.sonSurum(), 1u);
  EXPECT_EQ(m.yazarSira(1), 0u);
  EXPECT_EQ(sonucu(m.yaz(1, 2, yeni("iki"), 0)), Sonuc::Depo);
  EXPECT_EQ(m.sonSurum(), 2u);
  const std::vector<Kayit> hepsi = depo.degisenler(0);
  ASSERT_EQ(hepsi.size(), 2u);
  EXPECT_EQ(hepsi[0].id, 1u);
  EXPECT_EQ(hepsi[0].surum, 1u);
  EXPECT_STREQ(hepsi[0].alan("ad"), "bir");
  EXPECT_EQ(hepsi[1].id, 2u);
  EXPECT_EQ(hepsi[1].surum, 2u);
  EXPECT_STREQ(hepsi[1].alan("ad"), "iki");
  depo.siraReddet = false;
  const YazmaSonucu r = m.yaz(1, 3, yeni("uc"), 0);
  ASSERT_TRUE(r.basarili);
  EXPECT_EQ(r.kayit.id, 3u);
  EXPECT_EQ(r.kayit.surum, 3u);
}

TEST(IsMerkez, YeniMerkezTekrariTanir) {
  DepoBellek depo;
  {
    IsMerkez m(depo);
    ASSERT_TRUE(m.yaz(4, 1, yeni(), 0).basarili);
  }
  IsMerkez m(depo);
  EXPECT_EQ(sonucu(m.yaz(4, 1, yeni(), 0)), Sonuc::Tekrar);
  EXPECT_EQ(m.sonSurum(), 1u);
}

}  // namespace
}  // namespace vadu::istakip
