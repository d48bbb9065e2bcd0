#include "geri_bildirim/geri_bildirim.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace vadu {
namespace {

std::vector<u8> baytlar(const std::string& s) { return std::vector<u8>(s.begin(), s.end()); }

TEST(JsonKacis, HerBaytSinifi) {
  struct Durum {
    std::string girdi;
    std::string cikti;
  };
  const Durum durumlar[] = {
      {"", ""},
      {std::string(1, '\0'), "\\u0000"},
      {"\x01", "\\u0001"},
      {"\x07", "\\u0007"},
      {"\b", "\\b"},
      {"\t", "\\t"},
      {"\n", "\\n"},
      {"\x0B", "\\u000b"},
      {"\f", "\\f"},
      {"\r", "\\r"},
      {"\x0E", "\\u000e"},
      {"\x1A", "\\u001a"},
      {"\x1F", "\\u001f"},
      {" ", " "},
      {"\"", "\\\""},
      {"\\", "\\\\"},
      {"/", "/"},
      {"a/b", "a/b"},
      {"'", "'"},
      {"\x7F", "\x7F"},
      {"\x80", "\x80"},
      {"\xFF", "\xFF"},
      {"ölçüm çöktü", "ölçüm çöktü"},
      {std::string("a\x01"
                   "b"),
       "a\\u0001b"},
      {std::string("\0\0", 2), "\\u0000\\u0000"},
      {"\\\"\\", "\\\\\\\"\\\\"},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.cikti);
    EXPECT_EQ(jsonKacis(d.girdi), d.cikti);
  }
}

TEST(Base64Kodla, Rfc4648Vektorleri) {
  struct Durum {
    std::string girdi;
    const char* cikti;
  };
  const Durum durumlar[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {std::string(3, '\0'), "AAAA"},
      {"\xFF\xFF\xFF", "////"},
      {"\xFB\xFF", "+/8="},
      {"\xFF", "/w=="},
      {std::string(1, '\0'), "AA=="},
      {"\x14\xFB\x9C\x03\xD9\x7E", "FPucA9l+"},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.cikti);
    EXPECT_EQ(base64Kodla(baytlar(d.girdi)), d.cikti);
  }
  for (size_t n = 0; n <= 10; ++n) {
    EXPECT_EQ(base64Kodla(std::vector<u8>(n, 0xAB)).size(), (n + 2) / 3 * 4) << n;
  }
}

TEST(Utf8Kisalt, HerSinirda) {
  struct Durum {
    std::string metin;
    std::vector<std::string> sinirda;  // the result at limit 0, 1, 2, ...
  };
  const Durum durumlar[] = {
      {"abc", {"", "a", "ab", "abc", "abc"}},
      {"çç", {"", "", "ç", "ç", "çç", "çç", "çç"}},
      // one, three and four bytes
      {"a€😀", {"", "a", "a", "a", "a€", "a€", "a€", "a€", "a€😀", "a€😀"}},
      // Nothing is validated: what lies before the cut stays as it is.
      {"\xFF"
       "ab",
       {"", "\xFF",
        "\xFF"
        "a",
        "\xFF"
        "ab"}},
      {"\x80\x80\x80", {"", "", "", "\x80\x80\x80"}},
      {"", {"", ""}},
  };
  for (const Durum& d : durumlar) {
    for (size_t n = 0; n < d.sinirda.size(); ++n) {
      EXPECT_EQ(utf8Kisalt(d.metin, n), d.sinirda[n]) << d.metin << " at " << n;
    }
  }
}

TEST(KoleksiyonGecerliMi, AsciiHarfRakamAltCizgi) {
  for (const char* ad : {"geriBildirimler", "geri_bildirim_2", "Hareketler", "HAREKETLER", "a", "_",
                         "9lar", "hareketler2", "AZaz09_"}) {
    EXPECT_TRUE(koleksiyonGecerliMi(ad)) << ad;
  }
  for (const std::string ad :
       {"", "hareketler", "geri.bildirim", "geri-bildirim", "geri/bildirim", "geri bildirim",
        " geri", "ölçüm", "geri\x7F", "hareketler ", "a@b", "a`b", "a[b", "a{b"}) {
    EXPECT_FALSE(koleksiyonGecerliMi(ad)) << ad;
  }
  EXPECT_FALSE(koleksiyonGecerliMi(std::string("geri\0x", 6)));
}

TEST(UrlKur, SondakiBolulerGider) {
  const std::string uc = "/mapiv1/merloxweb.Merlox.sistem.DB.geriBildirimler.ekle";
  for (const char* son : {"", "/", "//", "///"}) {
    EXPECT_EQ(urlKur(std::string("https://vt.ornek:8443") + son, "geriBildirimler"),
              "https://vt.ornek:8443" + uc)
        << son;
  }
  EXPECT_EQ(urlKur("", "geriBildirimler"), uc);
  EXPECT_EQ(urlKur("///", "geriBildirimler"), uc);
  EXPECT_EQ(urlKur("http://h:1/yol/", "geriBildirimler"), "http://h:1/yol" + uc);
  // The name goes in unchecked and unescaped.
  EXPECT_EQ(urlKur("http://h:1", "a/b c"),
            "http://h:1/mapiv1/merloxweb.Merlox.sistem.DB.a/b c.ekle");
}

