// The self-check program's entry point; it defines no check.
#include "test/kontrol.h"

int main() { return vadu::test::testleriCalistir(); }
