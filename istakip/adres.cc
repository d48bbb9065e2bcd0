#include "istakip/adres.h"

namespace vadu {

bool istakipAdresCoz(const std::string& metin, std::string& ip, uint16_t& port,
                     uint16_t varsayilanPort) {
  if (metin.empty()) return false;
  const size_t ayrac = metin.rfind(':');
  if (ayrac == std::string::npos) {
    ip = metin;
    port = varsayilanPort;
    return true;
  }
  ip = metin.substr(0, ayrac);
  if (ip.empty() || ayrac + 1 == metin.size()) return false;
  uint32_t deger = 0;
  for (size_t i = ayrac + 1; i < metin.size(); ++i) {
    const char c = metin[i];
    if (c < '0' || c > '9') return false;
    deger = deger * 10 + static_cast<uint32_t>(c - '0');
    if (deger > 0xFFFF) return false;
  }
  if (deger == 0) return false;
  port = static_cast<uint16_t>(deger);
  return true;
}

}  // namespace vadu
