// How joint variables become motion: the value of a motion law at a time, and
// the pose that a joint's kind, variables and anchor frames give its child
// link relative to its parent link.
#pragma once

#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"

namespace vadu {

// The law's value at time t. A sine law with a period of 0 or less and a
// key-frame law without keys give `deger`; key frames are searched in stored
// order, never sorted, and two neighbours 1e-12 or less apart in time are not
// divided by: the later key's value is taken.
double yasaDegeri(const Yasa& y, double t);

// The child link's pose relative to the parent link:
// (capa · motion) · capaCocuk⁻¹, where the motion follows the joint's kind.
// The limits bind q of every kind but the spherical one, and never q2 or q3.
Donusum mafsalDonusumu(const Mafsal& m);

// The two halves of mafsalDonusumu, for a caller that places many joints at
// once and lets the independent halves of different joints overlap: the joint
// frame on the parent moved by the motion, capa · motion, and that composed
// with the inverse of the child's anchor. capaCocugaGetir(capaHareketi(m), m)
// is mafsalDonusumu(m), value for value.
Donusum capaHareketi(const Mafsal& m);
Donusum capaCocugaGetir(const Donusum& capaHareketi, const Mafsal& m);

}  // namespace vadu
