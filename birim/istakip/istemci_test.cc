#include "istakip/istemci.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vadu::istakip {
namespace {

Kayit kayit(uint64_t id, uint64_t surum, const std::string& tur = "siparis") {
  Kayit k;
  k.id = id;
  k.surum = surum;
  k.tur = tur;
  return k;
}

std::vector<uint64_t> siralar(const IsIstemci& ist) {
  std::vector<uint64_t> s;
  for (const Bekleyen& b : ist.bekleyenler()) s.push_back(b.sira);
  return s;
}

TEST(IsIstemci, YeniKopya) {
  IsIstemci ist(777);
  EXPECT_EQ(ist.istemciNo(), 777u);
  EXPECT_EQ(ist.sonSurum(), 0u);
  EXPECT_EQ(ist.bul(1), nullptr);
  EXPECT_TRUE(ist.turListe("siparis").empty());
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 1u);
  EXPECT_EQ(ist.yaz(kayit(4, 0), 3), 2u);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 3u);
  // Own writes wait in the queue; the replica does not apply them.
  EXPECT_EQ(ist.bul(4), nullptr);
  ASSERT_EQ(ist.bekleyenler().size(), 3u);
  EXPECT_EQ(ist.bekleyenler()[1].kayit.id, 4u);
  EXPECT_EQ(ist.bekleyenler()[1].beklenenSurum, 3u);
}

// Each case starts from a queue of 1, 2 and 3, then applies one operation.
struct KuyrukDurumu {
  const char* ad;
  std::function<void(IsIstemci&)> islem;
  std::vector<uint64_t> kalan;
};

class Kuyruk : public testing::TestWithParam<KuyrukDurumu> {};

TEST_P(Kuyruk, Kurallar) {
  IsIstemci ist(5);
  for (int i = 0; i < 3; ++i) ist.yaz(kayit(0, 0), 0);
  GetParam().islem(ist);
  EXPECT_EQ(siralar(ist), GetParam().kalan);
}

INSTANTIATE_TEST_SUITE_P(
    IsIstemci, Kuyruk,
    testing::Values(
        KuyrukDurumu{"onay_2", [](IsIstemci& i) { i.onaylandi(2); }, {3}},
        KuyrukDurumu{"onay_0", [](IsIstemci& i) { i.onaylandi(0); }, {1, 2, 3}},
        KuyrukDurumu{"onay_9", [](IsIstemci& i) { i.onaylandi(9); }, {}},
        KuyrukDurumu{"red_2", [](IsIstemci& i) { i.reddedildi(2); }, {1, 3}},
        KuyrukDurumu{"red_9", [](IsIstemci& i) { i.reddedildi(9); }, {1, 2, 3}},
        KuyrukDurumu{"kendi_bildirimi_2",
                     [](IsIstemci& i) { i.bildirimUygula(kayit(1, 1), 5, 2); },
                     {3}},
        KuyrukDurumu{"yabanci_bildirim",
                     [](IsIstemci& i) { i.bildirimUygula(kayit(1, 1), 6, 3); },
                     {1, 2, 3}},
        // The queue effect happens even when the record itself is too old.
        KuyrukDurumu{"eski_kayitli_kendi_bildirimi",
                     [](IsIstemci& i) {
                       i.senkronUygula({}, 10, 0);
                       i.bildirimUygula(kayit(1, 4), 5, 1);
                     },
                     {2, 3}},
        KuyrukDurumu{"senkron_islenen_2", [](IsIstemci& i) { i.senkronUygula({}, 0, 2); }, {3}}),
    [](const testing::TestParamInfo<KuyrukDurumu>& i) { return std::string(i.param.ad); });

TEST(IsIstemci, SenkronSiraSonSiraninUstunde) {
  IsIstemci ist(5);
  ist.senkronUygula({}, 0, 4);
  EXPECT_EQ(ist.sonSira(), 4u);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 5u);
  // A lower handled number never lowers sonSira.
  ist.senkronUygula({}, 0, 1);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 6u);
}

