#include "orkestra/cerceve.h"

#include <cstring>

#include "orkestra/kodlama.h"

namespace vadu::surecproto {

std::string cerceveSerialize(const SurecCerceve& c) {
  std::string out;
  out.reserve(CERCEVE_BASLIGI + c.govde.size());
  leYazU32(out, CERCEVE_SIHRI);
  leYazU16(out, 1);  // format version
  leYazU16(out, static_cast<uint16_t>(c.tip));
  leYazU32(out, c.kaynakPid);
  leYazU32(out, c.hedefPid);
  leYazU64(out, c.korelasyon);
  leYazU32(out, static_cast<uint32_t>(c.govde.size()));
  out += c.govde;
  return out;
}

bool cerceveDeserialize(const char* data, size_t len, SurecCerceve& out) {
  const uint8_t* p = baytlar(data);
  if (len >= 4 && leOkuU32(p) == CERCEVE_SIHRI) {
    if (len < CERCEVE_BASLIGI) return false;
    ikiliCerceveOku(data, len, out);
    return true;
  }
  // Legacy text form: an ignored command word, a tab, then the body.
  out.tip = SurecMesajTip::Komut;
  out.kaynakPid = 0;
  out.hedefPid = 0;
  out.korelasyon = 0;
  const void* sekme = len != 0 ? std::memchr(data, '\t', len) : nullptr;
  if (sekme != nullptr) {
    const char* govde = static_cast<const char*>(sekme) + 1;
    out.govde.assign(govde, static_cast<size_t>(data + len - govde));
  } else if (len != 0) {
    out.govde.assign(data, len);
  } else {
    out.govde.clear();
  }
  return true;
}

}  // namespace vadu::surecproto
