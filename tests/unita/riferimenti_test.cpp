// The reference ratings of tests/data/ratings (computed independently of
// this program): each case is one model at one speed, rated through the unit
// as a run rates it, without any window. Capacities, the sound pressure,
// tube count and the dry-coil flag must be equal; the other figures to the
// last digit or two of single precision.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <vector>

#include "catalogue/catalogo.h"
#include "core/numeri.h"
#include "engine/costanti.h"
#include "engine/psicrometria.h"
#include "selection/unita/valutazione.h"

using namespace unita;

namespace {

struct Caso {
  QString id;
  QJsonObject input, atteso;
};

std::vector<Caso> Casi() {
  std::vector<Caso> casi;
  QFile f(TESTDATA "/ratings/cases.jsonl");
  if (!f.open(QIODevice::ReadOnly)) return casi;
  for (const QByteArray& riga : f.readAll().split('\n')) {
    if (riga.trimmed().isEmpty()) continue;
    const QJsonObject o = QJsonDocument::fromJson(riga).object();
    casi.push_back({o["id"].toString(), o["input"].toObject(), o["expected"].toObject()});
  }
  return casi;
}

float F(const QJsonValue& v) { return static_cast<float>(v.toDouble()); }

// The model as a loader would hold it, at speed v.
catalogo::DatiModello Modello(const QJsonObject& m, int v, bool fanCoil) {
  catalogo::DatiModello d;
  d.Modello = m["Modello"].toString().toStdString();
  d.ModDescri = m["ModDescri"].toString().toStdString();
  d.Geom = static_cast<std::int16_t>(m["Geom"].toInt());
  d.Passo = static_cast<std::int16_t>(m["Passo"].toInt());
  d.LunBat = F(m["LunBat"]);
  d.AltBat = F(m["AltBat"]);
  d.NR = F(m["NR"]);
  d.NC = F(m["NC"]);
  const int set = fanCoil ? v : 1;  // coefficient columns: the speed's in a fan coil
  d.C100[set] = F(m["C100"]);
  d.FC30[set] = F(m["FC30"]);
  d.CC30[set] = F(m["CC30"]);
  d.FCC50 = F(m["FCC50"]);
  d.CCC50 = F(m["CCC50"]);
  d.LWA[v] = F(m["LWA"]);
  d.PIN[v] = F(m["PIN"]);
  const QJsonObject fan = m["fan"].toObject();
  const QJsonObject fan1 = m.contains("fan_speed1") ? m["fan_speed1"].toObject() : fan;
  d.VentA[v] = F(fan["A"]), d.VentB[v] = F(fan["B"]), d.VentC[v] = F(fan["C"]);
  d.VentA[1] = F(fan1["A"]), d.VentB[1] = F(fan1["B"]), d.VentC[1] = F(fan1["C"]);
  return d;
}

// The boxes of the window as the case fills them.
Condizioni Condizioni_(const QJsonObject& in) {
  const QJsonObject k = in["conditions"].toObject(), opz = in["options"].toObject();
  const QJsonObject fr = k["cooling"].toObject(), ca = k["heating"].toObject();
  Condizioni c;
  c.TaRicircolo = {F(fr["t_air"]), F(ca["t_air"])};
  if (fr.contains("rh")) {
    c.URRicircolo = F(fr["rh"]);
  } else {
    // A wet bulb typed instead: the box computes the humidity and shows it
    // with one decimal, which the run then reads.
    const float ur = motore::UmiditaRelativa(F(fr["t_air"]), F(fr["wb"]));
    c.URRicircolo = static_cast<float>(core::ValNum(core::Formatta(ur, "##.0", ".")));
  }
  auto acqua = [&](const QJsonObject& p, int i) {
    c.Tw1[i] = F(p["tw_in"]);
    c.Tw2[i] = F(p["tw_out"]);
    if (p.contains("water_flow_lh")) c.Qw[i] = static_cast<float>(p["water_flow_lh"].toDouble() / 3600000.0f);
    if (p.contains("water_flow_ls")) c.Qw[i] = static_cast<float>(p["water_flow_ls"].toDouble() / 1000.0f);
  };
  acqua(fr, kFreddo);
  acqua(ca, kCaldo);
  c.ComeFreddo = ca["flow_as_cooling"].toBool();
  c.PercGlicole = F(k["glycol_pct"]);
  c.PressioneUtile = c.PressioneCasella = F(k["static_pressure_pa"]);
  if (k.contains("air_flow_m3h"))
    c.PortataTotale = static_cast<float>(k["air_flow_m3h"].toDouble() / 3600.0f);
  c.Distanza = F(k["distance_m"]);
  c.Direttivita = static_cast<std::int16_t>(k["directivity"].toInt());
  c.SenzaLimiti = opz["nolimits"].toBool();
  c.District = opz["district"].toBool();
  return c;
}

// Equal to the last digit or two of single precision: within two steps of a
// single-precision value.
::testing::AssertionResult Vicino(const char* nome, double ottenuto, double atteso) {
  const float a = static_cast<float>(atteso);
  const double tolleranza = 2.0 * (std::nextafter(std::fabs(a), INFINITY) - std::fabs(a));
  if (std::fabs(ottenuto - atteso) <= tolleranza) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << nome << ": " << ottenuto << " instead of " << atteso;
}

TEST(Riferimenti, OgniCasoComeCalcolatoIndipendentemente) {
  const std::vector<Caso> casi = Casi();
  ASSERT_EQ(casi.size(), 41u);
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.id.toStdString());
    const QString famiglia = caso.input["family"].toString();
    const bool fanCoil = famiglia == "kalvo";
    const int v = caso.input["speed"].toInt();
    motore::CostantiBatteria costanti;
    if (fanCoil)
      motore::ImpostaCostantiKalvo(costanti);
    else if (famiglia == "rmb")
      motore::ImpostaCostantiRmb(costanti);
    else
      motore::ImpostaCostantiDvk(costanti);
    unita::StatoCorsa s;
    s.TipoTransizione = 2;
    const Condizioni k = Condizioni_(caso.input);
    const catalogo::DatiModello d = Modello(caso.input["model"].toObject(), v, fanCoil);

