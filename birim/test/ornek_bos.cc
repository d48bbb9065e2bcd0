// A program with no check registered.
#include "test/kontrol.h"

int main() { return vadu::test::testleriCalistir(); }
