#include "istakip/istemci_kanal.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "birim/istakip/bellek_tasima.h"
#include "birim/istakip/kanal_cifti.h"
#include "istakip/depo.h"
#include "istakip/kral_kanal.h"
#include "istakip/merkez.h"
#include "istakip/mesaj.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"

namespace vadu::istakip {
namespace {

const NodeAdres KRAL{0, 0};

Kayit kayit(uint64_t id, uint64_t surum) {
  Kayit k;
  k.id = id;
  k.surum = surum;
  k.tur = "siparis";
  return k;
}

SurecCerceve parti(std::vector<Kayit> kayitlar, uint64_t yeniSurum, uint64_t islenen, bool devam) {
  return mesajCercevesi(SurecMesajTip::SenkronCevap, 0,
                        senkronCevabiKodla(kayitlar, yeniSurum, islenen, devam));
}

SurecCerceve sonuc(bool basarili, const std::string& kelime, uint64_t korelasyon) {
  return mesajCercevesi(SurecMesajTip::Sonuc, korelasyon, sonucKodla(basarili, kelime));
}

std::vector<uint64_t> yazmaSiralari(const std::vector<Giden>& g) {
  std::vector<uint64_t> s;
  for (const Giden& x : g) {
    if (x.cerceve.tip != SurecMesajTip::YazmaIste) continue;
    uint64_t no = 0, sira = 0, beklenen = 0;
    Kayit k;
    EXPECT_TRUE(yazmaIstegiCoz(x.cerceve.govde, no, sira, beklenen, k));
    EXPECT_EQ(no, 777u);
    EXPECT_EQ(x.cerceve.korelasyon, sira);
    EXPECT_EQ(x.hedef, KRAL);
    s.push_back(sira);
  }
  return s;
}

std::vector<uint64_t> bekleyenSiralari(const IsIstemci& i) {
  std::vector<uint64_t> s;
  for (const Bekleyen& b : i.bekleyenler()) s.push_back(b.sira);
  return s;
}

class IstemciKanal : public testing::Test {
 protected:
  void SetUp() override {
    kanal.sonucBildir = [this](uint64_t k, const std::string& w) { raporlar.emplace_back(k, w); };
    kanal.dosyaGeldi = [this](bool ok, const std::string& yol, const std::string& icerik) {
      dosyalar.emplace_back(ok, yol, icerik);
    };
  }
  void baglan() {
    kanal.cerceveGeldi(KRAL, parti({}, 0, 0, false));
    tasima.gidenler.clear();
  }

  IsIstemci ist{777};
  BellekTasima tasima;
  IsIstemciKanal kanal{ist, tasima, KRAL};
  std::vector<std::pair<uint64_t, std::string>> raporlar;
  std::vector<std::tuple<bool, std::string, std::string>> dosyalar;
};

TEST_F(IstemciKanal, SenkronIstegi) {
  ist.senkronUygula({}, 12, 0);
  kanal.senkronIste();
  const std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].cerceve.tip, SurecMesajTip::SenkronIste);
  EXPECT_EQ(g[0].cerceve.korelasyon, 0u);
  uint64_t surum = 0, no = 0;
  ASSERT_TRUE(senkronIstegiCoz(g[0].cerceve.govde, surum, no));
  EXPECT_EQ(surum, 12u);
  EXPECT_EQ(no, 777u);
  EXPECT_FALSE(kanal.bagli());  // only the answer's last batch connects
}

TEST_F(IstemciKanal, BaglanmadanYazmaKuyruktaBekler) {
  kanal.yaz(kayit(0, 0), 0);
  kanal.yaz(kayit(0, 0), 0);
  EXPECT_TRUE(tasima.al().empty());
  kanal.cerceveGeldi(KRAL, parti({kayit(1, 1), kayit(2, 2)}, 2, 0, true));
  kanal.cerceveGeldi(KRAL, parti({kayit(3, 3), kayit(4, 4)}, 4, 0, true));
  EXPECT_FALSE(kanal.bagli());
  EXPECT_TRUE(tasima.al().empty());
  kanal.cerceveGeldi(KRAL, parti({kayit(5, 5)}, 5, 0, false));
  EXPECT_TRUE(kanal.bagli());
  EXPECT_EQ(ist.sonSurum(), 5u);
  EXPECT_EQ(yazmaSiralari(tasima.al()), (std::vector<uint64_t>{1, 2}));
  // Each later write sends the whole queue again.
  kanal.yaz(kayit(0, 0), 0);
  EXPECT_EQ(yazmaSiralari(tasima.al()), (std::vector<uint64_t>{1, 2, 3}));
}

TEST_F(IstemciKanal, GonderimHatasiBaglantiyiDusurur) {
  baglan();
  tasima.basarili = false;
  kanal.yaz(kayit(0, 0), 0);
  EXPECT_FALSE(kanal.bagli());
  EXPECT_EQ(bekleyenSiralari(ist), std::vector<uint64_t>{1});
  baglan();
  tasima.basarili = false;
  kanal.senkronIste();
  EXPECT_FALSE(kanal.bagli());
  baglan();
  kanal.baglantiKoptu();
  EXPECT_FALSE(kanal.bagli());
  EXPECT_EQ(bekleyenSiralari(ist), std::vector<uint64_t>{1});
}

