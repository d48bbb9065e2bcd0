// Splits an address text host:port for whoever configures a client transport.
#pragma once

#include <cstdint>
#include <string>

namespace vadu {

// The host is everything before the last ':'; without a ':' the whole text is
// the host and the port is `varsayilanPort`. Refuses an empty text, an empty
// host or port part, a port with anything but digits, above 65535, or 0.
// `ip` is written as soon as the host part is known, even when the port is
// then refused; `port` only on success.
bool istakipAdresCoz(const std::string& metin, std::string& ip, uint16_t& port,
                     uint16_t varsayilanPort);

}  // namespace vadu
