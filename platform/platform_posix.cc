// The platform layer over POSIX (Linux).
//
// Sockets give the Windows Sockets results: every failing call captures errno
// right after the system call and translates it in one place (wsaHatasi) into
// the thread's last error; EINTR is retried inside, so a signal never shows.
// What needs no system call (the last error itself, the start-up count, the
// random hooks) is in platform_ortak.cc.
#include "platform/platform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/platform_ortak.h"

namespace vadu::platform {

using ortak::hataVer;

void uyu(uint32_t milisaniye) {
  timespec kalan{static_cast<time_t>(milisaniye / 1000),
                 static_cast<long>(milisaniye % 1000) * 1000000L};
  // A signal cuts the sleep short; sleep the rest of it.
  while (nanosleep(&kalan, &kalan) != 0 && errno == EINTR) {
  }
}

// ---------------------------------------------------------------------------
// Sockets
// ---------------------------------------------------------------------------

namespace {

// errno to the Windows Sockets number. The one place where system errors get
// their meaning for the libraries.
int wsaHatasi(int hata) {
  switch (hata) {
    case EINTR: return HATA_KESINTI;
    case EACCES:
    case EPERM: return HATA_IZIN;
    case EFAULT: return HATA_ADRES_HATALI;
    case EMFILE:
    case ENFILE: return HATA_COK_SOKET;
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
      return HATA_BLOKLANIR;
    case EINPROGRESS: return HATA_SURUYOR;
    case EALREADY: return HATA_ZATEN;
    case EBADF:
    case ENOTSOCK: return HATA_SOKET_DEGIL;
    case EDESTADDRREQ: return HATA_HEDEF_YOK;
    case EMSGSIZE: return HATA_MESAJ_BUYUK;
    case ENOPROTOOPT: return HATA_SECENEK_YOK;
    case EPROTONOSUPPORT: return HATA_PROTOKOL_YOK;
    case EOPNOTSUPP: return HATA_DESTEKLENMEZ;
    case EAFNOSUPPORT: return HATA_AILE_YOK;
    case EADDRINUSE: return HATA_ADRES_KULLANIMDA;
    case EADDRNOTAVAIL: return HATA_ADRES_YOK;
    case ENETDOWN: return HATA_AG_KAPALI;
    case ENETUNREACH: return HATA_AG_ULASILMAZ;
    case ECONNABORTED: return HATA_BAGLANTI_KOPTU;
    case ECONNRESET:
    case EPIPE: return HATA_BAGLANTI_SIFIRLANDI;
    case ENOBUFS:
    case ENOMEM: return HATA_TAMPON_YOK;
    case EISCONN: return HATA_ZATEN_BAGLI;
    case ENOTCONN: return HATA_BAGLI_DEGIL;
    case ETIMEDOUT: return HATA_ZAMAN_ASIMI;
    case ECONNREFUSED: return HATA_BAGLANTI_REDDI;
    case EHOSTUNREACH: return HATA_MAKINE_ULASILMAZ;
    default: return HATA_GECERSIZ;
  }
}

// Records the errno of the call that just failed.
int sistemHatasi() { return hataVer(wsaHatasi(errno)); }

// The descriptor behind a handle; false (HATA_SOKET_DEGIL) for a handle that
// cannot be one.
bool tanimlayici(Soket soket, int& fd) {
  if (soket > static_cast<Soket>(INT_MAX)) {
    hataVer(HATA_SOKET_DEGIL);
    return false;
  }
  fd = static_cast<int>(soket);
  return true;
}

// Handles are never 0, so a socket that landed on descriptor 0 (standard
// input closed) moves up.
Soket tutamacYap(int fd) {
  if (fd != 0) return static_cast<Soket>(fd);
  const int yeni = fcntl(fd, F_DUPFD_CLOEXEC, 1);
  const int hata = errno;
  close(fd);
  if (yeni < 0) {
    hataVer(wsaHatasi(hata));
    return GECERSIZ_SOKET;
  }
  return static_cast<Soket>(yeni);
}

sockaddr_in ipv4Adresi(uint32_t adres, uint16_t port) {
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(adres);
  return a;
}

bool akisSoketi(int fd) {
  int tur = 0;
  socklen_t uzunluk = sizeof tur;
  return getsockopt(fd, SOL_SOCKET, SO_TYPE, &tur, &uzunluk) == 0 && tur == SOCK_STREAM;
}

// TCP_NODELAY on a connected stream socket (platform.h says why). A failure
// leaves the socket as it was and is not the caller's error.
void gecikmesizYap(int fd) {
  const int bir = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &bir, sizeof bir);
}

}  // namespace

