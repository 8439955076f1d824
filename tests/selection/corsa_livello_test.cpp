// Whole fixed-level runs of the sample EC series, without windows.
#include <QString>
#include <functional>
#include <QStringList>

#include "catalogue/catalogo.h"
#include "platform/lista_voci.h"
#include "selection/unita/contesto.h"
#include "selection/unita/corsa_livello.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

namespace {

class Lista : public plat::ListaVoci {
 public:
  void Svuota() override {}
  void Aggiungi(const std::string&) override {}
  void Seleziona(int) override {}
};

// The windows' defaults: 27 C and 47 % in cooling with water 7/12 C, 20 C
// with water 70/60 C in heating, sound at 2 m with directivity 2.
unita::Condizioni Predefinite() {
  unita::Condizioni k;
  k.TaRicircolo = k.TaRinnovo = {27, 20};
  k.URRicircolo = k.URRinnovo = 47;
  k.Tw1 = {7, 70};
  k.Tw2 = {12, 60};
  k.Distanza = 2;
  k.Direttivita = 2;
  return k;
}

std::string Cella(double v) { return QString::number(v, 'f', 1).toStdString(); }

// Every row of a run: model, air flow (m3/h), the results of both passes,
// sound power and pressure ("<" before a floored sound), power input.
std::string Corsa(const char* serie, unita::Condizioni k, int posizione) {
  Lista lista;
  catalogo::Catalogo().SerieCorrente = serie;
  if (!ui::CaricaSerie(serie, lista)) return "not loaded";
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const bool mista = std::string(serie) != "KALVOEC";
  std::span<const motore::AccessorioDP> acc(cat.Accessori.data() + 1, static_cast<std::size_t>(cat.NAcc));
  unita::Valutazione u(unita::Stato(), unita::Costanti(), k, acc);
  u.IniziaCorsa();
  unita::CorsaLivello corsa(u, k, acc, mista, unita::LivelloComando(posizione));
  std::string testo;
  for (int m = 1; m <= cat.NModelli; ++m) {
    const unita::RigaLivello r = corsa.Modello(cat.Modelli[m], m);
    if (r.fine == unita::Riga::Fine::Fermata) return testo + "stopped: text " + std::to_string(r.esito.testo);
    if (r.fine != unita::Riga::Fine::Riga) continue;
    const unita::PuntoLivello& p = r.ventilatore.punto;
    const unita::Rese& e = r.rese;
    const std::string segno = p.suonoMinimo ? "<" : "";
    testo += cat.Modelli[m].ModDescri;
    for (double v : {p.Q * 3600.0, double(e.PotFreddoTot), double(e.PotFreddoSens),
                     double(e.QwFreddo * 3600000), double(e.DpwFreddo), double(e.Ta2Freddo),
                     double(e.PotCaldo), double(e.QwCaldo * 3600000), double(e.DpwCaldo), double(e.Ta2Caldo)})
      testo += " " + Cella(v);
    testo += " " + segno + Cella(p.Lw) + " " + segno + Cella(r.LP) + " " + Cella(p.Pin) + "\n";
  }
  return testo;
}

class CorsaLivelloSerie : public test::ConProgramma {};

TEST_F(CorsaLivelloSerie, CorseIntere) {
  struct Caso {
    const char* cosa;
    const char* serie;
    int posizione;  // of the level list
    std::function<void(unita::Condizioni&)> condizioni;
    const char* righe;
  } casi[] = {
      {"fan coils at Max", "KALVOEC", 2, [](unita::Condizioni&) {},
       "KALVOEC 10 210.0 1540.0 1070.0 264.8 33.9 11.2 2970.0 261.0 25.1 62.1 47.0 33.0 20.0\n"
       "KALVOEC 20 304.5 2200.0 1550.0 377.8 13.4 11.3 4360.0 382.1 10.4 62.5 49.0 35.0 24.0\n"
       "KALVOEC 30 441.0 2780.0 2020.0 478.0 18.1 12.8 5650.0 495.9 14.7 58.1 51.0 37.0 30.0\n"
       "KALVOEC 40 567.0 3730.0 2680.0 640.0 13.8 12.4 7540.0 661.3 11.1 59.5 53.0 39.0 36.0\n"
       "KALVOEC 50 682.5 4500.0 3220.0 772.2 21.1 12.4 8980.0 787.5 16.6 59.1 55.0 41.0 44.0\n"
       "KALVOEC 60 892.5 6450.0 4520.0 1105.9 15.3 11.3 12650.0 1109.3 11.7 62.1 57.0 43.0 58.0\n"
       "KALVOEC 70 1260.0 9360.0 6510.0 1606.9 24.8 11.0 18020.0 1580.4 18.3 62.5 60.0 46.0 80.0\n"
       "KALVOEC 80 1890.0 12750.0 9070.0 2187.2 21.9 12.2 25250.0 2214.3 17.0 59.7 63.0 49.0 115.0\n"},
      {"fan coils at Min: the sound floor of 28 dB(A)", "KALVOEC", 0, [](unita::Condizioni&) {},
       "KALVOEC 20 104.5 880.0 600.0 151.4 2.7 9.2 1720.0 151.0 2.0 68.9 28.0 14.0 6.5\n"
       "KALVOEC 30 156.0 1310.0 890.0 225.7 4.9 9.3 2480.0 217.4 3.5 67.2 28.0 14.0 7.3\n"
       "KALVOEC 40 197.0 1700.0 1150.0 291.5 3.5 9.0 3170.0 278.4 2.4 67.9 28.0 14.0 7.8\n"
       "KALVOEC 50 242.5 2090.0 1410.0 359.2 5.5 9.0 3890.0 341.0 3.8 67.6 30.0 16.0 8.8\n"
       "KALVOEC 60 312.5 2820.0 1880.0 484.4 3.6 8.4 5130.0 450.1 2.4 68.8 31.2 17.2 10.1\n"
       "KALVOEC 70 445.0 4080.0 2700.0 700.2 5.8 8.2 7320.0 642.5 3.8 68.9 33.9 19.9 12.4\n"
       "KALVOEC 80 670.0 5860.0 3930.0 1006.3 5.6 8.8 10800.0 948.3 3.9 67.9 36.4 22.4 16.1\n"},
      {"4-pipe fan coils at Max and 30 Pa", "KALVOEC", 2,
       [](unita::Condizioni& k) {
         k.PressioneUtile = 30;
         k.QuattroTubi = true;
       },

       "KALVOEC 10 4P 138.1 1130.0 770.0 194.1 19.7 9.8 1400.0 122.9 2.2 50.2 46.9 32.9 17.8\n"
       "KALVOEC 20 4P 207.8 1460.0 1040.0 250.1 4.9 11.5 1880.0 165.0 4.0 46.9 48.9 34.9 21.6\n"
       "KALVOEC 30 4P 310.0 2210.0 1560.0 378.5 12.1 11.5 2720.0 238.3 9.1 46.0 51.0 37.0 27.3\n"
       "KALVOEC 40 4P 402.7 2950.0 2070.0 506.7 9.2 11.1 3790.0 332.1 22.8 47.9 53.0 39.0 32.8\n"
       "KALVOEC 50 4P 491.7 3600.0 2520.0 618.3 14.3 11.1 4360.0 382.1 4.7 46.3 55.0 41.0 40.3\n"
       "KALVOEC 60 4P 651.1 4490.0 3210.0 769.8 6.1 11.8 5700.0 499.6 9.0 46.0 56.9 42.9 53.4\n"
       "KALVOEC 70 4P 926.4 6600.0 4660.0 1132.7 10.1 11.4 8130.0 713.5 7.7 46.1 59.9 45.9 73.8\n"
       "KALVOEC 80 4P 1389.6 8710.0 6390.0 1494.3 6.1 12.8 10920.0 957.8 14.5 43.3 62.9 48.9 106.1\n"},
      {"ducted units at Max, 50 Pa and two plenums", "DVKBLDC", 2,
       [](unita::Condizioni& k) {
         k.PressioneUtile = k.PressioneCasella = 50;
         k.Accessori[1] = k.Accessori[2] = true;
       },

       "DVKBLDC 10 595.4 2540.0 2040.0 435.1 12.8 16.4 5580.0 489.3 11.9 47.8 62.7 48.7 72.5\n"
       "DVKBLDC 15 847.0 3150.0 2680.0 540.8 6.9 17.2 7300.0 641.0 7.1 45.6 64.7 50.7 105.0\n"
       "DVKBLDC 20 1105.1 4090.0 3430.0 701.8 12.2 17.4 9170.0 804.3 11.8 44.6 66.8 52.8 137.8\n"
       "DVKBLDC 30 1374.7 5290.0 4440.0 907.4 6.5 17.0 12150.0 1066.0 6.6 46.3 68.8 54.8 185.2\n"
       "DVKBLDC 40 1649.1 7650.0 5970.0 1312.3 17.5 15.8 16280.0 1428.0 15.4 49.3 71.9 57.9 242.3\n"},
      {"ducted units at Med with 30 % fresh air", "DVKBLDC", 1,
       [](unita::Condizioni& k) {
         k.PressioneUtile = k.PressioneCasella = 50;
         k.Accessori[1] = k.Accessori[2] = true;
         k.QuotaRinnovo = 30;
         k.TaRinnovo = {32, -5};
         k.URRinnovo = 50;
       },

       "DVKBLDC 10 300.4 2140.0 1410.0 366.8 9.5 13.9 4370.0 383.4 7.8 54.6 52.5 38.5 28.5\n"
       "DVKBLDC 15 442.0 2800.0 1910.0 481.1 5.6 15.0 5970.0 523.8 5.0 51.6 55.4 41.4 40.0\n"
       "DVKBLDC 20 595.1 3700.0 2510.0 634.2 10.3 15.4 7710.0 675.9 8.7 50.0 58.5 44.5 51.9\n"
       "DVKBLDC 30 764.7 4840.0 3300.0 830.8 5.6 15.1 10280.0 902.4 4.9 51.4 60.4 46.4 69.3\n"
       "DVKBLDC 40 939.1 6820.0 4460.0 1169.8 14.3 13.7 13670.0 1199.3 11.3 54.6 63.4 49.4 90.3\n"},
      {"4-pipe thermo-ventilating units at Min: sound floors marked", "RMBBLDC", 0,
       [](unita::Condizioni& k) {
         k.Accessori[0] = k.QuattroTubi = true;
         k.Accessori[1] = true;
       },

       "RMBBLDC 10 4P 255.1 1650.0 1200.0 282.9 6.0 12.5 1850.0 162.4 3.9 41.6 <45.2 <31.2 12.7\n"
       "RMBBLDC 15 4P 354.1 2110.0 1580.0 362.1 3.4 13.2 2440.0 214.4 7.1 40.5 <47.2 <33.2 16.7\n"
       "RMBBLDC 20 4P 451.2 2740.0 2030.0 469.3 6.1 13.1 2880.0 252.3 1.6 38.9 <49.2 <35.2 20.6\n"
       "RMBBLDC 30 4P 550.9 3390.0 2520.0 581.5 3.0 12.9 3940.0 345.7 3.8 41.2 <51.2 <37.2 25.6\n"
       "RMBBLDC 40 4P 636.5 4650.0 3270.0 797.4 7.3 11.1 4390.0 385.4 4.8 40.5 <53.2 <39.2 32.6\n"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    unita::Condizioni k = Predefinite();
    c.condizioni(k);
    EXPECT_EQ(Corsa(c.serie, k, c.posizione), c.righe);
  }
}

TEST_F(CorsaLivelloSerie, LaMisceleCheckMescolaPerQuota) {
  // The last model, a "4P" unit left out without the additional coil, is
  // checked in cooling: 70 % return air at 27 C with 30 % fresh air at 32 C.
  unita::Condizioni k = Predefinite();
  k.PressioneUtile = k.PressioneCasella = 50;
  k.QuotaRinnovo = 30;
  k.TaRinnovo = {32, -5};
  k.URRinnovo = 50;
  Corsa("DVKBLDC", k, 2);
  EXPECT_FLOAT_EQ(unita::Stato().Ta1, 28.5f);
  EXPECT_EQ(unita::Stato().FlagPassaggio, unita::kFreddo);
}

}  // namespace
