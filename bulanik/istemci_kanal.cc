// IsIstemciKanal::cerceveGeldi over frames of any kind and body from any
// address, between the owner's own calls. Every frame the client sends goes
// to the king and is one of its four requests, never a result: the
// synchronisation request with the replica's version, pending writes with
// their own sequence numbers (counted from 1), the file request just opened,
// and a proof only in answer to a challenge for which it has a key. Reports
// reach the hooks only for the frame that causes them, a file outcome at most
// once per request, and the pending queue never outgrows the writes made.
//
// Byte 0 sets the hooks (bit 0 key lookup), byte 1 the client number, byte 2
// the king's connection number. Then steps, each led by an operation: 0xFF
// connection lost, 0xFE synchronise, 0xFD write (id u8, expected version u8,
// kind length u8, kind), 0xFC send the pending writes, 0xFB file request
// (path length u8, path), 0xFA sends fail from now on or no longer; any
// other value is a frame of that kind from a connection (u8) with a
// correlation (u64), a body length (u16) and the body.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bulanik/bulanik.h"
#include "bulanik/kanal.h"
#include "istakip/istemci.h"
#include "istakip/istemci_kanal.h"
#include "istakip/kanit.h"
#include "istakip/mesaj.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"

using namespace vadu;
using namespace vadu::istakip;
using namespace vadu::bulanik;

namespace {

enum Islem : uint8_t {
  KOPTU = 0xFF,
  SENKRON = 0xFE,
  YAZ = 0xFD,
  GONDER = 0xFC,
  DOSYA = 0xFB,
  ARIZA = 0xFA,
};

struct Kosu {
  bool anahtarlar = false;
  NodeAdres kral;
  IsIstemci* istemci = nullptr;

  uint8_t islem = 0;                    // the step being taken
  const SurecCerceve* gelen = nullptr;  // the frame being handled, if any
  std::string istenenYol;               // path of the last file request sent
  uint64_t sonIstek = 0;                // its correlation
  bool dosyaAcik = false;               // a file request is open
  size_t parcaBaytlari = 0;             // piece bytes delivered since it was opened

  bool gelenTip(SurecMesajTip t) const { return gelen != nullptr && gelen->tip == t; }

  void denetle(const NodeAdres& hedef, const SurecCerceve& c) {
    BULANIK_SART(hedef == kral && c.kaynakPid == 0 && c.hedefPid == 0);
    const uint64_t no = istemci->istemciNo();
    switch (c.tip) {
      case SurecMesajTip::SenkronIste:
        BULANIK_SART(islem == SENKRON && c.korelasyon == 0);
        BULANIK_SART(c.govde == senkronIstegiKodla(istemci->sonSurum(), no));
        break;
      case SurecMesajTip::YazmaIste: {
        uint64_t yazar = 0, sira = 0, beklenen = 0;
        Kayit k;
        BULANIK_SART(yazmaIstegiCoz(c.govde, yazar, sira, beklenen, k));
        BULANIK_SART(yazar == no && c.korelasyon == sira);
        BULANIK_SART(sira != 0 && sira <= istemci->sonSira());
        bool bekliyor = false;
        for (const Bekleyen& b : istemci->bekleyenler()) {
          if (b.sira == sira) bekliyor = b.kayit == k && b.beklenenSurum == beklenen;
        }
        BULANIK_SART(bekliyor);
        break;
      }
      case SurecMesajTip::DosyaIste: {
        BULANIK_SART(islem == DOSYA && gelen == nullptr);
        BULANIK_SART(c.korelasyon > sonIstek);
        sonIstek = c.korelasyon;
        BaytOkuyucu o(c.govde);
        std::string yol;
        BULANIK_SART(o.metin(yol) && o.kalan() == 0);
        BULANIK_SART(!yol.empty());
        istenenYol = yol;
        break;
      }
      case SurecMesajTip::KimlikKanit: {
        BULANIK_SART(anahtarlar && gelenTip(SurecMesajTip::KimlikSor) && c.korelasyon == 0);
        BaytOkuyucu sor(gelen->govde);
        uint64_t kralNo = 0;
        Nonce nonce{};
        BULANIK_SART(sor.u64(kralNo) && sor.ham(nonce));
        BULANIK_SART(anahtariVar(kralNo));
        const Kanit kanit = kanitHesapla(ortakAnahtar(), nonce, no);
        std::string beklenen;
        leYazU64(beklenen, no);
        beklenen.append(reinterpret_cast<const char*>(kanit.data()), kanit.size());
        BULANIK_SART(c.govde == beklenen);
        break;
      }
      default: BULANIK_SART(!"the client sends no frame of this kind, results least of all");
    }
  }

  void sonucBildirildi(uint64_t k, const std::string& kelime) const {
    if (gelenTip(SurecMesajTip::KimlikSor)) {
      BULANIK_SART(k == 0 && kelime == "eslesme");
      return;
    }
    BULANIK_SART(gelenTip(SurecMesajTip::Sonuc) && k == gelen->korelasyon);
    bool basarili = false;
    std::string w;
    BULANIK_SART(sonucCoz(gelen->govde, basarili, w) && !basarili && w == kelime && w != "dosya");
  }

