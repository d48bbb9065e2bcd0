// The king's channel and one client's (number 777, on connection 1) wired
// together over the in-memory pair, with pairing required and one key that
// both hold.
#pragma once

#include <cstdint>

#include "birim/istakip/bellek_tasima.h"
#include "istakip/depo.h"
#include "istakip/istemci.h"
#include "istakip/istemci_kanal.h"
#include "istakip/kanit.h"
#include "istakip/kral_kanal.h"
#include "istakip/merkez.h"

namespace vadu::istakip {

struct EslesmeliKanalCifti {
  EslesmeliKanalCifti() {
    ortak[0] = 1;
    kral.eslesmeZorunlu = true;
    kral.kralNo = 42;
    kral.anahtarBul = [this](uint64_t no) { return no == 777 ? &ortak : nullptr; };
    kanal.anahtarBul = [this](uint64_t no) { return no == 42 ? &ortak : nullptr; };
  }

  BellekAg ag;
  DepoBellek depo;
  IsMerkez merkez{depo};
  IsKralKanal kral{merkez, ag.kral, 2};
  IsIstemci ist{777};
  IsIstemciKanal kanal{ist, ag.istemciler[1], NodeAdres{}};
  Anahtar ortak{};
};

}  // namespace vadu::istakip
