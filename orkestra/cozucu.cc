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
  size_t yarim = 0;  // whole length of the buffered frame that this piece completes
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
    yarim = boy;
    yer = eklenen + eksik;
  }

  const char* p = data + yer;
  const size_t kalan = len - yer;
  // Room for as many frames as the rest would hold if all were as long as
  // the first of them, so that `out` grows once for a piece of like frames
  // without a second walk over the headers.
  size_t tahmin = yarim != 0 ? 1 : 0;
  if (baslikOku(p, kalan, maxGovde_, boy) == Baslik::Tamam) tahmin += kalan / boy;
  if (out.capacity() - out.size() < tahmin) out.reserve(std::max(out.size() + tahmin, 2 * out.capacity()));

  // Every frame read below has had its magic and whole header checked, so
  // the reader's one failure cannot happen.
  if (yarim != 0) {
    SurecCerceve& c = out.emplace_back();
    c.govde.reserve(yarim - CERCEVE_BASLIGI);
    const size_t tamponda = std::min(yarim, tampon_.size());
    surecproto::ikiliCerceveOku(tampon_.data(), tamponda, c);
    c.govde.append(data + eklenen, yarim - tamponda);
  }

  size_t ileri = 0;
  Baslik b;
  while ((b = baslikOku(p + ileri, kalan - ileri, maxGovde_, boy)) == Baslik::Tamam && boy <= kalan - ileri) {
    surecproto::ikiliCerceveOku(p + ileri, boy, out.emplace_back());
    ileri += boy;
  }
  if (b == Baslik::Hatali) return boz();
  tampon_.assign(p + ileri, kalan - ileri);
  return true;
}

}  // namespace vadu
