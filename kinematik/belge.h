// The document record: what one open design document holds in memory. The
// kinematics library owns the three vectors `uzuvlar`, `mafsallar` and
// `yasalar`, the document's flat copy of a mechanism; the rest is carried for
// the other parts of the application, which this program does not contain.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kinematik/mekanizma.h"

namespace vadu {

// How the document was last looked at: the camera and the drawing settings.
struct BelgeGorunum {
  float donusX = 0.0f;  // camera orientation, w last
  float donusY = 0.0f;
  float donusZ = 0.0f;
  float donusW = 1.0f;
  float hedefX = 0.0f;  // the point the camera turns about
  float hedefY = 0.0f;
  float hedefZ = 0.0f;
  float uzaklik = 9.0f;
  float gorusAcisi = 45.0f;  // degrees
  uint8_t izdusum = 0;       // 0 perspective, 1 parallel
  float izgaraAdim = 1.0f;
  float cizgiKalinlik = 1.0f;
  float arkaPlanTon = 0.82f;
  float yaziBoyu = 14.0f;
};

// A point of a sketch or a drawing sheet.
struct BelgeNokta2 {
  double x = 0.0;
  double y = 0.0;
};

// A layer that scene nodes are sorted into.
struct BelgeKatman {
  uint32_t kimlik = 0;
  std::string ad;
  uint8_t gorunur = 1;
  uint8_t kilitli = 0;
  std::array<float, 4> renk{0.0f, 0.0f, 0.0f, 1.0f};
};

// A triangle mesh with the file it came from; the shared cache holds the
// uploaded form and is shared with the renderer.
struct BelgeAg {
  uint32_t kimlik = 0;
  uint32_t sahne = 0;
  std::string ad;
  std::string kaynakYol;
  std::vector<float> koseler;
  std::vector<size_t> ucgenler;
  std::vector<size_t> kenarlar;
  std::vector<size_t> yuzGruplari;
  std::shared_ptr<const std::vector<uint8_t>> onbellek;
};

// A spline curve: control points with their in and out tangents.
struct BelgeEgri {
  uint32_t kimlik = 0;
  uint32_t sahne = 0;
  std::vector<std::array<double, 3>> noktalar;
  std::vector<std::array<double, 3>> tegetGiris;
  std::vector<std::array<double, 3>> tegetCikis;
  uint8_t kapali = 0;
  uint32_t cozunurluk = 16;
};

// A light source.
struct BelgeIsik {
  uint32_t kimlik = 0;
  uint8_t tur = 0;
  std::array<float, 3> konum{};
  std::array<float, 3> yon{0.0f, 0.0f, -1.0f};
  std::array<float, 3> renk{1.0f, 1.0f, 1.0f};
  float siddet = 1.0f;
};

// A plane sketch: a closed or open polyline on a plane of the scene.
struct BelgeCizim {
  uint32_t kimlik = 0;
  uint32_t duzlem = 0;
  std::vector<BelgeNokta2> noktalar;
};

// One user property of the document: key, value and unit.
struct BelgeOzellik {
  std::string anahtar;
  std::string deger;
  std::string birim;
  uint8_t tur = 0;
};

// A note pinned into the scene.
struct BelgeNot {
  uint32_t kimlik = 0;
  std::string baslik;
  std::array<double, 3> konum{};
  uint32_t renk = 0;
  std::string metin;
};

// One named channel of a material (roughness, metalness, ...).
struct BelgeMalzemeKanal {
  std::string ad;
  float deger = 0.0f;
};

// A material and the scene nodes that wear it.
struct BelgeMalzeme {
  uint32_t kimlik = 0;
  std::string ad;
  std::string dokuYolu;
  std::array<float, 4> renk{1.0f, 1.0f, 1.0f, 1.0f};
  std::vector<BelgeMalzemeKanal> kanallar;
  std::vector<std::pair<std::string, std::string>> etiketler;
  std::vector<uint32_t> uyeler;
  std::vector<int32_t> katmanSirasi;
};

// A saved camera position.
struct BelgeKamera {
  uint32_t kimlik = 0;
  std::array<float, 7> poz{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  std::string ad;
};

// A named group of scene nodes.
struct BelgeGrup {
  uint32_t kimlik = 0;
  uint32_t ana = 0;
  std::string ad;
};

// One measured value recorded on a part.
struct BelgeParcaOlcu {
  uint32_t tur = 0;
  std::string ad;
  double deger = 0.0;
};

// A link from a part to an outside reference.
struct BelgeParcaBag {
  uint32_t tur = 0;
  std::string baslik;
  std::string adres;
};

// A manufactured part with its catalogue data.
struct BelgeParca {
  uint32_t kimlik = 0;
  std::string ad;
  double kutle = 0.0;
  uint32_t adet = 1;
  std::string malzeme;
  std::string parcaNo;
  std::string revizyon;
  std::string tedarikci;
  std::string aciklama;
  std::string yazar;
  std::string tarih;
  std::vector<BelgeParcaOlcu> olculer;
  std::vector<BelgeParcaBag> baglar;
};

// A drawing sheet with its frame outline and title-block fields.
struct BelgeSayfa {
  uint32_t kimlik = 0;
  std::string ad;
  double genislik = 297.0;
  double yukseklik = 210.0;
  std::vector<BelgeNokta2> cerceve;
  double olcek = 1.0;
  std::string sablon;
  std::vector<std::pair<std::string, std::string>> baslikAlanlari;
  uint8_t yatay = 1;
};

// One labelled field of an export preset.
struct BelgeCiktiAlani {
  std::string etiket;
  uint32_t deger = 0;
};

// An export preset: format, target and its eight settings.
struct BelgeCikti {
  uint32_t kimlik = 0;
  std::string ad;
  std::string bicim;
  std::string hedefYol;
  uint32_t cozunurluk = 300;
  std::array<BelgeCiktiAlani, 8> alanlar{};
  uint8_t etkin = 1;
};

// A geometric constraint between two scene nodes.
struct BelgeKisit {
  uint32_t kimlik = 0;
  uint8_t tur = 0;
  uint32_t birinci = 0;
  uint32_t ikinci = 0;
  double deger = 0.0;
};

// A marker on the animation time line.
struct BelgeZamanIsareti {
  double zaman = 0.0;
  uint32_t renk = 0;
};

// A link of the document's mechanism; the pose is the link's base pose.
struct BelgeUzuv {
  std::string ad;
  uint32_t sahne = 0;  // scene-node id, 0: bound to no node
  std::array<double, 3> konum{0.0, 0.0, 0.0};
  std::array<double, 4> donus{0.0, 0.0, 0.0, 1.0};  // x, y, z, w
  std::array<double, 3> olcek{1.0, 1.0, 1.0};
};

// A joint of the document's mechanism. The anchors keep no scale.
struct BelgeMafsal {
  std::string ad;
  MafsalTip tip = MafsalTip::Doner;
  uint32_t ana = 0;
  uint32_t cocuk = 0;
  std::array<double, 3> capaKonum{0.0, 0.0, 0.0};
  std::array<double, 4> capaDonus{0.0, 0.0, 0.0, 1.0};
  std::array<double, 3> capaCocukKonum{0.0, 0.0, 0.0};
  std::array<double, 4> capaCocukDonus{0.0, 0.0, 0.0, 1.0};
  double q = 0.0;
  double q2 = 0.0;
  double q3 = 0.0;
  double vidaAdim = 1.0;
  double sinirAlt = 1.0;  // lower above upper: no limits
  double sinirUst = -1.0;
};

// A motion law of the document's mechanism.
struct BelgeYasa {
  uint32_t mafsal = 0;
  YasaTip tip = YasaTip::Sabit;
  int32_t degisken = 0;
  double deger = 0.0;
  double egim = 0.0;
  double genlik = 0.0;
  double periyot = 1.0;
  double faz = 0.0;
  std::vector<std::pair<double, double>> anahtarlar;  // (time, value), stored order
};

struct Belge {
  BelgeGorunum gorunum;
  std::vector<BelgeKatman> katmanlar;
  std::vector<BelgeAg> aglar;
  std::vector<BelgeEgri> egriler;
  std::vector<BelgeIsik> isiklar;
  std::vector<BelgeCizim> cizimler;
  std::vector<BelgeOzellik> ozellikler;
  std::vector<BelgeNot> notlar;
  std::vector<BelgeMalzeme> malzemeler;
  std::vector<BelgeKamera> kameralar;
  std::vector<BelgeGrup> gruplar;
  std::vector<uint32_t> secim;  // scene-node ids of the selection
  int32_t etkinKatman = 0;
  std::vector<BelgeParca> parcalar;
  std::vector<BelgeSayfa> sayfalar;
  std::vector<BelgeCikti> ciktilar;
  std::vector<BelgeKisit> kisitlar;
  std::vector<BelgeUzuv> uzuvlar;
  std::vector<BelgeMafsal> mafsallar;
  std::vector<BelgeYasa> yasalar;
  std::vector<BelgeZamanIsareti> zamanIsaretleri;
  float birimOlcek = 1.0f;
};

}  // namespace vadu
