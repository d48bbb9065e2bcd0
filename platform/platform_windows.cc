// The platform layer over Win32 (64-bit Windows).
//
// The sockets are Windows Sockets 2 itself, so its results and error numbers
// are the layer's without translation. The one thing added is the thread's
// last error: it is captured right after each failing call, because other
// system calls made before the caller asks may overwrite the system's own.
// That error, the start-up count and the random hooks need no system call
// and are in platform_ortak.cc.
#include "platform/platform.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <bcrypt.h>
#include <dxgi1_4.h>
// clang-format on

#include <cstring>

#include "platform/platform_ortak.h"

namespace vadu::platform {

using ortak::hataVer;

void uyu(uint32_t milisaniye) { Sleep(milisaniye); }

// ---------------------------------------------------------------------------
// Sockets
// ---------------------------------------------------------------------------

namespace {

// Records the error of the socket call that just failed.
int sistemHatasi() { return hataVer(WSAGetLastError()); }

SOCKET tutamac(Soket soket) { return static_cast<SOCKET>(soket); }

sockaddr_in ipv4Adresi(uint32_t adres, uint16_t port) {
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(adres);
  return a;
}

// A socket is a handle like any other: kept out of child processes.
Soket mirassizYap(SOCKET soket) {
  SetHandleInformation(reinterpret_cast<HANDLE>(soket), HANDLE_FLAG_INHERIT, 0);
  return static_cast<Soket>(soket);
}

bool akisSoketi(SOCKET soket) {
  int tur = 0;
  int uzunluk = sizeof tur;
  return getsockopt(soket, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&tur), &uzunluk) == 0 &&
         tur == SOCK_STREAM;
}

// TCP_NODELAY on a connected stream socket (platform.h says why). A failure
// leaves the socket as it was and is not the caller's error.
void gecikmesizYap(SOCKET soket) {
  const BOOL bir = TRUE;
  setsockopt(soket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&bir), sizeof bir);
}

}  // namespace

bool ortak::sistemKutuphanesiBaslat() {
  WSADATA bilgi;
  const int sonuc = WSAStartup(MAKEWORD(2, 2), &bilgi);
  if (sonuc != 0) {
    hataVer(sonuc);
    return false;
  }
  return true;
}

void ortak::sistemKutuphanesiBirak() { WSACleanup(); }

Soket soketAc(SoketTur tur) {
  if (!ortak::kutuphaneBasladi()) return GECERSIZ_SOKET;
  const bool akis = tur == SoketTur::Akis;
  const SOCKET yeni = socket(AF_INET, akis ? SOCK_STREAM : SOCK_DGRAM,
                             akis ? IPPROTO_TCP : IPPROTO_UDP);
  if (yeni == INVALID_SOCKET) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  return mirassizYap(yeni);
}

int soketKapat(Soket soket) {
  if (closesocket(tutamac(soket)) != 0) return sistemHatasi();
  return 0;
}

int soketSecenekAyarla(Soket soket, SoketSecenek secenek, int deger) {
  const int ad = secenek == SoketSecenek::Yayin ? SO_BROADCAST : SO_REUSEADDR;
  if (setsockopt(tutamac(soket), SOL_SOCKET, ad, reinterpret_cast<const char*>(&deger),
                 sizeof deger) != 0)
    return sistemHatasi();
  return 0;
}

int soketBlokajsizYap(Soket soket) {
  u_long bir = 1;
  if (ioctlsocket(tutamac(soket), FIONBIO, &bir) != 0) return sistemHatasi();
  return 0;
}

