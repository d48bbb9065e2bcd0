// A client's end of job tracking on a transport: keeps an IsIstemci replica in
// step with the king (synchronisation, notices, results), sends its pending
// writes, answers pairing challenges and fetches one file at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "istakip/istemci.h"
#include "istakip/kanit.h"
#include "istakip/parca.h"
#include "istakip/tasima.h"
#include "orkestra/cerceve.h"

namespace vadu::istakip {

class IsIstemciKanal {
 public:
  // Registers with `tasima`; every frame goes to `kral`. The channel must
  // outlive every delivery.
  IsIstemciKanal(IsIstemci& istemci, TasimaArayuz& tasima, NodeAdres kral);

  // Connected: the last batch of a synchronisation has arrived and no send
  // has failed since.
  bool bagli() const { return bagliDurum_; }
  void baglantiKoptu() { bagliDurum_ = false; }
  void senkronIste();
  // The write's sequence number; 0 when none is left and nothing was queued.
  uint64_t yaz(const Kayit& k, uint64_t beklenenSurum);
  // Sends the whole pending queue again; the centre drops the repeats.
  void bekleyenleriGonder();
  // Opens a file request, abandoning any open one.
  bool dosyaIste(const std::string& yol);
  void cerceveGeldi(const NodeAdres& adres, const SurecCerceve& c);

  // Set by the owner; empty hooks drop their reports.
  std::function<void(uint64_t, const std::string&)> sonucBildir;
  AnahtarBul anahtarBul;
  std::function<void(bool, const std::string&, const std::string&)> dosyaGeldi;

 private:
  bool gonder(SurecMesajTip tip, uint64_t korelasyon, std::string govde);
  void sonucGeldi(const SurecCerceve& c);
  void parcaGeldi(const SurecCerceve& c);
  void kimlikSorGeldi(const SurecCerceve& c);
  void dosyaBitti(bool basarili, std::string icerik);

  IsIstemci* istemci_;
  TasimaArayuz* tasima_;
  NodeAdres kral_;
  bool bagliDurum_ = false;
  uint64_t sonIstekNo_ = 0;
  uint64_t bekleyenIstek_ = 0;  // 0: no request open
  std::string istenenYol_;
  ParcaBirlestirme birlestirme_;
};

}  // namespace vadu::istakip
