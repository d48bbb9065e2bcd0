// The platform layer over Win32 (64-bit Windows).
//
// The sockets are Windows Sockets 2 itself, so its results and error numbers
// are the layer's without translation. The one thing added is the thread's
// last error: it is captured right after each failing call, because other
// system calls made before the caller asks may overwrite the system's own.
#include "platform/platform.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <bcrypt.h>
#include <dxgi1_4.h>
// clang-format on

#include <atomic>
#include <cstring>

namespace vadu::platform {

void uyu(uint32_t ms) { Sleep(ms); }

// ---------------------------------------------------------------------------
// Sockets
// ---------------------------------------------------------------------------

namespace {

std::atomic<uint32_t> baslatmaSayaci{0};
thread_local int sonHata = 0;

int hataVer(int wsa) {
  sonHata = wsa;
  return SOKET_HATASI;
}

// Records the error of the socket call that just failed.
int sistemHatasi() { return hataVer(WSAGetLastError()); }

SOCKET tutamac(Soket s) { return static_cast<SOCKET>(s); }

sockaddr_in ipv4Adresi(uint32_t adres, uint16_t port) {
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(adres);
  return a;
}

// A socket is a handle like any other: kept out of child processes.
Soket mirassizYap(SOCKET s) {
  SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
  return static_cast<Soket>(s);
}

}  // namespace

bool soketKutuphanesiBaslat() {
  WSADATA bilgi;
  const int sonuc = WSAStartup(MAKEWORD(2, 2), &bilgi);
  if (sonuc != 0) {
    hataVer(sonuc);
    return false;
  }
  baslatmaSayaci.fetch_add(1, std::memory_order_acq_rel);
  return true;
}

void soketKutuphanesiBirak() {
  uint32_t n = baslatmaSayaci.load(std::memory_order_acquire);
  while (n > 0 && !baslatmaSayaci.compare_exchange_weak(n, n - 1, std::memory_order_acq_rel)) {
  }
  if (n == 0) {
    hataVer(HATA_BASLATILMADI);
    return;
  }
  WSACleanup();
}

uint32_t soketKutuphanesiSayaci() { return baslatmaSayaci.load(std::memory_order_acquire); }

Soket soketAc(SoketTur tur) {
  if (baslatmaSayaci.load(std::memory_order_acquire) == 0) {
    hataVer(HATA_BASLATILMADI);
    return GECERSIZ_SOKET;
  }
  const bool akis = tur == SoketTur::Akis;
  const SOCKET s = socket(AF_INET, akis ? SOCK_STREAM : SOCK_DGRAM, akis ? IPPROTO_TCP : IPPROTO_UDP);
  if (s == INVALID_SOCKET) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  return mirassizYap(s);
}

int soketKapat(Soket s) {
  if (closesocket(tutamac(s)) != 0) return sistemHatasi();
  return 0;
}

int soketSecenekAyarla(Soket s, SoketSecenek secenek, int deger) {
  const int ad = secenek == SoketSecenek::Yayin ? SO_BROADCAST : SO_REUSEADDR;
  if (setsockopt(tutamac(s), SOL_SOCKET, ad, reinterpret_cast<const char*>(&deger), sizeof deger) != 0)
    return sistemHatasi();
  return 0;
}

int soketBlokajsizYap(Soket s) {
  u_long bir = 1;
  if (ioctlsocket(tutamac(s), FIONBIO, &bir) != 0) return sistemHatasi();
  return 0;
}

int soketAdresAta(Soket s, uint32_t adres, uint16_t port) {
  // Windows itself lets a listener bind over connections in TIME_WAIT and
  // refuses a port with a live listener: nothing to add.
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (bind(tutamac(s), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) return sistemHatasi();
  return 0;
}

uint16_t soketYerelPort(Soket s) {
  sockaddr_in a;
  int uzunluk = sizeof a;
  if (getsockname(tutamac(s), reinterpret_cast<sockaddr*>(&a), &uzunluk) != 0) {
    sistemHatasi();
    return 0;
  }
  return ntohs(a.sin_port);
}

int soketDinle(Soket s, int backlog) {
  if (listen(tutamac(s), backlog) != 0) return sistemHatasi();
  return 0;
}

Soket soketKabulEt(Soket dinleyen) {
  // The accepted socket takes the listener's blocking mode from the system.
  const SOCKET yeni = accept(tutamac(dinleyen), nullptr, nullptr);
  if (yeni == INVALID_SOCKET) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  return mirassizYap(yeni);
}

int soketBaglan(Soket s, uint32_t adres, uint16_t port) {
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (connect(tutamac(s), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) return sistemHatasi();
  return 0;
}

int soketGonder(Soket s, const char* veri, int uzunluk) {
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  const int n = send(tutamac(s), veri, uzunluk, 0);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketAl(Soket s, char* tampon, int boyut) {
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  const int n = recv(tutamac(s), tampon, boyut, 0);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketGonderAdrese(Soket s, const char* veri, int uzunluk, uint32_t adres, uint16_t port) {
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  const sockaddr_in a = ipv4Adresi(adres, port);
  const int n =
      sendto(tutamac(s), veri, uzunluk, 0, reinterpret_cast<const sockaddr*>(&a), sizeof a);
  if (n == SOCKET_ERROR) return sistemHatasi();
  return n;
}

int soketAlAdresten(Soket s, char* tampon, int boyut, uint32_t* kaynakAdres, uint16_t* kaynakPort) {
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  int uzunluk = sizeof a;
  // An oversize datagram fails with WSAEMSGSIZE, its head in the buffer.
  const int n = recvfrom(tutamac(s), tampon, boyut, 0, reinterpret_cast<sockaddr*>(&a), &uzunluk);
  if (n == SOCKET_ERROR) return sistemHatasi();
  if (kaynakAdres) *kaynakAdres = ntohl(a.sin_addr.s_addr);
  if (kaynakPort) *kaynakPort = ntohs(a.sin_port);
  return n;
}

int soketSonHata() { return sonHata; }

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

namespace {

RastgeleKancalari kancalar;

}  // namespace

bool sistemRastgele(uint8_t* p, uint32_t n) {
  if (kancalar.sistemRastgele) return kancalar.sistemRastgele(p, n);
  return BCryptGenRandom(nullptr, p, n, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

uint64_t performansSayaci() {
  if (kancalar.performansSayaci) return kancalar.performansSayaci();
  LARGE_INTEGER sayac;
  QueryPerformanceCounter(&sayac);
  return static_cast<uint64_t>(sayac.QuadPart);
}

uint64_t tikSayisi() {
  if (kancalar.tikSayisi) return kancalar.tikSayisi();
  return GetTickCount64();
}

void rastgeleKancalariAyarla(const RastgeleKancalari* yeni) {
  kancalar = yeni ? *yeni : RastgeleKancalari{};
}

}  // namespace vadu::platform
