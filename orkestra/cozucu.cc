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
// frame that spans pieces passes through the buffer. The buffer's contents
// after each call are those of appending every piece and erasing the
// consumed frames once.
bool CerceveCozucu::besle(const char* data, size_t len, std::vector<SurecCerceve>& out) {
  if (bozuk_) return false;
  size_t alinan = 0;  // bytes of the piece already moved into the buffer
  size_t boy = 0;
  if (!tampon_.empty()) {
    // Finish the frame that an earlier piece began: its header first, then
    // exactly the rest of it.
    if (tampon_.size() < CERCEVE_BASLIGI) {
      alinan = std::min(CERCEVE_BASLIGI - tampon_.size(), len);
      tampon_.append(data, alinan);
    }
    const Baslik b = baslikOku(tampon_.data(), tampon_.size(), maxGovde_, boy);
    if (b == Baslik::Eksik) return true;
    if (b == Baslik::Hatali) {
      tampon_.append(data + alinan, len - alinan);
      bozuk_ = true;
      return false;
    }
    const size_t eksik = std::min(boy - std::min(boy, tampon_.size()), len - alinan);
    tampon_.append(data + alinan, eksik);
    alinan += eksik;
    if (tampon_.size() < boy) return true;
    if (!ekle(tampon_.data(), boy, out)) {
      tampon_.append(data + alinan, len - alinan);
      bozuk_ = true;
      return false;
    }
  }

  const char* p = data + alinan;
  const size_t kalan = len - alinan;
  // Count the whole frames first so that `out` grows once.
  size_t sayi = 0;
  size_t yer = 0;
  while (baslikOku(p + yer, kalan - yer, maxGovde_, boy) == Baslik::Tamam && boy <= kalan - yer) {
    ++sayi;
    yer += boy;
  }
  if (out.capacity() - out.size() < sayi) out.reserve(std::max(out.size() + sayi, 2 * out.capacity()));

  yer = 0;
  for (size_t i = 0; i < sayi; ++i) {
    boy = CERCEVE_BASLIGI + leOkuU32(baytlar(p + yer + surecproto::GOVDE_UZUNLUGU_YERI));
    if (!ekle(p + yer, boy, out)) {
      tampon_.append(p, kalan);
      bozuk_ = true;
      return false;
    }
    yer += boy;
  }
  if (baslikOku(p + yer, kalan - yer, maxGovde_, boy) == Baslik::Hatali) {
    tampon_.append(p, kalan);
    bozuk_ = true;
    return false;
  }
  tampon_.assign(p + yer, kalan - yer);
  return true;
}

}  // namespace vadu
