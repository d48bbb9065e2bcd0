// IsKralKanal::cerceveGeldi over frames of any kind and body from any
// connection, with drops and pairing proofs between them. Every frame the
// king sends is checked as it leaves: a result carries one of the seven
// words, with the flag and the correlation that its request calls for;
// replies go to the sender, notices only to live connections; challenges,
// pieces and "eslesme" or "kimlik" only when pairing or file hooks are on;
// stored records have an identifier and a version the centre has given.
//
// Byte 0 sets the hooks (bit 0 pairing required, 1 key lookup, 2 nonces,
// 3 file hooks, 4 write authorisation, 5 sends to odd connections fail,
// 6 synchronisation bodies limited to a few records' bytes),
// byte 1 the batch size, byte 2 the piece size. Then steps, each a
// connection number and an operation: 0xFF drops the connection, 0xFE sends
// a proof for the given client number (u64) over the connection's last
// challenge, any other value is a frame of that kind with a process number
// (u8), a correlation (u64), a body length (u16) and the body.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bulanik/bulanik.h"
#include "bulanik/kanal.h"
#include "istakip/depo.h"
#include "istakip/kanit.h"
#include "istakip/kral_kanal.h"
#include "istakip/merkez.h"
#include "istakip/mesaj.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"
#include "platform/platform.h"

using namespace vadu;
using namespace vadu::istakip;
using namespace vadu::bulanik;

namespace {

constexpr uint64_t KRAL_NO = 0x6B72616C;
constexpr uint8_t KOPAR = 0xFF;
constexpr uint8_t KANITLA = 0xFE;

// Refuses records of the kind "dolu" and the sequence numbers of client 13,
// so that the store-failure paths are reached.
class SecicDepo : public DepoBellek {
 public:
  bool kaydet(const Kayit& k) override { return k.tur != "dolu" && DepoBellek::kaydet(k); }
  bool yazarSiraKaydet(uint64_t no, uint64_t sira) override {
    return no != 13 && DepoBellek::yazarSiraKaydet(no, sira);
  }
};

// The random source of a run: a counter, started again for every input.
uint8_t rastgeleSayac = 0;
bool sayacRastgele(uint8_t* p, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) p[i] = ++rastgeleSayac;
  return true;
}

struct Kosu {
  bool eslesme = false;
  bool dosyaKancalari = false;
  uint64_t senkronParca = 1;
  uint64_t parcaBoyu = 0;
  IsMerkez* merkez = nullptr;

  NodeAdres adres;                           // sender of the frame being handled
  std::vector<SurecCerceve> baglam;          // that frame, then the frame a proof releases
  std::map<uint64_t, SurecCerceve> tutulan;  // per connection, the frame its last challenge holds
  std::map<uint64_t, Nonce> nonce;           // per connection, its last challenge
  // Connections with a challenge that no proof has been seen to spend; a
  // proof may have effects only where one is open.
  std::set<uint64_t> soruAcik;
  uint64_t sorular = 0;         // challenges sent
  uint64_t yanlisKanitlar = 0;  // proofs answered "kimlik"
  uint64_t senkronBaytSiniri = 0;
  std::set<uint64_t> canli;  // connections heard from and not dropped since

  const SurecCerceve& gelen() const { return baglam.front(); }

  // A write request in hand whose sequence number (and writer) these are.
  bool yazmaVar(uint64_t sira, const uint64_t* yazar) const {
    for (const SurecCerceve& f : baglam) {
      uint64_t no = 0, s = 0, beklenen = 0;
      Kayit k;
      if (f.tip == SurecMesajTip::YazmaIste && yazmaIstegiCoz(f.govde, no, s, beklenen, k) &&
          s == sira && (yazar == nullptr || *yazar == no)) {
        return true;
      }
    }
    return false;
  }

  // A frame in hand that meets the pairing gate and carries this correlation.
  const SurecCerceve* gecitli(uint64_t korelasyon, bool yalnizSenkron) const {
    for (const SurecCerceve& f : baglam) {
      const bool senkron = f.tip == SurecMesajTip::SenkronIste;
      const bool yazma = f.tip == SurecMesajTip::YazmaIste;
      if ((senkron || (yazma && !yalnizSenkron)) && f.korelasyon == korelasyon) return &f;
    }
    return nullptr;
  }

  void kaydiDenetle(const Kayit& k) const {
    BULANIK_SART(k.id != 0);
    BULANIK_SART(k.surum != 0 && k.surum <= merkez->sonSurum());
  }

