// The second source of the program of ornek_sira_bir.cc.
#include "test/kontrol.h"

VADU_TEST(a_iki) { KONTROL(true); }
