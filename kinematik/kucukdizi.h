// n values of T, on the stack while n is small: forward kinematics runs in
// the solver's inner loop and in every step of the collision sweep, and most
// mechanisms have a handful of links.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vadu {

template <class T>
class KucukDizi {
 public:
  // Only the `adet` values in use are set to T(), not the whole stack array.
  explicit KucukDizi(size_t adet) {
    if (adet > KUCUK) {
      buyuk_.assign(adet, T());
      veri_ = buyuk_.data();
    } else {
      std::fill_n(veri_, adet, T());
    }
  }
  // veri_ may point into the object itself.
  KucukDizi(const KucukDizi&) = delete;
  KucukDizi& operator=(const KucukDizi&) = delete;

  T& operator[](size_t sira) { return veri_[sira]; }
  T* data() { return veri_; }

 private:
  static constexpr size_t KUCUK = 64;
  T kucuk_[KUCUK];
  std::vector<T> buyuk_;
  T* veri_ = kucuk_;
};

}  // namespace vadu
