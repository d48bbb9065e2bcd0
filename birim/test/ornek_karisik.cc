// Checks defined in an order their names would not sort in, one with failures.
#include <string>

#include "test/kontrol.h"

VADU_TEST(z_once) {
  const std::string s = "a\nb";
  KONTROL(s.size() == 3);
  KONTROL(s == "a\\nb");
  if (s.empty())
    KONTROL(false);
  else
    KONTROL(true);
  KONTROL(1 + 1 == 3);
  KONTROL(s[1] == '\n');
}

VADU_TEST(a_bos) {}

VADU_TEST(m_gecen) {
  for (int i = 0; i < 3; ++i) KONTROL(i < 3);
}

int main() { return vadu::test::testleriCalistir(); }
