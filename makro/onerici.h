// Macro suggestion: a short history of the commands the user runs, the block
// of commands just repeated back to back at its end, and that block written as
// a Lua macro script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vadu {

// One command as (kategori, komut); a block or a history is oldest first.
using KomutCifti = std::pair<std::string, std::string>;
using KomutDizisi = std::vector<KomutCifti>;

// The current suggestion.
struct Oneri {
  bool var = false;
  KomutDizisi dizi;    // the last p commands of the history
  int32_t tekrar = 0;  // back-to-back copies of `dizi` ending the history
};

class MakroOnerici {
 public:
  MakroOnerici() = default;

  // Records one command and rebuilds the suggestion from the history. Ignored
  // while the feature is switched off, and for an empty group or command.
  void kaydet(const std::string& kategori, const std::string& komut);

  // Hands over the suggested block (empty without a suggestion) and starts
  // afresh, forgetting any rejection.
  KomutDizisi kabul();

  // Remembers the suggested block as rejected (no block: forgets the earlier
  // rejection) and starts afresh.
  void ret();

  bool oneriVar() const { return oneri_.var; }
  int oneriTekrar() const { return oneri_.tekrar; }
  const KomutDizisi& oneriDizi() const { return oneri_.dizi; }

  // Each pair as kategori 0x1F komut 0x1E; reads nothing of the object.
  std::string imza(const KomutDizisi& dizi) const;

  // The Lua script that runs `dizi` again through vadu.komut.calistir, with
  // `ad` in its first comment line.
  static std::string luaUret(const KomutDizisi& dizi, const std::string& ad);

 private:
  void tespitEt();
  // Empties the history and drops the suggestion: what kabul and ret leave,
  // so that detection starts from the commands recorded after them.
  void basaDon();

  int32_t minPeriyot_ = 2;
  int32_t maxPeriyot_ = 4;
  int32_t minTekrar_ = 2;
  std::size_t gecmisLimit_ = 32;
  KomutDizisi gecmis_;
  Oneri oneri_;
  std::string reddedilen_;  // imza of the last rejected block; empty: none
};

// The process-wide switch of the feature (initially on).
bool& makroOneriAcik();
// A second process-wide value of the feature (initially 2); nothing reads it.
int& makroOneriAyari();

}  // namespace vadu
