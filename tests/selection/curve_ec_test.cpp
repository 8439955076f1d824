#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "selection/unita/curve_ec.h"
#include "tests/selection/modello_ec_prova.h"

namespace {

using unita::RegoleEC;

catalogo::DatiModello Modello() { return test::ModelloEC(); }

struct Atteso {
  int curva;   // CurvaSelezionata after the run
  int n1, n2;  // speeds at 0 Pa and at the pressure
  float pin, lw;
  float vin;    // shown, one decimal
  bool minimo;  // sound raised to the mixed-air floor
};

TEST(CurveEC, ValutazioneDelVentilatore) {
  struct Caso {
    const char* cosa;
    float pressione, qr;  // Pa, m3/h
    bool mista = false, senzaLimiti = false, grafico = false;
    std::optional<Atteso> atteso;
    float vento0 = 100;  // shut-off of curve 0
  } casi[] = {
      {"between curves 2 and 3", 0, 450, false, false, false, Atteso{3, 750, 750, 55, 35, 8.3f, false}, 100},
      {"below curve 0: 55 log10 law and the floor of 28", 0, 150, false, false, false,
       Atteso{1, 375, 375, 22.5f, 28, 5.1f, false}, 100},
      {"below curve 0, mixed air: proportional, floor LWA(0) - 3", 0, 150, true, false, false,
       Atteso{1, 375, 375, 22.5f, 27, 5.1f, true}, 100},
      {"at 75 Pa: Nlog law from the free-running point", 75, 260, false, false, false,
       Atteso{4, 560, 820, 36, 39.4813f, 8.1f, false}, 100},
      {"curve 1 under a third of its free delivery is passed over", 91, 80, false, false, false,
       Atteso{2, 200, 567, 18, 30.741f, 7.1f, false}, 100},
      {"nolimits: curve 0 without flow, lower point at zero flow", 75, 120, false, true, false,
       Atteso{1, 300, 580, 22, 32.1137f, 8.6f, false}, 50},
      {"a speed of 150 rpm is rated", 0, 60, false, false, false, Atteso{1, 150, 150, 9, 28, 1.3f, false},
       100},
      {"149 rpm is not", 0, 59.6f, false, false, false, std::nullopt, 100},
      {"above curve 7", 0, 950, false, false, false, std::nullopt, 100},
      {"curve 0 under a third of curve 1's free delivery", 91, 50, false, false, false, std::nullopt, 100},
      {"the same with the chart open", 91, 50, false, false, true, Atteso{1, 125, 417, 0, 28, 5.8f, false},
       100},
      // Just under curve 3's free delivery the speed rounds to curve 3's own:
      // 9.0 V, still rated in a mixed-air window.
      {"exactly 9 V, mixed air", 0, 499.8f, true, false, false, Atteso{3, 800, 800, 59.98f, 36, 9.0f, false},
       100},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    catalogo::DatiModello d = Modello();
    d.VentC[0] = c.vento0;
    d.VentA[0] = -c.vento0 / (200.0f * 200.0f);
    unita::StatoCorsa s;
    s.CurvaRiferimento = 1;
    const auto v =
        unita::ValutaVentilatoreEC(d, c.qr / 3600.0f, c.pressione, {c.mista, c.senzaLimiti, c.grafico}, s);
    ASSERT_EQ(v.has_value(), c.atteso.has_value());
    if (!v) continue;
    const Atteso& a = *c.atteso;
    EXPECT_EQ(s.CurvaSelezionata, a.curva);
    EXPECT_EQ(s.CurvaRiferimento, c.grafico ? 1 : a.curva);
    EXPECT_EQ(v->zero.N, a.n1);
    EXPECT_EQ(v->lavoro.N, a.n2);
    if (a.pin > 0) {
      EXPECT_NEAR(v->lavoro.Pin, a.pin, 0.01);
    }
    EXPECT_NEAR(v->Lw, a.lw, 0.01);
    EXPECT_EQ(v->suonoMinimo, a.minimo);
    EXPECT_FLOAT_EQ(unita::TensioneTroncata(v->Tensione), a.vin);
    EXPECT_EQ(s.TensioneComando, v->Tensione);
  }
}

TEST(CurveEC, LaRicercaTieneLaCurvaSottoDiQuestaRicerca) {
  const catalogo::DatiModello d = Modello();
  // At 91 Pa: curve 0 gives 60 m3/h (kept), curve 1 90 (passed over), curve 2 120.
  const unita::RicercaEC r = unita::CercaCurva(d, 91, 80 / 3600.0f, false);
  EXPECT_EQ(r.scelta, 2);
  EXPECT_EQ(r.sotto, 0);
  EXPECT_NEAR(r.Qb * 3600, 60, 0.01);
  EXPECT_NEAR(r.Qs * 3600, 120, 0.01);
  EXPECT_NEAR(r.PortataLibera * 3600, 300, 0.01);
  EXPECT_EQ(r.PortataAria, r.Qs);
  // A curve whose flow equals the required flow is neither kept nor chosen
  // at a required flow; the fixed-level search takes it.
  const unita::PortateCurve portate{0.05f, 0.06f, 0.07f, 0.08f, 0.09f, 0.1f, 0.11f, 0.12f};
  const unita::RicercaEC sopra = unita::ScegliCurva(portate, 0.06f, 0.08f, false, unita::Soglia::Sopra);
  EXPECT_EQ(sopra.scelta, 4);
  EXPECT_EQ(sopra.sotto, 2);
  const unita::RicercaEC almeno =
      unita::ScegliCurva(portate, 0.06f, 0.08f, false, unita::Soglia::AlmenoUguale);
  EXPECT_EQ(almeno.scelta, 3);
  EXPECT_EQ(almeno.sotto, 2);
  // A later search with nothing usable below starts again from zero flow.
  const unita::RicercaEC r2 = unita::CercaCurva(d, 0, 150 / 3600.0f, false);
  EXPECT_EQ(r2.scelta, 0);
  EXPECT_EQ(r2.sotto, 0);
  EXPECT_EQ(r2.Qb, 0);
  // No curve delivers the flow: the last curve's flow stays.
  const unita::RicercaEC r3 = unita::CercaCurva(d, 0, 950 / 3600.0f, false);
  EXPECT_EQ(r3.scelta, -1);
  EXPECT_EQ(r3.sotto, 7);
  EXPECT_NEAR(r3.PortataAria * 3600, 900, 0.01);
}

TEST(CurveEC, DatiCheNonSiPossonoValutare) {
  struct Caso {
    const char* cosa;
    int curva;
    std::int16_t g;
    bool mista, grafico;
    float pressione, qr;
  } casi[] = {
      {"zero speed of curve 0 under the 55 log10 law", 0, 0, false, false, 0, 150},
      {"zero free-running speed under the Nlog law", 0, 0, true, false, 75, 120},
      {"reference speed of 100 rpm", 1, 100, false, false, 0, 150},
      {"mixed air above 9 V (chart open on curve 1)", -1, 0, true, true, 0, 450},
      // 603 rpm on the 600 rpm of curve 1: 9.051 V.
      {"mixed air just above 9 V (chart open on curve 1)", -1, 0, true, true, 0, 303},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    catalogo::DatiModello d = Modello();
    if (c.curva >= 0) d.G[c.curva] = c.g;
    unita::StatoCorsa s;
    s.CurvaRiferimento = 1;
    EXPECT_FALSE(unita::ValutaVentilatoreEC(d, c.qr / 3600.0f, c.pressione, {c.mista, false, c.grafico}, s));
  }
  // The single-air window has no voltage limit.
  unita::StatoCorsa s;
  s.CurvaRiferimento = 1;
  const auto v = unita::ValutaVentilatoreEC(Modello(), 450 / 3600.0f, 0, {false, false, true}, s);
  ASSERT_TRUE(v);
  EXPECT_FLOAT_EQ(unita::TensioneTroncata(v->Tensione), 11.5f);
}

TEST(CurveEC, TensioneEMinimo) {
  struct {
    int n, g;
    std::optional<float> v;
    float mostrata;
  } tensioni[] = {
      {100, 800, 0.5f, 0.5f},  {800, 800, 9.0f, 9.0f},      {705, 700, 9.0708333f, 9.0f},
      {450, 800, 4.75f, 4.7f}, {99, 800, 0.4878571f, 0.4f}, {500, 100, std::nullopt, 0},
  };
  for (const auto& t : tensioni) {
    const auto v = unita::TensioneComando(t.n, t.g);
    ASSERT_EQ(v.has_value(), t.v.has_value()) << t.n;
    if (!v) continue;
    EXPECT_FLOAT_EQ(*v, *t.v) << t.n;
    EXPECT_FLOAT_EQ(unita::TensioneTroncata(*v), t.mostrata) << t.n;
  }
  // The minimum flow typed in any unit: m3/h, l/s, m3/s.
  EXPECT_FALSE(unita::SottoMinimo(550, 550 / 3600.0f));
  EXPECT_TRUE(unita::SottoMinimo(550, 549.9f / 3600.0f));
  EXPECT_FALSE(unita::SottoMinimo(360, 100 / 1000.0f));
  EXPECT_TRUE(unita::SottoMinimo(360, 99.9f / 1000.0f));
  EXPECT_FALSE(unita::SottoMinimo(540, 0.15f));
  EXPECT_FALSE(unita::SottoMinimo(0, 0.001f));
}

}  // namespace
