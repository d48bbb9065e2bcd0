#include "kinematik/aktarim.h"

#include <array>
#include <string>
#include <utility>

namespace vadu {

namespace {

std::array<double, 3> diziye(const Vektor3& v) { return {v.x, v.y, v.z}; }

std::array<double, 4> diziye(const Kuaterniyon& q) { return {q.x, q.y, q.z, q.w}; }

Vektor3 vektore(const std::array<double, 3>& d) { return Vektor3(d[0], d[1], d[2]); }

// Taken exactly as stored: a document may hold an unnormalised rotation.
Kuaterniyon kuaterniyona(const std::array<double, 4>& d) {
  return Kuaterniyon(d[0], d[1], d[2], d[3]);
}

// The joint and law values that both forms hold under the same names and
// types, copied as they are in either direction.
template <class Kaynak, class Hedef>
void mafsalDegerleri(const Kaynak& k, Hedef& h) {
  h.ad = k.ad;
  h.tip = k.tip;
  h.q = k.q;
  h.q2 = k.q2;
  h.q3 = k.q3;
  h.vidaAdim = k.vidaAdim;
  h.sinirAlt = k.sinirAlt;
  h.sinirUst = k.sinirUst;
}

template <class Kaynak, class Hedef>
void yasaDegerleri(const Kaynak& k, Hedef& h) {
  h.tip = k.tip;
  h.degisken = k.degisken;
  h.deger = k.deger;
  h.egim = k.egim;
  h.genlik = k.genlik;
  h.periyot = k.periyot;
  h.faz = k.faz;
  h.anahtarlar = k.anahtarlar;
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
  const auto yeniKimlik = [&harita](uint32_t s) -> uint32_t {
    if (s == 0) return 0;
    if (harita.empty()) return s;
    const auto bulunan = harita.find(s);
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
