#include "makro/onerici.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>
#include <vector>

namespace vadu {
namespace {

// Each letter of `harfler` is one command of the group "Grup".
KomutDizisi grup(const std::string& harfler) {
  KomutDizisi d;
  for (char c : harfler) d.emplace_back("Grup", std::string(1, c));
  return d;
}

void besle(MakroOnerici& m, const std::string& harfler) {
  for (const KomutCifti& c : grup(harfler)) m.kaydet(c.first, c.second);
}

// Leaves the process-wide switch on whatever a test does to it.
class Onerici : public ::testing::Test {
 protected:
  void TearDown() override { makroOneriAcik() = true; }
};

struct Dizi {
  const char* komutlar;
  const char* oneri;  // the suggested block, "" for none
  int tekrar;
};

TEST_F(Onerici, DiziSonundakiTekrariBulur) {
  const Dizi durumlar[] = {
      {"", "", 0},           {"ABC", "", 0},        {"ABAB", "AB", 2},
      {"ABCAB", "", 0},      {"ABCABC", "ABC", 2},  {"ABCDABCD", "ABCD", 2},
      {"XYXYXY", "XY", 3},   {"AAAA", "", 0},        // one command repeated
      {"AAAAAAAA", "", 0},   {"AABAAB", "AAB", 2},   // repeats inside a block are fine
      {"ABABABAB", "AB", 4},                         // period 4 covers as much: the shorter stays
      {"ABABA", "BA", 2},                            // the run has moved on by half a block
      {"ABABX", "", 0},      {"ABCDEABCDE", "", 0},  // period 5 is never tried
      {"CABAB", "AB", 2},    {"ABBABB", "ABB", 2},
  };
  for (const Dizi& d : durumlar) {
    SCOPED_TRACE(d.komutlar);
    MakroOnerici m;
    besle(m, d.komutlar);
    EXPECT_EQ(m.oneriVar(), *d.oneri != '\0');
    EXPECT_EQ(m.oneriDizi(), grup(d.oneri));
    EXPECT_EQ(m.oneriTekrar(), d.tekrar);
  }
}

TEST_F(Onerici, GrupDaKomutunParcasi) {
  MakroOnerici m;
  for (const char* g : {"G", "H", "G", "H"}) m.kaydet(g, "A");
  ASSERT_TRUE(m.oneriVar());
  EXPECT_EQ(m.oneriDizi(), (KomutDizisi{{"G", "A"}, {"H", "A"}}));
}

TEST_F(Onerici, GecmisSon32KomutuTutar) {
  // The copies counted can never reach back further than the history keeps.
  for (int kopya = 2; kopya <= 20; ++kopya) {
    MakroOnerici m;
    for (int i = 0; i < kopya; ++i) besle(m, "AB");
    EXPECT_EQ(m.oneriTekrar(), kopya < 16 ? kopya : 16) << kopya;
  }
  // 33 commands: the oldest A is gone, the 32 left are (B, A) 16 times.
  MakroOnerici m;
  besle(m, "A");
  for (int i = 0; i < 16; ++i) besle(m, "BA");
  EXPECT_EQ(m.oneriDizi(), grup("BA"));
  EXPECT_EQ(m.oneriTekrar(), 16);
}

TEST_F(Onerici, BosKomutVeKapaliAnahtarHicbirSeyiDegistirmez) {
  EXPECT_TRUE(makroOneriAcik());
  EXPECT_EQ(makroOneriAyari(), 2);

  MakroOnerici m;
  besle(m, "ABA");
  m.kaydet("Grup", "");  // not recorded: A B A B follows
  m.kaydet("", "X");
  besle(m, "B");
  ASSERT_EQ(m.oneriDizi(), grup("AB"));
  m.kaydet("Grup", "");
  m.kaydet("", "");
  EXPECT_EQ(m.oneriDizi(), grup("AB"));
  EXPECT_EQ(m.oneriTekrar(), 2);

  makroOneriAcik() = false;
  besle(m, "CDCDCD");
  EXPECT_EQ(m.oneriDizi(), grup("AB"));
  makroOneriAcik() = true;
  besle(m, "AB");  // nothing of C D was recorded: A B three times
  EXPECT_EQ(m.oneriTekrar(), 3);
}

TEST_F(Onerici, KabulDiziyiVerirVeBastanBaslar) {
  MakroOnerici m;
  besle(m, "ABAB");
  EXPECT_EQ(m.kabul(), grup("AB"));
  EXPECT_FALSE(m.oneriVar());
  EXPECT_TRUE(m.oneriDizi().empty());
  EXPECT_EQ(m.oneriTekrar(), 0);
  besle(m, "AB");  // with the old history kept this would be A B three times
  EXPECT_FALSE(m.oneriVar());
  besle(m, "AB");
  EXPECT_TRUE(m.oneriVar());

  MakroOnerici bos;
  besle(bos, "ABC");
  EXPECT_TRUE(bos.kabul().empty());
}

TEST_F(Onerici, ReddedilenDiziBaskaEvresiyleOnerilir) {
  MakroOnerici m;
  besle(m, "ABAB");
  m.ret();
  EXPECT_FALSE(m.oneriVar());
  // After each of A B A B A B A B: (A, B) stays silent, (B, A) is another
  // signature, and at the eighth the tie with period 4 is not tried instead.
  const char* beklenen[] = {"", "", "", "", "BA", "", "BA", ""};
  const std::string run = "ABABABAB";
  for (size_t i = 0; i < run.size(); ++i) {
    besle(m, run.substr(i, 1));
    EXPECT_EQ(m.oneriDizi(), grup(beklenen[i])) << "after command " << i + 1;
  }
  besle(m, "CDCD");
  EXPECT_EQ(m.oneriDizi(), grup("CD"));
  EXPECT_EQ(m.oneriTekrar(), 2);
}

TEST_F(Onerici, RetKalicidirYalnizKabulVeYeniRetSiler) {
  MakroOnerici m;
  besle(m, "ABAB");
  m.ret();
  for (int i = 0; i < 40; ++i) besle(m, i % 3 == 0 ? "C" : "D");
  besle(m, "ABAB");
  EXPECT_FALSE(m.oneriVar());

  // A kabul without a suggestion still forgets the rejection.
  EXPECT_TRUE(m.kabul().empty());
  besle(m, "ABAB");
  EXPECT_TRUE(m.oneriVar());

  // So does a ret without a suggestion, which stores the empty signature.
  m.ret();
  besle(m, "ABAB");
  EXPECT_FALSE(m.oneriVar());
  m.ret();
  m.ret();
  besle(m, "ABAB");
  EXPECT_TRUE(m.oneriVar());

  // The rejection is of one group's commands only.
  m.ret();
  for (int i = 0; i < 2; ++i) {
    m.kaydet("Baska", "A");
    m.kaydet("Baska", "B");
  }
  EXPECT_EQ(m.oneriDizi(), (KomutDizisi{{"Baska", "A"}, {"Baska", "B"}}));
}

TEST(Imza, AyiricilariylaBaytBayt) {
  const MakroOnerici m;
  EXPECT_EQ(m.imza({}), "");
  EXPECT_EQ(m.imza({{"G", "A"}, {"G", "B"}}), std::string("G\x1F"
                                                          "A\x1E"
                                                          "G\x1F"
                                                          "B\x1E"));
  EXPECT_NE(m.imza({{"G", "A"}}), m.imza({{"H", "A"}}));
  // The separators keep group and command apart.
  EXPECT_NE(m.imza({{"GA", "B"}}), m.imza({{"G", "AB"}}));
}

// Every byte value once, 0x00 to 0xFF.
std::string tumBaytlar() {
  std::string s;
  for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
  return s;
}

const std::string BASLIK_SONU = "\n-- VaduCAD otomatik makro (tekrar yakaland\xC4\xB1)\n\n";

TEST(LuaUret, IkiKomutluOrnekTamMetin) {
  const KomutDizisi dizi = {{"İşlem", "Kenar Yuvarlat (3B)"}, {"Ölçüm", "Ölçüm Penceresi (M)"}};
  EXPECT_EQ(BASLIK_SONU.size(), 48u);
  EXPECT_EQ(MakroOnerici::luaUret(dizi, "Test Makro"),
            "-- Test Makro" + BASLIK_SONU +
                "vadu.komut.calistir(\"İşlem\", \"Kenar Yuvarlat (3B)\")\n"
                "vadu.komut.calistir(\"Ölçüm\", \"Ölçüm Penceresi (M)\")\n");
  EXPECT_EQ(MakroOnerici::luaUret({}, ""), "-- " + BASLIK_SONU);
}

TEST(LuaUret, Kacislar) {
  struct Durum {
    std::string komut;
    std::string yazilan;
  };
  const Durum durumlar[] = {
      {"tırnak\"var", "tırnak\\\"var"},
      {"a\\b", "a\\\\b"},
      {"\\", "\\\\"},
      {"a\nb", "a\\nb"},
      {"a\rb", "a\\rb"},
      {"\r\n", "\\r\\n"},
      {"a\tb", "a\tb"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"[[x]]", "[[x]]"},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.yazilan);
    EXPECT_EQ(MakroOnerici::luaUret({{"G", d.komut}}, "x"),
              "-- x" + BASLIK_SONU + "vadu.komut.calistir(\"G\", \"" + d.yazilan + "\")\n");
    EXPECT_EQ(MakroOnerici::luaUret({{d.komut, "k"}}, "x"),
              "-- x" + BASLIK_SONU + "vadu.komut.calistir(\"" + d.yazilan + "\", \"k\")\n");
  }
  // The name keeps every byte but its line breaks, each of which becomes a blank.
  EXPECT_EQ(MakroOnerici::luaUret({}, "a\"b\\c"), "-- a\"b\\c" + BASLIK_SONU);
  EXPECT_EQ(MakroOnerici::luaUret({}, "a\nb\rc\r\nd"), "-- a b c  d" + BASLIK_SONU);
}

// Runs `betik` under Lua 5.4 with a vadu.komut.calistir that records its
// arguments. Fills `hata` when the script does not load or run.
class LuaKosucu {
 public:
  LuaKosucu() : L_(luaL_newstate()) {}
  ~LuaKosucu() { lua_close(L_); }
  LuaKosucu(const LuaKosucu&) = delete;
  LuaKosucu& operator=(const LuaKosucu&) = delete;

