// Runs one of the harness's sample programs and collects what the harness
// itself shows: its standard output and how it ended. Each platform has its own
// source for it; the tests only see this.
#pragma once

#include <string>

namespace vadu::test {

struct Calisma {
  std::string cikti;         // standard output, lines ending in "\n"
  bool normalBitti = false;  // the program returned or exited (not killed)
  int durum = -1;            // its exit status, when it ended normally
};

// Standard error is dropped: the runtime's note on an uncaught exception goes
// there, and the report is standard output only.
Calisma ornekCalistir(const char* yol);

}  // namespace vadu::test
