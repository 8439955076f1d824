#include "report/sezione_risultati.h"

#include "core/testi.h"
#include "platform/griglia.h"
#include "report/documento.h"
#include "report/fstampa.h"
#include "report/lettura_finestra.h"

namespace rapporto {

const QString kLivelloDelMare =
    QStringLiteral("The selection is based on sea level,you should contact VTRL for recalculation");
const QString kSenzaFiltri = QStringLiteral("WARNING : no filters are selected !!!");
const QString kSenzaPressione =
    QStringLiteral("Warning: Ducted unit without useful static pressure is selected ( 0 Pa)!");

namespace {

const QString kGradi = QStringLiteral(" \u00B0C");
const QString kPercento = QStringLiteral(" %");

// One row of the conditions table: the label, the cooling and the heating
// value; the heating cell is centred for the rows of two values.
struct RigaCondizioni {
  QString etichetta, freddo, caldo;
  bool centraCaldo = false;
};

// A value followed by its unit, or nothing when the box is empty.
QString SeDato(const QString& valore, const QString& unita) {
  return valore.isEmpty() ? QString() : valore + unita;
}

// The rows of the conditions table below its heading; unici counts the last
// rows whose one value serves both columns.
std::vector<RigaCondizioni> RigheCondizioni(const LetturaFinestra& f, bool conAria, int& unici) {
  auto t = [&f](const char* nome, int i = -1) { return f.Testo(QString::fromLatin1(nome), i); };
  std::vector<RigaCondizioni> r;
  if (conAria) {
    r.push_back({t("frmRicircoloF"), {}, {}});
    r.push_back({t("lblTbsric", 0), t("txtTsa1ric", 0) + kGradi, t("txtTsa1ric", 1) + kGradi, true});
    r.push_back({t("lbltburic"), t("txtTburic") + kGradi, {}});
    r.push_back({t("lblUrric"), t("txtUrric") + kPercento, {}});
    r.push_back({t("frmRinnovoF"), {}, {}});
    r.push_back({t("lblTbsrin", 0), t("txtTsa1rin", 0) + kGradi, t("txtTsa1rin", 1) + kGradi, true});
    r.push_back({t("lbltburin"), t("txttburin") + kGradi, {}});
    r.push_back({t("lblurrin"), t("txturrin") + kPercento, {}});
  } else {
    r.push_back({t("lblTbs", 0), t("txtTsa1", 0) + kGradi, t("txtTsa1", 1) + kGradi, true});
    r.push_back({t("lbltbu"), t("txtTbu") + kGradi, {}});
    r.push_back({t("lblUR"), t("txtUr") + kPercento, {}});
  }
  r.push_back({t("lblTw1", 0), t("txtTw1", 0) + kGradi, t("txtTw1", 1) + kGradi, true});
  r.push_back({t("lblTw2", 0), SeDato(t("txtTw2", 0), kGradi), SeDato(t("txtTw2", 1), kGradi), true});
  r.push_back({t("lblQw", 0), SeDato(t("txtQw", 0), QLatin1Char(' ') + t("lblumQw", 0)),
               SeDato(t("txtQw", 1), QLatin1Char(' ') + t("lblumQw", 1)), true});
  const size_t primoUnico = r.size();
  r.push_back({t("lblPsu"), t("txtpsu") + QLatin1Char(' ') + t("lblumDpa"), {}});
  // The required total air flow: the windows that rate at a given air flow.
  const QString nome = f.Nome();
  const bool portata = nome == QLatin1String("FDatiPEC") || nome == QLatin1String("FDatiPXX") ||
                       nome == QLatin1String("FDatiPXXEC");
  if (portata && f.Numero(QStringLiteral("txtqatot")) > 0)
    r.push_back({t("lblQaTot"), t("txtqatot") + QLatin1Char(' ') + t("lblUmQA"), {}});
  r.push_back({t("lblglic"), t("txtGlic") + kPercento, {}});
  // The fan speed: the windows with a speed list.
  if (nome != QLatin1String("FDatiPEC") && nome != QLatin1String("FDatiPXXEC"))
    r.push_back({t("lblVel"), t("cboVel"), {}});
  unici = static_cast<int>(r.size() - primoUnico);
  return r;
}

void TabellaCondizioni(Documento& d, const LetturaFinestra& f, bool conAria) {
  d.ImpostaGrassetto(false);
  d.ImpostaDimensione(10);
  int unici = 0;
  const std::vector<RigaCondizioni> righe = RigheCondizioni(f, conAria, unici);
  const int tabella = d.AggiungiTabella(7, 3, Larghezze::Adattate);
  d.ScriviTesto(QStringLiteral(" "));
  d.CellaSuccessiva();
  d.ScriviTesto(core::Testo(62));
  d.CellaSuccessiva();
  d.ScriviTesto(core::Testo(65));
  for (const RigaCondizioni& r : righe) {
    d.CellaSuccessiva();
    d.ScriviTesto(r.etichetta);
    d.CellaSuccessiva();
    d.ImpostaAllineamento(Allineamento::Centro);
    d.ScriviTesto(r.freddo);
    d.CellaSuccessiva();
    if (r.centraCaldo) d.ImpostaAllineamento(Allineamento::Centro);
    d.ScriviTesto(r.caldo);
  }
  d.VaiAllaFine();
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  d.ImpostaGrassetto(false);

  d.ScriviTesto(kLivelloDelMare);
  // The frame captions of the two air streams across the table, in bold.
  if (conAria) {
    for (int riga : {2, 6}) {
      d.UnisciCelle(tabella, riga, 1, 3);
      d.RigaInGrassetto(tabella, riga);
    }
  }
  // One value for both columns: static pressure, air flow, glycol, speed.
  const int n = d.RigheTabella(tabella);
  for (int riga = n - unici + 1; riga <= n; ++riga) d.UnisciCelle(tabella, riga, 2, 3);
  d.RigaInGrassetto(tabella, 1);
}

void Accessori(Documento& d, const LetturaFinestra& f) {
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  d.ImpostaGrassetto(true);
  d.ScriviTesto(core::Testo(5) + QStringLiteral(" : "));
  d.ImpostaGrassetto(false);
  QString riga;
  for (int i = 1; i <= 10; ++i)
    if (f.Spuntata(QStringLiteral("chkAcc"), i))
      riga += f.Testo(QStringLiteral("chkAcc"), i) + QStringLiteral(" - ");
  d.ScriviTesto(riga);
}

void Avviso(Documento& d, const QString& testo) {
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  d.ImpostaGrassetto(true);
  d.ScriviTesto(testo);
  d.ImpostaGrassetto(false);
}

void CopiaGriglia(Documento& d, const plat::Griglia* g) {
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  const int righe = g ? g->Rows() : 0, colonne = g ? g->Cols() : 0;
  d.ImpostaGrassetto(false);
  d.ImpostaDimensione(colonne > 10 ? 8 : 10);
  if (righe > 0 && colonne > 0) {
    const int tabella = d.AggiungiTabella(righe, colonne, Larghezze::Adattate);
    for (int i = 0; i < righe; ++i)
      for (int j = 0; j < colonne; ++j) d.AccodaACella(tabella, i + 1, j + 1, g->TextMatrix(i, j));
    d.AdattaColonne(tabella);
    d.RigaInGrassetto(tabella, 1);
    if (righe > 1) d.RigaInGrassetto(tabella, 2);
  }
  d.VaiAllaFine();
  d.NuovoParagrafo();
}

void Legenda(Documento& d, const LetturaFinestra& f, const QString& serie) {
  d.ImpostaGrassetto(true);
  d.ScriviTesto(core::Testo(160));
  d.NuovoParagrafo();
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  d.ImpostaGrassetto(false);
  d.ImpostaDimensione(10);
  // The fan-coil legend has one entry more, its last one taken from entry 16.
  const bool fancoil = serie == QLatin1String("KALVO") || serie == QLatin1String("KALVOP");
  const int ultima = serie == QLatin1String("ZEPA") ? 15 : fancoil ? 14 : 13;
  const int tabella = d.AggiungiTabella(ultima + 1, 2, Larghezze::Adattate);
  const QString sim = QStringLiteral("lblLegSim"), des = QStringLiteral("lblLegDes");
  for (int i = 0; i <= ultima; ++i) {
    const int e = fancoil && i == 14 ? 16 : i;
    d.CellaInGrassetto(tabella, i + 1, 1);
    d.AccodaACella(tabella, i + 1, 1, f.Testo(sim, e));
    d.AccodaACella(tabella, i + 1, 2, f.Testo(des, e));
    if (f.Testo(sim, e) == QLatin1String("LP"))
      d.AccodaACella(tabella, i + 1, 2,
                     QStringLiteral(" Distance : ") + f.Testo(QStringLiteral("txtDistanza")) +
                         QStringLiteral(" meter") + QStringLiteral(" Directivity Factor : ") +
                         f.Testo(QStringLiteral("cboDirezione")) + QStringLiteral("  "));
  }
  d.AdattaColonne(tabella);
  d.VaiAllaFine();
}

}  // namespace

void ScriviRisultati(Documento& d, const LetturaFinestra& f, const QString& serie,
                     const std::function<void()>& avanza) {
  d.ScriviTesto(QStringLiteral(" "));
  d.NuovoParagrafo();
  const bool conAria = FinestraConAria(f.Nome());
  TabellaCondizioni(d, f, conAria);
  if (conAria) Accessori(d, f);
  if (serie == QLatin1String("RMB") || serie == QLatin1String("RMBBLDC")) {
    if (!f.Spuntata(QStringLiteral("chkAcc"), 2) && !f.Spuntata(QStringLiteral("chkAcc"), 3))
      Avviso(d, kSenzaFiltri);
    if (f.Numero(QStringLiteral("txtpsu")) == 0) Avviso(d, kSenzaPressione);
  }
  avanza();
  CopiaGriglia(d, f.Griglia());
  avanza();
  Legenda(d, f, serie);
}

}  // namespace rapporto
