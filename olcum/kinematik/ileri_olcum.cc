// Forward kinematics of serial chains of turning joints whose anchors both
// translate and turn, the joint values changing on every call, beside the
// plain order of the pose operators that the fast path stands for and beside
// Orocos KDL's recursive position solver on the same chain; and the sine and
// cosine of the joint motions beside the C library's. Reported per call and
// per joint; after the runs the program prints what the fast path and sinKos
// save, from the medians where runs are repeated.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "birim/kinematik/duz_kinematik.h"
#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"
#include "kinematik/sinkos.h"
#include "olcum/oran_raporu.h"

#ifdef VADU_KDL
#include <kdl/chain.hpp>
#include <kdl/chainfksolverpos_recursive.hpp>
#include <kdl/frames.hpp>
#include <kdl/jntarray.hpp>
#endif

namespace {

using namespace vadu;

struct Zincir {
  std::vector<Donusum> capa;
  std::vector<Donusum> capaCocuk;
  std::vector<double> baslangic;  // joint value at t = 0
  std::vector<double> hiz;        // its change per unit of t
};

Zincir zincir(size_t n) {
  Zincir z;
  for (size_t i = 0; i < n; ++i) {
    const double x = static_cast<double>(i);
    Donusum c;
    c.konum = {0.3 + 0.01 * x, 0.05, 0.1};
    c.donus = Kuaterniyon::eksenAci({1, 0.3, 0.2}, 0.4 + 0.1 * x);
    Donusum cc;
    cc.konum = {-0.02, 0.04, 0.15};
    cc.donus = Kuaterniyon::eksenAci({0.2, 1, 0.1}, -0.3);
    z.capa.push_back(c);
    z.capaCocuk.push_back(cc);
    z.baslangic.push_back(0.2 * x - 1.0);
    z.hiz.push_back(0.001 * (x + 1.0));
  }
  return z;
}

// Links 0..n in a row, joint i turning link i + 1 on link i, each driven by a
// linear law so that every call sees new values.
Mekanizma mekanizma(const Zincir& z) {
  Mekanizma m;
  for (size_t i = 0; i <= z.capa.size(); ++i) m.uzuvEkle("", 0, Donusum());
  for (size_t i = 0; i < z.capa.size(); ++i) {
    Mafsal mf;
    mf.tip = MafsalTip::Doner;
    mf.ana = i;
    mf.cocuk = i + 1;
    mf.capa = z.capa[i];
    mf.capaCocuk = z.capaCocuk[i];
    m.mafsalEkle(mf);
    Yasa y;
    y.mafsal = i;
    y.tip = YasaTip::Dogrusal;
    y.deger = z.baslangic[i];
    y.egim = z.hiz[i];
    m.yasaEkle(y);
  }
  return m;
}

// Joint values stay within a few turns, where sine and cosine take their
// ordinary path rather than a long argument reduction.
double sonraki(double t) { return t < 1000.0 ? t + 1.0 : 0.0; }

void sayaclar(benchmark::State& state, size_t n) {
  state.counters["mafsal"] = static_cast<double>(n);
  state.counters["s/mafsal"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(n),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The laws applied, then `gecis` on the joint values they have just changed,
// once per iteration; the world poses that it returns, if any, are kept.
template <class Gecis>
void gecisOlc(benchmark::State& state, Gecis&& gecis) {
  const size_t n = static_cast<size_t>(state.range(0));
  Mekanizma m = mekanizma(zincir(n));
  double t = 0.0;
  for (auto _ : state) {
    m.yasalariUygula(t);
    if constexpr (std::is_void_v<decltype(gecis(m))>) {
      gecis(m);
    } else {
      const std::vector<Donusum> dunya = gecis(m);
      benchmark::DoNotOptimize(dunya.data());
    }
    benchmark::ClobberMemory();
    t = sonraki(t);
  }
  sayaclar(state, n);
}

void IleriKinematik(benchmark::State& state) {
  gecisOlc(state, [](const Mekanizma& mek) { return mek.ileriKinematik(); });
}
BENCHMARK(IleriKinematik)->Arg(6)->Arg(30);

// The same passes in the plain order of the pose operators.
void IleriKinematikDuz(benchmark::State& state) {
  gecisOlc(state, [](const Mekanizma& mek) { return duz::ileriKinematikDuz(mek); });
}
BENCHMARK(IleriKinematikDuz)->Arg(6)->Arg(30);

// The share of the laws in the figures above.
void YasalariUygula(benchmark::State& state) {
  gecisOlc(state, [](const Mekanizma&) {});
}
BENCHMARK(YasalariUygula)->Arg(6)->Arg(30);

// The half angles that the 30-joint chain turns its joints by over its first
// steps, the argument of every sine and cosine of a pass.
const std::vector<double>& yarimAcilar() {
  static const std::vector<double> acilar = [] {
    const Zincir z = zincir(30);
    std::vector<double> a;
    for (double t = 0.0; a.size() < 4096; t = sonraki(t)) {
      for (size_t i = 0; i < 30; ++i) a.push_back((z.baslangic[i] + z.hiz[i] * t) / 2.0);
    }
    return a;
  }();
  return acilar;
}

// Sine and cosine of every half angle, one call of `sinKosu` each.
template <class SinKosu>
void sinKosOlc(benchmark::State& state, SinKosu&& sinKosu) {
  const std::vector<double>& acilar = yarimAcilar();
  for (auto _ : state) {
    for (const double aci : acilar) {
      const SinKos y = sinKosu(aci);
      benchmark::DoNotOptimize(y);
    }
  }
  state.counters["s/cagri"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(acilar.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SinKosHesabi(benchmark::State& state) {
  sinKosOlc(state, [](double aci) { return sinKos(aci); });
}
BENCHMARK(SinKosHesabi);

// The C library's; the compiler makes one sincos call of the two.
void KutuphaneSinKos(benchmark::State& state) {
  sinKosOlc(state, [](double aci) { return SinKos{std::sin(aci), std::cos(aci)}; });
}
BENCHMARK(KutuphaneSinKos);

#ifdef VADU_KDL
KDL::Frame kdlCerceve(const Donusum& d) {
  return KDL::Frame(KDL::Rotation::Quaternion(d.donus.x, d.donus.y, d.donus.z, d.donus.w),
                    KDL::Vector(d.konum.x, d.konum.y, d.konum.z));
}

// The same chain as segments: a fixed segment to the first joint's anchor,
// then per joint a turn about z and the tip frame capaCocuk⁻¹ · next capa.
KDL::Chain kdlZincir(const Zincir& z) {
  KDL::Chain c;
  c.addSegment(KDL::Segment(KDL::Joint(KDL::Joint::None), kdlCerceve(z.capa[0])));
  for (size_t i = 0; i < z.capa.size(); ++i) {
    Donusum uc = z.capaCocuk[i].ters();
    if (i + 1 < z.capa.size()) uc = uc * z.capa[i + 1];
    c.addSegment(KDL::Segment(KDL::Joint(KDL::Joint::RotZ), kdlCerceve(uc)));
  }
  return c;
}

void KdlJntToCart(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  const Zincir z = zincir(n);
  const KDL::Chain c = kdlZincir(z);
  KDL::ChainFkSolverPos_recursive fk(c);
  KDL::JntArray q(static_cast<unsigned>(n));
  KDL::Frame son;

  // Both sides must compute the same chain: the last link's position.
  Mekanizma m = mekanizma(z);
  m.yasalariUygula(0.5);
  for (size_t i = 0; i < n; ++i) q(static_cast<unsigned>(i)) = z.baslangic[i] + z.hiz[i] * 0.5;
  fk.JntToCart(q, son);
  const Vektor3 p = m.ileriKinematik().back().konum;
  if (std::abs(p.x - son.p.x()) > 1e-9 || std::abs(p.y - son.p.y()) > 1e-9 ||
      std::abs(p.z - son.p.z()) > 1e-9) {
    state.SkipWithError("KDL chain differs from the mechanism");
    return;
  }

  double t = 0.0;
  for (auto _ : state) {
    for (size_t i = 0; i < n; ++i) q(static_cast<unsigned>(i)) = z.baslangic[i] + z.hiz[i] * t;
    fk.JntToCart(q, son);
    benchmark::DoNotOptimize(son);
    benchmark::ClobberMemory();
    t = sonraki(t);
  }
  sayaclar(state, n);
}
BENCHMARK(KdlJntToCart)->Arg(6)->Arg(30);
#endif

void karsilastir(const olcum::OranRaporu& rapor) {
  rapor.yaz("\n");
  for (const char* n : {"6", "30"}) {
    const std::string ek = std::string("/") + n;
    const double hizli = rapor.cpuSuresi("IleriKinematik" + ek);
    const double duz = rapor.cpuSuresi("IleriKinematikDuz" + ek);
    const double kdl = rapor.cpuSuresi("KdlJntToCart" + ek);
    if (hizli > 0 && duz > 0) {
      rapor.yaz("%2s mafsal: ileriKinematik duz siranin %.2f kati", n, hizli / duz);
      if (kdl > 0) rapor.yaz(", KDL'nin %.2f kati", hizli / kdl);
      rapor.yaz("\n");
    }
  }
  // The share of sine and cosine in a pass of the 30-joint chain, one call per
  // turning joint, the laws left out.
  const size_t adet = yarimAcilar().size();
  const double sk = rapor.cpuSuresi("SinKosHesabi") / static_cast<double>(adet);
  const double kutuphane = rapor.cpuSuresi("KutuphaneSinKos") / static_cast<double>(adet);
  const double hizli = rapor.cpuSuresi("IleriKinematik/30");
  const double yasalar = rapor.cpuSuresi("YasalariUygula/30");
  const double gecis = hizli > 0 && yasalar > 0 ? (hizli - yasalar) / 30.0 : 0.0;
  if (sk > 0 && kutuphane > 0) {
    rapor.yaz("sinKos cagri basina %.1f ns, C kutuphanesinin sin ve cos'u %.1f ns (%.2f kati)\n",
              sk, kutuphane, kutuphane / sk);
    if (gecis > 0) {
      rapor.yaz(
          "30 mafsallik geciste mafsal basina %.1f ns; sinKos bunun %%%.0f'i, "
          "kutuphaneyle %%%.0f'i olurdu\n",
          gecis, 100.0 * sk / gecis, 100.0 * kutuphane / (gecis - sk + kutuphane));
    }
  }
}

}  // namespace

int main(int argc, char** argv) { return vadu::olcum::calistir(argc, argv, karsilastir); }
