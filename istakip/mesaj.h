// The bodies of the job-tracking messages and the byte encoding of a record.
// Encoders return a fresh byte string; decoders read a whole body, accept
// trailing bytes and return false when a field is cut short. After a failure
// the outputs hold what was read before the failing field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "istakip/kayit.h"
#include "orkestra/cerceve.h"

namespace vadu::istakip {

// Smallest bodies: the fixed part before any record.
inline constexpr size_t SENKRON_ISTEK_BOYU = 16;
inline constexpr size_t SENKRON_CEVAP_BASI = 21;
inline constexpr size_t YAZMA_BILDIRIM_BASI = 16;
inline constexpr size_t YAZMA_ISTEK_BASI = 24;
inline constexpr size_t KIMLIK_SOR_BOYU = 24;
inline constexpr size_t KIMLIK_KANIT_BOYU = 40;

// A frame as the channels send it: process numbers 0.
SurecCerceve mesajCercevesi(SurecMesajTip tip, uint64_t korelasyon, std::string govde);

std::string sonucKodla(bool basarili, const std::string& sonuc);
bool sonucCoz(const std::string& govde, bool& basarili, std::string& sonuc);

// id, tur, surum, silindi, then at most 65535 name/value pairs.
std::string kayitKodla(const Kayit& k);
// The number of bytes kayitKodla writes for `k`.
size_t kayitBoyu(const Kayit& k);
// Reads one record at `p` and moves `p` past it.
bool kayitCoz(const uint8_t*& p, const uint8_t* son, Kayit& k);

std::string senkronIstegiKodla(uint64_t sonSurum, uint64_t istemciNo);
bool senkronIstegiCoz(const std::string& govde, uint64_t& sonSurum, uint64_t& istemciNo);

std::string senkronCevabiKodla(const std::vector<Kayit>& kayitlar, uint64_t yeniSurum,
                               uint64_t islenenSira, bool devamVar);
bool senkronCevabiCoz(const std::string& govde, std::vector<Kayit>& kayitlar, uint64_t& yeniSurum,
                      uint64_t& islenenSira, bool& devamVar);

std::string yazmaIstegiKodla(uint64_t istemciNo, uint64_t sira, uint64_t beklenenSurum,
                             const Kayit& k);
bool yazmaIstegiCoz(const std::string& govde, uint64_t& istemciNo, uint64_t& sira,
                    uint64_t& beklenenSurum, Kayit& k);

std::string yazmaBildirimiKodla(const Kayit& k, uint64_t yazarNo, uint64_t yazarSira);
bool yazmaBildirimiCoz(const std::string& govde, Kayit& k, uint64_t& yazarNo, uint64_t& yazarSira);

}  // namespace vadu::istakip