TEST_F(IstemciKanal, Sonuclar) {
  for (int i = 0; i < 6; ++i) ist.yaz(kayit(0, 0), 0);
  kanal.cerceveGeldi(KRAL, sonuc(true, "tekrar", 3));
  EXPECT_EQ(bekleyenSiralari(ist), (std::vector<uint64_t>{4, 5, 6}));
  kanal.cerceveGeldi(KRAL, sonuc(false, "cakisma", 5));
  kanal.cerceveGeldi(KRAL, sonuc(false, "depo", 4));
  kanal.cerceveGeldi(KRAL, sonuc(false, "yetki", 6));
  kanal.cerceveGeldi(KRAL, sonuc(false, "eslesme", 4));
  kanal.cerceveGeldi(KRAL, sonuc(false, "dosya", 4));  // no file request open: nothing
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::Sonuc, 4, std::string(1, '\0')));
  EXPECT_EQ(bekleyenSiralari(ist), std::vector<uint64_t>{4});
  EXPECT_EQ(raporlar, (std::vector<std::pair<uint64_t, std::string>>{
                          {5, "cakisma"}, {4, "depo"}, {6, "yetki"}, {4, "eslesme"}}));
  EXPECT_TRUE(dosyalar.empty());
}

TEST_F(IstemciKanal, BildirimKopyayaIsler) {
  ist.yaz(kayit(0, 0), 0);
  ist.yaz(kayit(0, 0), 0);
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::YazmaBildir, 1,
                                          yazmaBildirimiKodla(kayit(1, 1), 777, 1)));
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::YazmaBildir, 1, std::string(16, '\0')));
  ASSERT_NE(ist.bul(1), nullptr);
  EXPECT_EQ(ist.sonSurum(), 1u);
  EXPECT_EQ(bekleyenSiralari(ist), std::vector<uint64_t>{2});
}

class Dosya : public IstemciKanal {
 protected:
  void SetUp() override {
    IstemciKanal::SetUp();
    for (size_t i = 0; i < 10; ++i) icerik += static_cast<char>('a' + i);
    for (const Parca& p : parcala(1, icerik, 4)) {
      parcalar.push_back(mesajCercevesi(SurecMesajTip::DosyaParca, 1, parcaKodla(p)));
    }
  }
  std::string icerik;
  std::vector<SurecCerceve> parcalar;
};

TEST_F(Dosya, IstekKosullari) {
  EXPECT_FALSE(kanal.dosyaIste("a"));  // not connected
  baglan();
  EXPECT_FALSE(kanal.dosyaIste(""));
  EXPECT_TRUE(tasima.al().empty());
  ASSERT_TRUE(kanal.dosyaIste("a/b.txt"));
  const std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].cerceve.tip, SurecMesajTip::DosyaIste);
  EXPECT_EQ(g[0].cerceve.korelasyon, 1u);
  std::string yol;
  const uint8_t* p = baytlar(g[0].cerceve.govde.data());
  ASSERT_TRUE(leOkuMetin(p, p + g[0].cerceve.govde.size(), yol));
  EXPECT_EQ(yol, "a/b.txt");
  tasima.basarili = false;
  EXPECT_FALSE(kanal.dosyaIste("c"));
  EXPECT_FALSE(kanal.bagli());
  // The failed request took number 2 and closed: its pieces are not taken.
  tasima.basarili = true;
  baglan();
  ASSERT_TRUE(kanal.dosyaIste("d"));
  EXPECT_EQ(tasima.al()[0].cerceve.korelasyon, 3u);
}

TEST_F(Dosya, KarisikSiradaTekTeslim) {
  baglan();
  ASSERT_TRUE(kanal.dosyaIste("f"));
  kanal.cerceveGeldi(KRAL, parcalar[2]);
  SurecCerceve baska = parcalar[0];
  baska.korelasyon = 9;
  kanal.cerceveGeldi(KRAL, baska);  // another request's piece: ignored
  kanal.cerceveGeldi(KRAL, parcalar[0]);
  kanal.cerceveGeldi(KRAL, parcalar[0]);  // duplicate
  EXPECT_TRUE(dosyalar.empty());
  kanal.cerceveGeldi(KRAL, parcalar[1]);
  ASSERT_EQ(dosyalar.size(), 1u);
  EXPECT_EQ(dosyalar[0], std::make_tuple(true, std::string("f"), icerik));
  kanal.cerceveGeldi(KRAL, parcalar[1]);  // the request is closed
  EXPECT_EQ(dosyalar.size(), 1u);
}

