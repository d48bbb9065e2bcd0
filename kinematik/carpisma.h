// Collision sweep: runs a mechanism through a time interval in equal steps and
// reports each pair of links whose axis-aligned world boxes overlap, once, at
// the first step where they do.
#pragma once

#include <cstddef>
#include <vector>

#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"

namespace vadu {

struct Carpisma {
  size_t uzuvA = 0;
  size_t uzuvB = 0;    // always above uzuvA
  double zaman = 0.0;  // time of the first step with an overlap
  double oran = 0.0;   // overlap volume over the smaller box's volume, in (0, 1]
};

// The overlap volume of the two boxes over the smaller volume; 0 when they
// only touch, are apart, or the smaller box has no volume.
double ortusmeOrani(const Kutu& birinci, const Kutu& ikinci);

// Steps from t0 to t1 inclusive (adim steps), applying the laws, closing the
// loops and moving each link's local box (yerelKutular[i] for link i) by its
// world pose. With komsuAtla, links joined by a joint are never tested. The
// mechanism is left at the last step's joint values; fewer than two links, no
// boxes or no steps leave it untouched and give an empty list.
std::vector<Carpisma> carpismaTara(Mekanizma& mek, const std::vector<Kutu>& yerelKutular, double t0,
                                   double t1, int adim, bool komsuAtla);

}  // namespace vadu
