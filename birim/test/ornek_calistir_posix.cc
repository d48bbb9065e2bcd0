// Runs a sample program through the shell and reads its pipe.
#include "birim/test/ornek_calistir.h"

#include <cstdio>

#include <sys/wait.h>

namespace vadu::test {

Calisma ornekCalistir(const char* yol) {
  Calisma c;
  const std::string komut = std::string("'") + yol + "' 2>/dev/null";
  FILE* boru = popen(komut.c_str(), "r");
  if (boru == nullptr) return c;
  char tampon[4096];
  size_t n;
  while ((n = fread(tampon, 1, sizeof tampon, boru)) > 0) c.cikti.append(tampon, n);
  const int s = pclose(boru);
  c.normalBitti = WIFEXITED(s);
  if (c.normalBitti) c.durum = WEXITSTATUS(s);
  return c;
}

}  // namespace vadu::test
