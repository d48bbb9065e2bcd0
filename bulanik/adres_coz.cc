// istakipAdresCoz over arbitrary text and default ports. The verdict agrees
// with a plain reading of host:port (the host everything before the last
// ':', the port 1 to 65535 in decimal digits, leading zeros allowed); `ip`
// is written once the host part is known, `port` only on success; and a
// parsed address printed back as host:port parses to the same values.
// The first two bytes give the default port, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "bulanik/bulanik.h"
#include "istakip/adres.h"
#include "orkestra/kodlama.h"

using namespace vadu;

namespace {

// The port part's value, or -1 when it is not 1 to 65535 in digits.
long portDegeri(const std::string& s) {
  if (s.empty()) return -1;
  size_t i = 0;
  while (i < s.size() && s[i] == '0') ++i;
  const std::string anlamli = s.substr(i);
  if (anlamli.size() > 5) return -1;
  long v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
  }
  for (char c : anlamli) v = v * 10 + (c - '0');
  return v >= 1 && v <= 65535 ? v : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* veri, size_t boy) {
  if (boy < 2) return 0;
  const uint16_t varsayilan = leOkuU16(veri);
  const std::string metin(reinterpret_cast<const char*>(veri) + 2, boy - 2);

  const std::string ONCEKI_IP = "dokunulmamis";
  const uint16_t ONCEKI_PORT = 4321;
  std::string ip = ONCEKI_IP;
  uint16_t port = ONCEKI_PORT;
  const bool tamam = istakipAdresCoz(metin, ip, port, varsayilan);

  const size_t ayrac = metin.rfind(':');
  if (metin.empty()) {
    BULANIK_SART(!tamam && ip == ONCEKI_IP && port == ONCEKI_PORT);
    return 0;
  }
  if (ayrac == std::string::npos) {
    BULANIK_SART(tamam && ip == metin && port == varsayilan);
    return 0;
  }
  const std::string bas = metin.substr(0, ayrac);
  const long beklenen = portDegeri(metin.substr(ayrac + 1));
  BULANIK_SART(ip == bas);
  BULANIK_SART(tamam == (!bas.empty() && beklenen > 0));
  if (!tamam) {
    BULANIK_SART(port == ONCEKI_PORT);
    return 0;
  }
  BULANIK_SART(port == beklenen && port != 0);

  // Printed back, with a default that must not be used, it reads the same.
  std::string ip2;
  uint16_t port2 = 0;
  BULANIK_SART(istakipAdresCoz(ip + ":" + std::to_string(port), ip2, port2,
                               static_cast<uint16_t>(port + 1)));
  BULANIK_SART(ip2 == ip && port2 == port);
  return 0;
}