  // Checks a result and returns its word.
  std::string sonucDenetle(const NodeAdres& hedef, const SurecCerceve& c) const {
    BULANIK_SART(hedef == adres);
    bool basarili = false;
    std::string kelime;
    BULANIK_SART(sonucCoz(c.govde, basarili, kelime));
    BULANIK_SART(bulanik::sonucKelimesi(kelime));
    BULANIK_SART(c.govde == sonucKodla(basarili, kelime));
    BULANIK_SART(basarili == (kelime == "tekrar"));
    if (kelime == "eslesme") {
      BULANIK_SART(eslesme && gecitli(c.korelasyon, false) != nullptr);
    } else if (kelime == "kimlik") {
      BULANIK_SART(eslesme);
      BULANIK_SART(
          (gelen().tip == SurecMesajTip::DosyaIste && c.korelasyon == gelen().korelasyon) ||
          (gelen().tip == SurecMesajTip::KimlikKanit && c.korelasyon == 0));
    } else if (kelime == "dosya") {
      BULANIK_SART(gelen().tip == SurecMesajTip::DosyaIste && c.korelasyon == gelen().korelasyon);
    } else {
      BULANIK_SART(yazmaVar(c.korelasyon, nullptr));
    }
    return kelime;
  }

  void denetle(const NodeAdres& hedef, const SurecCerceve& c) {
    BULANIK_SART(c.kaynakPid == 0 && c.hedefPid == 0 && hedef.ekNo == 0);
    if (gelen().tip == SurecMesajTip::KimlikKanit) {
      BULANIK_SART(soruAcik.count(adres.baglantiNo) != 0);
    }
    switch (c.tip) {
      case SurecMesajTip::Sonuc:
        // The frame a proof releases is never answered "kimlik".
        if (sonucDenetle(hedef, c) == "kimlik" && gelen().tip == SurecMesajTip::KimlikKanit) {
          ++yanlisKanitlar;
        }
        break;
      case SurecMesajTip::SenkronCevap: {
        BULANIK_SART(hedef == adres);
        BULANIK_SART(gecitli(c.korelasyon, true) != nullptr);
        std::vector<Kayit> kayitlar;
        uint64_t yeniSurum = 0, islenenSira = 0;
        bool devamVar = false;
        BULANIK_SART(senkronCevabiCoz(c.govde, kayitlar, yeniSurum, islenenSira, devamVar));
        BULANIK_SART(c.govde == senkronCevabiKodla(kayitlar, yeniSurum, islenenSira, devamVar));
        BULANIK_SART(kayitlar.size() <= senkronParca);
        BULANIK_SART(kayitlar.size() <= 1 || c.govde.size() <= senkronBaytSiniri);
        BULANIK_SART(yeniSurum <= merkez->sonSurum());
        for (const Kayit& k : kayitlar) kaydiDenetle(k);
        break;
      }
      case SurecMesajTip::YazmaBildir: {
        BULANIK_SART(canli.count(hedef.baglantiNo) != 0);
        Kayit k;
        uint64_t yazarNo = 0, yazarSira = 0;
        BULANIK_SART(yazmaBildirimiCoz(c.govde, k, yazarNo, yazarSira));
        BULANIK_SART(c.korelasyon == yazarSira && yazmaVar(yazarSira, &yazarNo));
        kaydiDenetle(k);
        BULANIK_SART(k.surum == merkez->sonSurum());
        break;
      }
      case SurecMesajTip::KimlikSor: {
        BULANIK_SART(eslesme && hedef == adres);
        BULANIK_SART(c.govde.size() == KIMLIK_SOR_BOYU);
        BaytOkuyucu o(c.govde);
        uint64_t kralNo = 0;
        Nonce n{};
        BULANIK_SART(o.u64(kralNo) && o.ham(n));
        BULANIK_SART(kralNo == KRAL_NO);
        const SurecCerceve* tutulacak = gecitli(c.korelasyon, false);
        BULANIK_SART(tutulacak != nullptr);
        tutulan[hedef.baglantiNo] = *tutulacak;
        soruAcik.insert(hedef.baglantiNo);
        ++sorular;
        nonce[hedef.baglantiNo] = n;
        break;
      }
      case SurecMesajTip::DosyaParca: {
        BULANIK_SART(dosyaKancalari && hedef == adres);
        BULANIK_SART(gelen().tip == SurecMesajTip::DosyaIste && c.korelasyon == gelen().korelasyon);
        Parca p;
        BULANIK_SART(parcaCoz(c.govde, p));
        BULANIK_SART(parcaBoyu == 0 || p.veri.size() <= parcaBoyu);
        break;
      }
      default: BULANIK_SART(!"the king sends no frame of this kind");
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  Girdi g(veri, boy);
  const uint8_t ayar = g.u8();
  Kosu kosu;
  kosu.eslesme = (ayar & 1) != 0;
  kosu.dosyaKancalari = (ayar & 8) != 0;
  const uint8_t parti = g.u8();
  kosu.senkronParca = parti != 0 ? parti : 1;
  kosu.parcaBoyu = g.u8();

  SecicDepo depo;
  IsMerkez merkez(depo);
  kosu.merkez = &merkez;
  DenetciTasima tasima;
  IsKralKanal kanal(merkez, tasima, parti);
  tasima.denetle = [&kosu](const NodeAdres& h, const SurecCerceve& c) { kosu.denetle(h, c); };
  if ((ayar & 32) != 0) tasima.reddet = [](const NodeAdres& h) { return h.baglantiNo % 2 == 1; };

  kanal.kralNo = KRAL_NO;
  kanal.eslesmeZorunlu = kosu.eslesme;
  kanal.parcaBoyu = kosu.parcaBoyu;
  if ((ayar & 64) != 0) kanal.senkronBaytSiniri = 200;
  kosu.senkronBaytSiniri = kanal.senkronBaytSiniri;
  // Challenges drawn without a nonce hook come from the system's random
  // bytes; here they come from a counter, so that a run can be repeated.
  rastgeleSayac = 0;
  const platform::RastgeleKancalari kancalar{sayacRastgele, nullptr, nullptr};
  platform::rastgeleKancalariAyarla(&kancalar);
  if ((ayar & 2) != 0) {
    kanal.anahtarBul = [](uint64_t no) { return anahtariVar(no) ? &ortakAnahtar() : nullptr; };
  }
  uint8_t sayac = 0;
  if ((ayar & 4) != 0) {
    kanal.nonceUret = [&sayac](uint8_t* p, size_t n) {
      for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(++sayac * 37);
    };
  }
  if (kosu.dosyaKancalari) {
    kanal.dosyaIzni = [](const std::string& yol) { return yol.empty() || yol[0] != '!'; };
    kanal.dosyaOku = [](const std::string& yol, std::string& icerik) {
      if (!yol.empty() && yol[0] == '?') return false;
      icerik.assign(yol.size() * 37 % 2048, static_cast<char>('a' + yol.size() % 26));
      return true;
    };
  }
  if ((ayar & 16) != 0) {
    kanal.yazmaIzni = [](const NodeAdres&, uint64_t, const Kayit& k) { return k.tur != "yasak"; };
  }

  uint64_t yazmaIstekleri = 0;
  while (!g.bitti()) {
    const NodeAdres adres{g.u8(), 0};
    const uint8_t islem = g.u8();
    if (islem == KOPAR) {
      kanal.baglantiKoptu(adres);
      kosu.canli.erase(adres.baglantiNo);
      kosu.tutulan.erase(adres.baglantiNo);
      kosu.nonce.erase(adres.baglantiNo);
      kosu.soruAcik.erase(adres.baglantiNo);
      continue;
    }
    SurecCerceve c;
    if (islem == KANITLA) {
      const uint64_t no = g.u64();
      c.tip = SurecMesajTip::KimlikKanit;
      leYazU64(c.govde, no);
      const Kanit k = kanitHesapla(ortakAnahtar(), kosu.nonce[adres.baglantiNo], no);
      c.govde.append(reinterpret_cast<const char*>(k.data()), k.size());
    } else {
      c.tip = static_cast<SurecMesajTip>(islem);
      c.kaynakPid = g.u8();
      c.korelasyon = g.u64();
      c.govde = g.metin(g.u16());
    }
    if (c.tip == SurecMesajTip::YazmaIste) ++yazmaIstekleri;

    kosu.adres = adres;
    kosu.canli.insert(adres.baglantiNo);
    kosu.baglam.assign(1, c);
    const auto tutulan = kosu.tutulan.find(adres.baglantiNo);
    if (c.tip == SurecMesajTip::KimlikKanit && tutulan != kosu.tutulan.end()) {
      kosu.baglam.push_back(tutulan->second);
    }
    const uint64_t oncekiGonderim = tasima.gonderimSayisi;
    const uint64_t oncekiSoru = kosu.sorular;
    const uint64_t oncekiYanlis = kosu.yanlisKanitlar;
    tasima.teslimEt(adres, c);
    // A proof answered "kimlik" leaves its challenge open. One that released
    // its frame verified and spent the challenge, unless the released frame
    // drew a new one. One that verified silently may leave the model
    // thinking a challenge is open; that only makes it allow more.
    if (c.tip == SurecMesajTip::KimlikKanit && tasima.gonderimSayisi != oncekiGonderim &&
        kosu.sorular == oncekiSoru && kosu.yanlisKanitlar == oncekiYanlis) {
      kosu.soruAcik.erase(adres.baglantiNo);
    }

    // State follows the connections and requests that were seen.
    BULANIK_SART(kanal.bagliIstemciler().size() <= kosu.canli.size());
    BULANIK_SART(kanal.uygulananYazma() + kanal.cakismalar() + kanal.reddedilenYazmalar() <=
                 yazmaIstekleri);
    BULANIK_SART(depo.degisenler(0).size() <= kanal.uygulananYazma() + yazmaIstekleri);
  }
  platform::rastgeleKancalariAyarla(nullptr);
  return 0;
}
