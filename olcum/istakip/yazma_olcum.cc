// Applied writes per second end to end over loopback, each write waited for
// (client sends, centre applies, notice comes back, pending entry dropped),
// king and clients polled on one thread; beside it a plain non-blocking TCP
// ping-pong of the same frame size, polled the same way.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "istakip/depo.h"
#include "istakip/istemci.h"
#include "istakip/istemci_kanal.h"
#include "istakip/kral_kanal.h"
#include "istakip/merkez.h"
#include "istakip/mesaj.h"
#include "istakip/tasima_istemci.h"
#include "istakip/tasima_kral.h"
#include "olcum/oran_raporu.h"
#include "orkestra/tcp.h"

namespace vadu::istakip {
namespace {

constexpr uint16_t ILK_PORT = 29760;

Kayit ornekKayit() {
  Kayit k;
  k.tur = "siparis";
  k.alanYaz("ad", "atolye-1");
  return k;
}

struct Istemci {
  Istemci(uint64_t no, uint16_t port) : ist(no), kanal(ist, tasima, orkestra::NodeAdres{}) {
    tasima.baglandiAyarla([this] { kanal.senkronIste(); });
    tasima.koptuAyarla([this] { kanal.baglantiKoptu(); });
    tasima.hedefAyarla("127.0.0.1", port, 0x400000);
  }
  IstakipTasimaIstemci tasima;
  IsIstemci ist;
  IsIstemciKanal kanal;
};

void UygulananYazma(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  IstakipTasimaKral kral;
  uint16_t port = 0;
  for (uint16_t p = ILK_PORT; p < ILK_PORT + 20 && port == 0; ++p) {
    if (kral.ac(p, 0x400000, 64)) port = p;
  }
  if (port == 0) {
    state.SkipWithError("no free port");
    return;
  }
  DepoBellek depo;
  IsMerkez merkez(depo);
  IsKralKanal kanal(merkez, kral, 64);
  kral.baglantiKoptuAyarla([&](const orkestra::NodeAdres& a) { kanal.baglantiKoptu(a); });
  std::vector<std::unique_ptr<Istemci>> istemciler;
  for (int i = 0; i < n; ++i) istemciler.push_back(std::make_unique<Istemci>(i + 1, port));
  uint64_t simdi = 1;
  auto tur = [&] {
    kral.nabiz();
    for (auto& c : istemciler) c->tasima.nabiz(simdi, 1000);
  };
  for (int i = 0; i < 100000; ++i) {
    tur();
    bool hepsi = true;
    for (auto& c : istemciler) hepsi = hepsi && c->kanal.bagli();
    if (hepsi) break;
  }
  const Kayit k = ornekKayit();
  size_t sira = 0;
  for (auto _ : state) {
    Istemci& c = *istemciler[sira++ % istemciler.size()];
    c.kanal.yaz(k, 0);
    while (!c.ist.bekleyenler().empty()) tur();
  }
  // Let the other replicas take in the last notices before closing.
  for (int i = 0; i < 100; ++i) tur();
  state.SetItemsProcessed(state.iterations());
  kral.kapat();
}
BENCHMARK(UygulananYazma)->Arg(1)->Arg(8)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Waits until `n` bytes have come in on `b`.
bool topla(TcpBaglanti& b, size_t n) {
  std::string veri;
  size_t gelen = 0;
  while (gelen < n) {
    const int r = b.al(veri);
    if (r < 0) return false;
    gelen += static_cast<size_t>(r);
  }
  return true;
}

void PingPong(benchmark::State& state) {
  TcpDinleyici dinleyici;
  uint16_t port = 0;
  for (uint16_t p = ILK_PORT + 20; p < ILK_PORT + 40 && port == 0; ++p) {
    if (dinleyici.ac(p)) port = p;
  }
  TcpBaglanti istemci;
  if (port == 0 || !istemci.baglan("127.0.0.1", port)) {
    state.SkipWithError("no loopback connection");
    return;
  }
  uint64_t soket = 0;
  for (int i = 0; i < 1000000 && soket == 0; ++i) soket = dinleyici.kabulEt();
  TcpBaglanti sunucu(soket);
  // The same size as one write request of the benchmark above.
  const std::string tel = surecproto::cerceveSerialize(
      mesajCercevesi(SurecMesajTip::YazmaIste, 1, yazmaIstegiKodla(1, 1, 0, ornekKayit())));
  for (auto _ : state) {
    if (!istemci.gonder(tel) || !topla(sunucu, tel.size()) || !sunucu.gonder(tel) ||
        !topla(istemci, tel.size())) {
      state.SkipWithError("connection lost");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["cerceve_bayt"] = static_cast<double>(tel.size());
}
BENCHMARK(PingPong)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vadu::istakip

int main(int argc, char** argv) {
  return vadu::olcum::calistir(argc, argv, [](const vadu::olcum::OranRaporu& rapor) {
    // Each iteration is one write, or one round trip: per second is 1e6 over
    // the microseconds of one.
    const auto saniyede = [&](const char* ad) {
      const double us = rapor.sure(ad);
      return us > 0 ? 1e6 / us : 0.0;
    };
    const double bir = saniyede("UygulananYazma/1/real_time");
    const double sekiz = saniyede("UygulananYazma/8/real_time");
    const double ping = saniyede("PingPong/real_time");
    // The rates of the benchmarks that ran, on one line.
    const char* once = "\n";
    for (const auto& [hiz, ne, birim] : {std::tuple{bir, "1 istemci", "yazma/s"},
                                         {sekiz, "8 istemci", "yazma/s"},
                                         {ping, "ping-pong", "tur/s"}}) {
      if (hiz <= 0) continue;
      rapor.yaz("%s%s: %.0f %s", once, ne, hiz, birim);
      once = ", ";
    }
    rapor.yaz("\n");
    if (bir > 0 && sekiz > 0) rapor.yaz("8 istemcinin 1 istemciye orani: %.3f\n", sekiz / bir);
    if (bir > 0 && ping > 0) rapor.yaz("1 istemcinin ping-pong'a orani: %.3f\n", bir / ping);
  });
}
