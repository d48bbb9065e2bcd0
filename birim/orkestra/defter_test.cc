#include "orkestra/defter.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "orkestra/node.h"

namespace vadu {

// Failures name the state.
void PrintTo(NodeDurum d, std::ostream* os) { *os << nodeDurumAdi(d); }

namespace {

// A registry that writes down every callback it makes.
struct KayitliDefter : ::testing::Test {
  struct Olay {
    char tur;  // 'e' inserted, 's' removed, 'd' state changed
    uint64_t nodeId;
    NodeDurum eski;
    NodeDurum yeni;
    bool defterde;  // whether the record was still in the registry
  };

  NodeDefter defter{5000, 10000};
  std::vector<Olay> olaylar;

  void SetUp() override {
    defter.onEklendi = [this](const NodeKayit& k) {
      olaylar.push_back({'e', k.nodeId, k.durum, k.durum, defter.bul(k.nodeId) == &k});
    };
    defter.onSilindi = [this](const NodeKayit& k) {
      olaylar.push_back({'s', k.nodeId, k.durum, k.durum, defter.bul(k.nodeId) == &k});
    };
    defter.onDurumDegisti = [this](const NodeKayit& k, NodeDurum eski) {
      olaylar.push_back({'d', k.nodeId, eski, k.durum, defter.bul(k.nodeId) == &k});
    };
  }

  uint64_t ekle(const std::string& ad, uint64_t simdiMs) {
    const uint64_t id = orkestraNodeId(ad);
    defter.guncelle(yerelIlanKur(id, ad, "1.0", 1, 0), simdiMs);
    return id;
  }

