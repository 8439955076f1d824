// Fits the coefficient tables of the glycol-water property series and writes
// them as C++ source compiled into the engine. Run by hand when the data
// change; never at build or run time.
//
// Usage: fit_glicole VINCOLI.tsv RIFERIMENTI.tsv OUTPUT.cpp
//
// Each property is c0(x) + c1(x) t + ... + cM(x) t^M, with c0 fixed and every
// ck a Fourier series in the glycol share x. The fit goes in three steps:
//  1. at the glycol shares of the reference table (and at x = 0, where the
//     shape of the plain-water fits is taken) find c1..cM in t: least squares
//     through the reference values, with a Vogel-type curve filling in the
//     higher powers of the viscosity;
//  2. for each power, interpolate ck between those shares by a cubic in x;
//  3. fit the free entries of each table pair to that cubic over 0..60 %
//     (ridge least squares, exact at the reference shares), keeping the fixed
//     entries, rounding the free entries one at a time to six significant
//     digits and refitting the rest.
// The result is checked against every reference value, evaluated exactly as
// the engine evaluates it; the tool fails if any value is off.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/glicole_serie.h"
#include "engine/proprieta.h"

namespace {

using Vettore = std::vector<long double>;
using Matrice = std::vector<Vettore>;

// Gaussian elimination with partial pivoting.
Vettore Risolvi(Matrice a, Vettore b) {
  const std::size_t n = b.size();
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t p = k;
    for (std::size_t i = k + 1; i < n; ++i)
      if (std::fabs(a[i][k]) > std::fabs(a[p][k])) p = i;
    std::swap(a[k], a[p]);
    std::swap(b[k], b[p]);
    if (a[k][k] == 0) {
      std::cerr << "singular system\n";
      std::exit(1);
    }
    for (std::size_t i = k + 1; i < n; ++i) {
      const long double f = a[i][k] / a[k][k];
      for (std::size_t j = k; j < n; ++j) a[i][j] -= f * a[k][j];
      b[i] -= f * b[k];
    }
  }
  Vettore x(n);
  for (std::size_t k = n; k-- > 0;) {
    long double s = b[k];
    for (std::size_t j = k + 1; j < n; ++j) s -= a[k][j] * x[j];
    x[k] = s / a[k][k];
  }
  return x;
}

// Weighted least squares: rows of a with targets y and weights w.
Vettore MinimiQuadrati(const Matrice& a, const Vettore& y, const Vettore& w) {
  const std::size_t m = a[0].size();
  Matrice n(m, Vettore(m, 0));
  Vettore r(m, 0);
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < m; ++j) {
      r[j] += w[i] * a[i][j] * y[i];
      for (std::size_t k = 0; k < m; ++k) n[j][k] += w[i] * a[i][j] * a[i][k];
    }
  return Risolvi(n, r);
}

struct Proprieta {
  std::string nome;          // "Rho", "Cp", "Lambda", "Mu"
  int colonna;               // column of the reference table
  int potenze;               // M
  std::vector<int> termini;  // N of each power
  double semiperiodo;
  const double (*c0)[6];
};

const std::vector<Proprieta> kProprieta = {
    {"Rho", 4, 3, {20, 20, 30}, motore::glicole::SemiperiodoComune, &motore::glicole::C0Dens},
    {"Cp", 2, 3, {20, 20, 15}, motore::glicole::SemiperiodoComune, &motore::glicole::C0Cp},
    {"Lambda", 3, 3, {20, 20, 15}, motore::glicole::SemiperiodoComune, &motore::glicole::C0Conduc},
    {"Mu", 5, 5, {20, 20, 20, 20, 20}, motore::glicole::SemiperiodoViscosita, &motore::glicole::C0Visc},
};

// Value of the polynomial in t (J/(kg K) for the specific heat, log10 of
// mPa s for the viscosity) from a reference value.
double InPolinomio(const Proprieta& p, double v) {
  if (p.nome == "Cp") return v * 1000.0;
  if (p.nome == "Mu") return std::log10(v * 1000.0);
  return v;
}

double DaPolinomio(const Proprieta& p, double s) {
  if (p.nome == "Cp") return static_cast<float>(s / 1000.0);
  if (p.nome == "Mu") return std::pow(10.0, s) / 1000.0;
  return s;
}

