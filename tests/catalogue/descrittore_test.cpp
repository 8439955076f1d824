#include <gtest/gtest.h>

#include <string>

#include "catalogue/descrittore.h"

namespace {

using catalogo::Aria;
using catalogo::Codice;
using catalogo::Famiglia;

TEST(Descrittore, OgniSerie) {
  struct Caso {
    Codice id;
    const char* codice;
    Famiglia famiglia;
    Aria aria;
    bool ec;
    std::string velocita;  // the speed list joined by blanks
    int visibili, spuntato;
    bool esclusivi;
    float pressione;
    bool rumoreInOut;
    const char* batteria;  // caption of box 1
  } casi[] = {
      {Codice::KALVO, "KALVO", Famiglia::Kalvo, Aria::Singola, false, "Min Med Max", 0, 0, false, 80, false,
       ""},
      {Codice::KALVOP, "KALVOP", Famiglia::Kalvo, Aria::Singola, false, "1 2 3 4 5 6", 0, 0, false, 80, false,
       ""},
      {Codice::RMB, "RMB", Famiglia::Rmb, Aria::Mista, false, "Min Med Max", 3, 2, true, 250, true,
       "Additional Coil (4 pipes)"},
      {Codice::DVK, "DVK", Famiglia::Dvk, Aria::Mista, false, "1 2 3 4 5 6 7", 1, 0, false, 80, true,
       "Additional coil (4 pipes)"},
      {Codice::KALVOEC, "KALVOEC", Famiglia::Kalvo, Aria::Singola, true, "", 0, 0, false, 80, false, ""},
      {Codice::RMBBLDC, "RMBBLDC", Famiglia::Rmb, Aria::Mista, true, "", 3, 2, false, 250, false,
       "Additional coil ( 4 pipes )"},
      {Codice::DVKBLDC, "DVKBLDC", Famiglia::Dvk, Aria::Mista, true, "", 1, 0, false, 250, false,
       "Additional coil ( 4 pipes )"},
  };
  ASSERT_EQ(catalogo::TutteLeSerie().size(), std::size(casi));
  for (const Caso& c : casi) {
    const catalogo::Serie& s = catalogo::Descrittore(c.id);
    EXPECT_EQ(s.id, c.id);
    EXPECT_STREQ(s.codice, c.codice);
    EXPECT_EQ(catalogo::TrovaSerie(c.codice), &s);
    EXPECT_EQ(s.famiglia, c.famiglia) << c.codice;
    EXPECT_EQ(s.aria, c.aria) << c.codice;
    EXPECT_EQ(s.ec, c.ec) << c.codice;
    std::string velocita;
    for (const std::string& v : s.velocita) velocita += (velocita.empty() ? "" : " ") + v;
    EXPECT_EQ(velocita, c.velocita) << c.codice;
    EXPECT_EQ(s.accessoriVisibili, c.visibili) << c.codice;
    EXPECT_EQ(s.accessorioSpuntato, c.spuntato) << c.codice;
    EXPECT_EQ(s.filtriEsclusivi, c.esclusivi) << c.codice;
    EXPECT_EQ(s.pressioneMassima, c.pressione) << c.codice;
    EXPECT_TRUE(s.colonnaPin) << c.codice;
    EXPECT_EQ(s.colonneRumoreInOut, c.rumoreInOut) << c.codice;
    EXPECT_STREQ(s.accessori[0].didascalia, c.batteria) << c.codice;
    // Every box keeps its code; a shown box has a caption of the series.
    EXPECT_STREQ(s.accessori[0].codice, "4 Pipe");
    EXPECT_STREQ(s.accessori[9].codice, "JV");
    for (int i = 0; i < s.accessoriVisibili; ++i)
      EXPECT_STRNE(s.accessori[i].didascalia, "") << c.codice << i;
  }
  EXPECT_EQ(catalogo::TrovaSerie("VRLT"), nullptr);
  EXPECT_EQ(catalogo::TrovaSerie("kalvo"), nullptr);
}

TEST(Descrittore, AccessoriDelleSerieMiste) {
  using catalogo::Descrittore;
  // The two mixed-air EC series name their boxes as the EC window does,
  // the base series as the base window does.
  EXPECT_STREQ(Descrittore(Codice::RMBBLDC).accessori[1].didascalia, "Filter G2(TR2)");
  EXPECT_STREQ(Descrittore(Codice::RMBBLDC).accessori[7].didascalia, "Motor driven fresh air louvre (PLWO)");
  EXPECT_STREQ(Descrittore(Codice::RMBBLDC).accessori[8].didascalia, "");
  EXPECT_STREQ(Descrittore(Codice::DVKBLDC).accessori[1].didascalia, "In/out plenum (non insutalted)");
  EXPECT_STREQ(Descrittore(Codice::DVK).accessori[1].didascalia, "Inlet/outlet plenum (non insutalted)");
  EXPECT_STREQ(Descrittore(Codice::DVKBLDC).accessori[4].didascalia, "90° in/out connetor (non insutalted)");
  EXPECT_STREQ(Descrittore(Codice::DVKBLDC).accessori[9].didascalia, "Outlet grill");
}

}  // namespace
