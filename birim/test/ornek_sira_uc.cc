// The third source of the program of ornek_sira_bir.cc.
#include "test/kontrol.h"

VADU_TEST(m_uc_ilk) { KONTROL(true); }

VADU_TEST(b_uc_ikinci) { KONTROL(true); }
