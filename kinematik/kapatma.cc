// The loop-closure solver. For every loop joint the residual compares where
// the joint would put its child link with where the tree put it; the solver
// drives that stacked residual to zero by damped Gauss-Newton steps.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "kinematik/hareket.h"
#include "kinematik/mekanizma.h"

namespace vadu {

namespace {

// Forward-difference step and damping; equal by choice, kept apart by meaning.
constexpr double FARK_ADIMI = 1e-6;
constexpr double SONUM = 1e-6;
constexpr double TEKIL_PIVOT = 1e-14;
constexpr int ARAMA_DENEMESI = 12;

// Six values per loop joint: the position error, then twice the vector part of
// the rotation between the two poses, taken on the short way round.
void artikHesapla(const Mekanizma& mek, const std::vector<size_t>& halka,
                  std::vector<double>& artiklar) {
  const std::vector<Donusum> dunya = mek.ileriKinematik();
  artiklar.assign(6 * halka.size(), 0.0);
  for (size_t i = 0; i < halka.size(); ++i) {
    const Mafsal& mf = mek.mafsallar()[halka[i]];
    const Donusum beklenen = dunya[mf.ana] * mafsalDonusumu(mf);
    const Donusum& g = dunya[mf.cocuk];
    artiklar[6 * i] = beklenen.konum.x - g.konum.x;
    artiklar[6 * i + 1] = beklenen.konum.y - g.konum.y;
    artiklar[6 * i + 2] = beklenen.konum.z - g.konum.z;
    Kuaterniyon fark = beklenen.donus * g.donus.eslenik();
    if (fark.w < 0) {
      fark.x = -fark.x;
      fark.y = -fark.y;
      fark.z = -fark.z;
    }
    artiklar[6 * i + 3] = 2.0 * fark.x;
    artiklar[6 * i + 4] = 2.0 * fark.y;
    artiklar[6 * i + 5] = 2.0 * fark.z;
  }
}

double norm(const std::vector<double>& artiklar) {
  double s = 0.0;
  for (double v : artiklar) s += v * v;
  return std::sqrt(s);
}

// A = JᵀJ + λI (`matris`) and b = −Jᵀr (`sagTaraf`) for the Jacobian J of m
// rows, one per residual value, and k = `bilinmeyenSayisi` columns, row-major.
void normalDenklemler(const std::vector<double>& jakobiyen, const std::vector<double>& artiklar,
                      size_t bilinmeyenSayisi, std::vector<double>& matris,
                      std::vector<double>& sagTaraf) {
  const size_t m = artiklar.size();
  const size_t k = bilinmeyenSayisi;
  matris.assign(k * k, 0.0);
  sagTaraf.assign(k, 0.0);
  for (size_t i = 0; i < k; ++i) {
    for (size_t j = 0; j < k; ++j) {
      double s = 0.0;
      for (size_t row = 0; row < m; ++row) s += jakobiyen[row * k + i] * jakobiyen[row * k + j];
      matris[i * k + j] = s + (i == j ? SONUM : 0.0);
    }
    double s = 0.0;
    for (size_t row = 0; row < m; ++row) s += jakobiyen[row * k + i] * artiklar[row];
    sagTaraf[i] = -s;
  }
}

// Gaussian elimination of the k × k system (`matris`, `sagTaraf`), k = `boyut`,
// with partial pivoting (the first row of the largest magnitude wins) to an
// upper triangle; false at a pivot below TEKIL_PIVOT.
bool yokEt(std::vector<double>& matris, std::vector<double>& sagTaraf, size_t boyut) {
  const size_t k = boyut;
  for (size_t c = 0; c < k; ++c) {
    size_t p = c;
    for (size_t rr = c + 1; rr < k; ++rr) {
      if (std::fabs(matris[rr * k + c]) > std::fabs(matris[p * k + c])) p = rr;
    }
    if (std::fabs(matris[p * k + c]) < TEKIL_PIVOT) return false;
    if (p != c) {
      for (size_t cc = 0; cc < k; ++cc) std::swap(matris[p * k + cc], matris[c * k + cc]);
      std::swap(sagTaraf[p], sagTaraf[c]);
    }
    for (size_t rr = c + 1; rr < k; ++rr) {
      const double f = matris[rr * k + c] / matris[c * k + c];
      if (f == 0.0) continue;
      for (size_t cc = c; cc < k; ++cc) matris[rr * k + cc] -= f * matris[c * k + cc];
      sagTaraf[rr] -= f * sagTaraf[c];
    }
  }
  return true;
}

// The steps of the upper triangle that yokEt leaves, from its last row up.
std::vector<double> geriYerineKoy(const std::vector<double>& matris,
                                  const std::vector<double>& sagTaraf, size_t boyut) {
  const size_t k = boyut;
  std::vector<double> dq(k, 0.0);
  for (size_t i = k; i-- > 0;) {
    double s = sagTaraf[i];
    for (size_t j = i + 1; j < k; ++j) s -= matris[i * k + j] * dq[j];
    dq[i] = s / matris[i * k + i];
  }
  return dq;
}

}  // namespace

bool Mekanizma::halkalariKapat(const std::vector<size_t>& surulen, int maxIter, double tol,
                               double* artik, std::vector<double>* normlar) {
  const size_t n = uzuvlar_.size();
  const std::vector<size_t> halka = halkaMafsallari();
  if (halka.empty()) {
    if (artik) *artik = 0.0;
    return true;
  }
  std::vector<size_t> bilinmeyen;
  for (size_t i = 0; i < mafsallar_.size(); ++i) {
    const Mafsal& mf = mafsallar_[i];
    if (mf.ana >= n || mf.cocuk >= n || mafsalSerbestlik(mf.tip) == 0) continue;
    if (std::find(surulen.begin(), surulen.end(), i) == surulen.end()) bilinmeyen.push_back(i);
  }
  if (bilinmeyen.empty()) {
    if (artik) *artik = -1.0;
    return false;
  }

  const size_t k = bilinmeyen.size();
  std::vector<double> r;
  std::vector<double> rArti;
  artikHesapla(*this, halka, r);
  double simdiki = norm(r);
  if (normlar) normlar->push_back(simdiki);
  const size_t m = r.size();

  for (int iter = 0; iter < maxIter && simdiki > tol; ++iter) {
    std::vector<double> J(m * k, 0.0);
    for (size_t c = 0; c < k; ++c) {
      double& q = mafsallar_[bilinmeyen[c]].q;
      const double eski = q;
      q = eski + FARK_ADIMI;
      artikHesapla(*this, halka, rArti);
      q = eski;
      for (size_t row = 0; row < m; ++row) J[row * k + c] = (rArti[row] - r[row]) / FARK_ADIMI;
    }

    std::vector<double> A;
    std::vector<double> b;
    normalDenklemler(J, r, k, A, b);
    if (!yokEt(A, b, k)) {
      if (artik) *artik = simdiki;
      return false;
    }
    const std::vector<double> dq = geriYerineKoy(A, b, k);

    std::vector<double> yedek(k);
    for (size_t c = 0; c < k; ++c) yedek[c] = mafsallar_[bilinmeyen[c]].q;
    bool kabul = false;
    double carpan = 1.0;
    for (int deneme = 0; deneme < ARAMA_DENEMESI && !kabul; ++deneme, carpan *= 0.5) {
      for (size_t c = 0; c < k; ++c) mafsallar_[bilinmeyen[c]].q = yedek[c] + dq[c] * carpan;
      artikHesapla(*this, halka, rArti);
      const double yeni = norm(rArti);
      if (yeni < simdiki) {
        r.swap(rArti);
        simdiki = yeni;
        kabul = true;
      }
    }
    if (!kabul) {
      for (size_t c = 0; c < k; ++c) mafsallar_[bilinmeyen[c]].q = yedek[c];
      break;
    }
    if (normlar) normlar->push_back(simdiki);
  }

  if (artik) *artik = simdiki;
  return simdiki <= tol;
}

}  // namespace vadu