  void dosyaGeldi(bool basarili, const std::string& yol, const std::string& icerik) {
    BULANIK_SART(dosyaAcik && yol == istenenYol);
    BULANIK_SART(gelen != nullptr && gelen->korelasyon == sonIstek);
    BULANIK_SART(gelenTip(SurecMesajTip::DosyaParca) || gelenTip(SurecMesajTip::Sonuc));
    BULANIK_SART(basarili || icerik.empty());
    BULANIK_SART(icerik.size() <= parcaBaytlari);
    dosyaAcik = false;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  Girdi g(veri, boy);
  const uint8_t ayar = g.u8();
  IsIstemci istemci(g.u8());
  Kosu kosu;
  kosu.anahtarlar = (ayar & 1) != 0;
  kosu.kral = NodeAdres{g.u8(), 0};
  kosu.istemci = &istemci;

  DenetciTasima tasima;
  IsIstemciKanal kanal(istemci, tasima, kosu.kral);
  bool ariza = false;
  tasima.denetle = [&kosu](const NodeAdres& h, const SurecCerceve& c) { kosu.denetle(h, c); };
  tasima.reddet = [&ariza](const NodeAdres&) { return ariza; };
  if (kosu.anahtarlar) {
    kanal.anahtarBul = [](uint64_t no) { return anahtariVar(no) ? &ortakAnahtar() : nullptr; };
  }
  kanal.sonucBildir = [&kosu](uint64_t k, const std::string& w) { kosu.sonucBildirildi(k, w); };
  kanal.dosyaGeldi = [&kosu](bool b, const std::string& yol, const std::string& icerik) {
    kosu.dosyaGeldi(b, yol, icerik);
  };

  size_t yazmalar = 0;
  while (!g.bitti()) {
    kosu.islem = g.u8();
    kosu.gelen = nullptr;
    switch (kosu.islem) {
      case KOPTU:
        kanal.baglantiKoptu();
        BULANIK_SART(!kanal.bagli());
        break;
      case SENKRON:
        kanal.senkronIste();
        if (ariza) BULANIK_SART(!kanal.bagli());
        break;
      case YAZ: {
        Kayit k;
        k.id = g.u8();
        const uint64_t beklenen = g.u8();
        k.tur = g.metin(g.u8());
        const uint64_t sonSira = istemci.sonSira();
        const size_t bekleyen = istemci.bekleyenler().size();
        const uint64_t sira = kanal.yaz(k, beklenen);
        ++yazmalar;
        // Numbers only rise; once they are used up a write is refused.
        if (sonSira == UINT64_MAX) {
          BULANIK_SART(sira == 0 && istemci.bekleyenler().size() == bekleyen);
        } else {
          BULANIK_SART(sira == sonSira + 1 && istemci.sonSira() == sira);
        }
        break;
      }
      case GONDER: kanal.bekleyenleriGonder(); break;
      case DOSYA: {
        const std::string yol = g.metin(g.u8());
        const bool bagliydi = kanal.bagli();
        const bool acildi = kanal.dosyaIste(yol);
        BULANIK_SART(acildi == (bagliydi && !yol.empty() && !ariza));
        if (acildi) {
          BULANIK_SART(kosu.istenenYol == yol);
          kosu.dosyaAcik = true;
          kosu.parcaBaytlari = 0;
        } else if (bagliydi && !yol.empty()) {
          kosu.dosyaAcik = false;  // the request could not be sent
        }
        break;
      }
      case ARIZA: ariza = !ariza; break;
      default: {
        const NodeAdres adres{g.u8(), 0};
        SurecCerceve c;
        c.tip = static_cast<SurecMesajTip>(kosu.islem);
        c.korelasyon = g.u64();
        c.govde = g.metin(g.u16());
        if (c.tip == SurecMesajTip::DosyaParca && c.korelasyon == kosu.sonIstek) {
          kosu.parcaBaytlari += c.govde.size();
        }
        kosu.gelen = &c;
        tasima.teslimEt(adres, c);
        kosu.gelen = nullptr;
        // A batch that ends a synchronisation connects the channel unless
        // flushing the queue then failed.
        std::vector<Kayit> kayitlar;
        uint64_t yeniSurum = 0, islenenSira = 0;
        bool devamVar = true;
        if (c.tip == SurecMesajTip::SenkronCevap &&
            senkronCevabiCoz(c.govde, kayitlar, yeniSurum, islenenSira, devamVar) && !devamVar) {
          BULANIK_SART(kanal.bagli() == (!ariza || istemci.bekleyenler().empty()));
          BULANIK_SART(istemci.sonSurum() >= yeniSurum);
        }
      }
    }
    BULANIK_SART(istemci.bekleyenler().size() <= yazmalar);
  }
  return 0;
}
