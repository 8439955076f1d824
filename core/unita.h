// Units of measure: the internal units are W, m3/s, kPa (water pressure
// drop), Pa (air pressure) and degrees Celsius; for five quantities the user
// chooses the unit in which values are shown and typed.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace core {

struct UnitaMisura {
  int16_t UmPotenza = 0;
  int16_t UmPortataAria = 0;
  int16_t UmPortataAcqua = 0;
  int16_t UmPerditaAcqua = 0;
  int16_t UmPerditaAria = 0;

  std::array<QString, 2> NomiUmPotenza, FormatoPotenza;
  std::array<float, 2> FattorePotenza{};
  std::array<QString, 3> NomiUmPortataAria, FormatoPortataAria;
  std::array<float, 3> FattorePortataAria{};
  std::array<QString, 2> NomiUmPortataAcqua, FormatoPortataAcqua;
  std::array<float, 2> FattorePortataAcqua{};
  std::array<QString, 2> NomiUmPerditaAcqua, FormatoPerditaAcqua;
  std::array<float, 2> FattorePerditaAcqua{};
  std::array<QString, 2> NomiUmPerditaAria, FormatoPerditaAria;
  std::array<float, 2> FattorePerditaAria{};
  QString FormatoTemperatura = QStringLiteral("##0.0");
};

extern UnitaMisura um;

// Fills the names, formats and factors.
void RiempiUnita();

// The five quantities, for the shared conversions below.
enum class Grandezza { Potenza, PortataAria, PortataAcqua, PerditaAcqua, PerditaAria };

QString NomeUnita(Grandezza g);
float Fattore(Grandezza g);
// The factor of g in the units u.
float Fattore(Grandezza g, const UnitaMisura& u);
QString FormatoUnita(Grandezza g);
// Shown text of an internal value in the chosen unit.
QString Mostra(Grandezza g, double valoreInterno);
// Internal value of a value typed in the chosen unit.
double Interno(Grandezza g, double valoreDigitato);
// A value typed in the unit of g chosen in `prima`, written in the unit
// chosen now: the decimals of the unit's format, and more where they are
// needed to keep the same single-precision internal value.
QString Riscrivi(Grandezza g, double valoreDigitato, const UnitaMisura& prima);
// A temperature as the result grids show it.
QString MostraTemperatura(double t);

}  // namespace core
