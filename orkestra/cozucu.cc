#include "orkestra/cozucu.h"

#include <algorithm>

#include "orkestra/kodlama.h"

namespace vadu {

namespace {

using surecproto::CERCEVE_BASLIGI;

enum class Baslik { Eksik, Tamam, Hatali };

// Judges the frame that starts at `p` once its header is there: its whole
// length goes to `boy`. The limit is tested before any of the body arrives.
Baslik baslikOku(const char* p, size_t n, uint64_t maxGovde, size_t& boy) {
  if (n < CERCEVE_BASLIGI) return Baslik::Eksik;
  const uint8_t* b = baytlar(p);
  if (leOkuU32(b) != surecproto::CERCEVE_SIHRI) return Baslik::Hatali;
  const uint32_t govde = leOkuU32(b + surecproto::GOVDE_UZUNLUGU_YERI);
  if (govde > maxGovde) return Baslik::Hatali;
  boy = CERCEVE_BASLIGI + govde;
  return Baslik::Tamam;
}

// Decodes one whole frame straight into a new element of `out`.
bool ekle(const char* p, size_t boy, std::vector<SurecCerceve>& out) {
  out.emplace_back();
  if (surecproto::cerceveDeserialize(p, boy, out.back())) return true;
  out.pop_back();
  return false;
}

}  // namespace

// The pieces that hold whole frames are decoded where they lie; only the
// frame that spans pieces passes through the buffer, and its body is built
// once, from the buffered part and the rest of the piece. The buffer's
// contents after each call are those of appending every piece and erasing
// the consumed frames once.
bool CerceveCozucu::besle(const char* data, size_t len, std::vector<SurecCerceve>& out) {
  if (bozuk_) return false;
  size_t eklenen = 0;  // bytes of the piece already appended to the buffer
  size_t yer = 0;      // bytes of the piece already consumed
  size_t boy = 0;
  // From a fault on, the buffer keeps everything fed, frames decoded in this
  // call included.
  const auto boz = [&] {
    tampon_.append(data + eklenen, len - eklenen);
    bozuk_ = true;
    return false;
  };
  if (!tampon_.empty()) {
    // Finish the frame that an earlier piece began: its header first, then
    // exactly the rest of it.
    if (tampon_.size() < CERCEVE_BASLIGI) {
      eklenen = std::min(CERCEVE_BASLIGI - tampon_.size(), len);
      tampon_.append(data, eklenen);
    }
    const Baslik b = baslikOku(tampon_.data(), tampon_.size(), maxGovde_, boy);
    if (b == Baslik::Eksik) return true;
    if (b == Baslik::Hatali) return boz();
    const size_t eksik = boy - std::min(boy, tampon_.size());
    if (eksik > len - eklenen) {
      tampon_.append(data + eklenen, len - eklenen);
      return true;
    }
    SurecCerceve& c = out.emplace_back();
    c.govde.reserve(boy - CERCEVE_BASLIGI);
    if (!surecproto::cerceveDeserialize(tampon_.data(), std::min(boy, tampon_.size()), c)) {
      out.pop_back();
      return boz();
    }
    c.govde.append(data + eklenen, eksik);
    yer = eklenen + eksik;
  }

  const char* p = data + yer;
  const size_t kalan = len - yer;
  // Count the whole frames first so that `out` grows once.
  size_t sayi = 0;
  size_t ileri = 0;
  while (baslikOku(p + ileri, kalan - ileri, maxGovde_, boy) == Baslik::Tamam && boy <= kalan - ileri) {
    ++sayi;
    ileri += boy;
  }
  if (out.capacity() - out.size() < sayi) out.reserve(std::max(out.size() + sayi, 2 * out.capacity()));

  ileri = 0;
  for (size_t i = 0; i < sayi; ++i) {
    boy = CERCEVE_BASLIGI + leOkuU32(baytlar(p + ileri + surecproto::GOVDE_UZUNLUGU_YERI));
    if (!ekle(p + ileri, boy, out)) return boz();
    ileri += boy;
  }
  if (baslikOku(p + ileri, kalan - ileri, maxGovde_, boy) == Baslik::Hatali) return boz();
  tampon_.assign(p + ileri, kalan - ileri);
  return true;
}

}  // namespace vadu
