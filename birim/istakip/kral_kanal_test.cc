#include "istakip/kral_kanal.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "birim/istakip/bellek_tasima.h"
#include "birim/istakip/kanal_cifti.h"
#include "istakip/depo.h"
#include "istakip/mesaj.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"

namespace vadu::istakip {
namespace {

const NodeAdres B1{1, 0};
const NodeAdres B2{2, 0};

Kayit yeni(const std::string& ad = "atolye-1") {
  Kayit k;
  k.tur = "siparis";
  k.alanYaz("ad", ad);
  return k;
}

SurecCerceve senkron(uint64_t sonSurum, uint64_t istemciNo, uint64_t korelasyon = 0) {
  return mesajCercevesi(SurecMesajTip::SenkronIste, korelasyon,
                        senkronIstegiKodla(sonSurum, istemciNo));
}

SurecCerceve yazma(uint64_t istemciNo, uint64_t sira, const Kayit& k = yeni(),
                   uint64_t beklenen = 0) {
  return mesajCercevesi(SurecMesajTip::YazmaIste, sira,
                        yazmaIstegiKodla(istemciNo, sira, beklenen, k));
}

SurecCerceve kanitCercevesi(uint64_t no, const Kanit& kanit) {
  std::string g;
  leYazU64(g, no);
  g.append(reinterpret_cast<const char*>(kanit.data()), kanit.size());
  return mesajCercevesi(SurecMesajTip::KimlikKanit, 0, g);
}

struct Sonuc {
  bool basarili;
  std::string kelime;
  uint64_t korelasyon;
  bool operator==(const Sonuc&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Sonuc& s) {
  return o << "(" << s.basarili << ", " << s.kelime << ", " << s.korelasyon << ")";
}

std::vector<Sonuc> sonuclar(const std::vector<Giden>& g) {
  std::vector<Sonuc> s;
  for (const Giden& x : g) {
    if (x.cerceve.tip != SurecMesajTip::Sonuc) continue;
    Sonuc r{false, "", x.cerceve.korelasyon};
    EXPECT_TRUE(sonucCoz(x.cerceve.govde, r.basarili, r.kelime));
    s.push_back(r);
  }
  return s;
}

struct Parti {
  std::vector<Kayit> kayitlar;
  uint64_t yeniSurum = 0, islenenSira = 0;
  bool devamVar = false;
};

std::vector<Parti> partiler(const std::vector<Giden>& g) {
  std::vector<Parti> p;
  for (const Giden& x : g) {
    if (x.cerceve.tip != SurecMesajTip::SenkronCevap) continue;
    Parti b;
    EXPECT_TRUE(
        senkronCevabiCoz(x.cerceve.govde, b.kayitlar, b.yeniSurum, b.islenenSira, b.devamVar));
    p.push_back(b);
  }
  return p;
}

class KralKanal : public testing::Test {
 protected:
  // Writes `n` records as client 9 through the channel, from an unbound
  // connection, and clears what was sent.
  void kayitlarYaz(int n) {
    for (int i = 0; i < n; ++i) kanal.cerceveGeldi(NodeAdres{99, 0}, yazma(9, 100 + i));
    tasima.gidenler.clear();
  }

  DepoBellek depo;
  IsMerkez merkez{depo};
  BellekTasima tasima;
  IsKralKanal kanal{merkez, tasima, 2};
};

TEST_F(KralKanal, SenkronPartilerHalinde) {
  kayitlarYaz(5);
  ASSERT_TRUE(merkez.yaz(7, 3, yeni(), 0).basarili);  // client 7 has handled sira 3
  kanal.cerceveGeldi(B1, senkron(0, 7, 44));
  const std::vector<Giden> g = tasima.al();
  const std::vector<Parti> p = partiler(g);
  ASSERT_EQ(p.size(), 3u);
  for (const Giden& x : g) {
    EXPECT_EQ(x.hedef, B1);
    EXPECT_EQ(x.cerceve.korelasyon, 44u);
  }
  const size_t boylar[] = {2, 2, 2};
  const uint64_t surumler[] = {2, 4, 6};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(p[i].kayitlar.size(), boylar[i]);
    EXPECT_EQ(p[i].yeniSurum, surumler[i]);
    EXPECT_EQ(p[i].islenenSira, 3u);
    EXPECT_EQ(p[i].devamVar, i < 2);
  }
  EXPECT_EQ(kanal.bagliIstemciler(), std::vector<uint64_t>{7});
}

TEST_F(KralKanal, SenkronBesKayitIkiIkiBir) {
  kayitlarYaz(5);
  kanal.cerceveGeldi(B1, senkron(0, 7));
  const std::vector<Parti> p = partiler(tasima.al());
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].kayitlar.size(), 2u);
  EXPECT_EQ(p[1].kayitlar.size(), 2u);
  EXPECT_EQ(p[2].kayitlar.size(), 1u);
  EXPECT_EQ(p[2].yeniSurum, 5u);
  EXPECT_FALSE(p[2].devamVar);
  // From version 3 on only two records remain: one batch.
  kanal.cerceveGeldi(B1, senkron(3, 7));
  const std::vector<Parti> q = partiler(tasima.al());
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(q[0].kayitlar.size(), 2u);
  EXPECT_EQ(q[0].kayitlar[0].surum, 4u);
}