// Nothing to start: the system's sockets are always there. The layer's count
// alone decides whether a socket may be made, as on Windows.
bool ortak::sistemKutuphanesiBaslat() { return true; }

void ortak::sistemKutuphanesiBirak() {}

Soket soketAc(SoketTur tur) {
  if (!ortak::kutuphaneBasladi()) return GECERSIZ_SOKET;
  const bool akis = tur == SoketTur::Akis;
  const int fd = socket(AF_INET, (akis ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC,
                        akis ? IPPROTO_TCP : IPPROTO_UDP);
  if (fd < 0) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  return tutamacYap(fd);
}

int soketKapat(Soket soket) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  // Linux releases the descriptor even when close reports EINTR, so it is
  // never retried (a retry could close a descriptor opened meanwhile).
  if (close(fd) != 0 && errno != EINTR) return sistemHatasi();
  return 0;
}

int soketSecenekAyarla(Soket soket, SoketSecenek secenek, int deger) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  const int ad = secenek == SoketSecenek::Yayin ? SO_BROADCAST : SO_REUSEADDR;
  if (setsockopt(fd, SOL_SOCKET, ad, &deger, sizeof deger) != 0) return sistemHatasi();
  return 0;
}

int soketBlokajsizYap(Soket soket) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  const int bayraklar = fcntl(fd, F_GETFL);
  if (bayraklar < 0 || fcntl(fd, F_SETFL, bayraklar | O_NONBLOCK) != 0) return sistemHatasi();
  return 0;
}

int soketAdresAta(Soket soket, uint32_t adres, uint16_t port) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  // Windows lets a listener bind over connections in TIME_WAIT; Linux does so
  // only with SO_REUSEADDR, which still refuses a port with a live listener.
  if (akisSoketi(fd)) {
    const int bir = 1;
    if (setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &bir, sizeof bir) != 0) return sistemHatasi();
  }
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) return sistemHatasi();
  return 0;
}

uint16_t soketYerelPort(Soket soket) {
  int fd;
  if (!tanimlayici(soket, fd)) return 0;
  sockaddr_in a;
  socklen_t uzunluk = sizeof a;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&a), &uzunluk) != 0) {
    sistemHatasi();
    return 0;
  }
  return ntohs(a.sin_port);
}

int soketDinle(Soket soket, int backlog) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (listen(fd, backlog) != 0) return sistemHatasi();
  return 0;
}

Soket soketKabulEt(Soket dinleyen) {
  int fd;
  if (!tanimlayici(dinleyen, fd)) return GECERSIZ_SOKET;
  int yeni;
  do {
    yeni = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
  } while (yeni < 0 && errno == EINTR);
  if (yeni < 0) {
    sistemHatasi();
    return GECERSIZ_SOKET;
  }
  // Windows hands out accepted sockets in the listener's blocking mode. The
  // mode is asked only once a connection is there, so that polling an idle
  // listener costs one system call.
  const int bayraklar = fcntl(fd, F_GETFL);
  if (bayraklar < 0 || ((bayraklar & O_NONBLOCK) && fcntl(yeni, F_SETFL, O_NONBLOCK) != 0)) {
    sistemHatasi();
    close(yeni);
    return GECERSIZ_SOKET;
  }
  gecikmesizYap(yeni);
  return tutamacYap(yeni);
}