  bool calistir(const std::string& betik) {
    lua_newtable(L_);
    lua_newtable(L_);
    lua_pushlightuserdata(L_, this);
    lua_pushcclosure(L_, &LuaKosucu::kaydet, 1);
    lua_setfield(L_, -2, "calistir");
    lua_setfield(L_, -2, "komut");
    lua_setglobal(L_, "vadu");
    if (luaL_loadbufferx(L_, betik.data(), betik.size(), "makro", "t") != LUA_OK ||
        lua_pcall(L_, 0, 0, 0) != LUA_OK) {
      size_t n = 0;
      const char* m = lua_tolstring(L_, -1, &n);
      hata = m ? std::string(m, n) : "?";
      return false;
    }
    return true;
  }

  KomutDizisi cagrilar;
  std::vector<int> argumanSayilari;
  std::string hata;

 private:
  static int kaydet(lua_State* L) {
    auto* k = static_cast<LuaKosucu*>(lua_touserdata(L, lua_upvalueindex(1)));
    k->argumanSayilari.push_back(lua_gettop(L));
    size_t n1 = 0;
    size_t n2 = 0;
    const char* a = lua_type(L, 1) == LUA_TSTRING ? lua_tolstring(L, 1, &n1) : "";
    const char* b = lua_type(L, 2) == LUA_TSTRING ? lua_tolstring(L, 2, &n2) : "";
    k->cagrilar.emplace_back(std::string(a, n1), std::string(b, n2));
    return 0;
  }