TEST_F(KralKanal, SenkronGuncelIstemciyeBosParti) {
  kayitlarYaz(2);
  kanal.cerceveGeldi(B1, senkron(2, 7));
  const std::vector<Parti> p = partiler(tasima.al());
  ASSERT_EQ(p.size(), 1u);
  EXPECT_TRUE(p[0].kayitlar.empty());
  EXPECT_FALSE(p[0].devamVar);
  EXPECT_EQ(p[0].yeniSurum, 2u);
}

TEST_F(KralKanal, SenkronParcaSifirBirGibi) {
  IsKralKanal birli(merkez, tasima, 0);  // takes the transport's handler over
  kayitlarYaz(3);
  birli.cerceveGeldi(B1, senkron(0, 7));
  const std::vector<Parti> p = partiler(tasima.al());
  ASSERT_EQ(p.size(), 3u);
  for (const Parti& b : p) EXPECT_EQ(b.kayitlar.size(), 1u);
}

TEST_F(KralKanal, GonderimHatasiPartileriKeser) {
  kayitlarYaz(5);
  tasima.basarili = false;
  kanal.cerceveGeldi(B1, senkron(0, 7));
  tasima.basarili = true;
  EXPECT_TRUE(tasima.al().empty());
  // The transport closes a connection whose send failed and reports it lost
  // at its next pass; from then on it gets no notices.
  kanal.baglantiKoptu(B1);
  EXPECT_TRUE(kanal.bagliIstemciler().empty());
  kanal.cerceveGeldi(B2, yazma(9, 200));
  EXPECT_TRUE(tasima.al().empty());
}

// Batches are closed before their body passes the byte limit, whatever the
// record count allows; a record larger than the limit still goes, alone.
TEST_F(KralKanal, SenkronPartisiBaytSinirinda) {
  IsKralKanal genis{merkez, tasima, 10};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(merkez.yaz(9, 1 + i, yeni(std::string(i == 3 ? 3000 : 1000, 'a')), 0).basarili);
  }
  std::vector<Kayit> hepsi = merkez.degisenler(0);
  ASSERT_EQ(hepsi.size(), 5u);
  const uint64_t bir = kayitBoyu(hepsi[0]);
  ASSERT_EQ(bir, kayitKodla(hepsi[0]).size());
  // Room for two of the small records and not three.
  genis.senkronBaytSiniri = SENKRON_CEVAP_BASI + 2 * bir + bir / 2;
  genis.cerceveGeldi(B1, senkron(0, 7));
  const std::vector<Giden> g = tasima.al();
  std::vector<size_t> boylar;
  for (const Parti& b : partiler(g)) boylar.push_back(b.kayitlar.size());
  EXPECT_EQ(boylar, (std::vector<size_t>{2, 1, 1, 1}));
  for (size_t i = 0; i < g.size(); ++i) {
    if (i != 2) {
      EXPECT_LE(g[i].cerceve.govde.size(), genis.senkronBaytSiniri);
    }
  }
}

