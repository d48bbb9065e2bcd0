// The one door to the operating system. Library code calls these functions
// and nothing of the system itself; each platform has one implementation file
// that gives the results and error codes documented here, so the libraries
// see the same behaviour everywhere. What needs no system call (the thread's
// last error, the start-up count, the random hooks) is written once, in
// platform_ortak.cc, for both.
//
// The sockets follow Windows Sockets 2: the same calls, the same results and
// the same error numbers (the WSAE... values below), whatever the system
// underneath. Addresses and ports are passed in host byte order; converting
// to network order is the layer's business.
//
// Beyond Windows Sockets, connected stream sockets send at once: after a
// successful soketBaglan of a stream socket, and on every socket that
// soketKabulEt hands out, the layer sets TCP_NODELAY (IPPROTO_TCP), turning
// Nagle's algorithm off. With it on, a small frame written right behind
// another one (a notice behind a reply, say) is held back until the peer
// acknowledges the first, and peers delay their acknowledgements by about
// 40 ms: every such pair of frames would stall that long, and neither the
// peers nor the callers of this layer allow for a pause. Setting the option
// is best effort: should it fail, the socket is used as it is, and the call's
// result and the thread's last error are those of the call alone. Datagram
// sockets are left as they are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vadu::platform {

// Sleeps the calling thread for at least `milisaniye` milliseconds.
void uyu(uint32_t milisaniye);

// ---------------------------------------------------------------------------
// Sockets (IPv4 only)
// ---------------------------------------------------------------------------

// A socket handle. GECERSIZ_SOKET (INVALID_SOCKET) is what a failed socket()
// or accept() returns. A valid handle is never 0, so owners may keep 0 for
// "no socket".
using Soket = uint64_t;
inline constexpr Soket GECERSIZ_SOKET = ~static_cast<Soket>(0);

// The failure result of the int-returning socket calls (SOCKET_ERROR).
inline constexpr int SOKET_HATASI = -1;

// Error numbers of soketSonHata(), the Windows Sockets values.
inline constexpr int HATA_KESINTI = 10004;       // WSAEINTR (never seen: retried inside)
inline constexpr int HATA_IZIN = 10013;          // WSAEACCES (e.g. broadcast not allowed)
inline constexpr int HATA_ADRES_HATALI = 10014;  // WSAEFAULT
inline constexpr int HATA_GECERSIZ = 10022;      // WSAEINVAL (also any error without a counterpart)
inline constexpr int HATA_COK_SOKET = 10024;     // WSAEMFILE
inline constexpr int HATA_BLOKLANIR = 10035;     // WSAEWOULDBLOCK
inline constexpr int HATA_SURUYOR = 10036;       // WSAEINPROGRESS
inline constexpr int HATA_ZATEN = 10037;         // WSAEALREADY
inline constexpr int HATA_SOKET_DEGIL = 10038;   // WSAENOTSOCK (also an invalid handle)
inline constexpr int HATA_HEDEF_YOK = 10039;     // WSAEDESTADDRREQ
inline constexpr int HATA_MESAJ_BUYUK = 10040;   // WSAEMSGSIZE
inline constexpr int HATA_SECENEK_YOK = 10042;   // WSAENOPROTOOPT
inline constexpr int HATA_PROTOKOL_YOK = 10043;  // WSAEPROTONOSUPPORT
inline constexpr int HATA_DESTEKLENMEZ = 10045;  // WSAEOPNOTSUPP
inline constexpr int HATA_AILE_YOK = 10047;      // WSAEAFNOSUPPORT
inline constexpr int HATA_ADRES_KULLANIMDA = 10048;  // WSAEADDRINUSE
inline constexpr int HATA_ADRES_YOK = 10049;         // WSAEADDRNOTAVAIL
inline constexpr int HATA_AG_KAPALI = 10050;         // WSAENETDOWN
inline constexpr int HATA_AG_ULASILMAZ = 10051;      // WSAENETUNREACH
inline constexpr int HATA_BAGLANTI_KOPTU = 10053;    // WSAECONNABORTED
inline constexpr int HATA_BAGLANTI_SIFIRLANDI =
    10054;                                           // WSAECONNRESET (also a send to a closed peer)
inline constexpr int HATA_TAMPON_YOK = 10055;        // WSAENOBUFS
inline constexpr int HATA_ZATEN_BAGLI = 10056;       // WSAEISCONN
inline constexpr int HATA_BAGLI_DEGIL = 10057;       // WSAENOTCONN
inline constexpr int HATA_ZAMAN_ASIMI = 10060;       // WSAETIMEDOUT
inline constexpr int HATA_BAGLANTI_REDDI = 10061;    // WSAECONNREFUSED
inline constexpr int HATA_MAKINE_ULASILMAZ = 10065;  // WSAEHOSTUNREACH
inline constexpr int HATA_BASLATILMADI = 10093;      // WSANOTINITIALISED

