// The first of three sources of one program; the run follows the sources'
// order, then the order of definition within each.
#include "test/kontrol.h"

VADU_TEST(z_bir_ilk) { KONTROL(true); }

VADU_TEST(c_bir_ikinci) { KONTROL(true); }

int main() { return vadu::test::testleriCalistir(); }
