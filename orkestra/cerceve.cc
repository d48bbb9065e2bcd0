#include "orkestra/cerceve.h"

#include <cstring>

#include "orkestra/kodlama.h"

namespace vadu::surecproto {

std::string cerceveSerialize(const SurecCerceve& cerceve) {
  std::string out;
  out.reserve(CERCEVE_BASLIGI + cerceve.govde.size());
  leYazU32(out, CERCEVE_SIHRI);
  leYazU16(out, 1);  // format version
  leYazU16(out, static_cast<uint16_t>(cerceve.tip));
  leYazU32(out, cerceve.kaynakPid);
  leYazU32(out, cerceve.hedefPid);
  leYazU64(out, cerceve.korelasyon);
  leYazU32(out, static_cast<uint32_t>(cerceve.govde.size()));
  out += cerceve.govde;
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
