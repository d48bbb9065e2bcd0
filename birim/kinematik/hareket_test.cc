#include "kinematik/hareket.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "birim/kinematik/duz_formul.h"

namespace vadu {
namespace {

constexpr double PI = 3.141592653589793;
constexpr double NAN_ = std::numeric_limits<double>::quiet_NaN();

Yasa yasa(YasaTip tip, double deger, double egim = 0, double genlik = 0, double periyot = 1.0,
          double faz = 0) {
  Yasa y;
  y.tip = tip;
  y.deger = deger;
  y.egim = egim;
  y.genlik = genlik;
  y.periyot = periyot;
  y.faz = faz;
  return y;
}

Yasa anahtarli(std::vector<std::pair<double, double>> anahtarlar, double deger = 0) {
  Yasa y = yasa(YasaTip::AnahtarKare, deger);
  y.anahtarlar = std::move(anahtarlar);
  return y;
}

TEST(Hareket, YasaDegeri) {
  struct Satir {
    const char* ad;
    Yasa y;
    double t;
    double beklenen;
  };
  const std::vector<std::pair<double, double>> ucAnahtar = {{0, 0}, {2, 40}, {4, 10}};
  const std::vector<std::pair<double, double>> karisik = {{0, 0}, {5, 1}, {3, 2}, {10, 3}};
  const Satir satirlar[] = {
      {"sabit", yasa(YasaTip::Sabit, 2.5), -3.0, 2.5},
      {"sabit NaN", yasa(YasaTip::Sabit, 2.5), NAN_, 2.5},
      {"dogrusal", yasa(YasaTip::Dogrusal, 1.0, 0.5), 2.0, 2.0},
      {"dogrusal geri", yasa(YasaTip::Dogrusal, 1.0, 0.5), -4.0, -1.0},
      {"sinus 0", yasa(YasaTip::Sinus, 1, 0, 2, 4), 0.0, 1.0},
      {"sinus tepe", yasa(YasaTip::Sinus, 1, 0, 2, 4), 1.0, 3.0},
      {"sinus dip", yasa(YasaTip::Sinus, 1, 0, 2, 4), 3.0, -1.0},
      {"sinus faz", yasa(YasaTip::Sinus, 1, 0, 2, 4, PI / 2), 0.0, 3.0},
      {"sinus periyot 0", yasa(YasaTip::Sinus, 1, 0, 2, 0), 1.0, 1.0},
      {"sinus periyot -1", yasa(YasaTip::Sinus, 1, 0, 2, -1), 0.3, 1.0},
      {"bilinmeyen tip", yasa(static_cast<YasaTip>(9), 4.0, 1.0, 1.0), 2.0, 4.0},
      {"anahtarsiz", anahtarli({}, 4.0), 1.0, 4.0},
      {"tek anahtar once", anahtarli({{2, 7}}), -5.0, 7.0},
      {"tek anahtar uzerinde", anahtarli({{2, 7}}), 2.0, 7.0},
      {"tek anahtar sonra", anahtarli({{2, 7}}), 9.0, 7.0},
      {"ilk oncesi", anahtarli(ucAnahtar), -1.0, 0.0},
      {"ilk uzerinde", anahtarli(ucAnahtar), 0.0, 0.0},
      {"ara 1", anahtarli(ucAnahtar), 1.0, 20.0},
      {"ara anahtar uzerinde", anahtarli(ucAnahtar), 2.0, 40.0},
      {"ara 2", anahtarli(ucAnahtar), 3.0, 25.0},
      {"son uzerinde", anahtarli(ucAnahtar), 4.0, 10.0},
      {"son sonrasi", anahtarli(ucAnahtar), 5.0, 10.0},
      {"NaN son anahtar", anahtarli(ucAnahtar), NAN_, 10.0},
      // t is not above the first key's time, so the second key plays no part.
      {"ayni zaman", anahtarli({{1, 5}, {1, 9}}), 1.0, 5.0},
      {"1e-13 aralik", anahtarli({{0, 0}, {1, 5}, {1.0000000000001, 9}, {2, 0}}), 1.00000000000005,
       9.0},
      {"tam 1e-12 aralik", anahtarli({{0, 3}, {1e-12, 7}, {1, 0}}), 5e-13, 7.0},
      {"2e-12 aralik bolunur", anahtarli({{0, 3}, {2e-12, 7}, {1, 0}}), 1e-12, 5.0},
      // Stored order is searched as it is: the first key time not below 4 is 5.
      {"sirasiz", anahtarli(karisik), 4.0, 0.8},
      {"sirasiz ikinci aralik", anahtarli(karisik), 7.0, 2.0 + 4.0 / 7.0},
      // Falling times: every t up to the first key's gives its value, every t
      // from the last key's on the last value.
      {"azalan ilk", anahtarli({{4, 1}, {2, 2}, {0, 3}}), 3.0, 1.0},
      {"azalan son", anahtarli({{4, 1}, {2, 2}, {0, 3}}), 5.0, 3.0},
  };
  for (const Satir& s : satirlar) {
    EXPECT_NEAR(yasaDegeri(s.y, s.t), s.beklenen, 1e-12) << s.ad;
  }
}

Mafsal mafsal(MafsalTip tip, double q, double q2 = 0, double q3 = 0) {
  Mafsal m;
  m.tip = tip;
  m.q = q;
  m.q2 = q2;
  m.q3 = q3;
  return m;
}

Mafsal sinirli(Mafsal m, double alt, double ust) {
  m.sinirAlt = alt;
  m.sinirUst = ust;
  return m;
}

// What a joint with default anchors does to a point: turns about each listed
// axis in turn, then translates.
struct Beklenen {
  Vektor3 oteleme;
  std::vector<std::pair<Vektor3, double>> donmeler;

