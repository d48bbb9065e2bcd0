// How joint variables become motion: the value of a motion law at a time, and
// the pose that a joint's kind, variables and anchor frames give its child
// link relative to its parent link.
#pragma once

#include <cstddef>
#include <vector>

#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"

namespace vadu {

// The law's value at `zaman`. A sine law with a period of 0 or less and a
// key-frame law without keys give `deger`; key frames are searched in stored
// order, never sorted, and two neighbours 1e-12 or less apart in time are not
// divided by: the later key's value is taken.
double yasaDegeri(const Yasa& yasa, double zaman);

// The child link's pose relative to the parent link:
// (capa · motion) · capaCocuk⁻¹, where the motion follows the joint's kind.
// The limits bind q of every kind but the spherical one, and never q2 or q3.
Donusum mafsalDonusumu(const Mafsal& mafsal);

// Places the children of the joints sira[0..adet) in that order, each as
// dunya[ana] · mafsalDonusumu(joint) gives it, within rounding: with every
// scale 1 and unit outer rotations the composition is regrouped into one
// rotation and one normalisation. This is the fast path of
// Mekanizma::ileriKinematik, whose comment names the plain definition and the
// tests that hold the two together. `uzuvSayisi` is the number of links in
// dunya.
void cocuklariYerlestir(const std::vector<Mafsal>& mafsallar, const size_t* sira, size_t adet,
                        size_t uzuvSayisi, Donusum* dunya);

}  // namespace vadu
