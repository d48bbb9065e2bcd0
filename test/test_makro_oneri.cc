// Checks of the macro suggestion: detection of repeated blocks, acceptance,
// rejection and the Lua macro script.
#include <initializer_list>
#include <string>

#include "makro/onerici.h"
#include "test/kontrol.h"

using namespace vadu;

// Records every command of the list under the group "Grup".
static void makroBesle(MakroOnerici& m, std::initializer_list<const char*> komutlar) {
  for (const char* komut : komutlar) m.kaydet("Grup", komut);
}

VADU_TEST(makro_tek_gecis_oneri_yok) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "C"});
  KONTROL(!m.oneriVar());
}

VADU_TEST(makro_iki_tekrar_periyot2_yakalar) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "A", "B"});
  KONTROL(m.oneriVar());
  KONTROL(m.oneriTekrar() == 2);
  KONTROL(m.oneriDizi().size() == 2);
  KONTROL_EGER(m.oneriDizi().size() >= 2,
               m.oneriDizi()[0].second == "A" && m.oneriDizi()[1].second == "B");
}

VADU_TEST(makro_tek_tekrar_yetmez) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "C", "A", "B"});
  KONTROL(!m.oneriVar());
}

VADU_TEST(makro_uc_tekrar_sayar) {
  MakroOnerici m;
  makroBesle(m, {"X", "Y", "X", "Y", "X", "Y"});
  KONTROL(m.oneriVar());
  KONTROL(m.oneriTekrar() == 3);
}

VADU_TEST(makro_periyot3_yakalar) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "C", "A", "B", "C"});
  KONTROL(m.oneriVar());
  KONTROL(m.oneriDizi().size() == 3);
  KONTROL(m.oneriTekrar() == 2);
}

VADU_TEST(makro_tek_komut_periyot1_yoksayilir) {
  MakroOnerici m;
  makroBesle(m, {"A", "A", "A", "A"});
  KONTROL(!m.oneriVar());
}

VADU_TEST(makro_kabul_gecmisi_temizler) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "A", "B"});
  KONTROL(m.oneriVar());
  const auto dizi = m.kabul();
  KONTROL(dizi.size() == 2);
  KONTROL(!m.oneriVar());
  makroBesle(m, {"A", "B", "A", "B"});
  KONTROL(m.oneriVar());
}

VADU_TEST(makro_ret_ayni_diziyi_susturur) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "A", "B"});
  KONTROL(m.oneriVar());
  m.ret();
  KONTROL(!m.oneriVar());
  makroBesle(m, {"A", "B", "A", "B"});
  KONTROL(!m.oneriVar());
  makroBesle(m, {"C", "D", "C", "D"});
  KONTROL(m.oneriVar());
}

VADU_TEST(makro_en_kisa_periyot_kazanir) {
  MakroOnerici m;
  makroBesle(m, {"A", "B", "A", "B", "A", "B"});
  KONTROL(m.oneriVar());
  KONTROL(m.oneriDizi().size() == 2);
}

VADU_TEST(makro_lua_uretim) {
  const KomutDizisi dizi = {{"İşlem", "Kenar Yuvarlat (3B)"}, {"Ölçüm", "Ölçüm Penceresi (M)"}};
  const std::string lua = MakroOnerici::luaUret(dizi, "Test Makro");
  KONTROL(lua.find("vadu.komut.calistir(\"İşlem\", \"Kenar Yuvarlat (3B)\")") != std::string::npos);
  KONTROL(lua.find("vadu.komut.calistir(\"Ölçüm\", \"Ölçüm Penceresi (M)\")") != std::string::npos);
  KONTROL(lua.find("Test Makro") != std::string::npos);
}

VADU_TEST(makro_lua_kacis) {
  const KomutDizisi dizi = {{"G", "tırnak\"var"}};
  const std::string lua = MakroOnerici::luaUret(dizi, "x");
  KONTROL(lua.find("tırnak\\\"var") != std::string::npos);
}