TEST_F(KralKanal, AbonelikVeBaglama) {
  kanal.cerceveGeldi(B1, senkron(0, 7));
  kanal.cerceveGeldi(B1, senkron(0, 8));  // rebinds, subscribes once
  EXPECT_EQ(kanal.bagliIstemciler(), std::vector<uint64_t>{8});
  kanal.cerceveGeldi(B2, senkron(0, 8));
  EXPECT_EQ(kanal.bagliIstemciler(), (std::vector<uint64_t>{8, 8}));
  kanal.baglantiKoptu(B1);
  EXPECT_EQ(kanal.bagliIstemciler(), std::vector<uint64_t>{8});
  tasima.gidenler.clear();
  kanal.cerceveGeldi(B1, yazma(7, 1));  // the binding went with the connection
  EXPECT_EQ(kanal.uygulananYazma(), 1u);
}

TEST_F(KralKanal, YazmaSonuclari) {
  kanal.cerceveGeldi(B1, senkron(0, 777));
  kanal.cerceveGeldi(B2, senkron(0, 5));
  tasima.gidenler.clear();

  kanal.cerceveGeldi(B1, yazma(777, 1));
  std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 2u);  // a notice to each subscriber, writer included, no Sonuc
  EXPECT_EQ(g[0].hedef, B1);
  EXPECT_EQ(g[1].hedef, B2);
  for (const Giden& x : g) {
    EXPECT_EQ(x.cerceve.tip, SurecMesajTip::YazmaBildir);
    EXPECT_EQ(x.cerceve.korelasyon, 1u);
    Kayit k;
    uint64_t no = 0, sira = 0;
    ASSERT_TRUE(yazmaBildirimiCoz(x.cerceve.govde, k, no, sira));
    EXPECT_EQ(k.id, 1u);
    EXPECT_EQ(k.surum, 1u);
    EXPECT_EQ(no, 777u);
    EXPECT_EQ(sira, 1u);
  }
  EXPECT_EQ(kanal.uygulananYazma(), 1u);

  Kayit kosullu = yeni();
  kosullu.id = 1;
  kanal.cerceveGeldi(B1, yazma(777, 1));              // repeat
  kanal.cerceveGeldi(B1, yazma(777, 0));              // sira 0
  kanal.cerceveGeldi(B1, yazma(777, 2, kosullu, 9));  // stale expected version
  kanal.cerceveGeldi(B1, yazma(778, 3));              // bound to another number
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{true, "tekrar", 1},
                                                       {true, "tekrar", 0},
                                                       {false, "cakisma", 2},
                                                       {false, "yetki", 3}}));
  EXPECT_EQ(kanal.uygulananYazma(), 1u);
  EXPECT_EQ(kanal.cakismalar(), 1u);
  EXPECT_EQ(kanal.reddedilenYazmalar(), 1u);
  EXPECT_EQ(merkez.sonSurum(), 1u);
}

TEST_F(KralKanal, YazmaIzniVeBaglanmamisBaglanti) {
  kanal.cerceveGeldi(B2, yazma(31, 1));  // no binding: any number may write
  EXPECT_EQ(kanal.uygulananYazma(), 1u);
  kanal.yazmaIzni = [](const NodeAdres& a, uint64_t no, const Kayit& k) {
    return a == B2 && no == 31 && k.alan("ad") != nullptr;
  };
  kanal.cerceveGeldi(B1, yazma(31, 2));
  kanal.cerceveGeldi(B2, yazma(31, 3));
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "yetki", 2}}));
  EXPECT_EQ(kanal.uygulananYazma(), 2u);
  EXPECT_EQ(kanal.reddedilenYazmalar(), 1u);
}

TEST_F(KralKanal, CozulmeyenGovdeYanitsiz) {
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::SenkronIste, 0, std::string(15, '\0')));
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::YazmaIste, 1, std::string(30, '\0')));
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 1, std::string(1, '\0')));
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::Komut, 1, "x"));
  kanal.cerceveGeldi(B1, kanitCercevesi(7, Kanit{}));  // no pairing: ignored
  EXPECT_TRUE(tasima.al().empty());
  EXPECT_TRUE(kanal.bagliIstemciler().empty());
}

class Eslesme : public KralKanal {
 protected:
  void SetUp() override {
    anahtarlar[777] = Anahtar{};
    anahtarlar[777][0] = 7;
    anahtarlar[888] = Anahtar{};
    anahtarlar[888][0] = 8;
    kanal.kralNo = 42;
    kanal.eslesmeZorunlu = true;
    kanal.anahtarBul = [this](uint64_t no) -> const Anahtar* {
      const auto it = anahtarlar.find(no);
      return it == anahtarlar.end() ? nullptr : &it->second;
    };
    kanal.nonceUret = [this](uint8_t* p, size_t n) {
      for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(sayac + i);
      ++sayac;
    };
  }

