// The feedback client: a user's feedback as the endpoint path and the plain
// JSON body of one insert into a collection of the database service, with the
// text encodings they are built from. Nothing here sends anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vadu {

using u8 = std::uint8_t;

// `metin` escaped for the inside of a JSON string: the quote, the backslash
// and every byte below 0x20; all other bytes, UTF-8 included, pass unchanged.
inline std::string jsonKacis(const std::string& metin) {
  static constexpr char HEX[] = "0123456789abcdef";
  std::string r;
  r.reserve(metin.size() + 16);
  for (char ch : metin) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case 0x08: r += "\\b"; break;
      case 0x09: r += "\\t"; break;
      case 0x0A: r += "\\n"; break;
      case 0x0C: r += "\\f"; break;
      case 0x0D: r += "\\r"; break;
      case 0x22: r += "\\\""; break;
      case 0x5C: r += "\\\\"; break;
      default:
        if (c < 0x20) {
          r += "\\u00";
          r += HEX[c >> 4];
          r += HEX[c & 0x0F];
        } else {
          r += ch;
        }
    }
  }
  return r;
}

// Standard base64 (RFC 4648, section 4) on one line, padded with "=".
inline std::string base64Kodla(const std::vector<u8>& veri) {
  static constexpr char ALFABE[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::size_t n = veri.size();
  std::string r;
  r.reserve((n + 2) / 3 * 4);
  // The first `adet` 6-bit groups of the 24-bit value, most significant first.
  auto yaz = [&r](std::uint32_t deger, int adet) {
    for (int kaydir = 18; adet > 0; --adet, kaydir -= 6) r += ALFABE[(deger >> kaydir) & 0x3F];
  };
  auto bayt = [&veri](std::size_t sira, int kaydir) { return std::uint32_t{veri[sira]} << kaydir; };
  std::size_t i = 0;
  for (; i + 2 < n; i += 3) yaz(bayt(i, 16) | bayt(i + 1, 8) | bayt(i + 2, 0), 4);
  if (i + 1 == n) {
    yaz(bayt(i, 16), 2);
    r += "==";
  } else if (i + 2 == n) {
    yaz(bayt(i, 16) | bayt(i + 1, 8), 3);
    r += '=';
  }
  return r;
}

// The longest prefix of `metin` of at most `enFazlaBayt` bytes that does not
// end inside a UTF-8 sequence. Nothing is validated.
inline std::string utf8Kisalt(const std::string& metin, std::size_t enFazlaBayt) {
  if (metin.size() <= enFazlaBayt) return metin;
  std::size_t k = enFazlaBayt;
  while (k > 0 && (static_cast<unsigned char>(metin[k]) & 0xC0) == 0x80) --k;
  return metin.substr(0, k);
}

// One feedback message. An empty screenshot means none.
struct GeriBildirim {
  std::string mesaj;
  std::string kategori;
  std::string surum;
  std::string cihaz;
  std::string tarih;  // as the caller writes it
  std::vector<u8> ekranGoruntusu;
};

// Whether `koleksiyon` may name a collection: ASCII letters, digits and "_"
// only, not empty, and not the reserved "hareketler".
inline bool koleksiyonGecerliMi(const std::string& koleksiyon) {
  if (koleksiyon.empty() || koleksiyon == "hareketler") return false;
  for (char c : koleksiyon) {
    const bool gecerli = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '_';
    if (!gecerli) return false;
  }
  return true;
}

// The insert endpoint of `koleksiyon` on the service at `sunucu`; trailing
// slashes of `sunucu` do not matter. The name goes in as it is.
inline std::string urlKur(const std::string& sunucu, const std::string& koleksiyon) {
  std::string t = sunucu;
  while (!t.empty() && t.back() == '/') t.pop_back();
  return t + "/mapiv1/merloxweb.Merlox.sistem.DB." + koleksiyon + ".ekle";
}

// The JSON body of the insert: one line, the five text members always, the
// unread flag, and the screenshot as base64 only when there is one.
inline std::string govdeKur(const GeriBildirim& bildirim) {
  std::string j = "{";
  auto uye = [&j](const char* anahtar, const std::string& deger) {
    j += '"';
    j += anahtar;
    j += "\":\"";
    j += deger;
    j += '"';
  };
  uye("mesaj", jsonKacis(bildirim.mesaj));
  j += ',';
  uye("kategori", jsonKacis(bildirim.kategori));
  j += ',';
  uye("surum", jsonKacis(bildirim.surum));
  j += ',';
  uye("cihaz", jsonKacis(bildirim.cihaz));
  j += ',';
  uye("tarih", jsonKacis(bildirim.tarih));
  j += ",\"okundu\":false";
  if (!bildirim.ekranGoruntusu.empty()) {
    j += ',';
    uye("ekranGoruntusu", base64Kodla(bildirim.ekranGoruntusu));
  }
  j += '}';
  return j;
}

}  // namespace vadu
