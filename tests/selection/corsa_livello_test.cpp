// Whole fixed-level runs of the sample EC series, without windows.
#include <QFile>
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
  unita::Stato().TipoTransizione = 2;  // as every opener of a product line sets it
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

// A pinned run: file griglie/<nome>.txt.
struct CorsaAttesa {
  const char* nome;
  const char* serie;
  int posizione;  // of the level list
  std::function<void(unita::Condizioni&)> condizioni;
};

void PrintTo(const CorsaAttesa& c, std::ostream* os) { *os << c.nome; }

const CorsaAttesa kCorse[] = {
    {"livello_kalvoec_max", "KALVOEC", 2, [](unita::Condizioni&) {}},
    // The sound floor of 28 dB(A).
    {"livello_kalvoec_min", "KALVOEC", 0, [](unita::Condizioni&) {}},
    {"livello_kalvoec_4tubi_pressione", "KALVOEC", 2,
     [](unita::Condizioni& k) {
       k.PressioneUtile = 30;
       k.QuattroTubi = true;
     }},
    // Two plenums: their drops at each tried air flow.
    {"livello_dvkbldc_max_accessori", "DVKBLDC", 2,
     [](unita::Condizioni& k) {
       k.PressioneUtile = k.PressioneCasella = 50;
       k.Accessori[1] = k.Accessori[2] = true;
     }},
    {"livello_dvkbldc_med_rinnovo", "DVKBLDC", 1,
     [](unita::Condizioni& k) {
       k.PressioneUtile = k.PressioneCasella = 50;
       k.Accessori[1] = k.Accessori[2] = true;
       k.QuotaRinnovo = 30;
       k.TaRinnovo = {32, -5};
       k.URRinnovo = 50;
     }},
    // Additional coil: the base models cool, the "4P" units heat and give
    // the rows; sound floors marked.
    {"livello_rmbbldc_min_4tubi", "RMBBLDC", 0,
     [](unita::Condizioni& k) {
       k.Accessori[0] = k.QuattroTubi = true;
       k.Accessori[1] = true;
     }},
};

class CorseLivello : public test::ConProgramma, public ::testing::WithParamInterface<CorsaAttesa> {};

// Regenerated on purpose with the other pinned grids: scripts/rigenera_griglie.sh
TEST_P(CorseLivello, UgualeAllAttesa) {
  const CorsaAttesa& c = GetParam();
  unita::Condizioni k = Predefinite();
  c.condizioni(k);
  const QString ottenuta = QString::fromStdString(Corsa(c.serie, k, c.posizione));
  QFile file(QStringLiteral(SOURCE_DIR "/tests/selection/griglie/%1.txt").arg(QString::fromLatin1(c.nome)));
  if (qEnvironmentVariableIsSet("MISTREL_RIGENERA_GRIGLIE")) {
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ottenuta.toUtf8());
    return;
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  EXPECT_EQ(ottenuta, QString::fromUtf8(file.readAll()));
}

INSTANTIATE_TEST_SUITE_P(Livello, CorseLivello, ::testing::ValuesIn(kCorse),
                         [](const auto& info) { return std::string(info.param.nome); });

class CorsaLivelloSerie : public test::ConProgramma {};

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