  // The nonce of the single KimlikSor among `g`, checking its other fields.
  Nonce soru(const std::vector<Giden>& g, uint64_t korelasyon) {
    Nonce n{};
    int kac = 0;
    for (const Giden& x : g) {
      if (x.cerceve.tip != SurecMesajTip::KimlikSor) continue;
      ++kac;
      EXPECT_EQ(x.cerceve.korelasyon, korelasyon);
      EXPECT_EQ(x.cerceve.govde.size(), KIMLIK_SOR_BOYU);
      EXPECT_EQ(leOkuU64(baytlar(x.cerceve.govde.data())), 42u);
      for (size_t i = 0; i < n.size(); ++i) n[i] = static_cast<uint8_t>(x.cerceve.govde[8 + i]);
    }
    EXPECT_EQ(kac, 1);
    return n;
  }

  std::map<uint64_t, Anahtar> anahtarlar;
  unsigned sayac = 1;
};

TEST_F(Eslesme, AnahtarYoksaEslesme) {
  kanal.anahtarBul = nullptr;
  kanal.cerceveGeldi(B1, senkron(0, 777, 5));
  kanal.cerceveGeldi(B1, yazma(777, 1));
  EXPECT_EQ(sonuclar(tasima.al()),
            (std::vector<Sonuc>{{false, "eslesme", 5}, {false, "eslesme", 1}}));
  EXPECT_TRUE(kanal.bagliIstemciler().empty());
  EXPECT_EQ(merkez.sonSurum(), 0u);
}

TEST_F(Eslesme, DogruKanitBekleyenYazmayiUygular) {
  kanal.cerceveGeldi(B1, yazma(777, 1, yeni("ilk")));
  kanal.cerceveGeldi(B1, yazma(777, 2, yeni("son")));  // replaces the held frame
  std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 2u);
  const Nonce n = soru({g[1]}, 2);
  EXPECT_EQ(merkez.sonSurum(), 0u);

  // A proof over the first, replaced challenge and a corrupt one are each
  // answered "kimlik"; the challenge stays open and the write held.
  Kanit yanlis = kanitHesapla(anahtarlar[777], n, 777);
  yanlis[31] ^= 1;
  const Nonce ilk = soru({g[0]}, 1);
  kanal.cerceveGeldi(B1, kanitCercevesi(777, kanitHesapla(anahtarlar[777], ilk, 777)));
  kanal.cerceveGeldi(B1, kanitCercevesi(777, yanlis));
  EXPECT_EQ(sonuclar(tasima.al()),
            (std::vector<Sonuc>{{false, "kimlik", 0}, {false, "kimlik", 0}}));
  EXPECT_EQ(merkez.sonSurum(), 0u);

  const SurecCerceve dogru = kanitCercevesi(777, kanitHesapla(anahtarlar[777], n, 777));
  kanal.cerceveGeldi(B1, dogru);
  EXPECT_EQ(merkez.sonSurum(), 1u);
  Kayit k;
  ASSERT_TRUE(depo.bul(1, k));
  EXPECT_STREQ(k.alan("ad"), "son");
  EXPECT_EQ(merkez.yazarSira(777), 2u);
  // Verified: later frames pass at once, and the proof that verified, sent
  // again, and a wrong one are ignored.
  kanal.cerceveGeldi(B1, yazma(777, 3));
  kanal.cerceveGeldi(B1, dogru);
  kanal.cerceveGeldi(B1, kanitCercevesi(777, yanlis));
  EXPECT_EQ(merkez.sonSurum(), 2u);
  EXPECT_TRUE(tasima.al().empty());
  // Forgetting the connection forgets its pairing.
  kanal.baglantiKoptu(B1);
  kanal.cerceveGeldi(B1, yazma(777, 4));
  soru(tasima.al(), 4);
}

