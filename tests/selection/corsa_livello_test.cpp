// A whole fixed-level run of a sample EC series, without windows.
#include <functional>

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

// A whole run of a series at list position `posizione` of the level list;
// the rows it gives (and the record the run leaves, in *stato).
int Corsa(const char* serie, const unita::Condizioni& k, int posizione,
          const std::function<void(catalogo::CatalogoSerie&)>& modifica = {},
          unita::StatoCorsa* stato = nullptr) {
  Lista lista;
  catalogo::Catalogo().SerieCorrente = serie;
  if (!ui::CaricaSerie(serie, lista)) return -1;
  if (modifica) modifica(catalogo::Catalogo());
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const bool mista = std::string(serie) != "KALVOEC";
  std::span<const motore::AccessorioDP> acc(cat.Accessori.data() + 1, static_cast<std::size_t>(cat.NAcc));
  unita::StatoCorsa s = unita::StatoIniziale();
  const motore::CostantiBatteria costanti = unita::CostantiFamiglia(catalogo::TrovaSerie(serie)->famiglia);
  unita::Valutazione u(s, costanti, k, acc);
  u.IniziaCorsa();
  unita::CorsaLivello corsa(u, k, acc, mista, unita::LivelloComando(posizione));
  int righe = 0;
  for (int m = 1; m <= cat.NModelli; ++m)
    righe += corsa.Modello(cat.Modelli[m], m).fine == unita::Riga::Fine::Riga;
  if (stato) *stato = s;
  return righe;
}

class CorsaLivelloSerie : public test::ConProgramma {};

TEST_F(CorsaLivelloSerie, LaMisceleCheckMescolaPerQuota) {
  // The last model, a "4P" unit left out without the additional coil, is
  // checked in cooling: 70 % return air at 27 C with 30 % fresh air at 32 C.
  unita::Condizioni k = Predefinite();
  k.PressioneUtile = k.PressioneCasella = 50;
  k.QuotaRinnovo = 30;
  k.TaRinnovo = {32, -5};
  k.URRinnovo = 50;
  unita::StatoCorsa s;
  EXPECT_EQ(Corsa("DVKBLDC", k, 2, {}, &s), 5);
  EXPECT_FLOAT_EQ(s.Ta1, 28.5f);
  EXPECT_EQ(s.FlagPassaggio, unita::kFreddo);
}

// A ticked accessory on a model with no air passage drops that model; the
// run goes on with the others.
TEST_F(CorsaLivelloSerie, AccessorioSenzaPassaggioTogliSoloIlModello) {
  unita::Condizioni k = Predefinite();
  k.PressioneUtile = k.PressioneCasella = 50;
  k.Accessori[0] = true;
  int modelli = 0;
  const int tutte = Corsa("DVKBLDC", k, 2, [&](catalogo::CatalogoSerie& c) { modelli = c.NModelli; });
  ASSERT_GT(tutte, 1);
  for (int senza = 1; senza <= modelli; ++senza) {
    const int righe = Corsa("DVKBLDC", k, 2, [senza](catalogo::CatalogoSerie& c) {
      c.Modelli[senza].Sezione = 0;
      c.Modelli[senza].Bocche = 0;
    });
    EXPECT_GE(righe, tutte - 1) << senza;
    EXPECT_LE(righe, tutte) << senza;
  }
  EXPECT_EQ(Corsa("DVKBLDC", k, 2,
                  [](catalogo::CatalogoSerie& c) {
                    for (int m = 1; m <= c.NModelli; ++m) c.Modelli[m].Sezione = 0, c.Modelli[m].Bocche = 0;
                  }),
            0);
}

}  // namespace
