#include "orkestra/cozucu.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "orkestra/kodlama.h"

namespace vadu {
namespace {

constexpr uint64_t SINIR = 0x400000;

SurecCerceve kayit(uint16_t tip, uint64_t korelasyon, std::string govde) {
  SurecCerceve c;
  c.tip = static_cast<SurecMesajTip>(tip);
  c.kaynakPid = tip * 3u;
  c.hedefPid = tip * 5u;
  c.korelasyon = korelasyon;
  c.govde = std::move(govde);
  return c;
}

std::string yaz(const SurecCerceve& c) { return surecproto::cerceveSerialize(c); }

void ayniMi(const std::vector<SurecCerceve>& gelen, const std::vector<SurecCerceve>& beklenen) {
  ASSERT_EQ(gelen.size(), beklenen.size());
  for (size_t i = 0; i < gelen.size(); ++i) EXPECT_TRUE(gelen[i] == beklenen[i]) << i;
}

class AkisTest : public ::testing::Test {
 protected:
  AkisTest() {
    beklenen_ = {kayit(1, 1, ""), kayit(2, 2, "kod:480317"), kayit(11, 7, std::string(64, '\0')),
                 kayit(17, 9, std::string(5000, 'g')), kayit(22, 0xFFFFFFFFFFFFFFFF, "")};
    for (const SurecCerceve& c : beklenen_) akis_ += yaz(c);
  }

  std::vector<SurecCerceve> beklenen_;
  std::string akis_;
};

TEST_F(AkisTest, TekParca) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  EXPECT_TRUE(cozucu.besle(akis_.data(), akis_.size(), gelen));
  ayniMi(gelen, beklenen_);
  EXPECT_TRUE(cozucu.tampon().empty());
}

// Each frame appears in the call that brings its last byte, not earlier.
TEST_F(AkisTest, BirerBayt) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  std::vector<size_t> sonlar;
  size_t son = 0;
  for (const SurecCerceve& c : beklenen_) sonlar.push_back(son += yaz(c).size());
  size_t sirada = 0;
  for (size_t i = 0; i < akis_.size(); ++i) {
    ASSERT_TRUE(cozucu.besle(&akis_[i], 1, gelen)) << i;
    if (sirada < sonlar.size() && i + 1 == sonlar[sirada]) ++sirada;
    ASSERT_EQ(gelen.size(), sirada) << i;
  }
  ayniMi(gelen, beklenen_);
  EXPECT_TRUE(cozucu.tampon().empty());
}

TEST_F(AkisTest, RastgeleBolmeler) {
  std::mt19937 uretec(20261210);
  for (int tur = 0; tur < 200; ++tur) {
    std::uniform_int_distribution<size_t> boy(0, tur % 2 ? 40 : 6000);
    CerceveCozucu cozucu(SINIR);
    std::vector<SurecCerceve> gelen;
    size_t yer = 0;
    while (yer < akis_.size()) {
      const size_t n = std::min(boy(uretec), akis_.size() - yer);
      ASSERT_TRUE(cozucu.besle(akis_.data() + yer, n, gelen));
      yer += n;
      // Never more than the start of one frame waits in the buffer.
      ASSERT_LT(cozucu.tampon().size(), 28u + 5000u);
    }
    ayniMi(gelen, beklenen_);
    EXPECT_TRUE(cozucu.tampon().empty());
  }
}

// The buffer holds exactly the bytes of the frame that is not complete yet.
TEST_F(AkisTest, TamponYarimCerceveyiTutar) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  const std::string iki = yaz(beklenen_[0]) + yaz(beklenen_[1]);
  const size_t kesim = iki.size() - 3;
  ASSERT_TRUE(cozucu.besle(iki.data(), kesim, gelen));
  EXPECT_EQ(gelen.size(), 1u);
  EXPECT_EQ(cozucu.tampon(), iki.substr(28, kesim - 28));
  ASSERT_TRUE(cozucu.besle(iki.data() + kesim, 3, gelen));
  ayniMi(gelen, {beklenen_[0], beklenen_[1]});
}

// A body far longer than the room first given to a waiting body keeps every
// byte in place while its room grows.
TEST(CerceveCozucu, UzunGovdeParcaParca) {
  std::string govde(300000, '\0');
  for (size_t i = 0; i < govde.size(); ++i) govde[i] = static_cast<char>(i * 131 + (i >> 9));
  const std::string w = yaz(kayit(9, 9, govde)) + yaz(kayit(1, 2, "son"));
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  for (size_t yer = 0; yer < w.size(); yer += 4096) {
    const size_t n = std::min<size_t>(4096, w.size() - yer);
    ASSERT_TRUE(cozucu.besle(w.data() + yer, n, gelen));
    if (gelen.empty()) {
      ASSERT_EQ(cozucu.tampon(), w.substr(0, yer + n)) << yer;
    }
  }
  ayniMi(gelen, {kayit(9, 9, govde), kayit(1, 2, "son")});
}

