#include "kinematik/aktarim.h"

#include <array>
#include <string>
#include <utility>

namespace vadu {

namespace {

std::array<double, 3> diziye(const Vektor3& vektor) { return {vektor.x, vektor.y, vektor.z}; }

std::array<double, 4> diziye(const Kuaterniyon& donus) {
  return {donus.x, donus.y, donus.z, donus.w};
}

Vektor3 vektore(const std::array<double, 3>& dizi) { return Vektor3(dizi[0], dizi[1], dizi[2]); }

// Taken exactly as stored: a document may hold an unnormalised rotation.
Kuaterniyon kuaterniyona(const std::array<double, 4>& dizi) {
  return Kuaterniyon(dizi[0], dizi[1], dizi[2], dizi[3]);
}

// The joint and law values that both forms hold under the same names and
// types, copied as they are in either direction.
template <class Kaynak, class Hedef>
void mafsalDegerleri(const Kaynak& kaynak, Hedef& hedef) {
  hedef.ad = kaynak.ad;
  hedef.tip = kaynak.tip;
  hedef.q = kaynak.q;
  hedef.q2 = kaynak.q2;
  hedef.q3 = kaynak.q3;
  hedef.vidaAdim = kaynak.vidaAdim;
  hedef.sinirAlt = kaynak.sinirAlt;
  hedef.sinirUst = kaynak.sinirUst;
}

template <class Kaynak, class Hedef>
void yasaDegerleri(const Kaynak& kaynak, Hedef& hedef) {
  hedef.tip = kaynak.tip;
  hedef.degisken = kaynak.degisken;
  hedef.deger = kaynak.deger;
  hedef.egim = kaynak.egim;
  hedef.genlik = kaynak.genlik;
  hedef.periyot = kaynak.periyot;
  hedef.faz = kaynak.faz;
  hedef.anahtarlar = kaynak.anahtarlar;
}

}  // namespace

void kinematikDisaAktar(const Mekanizma& mek, Belge& belge) {
  belge.uzuvlar.clear();
  belge.mafsallar.clear();
  belge.yasalar.clear();

  for (const Uzuv& u : mek.uzuvlar()) {
    BelgeUzuv fu;
    fu.ad = u.ad;
    fu.sahne = u.sahne;
    fu.konum = diziye(u.taban.konum);
    fu.donus = diziye(u.taban.donus);
    fu.olcek = diziye(u.taban.olcek);
    belge.uzuvlar.push_back(std::move(fu));
  }

  for (const Mafsal& m : mek.mafsallar()) {
    BelgeMafsal fm;
    mafsalDegerleri(m, fm);
    fm.ana = static_cast<uint32_t>(m.ana);
    fm.cocuk = static_cast<uint32_t>(m.cocuk);
    fm.capaKonum = diziye(m.capa.konum);
    fm.capaDonus = diziye(m.capa.donus);
    fm.capaCocukKonum = diziye(m.capaCocuk.konum);
    fm.capaCocukDonus = diziye(m.capaCocuk.donus);
    belge.mafsallar.push_back(std::move(fm));
  }

  for (const Yasa& y : mek.yasalar()) {
    BelgeYasa fy;
    fy.mafsal = static_cast<uint32_t>(y.mafsal);
    yasaDegerleri(y, fy);
    belge.yasalar.push_back(std::move(fy));
  }
}

void kinematikIceAktar(Mekanizma& mek, const std::vector<BelgeUzuv>& uzuvlar,
                       const std::vector<BelgeMafsal>& mafsallar,
                       const std::vector<BelgeYasa>& yasalar,
                       const std::unordered_map<uint32_t, uint32_t>& harita) {
  mek = Mekanizma();

  // 0 means "no node" and is never looked up; with no map at all the ids are
  // kept, while a map that lacks an id unbinds the link rather than leave it
  // pointing at a node of the old scene.
  const auto yeniKimlik = [&harita](uint32_t sahne) -> uint32_t {
    if (sahne == 0) return 0;
    if (harita.empty()) return sahne;
    const auto bulunan = harita.find(sahne);
    return bulunan != harita.end() ? bulunan->second : 0;
  };

  for (const BelgeUzuv& b : uzuvlar) {
    Donusum t;
    t.konum = vektore(b.konum);
    t.donus = kuaterniyona(b.donus);
    t.olcek = vektore(b.olcek);
    mek.uzuvEkle(b.ad, yeniKimlik(b.sahne), t);
  }

  for (const BelgeMafsal& b : mafsallar) {
    Mafsal m;
    mafsalDegerleri(b, m);
    m.ana = b.ana;
    m.cocuk = b.cocuk;
    m.capa.konum = vektore(b.capaKonum);
    m.capa.donus = kuaterniyona(b.capaDonus);
    m.capaCocuk.konum = vektore(b.capaCocukKonum);
    m.capaCocuk.donus = kuaterniyona(b.capaCocukDonus);
    mek.mafsalEkle(std::move(m));
  }

  for (const BelgeYasa& b : yasalar) {
    Yasa y;
    y.mafsal = b.mafsal;
    yasaDegerleri(b, y);
    mek.yasaEkle(std::move(y));
  }
}

}  // namespace vadu
