// The mechanism's branch of the interface tree: a group node labelled with the
// degrees of freedom, holding a group of link nodes and a group of joint nodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kinematik/mekanizma.h"

namespace vadu {

// Identifier of a scene entity; a type of its own so that it is not mixed up
// with the indices and counters beside it.
enum class VarlikKimlik : uint32_t {};

// The entity id of a node that stands for no entity.
inline constexpr VarlikKimlik VARLIK_YOK{0};

// What kind of content a node stands for; the kinematics branch uses only the
// group value, link and joint nodes keep `Yok`.
enum class Arketip : uint8_t {
  Yok = 0,
  Grup = 14,
};

struct AgacDugumu {
  std::string etiket;
  VarlikKimlik varlik = VARLIK_YOK;
  uint32_t camKimlik = 0;      // number within its group: link index, joint index + 1
  uint8_t acik = 0;            // expanded in the view; set by the application only
  const char* ikon = nullptr;  // static UTF-8 text of one symbol, null: none
  Arketip arketip = Arketip::Yok;
  uint8_t vurgu = 0;    // highlight state; set by the application only
  uint32_t ekVeri = 0;  // the application's own tag; set by it only
  std::vector<AgacDugumu> cocuklar;
};

class KinematikAgac {
 public:
  // Appends the branch of `mek` to the end of `kok`, or nothing when the
  // mechanism has no link to list and no joint.
  void dalEkle(const Mekanizma& mek, std::vector<AgacDugumu>& kok) const;
};

}  // namespace vadu
