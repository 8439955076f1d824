#include "engine/glicole.h"

#include <cmath>

#include "engine/glicole_serie.h"

namespace motore {

namespace {

// The coefficients c1..cM of one property depend on x alone; a run keeps x
// fixed, so the last set is kept (the values are those of a fresh evaluation).
struct Coefficienti {
  bool pronti = false;
  float x = 0;
  float c[5] = {};
};

enum class Proprieta { Dens, Cp, Conduc, Visc };

template <Proprieta P>
const Coefficienti& CoefficientiPer(float x) {
  thread_local Coefficienti memo;
  const TabelleGlicole& t = CoefficientiGlicole;
  if (memo.pronti && memo.x == x) return memo;
  using glicole::Serie;
  if constexpr (P == Proprieta::Dens) {
    const Serie s[] = {{t.RhoA1.data(), t.RhoB1.data(), 20},
                       {t.RhoA2.data(), t.RhoB2.data(), 20},
                       {t.RhoA3.data(), t.RhoB3.data(), 30}};
    for (int k = 0; k < 3; ++k) memo.c[k] = glicole::Coefficiente(s[k], x, glicole::SemiperiodoComune);
  } else if constexpr (P == Proprieta::Cp) {
    const Serie s[] = {{t.CpA1.data(), t.CpB1.data(), 20},
                       {t.CpA2.data(), t.CpB2.data(), 20},
                       {t.CpA3.data(), t.CpB3.data(), 15}};
    for (int k = 0; k < 3; ++k) memo.c[k] = glicole::Coefficiente(s[k], x, glicole::SemiperiodoComune);
  } else if constexpr (P == Proprieta::Conduc) {
    const Serie s[] = {{t.LambdaA1.data(), t.LambdaB1.data(), 20},
                       {t.LambdaA2.data(), t.LambdaB2.data(), 20},
                       {t.LambdaA3.data(), t.LambdaB3.data(), 15}};
    for (int k = 0; k < 3; ++k) memo.c[k] = glicole::Coefficiente(s[k], x, glicole::SemiperiodoComune);
  } else {
    const Serie s[] = {{t.MuA1.data(), t.MuB1.data(), 20},
                       {t.MuA2.data(), t.MuB2.data(), 20},
                       {t.MuA3.data(), t.MuB3.data(), 20},
                       {t.MuA4.data(), t.MuB4.data(), 20},
                       {t.MuA5.data(), t.MuB5.data(), 20}};
    for (int k = 0; k < 5; ++k) memo.c[k] = glicole::Coefficiente(s[k], x, glicole::SemiperiodoViscosita);
  }
  memo.x = x;
  memo.pronti = true;
  return memo;
}

}  // namespace

float CpGlicole(float t, float x) {
  const float c0 = glicole::Polinomio5(glicole::C0Cp, x);
  return static_cast<float>(glicole::Polinomio(c0, CoefficientiPer<Proprieta::Cp>(x).c, 3, t) / 1000.0);
}

double ConducGlicole(float t, float x) {
  const float c0 = glicole::Polinomio5(glicole::C0Conduc, x);
  return glicole::Polinomio(c0, CoefficientiPer<Proprieta::Conduc>(x).c, 3, t);
}

double DensGlicole(float t, float x) {
  const float c0 = glicole::Polinomio5(glicole::C0Dens, x);
  return glicole::Polinomio(c0, CoefficientiPer<Proprieta::Dens>(x).c, 3, t);
}

double ViscGlicole(float t, float x) {
  const float c0 = glicole::Polinomio5(glicole::C0Visc, x);
  return std::pow(10.0, glicole::Polinomio(c0, CoefficientiPer<Proprieta::Visc>(x).c, 5, t)) / 1000.0;
}

}  // namespace motore