// The message of the first example body.
GeriBildirim ornek() {
  return GeriBildirim{"Fillet \"donuyor\"",   "Hata", "1.13.0", "Windows 10",
                      "2026-07-15T10:00:00Z", {}};
}

TEST(GovdeKur, IkiOrnekGovdeBaytBayt) {
  EXPECT_EQ(govdeKur(ornek()),
            "{\"mesaj\":\"Fillet \\\"donuyor\\\"\",\"kategori\":\"Hata\",\"surum\":\"1.13.0\","
            "\"cihaz\":\"Windows 10\",\"tarih\":\"2026-07-15T10:00:00Z\",\"okundu\":false}");
  GeriBildirim g;
  g.mesaj = "x";
  g.ekranGoruntusu = baytlar("foo");
  EXPECT_EQ(govdeKur(g),
            "{\"mesaj\":\"x\",\"kategori\":\"\",\"surum\":\"\",\"cihaz\":\"\",\"tarih\":\"\","
            "\"okundu\":false,\"ekranGoruntusu\":\"Zm9v\"}");
  EXPECT_EQ(govdeKur(GeriBildirim{}),
            "{\"mesaj\":\"\",\"kategori\":\"\",\"surum\":\"\",\"cihaz\":\"\",\"tarih\":\"\","
            "\"okundu\":false}");
}

TEST(GovdeKur, EkranGoruntusuSonUyeBase64) {
  GeriBildirim g = ornek();
  g.ekranGoruntusu.assign(64, 0xAB);
  const std::string j = govdeKur(g);
  const std::string anahtar = ",\"ekranGoruntusu\":\"";
  const size_t yer = j.find(anahtar);
  ASSERT_NE(yer, std::string::npos);
  EXPECT_EQ(j.substr(0, yer) + "}", govdeKur(ornek()));
  const std::string deger = j.substr(yer + anahtar.size());
  ASSERT_EQ(deger.size(), 88u + 2u);  // the value, its closing quote and "}"
  EXPECT_EQ(deger.substr(88), "\"}");
  EXPECT_EQ(deger.substr(0, 88), base64Kodla(g.ekranGoruntusu));
  for (const char* yok : {"Content-Disposition", "multipart", "boundary", "\n", "\r"}) {
    EXPECT_EQ(j.find(yok), std::string::npos) << yok;
  }
}

// Every body is read back by an independent JSON parser to exactly the
// fields it was written from, members in their order.
TEST(GovdeKur, GercekJsonAyristiriciAlanlariGeriOkur) {
  std::string ascii;
  for (int c = 0x00; c <= 0x7F; ++c) ascii += static_cast<char>(c);
  const std::string metinler[] = {
      ascii,
      "\"\\\"\\\\\"",
      "\\",
      "\\u0041",
      "ölçüm çöktü ✓ 😀 İşlem",
      "satır\r\nsonu\n",
      std::string(3, '\0'),
      "",
  };
  std::vector<GeriBildirim> mesajlar;
  for (const std::string& t : metinler) {
    for (int alan = 0; alan < 6; ++alan) {
      GeriBildirim g = ornek();
      std::string* alanlar[] = {&g.mesaj, &g.kategori, &g.surum, &g.cihaz, &g.tarih};
      if (alan < 5) {
        *alanlar[alan] = t;
      } else {
        for (std::string* a : alanlar) *a = t;
        g.ekranGoruntusu = baytlar(t + ascii);
      }
      mesajlar.push_back(g);
    }
  }
  for (const GeriBildirim& g : mesajlar) {
    const std::string j = govdeKur(g);
    SCOPED_TRACE(j);
    const nlohmann::ordered_json o = nlohmann::ordered_json::parse(j, nullptr, false);
    ASSERT_FALSE(o.is_discarded());
    ASSERT_TRUE(o.is_object());
    std::vector<std::string> anahtarlar;
    for (const auto& [k, v] : o.items()) anahtarlar.push_back(k);
    std::vector<std::string> beklenen = {"mesaj", "kategori", "surum", "cihaz", "tarih", "okundu"};
    if (!g.ekranGoruntusu.empty()) beklenen.push_back("ekranGoruntusu");
    EXPECT_EQ(anahtarlar, beklenen);
    EXPECT_EQ(o["mesaj"].get<std::string>(), g.mesaj);
    EXPECT_EQ(o["kategori"].get<std::string>(), g.kategori);
    EXPECT_EQ(o["surum"].get<std::string>(), g.surum);
    EXPECT_EQ(o["cihaz"].get<std::string>(), g.cihaz);
    EXPECT_EQ(o["tarih"].get<std::string>(), g.tarih);
    EXPECT_TRUE(o["okundu"].is_boolean());
    EXPECT_FALSE(o["okundu"].get<bool>());
    if (!g.ekranGoruntusu.empty()) {
      EXPECT_EQ(o["ekranGoruntusu"].get<std::string>(), base64Kodla(g.ekranGoruntusu));
    }
    EXPECT_EQ(j.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace vadu
