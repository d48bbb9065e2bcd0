// A check that lets an exception escape after an earlier check has passed.
#include <stdexcept>

#include "test/kontrol.h"

VADU_TEST(once_gecen) { KONTROL(true); }

VADU_TEST(firlatan) {
  KONTROL(true);
  throw std::runtime_error("kacti");
}

VADU_TEST(sonra_gelen) { KONTROL(true); }

int main() { return vadu::test::testleriCalistir(); }