  Vektor3 uygula(Vektor3 p) const {
    for (const auto& [eksen, aci] : donmeler) p = Kuaterniyon::eksenAci(eksen, aci).dondur(p);
    return p + oteleme;
  }
};

TEST(Hareket, MafsalTurleriVeSinirlar) {
  struct Satir {
    const char* ad;
    Mafsal m;
    Beklenen b;
  };
  using duz::X;
  using duz::Y;
  using duz::Z;
  const Satir satirlar[] = {
      {"sabit", mafsal(MafsalTip::Sabit, 1.0, 2.0, 3.0), {}},
      {"bilinmeyen tip", mafsal(static_cast<MafsalTip>(8), 1.0, 2.0, 3.0), {}},
      {"doner", mafsal(MafsalTip::Doner, PI / 2), {{}, {{Z, PI / 2}}}},
      {"doner ust sinir", sinirli(mafsal(MafsalTip::Doner, 2.0), -1.5, 1.5), {{}, {{Z, 1.5}}}},
      {"doner alt sinir", sinirli(mafsal(MafsalTip::Doner, -2.0), -1.5, 1.5), {{}, {{Z, -1.5}}}},
      {"kayar", mafsal(MafsalTip::Kayar, 0.7), {{0, 0, 0.7}, {}}},
      {"kayar sinir", sinirli(mafsal(MafsalTip::Kayar, 0.7), -0.5, 0.5), {{0, 0, 0.5}, {}}},
      // q2 is never limited.
      {"silindirik",
       sinirli(mafsal(MafsalTip::Silindirik, 0.3, 2.0), -0.1, 0.1),
       {{0, 0, 2.0}, {{Z, 0.1}}}},
      {"vida tam tur",
       [] {
         Mafsal m = mafsal(MafsalTip::Vida, 2 * PI);
         m.vidaAdim = 4.25;
         return m;
       }(),
       {{0, 0, 4.25}, {}}},
      {"vida sinir",
       [] {
         Mafsal m = sinirli(mafsal(MafsalTip::Vida, 2 * PI), 0, PI);
         m.vidaAdim = 4.25;
         return m;
       }(),
       {{0, 0, 2.125}, {{Z, PI}}}},
      // The spherical joint ignores its limits.
      {"kuresel sinir yok", sinirli(mafsal(MafsalTip::Kuresel, 1.0), -0.1, 0.1), {{}, {{X, 1.0}}}},
      {"kuresel sira",
       mafsal(MafsalTip::Kuresel, 0.2, 0.3, 0.4),
       {{}, {{X, 0.2}, {Y, 0.3}, {Z, 0.4}}}},
      {"duzlemsel",
       sinirli(mafsal(MafsalTip::Duzlemsel, 0.5, 3.0, PI / 2), -0.2, 0.2),
       {{0.2, 3.0, 0}, {{Z, PI / 2}}}},
      {"serbest", mafsal(MafsalTip::Serbest, 1, 2, 3), {{1, 2, 3}, {}}},
      {"serbest sinir", sinirli(mafsal(MafsalTip::Serbest, 1, 2, 3), -0.5, 0.5), {{0.5, 2, 3}, {}}},
  };
  const Vektor3 noktalar[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0.3, -2.0, 1.5}};
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    const Donusum d = mafsalDonusumu(s.m);
    for (const Vektor3& p : noktalar) duz::yakin(d.uygula(p), s.b.uygula(p));
    duz::yakin(d.olcek, {1, 1, 1});
    EXPECT_NEAR(d.donus.uzunluk(), 1.0, 1e-12);
  }
}

TEST(Hareket, CapalarCocuguAnaCercevesineGetirir) {
  Mafsal m = mafsal(MafsalTip::Sabit, 0);
  m.capa.konum = {60, 0, 0};
  m.capaCocuk.konum = {12.5, 0, -4};
  const Donusum d = mafsalDonusumu(m);
  duz::yakin(d.konum, {47.5, 0, 4});
  duz::yakin(d.uygula({1, 1, 1}), {48.5, 1, 5});
}

// Every kind, with anchors that translate, turn and scale, against the plain
// composition of the pose operators.
TEST(Hareket, DuzFormulIleAyni) {
  Donusum capa;
  capa.konum = {0.4, -1.25, 3.0};
  capa.donus = Kuaterniyon::eksenAci({1, 2, -0.5}, 0.9);
  Donusum cocuk;
  cocuk.konum = {-0.75, 0.2, 1.1};
  cocuk.donus = Kuaterniyon::eksenAci({-0.3, 0.1, 1}, -1.3);
  Donusum olcekli = cocuk;
  olcekli.olcek = {2, 0.5, 3};
  // An unnormalised anchor rotation is taken as it is.
  Donusum uzun = capa;
  uzun.donus = Kuaterniyon(0.1, 0.2, 0.3, 2.0);

  const Donusum capalar[][2] = {
      {capa, cocuk}, {capa, olcekli}, {olcekli, capa}, {uzun, cocuk}, {Donusum(), Donusum()}};
  for (int tip = 0; tip <= 8; ++tip) {
    for (const auto& [c, cc] : capalar) {
      for (const double q : {0.0, 0.6, 2.4, -3.5}) {
        SCOPED_TRACE(testing::Message() << "tip " << tip << " q " << q);
        Mafsal m = sinirli(mafsal(static_cast<MafsalTip>(tip), q, q * 0.7 - 0.2, 1.3 - q), -2.0,
                           2.0);
        m.vidaAdim = 0.35;
        m.capa = c;
        m.capaCocuk = cc;
        duz::yakin(mafsalDonusumu(m), duz::mafsalDonusumuDuz(m));
      }
    }
  }
}

}  // namespace
}  // namespace vadu