// Without a nonce hook every challenge draws its nonce from the system's
// random bytes: a proof seen on one connection is worth nothing on the next.
TEST_F(Eslesme, NonceKancasizRastgeleVeTekrarlanamaz) {
  kanal.nonceUret = nullptr;
  kanal.cerceveGeldi(B1, senkron(0, 777, 3));
  const Nonce n1 = soru(tasima.al(), 3);
  const SurecCerceve kanit = kanitCercevesi(777, kanitHesapla(anahtarlar[777], n1, 777));
  kanal.cerceveGeldi(B1, kanit);
  EXPECT_EQ(partiler(tasima.al()).size(), 1u);
  EXPECT_EQ(kanal.bagliIstemciler(), std::vector<uint64_t>{777});

  kanal.cerceveGeldi(B2, yazma(777, 1));
  const Nonce n2 = soru(tasima.al(), 1);
  EXPECT_NE(n1, n2);
  EXPECT_NE(n2, Nonce{});
  kanal.cerceveGeldi(B2, kanit);  // replayed
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "kimlik", 0}}));
  EXPECT_EQ(merkez.sonSurum(), 0u);
}

// A connection answered "eslesme" was sent no challenge, so no proof is
// looked at there, not even one over the zero nonce of its fresh session.
TEST_F(Eslesme, SorusuzKanitYokSayilir) {
  kanal.cerceveGeldi(B1, yazma(999, 1));
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "eslesme", 1}}));
  kanal.cerceveGeldi(B1, kanitCercevesi(777, kanitHesapla(anahtarlar[777], Nonce{}, 777)));
  EXPECT_TRUE(tasima.al().empty());
  kanal.cerceveGeldi(B1, yazma(777, 2));
  soru(tasima.al(), 2);  // challenged and held, not applied
  EXPECT_EQ(merkez.sonSurum(), 0u);
  // A proof on a connection that never sent a gated frame is ignored too.
  kanal.cerceveGeldi(B2, kanitCercevesi(777, kanitHesapla(anahtarlar[777], Nonce{}, 777)));
  EXPECT_TRUE(tasima.al().empty());
}

// A peer holding only 888's key must not get a write applied as 777: proving
// 888 verifies 888 alone, and the held write claiming 777 is challenged again.
TEST_F(Eslesme, BaskaNumaraninAnahtariYetmez) {
  kanal.cerceveGeldi(B1, yazma(777, 1));
  const Nonce n1 = soru(tasima.al(), 1);
  kanal.cerceveGeldi(B1, kanitCercevesi(888, kanitHesapla(anahtarlar[888], n1, 888)));
  const Nonce n2 = soru(tasima.al(), 1);  // 777 is still to be proved
  EXPECT_NE(n1, n2);
  EXPECT_EQ(merkez.sonSurum(), 0u);
  // The same 888 proof again does nothing more.
  kanal.cerceveGeldi(B1, kanitCercevesi(888, kanitHesapla(anahtarlar[888], n2, 888)));
  EXPECT_TRUE(tasima.al().empty());
  EXPECT_EQ(merkez.sonSurum(), 0u);
  // 888 writing as itself goes through at once.
  kanal.cerceveGeldi(B1, yazma(888, 1));
  EXPECT_EQ(merkez.sonSurum(), 1u);
  EXPECT_EQ(merkez.yazarSira(777), 0u);
  EXPECT_EQ(merkez.yazarSira(888), 1u);
  // Whoever truly holds 777's key can still prove it on this connection.
  kanal.cerceveGeldi(B1, yazma(777, 1));
  const Nonce n3 = soru(tasima.al(), 1);
  kanal.cerceveGeldi(B1, kanitCercevesi(777, kanitHesapla(anahtarlar[777], n3, 777)));
  EXPECT_EQ(merkez.yazarSira(777), 1u);
}

TEST_F(Eslesme, DosyaDogrulanmamisBaglantidaKimlik) {
  std::string yol;
  leYazMetin(yol, "a.txt");
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 12, yol));
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "kimlik", 12}}));
  kanal.cerceveGeldi(B1, senkron(0, 777));
  const Nonce n = soru(tasima.al(), 0);
  kanal.cerceveGeldi(B1, kanitCercevesi(777, kanitHesapla(anahtarlar[777], n, 777)));
  tasima.gidenler.clear();
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 13, yol));
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "dosya", 13}}));
}

