#include "makro/onerici.h"

#include <algorithm>

namespace vadu {

namespace {

bool oneriAcik = true;
int oneriAyari = 2;

// The inside of a double-quoted Lua literal that reads back as `metin`. Lua
// does not accept a raw line break inside such a literal, so line feeds and
// carriage returns travel as their escapes.
std::string kacir(const std::string& metin) {
  std::string r;
  r.reserve(metin.size());
  for (char c : metin) {
    if (c == '\n') {
      r += "\\n";
    } else if (c == '\r') {
      r += "\\r";
    } else {
      if (c == '\\' || c == '"') r += '\\';
      r += c;
    }
  }
  return r;
}

// The name stands in a comment that a line break would end, turning the rest
// of the name into code; each line break byte becomes a blank.
std::string tekSatir(const std::string& ad) {
  std::string r = ad;
  const auto satirSonu = [](char karakter) { return karakter == '\n' || karakter == '\r'; };
  std::replace_if(r.begin(), r.end(), satirSonu, ' ');
  return r;
}

}  // namespace

bool& makroOneriAcik() { return oneriAcik; }
int& makroOneriAyari() { return oneriAyari; }

void MakroOnerici::kaydet(const std::string& kategori, const std::string& komut) {
  if (!makroOneriAcik()) return;
  if (kategori.empty() || komut.empty()) return;
  gecmis_.emplace_back(kategori, komut);
  if (gecmis_.size() > gecmisLimit_) {
    gecmis_.erase(gecmis_.begin(), gecmis_.end() - static_cast<std::ptrdiff_t>(gecmisLimit_));
  }
  tespitEt();
}

void MakroOnerici::tespitEt() {
  oneri_ = Oneri{};
  const int32_t n = static_cast<int32_t>(gecmis_.size());
  int32_t enIyi = 0;
  for (int32_t p = minPeriyot_; p <= maxPeriyot_; ++p) {
    if (n < 2 * p) continue;
    const auto blok = gecmis_.begin() + (n - p);
    int32_t k = 1;
    while (n >= (k + 1) * p &&
           std::equal(blok, gecmis_.end(), gecmis_.begin() + (n - (k + 1) * p))) {
      ++k;
    }
    if (k < minTekrar_) continue;
    // One command over and over is not worth a macro.
    const auto ilkiGibi = [&](const KomutCifti& cift) { return cift == *blok; };
    if (std::all_of(blok, gecmis_.end(), ilkiGibi)) continue;
    if (k * p > enIyi) {
      enIyi = k * p;
      oneri_.var = true;
      oneri_.tekrar = k;
      oneri_.dizi.assign(blok, gecmis_.end());
    }
  }
  if (oneri_.var && imza(oneri_.dizi) == reddedilen_) oneri_ = Oneri{};
}

KomutDizisi MakroOnerici::kabul() {
  KomutDizisi dizi = oneri_.dizi;
  basaDon();
  reddedilen_.clear();
  return dizi;
}

void MakroOnerici::ret() {
  reddedilen_ = imza(oneri_.dizi);
  basaDon();
}

void MakroOnerici::basaDon() {
  gecmis_.clear();
  oneri_ = Oneri{};
}

std::string MakroOnerici::imza(const KomutDizisi& dizi) const {
  std::string s;
  for (const KomutCifti& c : dizi) {
    s += c.first;
    s += '\x1F';
    s += c.second;
    s += '\x1E';
  }
  return s;
}

std::string MakroOnerici::luaUret(const KomutDizisi& dizi, const std::string& ad) {
  std::string s = "-- " + tekSatir(ad);
  s += "\n-- VaduCAD otomatik makro (tekrar yakaland\xC4\xB1)\n\n";
  for (const KomutCifti& c : dizi) {
    s += "vadu.komut.calistir(\"";
    s += kacir(c.first);
    s += "\", \"";
    s += kacir(c.second);
    s += "\")\n";
  }
  return s;
}

}  // namespace vadu
