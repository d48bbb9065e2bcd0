// Checks of the process-bridge frame and the parameter list.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "orkestra/cerceve.h"
#include "orkestra/kodlama.h"
#include "orkestra/parametre.h"
#include "test/kontrol.h"

using namespace vadu;
using surecproto::cerceveDeserialize;

VADU_TEST(cerceve_roundtrip_tum_alanlar) {
  SurecCerceve c;
  c.tip = SurecMesajTip::Parametre;
  c.kaynakPid = 1234;
  c.hedefPid = 5678;
  c.korelasyon = 0xDEADBEEFCAFEull;
  c.govde = "gövde\tiçinde\ntab ve newline var";
  const std::string wire = surecproto::cerceveSerialize(c);
  SurecCerceve d;
  KONTROL(cerceveDeserialize(wire.data(), wire.size(), d));
  KONTROL(d.tip == SurecMesajTip::Parametre);
  KONTROL(d.kaynakPid == 1234);
  KONTROL(d.hedefPid == 5678);
  KONTROL(d.korelasyon == 0xDEADBEEFCAFEull);
  KONTROL(d.govde == c.govde);
}

VADU_TEST(cerceve_bos_govde_ve_tipler) {
  for (uint16_t t = 1; t <= 10; ++t) {
    SurecCerceve c;
    c.tip = static_cast<SurecMesajTip>(t);
    c.kaynakPid = t * 7;
    const std::string wire = surecproto::cerceveSerialize(c);
    SurecCerceve d;
    KONTROL(cerceveDeserialize(wire.data(), wire.size(), d));
    KONTROL((uint16_t)d.tip == t);
    KONTROL(d.kaynakPid == (uint32_t)(t * 7));
    KONTROL(d.govde.empty());
  }
}

VADU_TEST(cerceve_geri_uyum_eski_metin) {
  const std::string eski = "komut\tYeni Belge";
  SurecCerceve d;
  KONTROL(cerceveDeserialize(eski.data(), eski.size(), d));
  KONTROL(d.tip == SurecMesajTip::Komut);
  KONTROL(d.govde == "Yeni Belge");
  KONTROL(d.kaynakPid == 0);

  const std::string duz = "Kutu";
  SurecCerceve d2;
  KONTROL(cerceveDeserialize(duz.data(), duz.size(), d2));
  KONTROL(d2.tip == SurecMesajTip::Komut);
  KONTROL(d2.govde == "Kutu");
}

VADU_TEST(cerceve_bozuk_sihir_reddedilir) {
  std::string s;
  leYazU32(s, surecproto::CERCEVE_SIHRI);
  SurecCerceve d;
  KONTROL(!cerceveDeserialize(s.data(), s.size(), d));
}

VADU_TEST(param_serialize_coz_roundtrip) {
  const ParametreListesi p = {{"yol", "C:\\parca.vaducad"}, {"kip", "hizli"}, {"bos", ""}};
  const std::string govde = paramSerialize("Belge Aç", p);
  std::string ad;
  ParametreListesi cikan;
  KONTROL(paramCoz(govde, ad, cikan));
  KONTROL(ad == "Belge Aç");
  KONTROL(cikan.size() == 3);
  KONTROL_EGER(cikan.size() > 0, cikan[0].first == "yol" && cikan[0].second == "C:\\parca.vaducad");
  KONTROL_EGER(cikan.size() > 1, cikan[1].first == "kip" && cikan[1].second == "hizli");
  KONTROL_EGER(cikan.size() > 2, cikan[2].first == "bos" && cikan[2].second.empty());
}

VADU_TEST(param_parametresiz) {
  const std::string govde = paramSerialize("Kaydet", {});
  std::string ad;
  ParametreListesi cikan;
  KONTROL(paramCoz(govde, ad, cikan));
  KONTROL(ad == "Kaydet");
  KONTROL(cikan.empty());
}

VADU_TEST(param_cerceve_uctan_uca) {
  const ParametreListesi p = {{"a", "1"}, {"b", "2"}};
  SurecCerceve c;
  c.tip = SurecMesajTip::Parametre;
  c.kaynakPid = 42;
  c.govde = paramSerialize("Komut", p);
  const std::string wire = surecproto::cerceveSerialize(c);
  SurecCerceve d;
  KONTROL(cerceveDeserialize(wire.data(), wire.size(), d));
  KONTROL(d.tip == SurecMesajTip::Parametre);

  std::string ad;
  ParametreListesi cikan;
  KONTROL(paramCoz(d.govde, ad, cikan));
  KONTROL(ad == "Komut");
  KONTROL(cikan.size() == 2);
  KONTROL_EGER(cikan.size() > 1, cikan[0].first == "a" && cikan[1].second == "2");
}
