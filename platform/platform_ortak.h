// Inside the platform layer only: what its two halves share. The shared
// source (platform_ortak.cc) keeps the thread's last error, the count of
// socket-library start-ups and the test hooks of the random source, none of
// which needs the system; each half gives the few system calls declared at
// the end of this header. Library code includes platform/platform.h, never
// this.
#pragma once

#include <cstdint>

namespace vadu::platform::ortak {

// Makes `hata` (a Windows Sockets number) the thread's last error and returns
// SOKET_HATASI, so that a failing call can end in `return hataVer(...)`.
int hataVer(int hata);

// True while a start-up of the socket library is outstanding; otherwise the
// last error becomes HATA_BASLATILMADI and the answer is false.
bool kutuphaneBasladi();

// Given by each half.

// The system's own start-up of the socket library (WSAStartup 2.2), made
// before the layer counts it; a failure records its error and is not counted.
// POSIX has nothing to start.
bool sistemKutuphanesiBaslat();
// The system's release of one start-up (WSACleanup), made after the layer has
// taken it off the count.
void sistemKutuphanesiBirak();

// The system's answers behind the random hooks of platform.h: its generator
// (true when all `uzunluk` bytes were filled), its high-resolution counter
// and its milliseconds since an arbitrary start.
bool sistemRastgeleDoldur(uint8_t* tampon, uint32_t uzunluk);
uint64_t sistemPerformansSayaci();
uint64_t sistemTikSayisi();

}  // namespace vadu::platform::ortak