namespace {

// connect with the Windows results: 0 or SOKET_HATASI.
int baglantiKur(int fd, uint32_t adres, uint16_t port) {
  const sockaddr_in a = ipv4Adresi(adres, port);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) return 0;
  const int hata = errno;
  // A non-blocking connect that has started reports would-block on Windows.
  if (hata == EINPROGRESS) return hataVer(HATA_BLOKLANIR);
  if (hata != EINTR) return hataVer(wsaHatasi(hata));
  // Interrupted: the attempt goes on in the kernel and cannot be restarted;
  // wait for its end and take its outcome.
  pollfd p{fd, POLLOUT, 0};
  int r;
  do {
    r = poll(&p, 1, -1);
  } while (r < 0 && errno == EINTR);
  if (r < 0) return sistemHatasi();
  int sonuc = 0;
  socklen_t uzunluk = sizeof sonuc;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &sonuc, &uzunluk) != 0) return sistemHatasi();
  if (sonuc != 0) return hataVer(wsaHatasi(sonuc));
  return 0;
}

}  // namespace

int soketBaglan(Soket soket, uint32_t adres, uint16_t port) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (baglantiKur(fd, adres, port) != 0) return SOKET_HATASI;
  // A connected datagram socket has no Nagle delay to turn off.
  if (akisSoketi(fd)) gecikmesizYap(fd);
  return 0;
}

bool soketGecikmesizMi(Soket soket) {
  int fd;
  if (!tanimlayici(soket, fd)) return false;
  int deger = 0;
  socklen_t uzunluk = sizeof deger;
  if (getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &deger, &uzunluk) != 0) {
    sistemHatasi();
    return false;
  }
  return deger != 0;
}

int soketGonder(Soket soket, const char* veri, int uzunluk) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  ssize_t n;
  do {
    // A peer that has gone must not raise SIGPIPE: Windows reports an error.
    n = send(fd, veri, static_cast<size_t>(uzunluk), MSG_NOSIGNAL);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return sistemHatasi();
  return static_cast<int>(n);
}

int soketAl(Soket soket, char* tampon, int boyut) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  ssize_t n;
  do {
    n = recv(fd, tampon, static_cast<size_t>(boyut), 0);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return sistemHatasi();
  return static_cast<int>(n);
}

int soketGonderAdrese(Soket soket, const char* veri, int uzunluk, uint32_t adres, uint16_t port) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (uzunluk < 0) return hataVer(HATA_GECERSIZ);
  const sockaddr_in a = ipv4Adresi(adres, port);
  ssize_t n;
  do {
    n = sendto(fd, veri, static_cast<size_t>(uzunluk), MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&a), sizeof a);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return sistemHatasi();
  return static_cast<int>(n);
}

