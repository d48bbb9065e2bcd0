#include "makro/onerici.h"

#include <algorithm>

namespace vadu {

namespace {

bool oneriAcik = true;
int oneriAyari = 2;

// The inside of a double-quoted Lua literal that reads back as `t`. Lua does
// not accept a raw line break inside such a literal, so line feeds and
// carriage returns travel as their escapes.
std::string kacir(const std::string& t) {
  std::string r;
  r.reserve(t.size());
  for (char c : t) {
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
  std::replace_if(r.begin(), r.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return r;
}

}  // namespace

bool& makroOneriAcik() { return oneriAcik; }
int& makroOneriAyari() { return oneriAyari; }

void MakroOnerici::kaydet(const std::string& kategori, const std::string& komut) {
  if (!makroOneriAcik()) return;
  if (kategori.empty() || komut.empty()) return;
  gecmis.emplace_back(kategori, komut);
  if (gecmis.size() > gecmisLimit) {
    gecmis.erase(gecmis.begin(), gecmis.end() - static_cast<std::ptrdiff_t>(gecmisLimit));
  }
  tespitEt();
}

void MakroOnerici::tespitEt() {
  oneri = Oneri{};
  const int32_t n = static_cast<int32_t>(gecmis.size());
  int32_t enIyi = 0;
  for (int32_t p = minPeriyot; p <= maxPeriyot; ++p) {
    if (n < 2 * p) continue;
    const auto blok = gecmis.begin() + (n - p);
    int32_t k = 1;
    while (n >= (k + 1) * p && std::equal(blok, gecmis.end(), gecmis.begin() + (n - (k + 1) * p))) {
      ++k;
    }
    if (k < minTekrar) continue;
    // One command over and over is not worth a macro.
    if (std::all_of(blok, gecmis.end(), [&](const KomutCifti& c) { return c == *blok; })) continue;
    if (k * p > enIyi) {
      enIyi = k * p;
      oneri.var = true;
      oneri.tekrar = k;
      oneri.dizi.assign(blok, gecmis.end());
    }
  }
  if (oneri.var && imza(oneri.dizi) == reddedilen) oneri = Oneri{};
}

KomutDizisi MakroOnerici::kabul() {
  KomutDizisi dizi = oneri.dizi;
  gecmis.clear();
  oneri = Oneri{};
  reddedilen.clear();
  return dizi;
}

void MakroOnerici::ret() {
  reddedilen = imza(oneri.dizi);
  gecmis.clear();
  oneri = Oneri{};
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
