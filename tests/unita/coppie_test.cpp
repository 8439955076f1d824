// The pairing of a base model and its 4-pipe row in the two kinds of run.
#include <gtest/gtest.h>

#include "selection/unita/coppie.h"

using namespace unita;

namespace {

constexpr Ruolo kNo{}, kTutto{true, true, true, true}, kSoloFreddo{true, true, false, false},
    kCaldoERiga{true, false, true, true};

TEST(Coppie, RuoloDiOgniModello) {
  struct Caso {
    TipoCorsa tipo;
    const char* codice;
    bool quattroTubi;
    Ruolo atteso;
  } casi[] = {
      {TipoCorsa::FanCoil, "KALVO 20", false, kTutto},
      {TipoCorsa::FanCoil, "KALVO 20 4P", false, kNo},
      {TipoCorsa::FanCoil, "KALVO 20 4P*", false, kNo},
      {TipoCorsa::FanCoil, "KALVO 20", true, kNo},
      {TipoCorsa::FanCoil, "KALVO 20 4P", true, kSoloFreddo},
      {TipoCorsa::FanCoil, "KALVO 20 4P*", true, kCaldoERiga},
      {TipoCorsa::FanCoil, "KALVO 20 4T", true, kNo},  // "4T" brings in its partner but is not rated
      {TipoCorsa::Misto, "RMB 20", false, kTutto},
      {TipoCorsa::Misto, "RMB 20 4P", false, kNo},
      {TipoCorsa::Misto, "RMB 20", true, kSoloFreddo},
      {TipoCorsa::Misto, "RMB 20 4P", true, kCaldoERiga},
      {TipoCorsa::Misto, "RMB 20 4P*", true, kSoloFreddo},  // no "4P*" rows in the mixed-air run
  };
  for (const Caso& c : casi)
    EXPECT_EQ(RuoloModello(c.tipo, c.codice, c.quattroTubi), c.atteso) << c.codice << " " << c.quattroTubi;
}

TEST(Coppie, ModelliDellaScelta) {
  struct Caso {
    TipoCorsa tipo;
    int posizione;
    const char* voce;
    int nModelli;
    Scelta attesa;
  } casi[] = {
      {TipoCorsa::FanCoil, 0, "* All", 16, {1, 16, false}},
      {TipoCorsa::FanCoil, 5, "KALVO 50", 16, {5, 5, false}},
      {TipoCorsa::FanCoil, 9, "KALVO 10 4P", 16, {9, 10, true}},    // with the "4P*" row after it
      {TipoCorsa::FanCoil, 16, "KALVO 80 4P", 16, {16, 16, true}},  // never past the last model
      {TipoCorsa::FanCoil, 3, "KALVO 30 4T", 16, {3, 4, true}},
      {TipoCorsa::FanCoil, 0, "* All", 70, {1, 60, false}},  // within the series' capacity
      {TipoCorsa::Misto, 0, "* All", 10, {1, 10, false}},
      {TipoCorsa::Misto, 6, "RMB 10 4P", 10, {5, 6, true}},  // with the base model before it
      {TipoCorsa::Misto, 1, "RMB 10 4P", 10, {1, 1, true}},
      {TipoCorsa::Misto, 3, "RMB 30 4T", 10, {3, 3, false}},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(ModelliScelti(c.tipo, c.posizione, c.voce, c.nModelli), c.attesa)
        << c.voce << " " << c.posizione;
}

TEST(Coppie, FreddoDelCompagnoSoloSubitoPrimaAllaStessaVelocita) {
  Coppie c;
  c.Freddo(2, 7);
  EXPECT_TRUE(c.FreddoDelCompagno(2, 8));
  EXPECT_FALSE(c.FreddoDelCompagno(3, 8));
  EXPECT_FALSE(c.FreddoDelCompagno(2, 9));
  EXPECT_FALSE(Coppie().FreddoDelCompagno(1, 1));
}

}  // namespace