// The plain-water fit of the property, as a polynomial value.
double Acqua(const Proprieta& p, float t) {
  if (p.nome == "Rho") return motore::DensAcqua(t);
  if (p.nome == "Cp") return motore::CpAcqua(t) * 1000.0;
  if (p.nome == "Lambda") return motore::ConducAcqua(t);
  return std::log10(motore::ViscAcqua(t) * 1000.0);
}

struct Riferimento {
  double x, t;
  std::string testo[4];  // as written, to know the digits shown
  double valore[4];
};

double Tolleranza(const std::string& testo) {
  const auto punto = testo.find('.');
  const int decimali = punto == std::string::npos ? 0 : static_cast<int>(testo.size() - punto - 1);
  return 0.5 * std::pow(10.0, -decimali);
}

std::vector<std::string> Campi(const std::string& riga) {
  std::vector<std::string> c;
  std::stringstream ss(riga);
  std::string f;
  while (std::getline(ss, f, '\t')) c.push_back(f);
  return c;
}

std::vector<std::vector<std::string>> LeggiTsv(const char* nome) {
  std::ifstream in(nome);
  if (!in) {
    std::cerr << "cannot read " << nome << "\n";
    std::exit(1);
  }
  std::vector<std::vector<std::string>> righe;
  std::string riga;
  while (std::getline(in, riga))
    if (!riga.empty() && riga[0] != '#') righe.push_back(Campi(riga));
  return righe;
}

// Step 1: c1..cM at one glycol share from the reference values there.
std::vector<double> CoefficientiInT(const Proprieta& p, double x, const std::vector<Riferimento>& rif) {
  const int col = p.colonna - 2;
  const double c0 = motore::glicole::Polinomio5(*p.c0, static_cast<float>(x));
  Matrice a;
  Vettore y, w;
  auto riga = [&](double t, double v, double peso) {
    Vettore r;
    for (int k = 1; k <= p.potenze; ++k) r.push_back(std::pow(t, k));
    a.push_back(r);
    y.push_back(v - c0);
    w.push_back(peso);
  };
  std::vector<std::pair<double, double>> punti;
  for (const auto& r : rif)
    if (r.x == x) punti.push_back({r.t, InPolinomio(p, r.valore[col])});
  if (x == 0.0) {
    // Only one value is given: take the shape of the plain-water fit,
    // moved to start at c0 and to pass through the reference value.
    const double alfa = c0 - Acqua(p, 0.0f);
    const auto [t20, v20] = punti.at(0);
    const double beta = (v20 - Acqua(p, static_cast<float>(t20)) - alfa) / t20;
    for (double t = 0; t <= 95.0; t += 5.0) riga(t, Acqua(p, static_cast<float>(t)) + alfa + beta * t, 1.0);
    riga(t20, v20, 1e8);
  } else if (p.potenze > static_cast<int>(punti.size())) {
    // Viscosity: log10 mu = A + B / (t + C) through c0 and the reference
    // values fills in the curve; the polynomial passes through the values.
    double migliore = 1e300, ba = 0, bb = 0, bc = 0;
    for (double c = 40.0; c <= 400.0; c += 0.25) {
      Matrice av;
      Vettore yv, wv;
      av.push_back({1.0L, 1.0L / c});
      yv.push_back(c0);
      wv.push_back(1);
      for (auto [t, v] : punti) {
        av.push_back({1.0L, 1.0L / (t + c)});
        yv.push_back(v);
        wv.push_back(1);
      }
      const Vettore s = MinimiQuadrati(av, yv, wv);
      double e = 0;
      for (std::size_t i = 0; i < av.size(); ++i) {
        const double d = static_cast<double>(s[0] + s[1] * av[i][1] - yv[i]);
        e += d * d;
      }
      if (e < migliore) {
        migliore = e;
        ba = static_cast<double>(s[0]);
        bb = static_cast<double>(s[1]);
        bc = c;
      }
    }
    for (double t = 0; t <= 95.0; t += 5.0) riga(t, ba + bb / (t + bc), 1.0);
    for (auto [t, v] : punti) riga(t, v, 1e8);
  } else {
    for (auto [t, v] : punti) riga(t, v, 1.0);
  }
  const Vettore s = MinimiQuadrati(a, y, w);
  std::vector<double> c;
  for (auto v : s) c.push_back(static_cast<double>(v));
  return c;
}

