// The "Easy calc." windows of the EC series driven as a user drives them.
#include <map>

#include "core/ambiente.h"
#include "core/unita.h"
#include "platform/schermo.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "selection/grafico.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

using namespace sel;

namespace {

class FinestreFacili : public test::ConProgramma {
 protected:
  void TearDown() override {
    core::imp.BaseTesti = 300;
    core::um.UmPortataAria = 2;
    ConProgramma::TearDown();
  }
  FinestraSelezione& Apri(catalogo::Codice c) {
    ui::ApriLinea(c, true);
    if (c == catalogo::Codice::KALVOEC) return FDatiPEC_VFIX();
    return FDatiPXXEC_VFIX();
  }
  static plat::ComboBox* Livelli(FinestraSelezione& f) {
    if (auto* s = dynamic_cast<FormDatiPEC*>(&f)) return s->cboVel;
    return static_cast<FormDatiPXXEC&>(f).cboVel;
  }
  static plat::Label* Etichetta(FinestraSelezione& f) {
    if (auto* s = dynamic_cast<FormDatiPEC*>(&f)) return s->lblVel;
    return static_cast<FormDatiPXXEC&>(f).lblVel;
  }
  static QStringList Riga(const FinestraSelezione& f, int r) {
    QStringList c;
    for (int i = 0; i < f.Grd->Cols(); ++i) c << f.Grd->TextMatrix(r, i);
    return c;
  }
};

TEST_F(FinestreFacili, AllAperturaSecondoLaSerie) {
  struct Caso {
    catalogo::Codice serie;
    const char* nome;
    int visibili;  // accessory boxes shown
    bool g2;
  } casi[] = {{catalogo::Codice::KALVOEC, "FDatiPEC_VFIX", 0, false},
              {catalogo::Codice::DVKBLDC, "FDatiPXXEC_VFIX", 2, false},
              {catalogo::Codice::RMBBLDC, "FDatiPXXEC_VFIX", 3, true}};
  for (int lingua : {300, 100}) {
    core::imp.BaseTesti = lingua;
    for (const Caso& c : casi) {
      FinestraSelezione& f = Apri(c.serie);
      SCOPED_TRACE(f.serie.toStdString() + " " + std::to_string(lingua));
      EXPECT_EQ(f.Nome(), c.nome);
      EXPECT_TRUE(f.Facile());
      EXPECT_EQ(Grafico().FormChiamante, c.nome);
      // The level list, "Max" chosen, its label fixed in every language.
      plat::ComboBox* cbo = Livelli(f);
      ASSERT_TRUE(cbo);
      EXPECT_EQ(cbo->ListCount(), 3);
      EXPECT_EQ(QStringList({cbo->List(0), cbo->List(1), cbo->List(2)}), (QStringList{"Min", "Med", "Max"}));
      EXPECT_EQ(cbo->Text(), "Max");
      EXPECT_FALSE(cbo->isEditable());
      EXPECT_EQ(Etichetta(f)->Caption(), "Velocita' funzionamento");
      EXPECT_EQ(f.lblPsu->Caption(), lingua == 300 ? "External static pressure" : "Pressione statica utile");
      // No required air flow, no chart.
      EXPECT_FALSE(f.txtqatot);
      EXPECT_FALSE(f.cmdGrafico);
      EXPECT_FALSE(f.findChild<QWidget*>(QStringLiteral("txtqatot")));
      EXPECT_FALSE(f.findChild<QWidget*>(QStringLiteral("cmdGrafico")));
      EXPECT_TRUE(f.cmdLegend->isHidden());
      for (int i = 1; i <= 10 && c.visibili > 0; ++i)
        EXPECT_EQ(!f.chkAcc(i)->isHidden(), i <= c.visibili) << i;
      if (c.visibili > 0) {
        EXPECT_EQ(f.chkAcc(2)->Value() == 1, c.g2);
      }
      // Inside the main window's client area.
      EXPECT_GE(f.LeftTw(), 0);
      EXPECT_GE(f.TopTw(), 0);
      EXPECT_LE(f.LeftTw(), std::max(0, f.LarghezzaAreaTw() - f.WidthTw()));
      EXPECT_LE(f.TopTw(), std::max(0, f.AltezzaAreaTw() - f.HeightTw()));
      plat::Forms::Svuota();  // the next language loads the windows again
    }
  }
}

// The 14 columns: the air flow found in the air-flow unit after the model.
TEST_F(FinestreFacili, IntestazioneInOgniUnita) {
  for (catalogo::Codice serie : {catalogo::Codice::KALVOEC, catalogo::Codice::DVKBLDC}) {
    FinestraSelezione& f = Apri(serie);
    for (int u : {0, 1, 2}) {
      SCOPED_TRACE(f.serie.toStdString() + " " + std::to_string(u));
      core::um.UmPortataAria = u;
      f.txtpsu->SetText("20");
      reg.Svuota();
      f.cmdCalcola_Click();
      ASSERT_GT(f.Grd->Rows(), 2);
      ASSERT_EQ(f.Grd->Cols(), 14);
      for (const auto& m : reg.messaggi) EXPECT_NE(m.testo, " Air flow is mandatory ");  // no air-flow box
      EXPECT_EQ(f.Grd->FixedRows(), 2);
      EXPECT_EQ(Riga(f, 0).mid(0, 3), (QStringList{"", "Qa", "PT"}));
      EXPECT_EQ(Riga(f, 0).mid(11), (QStringList{"LW", "LP", "Pin"}));
      EXPECT_EQ(Riga(f, 1).mid(0, 2), (QStringList{"Model", QStringList{"l/s", "m3/s", "m3/h"}[u]}));
      // 1100 for the mixed-air window, widened by the grid to its model names.
      if (serie == catalogo::Codice::KALVOEC) {
        EXPECT_EQ(f.Grd->ColWidth(0), 1500);
      }
      EXPECT_GE(f.Grd->ColWidth(0), 1100);
      EXPECT_FALSE(f.cmdLegend->isHidden());
    }
  }
}

// Each level rates every model at a larger flow than the level below it.
// An easy-calc run rates its rows under the busy pointer and leaves the
// normal pointer, also when it stops at a box it refuses; none of its messages is
// shown under the busy pointer: neither the closing warnings (low water
// pressure drop, no unit) nor the mixed-air window's opening warning, after
// which the pointer is busy again for the rows.
TEST_F(FinestreFacili, PuntatoreOccupatoDuranteIlCalcolo) {
  struct Attesa : plat::Presentatore {
    void Mostra(const plat::Messaggio& m) override {
      mostrati.push_back({m.testo, plat::PuntatoreInAttesa()});
    }
    std::vector<std::pair<QString, bool>> mostrati;
  };
  for (catalogo::Codice serie : {catalogo::Codice::KALVOEC, catalogo::Codice::DVKBLDC}) {
    FinestraSelezione& f = Apri(serie);
    SCOPED_TRACE(f.serie.toStdString());
    std::vector<bool> righe;  // the pointer as each row of the grid is added
    QObject::connect(f.Grd->model(), &QAbstractItemModel::rowsInserted, &f,
                     [&righe] { righe.push_back(plat::PuntatoreInAttesa()); });
    Attesa attesa;
    plat::ImpostaPresentatore(&attesa);
    Livelli(f)->SetListIndex(0);
    f.cmdCalcola_Click();
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    EXPECT_GT(f.Grd->Rows(), 2);
    Livelli(f)->SetListIndex(-1);  // 0 V: no unit
    f.cmdCalcola_Click();
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    f.txtpsu->SetText("x");
    f.cmdCalcola_Click();
    plat::ImpostaPresentatore(&reg);
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    ASSERT_FALSE(attesa.mostrati.empty());
    EXPECT_TRUE(attesa.mostrati.back().first.startsWith("Values must be in the range 0 Pa -> "));
    QStringList attesi{
        "WARNING : at least one model is calculated at very low water pressure drop ( < 3 kPa )",
        "No unit meets the requir.specified"};
    if (serie == catalogo::Codice::DVKBLDC)
      attesi << "WARNING : you are calculating a ducted unit without useful static pression! be careful";
    for (const QString& a : attesi)
      EXPECT_TRUE(std::any_of(attesa.mostrati.begin(), attesa.mostrati.end(), [&a](const auto& m) {
        return m.first == a;
      })) << a.toStdString();
    for (const auto& m : attesa.mostrati) EXPECT_FALSE(m.second) << m.first.toStdString();
    ASSERT_FALSE(righe.empty());
    EXPECT_EQ(std::count(righe.begin(), righe.end(), false), 0);
  }
}

TEST_F(FinestreFacili, TreLivelli) {
  for (catalogo::Codice serie : {catalogo::Codice::KALVOEC, catalogo::Codice::RMBBLDC}) {
    FinestraSelezione& f = Apri(serie);
    std::vector<QStringList> portate;
    for (int livello : {0, 1, 2}) {
      Livelli(f)->SetListIndex(livello);
      f.cmdCalcola_Click();
      QStringList q;
      for (int r = 2; r < f.Grd->Rows(); ++r) q << f.Grd->TextMatrix(r, 0) + "=" + f.Grd->TextMatrix(r, 1);
      portate.push_back(q);
    }
    SCOPED_TRACE(f.serie.toStdString());
    ASSERT_FALSE(portate[0].isEmpty());
    for (int l = 1; l < 3; ++l)
      for (const QString& riga : portate[l - 1]) {
        const QString modello = riga.section('=', 0, 0);
        const auto trovata = std::find_if(portate[l].begin(), portate[l].end(),
                                          [&](const QString& r) { return r.section('=', 0, 0) == modello; });
        ASSERT_NE(trovata, portate[l].end()) << modello.toStdString();
        EXPECT_GT(trovata->section('=', 1).toDouble(), riga.section('=', 1).toDouble())
            << modello.toStdString();
      }
  }
}

// A picked "4P" model: the fan coils rate it with the "4P*" model after it
// and tick the 4-pipe box; the mixed-air units rate the model before it and
// tick the additional coil.  One row each.
TEST_F(FinestreFacili, SceltaQuattroTubi) {
  struct Caso {
    catalogo::Codice serie;
    const char* codice;
    const char* riga;
  } casi[] = {{catalogo::Codice::KALVOEC, "KALVOEC 30 4P", "KALVOEC 30 4P"},
              {catalogo::Codice::DVKBLDC, "DVKBLDC 20 4P", "DVKBLDC 20 4P"}};
  for (const Caso& c : casi) {
    FinestraSelezione& f = Apri(c.serie);
    SCOPED_TRACE(c.codice);
    const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    int m = 1;
    while (m <= cat.NModelli && cat.Modelli[m].Modello != c.codice) ++m;
    ASSERT_LE(m, cat.NModelli);
    f.cboModel->SetListIndex(m);
    f.txtpsu->SetText("20");
    f.cmdCalcola_Click();
    ASSERT_EQ(f.Grd->Rows(), 3);
    EXPECT_EQ(f.Grd->TextMatrix(2, 0), c.riga);
    if (auto* s = dynamic_cast<FormDatiPEC*>(&f))
      EXPECT_EQ(s->chkKQ->Value(), 1);
    else
      EXPECT_EQ(f.chkAcc(1)->Value(), 1);
  }
}

// A static pressure above every model's shut-off: each model is left out
// (no division by zero, no endless search), and the run says no unit meets it.
TEST_F(FinestreFacili, PressioneOltreLaChiusura) {
  core::imp.SenzaLimiti = true;  // the box would refuse it
  for (catalogo::Codice serie : {catalogo::Codice::KALVOEC, catalogo::Codice::DVKBLDC}) {
    FinestraSelezione& f = Apri(serie);
    f.txtpsu->SetText("5000");
    reg.Svuota();
    f.cmdCalcola_Click();
    EXPECT_EQ(f.Grd->Rows(), 2);
    ASSERT_FALSE(reg.messaggi.empty());
    EXPECT_EQ(reg.messaggi.back().testo, "No unit meets the requir.specified");
    EXPECT_EQ(reg.messaggi.back().icona, plat::Icona::Critica);
  }
  core::imp.SenzaLimiti = false;
}

}  // namespace