TEST(IsIstemci, TukenenSiraYazmayiKuyrugaAlmaz) {
  IsIstemci ist(5);
  ist.senkronUygula({}, 0, UINT64_MAX - 1);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), UINT64_MAX);
  // No number is left: the write is refused, not queued under 0.
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 0u);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 0u);
  EXPECT_EQ(siralar(ist), std::vector<uint64_t>{UINT64_MAX});
  EXPECT_EQ(ist.sonSira(), UINT64_MAX);
}

TEST(IsIstemci, SenkronSurumuYalnizcaYeniSurumdenGelir) {
  IsIstemci ist(5);
  ist.senkronUygula({kayit(1, 7), kayit(2, 8)}, 9, 0);
  EXPECT_EQ(ist.sonSurum(), 9u);
  ASSERT_NE(ist.bul(2), nullptr);
  // A lower yeniSurum stores the records but keeps the version; an older
  // version of a record still replaces it.
  ist.senkronUygula({kayit(2, 3, "fatura")}, 4, 0);
  EXPECT_EQ(ist.sonSurum(), 9u);
  EXPECT_EQ(ist.bul(2)->tur, "fatura");
  EXPECT_EQ(ist.bul(2)->surum, 3u);
  // The batch's record versions never move sonSurum; only yeniSurum does.
  ist.senkronUygula({kayit(3, 50)}, 0, 0);
  EXPECT_EQ(ist.sonSurum(), 9u);
}

TEST(IsIstemci, BildirimYalnizcaYeniseSaklanir) {
  IsIstemci ist(5);
  ist.bildirimUygula(kayit(1, 2), 6, 1);
  ASSERT_NE(ist.bul(1), nullptr);
  EXPECT_EQ(ist.sonSurum(), 2u);
  ist.bildirimUygula(kayit(9, 2), 6, 2);  // not newer: ignored even though unknown
  EXPECT_EQ(ist.bul(9), nullptr);
  ist.bildirimUygula(kayit(9, 1), 6, 3);
  EXPECT_EQ(ist.bul(9), nullptr);
  EXPECT_EQ(ist.yaz(kayit(0, 0), 0), 1u);  // notices do not move sonSira
}

TEST(IsIstemci, GostericilerSonrakiGuncellemeleriGorur) {
  IsIstemci ist(5);
  ist.bildirimUygula(kayit(1, 1), 6, 1);
  const Kayit* p = ist.bul(1);
  ASSERT_NE(p, nullptr);
  std::vector<Kayit> cok;
  for (uint64_t id = 2; id < 200; ++id) cok.push_back(kayit(id, 1));
  ist.senkronUygula(cok, 0, 0);  // enough inserts to grow the table
  Kayit yeni = kayit(1, 300, "fatura");
  yeni.alanYaz("ad", "atolye-2");
  ist.bildirimUygula(yeni, 6, 2);
  EXPECT_EQ(ist.bul(1), p);
  EXPECT_EQ(p->surum, 300u);
  EXPECT_STREQ(p->alan("ad"), "atolye-2");
  EXPECT_EQ(ist.turListe("fatura"), std::vector<const Kayit*>{p});
}

TEST(IsIstemci, TurListeSilinenVeBaskaTurleriBirakir) {
  IsIstemci ist(5);
  Kayit silinen = kayit(2, 0);
  silinen.silindi = true;
  ist.senkronUygula({kayit(1, 0), silinen, kayit(3, 0, "fatura"), kayit(4, 0)}, 1, 0);
  std::vector<uint64_t> idler;
  for (const Kayit* k : ist.turListe("siparis")) idler.push_back(k->id);
  std::sort(idler.begin(), idler.end());
  EXPECT_EQ(idler, (std::vector<uint64_t>{1, 4}));
  EXPECT_TRUE(ist.turListe("Siparis").empty());
}

}  // namespace
}  // namespace vadu::istakip
