// Conversion between a mechanism and the document's flat copy of it. The
// document keeps no anchor scale, so a round trip returns every anchor with
// the scale (1, 1, 1); everything else comes back as it went.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "kinematik/belge.h"
#include "kinematik/mekanizma.h"

namespace vadu {

// Replaces the document's links, joints and laws with those of `mek`; the
// rest of `belge` is left alone. Scene-node ids are written unchanged and
// indices are cut to their low 32 bits.
void kinematikDisaAktar(const Mekanizma& mek, Belge& belge);

// Replaces the whole of `mek` with the links, joints and laws of the three
// vectors. Each link's scene-node id is remapped through `harita` (old id to
// new id): 0 stays 0, an empty map keeps every id, an id the map lacks
// becomes 0 (the link is left unbound).
void kinematikIceAktar(Mekanizma& mek, const std::vector<BelgeUzuv>& uzuvlar,
                       const std::vector<BelgeMafsal>& mafsallar,
                       const std::vector<BelgeYasa>& yasalar,
                       const std::unordered_map<uint32_t, uint32_t>& harita);

}  // namespace vadu