  lua_State* L_;
};

TEST(LuaUret, GercekLuaKomutlariAynenCalistirir) {
  const KomutDizisi dizi = {
      {"İşlem", "Kenar Yuvarlat (3B)"},
      {"G", "tırnak\"var"},
      {"ters\\bölü", "\\"},
      {"satır\nsonu", "a\nb\rc\r\nd\n"},
      {"\r", "\n"},
      {"\\n", "\\\"\\"},
      {"uzun", "]] [[ ]=] --[[ \" ' ) vadu.komut.calistir(\"x\", \"y\")"},
      {"bayt", tumBaytlar()},
      {"\"", "ölçüm çöktü ✓ 😀"},
  };
  LuaKosucu lua;
  ASSERT_TRUE(lua.calistir(MakroOnerici::luaUret(dizi, "Makro"))) << lua.hata;
  EXPECT_EQ(lua.cagrilar, dizi);
  EXPECT_EQ(lua.argumanSayilari, std::vector<int>(dizi.size(), 2));
}

TEST(LuaUret, AdinSatirSonuKodOlamaz) {
  const KomutDizisi dizi = {{"G", "A"}};
  const std::string adlar[] = {
      tumBaytlar(),
      "satır\nsonu",
      "a\rb",
      "a\r\nb",
      "\n",
      "x\nvadu.komut.calistir(\"kotu\", \"kod\")",
      "x\rvadu.komut.calistir(\"kotu\", \"kod\")",
      "x\nerror('yuklendi')",
      "x\n--[[",
      "[[ \" \\ ]]",
  };
  for (const std::string& ad : adlar) {
    SCOPED_TRACE(ad);
    const std::string betik = MakroOnerici::luaUret(dizi, ad);
    EXPECT_EQ(betik.find('\r'), std::string::npos);
    EXPECT_EQ(betik.find('\n'), 3 + ad.size());
    LuaKosucu lua;
    ASSERT_TRUE(lua.calistir(betik)) << lua.hata;
    EXPECT_EQ(lua.cagrilar, dizi);
  }
}

}  // namespace
}  // namespace vadu