// IPv4 addresses in host byte order (127.0.0.1 is 0x7F000001).
inline constexpr uint32_t IPV4_HER_ADRES = 0x00000000;   // INADDR_ANY
inline constexpr uint32_t IPV4_YAYIN = 0xFFFFFFFF;       // the limited broadcast address
inline constexpr uint32_t IPV4_GERI_DONGU = 0x7F000001;  // 127.0.0.1

// Room for a dotted IPv4 text and its terminating zero (INET_ADDRSTRLEN).
inline constexpr size_t IPV4_METIN_BOYU = 16;

enum class SoketTur : uint8_t {
  Akis,      // SOCK_STREAM with IPPROTO_TCP
  Datagram,  // SOCK_DGRAM with IPPROTO_UDP
};

enum class SoketSecenek : uint8_t {
  Yayin,        // SOL_SOCKET SO_BROADCAST: sendto the broadcast address is allowed
  AdresPaylas,  // SOL_SOCKET SO_REUSEADDR: datagram sockets may share a bound port
};
// A datagram socket without AdresPaylas cannot bind a port that sockets with
// it hold, on every system. The other way round the systems differ: Linux
// refuses a socket with the option a port held by one without it, Windows
// lets it in unless the holder asked for exclusive use. Callers rely on
// neither.

// WSAStartup(2.2). True when the socket library is started (WSAStartup
// returned 0). Start-ups are counted per process: each successful call owes
// one soketKutuphanesiBirak, and the library stays usable while the count is
// above zero. Thread-safe.
bool soketKutuphanesiBaslat();

// WSACleanup: releases one start-up. Without an outstanding start-up it does
// nothing (and the last error becomes HATA_BASLATILMADI). Thread-safe.
void soketKutuphanesiBirak();

// The number of start-ups not yet released, for tests that check an object
// pays back what it took.
uint32_t soketKutuphanesiSayaci();

// socket(AF_INET, SOCK_STREAM/SOCK_DGRAM, IPPROTO_TCP/IPPROTO_UDP). A blocking
// socket, not inherited by child processes. GECERSIZ_SOKET on failure, with
// HATA_BASLATILMADI when no start-up is outstanding.
Soket soketAc(SoketTur tur);

// closesocket. 0 on success, SOKET_HATASI for a handle that is not an open
// socket (HATA_SOKET_DEGIL). The handle is gone either way.
int soketKapat(Soket soket);

// setsockopt(SOL_SOCKET, option, int deger, 4). 0 or SOKET_HATASI.
int soketSecenekAyarla(Soket soket, SoketSecenek secenek, int deger);

// ioctlsocket(FIONBIO, 1): from now on calls that would wait fail with
// HATA_BLOKLANIR instead. 0 or SOKET_HATASI.
int soketBlokajsizYap(Soket soket);

// bind to `adres`:`port` (port 0: any free port). 0 or SOKET_HATASI
// (HATA_ADRES_KULLANIMDA when the port is taken).
// Stream sockets behave as on Windows: a port whose earlier connections still
// sit in TIME_WAIT can be bound again at once, while a port with a live
// listener is refused with HATA_ADRES_KULLANIMDA. Implementations add
// whatever the system needs for that themselves (POSIX: SO_REUSEADDR on
// stream sockets before bind; Windows: nothing).
int soketAdresAta(Soket soket, uint32_t adres, uint16_t port);

// The port that a bound socket holds (getsockname), host order; 0 on failure.
// For tests that bind port 0 and need to know what they got.
uint16_t soketYerelPort(Soket soket);

// listen(backlog). 0 or SOKET_HATASI.
int soketDinle(Soket soket, int backlog);

// accept, no peer address asked for. The new socket inherits the listener's
// blocking mode, as on Windows, and sends at once (TCP_NODELAY, see the top).
// GECERSIZ_SOKET on failure, with HATA_BLOKLANIR when a non-blocking listener
// has nothing waiting.
Soket soketKabulEt(Soket dinleyen);

// connect to `adres`:`port`. On a blocking socket it waits until the
// connection is made or fails: 0, or SOKET_HATASI with e.g.
// HATA_BAGLANTI_REDDI (nothing listens) or HATA_ZAMAN_ASIMI. A signal never
// cuts it short. A stream socket connected here sends at once (TCP_NODELAY,
// see the top); a non-blocking connect that reports HATA_BLOKLANIR has not
// connected yet and gets nothing.
int soketBaglan(Soket soket, uint32_t adres, uint16_t port);

// TCP_NODELAY read back (getsockopt): true when the socket sends small
// writes at once. False while Nagle's algorithm is on, and on failure (a
// datagram socket or a bad handle, with the last error set). For tests, like
// soketYerelPort.
bool soketGecikmesizMi(Soket soket);

// send(flags 0) of at most `uzunluk` bytes (uzunluk >= 0). The number of bytes
// taken (possibly fewer than asked) or SOKET_HATASI: HATA_BLOKLANIR when the
// send buffer of a non-blocking socket is full; HATA_BAGLANTI_SIFIRLANDI (or
// HATA_BAGLANTI_KOPTU) when the peer is gone. Never raises a signal: a send to
// a closed peer is an error result and the process carries on.
int soketGonder(Soket soket, const char* veri, int uzunluk);

