// A test model of an EC series: curve k delivers 200 + 100 k m3/h at 0 Pa
// against a shut-off of 100 Pa (so half of it at 75 Pa), at 500 + 100 k rpm
// (between curves the speed is the flow plus 300), with 30 + 2 k dB(A) and a
// power input of 0.1 W per m3/h plus 10 W.  Curve 7 turns at 1200 rpm.
#pragma once

#include "catalogue/catalogo.h"
#include "selection/unita/curve_ec.h"

namespace test {

inline catalogo::DatiModello ModelloEC() {
  catalogo::DatiModello d;
  for (int k = 0; k < unita::kCurveEC; ++k) {
    const float qf = 200.0f + 100.0f * k;
    d.VentA[k] = -100.0f / (qf * qf);
    d.VentC[k] = 100;
    d.G[k] = static_cast<std::int16_t>(500 + 100 * k);
    d.LWA[k] = 30.0f + 2.0f * k;
    d.PB[k] = 0.1f;
    d.PC[k] = 10;
  }
  d.Nlog = 50;
  return d;
}

}  // namespace test