  NodeDurum durum(uint64_t id) const { return defter.bul(id)->durum; }
};

TEST_F(KayitliDefter, StatesThroughTasksAndSilence) {
  const uint64_t id = ekle("makine", 1000);
  EXPECT_EQ(durum(id), NodeDurum::Online);
  // Each step after the insertion: what is done, and the state it leads to.
  const struct {
    const char* adim;
    void (*yap)(NodeDefter&, uint64_t);
    NodeDurum beklenen;
  } adimlar[] = {
      {"tasks 2", [](NodeDefter& d, uint64_t i) { d.aktifTaskAyarla(i, 2); }, NodeDurum::Busy},
      {"tasks 0", [](NodeDefter& d, uint64_t i) { d.aktifTaskAyarla(i, 0); }, NodeDurum::Online},
      {"limits 100/200", [](NodeDefter& d, uint64_t) { d.sureleriAyarla(100, 200); },
       NodeDurum::Online},
      {"at 1150", [](NodeDefter& d, uint64_t) { d.denetle(1150); }, NodeDurum::Yanitsiz},
      {"at 1200", [](NodeDefter& d, uint64_t) { d.denetle(1200); }, NodeDurum::Cevrimdisi},
  };
  for (const auto& a : adimlar) {
    a.yap(defter, id);
    EXPECT_EQ(durum(id), a.beklenen) << a.adim;
  }
}

// One node through the state rule: the limits, the node, the time, the state
// it must come out with.
struct Degerlendirme {
  uint64_t yanitsiz, cevrimdisi;
  uint64_t sonGorulme, simdi;
  bool hata;
  uint32_t aktifTask;
  uint64_t sonMetrikMs;
  NodeDurum beklenen;
};

template <size_t N>
void hepsiniDegerlendir(const Degerlendirme (&satirlar)[N], NodeDurum baslangic) {
  for (const Degerlendirme& d : satirlar) {
    NodeDefter defter(d.yanitsiz, d.cevrimdisi);
    NodeKayit k;
    k.sonGorulmeMs = d.sonGorulme;
    k.hata = d.hata;
    k.aktifTask = d.aktifTask;
    k.sonMetrikMs = d.sonMetrikMs;
    k.durum = baslangic;
    defter.durumHesapla(k, d.simdi);
    EXPECT_EQ(k.durum, d.beklenen) << "limits " << d.yanitsiz << "/" << d.cevrimdisi << " seen "
                                   << d.sonGorulme << " now " << d.simdi << " error " << d.hata
                                   << " tasks " << d.aktifTask << " metrics " << d.sonMetrikMs;
  }
}

TEST(NodeDefterDurum, SilenceAgainstTheLimits) {
  // Both limits are at-least comparisons; silence outranks error, tasks and
  // metrics; a clock behind the last-seen time is no silence. Busy means not
  // silent.
  const Degerlendirme satirlar[] = {
      {100, 200, 1000, 1099, false, 3, 5, NodeDurum::Busy},
      {100, 200, 1000, 1100, false, 3, 5, NodeDurum::Yanitsiz},
      {100, 200, 1000, 1199, false, 3, 5, NodeDurum::Yanitsiz},
      {100, 200, 1000, 1200, false, 3, 5, NodeDurum::Cevrimdisi},
      {100, 200, 1000, 1100, true, 3, 5, NodeDurum::Yanitsiz},
      {100, 200, 1000, 0, false, 3, 5, NodeDurum::Busy},
      {1, 1, 1000, 999, false, 3, 5, NodeDurum::Busy},
      {1, 1, UINT64_MAX, 0, false, 3, 5, NodeDurum::Busy},
      // No offline limit: every evaluated node is offline.
      {0, 0, 1000, 1000, false, 3, 5, NodeDurum::Cevrimdisi},
      {100, 0, 1000, 500, true, 3, 5, NodeDurum::Cevrimdisi},
      // An offline limit at or below the silent one: Yanitsiz is never reached.
      {200, 100, 1000, 1099, false, 3, 5, NodeDurum::Busy},
      {200, 100, 1000, 1100, false, 3, 5, NodeDurum::Cevrimdisi},
      {200, 100, 1000, 1250, false, 3, 5, NodeDurum::Cevrimdisi},
      {100, 100, 1000, 1100, false, 3, 5, NodeDurum::Cevrimdisi},
  };
  hepsiniDegerlendir(satirlar, NodeDurum::Bosta);
}

TEST(NodeDefterDurum, ErrorBeforeTasksBeforeMetrics) {
  const Degerlendirme satirlar[] = {
      {5000, 10000, 100, 100, true, 2, 7, NodeDurum::Hata},
      {5000, 10000, 100, 100, true, 0, 0, NodeDurum::Hata},
      {5000, 10000, 100, 100, false, 2, 7, NodeDurum::Busy},
      {5000, 10000, 100, 100, false, 1, 0, NodeDurum::Busy},
      {5000, 10000, 100, 100, false, 0, 7, NodeDurum::Bosta},
      {5000, 10000, 100, 100, false, 0, 0, NodeDurum::Online},
  };
  hepsiniDegerlendir(satirlar, NodeDurum::Cevrimdisi);
}

TEST_F(KayitliDefter, InsertionIsOnlineWhateverTheAnnouncementCarries) {
  NodeKayit ilan = yerelIlanKur(9, "dolu", "2.0", 2, 4);
  ilan.hata = true;
  ilan.metrik.ramMB = 512;
  ilan.sonMetrikMs = 50;
  ilan.ilkGorulmeMs = 1;
  ilan.sonGorulmeMs = 2;
  ilan.durum = NodeDurum::Hata;
  const NodeKayit& k = defter.guncelle(ilan, 700);
  EXPECT_EQ(&k, defter.bul(9));
  EXPECT_EQ(k.durum, NodeDurum::Online);
  EXPECT_EQ(k.aktifTask, 4u);
  EXPECT_TRUE(k.hata);
  EXPECT_EQ(k.metrik.ramMB, 512u);
  EXPECT_EQ(k.sonMetrikMs, 50u);
  EXPECT_EQ(k.ilkGorulmeMs, 700u);
  EXPECT_EQ(k.sonGorulmeMs, 700u);
  ASSERT_EQ(olaylar.size(), 1u);
  EXPECT_EQ(olaylar[0].tur, 'e');
  EXPECT_TRUE(olaylar[0].defterde);

  // The next evaluation derives the real state.
  defter.denetle(700);
  EXPECT_EQ(durum(9), NodeDurum::Hata);
  ASSERT_EQ(olaylar.size(), 2u);
  EXPECT_EQ(olaylar[1].tur, 'd');
  EXPECT_EQ(olaylar[1].eski, NodeDurum::Online);
  EXPECT_EQ(olaylar[1].yeni, NodeDurum::Hata);
}

TEST_F(KayitliDefter, AnnouncementRefreshesOnlyWhatItOwns) {
  NodeKayit ilk = yerelIlanKur(5, "eski-ad", "1.0", 1, 0);
  ilk.kaliciMetin = "kalici";
  ilk.ekMetin = "ek";
  defter.guncelle(ilk, 1000);
  defter.aktifTaskAyarla(5, 3);
  defter.hataAyarla(5, true);
  MakineMetrik m;
  m.cpuYuzde = 12.5f;
  m.ramMB = 2048;
  defter.metrikGuncelle(5, m, 1500);

  NodeKayit ikinci = yerelIlanKur(5, "yeni-ad", "2.0", 6, 9);
  ikinci.dogrulanmis = false;
  ikinci.hata = false;
  ikinci.metrik.ramMB = 1;
  ikinci.sonMetrikMs = 1;
  ikinci.ilkGorulmeMs = 1;
  const NodeKayit& k = defter.guncelle(ikinci, 2000);
  EXPECT_EQ(k.ad, "yeni-ad");
  EXPECT_EQ(k.surum, "2.0");
  EXPECT_EQ(k.runtimeSayisi, 6u);
  EXPECT_EQ(k.kaliciMetin, "kalici");  // an empty text keeps the stored one
  EXPECT_EQ(k.ekMetin, "");            // replaced even when empty
  EXPECT_TRUE(k.dogrulanmis);          // verified stays verified
  EXPECT_EQ(k.aktifTask, 3u);
  EXPECT_TRUE(k.hata);
  EXPECT_EQ(k.metrik.ramMB, 2048u);
  EXPECT_FLOAT_EQ(k.metrik.cpuYuzde, 12.5f);
  EXPECT_EQ(k.sonMetrikMs, 1500u);
  EXPECT_EQ(k.ilkGorulmeMs, 1000u);
  EXPECT_EQ(k.sonGorulmeMs, 2000u);
  EXPECT_EQ(k.durum, NodeDurum::Hata);

  NodeKayit ucuncu = yerelIlanKur(5, "yeni-ad", "2.0", 6, 0);
  ucuncu.kaliciMetin = "baska";
  ucuncu.ekMetin = "yine";
  defter.guncelle(ucuncu, 2100);
  EXPECT_EQ(defter.bul(5)->kaliciMetin, "baska");
  EXPECT_EQ(defter.bul(5)->ekMetin, "yine");

  // An unverified node becomes verified by a verified announcement.
  NodeKayit dogrulanmamis = yerelIlanKur(6, "yabanci", "", 0, 0);
  dogrulanmamis.dogrulanmis = false;
  defter.guncelle(dogrulanmamis, 3000);
  EXPECT_FALSE(defter.bul(6)->dogrulanmis);
  defter.guncelle(yerelIlanKur(6, "yabanci", "", 0, 0), 3100);
  EXPECT_TRUE(defter.bul(6)->dogrulanmis);
}

TEST_F(KayitliDefter, AnnouncementAndMetricsEndTheSilence) {
  const uint64_t id = ekle("sessiz", 1000);
  defter.denetle(7000);
  EXPECT_EQ(durum(id), NodeDurum::Yanitsiz);
  defter.guncelle(yerelIlanKur(id, "sessiz", "1.0", 1, 0), 7000);
  EXPECT_EQ(durum(id), NodeDurum::Online);

  defter.denetle(20000);
  EXPECT_EQ(durum(id), NodeDurum::Cevrimdisi);
  defter.metrikGuncelle(id, MakineMetrik{}, 20000);
  EXPECT_EQ(durum(id), NodeDurum::Bosta);
  EXPECT_EQ(defter.bul(id)->sonGorulmeMs, 20000u);
  EXPECT_EQ(defter.bul(id)->sonMetrikMs, 20000u);
}

TEST_F(KayitliDefter, OwnerChangesOnASilentNodeCountNoSilence) {
  const uint64_t id = ekle("sessiz", 1000);
  defter.denetle(7000);
  EXPECT_EQ(durum(id), NodeDurum::Yanitsiz);
  defter.aktifTaskAyarla(id, 1);
  EXPECT_EQ(durum(id), NodeDurum::Busy);
  defter.denetle(7000);
  EXPECT_EQ(durum(id), NodeDurum::Yanitsiz);
  defter.hataAyarla(id, true);
  EXPECT_EQ(durum(id), NodeDurum::Hata);
  EXPECT_EQ(defter.bul(id)->sonGorulmeMs, 1000u);
}

TEST_F(KayitliDefter, UnknownIdsAreIgnoredWithoutCallbacks) {
  const uint64_t id = ekle("tek", 1000);
  olaylar.clear();
  defter.metrikGuncelle(id + 1, MakineMetrik{}, 1000);
  defter.aktifTaskAyarla(id + 1, 5);
  defter.hataAyarla(id + 1, true);
  EXPECT_FALSE(defter.sil(id + 1));
  EXPECT_EQ(defter.bul(id + 1), nullptr);
  EXPECT_TRUE(olaylar.empty());
  EXPECT_EQ(defter.kayitlar().size(), 1u);
  EXPECT_EQ(durum(id), NodeDurum::Online);
}

TEST_F(KayitliDefter, CallbacksOnlyOnAChangeAndInRegistryOrder) {
  const uint64_t a = ekle("a", 1000);
  const uint64_t b = ekle("b", 3000);
  const uint64_t c = ekle("c", 1000);
  olaylar.clear();

  defter.denetle(1000);  // nothing has changed
  defter.aktifTaskAyarla(b, 0);
  EXPECT_TRUE(olaylar.empty());

  defter.denetle(6500);  // a and c silent for 5500, b for 3500
  ASSERT_EQ(olaylar.size(), 2u);
  EXPECT_EQ(olaylar[0].nodeId, a);
  EXPECT_EQ(olaylar[1].nodeId, c);
  for (const auto& o : olaylar) {
    EXPECT_EQ(o.tur, 'd');
    EXPECT_EQ(o.eski, NodeDurum::Online);
    EXPECT_EQ(o.yeni, NodeDurum::Yanitsiz);  // the callback sees the new state
    EXPECT_TRUE(o.defterde);
  }

  olaylar.clear();
  defter.denetle(6600);
  EXPECT_TRUE(olaylar.empty());
  defter.denetle(11000);  // a and c offline, b silent
  ASSERT_EQ(olaylar.size(), 3u);
  EXPECT_EQ(olaylar[0].nodeId, a);
  EXPECT_EQ(olaylar[0].eski, NodeDurum::Yanitsiz);
  EXPECT_EQ(olaylar[0].yeni, NodeDurum::Cevrimdisi);
  EXPECT_EQ(olaylar[1].nodeId, b);
  EXPECT_EQ(olaylar[1].yeni, NodeDurum::Yanitsiz);
  EXPECT_EQ(olaylar[2].nodeId, c);
}

TEST_F(KayitliDefter, RemovalFromTheMiddleKeepsEveryOtherNodeFound) {
  const std::vector<std::string> adlar = {"n0", "n1", "n2", "n3", "n4"};
  for (const std::string& ad : adlar) ekle(ad, 1000);
  olaylar.clear();

  ASSERT_TRUE(defter.sil(orkestraNodeId("n2")));
  ASSERT_EQ(olaylar.size(), 1u);
  EXPECT_EQ(olaylar[0].tur, 's');
  EXPECT_EQ(olaylar[0].nodeId, orkestraNodeId("n2"));
  EXPECT_TRUE(olaylar[0].defterde);  // told before the record goes

  EXPECT_EQ(defter.bul(orkestraNodeId("n2")), nullptr);
  EXPECT_FALSE(defter.sil(orkestraNodeId("n2")));
  const std::vector<std::string> kalan = {"n0", "n1", "n3", "n4"};
  ASSERT_EQ(defter.kayitlar().size(), kalan.size());
  for (size_t i = 0; i < kalan.size(); ++i) {
    const NodeKayit* k = defter.bul(orkestraNodeId(kalan[i]));
    ASSERT_NE(k, nullptr) << kalan[i];
    EXPECT_EQ(k->ad, kalan[i]);
    EXPECT_EQ(k, &defter.kayitlar()[i]);
  }

  // The modifying operations reach the moved records too.
  defter.aktifTaskAyarla(orkestraNodeId("n4"), 1);
  EXPECT_EQ(durum(orkestraNodeId("n4")), NodeDurum::Busy);
  EXPECT_EQ(durum(orkestraNodeId("n3")), NodeDurum::Online);

  // A node inserted after the removal goes to the end.
  ekle("n5", 1000);
  EXPECT_EQ(defter.bul(orkestraNodeId("n5")), &defter.kayitlar().back());
}

}  // namespace
}  // namespace vadu
