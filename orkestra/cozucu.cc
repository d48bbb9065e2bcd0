#include "orkestra/cozucu.h"

#include <algorithm>

#include "orkestra/kodlama.h"

namespace vadu {

namespace {

using surecproto::CERCEVE_BASLIGI;

enum class Baslik { Eksik, Tamam, Hatali };

// Judges the frame that starts at `bas` once its header is there: its whole
// length goes to `boy`. The limit is tested before any of the body arrives.
Baslik baslikOku(const char* bas, size_t uzunluk, uint64_t maxGovde, size_t& boy) {
  if (uzunluk < CERCEVE_BASLIGI) return Baslik::Eksik;
  const uint8_t* b = baytlar(bas);
  if (leOkuU32(b) != surecproto::CERCEVE_SIHRI) return Baslik::Hatali;
  const uint32_t govde = leOkuU32(b + surecproto::GOVDE_UZUNLUGU_YERI);
  if (govde > maxGovde) return Baslik::Hatali;
  boy = CERCEVE_BASLIGI + govde;
  return Baslik::Tamam;
}

// A waiting body is given room for its whole announced length at once up to
// this size, so that its bytes are copied once; beyond it the room grows with
// the bytes that arrive, so that a header alone never claims the whole limit.
constexpr size_t ILK_YER = 64 * 1024;

// The records reserved ahead for the frames of one piece, at most: as many
// as fill ILK_YER bytes. The estimate extrapolates from the piece's first
// frame, which may be far shorter than the rest (an empty frame ahead of a
// large one would otherwise claim a record for every 28 bytes of the piece,
// twice the piece's size); past the cap `out` grows as frames are appended.
constexpr size_t EN_COK_TAHMIN = ILK_YER / sizeof(SurecCerceve);

// Appends `uzunluk` bytes to a body that will be `boyu` bytes long; its
// capacity never goes past that.
void govdeyeEkle(std::string& govde, const char* bas, size_t uzunluk, size_t boyu) {
  if (uzunluk == 0) return;
  const size_t gereken = govde.size() + uzunluk;
  if (govde.capacity() < gereken) {
    govde.reserve(std::min(boyu, std::max({gereken, 2 * govde.capacity(), ILK_YER})));
  }
  govde.append(bas, uzunluk);
}

}  // namespace

std::string CerceveCozucu::tampon() const { return tampon_ + bekleyen_.govde; }

// The pieces that hold whole frames are decoded where they lie. Of the frame
// that spans pieces only the header is buffered; its body bytes go straight
// into the record that will be handed out, so each body byte is copied once.
// The buffer's contents (tampon()) after each call are those of appending
// every piece and erasing the consumed frames once.
bool CerceveCozucu::besle(const char* data, size_t len, std::vector<SurecCerceve>& out) {
  if (bozuk_) return false;
  size_t eklenen = 0;  // bytes of the piece already in the buffer or the waiting body
  size_t boy = 0;
  // Where the frame begun by an earlier piece went when this piece completed it.
  constexpr size_t YOK = static_cast<size_t>(-1);
  size_t tamamlanan = YOK;
  // From a fault on, the buffer keeps everything fed, frames decoded in this
  // call included: the buffered header, the body that followed it and the
  // rest of the piece.
  const auto boz = [&] {
    std::string& govde = tamamlanan == YOK ? bekleyen_.govde : out[tamamlanan].govde;
    tampon_.append(govde);
    tampon_.append(data + eklenen, len - eklenen);
    bekleyen_.govde = std::string();
    bozuk_ = true;
    return false;
  };
  if (!tampon_.empty()) {
    // Finish the frame that an earlier piece began: its header first, then
    // exactly the rest of its body.
    const bool baslikYarim = tampon_.size() < CERCEVE_BASLIGI;
    if (baslikYarim) {
      eklenen = std::min(CERCEVE_BASLIGI - tampon_.size(), len);
      tampon_.append(data, eklenen);
    }
    const Baslik b = baslikOku(tampon_.data(), tampon_.size(), maxGovde_, boy);
    if (b == Baslik::Eksik) return true;
    if (b == Baslik::Hatali) return boz();
    // The header this piece completed: its fields go to the waiting record.
    if (baslikYarim) surecproto::ikiliCerceveOku(tampon_.data(), CERCEVE_BASLIGI, bekleyen_);
    const size_t L = boy - CERCEVE_BASLIGI;
    const size_t eksik = L - bekleyen_.govde.size();
    const size_t gelen = std::min(eksik, len - eklenen);
    govdeyeEkle(bekleyen_.govde, data + eklenen, gelen, L);
    eklenen += gelen;
    if (gelen < eksik) return true;
    tamamlanan = out.size();
  }

  const char* kuyruk = data + eklenen;
  const char* const son = data + len;
  const auto kalan = [&] { return static_cast<size_t>(son - kuyruk); };
  // Room for as many frames as the rest would hold if all were as long as
  // the first of them, so that `out` grows once for a piece of like frames
  // without a second walk over the headers; never more than EN_COK_TAHMIN.
  size_t tahmin = tamamlanan != YOK ? 1 : 0;
  if (baslikOku(kuyruk, kalan(), maxGovde_, boy) == Baslik::Tamam) {
    tahmin += std::min(kalan() / boy, EN_COK_TAHMIN);
  }
  if (out.capacity() - out.size() < tahmin)
    out.reserve(std::max(out.size() + tahmin, 2 * out.capacity()));
  if (tamamlanan != YOK) {
    out.push_back(std::move(bekleyen_));
    bekleyen_.govde.clear();
  }

  // Every frame read below has had its magic and whole header checked, so
  // the reader's one failure cannot happen.
  Baslik b;
  while ((b = baslikOku(kuyruk, kalan(), maxGovde_, boy)) == Baslik::Tamam && boy <= kalan()) {
    surecproto::ikiliCerceveOku(kuyruk, boy, out.emplace_back());
    kuyruk += boy;
  }
  if (b == Baslik::Hatali) return boz();
  if (b == Baslik::Eksik) {
    tampon_.assign(kuyruk, kalan());
    return true;
  }
  // A whole header and part of its body: the header waits in the buffer,
  // its fields and the body in the record to come.
  tampon_.assign(kuyruk, CERCEVE_BASLIGI);
  surecproto::ikiliCerceveOku(kuyruk, CERCEVE_BASLIGI, bekleyen_);
  govdeyeEkle(bekleyen_.govde, kuyruk + CERCEVE_BASLIGI, kalan() - CERCEVE_BASLIGI,
              boy - CERCEVE_BASLIGI);
  return true;
}

}  // namespace vadu
