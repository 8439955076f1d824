#include "catalogue/descrittore.h"

#include "catalogue/serie.h"

namespace catalogo {
namespace {

// The accessory codes, the same ten boxes in every mixed-air window.
constexpr const char* kCodici[kAccessoriFinestra] = {"4 Pipe", "VUD",    "VUDN", "BEK", "J27",
                                                     "J27N",   "TRUZ E", "MOK",  "JX",  "JV"};

std::array<Accessorio, kAccessoriFinestra> Accessori(std::array<const char*, kAccessoriFinestra> didascalie) {
  std::array<Accessorio, kAccessoriFinestra> a{};
  for (int i = 0; i < kAccessoriFinestra; ++i) a[i] = {kCodici[i], didascalie[i] ? didascalie[i] : ""};
  return a;
}

const std::array<Accessorio, kAccessoriFinestra> kNessuno = Accessori({});

const std::vector<std::string> kMinMedMax{"Min", "Med", "Max"};

std::vector<std::string> Numerate(int n) {
  std::vector<std::string> v;
  for (int i = 1; i <= n; ++i) v.push_back(std::to_string(i));
  return v;
}

// The thermo-ventilating units' boxes: the additional coil (its caption
// written as the window gives it), two filters, heater, connectors, louvre.
std::array<Accessorio, kAccessoriFinestra> AccessoriRmb(const char* batteria) {
  return Accessori({batteria, "Filter G2(TR2)", "Filter G4(TR4)", "Electric Heater(NXW)", "90° connectors",
                    "Connecting panel circluar ducts (VKNT Return)",
                    "Connecting panel circluar ducts (VKNT Supply)", "Motor driven fresh air louvre (PLWO)",
                    nullptr, nullptr});
}

const std::array<Serie, 7>& Tabella() {
  static const std::array<Serie, 7> t{{
      {Codice::KALVO, "KALVO", Famiglia::Kalvo, Aria::Singola, false, "QZA-E-T", 0, kMinMedMax, kNessuno, 0,
       0, false, 80, true, false},
      {Codice::KALVOP, "KALVOP", Famiglia::Kalvo, Aria::Singola, false, "P", 87, Numerate(6), kNessuno, 0, 0,
       false, 80, true, false},
      {Codice::RMB, "RMB", Famiglia::Rmb, Aria::Mista, false, "QZU", 0, kMinMedMax,
       AccessoriRmb("Additional Coil (4 pipes)"), 3, 2, true, 250, true, true},
      {Codice::DVK, "DVK", Famiglia::Dvk, Aria::Mista, false, "QZG", 0, Numerate(7),
       Accessori({"Additional coil (4 pipes)", "Inlet/outlet plenum (non insutalted)",
                  "Inlet/outlet plenum (insutalted)", "Frontal air suction plenum (non insutalted)",
                  "90° inlet/outlet connetor (non insutalted)", "90° inlet/outlet connetor (insutalted)",
                  "Motorised dumper", "Soud attenuator", "Air suction grill", "Outlet grill"}),
       1, 0, false, 80, true, true},
      {Codice::KALVOEC,
       "KALVOEC",
       Famiglia::Kalvo,
       Aria::Singola,
       true,
       "QZO-Y-C",
       0,
       {},
       kNessuno,
       0,
       0,
       false,
       80,
       true,
       false},
      {Codice::RMBBLDC,
       "RMBBLDC",
       Famiglia::Rmb,
       Aria::Mista,
       true,
       "QZX",
       0,
       {},
       AccessoriRmb("Additional coil ( 4 pipes )"),
       3,
       2,
       false,
       250,
       true,
       false},
      {Codice::DVKBLDC,
       "DVKBLDC",
       Famiglia::Dvk,
       Aria::Mista,
       true,
       "QZJ",
       0,
       {},
       Accessori({"Additional coil ( 4 pipes )", "In/out plenum (non insutalted)",
                  "In/out plenum (insutalted)", "Frontal air suction plenum (non insutalted)",
                  "90° in/out connetor (non insutalted)", "90° in/out connetor (insutalted)",
                  "Motorised dumper", "Soud attenuator", "Air suction grill", "Outlet grill"}),
       1,
       0,
       false,
       250,
       true,
       false,
       2},
  }};
  return t;
}

}  // namespace

const Serie& Descrittore(Codice c) { return Tabella()[static_cast<std::size_t>(c)]; }

const Serie* TrovaSerie(std::string_view codice) {
  for (const Serie& s : Tabella())
    if (codice == s.codice) return &s;
  return nullptr;
}

std::span<const Serie> TutteLeSerie() { return Tabella(); }

}  // namespace catalogo
