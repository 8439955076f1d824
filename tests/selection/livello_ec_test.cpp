#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "selection/unita/livello_ec.h"
#include "tests/selection/modello_ec_prova.h"

namespace {

using unita::FineLivello;

catalogo::DatiModello Modello() { return test::ModelloEC(); }

// The found point as text: flow (m3/h), rpm, W, dB(A), V, a "<" for a sound
// power raised to its floor.
std::string Testo(const unita::PuntoLivello& p) {
  char b[96];
  std::snprintf(b, sizeof b, "%.2f %d %.2f %.2f%s %.4f", p.Q * 3600.0, p.N, p.Pin, p.Lw,
                p.suonoMinimo ? "<" : "", p.Tensione);
  return b;
}

TEST(LivelloEC, LivelliDellaLista) {
  const std::array<double, 5> attesi{3, 6, 8.9, 0, 0};
  const std::array<int, 5> posizioni{0, 1, 2, -1, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(unita::LivelloComando(posizioni[i]), attesi[i]) << posizioni[i];
}

TEST(LivelloEC, RicercaDellaPortata) {
  const std::array<motore::AccessorioDP, 2> righe{{{2, 2, "N"}, {1, 2, "S"}}};
  struct Caso {
    const char* cosa;
    int posizione;  // of the level list
    float pressione;
    bool mista;
    std::array<bool, 2> spunte;
    FineLivello fine;
    const char* punto;  // Testo() of the point found
    int tentativi;
    bool senzaLimiti = false;
    int curva = -1;  // a curve whose speed the case changes to g
    std::int16_t g = 0;
    double livello = -1;  // a level of no list position, V
  } casi[] = {
      // Curve 7 reaches its own flow at 9.0 V, inside 8.8..9.0: taken at once.
      {"single air, Max, at once",
       2,
       0,
       false,
       {},
       FineLivello::Trovata,
       "900.00 1200 100.00 44.00 9.0000",
       1},
      {"single air, Med", 1, 0, false, {}, FineLivello::Trovata, "520.00 820 62.00 36.40 6.0636", 77},
      // Below curve 0 speed, power and sound fall in proportion to the flow.
      {"single air, Min, below curve 0",
       0,
       0,
       false,
       {},
       FineLivello::Trovata,
       "170.00 425 25.50 28.00 3.0114",
       147},
      // Above 0 Pa the sound follows the speed from the free-running point.
      {"single air, Max at 75 Pa",
       2,
       75,
       false,
       {},
       FineLivello::Trovata,
       "450.00 1200 55.00 45.21 9.0000",
       1},
      {"single air, Med at 75 Pa",
       1,
       75,
       false,
       {},
       FineLivello::Trovata,
       "260.00 820 36.00 39.48 6.0636",
       39},
      // 9.0 V is outside 8.85..8.95 (open above).
      {"mixed air, Max, band open above",
       2,
       0,
       true,
       {},
       FineLivello::Trovata,
       "890.00 1190 99.00 43.80 8.9227",
       3},
      {"mixed air, Min: sound floor LWA(0) - 3",
       0,
       0,
       true,
       {},
       FineLivello::Trovata,
       "170.00 425 25.50 27.00< 3.0114",
       147},
      // The drops at curve 7's flow (16.5 Pa) lower the start once; each
      // tried flow is then scanned at its own working pressure.
      {"mixed air, Max, two accessories",
       2,
       0,
       true,
       {true, true},
       FineLivello::Trovata,
       "822.59 1186 92.26 43.64 8.8918",
       1},
      {"mixed air, Med, two accessories",
       1,
       0,
       true,
       {true, true},
       FineLivello::Trovata,
       "502.59 816 60.26 36.40 6.0327",
       65},
      {"a level of 0 V is never met: down to 150 rpm",
       3,
       0,
       false,
       {},
       FineLivello::SottoGiriMinimi,
       nullptr,
       170},
      {"mixed air: down to 100 rpm", 3, 0, true, {}, FineLivello::SottoGiriMinimi, nullptr, 174},
      {"mixed air: a working pressure below zero",
       2,
       -0.01f,
       true,
       {},
       FineLivello::PressioneNegativa,
       nullptr,
       1},
      {"pressure above curve 7's shut-off", 2, 120, false, {}, FineLivello::NessunaPortata, nullptr, 0},
      {"the same, mixed air", 2, 120, true, {true, false}, FineLivello::NessunaPortata, nullptr, 0},
      // At 99 Pa curve 7 works under a third of curve 1's free delivery.
      {"no usable curve reaches the start flow", 2, 99, false, {}, FineLivello::NessunaCurva, nullptr, 1},
      {"the same with nolimits",
       2,
       99,
       false,
       {},
       FineLivello::Trovata,
       "89.98 1200 19.00 49.85 9.0000",
       1,
       true},
      // Below curve 0 the speed falls 125 rpm a step: Min lies between two.
      {"nolimits, a level stepped over", 0, 99, false, {}, FineLivello::SottoGiriMinimi, nullptr, 18, true},
      {"zero free-running speed under the Nlog law",
       0,
       75,
       false,
       {},
       FineLivello::DatiNonValidi,
       nullptr,
       51,
       false,
       0,
       0},
      // The single-air band is closed below: 9.0 V meets a level of 9.1.
      {"single air, lower edge of the band",
       0,
       0,
       false,
       {},
       FineLivello::Trovata,
       "900.00 1200 100.00 44.00 9.0000",
       1,
       false,
       -1,
       0,
       9.1},
      {"curve 7 at 100 rpm: no voltage scale",
       2,
       0,
       true,
       {},
       FineLivello::DatiNonValidi,
       nullptr,
       1,
       false,
       7,
       100},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    catalogo::DatiModello d = Modello();
    if (c.curva >= 0) d.G[c.curva] = c.g;
    motore::AccessoriModello acc{righe, c.spunte, 0.1f, 4};
    unita::StatoCorsa s;
    const double livello = c.livello >= 0 ? c.livello : unita::LivelloComando(c.posizione);
    const unita::EsitoLivello e =
        unita::CercaPortataLivello(d, livello, c.pressione, {c.mista, c.senzaLimiti}, acc, s);
    EXPECT_EQ(e.fine, c.fine);
    EXPECT_EQ(e.tentativi, c.tentativi);
    EXPECT_EQ(s.CurvaRiferimento, 7);
    EXPECT_EQ(s.PressioneSalvata, c.pressione);
    if (!c.punto) continue;
    EXPECT_EQ(Testo(e.punto), c.punto);
    EXPECT_EQ(s.PortataRichiesta, e.punto.Q);
    EXPECT_EQ(s.TensioneComando, e.punto.Tensione);
  }
}

}  // namespace