// Cubic through four points (Lagrange form).
double Cubica(const std::vector<double>& xs, const std::vector<double>& ys, double x) {
  double s = 0;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    double l = 1;
    for (std::size_t j = 0; j < xs.size(); ++j)
      if (j != i) l *= (x - xs[j]) / (xs[i] - xs[j]);
    s += ys[i] * l;
  }
  return s;
}

double Arrotonda6(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return std::strtod(buf, nullptr);
}

struct Tabelle {
  std::map<std::string, std::vector<double>> valori;
  std::map<std::string, std::vector<bool>> fisso;
};

// Step 3: the free entries of one pair of tables.
void AdattaSerie(const Proprieta& p, int k, const std::vector<double>& xs, const std::vector<double>& ck,
                 Tabelle& tab) {
  const std::string nomeA = p.nome + "A" + std::to_string(k), nomeB = p.nome + "B" + std::to_string(k);
  std::vector<double>& a = tab.valori[nomeA];
  std::vector<double>& b = tab.valori[nomeB];
  std::vector<bool>& fa = tab.fisso[nomeA];
  std::vector<bool>& fb = tab.fisso[nomeB];
  const int n = p.termini[k - 1];
  const double pi = static_cast<float>(4.0 * std::atan(1.0));
  auto fase = [&](int m, double x) { return m * pi * x / p.semiperiodo; };

  double scala = 0;
  for (double c : ck) scala = std::max(scala, std::fabs(c));
  std::vector<double> dense;
  for (double x = 0; x <= 60.0; x += 0.5) dense.push_back(x);

  // A free entry: (is sine, index).
  std::vector<std::pair<bool, int>> liberi;
  for (int m = 1; m <= n; ++m)
    if (!fb[m]) liberi.push_back({true, m});
  for (int m = 0; m <= n; ++m)
    if (!fa[m]) liberi.push_back({false, m});
  auto base = [&](const std::pair<bool, int>& l, double x) {
    if (l.second == 0) return 0.5;
    return l.first ? std::sin(fase(l.second, x)) : std::cos(fase(l.second, x));
  };
  auto fissa = [&](double x) {
    double s = fa[0] ? a[0] / 2.0 : 0.0;
    for (int m = 1; m <= n; ++m) {
      if (fa[m]) s += a[m] * std::cos(fase(m, x));
      if (fb[m]) s += b[m] * std::sin(fase(m, x));
    }
    return s;
  };
  auto serie = [&](double x) {
    double s = fissa(x);
    for (const auto& l : liberi) s += (l.first ? b : a)[l.second] * base(l, x);
    return s;
  };

  // Ridge least squares over the dense shares, exact at the reference shares.
  const std::size_t u = liberi.size(), vincoli = xs.size();
  Matrice h(u + vincoli, Vettore(u + vincoli, 0));
  Vettore r(u + vincoli, 0);
  const long double lambda = 1e-7L;
  for (double x : dense) {
    const double obiettivo = (Cubica(xs, ck, x) - fissa(x)) / scala;
    for (std::size_t i = 0; i < u; ++i) {
      const double bi = base(liberi[i], x);
      r[i] += bi * obiettivo;
      for (std::size_t j = 0; j < u; ++j) h[i][j] += bi * base(liberi[j], x);
    }
  }
  for (std::size_t i = 0; i < u; ++i) {
    const double m = liberi[i].second;
    h[i][i] += lambda * (1.0 + m * m);
  }
  for (std::size_t c = 0; c < vincoli; ++c) {
    for (std::size_t i = 0; i < u; ++i) {
      h[u + c][i] = base(liberi[i], xs[c]);
      h[i][u + c] = h[u + c][i];
    }
    r[u + c] = (ck[c] - fissa(xs[c])) / scala;
  }
  const Vettore s = Risolvi(h, r);
  for (std::size_t i = 0; i < u; ++i) (liberi[i].first ? b : a)[liberi[i].second] = Arrotonda6(s[i] * scala);

  // Rounding moved the series off the reference shares: four cosine
  // entries of low order take the difference back.
  // Of the first ten free cosines, the four that meet the reference
  // shares best (some orders alias there, e.g. n and 7 - n for the
  // viscosity's half-period of 70 at shares 20 % apart).
  std::vector<std::pair<bool, int>> candidati, correttori;
  for (const auto& l : liberi)
    if (!l.first && l.second >= 2 && candidati.size() < 10) candidati.push_back(l);
  auto determinante = [&](const std::vector<std::pair<bool, int>>& scelti) {
    Matrice m(vincoli, Vettore(vincoli));
    for (std::size_t c = 0; c < vincoli; ++c)
      for (std::size_t i = 0; i < vincoli; ++i) m[c][i] = base(scelti[i], xs[c]);
    long double det = 1;
    for (std::size_t k2 = 0; k2 < vincoli; ++k2) {
      std::size_t q = k2;
      for (std::size_t i = k2 + 1; i < vincoli; ++i)
        if (std::fabs(m[i][k2]) > std::fabs(m[q][k2])) q = i;
      std::swap(m[k2], m[q]);
      if (m[k2][k2] == 0) return 0.0L;
      det *= m[k2][k2];
      for (std::size_t i = k2 + 1; i < vincoli; ++i) {
        const long double f = m[i][k2] / m[k2][k2];
        for (std::size_t j = k2; j < vincoli; ++j) m[i][j] -= f * m[k2][j];
      }
    }
    return std::fabs(det);
  };
  long double migliore = -1;
  const std::size_t nc = candidati.size();
  for (std::size_t i = 0; i < nc; ++i)
    for (std::size_t j = i + 1; j < nc; ++j)
      for (std::size_t k2 = j + 1; k2 < nc; ++k2)
        for (std::size_t l = k2 + 1; l < nc; ++l) {
          const std::vector<std::pair<bool, int>> scelti = {candidati[i], candidati[j], candidati[k2],
                                                            candidati[l]};
          const long double d = determinante(scelti);
          if (d > migliore * 1.5L) {
            migliore = d;
            correttori = scelti;
          }
        }
  if (std::getenv("FIT_DEBUG")) {
    long double mx = 0;
    for (auto v : s) mx = std::max(mx, std::fabs(v));
    double rmax = 0;
    for (double x : xs) rmax = std::max(rmax, std::fabs(Cubica(xs, ck, x) - serie(x)));
    std::fprintf(stderr, "%s%d max coef/scale %.3Lg  anchor residual after rounding %.3g scale %.3g\n",
                 p.nome.c_str(), k, mx, rmax, scala);
  }
  for (int giro = 0; giro < 2; ++giro) {
    Matrice cm(vincoli, Vettore(vincoli));
    Vettore res(vincoli);
    for (std::size_t c = 0; c < vincoli; ++c) {
      for (std::size_t i = 0; i < vincoli; ++i) cm[c][i] = base(correttori[i], xs[c]);
      res[c] = ck[c] - serie(xs[c]);
    }
    const Vettore d = Risolvi(cm, res);
    if (std::getenv("FIT_DEBUG"))
      std::fprintf(stderr, "%s%d correction %.3Lg %.3Lg %.3Lg %.3Lg (n=%d %d %d %d)\n", p.nome.c_str(), k,
                   d[0], d[1], d[2], d[3], correttori[0].second, correttori[1].second, correttori[2].second,
                   correttori[3].second);
    for (std::size_t i = 0; i < vincoli; ++i)
      a[correttori[i].second] = Arrotonda6(a[correttori[i].second] + d[i]);
  }
  if (std::getenv("FIT_DEBUG")) {
    double peggiore = 0;
    for (double x : dense) {
      const float c =
          motore::glicole::Coefficiente({a.data(), b.data(), n}, static_cast<float>(x), p.semiperiodo);
      peggiore = std::max(peggiore, std::fabs(c - Cubica(xs, ck, x)));
    }
    std::fprintf(stderr, "%s%d final max err %.3g (x 95^k = %.3g)\n", p.nome.c_str(), k, peggiore,
                 peggiore * std::pow(95.0, k));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: fit_glicole VINCOLI.tsv RIFERIMENTI.tsv OUTPUT.cpp\n";
    return 2;
  }
  Tabelle tab;
  for (const auto& p : kProprieta)
    for (int k = 1; k <= p.potenze; ++k) {
      const int n = p.termini[k - 1];
      const std::string ka = p.nome + "A" + std::to_string(k), kb = p.nome + "B" + std::to_string(k);
      tab.valori[ka].assign(n + 2, 0.0);
      tab.valori[kb].assign(n + 1, 0.0);
      tab.fisso[ka].assign(n + 2, false);
      tab.fisso[kb].assign(n + 1, false);
      tab.fisso[ka][n + 1] = true;  // spare element, never read
      tab.fisso[kb][0] = true;      // unused element
    }
  for (const auto& c : LeggiTsv(argv[1])) {
    const int i = std::stoi(c.at(1));
    tab.valori.at(c.at(0)).at(i) = std::stod(c.at(2));
    tab.fisso.at(c.at(0)).at(i) = true;
  }
  std::vector<Riferimento> rif;
  for (const auto& c : LeggiTsv(argv[2])) {
    Riferimento r{std::stod(c.at(0)), std::stod(c.at(1)), {}, {}};
    for (int j = 0; j < 4; ++j) {
      r.testo[j] = c.at(2 + j);
      r.valore[j] = std::stod(r.testo[j]);
    }
    rif.push_back(r);
  }

  const std::vector<double> xs = {0.0, 20.0, 40.0, 60.0};
  for (const auto& p : kProprieta) {
    std::vector<std::vector<double>> perX;
    for (double x : xs) perX.push_back(CoefficientiInT(p, x, rif));
    for (int k = 1; k <= p.potenze; ++k) {
      std::vector<double> ck;
      for (const auto& c : perX) ck.push_back(c[k - 1]);
      AdattaSerie(p, k, xs, ck, tab);
    }
  }

  // Check every reference value, evaluated as the engine does.
  bool ok = true;
  for (const auto& p : kProprieta) {
    for (const auto& r : rif) {
      float c[5];
      for (int k = 1; k <= p.potenze; ++k) {
        const auto& a = tab.valori[p.nome + "A" + std::to_string(k)];
        const auto& b = tab.valori[p.nome + "B" + std::to_string(k)];
        c[k - 1] = motore::glicole::Coefficiente({a.data(), b.data(), p.termini[k - 1]},
                                                 static_cast<float>(r.x), p.semiperiodo);
      }
      const float c0 = motore::glicole::Polinomio5(*p.c0, static_cast<float>(r.x));
      const double v = DaPolinomio(p, motore::glicole::Polinomio(c0, c, p.potenze, static_cast<float>(r.t)));
      const int col = p.colonna - 2;
      const double tol = Tolleranza(r.testo[col]);
      const bool buono = std::fabs(v - r.valore[col]) < tol;
      ok = ok && buono;
      std::printf("%-6s x=%4.0f t=%4.0f  %-10s got %.9g%s\n", p.nome.c_str(), r.x, r.t, r.testo[col].c_str(),
                  v, buono ? "" : "   <-- OFF");
    }
  }

  std::ofstream out(argv[3]);
  out << "// Generated by tools/fit_glicole.cpp from data/glicole/*.tsv. Do not edit.\n"
         "#include \"engine/glicole.h\"\n\nnamespace motore {\n\n"
         "const TabelleGlicole CoefficientiGlicole = {\n";
  for (const auto& p : kProprieta)
    for (int k = 1; k <= p.potenze; ++k)
      for (const char* lato : {"A", "B"}) {
        const std::string nome = p.nome + lato + std::to_string(k);
        out << "    // " << nome << "\n    {{";
        const auto& v = tab.valori[nome];
        for (std::size_t i = 0; i < v.size(); ++i) {
          char buf[64];
          std::snprintf(buf, sizeof buf, "%.6g", v[i]);
          out << (i ? ", " : "") << (i % 6 == 0 && i ? "\n      " : "") << buf;
        }
        out << "}},\n";
      }
  out << "};\n\n}  // namespace motore\n";
  if (!ok) {
    std::cerr << "some reference values are not reproduced\n";
    return 1;
  }
  return 0;
}
