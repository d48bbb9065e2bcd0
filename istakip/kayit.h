// A job record: the unit that the centre and its clients keep in step.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vadu::istakip {

struct Kayit {
  uint64_t id = 0;     // 0 until the centre stores the record
  std::string tur;     // the record's kind, free text
  uint64_t surum = 0;  // the centre's version of the write that made this state
  bool silindi = false;
  std::vector<std::pair<std::string, std::string>> alanlar;  // in order of adding

  // The value of the first field named `ad`, or null. The pointer lives as
  // long as the record and that value.
  const char* alan(const std::string& ad) const;

  // Sets the first field named `ad`, or appends the pair when there is none.
  void alanYaz(const std::string& ad, const std::string& deger);

  bool operator==(const Kayit&) const = default;
};

}  // namespace vadu::istakip