    Valutazione u(s, costanti, k);
    u.IniziaCorsa();
    const Riga r = fanCoil ? u.RigaFanCoil(d, 1, v) : u.RigaMista(d, 1, v);
    ASSERT_EQ(r.fine, Riga::Fine::Riga);

    const QJsonObject ing = caso.atteso["inlet"].toObject();
    EXPECT_TRUE(Vicino("Ta1", r.ingresso.Ta1, ing["Ta1"].toDouble()));
    EXPECT_TRUE(Vicino("URAria1", r.ingresso.URAria1, ing["URAria1"].toDouble()));
    EXPECT_TRUE(Vicino("TbuAria1", r.ingresso.TbuAria1, ing["TbuAria1"].toDouble()));
    EXPECT_TRUE(Vicino("EntAria1", r.ingresso.EntAria1, ing["EntAria1"].toDouble()));
    EXPECT_TRUE(Vicino("EntSat1", r.ingresso.EntSat1, ing["EntSat1"].toDouble()));

    const QJsonObject aria = caso.atteso["air"].toObject();
    EXPECT_TRUE(Vicino("PortataAria", r.punto.PortataAria * 3600.0, aria["PortataAria_m3h"].toDouble()));
    EXPECT_TRUE(Vicino("PortataLibera", r.punto.PortataLibera, aria["PortataLibera_m3s"].toDouble()));
    if (aria.contains("PressioneLavoro")) {
      EXPECT_TRUE(Vicino("PressioneLavoro", r.punto.PressioneLavoro, aria["PressioneLavoro"].toDouble()));
    }
    EXPECT_EQ(s.NumeroTubi, aria["NumeroTubi"].toInt());

    const QJsonObject fr = caso.atteso["cooling"].toObject(), ca = caso.atteso["heating"].toObject();
    const Rese& x = r.rese;
    EXPECT_EQ(x.PotFreddoTot, fr["PotFreddoTot"].toDouble());
    EXPECT_EQ(x.PotFreddoSens, fr["PotFreddoSens"].toDouble());
    EXPECT_EQ(x.PotCaldo, ca["PotCaldo"].toDouble());
    EXPECT_EQ(r.freddo.Accettato, fr["accepted"].toBool());
    EXPECT_EQ(r.caldo.Accettato, ca["accepted"].toBool());
    EXPECT_EQ(x.Secca, fr["FlagSecca"].toBool());
    EXPECT_TRUE(Vicino("QwFreddo", x.QwFreddo * 3600000.0, fr["QwFreddo_lh"].toDouble()));
    EXPECT_TRUE(Vicino("Tw2Freddo", x.Tw2Freddo, fr["Tw2Freddo"].toDouble()));
    EXPECT_TRUE(Vicino("DpwFreddo", x.DpwFreddo, fr["DpwFreddo"].toDouble()));
    EXPECT_TRUE(Vicino("Ta2Freddo", x.Ta2Freddo, fr["Ta2Freddo"].toDouble()));
    EXPECT_TRUE(Vicino("UGlobale (C)", r.freddo.UGlobale, fr["UGlobale"].toDouble()));
    EXPECT_TRUE(Vicino("HW (C)", r.freddo.HW, fr["HW"].toDouble()));
    EXPECT_TRUE(Vicino("ReW (C)", r.freddo.ReW, fr["ReW"].toDouble()));
    EXPECT_TRUE(Vicino("QwCaldo", x.QwCaldo * 3600000.0, ca["QwCaldo_lh"].toDouble()));
    EXPECT_TRUE(Vicino("Tw2Caldo", x.Tw2Caldo, ca["Tw2Caldo"].toDouble()));
    EXPECT_TRUE(Vicino("DpwCaldo", x.DpwCaldo, ca["DpwCaldo"].toDouble()));
    EXPECT_TRUE(Vicino("Ta2Caldo", x.Ta2Caldo, ca["Ta2Caldo"].toDouble()));
    EXPECT_TRUE(Vicino("UGlobale (H)", r.caldo.UGlobale, ca["UGlobale"].toDouble()));
    EXPECT_TRUE(Vicino("HW (H)", r.caldo.HW, ca["HW"].toDouble()));
    EXPECT_TRUE(Vicino("ReW (H)", r.caldo.ReW, ca["ReW"].toDouble()));

    // A model without sound power has no sound figure (an empty cell in the
    // fan-coil grid).
    const QJsonValue lp = caso.atteso["sound"].toObject().value("LP");
    if (lp.isUndefined()) {
      if (fanCoil) {
        EXPECT_FALSE(r.conLP);
      }
    } else {
      EXPECT_TRUE(r.conLP);
      EXPECT_EQ(r.LP, lp.toInt());
    }
    EXPECT_EQ(s.FlagBassaPerdita != motore::Falso, caso.atteso["FlagBassaPerdita"].toBool());
  }
}

}  // namespace
