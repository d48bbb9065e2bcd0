#include "orkestra/defter.h"

namespace vadu {

NodeDefter::NodeDefter(uint64_t yanitsizMs, uint64_t cevrimdisiMs)
    : yanitsizMs_(yanitsizMs), cevrimdisiMs_(cevrimdisiMs) {}

void NodeDefter::sureleriAyarla(uint64_t yanitsizMs, uint64_t cevrimdisiMs) {
  yanitsizMs_ = yanitsizMs;
  cevrimdisiMs_ = cevrimdisiMs;
}

NodeKayit& NodeDefter::guncelle(const NodeKayit& ilan, uint64_t simdiMs) {
  if (NodeKayit* k = bulDegisir(ilan.nodeId)) {
    k->ad = ilan.ad;
    if (!ilan.kaliciMetin.empty()) k->kaliciMetin = ilan.kaliciMetin;
    k->surum = ilan.surum;
    k->ekMetin = ilan.ekMetin;
    k->runtimeSayisi = ilan.runtimeSayisi;
    k->dogrulanmis = k->dogrulanmis || ilan.dogrulanmis;  // once verified, stays verified
    k->sonGorulmeMs = simdiMs;
    durumHesapla(*k, simdiMs);
    return *k;
  }
  // The record is appended before it is indexed, so that a failed growth of
  // either container leaves no index entry without its record.
  nodelar_.push_back(ilan);
  indeks_[ilan.nodeId] = nodelar_.size() - 1;
  NodeKayit& yeni = nodelar_.back();
  yeni.ilkGorulmeMs = simdiMs;
  yeni.sonGorulmeMs = simdiMs;
  // Whatever the announcement carries, the first evaluation decides the
  // state; insertion itself is no state change.
  yeni.durum = NodeDurum::Online;
  if (onEklendi) onEklendi(yeni);
  return yeni;
}

void NodeDefter::metrikGuncelle(uint64_t nodeId, const MakineMetrik& metrik, uint64_t simdiMs) {
  NodeKayit* k = bulDegisir(nodeId);
  if (k == nullptr) return;
  k->metrik = metrik;
  k->sonMetrikMs = simdiMs;
  k->sonGorulmeMs = simdiMs;  // metrics are a sign of life
  durumHesapla(*k, simdiMs);
}

void NodeDefter::aktifTaskAyarla(uint64_t nodeId, uint32_t aktifTask) {
  NodeKayit* k = bulDegisir(nodeId);
  if (k == nullptr) return;
  k->aktifTask = aktifTask;
  // Evaluated at the node's own last-seen time: the owner's change says
  // nothing about silence, which is left to the next denetle.
  durumHesapla(*k, k->sonGorulmeMs);
}

void NodeDefter::hataAyarla(uint64_t nodeId, bool hata) {
  NodeKayit* k = bulDegisir(nodeId);
  if (k == nullptr) return;
  k->hata = hata;
  durumHesapla(*k, k->sonGorulmeMs);
}

void NodeDefter::denetle(uint64_t simdiMs) {
  for (NodeKayit& k : nodelar_) durumHesapla(k, simdiMs);
}

bool NodeDefter::sil(uint64_t nodeId) {
  const auto it = indeks_.find(nodeId);
  if (it == indeks_.end()) return false;
  const size_t yer = it->second;
  if (onSilindi) onSilindi(nodelar_[yer]);
  nodelar_.erase(nodelar_.begin() + static_cast<std::ptrdiff_t>(yer));
  indeks_.clear();
  for (size_t i = 0; i < nodelar_.size(); ++i) indeks_[nodelar_[i].nodeId] = i;
  return true;
}

const NodeKayit* NodeDefter::bul(uint64_t nodeId) const {
  const auto it = indeks_.find(nodeId);
  return it != indeks_.end() ? &nodelar_[it->second] : nullptr;
}

NodeKayit* NodeDefter::bulDegisir(uint64_t nodeId) {
  return const_cast<NodeKayit*>(static_cast<const NodeDefter&>(*this).bul(nodeId));
}

void NodeDefter::durumHesapla(NodeKayit& kayit, uint64_t simdiMs) {
  // A clock that stands still or runs back counts as no silence.
  const uint64_t gecen = simdiMs > kayit.sonGorulmeMs ? simdiMs - kayit.sonGorulmeMs : 0;
  NodeDurum yeni;
  if (gecen >= cevrimdisiMs_) {
    yeni = NodeDurum::Cevrimdisi;
  } else if (gecen >= yanitsizMs_) {
    yeni = NodeDurum::Yanitsiz;
  } else if (kayit.hata) {
    yeni = NodeDurum::Hata;
  } else if (kayit.aktifTask > 0) {
    yeni = NodeDurum::Busy;
  } else if (kayit.sonMetrikMs > 0) {
    yeni = NodeDurum::Bosta;
  } else {
    yeni = NodeDurum::Online;
  }
  if (yeni == kayit.durum) return;
  const NodeDurum eski = kayit.durum;
  kayit.durum = yeni;
  if (onDurumDegisti) onDurumDegisti(kayit, eski);
}

}  // namespace vadu