// recv(flags 0) into at most `boyut` bytes. The number received; 0 when the
// peer has closed the connection (stream); SOKET_HATASI with HATA_BLOKLANIR
// when a non-blocking socket has nothing yet, or another error.
int soketAl(Soket soket, char* tampon, int boyut);

// sendto(flags 0) one datagram to `adres`:`port`. The number of bytes sent or
// SOKET_HATASI (HATA_IZIN for the broadcast address without SoketSecenek::Yayin,
// HATA_MESAJ_BUYUK for a datagram too large for the system).
int soketGonderAdrese(Soket soket, const char* veri, int uzunluk, uint32_t adres, uint16_t port);

// recvfrom(flags 0) of one datagram into at most `boyut` bytes; the sender's
// address and port go to `kaynakAdres` and `kaynakPort` when they are not
// null (left untouched on failure). The datagram's length (0 for an empty
// one), or SOKET_HATASI: HATA_BLOKLANIR when nothing waits; HATA_MESAJ_BUYUK
// when the datagram was larger than `boyut` - as on Windows, that datagram is
// consumed, `tampon` holds its first `boyut` bytes and the call still fails.
int soketAlAdresten(Soket soket, char* tampon, int boyut, uint32_t* kaynakAdres,
                    uint16_t* kaynakPort);

// The error number of the latest failing socket call of this thread
// (WSAGetLastError). Successful calls leave it as it was.
int soketSonHata();

// inet_pton(AF_INET): true for a dotted-decimal IPv4 text ("127.0.0.1"),
// writing the address to `adres`; false for anything else (a host name, an
// IPv6 text, garbage, null), leaving `adres` untouched. No name is ever looked
// up.
bool ipv4Coz(const char* metin, uint32_t& adres);

// inet_ntop(AF_INET): writes the dotted-decimal text of `adres` with its
// terminating zero to `tampon`. False (tampon untouched) when `boyut` cannot
// hold it; IPV4_METIN_BOYU always can.
bool ipv4Yaz(uint32_t adres, char* tampon, size_t boyut);

// ---------------------------------------------------------------------------
// Machine figures
// ---------------------------------------------------------------------------

// GetSystemTimes: cumulative times of all processors since start-up, in
// 100-nanosecond units. `cekirdek` includes `bosta` (kernel time counts the
// idle time), `kullanici` does not. False when the system cannot tell (the
// arguments are then untouched).
bool sistemZamanlari(uint64_t& bosta, uint64_t& cekirdek, uint64_t& kullanici);

// GlobalMemoryStatusEx: total and available physical memory in bytes
// (ullTotalPhys, ullAvailPhys). False when unknown (arguments untouched).
bool fizikselBellek(uint64_t& toplam, uint64_t& kullanilabilir);

// GetModuleFileNameW + GetDiskFreeSpaceExW: bytes available to the caller on
// the file system (Windows: the drive root) that holds the program's own
// executable. False when either step fails (argument untouched).
bool programDiskiBosAlan(uint64_t& bayt);

// The first graphics adapter (DXGI adapter 0 as IDXGIAdapter3). The caller
// owns what grafikAdaptorAc returns and gives it back with grafikAdaptorBirak.
struct GrafikAdaptor;

// Null when there is no adapter or no adapter interface (POSIX: always null).
GrafikAdaptor* grafikAdaptorAc();

// QueryVideoMemoryInfo(0, local segment group): CurrentUsage in bytes. False on
// failure or a null adapter (argument untouched).
bool grafikBellekKullanimi(GrafikAdaptor* adaptor, uint64_t& bayt);

// Releases the adapter; null is allowed.
void grafikAdaptorBirak(GrafikAdaptor* adaptor);

// ---------------------------------------------------------------------------
// Random bytes and counters
// ---------------------------------------------------------------------------

// BCryptGenRandom with the system preferred generator: fills
// tampon[0..uzunluk-1]. True on success; false when the kernel's generator
// failed (the buffer may then hold anything).
bool sistemRastgele(uint8_t* tampon, uint32_t uzunluk);

// QueryPerformanceCounter: a monotonic counter of high resolution (its unit is
// the platform's).
uint64_t performansSayaci();

// GetTickCount64: monotonic milliseconds since an arbitrary start.
uint64_t tikSayisi();

// A seam for tests: while installed, the three calls above answer from it
// instead of the system (a null member keeps the system's answer). Null
// removes it. Not thread-safe; install and remove around a test only.
struct RastgeleKancalari {
  bool (*sistemRastgele)(uint8_t* tampon, uint32_t uzunluk) = nullptr;
  uint64_t (*performansSayaci)() = nullptr;
  uint64_t (*tikSayisi)() = nullptr;
};
void rastgeleKancalariAyarla(const RastgeleKancalari* kancalar);

}  // namespace vadu::platform
