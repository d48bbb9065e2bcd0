// MakroOnerici::luaUret over arbitrary names and commands: the script loads
// under Lua and, run with a recording vadu.komut.calistir and nothing else,
// calls it with exactly the commands in their order. The input is a run of
// fields, each a length byte and that many bytes (the last cut to what is
// left): the name first, then group and command by turns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include <lua.hpp>

#include "bulanik/bulanik.h"
#include "makro/onerici.h"

using namespace vadu;

namespace {

// vadu.komut.calistir(kategori, komut): appends the pair to the list that is
// its upvalue. It raises no Lua error, so no C++ frame is jumped over.
int calistir(lua_State* L) {
  auto* cagrilar = static_cast<KomutDizisi*>(lua_touserdata(L, lua_upvalueindex(1)));
  size_t n1 = 0, n2 = 0;
  const char* a = lua_type(L, 1) == LUA_TSTRING ? lua_tolstring(L, 1, &n1) : nullptr;
  const char* b = lua_type(L, 2) == LUA_TSTRING ? lua_tolstring(L, 2, &n2) : nullptr;
  if (a == nullptr || b == nullptr || lua_gettop(L) != 2) {
    cagrilar->emplace_back("<not two strings>", "");
    return 0;
  }
  cagrilar->emplace_back(std::string(a, n1), std::string(b, n2));
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  std::string ad;
  KomutDizisi dizi;
  std::string alan;
  size_t sira = 0;
  for (size_t i = 0; i < boy; ++sira) {
    size_t n = veri[i++];
    if (n > boy - i) n = boy - i;
    alan.assign(reinterpret_cast<const char*>(veri) + i, n);
    i += n;
    if (sira == 0) {
      ad = alan;
    } else if (sira % 2 == 1) {
      dizi.emplace_back(alan, "");
    } else {
      dizi.back().second = alan;
    }
  }
  const std::string betik = MakroOnerici::luaUret(dizi, ad);

  lua_State* L = luaL_newstate();
  BULANIK_SART(L != nullptr);
  KomutDizisi cagrilar;
  lua_newtable(L);  // vadu
  lua_newtable(L);  // vadu.komut
  lua_pushlightuserdata(L, &cagrilar);
  lua_pushcclosure(L, calistir, 1);
  lua_setfield(L, -2, "calistir");
  lua_setfield(L, -2, "komut");
  lua_setglobal(L, "vadu");
  const int yuklendi = luaL_loadbuffer(L, betik.data(), betik.size(), "=makro");
  if (yuklendi != LUA_OK) {
    std::fprintf(stderr, "%s\n", lua_tostring(L, -1));
  }
  BULANIK_SART(yuklendi == LUA_OK);
  const int kostu = lua_pcall(L, 0, 0, 0);
  if (kostu != LUA_OK) std::fprintf(stderr, "%s\n", lua_tostring(L, -1));
  BULANIK_SART(kostu == LUA_OK);
  lua_close(L);
  BULANIK_SART(cagrilar == dizi);
  return 0;
}
