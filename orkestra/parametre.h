// The parameter list: the body of a Parametre frame, a name and ordered
// (key, value) string pairs.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vadu {

using ParametreListesi = std::vector<std::pair<std::string, std::string>>;

// At most the first 65535 pairs are written; any after them are left out
// (the count is a u16). A string longer than 65535 bytes is cut to its first
// 65535.
std::string paramSerialize(const std::string& ad, const ParametreListesi& parametreler);

// False when the name, the count or any key or value is cut short. A cut name
// leaves `ad` and `cikan` as they were; a cut count leaves the name in `ad`; a
// cut pair leaves in `cikan` the complete pairs before it. Trailing bytes are
// ignored.
bool paramCoz(const std::string& govde, std::string& ad, ParametreListesi& cikan);

}  // namespace vadu
