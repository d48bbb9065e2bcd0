// What the Windows platform layer adds to the system's own calls: start-ups
// that are really paid back to Windows Sockets, a last error that later system
// calls cannot overwrite, and the first graphics adapter handed out and taken
// back whole.
#include "platform/platform.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

namespace vadu::platform {
namespace {

// Nothing else in this program starts Windows Sockets, so once the layer has
// released what it took, the system itself refuses to make a socket.
TEST(WindowsSoket, BaslatmalarSistemeGeriVerilir) {
  ASSERT_EQ(soketKutuphanesiSayaci(), 0u);
  ASSERT_TRUE(soketKutuphanesiBaslat());
  ASSERT_TRUE(soketKutuphanesiBaslat());
  soketKutuphanesiBirak();
  const SOCKET acik = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  EXPECT_NE(acik, INVALID_SOCKET);
  if (acik != INVALID_SOCKET) closesocket(acik);
  soketKutuphanesiBirak();
  EXPECT_EQ(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(WindowsSoket, SonHataSonrakiSistemCagrilarindanEtkilenmez) {
  ASSERT_TRUE(soketKutuphanesiBaslat());
  char c;
  EXPECT_EQ(soketAl(GECERSIZ_SOKET, &c, 1), SOKET_HATASI);
  SetLastError(0);  // any system call may do this before the caller asks
  EXPECT_EQ(soketSonHata(), HATA_SOKET_DEGIL);
  soketKutuphanesiBirak();
}

// Wine without a display has no adapter; a real machine usually has one.
// Either way the answer is consistent and the adapter goes back whole.
TEST(WindowsGrafik, AdaptorVarsaBellekKullanimiOkunur) {
  GrafikAdaptor* a = grafikAdaptorAc();
  uint64_t bayt = 7;
  if (a == nullptr) {
    EXPECT_FALSE(grafikBellekKullanimi(a, bayt));
    EXPECT_EQ(bayt, 7u);
  } else {
    EXPECT_TRUE(grafikBellekKullanimi(a, bayt));
    EXPECT_TRUE(grafikBellekKullanimi(a, bayt));  // the same adapter, asked again
  }
  grafikAdaptorBirak(a);
}

}  // namespace
}  // namespace vadu::platform