// Room for the records is reserved from the first frame of a piece; a short
// first frame ahead of a long one must not make a large piece claim a record
// for every header's worth of its bytes (twice the piece) for two frames.
TEST(CerceveCozucu, KisaIlkCerceveBuyukParcaIcinYerAyirmaz) {
  const std::string buyuk(SINIR, 'b');
  const std::string parca = yaz(kayit(1, 1, "")) + yaz(kayit(2, 2, buyuk));
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  ASSERT_TRUE(cozucu.besle(parca.data(), parca.size(), gelen));
  ayniMi(gelen, {kayit(1, 1, ""), kayit(2, 2, buyuk)});
  EXPECT_LE(gelen.capacity() * sizeof(SurecCerceve), parca.size() / 16);
}

TEST(CerceveCozucu, BosParcaVeOncekiKayitlarKalir) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen{kayit(5, 5, "once")};
  EXPECT_TRUE(cozucu.besle(nullptr, 0, gelen));
  EXPECT_EQ(gelen.size(), 1u);
  const std::string w = yaz(kayit(1, 2, "x"));
  EXPECT_TRUE(cozucu.besle(w.data(), w.size(), gelen));
  ayniMi(gelen, {kayit(5, 5, "once"), kayit(1, 2, "x")});
}

// The limit is judged from the header alone, before any body byte arrives.
TEST(CerceveCozucu, GovdeSiniri) {
  const struct {
    uint64_t sinir;
    size_t govde;
    bool gecer;
  } durumlar[] = {
      {0, 0, true}, {0, 1, false}, {64, 64, true}, {64, 65, false}, {SINIR, SINIR + 1, false}};
  for (const auto& d : durumlar) {
    CerceveCozucu cozucu(d.sinir);
    std::vector<SurecCerceve> gelen;
    const std::string w = yaz(kayit(1, 0, std::string(d.govde, 'b')));
    EXPECT_EQ(cozucu.besle(w.data(), 28, gelen), d.gecer) << d.sinir << " " << d.govde;
    EXPECT_EQ(cozucu.bozukMu(), !d.gecer);
    if (d.gecer) {
      EXPECT_TRUE(cozucu.besle(w.data() + 28, w.size() - 28, gelen));
      EXPECT_EQ(gelen.size(), 1u);
    }
  }
}

TEST(CerceveCozucu, EskiMetinYirmiSekizinciBaytindaBozar) {
  const std::string eski = "komut\tYeni Belge ve biraz daha uzun bir govde";
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  for (size_t i = 0; i < 27; ++i) ASSERT_TRUE(cozucu.besle(&eski[i], 1, gelen)) << i;
  EXPECT_FALSE(cozucu.besle(&eski[27], 1, gelen));
  EXPECT_TRUE(gelen.empty());
}

TEST(CerceveCozucu, BozukKalirSifirlaninincaDuzelir) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  const std::string kotu(28, 'z');
  const std::string iyi = yaz(kayit(1, 3, "iyi"));
  EXPECT_FALSE(cozucu.besle(kotu.data(), kotu.size(), gelen));
  const std::string tampon = cozucu.tampon();
  EXPECT_FALSE(cozucu.besle(iyi.data(), iyi.size(), gelen));
  EXPECT_TRUE(gelen.empty());
  EXPECT_EQ(cozucu.tampon(), tampon);  // the refused bytes are not kept
  cozucu.sifirla();
  EXPECT_FALSE(cozucu.bozukMu());
  EXPECT_TRUE(cozucu.tampon().empty());
  EXPECT_EQ(cozucu.maxGovde(), SINIR);
  EXPECT_TRUE(cozucu.besle(iyi.data(), iyi.size(), gelen));
  ayniMi(gelen, {kayit(1, 3, "iyi")});
}

// After a fault the buffer holds everything fed, the decoded frames
// included, wherever the bad frame began.
TEST(CerceveCozucu, IyiCerceveArdindanKotuSihir) {
  const std::string iyi = yaz(kayit(2, 1, "ilk"));
  std::string kotu = yaz(kayit(3, 2, "ikinci"));
  kotu[0] = 'X';
  const std::string akis = iyi + iyi + kotu;
  for (size_t kesim : {size_t{0}, iyi.size() + 5, iyi.size() + 30, 2 * iyi.size() + 10}) {
    CerceveCozucu cozucu(SINIR);
    std::vector<SurecCerceve> gelen;
    ASSERT_TRUE(cozucu.besle(akis.data(), kesim, gelen));
    const std::string bekleyen = cozucu.tampon();
    EXPECT_FALSE(cozucu.besle(akis.data() + kesim, akis.size() - kesim, gelen)) << kesim;
    ayniMi(gelen, {kayit(2, 1, "ilk"), kayit(2, 1, "ilk")});
    EXPECT_EQ(cozucu.tampon(), bekleyen + akis.substr(kesim)) << kesim;
  }
}

