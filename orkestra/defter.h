// The registry of known nodes: inserted or refreshed from announcements,
// told their metrics, task counts and error flags, and given a state derived
// from those and from the time since each was last heard from. Time is never
// read here; the caller passes its clock in milliseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "orkestra/metrik_kaydi.h"
#include "orkestra/node.h"

namespace vadu {

class NodeDefter {
 public:
  // Set by the owner; an empty callback is not called. A callback must not
  // insert or remove nodes of the registry that calls it.
  std::function<void(const NodeKayit&)> onEklendi;                       // after insertion
  std::function<void(const NodeKayit&)> onSilindi;                       // before removal
  std::function<void(const NodeKayit&, NodeDurum eski)> onDurumDegisti;  // after a change

  NodeDefter(uint64_t yanitsizMs, uint64_t cevrimdisiMs);

  // Replaces both silence limits; no node is re-evaluated here.
  void sureleriAyarla(uint64_t yanitsizMs, uint64_t cevrimdisiMs);

  // Inserts a new node as Online, or refreshes a known one from the
  // announcement (its tasks, error flag and metrics are not taken from it).
  // The reference holds until the next insertion or removal.
  NodeKayit& guncelle(const NodeKayit& ilan, uint64_t simdiMs);

  // An id that is not registered is ignored by these three.
  void metrikGuncelle(uint64_t nodeId, const MakineMetrik& metrik, uint64_t simdiMs);
  void aktifTaskAyarla(uint64_t nodeId, uint32_t aktifTask);
  void hataAyarla(uint64_t nodeId, bool hata);

  // Re-evaluates every node, in insertion order.
  void denetle(uint64_t simdiMs);

  bool sil(uint64_t nodeId);

  // Null when the id is not registered; valid until the next insertion or
  // removal.
  const NodeKayit* bul(uint64_t nodeId) const;

  // The state rule: silence first, then the error flag, tasks and metrics.
  void durumHesapla(NodeKayit& kayit, uint64_t simdiMs);

  // The nodes in insertion order.
  const std::vector<NodeKayit>& kayitlar() const { return nodelar_; }

 private:
  NodeKayit* bulDegisir(uint64_t nodeId);

  uint64_t yanitsizMs_;
  uint64_t cevrimdisiMs_;
  std::vector<NodeKayit> nodelar_;
  std::unordered_map<uint64_t, size_t> indeks_;  // nodeId -> position in nodelar_
};

}  // namespace vadu
