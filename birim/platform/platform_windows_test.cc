// What the Windows platform layer adds to the system's own calls, beyond the
// contract that platform_test.cc pins for both halves: start-ups that are
// really paid back to Windows Sockets, and a last error that later system
// calls cannot overwrite.
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

}  // namespace
}  // namespace vadu::platform