int soketAlAdresten(Soket soket, char* tampon, int boyut, uint32_t* kaynakAdres,
                    uint16_t* kaynakPort) {
  int fd;
  if (!tanimlayici(soket, fd)) return SOKET_HATASI;
  if (boyut < 0) return hataVer(HATA_GECERSIZ);
  sockaddr_in a;
  std::memset(&a, 0, sizeof a);
  iovec parca{tampon, static_cast<size_t>(boyut)};
  msghdr m;
  std::memset(&m, 0, sizeof m);
  m.msg_name = &a;
  m.msg_namelen = sizeof a;
  m.msg_iov = &parca;
  m.msg_iovlen = 1;
  ssize_t n;
  do {
    n = recvmsg(fd, &m, 0);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return sistemHatasi();
  // Linux cuts an oversize datagram silently; Windows fails the receive.
  if (m.msg_flags & MSG_TRUNC) return hataVer(HATA_MESAJ_BUYUK);
  if (kaynakAdres) *kaynakAdres = ntohl(a.sin_addr.s_addr);
  if (kaynakPort) *kaynakPort = ntohs(a.sin_port);
  return static_cast<int>(n);
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

// Reads a small file of the kernel (procfs) whole; false when it cannot.
bool cekirdekDosyasi(const char* yol, char* tampon, size_t boyut) {
  const int fd = open(yol, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  size_t dolu = 0;
  while (dolu + 1 < boyut) {
    const ssize_t n = read(fd, tampon + dolu, boyut - 1 - dolu);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    dolu += static_cast<size_t>(n);
  }
  close(fd);
  tampon[dolu] = '\0';
  return dolu > 0;
}

// The kB value of one "Ad:   123 kB" line of /proc/meminfo.
bool bellekSatiri(const char* metin, const char* ad, uint64_t& kb) {
  const char* p = std::strstr(metin, ad);
  while (p && p != metin && p[-1] != '\n') p = std::strstr(p + 1, ad);
  if (!p) return false;
  char* son = nullptr;
  kb = std::strtoull(p + std::strlen(ad), &son, 10);
  return son != p + std::strlen(ad);
}

}  // namespace

bool sistemZamanlari(uint64_t& bosta, uint64_t& cekirdek, uint64_t& kullanici) {
  char metin[512];
  if (!cekirdekDosyasi("/proc/stat", metin, sizeof metin)) return false;
  if (std::strncmp(metin, "cpu ", 4) != 0) return false;
  // cpu  user nice system idle iowait irq softirq steal ...
  uint64_t t[8] = {};
  const char* p = metin + 4;
  for (uint64_t& deger : t) {
    char* son = nullptr;
    deger = std::strtoull(p, &son, 10);
    if (son == p) return false;
    p = son;
  }
  const long saat = sysconf(_SC_CLK_TCK);
  if (saat <= 0) return false;
  const uint64_t birim = 10000000ull / static_cast<uint64_t>(saat);  // 100-ns units per tick
  // Time waiting for I/O is left out of both figures: Linux lets the
  // iowait count run backwards, which would make the idle and kernel times
  // shrink between two readings, and callers subtract them.
  const uint64_t kullaniciTik = t[0] + t[1];
  const uint64_t bostaTik = t[3];
  const uint64_t cekirdekTik = t[2] + t[5] + t[6] + bostaTik;  // kernel time includes idle
  bosta = bostaTik * birim;
  cekirdek = cekirdekTik * birim;
  kullanici = kullaniciTik * birim;
  return true;
}

bool fizikselBellek(uint64_t& toplam, uint64_t& kullanilabilir) {
  char metin[4096];
  if (!cekirdekDosyasi("/proc/meminfo", metin, sizeof metin)) return false;
  uint64_t toplamKb = 0;
  uint64_t kullanilabilirKb = 0;
  if (!bellekSatiri(metin, "MemTotal:", toplamKb)) return false;
  if (!bellekSatiri(metin, "MemAvailable:", kullanilabilirKb)) {
    // Kernels before 3.14 do not estimate it; free plus page cache is near.
    uint64_t bos = 0, tampon = 0, onbellek = 0;
    if (!bellekSatiri(metin, "MemFree:", bos)) return false;
    bellekSatiri(metin, "Buffers:", tampon);
    bellekSatiri(metin, "Cached:", onbellek);
    kullanilabilirKb = bos + tampon + onbellek;
  }
  toplam = toplamKb * 1024;
  kullanilabilir = kullanilabilirKb * 1024;
  return true;
}

bool programDiskiBosAlan(uint64_t& bayt) {
  char yol[4096];
  const ssize_t n = readlink("/proc/self/exe", yol, sizeof yol - 1);
  if (n <= 0) return false;
  yol[n] = '\0';
  struct statvfs fs;
  int r;
  do {
    r = statvfs(yol, &fs);
  } while (r != 0 && errno == EINTR);
  if (r != 0) return false;
  bayt = static_cast<uint64_t>(fs.f_bavail) * static_cast<uint64_t>(fs.f_frsize);
  return true;
}

// There is no graphics-adapter interface here: the lookup always fails.
GrafikAdaptor* grafikAdaptorAc() { return nullptr; }

bool grafikBellekKullanimi(GrafikAdaptor*, uint64_t&) { return false; }

void grafikAdaptorBirak(GrafikAdaptor*) {}

// ---------------------------------------------------------------------------
// Random bytes and counters
// ---------------------------------------------------------------------------

namespace {

uint64_t monotonikNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000000ull + static_cast<uint64_t>(t.tv_nsec);
}

}  // namespace

bool ortak::sistemRastgeleDoldur(uint8_t* tampon, uint32_t uzunluk) {
  size_t dolu = 0;
  while (dolu < uzunluk) {
    const ssize_t r = getrandom(tampon + dolu, uzunluk - dolu, 0);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    dolu += static_cast<size_t>(r);
  }
  return true;
}

uint64_t ortak::sistemPerformansSayaci() { return monotonikNs(); }

uint64_t ortak::sistemTikSayisi() { return monotonikNs() / 1000000ull; }

}  // namespace vadu::platform