int soketAdresAta(Soket soket, uint32_t adres, uint16_t port) {
  // Windows itself lets a listener bind over connections in TIME_WAIT and
  // refuses a port with a live listener: nothing to add.
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (bind(tutamac(soket), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
    return sistemHatasi();
  return 0;
}

uint16_t soketYerelPort(Soket soket) {
  sockaddr_in a;
  int uzunluk = sizeof a;
  if (getsockname(tutamac(soket), reinterpret_cast<sockaddr*>(&a), &uzunluk) != 0) {
    sistemHatasi();
    return 0;
  }
  return ntohs(a.sin_port);
}

int soketDinle(Soket soket, int backlog) {
  if (listen(tutamac(soket), backlog) != 0) return sistemHatasi();
  return 0;
}

Soket soketKabulEt(Soket dinleyen) {
  // The accepted socket takes the listener's blocking mode from the system.
  const SOCKET yeni = accept(tutamac(dinleyen), nullptr, nullptr);
  if (yeni == INVALID_SOCKET) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  gecikmesizYap(yeni);
  return mirassizYap(yeni);
}

int soketBaglan(Soket soket, uint32_t adres, uint16_t port) {
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (connect(tutamac(soket), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
    return sistemHatasi();
  // A connected datagram socket has no Nagle delay to turn off.
  if (akisSoketi(tutamac(soket))) gecikmesizYap(tutamac(soket));
  return 0;
}

bool soketGecikmesizMi(Soket soket) {
  // Windows may write a one-byte BOOLEAN here; the rest stays zero.
  int deger = 0;
  int uzunluk = sizeof deger;
  if (getsockopt(tutamac(soket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&deger),
                 &uzunluk) != 0) {
    sistemHatasi();
    return false;
  }
  return deger != 0;
}

int soketGonder(Soket soket, const char* veri, int uzunluk) {
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  const int n = send(tutamac(soket), veri, uzunluk, 0);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketAl(Soket soket, char* tampon, int boyut) {
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  const int n = recv(tutamac(soket), tampon, boyut, 0);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketGonderAdrese(Soket soket, const char* veri, int uzunluk, uint32_t adres, uint16_t port) {
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  const sockaddr_in a = ipv4Adresi(adres, port);
  const int n = sendto(tutamac(soket), veri, uzunluk, 0, reinterpret_cast<const sockaddr*>(&a),
                       sizeof a);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketAlAdresten(Soket soket, char* tampon, int boyut, uint32_t* kaynakAdres,
                    uint16_t* kaynakPort) {
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  int uzunluk = sizeof a;
  // An oversize datagram fails with WSAEMSGSIZE, its head in the buffer.
  const int n = recvfrom(tutamac(soket), tampon, boyut, 0, reinterpret_cast<sockaddr*>(&a),
                         &uzunluk);
  if (n == SOCKET_ERROR) return sistemHatasi();
  if (kaynakAdres) *kaynakAdres = ntohl(a.sin_addr.s_addr);
  if (kaynakPort) *kaynakPort = ntohs(a.sin_port);
  return n;
}

bool ipv4Coz(const char* metin, uint32_t& adres) {
  if (!metin) return false;
  in_addr a;
  if (inet_pton(AF_INET, metin, &a) != 1) return false;
  adres = ntohl(a.s_addr);
  return true;
}

bool ipv4Yaz(uint32_t adres, char* tampon, size_t boyut) {
  char metin[INET_ADDRSTRLEN];
  in_addr a;
  a.s_addr = htonl(adres);
  if (!inet_ntop(AF_INET, &a, metin, sizeof metin)) return false;
  const size_t n = std::strlen(metin) + 1;
  if (!tampon || n > boyut) return false;
  std::memcpy(tampon, metin, n);
  return true;
}

// ---------------------------------------------------------------------------
// Machine figures
// ---------------------------------------------------------------------------

namespace {

uint64_t filetimeU64(const FILETIME& f) {
  return (static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

}  // namespace

bool sistemZamanlari(uint64_t& bosta, uint64_t& cekirdek, uint64_t& kullanici) {
  FILETIME b, c, k;
  if (!GetSystemTimes(&b, &c, &k)) return false;
  bosta = filetimeU64(b);
  cekirdek = filetimeU64(c);
  kullanici = filetimeU64(k);
  return true;
}

bool fizikselBellek(uint64_t& toplam, uint64_t& kullanilabilir) {
  MEMORYSTATUSEX durum;
  std::memset(&durum, 0, sizeof durum);
  durum.dwLength = sizeof durum;
  if (!GlobalMemoryStatusEx(&durum)) return false;
  toplam = durum.ullTotalPhys;
  kullanilabilir = durum.ullAvailPhys;
  return true;
}

bool programDiskiBosAlan(uint64_t& bayt) {
  wchar_t yol[MAX_PATH] = {};
  if (GetModuleFileNameW(nullptr, yol, MAX_PATH) <= 2) return false;
  // The root of the drive that holds the program's own file: "C:\".
  const wchar_t kok[4] = {yol[0], L':', L'\\', L'\0'};
  ULARGE_INTEGER bos;
  if (!GetDiskFreeSpaceExW(kok, &bos, nullptr, nullptr)) return false;
  bayt = bos.QuadPart;
  return true;
}

struct GrafikAdaptor {
  IDXGIAdapter3* arayuz;
};

GrafikAdaptor* grafikAdaptorAc() {
  IDXGIFactory1* fabrika = nullptr;
  if (FAILED(CreateDXGIFactory1(IID_IDXGIFactory1, reinterpret_cast<void**>(&fabrika))))
    return nullptr;
  IDXGIAdapter1* ilk = nullptr;
  IDXGIAdapter3* arayuz = nullptr;
  if (fabrika->EnumAdapters1(0, &ilk) == S_OK) {
    if (FAILED(ilk->QueryInterface(IID_IDXGIAdapter3, reinterpret_cast<void**>(&arayuz))))
      arayuz = nullptr;
    ilk->Release();
  }
  fabrika->Release();
  if (!arayuz) return nullptr;
  return new GrafikAdaptor{arayuz};
}

bool grafikBellekKullanimi(GrafikAdaptor* adaptor, uint64_t& bayt) {
  if (!adaptor) return false;
  DXGI_QUERY_VIDEO_MEMORY_INFO bilgi;
  std::memset(&bilgi, 0, sizeof bilgi);
  if (FAILED(adaptor->arayuz->QueryVideoMemoryInfo(0, DXGI_MEMORY_SEGMENT_GROUP_LOCAL, &bilgi)))
    return false;
  bayt = bilgi.CurrentUsage;
  return true;
}

void grafikAdaptorBirak(GrafikAdaptor* adaptor) {
  if (!adaptor) return;
  adaptor->arayuz->Release();
  delete adaptor;
}

// ---------------------------------------------------------------------------
// Random bytes and counters
// ---------------------------------------------------------------------------

bool ortak::sistemRastgeleDoldur(uint8_t* tampon, uint32_t uzunluk) {
  return BCryptGenRandom(nullptr, tampon, uzunluk, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

uint64_t ortak::sistemPerformansSayaci() {
  LARGE_INTEGER sayac;
  QueryPerformanceCounter(&sayac);
  return static_cast<uint64_t>(sayac.QuadPart);
}

uint64_t ortak::sistemTikSayisi() { return GetTickCount64(); }

}  // namespace vadu::platform
