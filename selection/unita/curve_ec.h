// The EC fan of a model: eight curves (0..7), each with its fan curve, fan
// speed, power-input polynomial and sound power.  A model is rated at a
// required air flow: the curve search finds the first usable curve that
// delivers more than that flow against a static pressure; speed, power and
// sound are interpolated between it and the usable curve kept below it; the
// speed gives the 0.5..9 V command voltage of the motor.
//
// Flows are in m3/s here; the fan and power polynomials take m3/h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "catalogue/catalogo.h"
#include "engine/stato.h"
#include "selection/unita/contesto.h"

namespace unita {

inline constexpr int kCurveEC = 8;

// One curve search at a static pressure.
struct RicercaEC {
  int scelta = -1;          // chosen curve; -1 none
  float Qs = 0;             // its flow
  int sotto = 0;            // usable curve kept below (0 when none)
  float Qb = 0;             // its flow (0 when none)
  float PortataAria = 0;    // flow of the last curve tested
  float PortataLibera = 0;  // free delivery of curve 1 at 0 Pa
};

// The flows of a model's eight curves at one pressure, m3/s (0 where the
// inversion fails).
using PortateCurve = std::array<float, kCurveEC>;

// A model's curves inverted at many pressures: each curve's search limit is
// found once, so a pressure costs only the halvings.
class CurveModello {
 public:
  explicit CurveModello(const catalogo::DatiModello& d);
  PortateCurve A(float pressione) const;
  float Libera() const { return libera_; }  // curve 1 at 0 Pa

 private:
  const catalogo::DatiModello& d_;
  std::array<float, kCurveEC> limiti_{};
  float libera_ = 0;
};

// Whether a curve whose flow equals the flow sought is chosen: the search at
// a required flow wants more than it, the fixed-level search at least it.
enum class Soglia { Sopra, AlmenoUguale };

// Searches curves 0..7, whose flows at the pressure are `portate`, for the
// flow qr.  Curve k >= 1 is unusable when it would work at or below a third
// of curve 1's free delivery `libera` (with senzaLimiti: when it gives no
// flow).  A usable curve below qr is kept (the last wins); the first usable
// curve reaching qr is chosen.  The kept-below point starts at curve 0, zero
// flow, in every search.
RicercaEC ScegliCurva(const PortateCurve& portate, float libera, float qr, bool senzaLimiti, Soglia soglia);

// The search at pressione (Pa) for a required flow qr.
RicercaEC CercaCurva(const catalogo::DatiModello& d, float pressione, float qr, bool senzaLimiti);

// Sound power below curve 0: the single-air windows follow a 55 log10 speed
// law, the mixed-air windows fall in proportion to the flow.
enum class SuonoSottoCurva0 { Logaritmico, Proporzionale };

// Speed (rpm), power input (W) and sound power (dB(A)) at qr.
struct PuntoEC {
  std::int16_t N = 0;
  float Pin = 0;
  float Lw = 0;
};

// Interpolates at qr between the chosen curve and the one kept below it
// (below curve 0: from zero flow).  Empty when no curve was chosen, or when
// the sound law would take the logarithm of a speed that is not positive.
std::optional<PuntoEC> Interpola(const catalogo::DatiModello& d, const RicercaEC& r, float qr,
                                 SuonoSottoCurva0 legge);

// Sound power shown for a model: above zero pressure the free-running sound
// moved along the speed ratio (Nlog law), at zero pressure the working
// point's; then the floor, 28 dB(A) for a single-air window, LWA(0) - 3 for a
// mixed-air one (shown as an upper bound).  Empty when the free-running speed
// is not positive (the ratio has no logarithm).
struct SuonoEC {
  float Lw = 0;
  bool minimo = false;
};
std::optional<SuonoEC> PotenzaSonora(const catalogo::DatiModello& d, const PuntoEC& zero,
                                     const PuntoEC& lavoro, float pressione, bool mista);

// Power input of curve k at flow q, W.
double PotenzaCurva(const catalogo::DatiModello& d, int k, float q);

// Command voltage at speed n for the reference curve's speed gRif:
// 0.5 V at 100 rpm, 9 V at gRif.  Empty when gRif is not above 100 rpm.
std::optional<float> TensioneComando(int n, int gRif);

// The voltage as the grid shows it: truncated toward zero to one decimal.
float TensioneTroncata(float v);

// Whether a model's smallest selectable flow (m3/h) lies above the required
// flow qr (m3/s).  A flow typed equal to the minimum, in any unit, passes.
bool SottoMinimo(std::int32_t minQa, float qr);

// What the window adds to the fan rating.
struct RegoleEC {
  bool mista = false;          // mixed-air window: proportional sound below curve 0,
                               // sound floor LWA(0) - 3 marked, voltage at most 9 V
  bool senzaLimiti = false;    // "nolimits"
  bool graficoAperto = false;  // the chart is open: reference curve kept, no third rule
};

// The fan of one model at the required flow qr and the static pressure.
struct VentilatoreEC {
  PuntoEC zero;              // at 0 Pa
  PuntoEC lavoro;            // at the static pressure
  float Lw = 0;              // sound power shown, dB(A)
  bool suonoMinimo = false;  // raised to the mixed-air floor: shown as an upper bound
  float Tensione = 0;        // V
};

// Rates the fan of model d at qr (m3/s) against pressione (Pa): the two
// curve searches, their interpolation, the sound power with the Nlog speed
// law and its floor, the speed floor of 150 rpm, the reference curve and the
// command voltage.  Writes PortataAria and PortataLibera (of the last curve
// tested), CurvaSelezionata (a chosen curve 0 as 1), CurvaRiferimento (kept
// while the chart is open) and TensioneComando, as far as the model gets.
// Empty when the model cannot be rated at qr (it is skipped).
std::optional<VentilatoreEC> ValutaVentilatoreEC(const catalogo::DatiModello& d, float qr, float pressione,
                                                 const RegoleEC& regole, StatoCorsa& s);

}  // namespace unita
