// The process-bridge frame: one message between processes or machines, its
// binary frame and the legacy text form that the reader still accepts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "orkestra/kodlama.h"

namespace vadu {

// The kind of a message. A frame carries any 16-bit value; unnamed kinds are
// written as casts of their numbers.
enum class SurecMesajTip : uint16_t {
  Komut = 1,
  Parametre = 2,
  Sonuc = 8,
  DosyaParca = 16,
  EslesmeIste = 17,
  SenkronIste = 19,
  SenkronCevap = 20,
  YazmaBildir = 21,
  YazmaIste = 22,
  DosyaIste = 23,
  KimlikSor = 24,
  KimlikKanit = 25,
};

struct SurecCerceve {
  SurecMesajTip tip = SurecMesajTip::Komut;
  uint32_t kaynakPid = 0;
  uint32_t hedefPid = 0;
  uint64_t korelasyon = 0;
  std::string govde;  // bytes; may hold zeros

  // Field by field.
  bool operator==(const SurecCerceve&) const = default;
};

namespace surecproto {

// "VDPC" read as a little-endian u32.
inline constexpr uint32_t CERCEVE_SIHRI = 0x43504456;
// Magic, version, kind, two process numbers, correlation, body length.
inline constexpr size_t CERCEVE_BASLIGI = 28;
// Offset of the body length within the header.
inline constexpr size_t GOVDE_UZUNLUGU_YERI = 24;

std::string cerceveSerialize(const SurecCerceve& cerceve);

// Reads a binary frame when `data` begins with the magic, otherwise the legacy
// text form. False only for a magic-led buffer shorter than the header; `out`
// is written only on success. A body shorter than its length field is taken
// as far as it goes; bytes after the frame are ignored.
bool cerceveDeserialize(const char* data, size_t len, SurecCerceve& out);

// The binary half of cerceveDeserialize, for a caller that has already seen
// the magic and at least the whole header: it cannot fail. Inline because the
// stream decoder runs it once per frame, where a call and the second look at
// the magic cost as much as reading a short frame.
inline void ikiliCerceveOku(const char* data, size_t len, SurecCerceve& out) {
  const uint8_t* p = baytlar(data);
  out.tip = static_cast<SurecMesajTip>(leOkuU16(p + 6));
  out.kaynakPid = leOkuU32(p + 8);
  out.hedefPid = leOkuU32(p + 12);
  out.korelasyon = leOkuU64(p + 16);
  const size_t L = leOkuU32(p + GOVDE_UZUNLUGU_YERI);
  const size_t var = len - CERCEVE_BASLIGI;
  out.govde.assign(data + CERCEVE_BASLIGI, L < var ? L : var);
}

}  // namespace surecproto
}  // namespace vadu
