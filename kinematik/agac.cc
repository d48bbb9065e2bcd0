#include "kinematik/agac.h"

#include <cstddef>
#include <string>

namespace vadu {

namespace {

const char* const IKON_MEKANIZMA = "\xE2\x9A\x99";    // U+2699 gear
const char* const IKON_UZUVLAR = "\xF0\x9F\x94\xA7";  // U+1F527 wrench
const char* const IKON_UZUV = "\xF0\x9F\x94\xA9";     // U+1F529 nut and bolt
const char* const IKON_MAFSAL = "\xF0\x9F\x94\x97";   // U+1F517 link

const char* const GOVDE = "G\xC3\xB6vde";
const char* const OK = " \xE2\x86\x92 ";  // " → "

AgacDugumu grupDugumu(const char* etiket, const char* ikon) {
  AgacDugumu d;
  d.etiket = etiket;
  d.ikon = ikon;
  d.arketip = Arketip::Grup;
  return d;
}

std::string varsayilanUzuvAdi(size_t uzuvNo) { return "Uzuv." + std::to_string(uzuvNo); }

}  // namespace

void KinematikAgac::dalEkle(const Mekanizma& mek, std::vector<AgacDugumu>& kok) const {
  const std::vector<Uzuv>& uzuvlar = mek.uzuvlar();
  const std::vector<Mafsal>& mafsallar = mek.mafsallar();

  // A link 0 bound to no scene node is the ground body: it has no node of its
  // own and joint labels call it "Gövde".
  const bool govdeVar = !uzuvlar.empty() && uzuvlar[0].sahne == 0;
  const size_t ilkUzuv = govdeVar ? 1 : 0;
  if (uzuvlar.size() <= ilkUzuv && mafsallar.empty()) return;

  const auto uzuvAdi = [&uzuvlar, govdeVar](size_t uzuvNo) -> std::string {
    if (uzuvNo == 0 && govdeVar) return GOVDE;
    if (uzuvNo < uzuvlar.size() && !uzuvlar[uzuvNo].ad.empty()) return uzuvlar[uzuvNo].ad;
    return varsayilanUzuvAdi(uzuvNo);
  };

  AgacDugumu grup = grupDugumu("", IKON_MEKANIZMA);
  grup.etiket = "Mekanizma (DOF " + std::to_string(mek.serbestlikDerecesi()) + ")";

  AgacDugumu gUzuv = grupDugumu("Uzuvlar", IKON_UZUVLAR);
  for (size_t i = ilkUzuv; i < uzuvlar.size(); ++i) {
    const Uzuv& u = uzuvlar[i];
    AgacDugumu n;
    n.etiket = u.ad.empty() ? varsayilanUzuvAdi(i) : u.ad;
    n.ikon = IKON_UZUV;
    if (u.sahne != 0) n.varlik = VarlikKimlik{u.sahne};
    n.camKimlik = static_cast<uint32_t>(i);
    gUzuv.cocuklar.push_back(n);
  }
  if (!gUzuv.cocuklar.empty()) grup.cocuklar.push_back(gUzuv);

  AgacDugumu gMafsal = grupDugumu("Mafsallar", IKON_MAFSAL);
  for (size_t j = 0; j < mafsallar.size(); ++j) {
    const Mafsal& m = mafsallar[j];
    AgacDugumu n;
    n.etiket = m.ad.empty() ? std::string(mafsalTipAdi(m.tip)) : m.ad;
    n.etiket += "  " + uzuvAdi(m.ana) + OK + uzuvAdi(m.cocuk);
    n.ikon = IKON_MAFSAL;
    n.camKimlik = static_cast<uint32_t>(j + 1);
    gMafsal.cocuklar.push_back(n);
  }
  if (!gMafsal.cocuklar.empty()) grup.cocuklar.push_back(gMafsal);

  kok.push_back(grup);
}

}  // namespace vadu
