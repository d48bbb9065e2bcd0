// Chunked file transfer: the king cuts a file into pieces, each travelling as
// one chunk frame with the transfer number, its index, the piece count and
// the checksum of the whole content; the client collects them in any order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vadu::istakip {

// Header before the data: tag, transfer, index, count, checksum, length.
inline constexpr size_t PARCA_BASLIGI = 30;

struct Parca {
  uint64_t aktarimNo = 0;  // 0 is never valid on the wire
  uint32_t sira = 0;
  uint32_t adet = 0;
  uint64_t ozet = 0;
  std::string veri;
};

// The reassembly of one transfer; assign a fresh one to start over.
// The count comes from the sender, so nothing is sized by it: pieces are kept
// by index as they arrive, and memory follows what was actually received.
struct ParcaBirlestirme {
  uint64_t aktarimNo = 0;
  uint32_t adet = 0;  // 0: fresh
  uint32_t gelen = 0;
  uint64_t ozet = 0;
  std::map<uint32_t, std::string> parcalar;  // received pieces by index
  std::string birlesik;

  const std::string& icerik() const { return birlesik; }
};

uint64_t icerikOzeti(const std::string& icerik);

std::string parcaKodla(const Parca& p);
// False for a cut header or data, transfer 0, count 0 or an index not below
// the count. The tag is not looked at, nor are bytes after the data.
bool parcaCoz(const std::string& govde, Parca& p);

// Pieces of at most `parcaBoyu` bytes in index order; a size of 0, or one
// above the content, gives one piece; empty content gives one empty piece.
std::vector<Parca> parcala(uint64_t aktarimNo, const std::string& icerik, uint64_t parcaBoyu);

// 0: not complete yet, or the piece refused (other transfer or count, index
// out of range, already received). 1: complete and the checksum matches.
// 2: complete but the checksum differs.
int parcaEkle(ParcaBirlestirme& d, const Parca& p);

}  // namespace vadu::istakip