namespace {

// With the additional coil ticked, a "4P" row whose base model was dropped
// (its fan cannot be driven to the level) shows no cooling, not that of the
// model rated before it.
TEST_F(FinestreFacili, QuattroTubiSenzaIlModelloBase) {
  FinestraSelezione& f = Apri(catalogo::Codice::DVKBLDC);
  catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  int base = 1;
  while (base <= cat.NModelli && cat.Modelli[base].Modello != "DVKBLDC 20") ++base;
  ASSERT_EQ(cat.Modelli[base + 1].Modello, "DVKBLDC 20 4P");
  f.chkAcc(1)->SetValue(1);
  f.cmdCalcola_Click();
  std::map<QString, QStringList> righe;
  for (int r = 2; r < f.Grd->Rows(); ++r) righe[f.Grd->TextMatrix(r, 0)] = Riga(f, r);
  ASSERT_TRUE(righe.count("DVKBLDC 15 4P") && righe.count("DVKBLDC 20 4P"));
  EXPECT_NE(righe["DVKBLDC 20 4P"][2], "");
  cat.Modelli[base].G[7] = 100;  // no voltage scale: the base model is dropped
  f.cmdCalcola_Click();
  righe.clear();
  for (int r = 2; r < f.Grd->Rows(); ++r) righe[f.Grd->TextMatrix(r, 0)] = Riga(f, r);
  ASSERT_TRUE(righe.count("DVKBLDC 20 4P"));
  EXPECT_EQ(righe["DVKBLDC 20 4P"].mid(2, 5), (QStringList{"", "", "", "", "0.0"}));
  EXPECT_NE(righe["DVKBLDC 20 4P"][7], "");  // its own heating
}

// A leaving air temperature of no rating is a blank cell in the single-air
// window and shown as it is in the mixed-air one.
TEST_F(FinestreFacili, AriaInUscitaSenzaResa) {
  for (catalogo::Codice serie : {catalogo::Codice::KALVOEC, catalogo::Codice::RMBBLDC}) {
    FinestraSelezione& f = Apri(serie);
    SCOPED_TRACE(f.serie.toStdString());
    // Heating water no warmer than the air: no heating rating.
    f.txtTw1(1)->SetText("30");
    f.txtTw2(1)->SetText("29");
    if (auto* s = dynamic_cast<FormDatiPEC*>(&f))
      s->txtTsa1(1)->SetText("30");
    else
      static_cast<FormDatiPXXEC&>(f).txtTsa1ric(1)->SetText("30");
    f.cmdCalcola_Click();
    ASSERT_GT(f.Grd->Rows(), 2);
    ASSERT_EQ(f.Grd->TextMatrix(0, 10), "TA (H)");
    EXPECT_EQ(f.Grd->TextMatrix(2, 10), serie == catalogo::Codice::KALVOEC ? "" : "0.0");
  }
}

}  // namespace