// An honest client that sends more than one gated frame before its proof,
// or whose connection carries a stray wrong proof first, answers every
// challenge in turn: the proofs over replaced nonces, and the stray one, are
// answered "kimlik", the last one verifies, and the client connects.
TEST(EslesmeKanalCifti, DurustIstemciBaglanir) {
  struct Satir {
    const char* ad;
    // What the client does before the frames are moved.
    void (*baslat)(IsIstemciKanal& kanal, BellekAg& ag);
    size_t kimlikler;  // "kimlik" answers the client is told of
  };
  const Satir satirlar[] = {
      {"bir senkron", [](IsIstemciKanal& kanal, BellekAg&) { kanal.senkronIste(); }, 0},
      {"iki senkron",
       [](IsIstemciKanal& kanal, BellekAg&) {
         kanal.senkronIste();
         kanal.senkronIste();
       },
       1},
      {"bosaltma sonra senkron",
       [](IsIstemciKanal& kanal, BellekAg&) {
         kanal.bekleyenleriGonder();
         kanal.senkronIste();
       },
       1},
      {"yabanci yanlis kanit",
       [](IsIstemciKanal& kanal, BellekAg& ag) {
         kanal.senkronIste();
         for (const Giden& x : ag.istemciler[1].al()) ag.kral.teslimEt(NodeAdres{1, 0}, x.cerceve);
         ag.kral.teslimEt(NodeAdres{1, 0}, kanitCercevesi(777, Kanit{}));
       },
       1},
  };
  for (const Satir& satir : satirlar) {
    SCOPED_TRACE(satir.ad);
    EslesmeliKanalCifti cift;
    auto& [ag, depo, merkez, kral, ist, kanal, ortak] = cift;
    std::vector<std::pair<uint64_t, std::string>> raporlar;
    kanal.sonucBildir = [&](uint64_t k, const std::string& w) { raporlar.emplace_back(k, w); };

    kanal.yaz(yeni(), 0);  // queued until connected
    satir.baslat(kanal, ag);
    ag.pompala();
    EXPECT_TRUE(kanal.bagli());
    EXPECT_TRUE(ist.bekleyenler().empty());
    EXPECT_EQ(kral.uygulananYazma(), 1u);
    EXPECT_EQ(merkez.yazarSira(777), 1u);
    EXPECT_NE(ist.bul(1), nullptr);
    EXPECT_EQ(raporlar, (std::vector<std::pair<uint64_t, std::string>>(
                            satir.kimlikler, {uint64_t{0}, std::string("kimlik")})));
  }
}

TEST_F(KralKanal, DosyaSunumu) {
  std::string yol;
  leYazMetin(yol, "buyuk.bin");
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 5, yol));
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "dosya", 5}}));

  std::string icerik(600000, 'x');
  for (size_t i = 0; i < icerik.size(); i += 97) icerik[i] = static_cast<char>(i);
  std::vector<std::string> sorulan;
  kanal.dosyaIzni = [&](const std::string& y) {
    sorulan.push_back(y);
    return y != "gizli";
  };
  kanal.dosyaOku = [&](const std::string& y, std::string& cikan) {
    if (y == "yok") return false;
    cikan = y == "bos" ? "" : icerik;
    return true;
  };
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 6, yol));
  std::vector<Giden> g = tasima.al();
  ASSERT_EQ(g.size(), 3u);
  const size_t boylar[] = {262144, 262144, 75712};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(g[i].cerceve.tip, SurecMesajTip::DosyaParca);
    EXPECT_EQ(g[i].cerceve.korelasyon, 6u);
    Parca p;
    ASSERT_TRUE(parcaCoz(g[i].cerceve.govde, p));
    EXPECT_EQ(p.aktarimNo, 1u);
    EXPECT_EQ(p.sira, i);
    EXPECT_EQ(p.veri.size(), boylar[i]);
  }
  EXPECT_EQ(sorulan, std::vector<std::string>{"buyuk.bin"});

  for (const char* y : {"gizli", "yok"}) {
    std::string b;
    leYazMetin(b, y);
    kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 7, b));
  }
  EXPECT_EQ(sonuclar(tasima.al()), (std::vector<Sonuc>{{false, "dosya", 7}, {false, "dosya", 7}}));

  std::string bos;
  leYazMetin(bos, "bos");
  kanal.cerceveGeldi(B1, mesajCercevesi(SurecMesajTip::DosyaIste, 8, bos));
  g = tasima.al();
  ASSERT_EQ(g.size(), 1u);
  Parca p;
  ASSERT_TRUE(parcaCoz(g[0].cerceve.govde, p));
  EXPECT_EQ(p.aktarimNo, 2u);  // "yok" was allowed but could not be read: no number
  EXPECT_TRUE(p.veri.empty());
}

}  // namespace
}  // namespace vadu::istakip