TEST(CerceveCozucu, TasimaAtamasiUcAlaniAlir) {
  CerceveCozucu eski(SINIR);
  std::vector<SurecCerceve> gelen;
  const std::string kotu(30, 'q');
  eski.besle(kotu.data(), kotu.size(), gelen);
  // The source waits for a frame whose header and some body have come.
  CerceveCozucu yeni(16);
  const std::string w = yaz(kayit(1, 1, "xyz"));
  const std::string yarim = w.substr(0, 30);
  yeni.besle(yarim.data(), yarim.size(), gelen);
  eski = std::move(yeni);
  EXPECT_FALSE(eski.bozukMu());
  EXPECT_EQ(eski.maxGovde(), 16u);
  EXPECT_EQ(eski.tampon(), yarim);
  EXPECT_TRUE(eski.besle(w.data() + 30, w.size() - 30, gelen));
  ayniMi(gelen, {kayit(1, 1, "xyz")});
}

// A reset drops the frame that was waiting, its body bytes included.
TEST(CerceveCozucu, SifirlaBekleyenGovdeyiAtar) {
  CerceveCozucu cozucu(SINIR);
  std::vector<SurecCerceve> gelen;
  const std::string eski = yaz(kayit(4, 4, std::string(100, 'e')));
  ASSERT_TRUE(cozucu.besle(eski.data(), 60, gelen));
  cozucu.sifirla();
  EXPECT_TRUE(cozucu.tampon().empty());
  const std::string yeni = yaz(kayit(6, 6, std::string(100, 'y')));
  ASSERT_TRUE(cozucu.besle(yeni.data(), 60, gelen));
  EXPECT_EQ(cozucu.tampon(), yeni.substr(0, 60));
  ASSERT_TRUE(cozucu.besle(yeni.data() + 60, yeni.size() - 60, gelen));
  ayniMi(gelen, {kayit(6, 6, std::string(100, 'y'))});
}

// The decoder as plainly written: append every piece, decode, erase once.
// The real one must agree with it on every result, record and buffer byte.
struct DuzCozucu {
  uint64_t maxGovde;
  std::string tampon;
  bool bozuk = false;

  bool besle(const char* data, size_t len, std::vector<SurecCerceve>& out) {
    if (bozuk) return false;
    tampon.append(data, len);
    size_t yer = 0;
    while (tampon.size() - yer >= 28) {
      const uint8_t* p = baytlar(tampon.data() + yer);
      if (leOkuU32(p) != surecproto::CERCEVE_SIHRI) return !(bozuk = true);
      const uint64_t L = leOkuU32(p + 24);
      if (L > maxGovde) return !(bozuk = true);
      if (tampon.size() - yer < 28 + L) break;
      SurecCerceve c;
      if (!surecproto::cerceveDeserialize(tampon.data() + yer, 28 + L, c)) return !(bozuk = true);
      out.push_back(std::move(c));
      yer += 28 + L;
    }
    if (yer != 0) tampon.erase(0, yer);
    return true;
  }
};

TEST(CerceveCozucu, DuzYaziliOlanlaAyniDavranir) {
  std::mt19937 uretec(48211);
  for (int tur = 0; tur < 300; ++tur) {
    std::string akis;
    const int sayi = 1 + static_cast<int>(uretec() % 12);
    for (int i = 0; i < sayi; ++i) {
      akis += yaz(
          kayit(static_cast<uint16_t>(uretec()), uretec(), std::string(uretec() % 300, 'k')));
    }
    // Now and then a fault: a wrong magic, a body above the limit, a text.
    switch (uretec() % 4) {
      case 0: akis[uretec() % akis.size()] ^= 0x5A; break;
      case 1: akis += yaz(kayit(1, 1, std::string(257, 'u'))); break;
      case 2: akis += "komut\tYeni Belge ve biraz daha uzun bir govde"; break;
      default: break;
    }
    CerceveCozucu cozucu(256);
    DuzCozucu duz{256, {}, false};
    std::vector<SurecCerceve> gelen, beklenen;
    size_t yer = 0;
    while (yer < akis.size()) {
      const size_t n = std::min<size_t>(uretec() % 700, akis.size() - yer);
      ASSERT_EQ(cozucu.besle(akis.data() + yer, n, gelen),
                duz.besle(akis.data() + yer, n, beklenen));
      ASSERT_EQ(cozucu.bozukMu(), duz.bozuk);
      ASSERT_EQ(cozucu.tampon(), duz.tampon);
      ayniMi(gelen, beklenen);
      yer += n;
    }
  }
}

}  // namespace
}  // namespace vadu