TEST_F(Dosya, BozukVeReddedilen) {
  baglan();
  ASSERT_TRUE(kanal.dosyaIste("f"));
  Parca p;
  ASSERT_TRUE(parcaCoz(parcalar[1].govde, p));
  p.veri[0] ^= 1;
  kanal.cerceveGeldi(KRAL, parcalar[0]);
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::DosyaParca, 1, parcaKodla(p)));
  kanal.cerceveGeldi(KRAL, parcalar[2]);
  ASSERT_TRUE(kanal.dosyaIste("g"));
  kanal.cerceveGeldi(KRAL, sonuc(false, "kimlik", 2));  // reported; the request stays open
  kanal.cerceveGeldi(KRAL, sonuc(false, "dosya", 1));   // not the open request
  kanal.cerceveGeldi(KRAL, sonuc(false, "dosya", 2));
  kanal.cerceveGeldi(KRAL, sonuc(false, "dosya", 2));
  EXPECT_EQ(dosyalar, (std::vector<std::tuple<bool, std::string, std::string>>{{false, "f", ""},
                                                                               {false, "g", ""}}));
  EXPECT_EQ(raporlar, (std::vector<std::pair<uint64_t, std::string>>{{2, "kimlik"}}));
}

// A hook that asks for the next file as soon as one arrives: the request it
// opens is the one left open, and each file comes once.
TEST_F(Dosya, KancadanIstenenDosyaDaGelir) {
  baglan();
  std::vector<std::string> istenen = {"ikinci"};
  kanal.dosyaGeldi = [&](bool ok, const std::string& yol, const std::string& c) {
    dosyalar.emplace_back(ok, yol, c);
    if (!istenen.empty()) {
      EXPECT_TRUE(kanal.dosyaIste(istenen.back()));
      istenen.pop_back();
    }
  };
  ASSERT_TRUE(kanal.dosyaIste("birinci"));
  for (const SurecCerceve& c : parcalar) kanal.cerceveGeldi(KRAL, c);
  std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[1].cerceve.korelasyon, 2u);
  for (SurecCerceve c : parcalar) {
    c.korelasyon = 2;
    kanal.cerceveGeldi(KRAL, c);
    kanal.cerceveGeldi(KRAL, c);  // a repeat after the end is not taken
  }
  EXPECT_EQ(dosyalar, (std::vector<std::tuple<bool, std::string, std::string>>{
                          {true, "birinci", icerik}, {true, "ikinci", icerik}}));
}

TEST_F(IstemciKanal, KimlikSoruyaKanit) {
  Anahtar anahtar{};
  anahtar[5] = 9;
  kanal.anahtarBul = [&](uint64_t no) { return no == 42 ? &anahtar : nullptr; };
  Nonce nonce{};
  for (size_t i = 0; i < nonce.size(); ++i) nonce[i] = static_cast<uint8_t>(i * 3);
  std::string govde;
  leYazU64(govde, 42);
  govde.append(reinterpret_cast<const char*>(nonce.data()), nonce.size());

  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::KimlikSor, 8, govde.substr(0, 23)));
  EXPECT_TRUE(tasima.al().empty());
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::KimlikSor, 8, govde));
  const std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].cerceve.tip, SurecMesajTip::KimlikKanit);
  EXPECT_EQ(g[0].cerceve.korelasyon, 0u);
  ASSERT_EQ(g[0].cerceve.govde.size(), KIMLIK_KANIT_BOYU);
  EXPECT_EQ(leOkuU64(baytlar(g[0].cerceve.govde.data())), 777u);
  const Kanit beklenen = kanitHesapla(anahtar, nonce, 777);
  EXPECT_EQ(g[0].cerceve.govde.substr(8),
            std::string(reinterpret_cast<const char*>(beklenen.data()), beklenen.size()));

  std::string baska;
  leYazU64(baska, 43);
  baska.append(16, '\0');
  kanal.cerceveGeldi(KRAL, mesajCercevesi(SurecMesajTip::KimlikSor, 8, baska));
  EXPECT_TRUE(tasima.al().empty());
  EXPECT_EQ(raporlar, (std::vector<std::pair<uint64_t, std::string>>{{0, "eslesme"}}));
}

// The two channels over the in-memory pair: a whole round of pairing, a
// write, a notice and a file.
TEST(KanalCifti, EslesmeYazmaDosya) {
  EslesmeliKanalCifti cift;
  auto& [ag, depo, merkez, kral, ist, kanal, ortak] = cift;
  kral.dosyaIzni = [](const std::string&) { return true; };
  kral.dosyaOku = [](const std::string&, std::string& c) {
    c.assign(600000, 'q');
    return true;
  };
  int gelen = 0;
  kanal.dosyaGeldi = [&](bool ok, const std::string&, const std::string& c) {
    gelen += ok && c == std::string(600000, 'q');
  };
  kanal.senkronIste();
  ag.pompala();
  ASSERT_TRUE(kanal.bagli());
  kanal.yaz(kayit(0, 0), 0);
  ag.pompala();
  EXPECT_NE(ist.bul(1), nullptr);
  EXPECT_TRUE(ist.bekleyenler().empty());
  ASSERT_TRUE(kanal.dosyaIste("x"));
  ag.pompala();
  EXPECT_EQ(gelen, 1);
}

}  // namespace
}  // namespace vadu::istakip
