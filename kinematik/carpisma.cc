#include "kinematik/carpisma.h"

#include <algorithm>

namespace vadu {

double ortusmeOrani(const Kutu& a, const Kutu& b) {
  const double dx = std::min(a.max.x, b.max.x) - std::max(a.min.x, b.min.x);
  const double dy = std::min(a.max.y, b.max.y) - std::max(a.min.y, b.min.y);
  const double dz = std::min(a.max.z, b.max.z) - std::max(a.min.z, b.min.z);
  if (!(dx > 0.0) || !(dy > 0.0) || !(dz > 0.0)) return 0.0;
  const Vektor3 ba = a.boyut();
  const Vektor3 bb = b.boyut();
  const double s = std::min(ba.x * ba.y * ba.z, bb.x * bb.y * bb.z);
  if (s > 1e-12) return (dx * dy * dz) / s;
  return 0.0;
}

}  // namespace vadu
