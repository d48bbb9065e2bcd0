// Checks of the feedback client: JSON escaping, base64, UTF-8 cuts, the
// collection rule, the endpoint path and the JSON body.
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "geri_bildirim/geri_bildirim.h"
#include "test/kontrol.h"

using namespace vadu;

// Whether `parca` occurs anywhere in `s`.
static bool icerir(const std::string& s, const std::string& parca) {
  return s.find(parca) != std::string::npos;
}

// Structural UTF-8 validity: lead bytes and their continuation bytes only
// (overlong forms, surrogates and the upper bound are not looked at).
static bool utf8Gecerli(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t uzunluk;
    if (c < 0x80) {
      uzunluk = 1;
    } else if ((c & 0xE0) == 0xC0) {
      uzunluk = 2;
    } else if ((c & 0xF0) == 0xE0) {
      uzunluk = 3;
    } else if ((c & 0xF8) == 0xF0) {
      uzunluk = 4;
    } else {
      return false;
    }
    if (uzunluk > s.size() - i) return false;
    for (std::size_t j = 1; j < uzunluk; ++j) {
      if ((static_cast<unsigned char>(s[i + j]) & 0xC0) != 0x80) return false;
    }
    i += uzunluk;
  }
  return true;
}

VADU_TEST(json_kacis_ozel_karakterler) {
  KONTROL(jsonKacis("a\"b") == "a\\\"b");
  KONTROL(jsonKacis("a\\b") == "a\\\\b");
  KONTROL(jsonKacis("a\nb") == "a\\nb");
  KONTROL(jsonKacis("a\tb") == "a\\tb");
  KONTROL(jsonKacis(std::string("a\x01"
                                "b")) == "a\\u0001b");
  KONTROL(jsonKacis("ölçüm çöktü") == "ölçüm çöktü");
}

VADU_TEST(base64_kodla_vektorler) {
  auto b = [](const char* metin) { return std::vector<u8>(metin, metin + std::strlen(metin)); };
  KONTROL(base64Kodla(b("")) == "");
  KONTROL(base64Kodla(b("f")) == "Zg==");
  KONTROL(base64Kodla(b("fo")) == "Zm8=");
  KONTROL(base64Kodla(b("foo")) == "Zm9v");
  KONTROL(base64Kodla(b("foob")) == "Zm9vYg==");
  KONTROL(base64Kodla(b("fooba")) == "Zm9vYmE=");
  KONTROL(base64Kodla(b("foobar")) == "Zm9vYmFy");
  KONTROL(base64Kodla(std::vector<u8>{0x00, 0x00, 0x00}) == "AAAA");
  KONTROL(base64Kodla(std::vector<u8>{0xFF, 0xFF, 0xFF}) == "////");
}

VADU_TEST(utf8_kisalt_karakter_bolmez) {
  KONTROL(utf8Kisalt("abc", 10) == "abc");
  KONTROL(utf8Kisalt("abcdef", 3) == "abc");
  const std::string cc = "çç";
  KONTROL(cc.size() == 4);
  KONTROL(utf8Kisalt(cc, 3) == "ç");
  KONTROL(utf8Kisalt(cc, 2) == "ç");
  const std::string tr = "ölçüm çöktü";
  KONTROL(utf8Gecerli(tr));
  for (std::size_t n = 0; n <= tr.size() + 2; ++n) {
    const std::string k = utf8Kisalt(tr, n);
    KONTROL(utf8Gecerli(k));
    KONTROL(k.size() <= (n > tr.size() ? tr.size() : n));
  }
}

VADU_TEST(koleksiyon_gecerlilik_sozlesme_kurallari) {
  KONTROL(koleksiyonGecerliMi("geriBildirimler"));
  KONTROL(koleksiyonGecerliMi("geri_bildirim_2"));
  KONTROL(!koleksiyonGecerliMi("hareketler"));
  KONTROL(!koleksiyonGecerliMi("geri.bildirim"));
  KONTROL(!koleksiyonGecerliMi("geri-bildirim"));
  KONTROL(!koleksiyonGecerliMi("geri/bildirim"));
  KONTROL(!koleksiyonGecerliMi(""));
}

VADU_TEST(url_kur_kokdb_ekle_ucu) {
  KONTROL(urlKur("http://127.0.0.1:8080", "geriBildirimler") ==
          "http://127.0.0.1:8080/mapiv1/merloxweb.Merlox.sistem.DB.geriBildirimler.ekle");
  KONTROL(urlKur("http://127.0.0.1:8080/", "geriBildirimler") ==
          urlKur("http://127.0.0.1:8080", "geriBildirimler"));
}

VADU_TEST(govde_kur_alanlar) {
  GeriBildirim g;
  g.mesaj = "Fillet \"donuyor\"";
  g.kategori = "Hata";
  g.surum = "1.13.0";
  g.cihaz = "Windows 10";
  g.tarih = "2026-07-15T10:00:00Z";
  const std::string j = govdeKur(g);
  KONTROL(j.front() == '{' && j.back() == '}');
  KONTROL(icerir(j, "\"mesaj\":\"Fillet \\\"donuyor\\\"\""));
  KONTROL(icerir(j, "\"kategori\":\"Hata\""));
  KONTROL(icerir(j, "\"surum\":\"1.13.0\""));
  KONTROL(icerir(j, "\"tarih\":\"2026-07-15T10:00:00Z\""));
  KONTROL(icerir(j, "\"okundu\":false"));
  KONTROL(!icerir(j, "ekranGoruntusu"));
}

VADU_TEST(govde_kur_ekran_goruntusu_base64) {
  GeriBildirim g;
  g.mesaj = "x";
  g.ekranGoruntusu = {'f', 'o', 'o'};
  const std::string j = govdeKur(g);
  KONTROL(icerir(j, "\"ekranGoruntusu\":\"Zm9v\""));
}

VADU_TEST(govde_duz_json_multipart_degil) {
  GeriBildirim g;
  g.mesaj = "test";
  g.ekranGoruntusu.assign(64, 0xAB);
  const std::string j = govdeKur(g);
  KONTROL(!icerir(j, "Content-Disposition"));
  KONTROL(!icerir(j, "multipart"));
  KONTROL(!icerir(j, "boundary"));
}
