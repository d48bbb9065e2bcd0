// The centre's end of job tracking on a transport: answers synchronisation
// requests in batches, passes writes to the centre and announces the applied
// ones to every subscriber, serves files in pieces, and, when pairing is
// required, holds a connection's frame until it has proved the shared key.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "istakip/kanit.h"
#include "istakip/kayit.h"
#include "istakip/merkez.h"
#include "istakip/tasima.h"
#include "orkestra/cerceve.h"

namespace vadu::istakip {

// The pairing state of one connection.
struct Oturum {
  bool dogrulandi = false;  // some client number has been proved
  Nonce nonce{};            // the last challenge
  // A challenge with `nonce` was sent and no proof has verified against it
  // since. Only then is a proof looked at, so a nonce proves one number once,
  // and a session that never sent a challenge accepts no proof.
  bool soruAcik = false;
  SurecCerceve bekleyen;  // the one frame held until the proof
  bool bekleyenVar = false;
  // The numbers this connection has proved. A proof stands for its own
  // number only: a frame claiming any other number meets the gate afresh.
  std::unordered_set<uint64_t> dogrulananlar;
};

class IsKralKanal {
 public:
  // Registers with `tasima`; the channel must outlive every delivery. A
  // `senkronParca` of 0 is taken as 1.
  IsKralKanal(IsMerkez& merkez, TasimaArayuz& tasima, uint64_t senkronParca);

  void cerceveGeldi(const NodeAdres& adres, const SurecCerceve& c);
  // True: go on with the frame. False: it was refused or is held.
  bool eslesmeKapisi(const NodeAdres& adres, uint64_t istemciNo, const SurecCerceve& c);
  // Forgets the subscription, the binding and the pairing of a connection.
  void baglantiKoptu(const NodeAdres& adres);
  void yazmaYayinla(const Kayit& k, uint64_t yazarNo, uint64_t yazarSira);
  std::vector<uint64_t> bagliIstemciler() const;
  uint64_t uygulananYazma() const { return uygulananYazmaSayisi_; }
  uint64_t cakismalar() const { return cakismaSayisi_; }
  uint64_t reddedilenYazmalar() const { return reddedilenYazma_; }

  // Set by the owner; left empty, pairing, write authorisation and file
  // serving stay off. Without `nonceUret` each challenge's nonce comes from
  // the system's random bytes.
  uint64_t kralNo = 0;
  AnahtarBul anahtarBul;
  std::function<void(uint8_t*, size_t)> nonceUret;
  bool eslesmeZorunlu = false;
  std::function<bool(const NodeAdres&, uint64_t, const Kayit&)> yazmaIzni;
  std::function<bool(const std::string&)> dosyaIzni;
  std::function<bool(const std::string&, std::string&)> dosyaOku;
  uint64_t parcaBoyu = 0x40000;
  // The largest synchronisation body sent: a batch is closed before it would
  // pass this, so that it stays within the body limit the clients decode
  // with. A record too large for it still travels, alone in its batch.
  uint64_t senkronBaytSiniri = 0x400000;

 private:
  void cevapla(const NodeAdres& adres, bool basarili, const char* kelime, uint64_t korelasyon);
  void senkronIsteGeldi(const NodeAdres& adres, const SurecCerceve& c);
  void yazmaIsteGeldi(const NodeAdres& adres, const SurecCerceve& c);
  void dosyaIsteGeldi(const NodeAdres& adres, const SurecCerceve& c);
  void kimlikKanitGeldi(const NodeAdres& adres, const SurecCerceve& c);

  IsMerkez* merkez_;
  TasimaArayuz* tasima_;
  uint64_t senkronParca_;
  std::vector<NodeAdres> aboneler_;
  std::unordered_map<uint64_t, uint64_t> baglantiIstemci_;
  std::unordered_map<uint64_t, Oturum> oturumlar_;
  uint64_t sonAktarimNo_ = 0;
  uint64_t uygulananYazmaSayisi_ = 0;
  uint64_t cakismaSayisi_ = 0;
  uint64_t reddedilenYazma_ = 0;
};

}  // namespace vadu::istakip
