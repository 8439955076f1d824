// The "Advanced calc." windows of the EC series driven as a user drives them.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"
#include "engine/ventilatori.h"
#include "report/fstampa.h"
#include "platform/pictbox.h"
#include "platform/registro_corsa.h"
#include "platform/schermo.h"
#include "selection/aria_mista.h"
#include "selection/aria_singola.h"
#include "selection/fdatip.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "selection/grafico.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/fgrafico.h"
#include "ui/linee.h"

using namespace sel;

namespace {

class FinestreEC : public test::ConProgramma {
 protected:
  void TearDown() override {
    core::imp.FlagDistrict = false;
    core::imp.BaseTesti = 300;
    core::um.UmPotenza = 0;
    core::um.UmPortataAria = 2;
    ConProgramma::TearDown();
  }
  FormDatiPEC& Singola() {
    ui::ApriLinea(catalogo::Codice::KALVOEC);
    return FDatiPEC();
  }
  FormDatiPXXEC& Mista(catalogo::Codice c) {
    ui::ApriLinea(c);
    return FDatiPXXEC();
  }
  void Calcola(FinestraSelezione& f) {
    reg.Svuota();
    f.cmdCalcola_Click();
  }
  static QStringList Riga(const FinestraSelezione& f, int r) {
    QStringList c;
    for (int i = 0; i < f.Grd->Cols(); ++i) c << f.Grd->TextMatrix(r, i);
    return c;
  }
  QStringList Testi() const {
    QStringList t;
    for (const auto& m : reg.messaggi) t << m.testo;
    return t;
  }
  // A run after an input check: stopped by it, its message alone with the
  // critical icon and no row; or ("" messaggio) rows and no check's message.
  void EsitoDelControllo(const FinestraSelezione& f, const QString& messaggio) const {
    if (messaggio.isEmpty()) {
      EXPECT_GT(f.Grd->Rows(), 2);
      for (const QString& m : Testi())
        EXPECT_FALSE(m.contains("indicated") || m.startsWith("DT")) << m.toStdString();
      return;
    }
    EXPECT_EQ(Testi(), QStringList{messaggio});
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
    EXPECT_EQ(f.Grd->Rows(), 2);
  }
  // The box shows its whole text from the first character: the cursor at
  // the start, the text's ends inside the box as far apart as it is wide.
  static void Intera(plat::TextBox* box) {
    EXPECT_EQ(box->cursorPosition(), 0) << box->Text().toStdString();
    auto x = [box](int posizione) {
      box->setCursorPosition(posizione);
      box->grab();  // the box places its text when it paints
      return box->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center().x();
    };
    const double inizio = x(0), fine = x(static_cast<int>(box->Text().size()));
    EXPECT_TRUE(inizio >= 0 && fine <= box->width()) << box->Text().toStdString();
    EXPECT_GE(fine - inizio, QFontMetricsF(box->font()).horizontalAdvance(box->Text()) - 1);
    box->setCursorPosition(0);
  }
  // The list position of a model code.
  static int Posizione(const std::string& codice) {
    const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    for (int m = 1; m <= cat.NModelli; ++m)
      if (cat.Modelli[m].Modello == codice) return m;
    return -1;
  }
};

TEST_F(FinestreEC, SingolaAllApertura) {
  FormDatiPEC& f = Singola();
  EXPECT_EQ(f.Caption(), "QZO-Y-C");
  EXPECT_EQ(Grafico().FormChiamante, "FDatiPEC");
  EXPECT_TRUE(f.cmdLegend->isHidden());
  EXPECT_TRUE(f.cmdGrafico->isHidden());
  EXPECT_EQ(f.lblQaTot->Caption(), "Air flow");
  EXPECT_EQ(f.chkKQ->Caption(), "add. heat exchanger ( 4 pipe )");
  EXPECT_EQ(f.lblLegDes(3)->Caption(), "Water flow(Cooling)");
  EXPECT_EQ(f.lblLegDes(14)->Caption(), "Curva impostata inverter");
  EXPECT_EQ(f.lblLegDes(15)->Caption(), "Tensione di comando iverter (0-10v)");
  EXPECT_EQ(f.lblLegSim(15)->Caption(), "Vin");
  EXPECT_EQ(f.cboDirezione->ListCount(), 3);
  EXPECT_EQ(f.cboDirezione->Text(), "2");
  EXPECT_EQ(f.txtqatot->Text(), "0");
  EXPECT_EQ(f.lblUmQA->Caption(), "m3/h");
  EXPECT_EQ(f.cboModel->List(0), "* All");
  EXPECT_FALSE(f.chkComeFreddo);
}

TEST_F(FinestreEC, MistaAllAperturaSecondoLaSerie) {
  struct Caso {
    catalogo::Codice serie;
    int visibili;
    bool g2;
  } casi[] = {{catalogo::Codice::RMBBLDC, 3, true}, {catalogo::Codice::DVKBLDC, 1, false}};
  for (const Caso& c : casi) {
    FormDatiPXXEC& f = Mista(c.serie);
    SCOPED_TRACE(f.serie.toStdString());
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(!f.chkAcc(i)->isHidden(), i <= c.visibili) << i;
    EXPECT_EQ(f.chkAcc(1)->Caption(), "Additional coil ( 4 pipes )");
    EXPECT_EQ(f.chkAcc(2)->Value() == 1, c.g2);
    EXPECT_EQ(f.frmRicircoloF->Caption(), "Return air ratio 100%");
    EXPECT_EQ(f.FrmRinnovoC->Caption(), "Fresh air ratio 0%");
    EXPECT_EQ(f.lblRicircolo(0)->Caption(), "Return air100 %");
    EXPECT_EQ(f.lblQaTot->Caption(), "Total Air flow");
    EXPECT_EQ(f.LeftTw(), 0);
    // 250 Pa accepted, 251 refused, for both series.
    Attiva(f);
    for (const char* p : {"250", "251"}) {
      reg.Svuota();
      Scrivi(f.txtpsu, p);
      Esci(f.txtGlic);
      EXPECT_EQ(reg.messaggi.size(), p[2] == '1' ? 1u : 0u) << p;
    }
    EXPECT_EQ(f.txtpsu->Text(), "0");
    ui::Fmenu().mnuprods_Click(1);  // leave it for the next series
  }
}

// The legend shows over the grid: the boxes above keep their height, in both
// kinds of window.
TEST_F(FinestreEC, LaLegendaNonSchiacciaLeCaselle) {
  FormDatiPXXEC& m = Mista(catalogo::Codice::DVKBLDC);
  FormDatiPEC& s = Singola();
  for (FinestraSelezione* f : {static_cast<FinestraSelezione*>(&m), static_cast<FinestraSelezione*>(&s)}) {
    SCOPED_TRACE(f->Nome().toStdString());
    Attiva(*f);
    test::ProcessaEventi();
    std::vector<int> altezze;
    for (plat::TextBox* t : f->findChildren<plat::TextBox*>()) altezze.push_back(t->height());
    f->cmdLegend->setVisible(true);
    f->cmdLegend_Click();
    test::ProcessaEventi();
    ASSERT_TRUE(f->PanLegend->isVisible());
    size_t i = 0;
    for (plat::TextBox* t : f->findChildren<plat::TextBox*>())
      EXPECT_EQ(t->height(), altezze[i++]) << t->objectName().toStdString();
    f->cmdLegend_Click();
  }
}

TEST_F(FinestreEC, IntestazioneInOgniUnita) {
  FormDatiPEC& f = Singola();
  struct Caso {
    const char* tw2c;
    const char* tw2h;
    int potenza, acqua, perdita;
    QStringList codici, unita;  // columns 3..11
  } casi[] = {
      {"12",
       "60",
       0,
       1,
       0,
       {"PT", "PS", "QW (C)", "DPW (C)", "TA (C)", "PH", "QW (H)", "DPW (H)", "TA (H)"},
       {"W", "W", "l/h", "kPa", "°C", "W", "l/h", "kPa", "°C"}},
      {"7,5",
       "",
       1,
       0,
       1,
       {"PT", "PS", "QW (C)", "DPW (C)", "TA (C)", "PH", "TW2 (H)", "DPW (H)", "TA (H)"},
       {"Frig/h", "Frig/h", "l/s", "mH2O", "°C", "Frig/h", "°C", "mH2O", "°C"}},
      {"abc",
       "-3",
       0,
       1,
       0,
       {"PT", "PS", "TW2 (C)", "DPW (C)", "TA (C)", "PH", "TW2 (H)", "DPW (H)", "TA (H)"},
       {"W", "W", "°C", "kPa", "°C", "W", "°C", "kPa", "°C"}},
  };
  for (const Caso& c : casi) {
    core::um.UmPotenza = c.potenza;
    core::um.UmPortataAcqua = c.acqua;
    core::um.UmPerditaAcqua = c.perdita;
    f.txtTw2(0)->SetText(c.tw2c);
    f.txtTw2(1)->SetText(c.tw2h);
    f.txtqatot->SetText("");  // the run heads the grid and stops
    Calcola(f);
    EXPECT_EQ(Testi(), QStringList{" Air flow is mandatory "});
    ASSERT_EQ(f.Grd->Rows(), 2);
    ASSERT_EQ(f.Grd->Cols(), 15);
    EXPECT_EQ(f.Grd->FixedRows(), 0);
    EXPECT_TRUE(f.txtqatot->hasFocus() || !f.isActiveWindow());
    const QStringList codici = Riga(f, 0), unita = Riga(f, 1);
    EXPECT_EQ(codici.mid(0, 3), (QStringList{"", "SPEED", "Vin"}));
    EXPECT_EQ(codici.mid(3, 9), c.codici) << c.tw2c;
    EXPECT_EQ(codici.mid(12), (QStringList{"LW", "LP", "Pin"}));
    EXPECT_EQ(unita.mid(0, 3), (QStringList{"Model", "RPM", "V"}));
    EXPECT_EQ(unita.mid(3, 9), c.unita) << c.tw2c;
    EXPECT_EQ(unita.mid(12), (QStringList{"dB(A)", "dB(A)", "W"}));
    EXPECT_EQ(f.Grd->ColWidth(0), 1500);
    EXPECT_NEAR(f.Grd->ColWidth(14), 695, 15);  // whole pixels
    EXPECT_FALSE(f.cmdLegend->isHidden());
    EXPECT_TRUE(f.cmdGrafico->isHidden());
  }
  core::um.UmPortataAcqua = 1;
  core::um.UmPerditaAcqua = 0;
  core::imp.BaseTesti = 100;
  Calcola(f);
  EXPECT_EQ(f.Grd->TextMatrix(1, 0), "Modello");
}

// While the chart is open for the window its reruns keep the reference
// curve: another voltage scale than a fresh run.
TEST_F(FinestreEC, ConIlGraficoApertoLaCurvaDiRiferimentoResta) {
  FormDatiPEC& f = Singola();
  const int m = Posizione("KALVOEC 80");
  const catalogo::DatiModello& d = catalogo::Catalogo().Modelli[m];
  f.cboModel->SetListIndex(m);
  f.txtqatot->SetText("1500");
  Calcola(f);
  ASSERT_EQ(f.Grd->Rows(), 3);
  const int riferimento = f.Ultima().curvaRiferimento;
  EXPECT_EQ(f.Grd->TextMatrix(2, 1), QString::number(d.G[riferimento]));
  Grafico().GraficoAperto = true;
  Grafico().Servita = &f;
  // Another window's run meanwhile (the easy calc rates on the top curve)
  // leaves this window's scale alone.
  ASSERT_NE(riferimento, unita::kCurvaRiferimentoLivello);
  ui::ApriLinea(catalogo::Codice::KALVOEC, true);
  Calcola(FDatiPEC_VFIX());
  ASSERT_GT(FDatiPEC_VFIX().Grd->Rows(), 2);
  f.txtqatot->SetText("700");
  Calcola(f);
  ASSERT_EQ(f.Grd->Rows(), 3);
  EXPECT_EQ(f.Ultima().curvaRiferimento, riferimento);
  EXPECT_EQ(f.Grd->TextMatrix(2, 1), QString::number(d.G[riferimento]));
  EXPECT_LT(f.Ultima().curvaScelta, riferimento);
  // The chart closed: a fresh run at 700 chooses its own reference curve.
  Grafico().GraficoAperto = false;
  Grafico().Servita = nullptr;
  Calcola(f);
  EXPECT_EQ(f.Ultima().curvaRiferimento, f.Ultima().curvaScelta);
}

// "UR" mode: a row whose cooling gave no result shows no leaving humidity,
// whatever the boxes' checks or the rows before it computed.
TEST_F(FinestreEC, ModoURSenzaRaffreddamentoNessunaUmidita) {
  FormDatiPEC& f = Singola();
  core::imp.ModoUR = QStringLiteral("UR");
  Attiva(f);
  Scrivi(f.txtTbu, "19");
  Esci(f.txtTw1(0));
  ASSERT_EQ(f.txtUr->Text(), "47.1");
  catalogo::DatiModello& senza = catalogo::Catalogo().Modelli[Posizione("KALVOEC 50")];
  const float c30 = senza.FC30[1];
  senza.FC30[1] = 0;  // no cooling rating for this model
  f.txtqatot->SetText("450");
  f.txtpsu->SetText("20");
  Calcola(f);
  senza.FC30[1] = c30;
  core::imp.ModoUR.clear();
  int righe = 0;
  for (int r = 2; r < f.Grd->Rows(); ++r) {
    const QStringList c = Riga(f, r);
    SCOPED_TRACE(c.join(' ').toStdString());
    const bool freddo = core::ValNum(c[3]) > 0;
    EXPECT_EQ(c[13].isEmpty(), !freddo);
    righe += freddo ? 0 : 1;
  }
  EXPECT_EQ(righe, 1);
}

// The smallest selectable air flow is rated, in any air-flow unit; just below it is not.
TEST_F(FinestreEC, PortataMinimaInOgniUnita) {
  FormDatiPEC& f = Singola();
  const int m = Posizione("KALVOEC 20");
  ASSERT_EQ(catalogo::Catalogo().Modelli[m].MinQa, 90);
  struct Caso {
    int unita;
    const char* portata;
    bool rata;
  } casi[] = {{2, "90", true}, {2, "89.9", false}, {0, "25", true}, {0, "24.9", false}, {1, "0.025", true}};
  for (const Caso& c : casi) {
    core::um.UmPortataAria = c.unita;
    f.cboModel->SetListIndex(m);
    f.txtqatot->SetText(c.portata);
    Calcola(f);
    EXPECT_EQ(f.Grd->Rows(), c.rata ? 3 : 2) << c.unita << " " << c.portata;
    EXPECT_EQ(f.cmdGrafico->isHidden(), !c.rata);
  }
}

// A row depends only on its model and the boxes, never on the model rated
// before it: every row of a run over all models equals the run of that
// model picked alone (the kept-below curve, the passes' results and the
// 4-pipe pairing start afresh).
TEST_F(FinestreEC, OgniRigaComeIlModelloDaSolo) {
  struct Caso {
    catalogo::Codice serie;
    std::function<void(FinestraSelezione&)> imposta;
  } casi[] = {{catalogo::Codice::KALVOEC,
               [](FinestraSelezione& f) {
                 f.txtqatot->SetText("350");
                 f.txtpsu->SetText("30");
                 f.txtTw1(1)->SetText("30");  // heating water as warm as the air: no heating rating
                 f.txtTw2(1)->SetText("29");
                 static_cast<FormDatiPEC&>(f).txtTsa1(1)->SetText("30");
               }},
              {catalogo::Codice::DVKBLDC, [](FinestraSelezione& f) {
                 f.txtqatot->SetText("800");
                 f.txtpsu->SetText("60");
               }}};
  for (const Caso& c : casi) {
    ui::ApriLinea(c.serie);
    FinestraSelezione& f =
        c.serie == catalogo::Codice::KALVOEC ? static_cast<FinestraSelezione&>(FDatiPEC()) : FDatiPXXEC();
    c.imposta(f);
    f.cboModel->SetListIndex(0);
    Calcola(f);
    ASSERT_GT(f.Grd->Rows(), 3);
    std::vector<QStringList> tutte;
    for (int r = 2; r < f.Grd->Rows(); ++r) tutte.push_back(Riga(f, r));
    for (const QStringList& riga : tutte) {
      f.cboModel->SetListIndex(Posizione(riga[0].toStdString()));
      Calcola(f);
      ASSERT_EQ(f.Grd->Rows(), 3) << riga[0].toStdString();
      EXPECT_EQ(Riga(f, 2), riga);
    }
    ui::Fmenu().mnuprod_Click(0);
  }
}

// The command voltage and full-scale speed of a row are those the run left
// in the calculation state for the chart; the picked model shows the chart
// button, which hands the working point on.
TEST_F(FinestreEC, TensioneEGraficoDelModelloScelto) {
  FormDatiPEC& f = Singola();
  f.cboModel->SetListIndex(Posizione("KALVOEC 50"));
  f.txtqatot->SetText("450");
  f.txtpsu->SetText("35");
  Calcola(f);
  ASSERT_EQ(f.Grd->Rows(), 3);
  const FinestraSelezione::UltimaCorsa& u = f.Ultima();
  const catalogo::DatiModello& d = catalogo::Catalogo().Modelli[Posizione("KALVOEC 50")];
  EXPECT_EQ(f.Grd->TextMatrix(2, 1), QString::number(d.G[u.curvaRiferimento]));
  // Rated on its own reference curve: a command between 0.5 and 9 V.
  EXPECT_GT(f.Grd->TextMatrix(2, 2).toDouble(), 0.5);
  EXPECT_LE(f.Grd->TextMatrix(2, 2).toDouble(), 9.0);
  EXPECT_GE(u.curvaScelta, 1);
  EXPECT_EQ(u.curvaRiferimento, u.curvaScelta);
  EXPECT_FALSE(f.cmdGrafico->isHidden());
  // The chart's rerun: boxes written and the same guarded run, the
  // reference curve given back.
  const QStringList prima = Riga(f, 2);
  EXPECT_EQ(f.RicalcolaGrafico("20", "400"), f.Ultima().curvaRiferimento);
  EXPECT_EQ(f.txtpsu->Text(), "20");
  EXPECT_NE(Riga(f, 2), prima);
  EXPECT_EQ(f.ModelloGrafico(), Posizione("KALVOEC 50"));
  EXPECT_EQ(f.PerditeGrafico(1, 0.2f), 0);
  // A run that stops at a pasted pressure it refuses hides it too.
  f.txtpsu->SetText("x");
  Calcola(f);
  EXPECT_EQ(Testi(), QStringList{"Values must be in the range 0 Pa -> 80 Pa\rset to 0"});
  EXPECT_TRUE(f.cmdGrafico->isHidden());
  f.txtpsu->SetText("20");
  Calcola(f);
  EXPECT_FALSE(f.cmdGrafico->isHidden());
  // All models: the button goes.
  f.cboModel->SetListIndex(0);
  Calcola(f);
  EXPECT_TRUE(f.cmdGrafico->isHidden());
}

TEST_F(FinestreEC, AccessoriEQuattroTubiDelleUnitaMiste) {
  FormDatiPXXEC& f = Mista(catalogo::Codice::DVKBLDC);
  f.txtqatot->SetText("900");
  f.txtpsu->SetText("40");
  f.cboModel->SetListIndex(Posizione("DVKBLDC 30"));
  Calcola(f);
  ASSERT_EQ(f.Grd->Rows(), 3);
  const QString senza = f.Grd->TextMatrix(2, 2);
  EXPECT_FLOAT_EQ(f.Ultima().pressione, 40);
  // A ticked accessory adds its drop: more voltage for the same flow.
  EXPECT_EQ(f.PerditeGrafico(Posizione("DVKBLDC 30"), 0.25f), 0);
  f.chkAcc(1)->SetValue(1);
  EXPECT_GT(f.PerditeGrafico(Posizione("DVKBLDC 30"), 0.25f), 0);
  f.chkAcc(1)->SetValue(0);
  // The "4P" pick (listed as a separator) rates its partner first and ticks the additional coil.
  f.cboModel->SetListIndex(Posizione("DVKBLDC 30 4P"));
  EXPECT_EQ(f.cboModel->Text(), "-----------");
  Calcola(f);
  EXPECT_EQ(f.chkAcc(1)->Value(), 1);
  ASSERT_EQ(f.Grd->Rows(), 3);
  EXPECT_EQ(f.Grd->TextMatrix(2, 0), "DVKBLDC 30 4P");
  EXPECT_FLOAT_EQ(f.Ultima().pressione, 40);  // handed to the chart without the coil's drop
  EXPECT_NE(f.Grd->TextMatrix(2, 2), senza);
}

// The drops of the accessories come from the ticks of the window that runs.
TEST_F(FinestreEC, AccessoriDellaFinestraCheCalcola) {
  ui::Fmenu().mnuprod_Click(2);  // the base DVK window, open beside
  FormDatiPXXEC& f = Mista(catalogo::Codice::DVKBLDC);
  f.txtqatot->SetText("800");
  f.txtpsu->SetText("60");
  Calcola(f);
  std::vector<QStringList> prima;
  for (int r = 0; r < f.Grd->Rows(); ++r) prima.push_back(Riga(f, r));
  for (int i = 1; i <= 10; ++i) FDatiPXX().chkAcc(i)->SetValue(1);
  Calcola(f);
  ASSERT_EQ(f.Grd->Rows(), static_cast<int>(prima.size()));
  for (int r = 0; r < f.Grd->Rows(); ++r) EXPECT_EQ(Riga(f, r), prima[r]);
}

// The advanced window limits the cooling water rise both ways; the
// fixed-level window only in district mode.
TEST_F(FinestreEC, SaltoTermicoDelleUnitaMiste) {
  struct Caso {
    bool district;
    const char* tw1;
    const char* tw2;
    const char* qw;
    QString messaggio;  // "" the run goes on
    bool facile = false;
  } casi[] = {
      {false, "7", "15.5", "", "Delta T in cooling mode must be < 8°C"},
      {false, "7", "15", "", ""},
      {true, "7", "14.5", "", "Delta T in cooling mode must be > 8°C"},
      {false, "7", "", "600", ""},  // water flow given: no outlet temperature to read
      {false, "7", "15.5", "", "", true},
      {true, "7", "14.5", "", "Delta T in cooling mode must be > 8°C", true},
      {true, "7", "15", "", "", true},
  };
  for (const Caso& c : casi) {
    ui::ApriLinea(catalogo::Codice::RMBBLDC, c.facile);
    FinestraSelezione& f = c.facile ? static_cast<FinestraSelezione&>(FDatiPXXEC_VFIX()) : FDatiPXXEC();
    if (!c.facile) f.txtqatot->SetText("700");
    core::imp.FlagDistrict = c.district;
    f.txtTw1(0)->SetText(c.tw1);
    f.txtTw2(0)->SetText(c.tw2);
    f.txtQw(0)->SetText(c.qw);
    f.txtpsu->SetText("30");
    Calcola(f);
    const QStringList t = Testi();
    if (c.messaggio.isEmpty()) {
      EXPECT_GT(f.Grd->Rows(), 2) << c.tw2;
      for (const QString& m : t)
        EXPECT_FALSE(m.startsWith("Errore") || m.startsWith("Delta")) << m.toStdString();
    } else {
      EXPECT_EQ(t, QStringList{c.messaggio});
      EXPECT_EQ(f.Grd->Rows(), 2);
    }
  }
}

// A distance that is no number above 0 is refused before any run, in the
// user's language, by every selection window; so is one too large or too
// small for the sound pressure to be worked out.
TEST_F(FinestreEC, DistanzaRifiutataPrimaDelCalcolo) {
  std::function<FinestraSelezione&()> finestre[] = {[]() -> FinestraSelezione& {
                                                      ui::Fmenu().mnuprod_Click(0);
                                                      return FDatiP();
                                                    },
                                                    []() -> FinestraSelezione& {
                                                      ui::Fmenu().mnuprod_Click(2);
                                                      return FDatiPXX();
                                                    },
                                                    []() -> FinestraSelezione& {
                                                      ui::ApriLinea(catalogo::Codice::KALVOEC);
                                                      return FDatiPEC();
                                                    },
                                                    []() -> FinestraSelezione& {
                                                      ui::ApriLinea(catalogo::Codice::RMBBLDC);
                                                      return FDatiPXXEC();
                                                    }};
  for (auto& apri : finestre) {
    FinestraSelezione& f = apri();
    for (const char* d : {"", "0", "abc", "-2", "1e39", "1e200", "1e-50", "1e-200"}) {
      f.txtDistanza->SetText(d);
      Calcola(f);
      ASSERT_EQ(Testi(), QStringList{"The distance must be a number greater than 0"})
          << f.Nome().toStdString() << d;
      EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
      EXPECT_TRUE(f.cmdLegend->isHidden());  // never headed
    }
  }
  core::imp.BaseTesti = 100;
  Calcola(FDatiPEC());
  EXPECT_EQ(Testi(), QStringList{"La distanza deve essere un numero maggiore di 0"});
}

// After a message the window is active again, also where nothing gives the
// activation back when a message box closes: a box refused once, typed
// again out of range and left by Tab or by a click, is refused again; a
// wet bulb corrected after its refusal fills the humidity again.
TEST_F(FinestreEC, DopoUnMessaggioLaCasellaLasciataEControllata) {
  using Casella = std::function<plat::TextBox*(FinestraSelezione&)>;
  const auto singola = [](FinestraSelezione& f) { return dynamic_cast<FinestraAriaSingola*>(&f); };
  const auto mista = [](FinestraSelezione& f) { return dynamic_cast<FinestraAriaMista*>(&f); };
  const Casella tw1[] = {[](FinestraSelezione& f) { return f.txtTw1(0); },
                         [](FinestraSelezione& f) { return f.txtTw1(1); }};
  const Casella glic = [](FinestraSelezione& f) { return f.txtGlic; };
  const Casella qw = [](FinestraSelezione& f) { return f.txtQw(0); };
  const Casella psu = [](FinestraSelezione& f) { return f.txtpsu; };
  const Casella ric = [&](FinestraSelezione& f) { return mista(f)->txtTsa1ric(0); };
  const Casella tbu = [&](FinestraSelezione& f) { return singola(f)->txtTbu; };
  const Casella ur = [&](FinestraSelezione& f) { return singola(f)->txtUr; };
  const Casella tburic = [&](FinestraSelezione& f) { return mista(f)->txtTburic; };
  const Casella urric = [&](FinestraSelezione& f) { return mista(f)->txtUrric; };
  enum Finestra { FanCoil, Aria1, Aria2 };  // the fan-coil window, the EC single- and mixed-air ones
  struct Caso {
    Finestra finestra;
    Casella casella;
    const char* primo;    // refused
    const char* secondo;  // typed after the message
    Casella letta;        // after the second leave (none: the box itself)
    const char* atteso;
    std::size_t messaggi;
  } casi[] = {
      {FanCoil, tw1[0], "4", "40", nullptr, "5", 2},   {Aria1, tw1[0], "4", "40", nullptr, "5", 2},
      {FanCoil, tw1[1], "20", "99", nullptr, "30", 2}, {Aria2, tw1[1], "20", "99", nullptr, "30", 2},
      {FanCoil, glic, "70", "80", nullptr, "0", 2},    {Aria2, glic, "70", "80", nullptr, "0", 2},
      {FanCoil, qw, "5000", "6000", nullptr, "0", 2},  {Aria1, qw, "5000", "6000", nullptr, "0", 2},
      {Aria2, ric, "40", "60", nullptr, "16", 2},      {FanCoil, psu, "1000", "2000", nullptr, "0", 2},
      {Aria1, psu, "1000", "2000", nullptr, "0", 2},   {Aria2, psu, "1000", "2000", nullptr, "0", 2},
      {FanCoil, tbu, "27", "19", ur, "47.1", 1},       {Aria1, tbu, "27", "19", ur, "47.1", 1},
      {Aria2, tburic, "27", "19", urric, "47.1", 1},
  };
  for (const Caso& c : casi) {
    for (bool tab : {true, false}) {
      if (c.finestra == FanCoil) ui::Fmenu().mnuprod_Click(0);
      FinestraSelezione& f = c.finestra == FanCoil ? static_cast<FinestraSelezione&>(FDatiP())
                             : c.finestra == Aria1 ? static_cast<FinestraSelezione&>(Singola())
                                                   : Mista(catalogo::Codice::RMBBLDC);
      plat::TextBox* box = c.casella(f);
      SCOPED_TRACE(f.Nome().toStdString() + " " + box->objectName().toStdString() + " " + c.secondo +
                   (tab ? " Tab" : " click"));
      Attiva(f);
      reg.Svuota();
      reg.modale = true;
      const auto lascia = [&] {
        if (tab)
          QTest::keyClick(box, Qt::Key_Tab);
        else
          QTest::mouseClick(f.txtDistanza, Qt::LeftButton);
        test::ProcessaEventi();
      };
      [&] {
        Scrivi(box, c.primo);
        lascia();
        ASSERT_EQ(reg.messaggi.size(), 1u);
        EXPECT_TRUE(box->hasFocus());
        Scrivi(box, c.secondo);
        lascia();
        ASSERT_EQ(reg.messaggi.size(), c.messaggi);
        EXPECT_EQ(reg.messaggi.back().testo, reg.messaggi.front().testo);
        EXPECT_EQ((c.letta ? c.letta(f) : box)->Text(), c.atteso);
        EXPECT_EQ(box->hasFocus(), c.messaggi == 2);
      }();
      reg.modale = false;
      f.Scarica();
    }
  }
}

// A run cannot start inside another (a message of the run's own, answered
// by a click on Calculate), and ends with the normal pointer.
class Annidato : public plat::Presentatore {
 public:
  explicit Annidato(FinestraSelezione& f) : f_(f) {}
  void Mostra(const plat::Messaggio& m) override {
    testi << m.testo;
    if (testi.size() == 1) f_.cmdCalcola_Click();
  }
  QStringList testi;

 private:
  FinestraSelezione& f_;
};

TEST_F(FinestreEC, NessunCalcoloDentroUnAltro) {
  FormDatiPXXEC& f = Mista(catalogo::Codice::DVKBLDC);
  f.txtqatot->SetText("600");  // zero static pressure: the run warns first
  Annidato a(f);
  plat::ImpostaPresentatore(&a);
  f.cmdCalcola_Click();
  plat::ImpostaPresentatore(&reg);
  ASSERT_GE(a.testi.size(), 1);
  EXPECT_EQ(a.testi.count(a.testi[0]), 1);  // the nested click did not run again
  EXPECT_GT(f.Grd->Rows(), 2);
  EXPECT_FALSE(f.InCalcolo());
  EXPECT_FALSE(plat::PuntatoreInAttesa());
}

// The chart opened by the window's button drives the window: each step of
// its scroll bar writes the point into the boxes and the grid shows the
// rerun, in every air-flow unit; the reference curve stays, the third rule
// goes, and the chart closes with the window.
TEST_F(FinestreEC, IlGraficoMuoveIlPuntoDellaFinestra) {
  struct Caso {
    int16_t um;
    const char* portata;   // 450 m3/h
    int valore;            // in steps of the scroll bar
    const char* passoGiu;  // the flow one step lower
    const char* lontano;   // 300 m3/h
  } casi[] = {
      {2, "450", 450, "449", "300"}, {0, "125", 125, "124", "83"}, {1, "0.125", 125, "0.124", "0.083"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.portata);
    core::um.UmPortataAria = c.um;
    FormDatiPEC& f = Singola();
    f.cboModel->SetListIndex(Posizione("KALVOEC 50"));
    f.txtqatot->SetText(c.portata);
    f.txtpsu->SetText("35");
    Calcola(f);
    ASSERT_EQ(f.Grd->Rows(), 3);
    const QStringList prima = Riga(f, 2);
    const int riferimento = f.Ultima().curvaRiferimento;
    f.cmdGrafico->click();
    ASSERT_NE(ui::FGrafico.SeCaricata(), nullptr);
    ui::FormGrafico& g = ui::FGrafico();
    EXPECT_EQ(g.VScroll2->Value(), c.valore);
    EXPECT_EQ(g.lblQa->Caption(), c.portata);
    EXPECT_EQ(g.lblPsu->Caption(), "35");
    EXPECT_EQ(g.CurvaDisegnata(), riferimento);
    EXPECT_FALSE(f.txtqatot->isEnabled());
    EXPECT_TRUE(GraficoAperto(f));
    EXPECT_EQ(Riga(f, 2), prima);  // the rerun at the handed-over point
    g.show();
    QTest::mouseClick(g.VScroll2, Qt::LeftButton, {},
                      QPoint(g.VScroll2->width() / 2, g.VScroll2->height() - 2));
    EXPECT_EQ(f.txtqatot->Text(), c.passoGiu);
    EXPECT_EQ(f.txtpsu->Text(), g.lblPsu->Caption());
    ASSERT_EQ(f.Grd->Rows(), 3);
    EXPECT_NE(Riga(f, 2), prima);
    // Far down the system curve: still rated on the same reference curve,
    // in the range of the hand-off.
    const int alto = g.VScroll2->Min();
    g.VScroll2->SetValue(static_cast<int>(c.valore * 2 / 3));
    EXPECT_EQ(f.txtqatot->Text(), c.lontano);
    EXPECT_EQ(f.Grd->Rows(), 3);
    EXPECT_EQ(f.Ultima().curvaRiferimento, riferimento);
    EXPECT_EQ(g.VScroll2->Min(), alto);
    EXPECT_TRUE(reg.messaggi.empty()) << Testi().join('|').toStdString();
    // To the bottom (End), where nothing is rated: while the message says
    // so, and after it, the point is drawn at the flow of the labels and
    // the boxes.
    auto punto = [&] {
      QStringList v{g.lblQa->Caption(), f.txtqatot->Text()};
      for (const auto& e : g.pctCurva->Registro())
        if (e.tipo == plat::PictureBox::Elemento::Tipo::Cerchio) v << QString::number(e.x1, 'f', 3);
      return v;
    };
    std::vector<QStringList> visti;
    reg.alMessaggio = [&] { visti.push_back(punto()); };
    g.VScroll2->setFocus();
    QTest::keyClick(g.VScroll2, Qt::Key_End);
    reg.alMessaggio = nullptr;
    visti.push_back(punto());
    const QString fondo = QString::number(g.VScroll2->Max() * PassoPortataGrafico(), 'f', 3);
    EXPECT_EQ(Testi(), QStringList{"No unit meets the requir.specified"});
    EXPECT_EQ(visti, std::vector(2, QStringList{f.txtqatot->Text(), f.txtqatot->Text(), fondo}));
    EXPECT_EQ(f.Grd->Rows(), 2);
    f.Scarica();
    EXPECT_EQ(ui::FGrafico.SeCaricata(), nullptr);
    EXPECT_FALSE(Grafico().GraficoAperto);
    test::ProcessaEventi();
  }
}

// The mixed-air window hands over its run's box pressure, and its ticked
// filter lowers the drawn fan curve by its own drop and the end of the
// scroll range with it (RMBBLDC 15 4P, 700 m3/h at 40 Pa, reference curve
// 5, free delivery 924.000854 m3/h; the first accessory stays ticked).
TEST_F(FinestreEC, IlGraficoDelleUnitaMisteTogliePerditeAccessori) {
  FormDatiPXXEC& f = Mista(catalogo::Codice::RMBBLDC);
  const int m = Posizione("RMBBLDC 15 4P");
  ASSERT_GT(m, 0);
  f.cboModel->SetListIndex(m);
  f.txtqatot->SetText("700");
  f.txtpsu->SetText("40");
  // The fan curve is drawn one point a m3/h down from free delivery, so
  // 0.000854 above whole flows; y in tenths of a pascal at the flows below.
  static constexpr double portate[] = {800, 700, 600, 500, 400};
  struct Tracciato {
    int filtro;
    int alto;  // the highest flow the scroll bar offers
    size_t punti;
    double primo;  // the first point above 0 Pa
    double y[std::size(portate)];
  };
  const Tracciato tracciati[] = {
      {1, 736, 549, 856.000854, {210.188675, 549.630013, 845.697098, 1098.201141, 1306.902924}},
      {0, 759, 584, 891.000854, {327.310257, 645.492554, 921.769791, 1156.071625, 1348.311768}},
  };
  // Drawn anew, then with the chart left open between the two: a press of
  // the chart button redraws an open chart even at the same flow.
  for (const bool restaAperto : {false, true}) {
    std::map<int, std::vector<double>> disegnati;  // by filter
    for (const Tracciato& t : tracciati) {
      SCOPED_TRACE(std::to_string(t.filtro) + (restaAperto ? " open" : ""));
      f.chkAcc(2)->SetValue(t.filtro);
      f.txtpsu->SetText("40");
      Calcola(f);
      ASSERT_EQ(f.Grd->Rows(), 3);
      f.cmdGrafico->click();
      ui::FormGrafico& g = ui::FGrafico();
      EXPECT_EQ(g.lblPsu->Caption(), "40");
      EXPECT_EQ(g.CurvaDisegnata(), 5);
      EXPECT_EQ(g.VScroll2->Min(), t.alto);
      std::vector<plat::PictureBox::Elemento> curva, cerchi;
      for (const auto& e : g.pctCurva->Registro()) {
        if (e.tipo == plat::PictureBox::Elemento::Tipo::Punto && e.colore == plat::QBColor(0))
          curva.push_back(e);
        if (e.tipo == plat::PictureBox::Elemento::Tipo::Cerchio) cerchi.push_back(e);
      }
      // The working point on the system curve, sized to the free delivery.
      ASSERT_EQ(cerchi.size(), 1u);
      EXPECT_NEAR(cerchi[0].x1, 700, 1e-6);
      EXPECT_NEAR(cerchi[0].y1, 400, 1e-6);
      EXPECT_NEAR(cerchi[0].raggio, 9.240009, 1e-5);
      ASSERT_FALSE(curva.empty());
      EXPECT_EQ(curva.size(), t.punti);
      EXPECT_NEAR(curva.front().x1, t.primo, 1e-5);
      EXPECT_NEAR(curva.back().x1, 308.000854, 1e-5);  // a third of free delivery
      std::vector<double>& y = disegnati[t.filtro];
      for (const double q : portate) {
        const auto p = std::find_if(curva.begin(), curva.end(),
                                    [q](const auto& e) { return std::fabs(e.x1 - q - 0.000854) < 1e-5; });
        ASSERT_NE(p, curva.end()) << q;
        y.push_back(p->y1);
      }
      for (size_t i = 0; i < y.size(); ++i) EXPECT_NEAR(y[i], t.y[i], 0.005) << portate[i];
      if (restaAperto) continue;
      g.Scarica();
      EXPECT_TRUE(f.txtqatot->isEnabled());
    }
    // The filter's own drop (Pa) at those flows.
    const double filtro[] = {11.712158, 9.586254, 7.607269, 5.787048, 4.140884};
    for (size_t i = 0; i < std::size(filtro); ++i)
      EXPECT_NEAR((disegnati[0][i] - disegnati[1][i]) / 10, filtro[i], 0.001) << portate[i];
    if (ui::FGrafico.SeCaricata()) ui::FGrafico.SeCaricata()->Scarica();
  }
}

// After another model is picked, the chart button reruns the window at the
// chart's point, also after a Calculate stopped before heading the grid:
// the grid's row, the chart's fan curve (the rerun's reference curve, net
// of the accessories), its labels and the boxes show that model; pressed
// again with nothing changed it reruns nothing.  "* All" hands nothing
// over, and a step of the scroll bar after another pick rates and draws it.
TEST_F(FinestreEC, IlGraficoMostraIlModelloDellaGriglia) {
  for (const bool mista : {false, true}) {
    for (const bool fermata : {false, true}) {
      FinestraSelezione& f =
          mista ? static_cast<FinestraSelezione&>(Mista(catalogo::Codice::RMBBLDC)) : Singola();
      SCOPED_TRACE(std::to_string(mista) + std::to_string(fermata));
      const std::string primo = mista ? "RMBBLDC 20" : "KALVOEC 50",
                        secondo = mista ? "RMBBLDC 30" : "KALVOEC 40";
      auto mostra = [&](const std::string& modello) {
        ui::FormGrafico& g = ui::FGrafico();
        const int m = Posizione(modello), r = g.CurvaDisegnata();
        const catalogo::DatiModello& d = catalogo::Catalogo().Modelli[m];
        ASSERT_EQ(f.Grd->Rows(), 3);
        EXPECT_EQ(Riga(f, 2).mid(0, 2),
                  QStringList({QString::fromStdString(modello), QString::number(d.G[r])}));
        size_t punti = 0, sullaCurva = 0;
        for (const auto& e : g.pctCurva->Registro()) {
          if (e.tipo != plat::PictureBox::Elemento::Tipo::Punto || e.colore != plat::QBColor(0)) continue;
          const float q = static_cast<float>(e.x1);
          const double p = motore::PressioneCurva(q, {d.VentA[r], d.VentB[r], d.VentC[r]}) -
                           dynamic_cast<ChiamanteGrafico&>(f).PerditeGrafico(m, q / 3600);
          ++punti;
          sullaCurva += std::fabs(e.y1 - 10 * p) < 0.01;
        }
        EXPECT_GT(punti, 100u);
        EXPECT_EQ(sullaCurva, punti);
        EXPECT_EQ(QStringList({g.lblQa->Caption(), g.lblPsu->Caption()}),
                  QStringList({f.txtqatot->Text(), f.txtpsu->Text()}));
      };
      // The second model's chart opened anew: its reference curve and range.
      f.txtqatot->SetText(mista ? "1000" : "450");
      f.txtpsu->SetText(mista ? "40" : "35");
      f.cboModel->SetListIndex(Posizione(secondo));
      Calcola(f);
      f.cmdGrafico->click();
      const std::pair<int, int> nuovo{ui::FGrafico().CurvaDisegnata(), ui::FGrafico().VScroll2->Min()};
      ui::FGrafico().Scarica();
      f.cboModel->SetListIndex(Posizione(primo));
      Calcola(f);
      EXPECT_EQ(ui::FGrafico.SeCaricata(), nullptr);  // a run opens no chart
      f.cmdGrafico->click();
      mostra(primo);
      EXPECT_NE(ui::FGrafico().CurvaDisegnata(), nuovo.first);
      f.cboModel->SetListIndex(Posizione(secondo));
      if (fermata) {
        f.txtDistanza->SetText("0");
        Calcola(f);             // stopped before its heading
        f.cmdGrafico->click();  // so is the button's rerun: nothing handed over
        mostra(primo);
        f.txtDistanza->SetText("2");
      }
      f.cmdGrafico->click();
      mostra(secondo);
      // Rated and drawn as by a new chart, on its own reference curve.
      EXPECT_EQ(std::make_pair(ui::FGrafico().CurvaDisegnata(), ui::FGrafico().VScroll2->Min()), nuovo);
      // A model too small for the point: the rerun's message alone, and
      // the chart stays as it was.
      f.cboModel->SetListIndex(Posizione(mista ? "RMBBLDC 10" : "KALVOEC 10"));
      reg.Svuota();
      f.cmdGrafico->click();
      EXPECT_EQ(Testi(), QStringList{"No unit meets the requir.specified"});
      EXPECT_EQ(ui::FGrafico().CurvaDisegnata(), nuovo.first);
      f.cboModel->SetListIndex(Posizione(secondo));
      f.cmdGrafico->click();
      mostra(secondo);
      f.Grd->SetTextMatrix(2, 5, "x");  // gone at a rerun
      f.cmdGrafico->click();
      f.cboModel->SetListIndex(0);
      reg.Svuota();
      f.cmdGrafico->click();
      EXPECT_EQ(Testi(), QStringList{"No unit meets the requir.specified"});
      EXPECT_EQ(f.Grd->TextMatrix(2, 5), "x");
      f.cboModel->SetListIndex(Posizione(primo));
      ui::FGrafico().VScroll2->SetValue(ui::FGrafico().VScroll2->Value() - 1);
      mostra(primo);
      if (fermata) {
        f.Scarica();
        continue;
      }
      // The chart shows the window's last run: the chart button reruns first
      // (no more) when the pressure, the air flow or a tick differs from what
      // the grid's run read, and hands over the range of the curve it chose;
      // Calculate hands its run over, with no second run and no message.
      int corse = 0;  // runs that rated rows
      const plat::RegistroCorsa* registro = plat::RegistroCorsa::Di(f);
      QObject::connect(registro, &plat::RegistroCorsa::Cambiato, &f, [&] { corse += registro->Presente(); });
      struct Cambio {
        const char *pressione, *portata;  // typed ("" none)
        int spunta;                       // accessory ticked (0 none)
        const std::string* modello;       // picked (none: the last)
        bool calcola, chiuso;             // Calculate (else the chart button); the chart closed first
        int corse;
      } cambi[] = {{"", "", 0, nullptr, false, false, 0},
                   {mista ? "50" : "25", "", 0, nullptr, false, false, 1},
                   {mista ? "20" : "30", "", 0, nullptr, true, false, 1},
                   {"", "", 0, &secondo, true, false, 1},
                   {"", "", mista ? 5 : 0, nullptr, false, false, mista},
                   {mista ? "40" : "35", "", 0, nullptr, false, true, 1},
                   {"", mista ? "900" : "400", 0, nullptr, false, true, 1}};
      const std::string* modello = &primo;
      for (const Cambio& c : cambi) {
        SCOPED_TRACE(std::string(c.pressione) + c.portata + std::to_string(c.spunta));
        if (c.chiuso) ui::FGrafico().Scarica();
        if (*c.pressione) f.txtpsu->SetText(c.pressione);
        if (*c.portata) f.txtqatot->SetText(c.portata);
        if (c.spunta) f.chkAcc(c.spunta)->SetValue(1);
        if (c.modello) f.cboModel->SetListIndex(Posizione(*(modello = c.modello)));
        corse = 0;
        reg.Svuota();
        QApplication::setActiveWindow(f.window());
        (c.calcola ? f.cmdCalcola : f.cmdGrafico)->click();
        test::ProcessaEventi();
        EXPECT_EQ(corse, c.corse);
        EXPECT_EQ(QApplication::activeWindow() == f.window(), c.calcola);  // the button raises the chart
        mostra(*modello);
        const int m = Posizione(*modello);
        ASSERT_TRUE(f.RigheAlleCaselle(m));
        const float q = static_cast<float>(core::ValNum(f.txtqatot->Text()));
        auto& ch = dynamic_cast<ChiamanteGrafico&>(f);
        EXPECT_EQ(ui::FGrafico().VScroll2->Min(),
                  ScalaDelGrafico(ch, m, f.Ultima().curvaScelta, q, f.PressioneDelleRighe()).alto);
        EXPECT_EQ(Testi().size(), !c.calcola && f.Ultima().curvaScelta == 7);  // the curve-7 warning
      }
      // No row of the model: the chart button opens no chart, writes nothing
      // into the boxes and its rerun says why (a pressure that is no number,
      // refused and reset by the run as by Calculate; a flow no model
      // delivers; a run stopped by its check).
      ui::FGrafico().Scarica();
      const std::function<void()> guasti[] = {[&] { f.txtpsu->SetText("4O"); },
                                              [&] {
                                                if (mista)
                                                  f.txtqatot->SetText("0.36");
                                                else
                                                  f.txtTw1(1)->SetText("");
                                                Calcola(f);  // its message, and no row
                                              }};
      for (const auto& guasto : guasti) {
        reg.Svuota();
        guasto();
        const QStringList caselle{f.txtqatot->Text(), f.txtpsu->Text()}, messaggi = Testi();
        reg.Svuota();
        f.cmdGrafico->click();
        EXPECT_EQ(ui::FGrafico.SeCaricata(), nullptr);
        EXPECT_EQ(Testi().size(), 1);
        if (!messaggi.isEmpty()) {
          EXPECT_EQ(Testi(), messaggi);
          EXPECT_EQ(QStringList({f.txtqatot->Text(), f.txtpsu->Text()}), caselle);
        }
        f.txtpsu->SetText("40");
      }
      f.Scarica();
    }
  }
}

// A change of units with selection windows open, made in the units window:
// the numbers typed in every window are rewritten in the new units under
// the new labels, the rows rated in the old units go (the report's results
// and the chart with them), and a run after each change rates the same
// points: air flow m3/h -> l/s -> m3/s -> m3/h, pressure and water flow
// there and back twice.  Each box is read as the window's run reads it
// (the water flow, and the air flow of the EC windows, as ValNum; the
// others by the system's rules, thousands separator and blanks included),
// with either decimal mark; a text the run reads as no number stays as
// typed, and a tiny value keeps its digits.
TEST_F(FinestreEC, UnCambioDiUnitaConverteLeCaselle) {
  struct Unita {
    int16_t qa, dpa, qw;
  };
  const Unita giro[] = {{0, 1, 0}, {1, 0, 1}, {2, 1, 0}, {2, 0, 1}};
  struct Caso {
    std::function<FinestraSelezione&()> apri;
    const char* modello;  // empty: every model
    const char* qa;       // m3/h; nullptr: no air-flow box
    bool qaValNum;        // the run reads the air flow as ValNum
    const char* psu;      // Pa
  } casi[] = {
      {[] {
         ui::Fmenu().mnuprod_Click(0);
         return std::ref<FinestraSelezione>(FDatiP());
       },
       "", nullptr, false, "30"},
      {[] {
         ui::Fmenu().mnuprod_Click(1);
         return std::ref<FinestraSelezione>(FDatiPXX());
       },
       "", "1500", false, "0"},
      {[this]() -> FinestraSelezione& { return Singola(); }, "KALVOEC 50", "450", true, "35"},
      {[this]() -> FinestraSelezione& { return Mista(catalogo::Codice::RMBBLDC); }, "", "1500", true, "40"},
      {[] {
         ui::ApriLinea(catalogo::Codice::KALVOEC, true);
         return std::ref<FinestraSelezione>(FDatiPEC_VFIX());
       },
       "", nullptr, false, "20"},
      {[] {
         ui::ApriLinea(catalogo::Codice::DVKBLDC, true);
         return std::ref<FinestraSelezione>(FDatiPXXEC_VFIX());
       },
       "", nullptr, false, "50"},
  };
  // A box's text after each change, by the number the run reads in it in
  // the first units ("." the decimal mark here).
  const std::map<QString, QStringList> riscritti{
      // air flow, m3/h
      {"1500", {"416.66667", "0.41666667", "1500", "1500"}},
      {"450", {"125.0", "0.125", "450", "450"}},
      {"1.5", {"0.41666667", "0.00041666667", "1.5", "1.5"}},
      // static pressure, Pa
      {"20", {"2.04", "20", "2.04", "20"}},
      {"30", {"3.06", "30", "3.06", "30"}},
      {"35", {"3.57", "35", "3.57", "35"}},
      {"40", {"4.08", "40", "4.08", "40"}},
      {"50", {"5.1", "50", "5.1", "50"}},
      // water flow, l/h
      {"500", {"0.13888889", "500", "0.13888889", "500"}},
      {"1e-20", {"2.7777778E-24", "1E-20", "2.7777778E-24", "1E-20"}},
  };
  // How a number n is typed in a box (the water flow when acqua), and the
  // number the run reads (empty: none; it and 0 stay as typed), by the
  // system's rules or as ValNum.
  struct Scrittura {
    const char* descrizione;
    const char* sep;
    std::function<std::pair<QString, QString>(const QString& n, bool valNum, bool acqua)> scrivi;
  };
  const QString nbsp = QString(QChar(0xa0));
  auto migliaia = [](const QString& n, const char* sep) {
    return n.size() < 4 ? n : n.left(n.size() - 3) + QLatin1String(sep) + n.right(3);
  };
  const Scrittura scritture[] = {
      {"plain", ".",
       [](const QString& n, bool, bool) {
         return std::pair{n, n};
       }},
      {"decimal comma", ",",
       [](const QString& n, bool, bool) {
         return std::pair{n, n};
       }},
      {"leading blank", ".",
       [](const QString& n, bool, bool) {
         return std::pair{" " + n, n};
       }},
      {"leading no-break space", ",",
       [&](const QString& n, bool, bool acqua) {
         return acqua ? std::pair{n, n} : std::pair{nbsp + n, n};
       }},
      {"leading no-break space in the water flow", ".",
       [&](const QString& n, bool, bool acqua) {
         return acqua ? std::pair{nbsp + n, n} : std::pair{n, n};
       }},
      {"thousands separator", ".",
       [&](const QString& n, bool valNum, bool) {
         return std::pair{migliaia(n, ","), valNum && n.size() >= 4 ? "1.5" : n};
       }},
      {"thousands separator, decimal comma", ",",
       [&](const QString& n, bool valNum, bool) {
         return std::pair{migliaia(n, "."), valNum && n.size() >= 4 ? "1.5" : n};
       }},
      {"tiny water flow", ".",
       [](const QString& n, bool, bool acqua) {
         return acqua ? std::pair{QString("1e-20"), QString("1e-20")} : std::pair{n, n};
       }},
  };
  auto unita = [](const Unita& u) {
    ui::Fmenu().mnuUnmis_Click();
    ui::Funmis().cboqa->SetListIndex(u.qa);
    ui::Funmis().cboDpA->SetListIndex(u.dpa);
    ui::Funmis().cboqw->SetListIndex(u.qw);
    ui::Funmis().cmdOK->click();
  };
  auto righe = [](const FinestraSelezione& f) {
    std::vector<QStringList> v;
    for (int r = 1; r < f.Grd->Rows(); ++r) v.push_back(Riga(f, r));
    return v;
  };
  for (const Scrittura& w : scritture) {
    SCOPED_TRACE(w.descrizione);
    core::imp.SepDec = w.sep;
    for (const Caso& c : casi) {
      FinestraSelezione& f = c.apri();
      SCOPED_TRACE(f.Nome().toStdString());
      // The text typed in a box and what it becomes after change k.
      struct Casella {
        plat::TextBox* box;
        QString testo, letto;
        QString Dopo(const std::map<QString, QStringList>& r, const char* sep, size_t k) const {
          return letto.isEmpty() || letto == "0" ? testo : QString(r.at(letto)[k]).replace('.', sep);
        }
      };
      std::vector<Casella> caselle;
      bool comeIlNumero = true;  // every box reads the number typed in it
      auto scrivi = [&](plat::TextBox* box, const char* n, bool valNum, bool acqua) {
        const auto [testo, letto] = w.scrivi(n, valNum, acqua);
        box->SetText(testo);
        caselle.push_back({box, testo, letto});
        comeIlNumero = comeIlNumero && letto == n;
      };
      if (*c.modello) f.cboModel->SetListIndex(Posizione(c.modello));
      if (c.qa) scrivi(f.txtqatot, c.qa, c.qaValNum, false);
      scrivi(f.txtpsu, c.psu, false, false);
      f.txtTw2(1)->SetText("");
      scrivi(f.txtQw(1), "500", true, true);
      Calcola(f);
      const std::vector<QStringList> prima = righe(f);
      if (comeIlNumero) {
        ASSERT_GT(prima.size(), 1u);
      }
      for (const QString& t : Testi()) EXPECT_FALSE(t.startsWith("Errore")) << t.toStdString();
      if (f.cmdGrafico && !f.cmdGrafico->isHidden()) {
        f.cmdGrafico->click();
        ASSERT_NE(ui::FGrafico.SeCaricata(), nullptr);
      }
      for (size_t k = 0; k < std::size(giro); ++k) {
        SCOPED_TRACE(k);
        unita(giro[k]);
        EXPECT_EQ(f.Grd->Rows(), 0);
        EXPECT_EQ(ui::FGrafico.SeCaricata(), nullptr);
        EXPECT_TRUE(!f.cmdGrafico || f.cmdGrafico->isHidden());
        if (k == 0) {
          f.cmdStampa->click();
          rapporto::FormStampa* s = rapporto::FStampa.SeCaricata();
          ASSERT_NE(s, nullptr);
          EXPECT_FALSE(s->chkSelez(2)->isEnabled());
          s->cmdAnnulla->click();
        }
        test::ProcessaEventi();
        for (const Casella& b : caselle) {
          EXPECT_EQ(b.box->Text(), b.Dopo(riscritti, w.sep, k)) << b.testo.toStdString();
          if (b.Dopo(riscritti, w.sep, k) != b.testo) Intera(b.box);
        }
        if (c.qa) {
          EXPECT_EQ(f.lblUmQA->Caption(), core::NomeUnita(core::Grandezza::PortataAria));
        }
        EXPECT_EQ(f.lblumDpa->Caption(), core::NomeUnita(core::Grandezza::PerditaAria));
        EXPECT_EQ(f.lblumQw(1)->Caption(), core::NomeUnita(core::Grandezza::PortataAcqua));
        Calcola(f);
        for (const QString& t : Testi()) EXPECT_FALSE(t.startsWith("Errore")) << t.toStdString();
        if (!comeIlNumero) continue;
        const std::vector<QStringList> dopo = righe(f);
        // The same rows: equal wherever the unit of a column is the same.
        ASSERT_EQ(dopo.size(), prima.size());
        for (size_t r = 1; r < dopo.size(); ++r)
          for (int col = 0; col < dopo[r].size(); ++col)
            EXPECT_TRUE(dopo[0][col] != prima[0][col] || dopo[r][col] == prima[r][col]) << r << " " << col;
      }
      if (comeIlNumero) {
        EXPECT_EQ(righe(f), prima);
      }
      f.Scarica();
    }
  }
}

// What a run shows (the legend button, the chart button) has its place
// from the start: nothing in the window moves when it appears, and a
// double click on Calculate runs twice instead of opening the chart.
TEST_F(FinestreEC, NullaSiSpostaDopoIlCalcolo) {
  struct Caso {
    std::function<FinestraSelezione&()> apri;
    const char* modello;
    const char* qa;
    const char* psu;
  } casi[] = {
      {[this]() -> FinestraSelezione& { return Singola(); }, "KALVOEC 50", "450", "35"},
      {[this]() -> FinestraSelezione& { return Mista(catalogo::Codice::RMBBLDC); }, "RMBBLDC 20", "1000",
       "40"},
      {[] {
         ui::Fmenu().mnuprod_Click(1);
         return std::ref<FinestraSelezione>(FDatiPXX());
       },
       "", "0", "40"},
  };
  for (const Caso& c : casi) {
    FinestraSelezione& f = c.apri();
    SCOPED_TRACE(f.Nome().toStdString());
    if (*c.modello) f.cboModel->SetListIndex(Posizione(c.modello));
    f.txtqatot->SetText(c.qa);
    f.txtpsu->SetText(c.psu);
    // Every control shown, where it stands in the window (the grid's own
    // parts aside), the window's layouts worked out afresh.
    auto posti = [&f] {
      for (QLayout* l : f.findChildren<QLayout*>()) l->invalidate();
      test::ProcessaEventi();
      std::map<QWidget*, QRect> m;
      for (QWidget* w : f.findChildren<QWidget*>())
        if (w->isVisible() && !f.Grd->isAncestorOf(w)) m[w] = QRect(w->mapTo(&f, QPoint(0, 0)), w->size());
      return m;
    };
    const std::map<QWidget*, QRect> prima = posti();
    const QPoint calcola = f.cmdCalcola->mapTo(&f, f.cmdCalcola->rect().center());
    Calcola(f);
    ASSERT_GT(f.Grd->Rows(), 2);
    EXPECT_FALSE(f.cmdLegend->isHidden());
    EXPECT_EQ(f.cmdGrafico && !f.cmdGrafico->isHidden(), *c.modello != 0);
    const std::map<QWidget*, QRect> dopo = posti();
    for (const auto& [w, r] : prima) {
      ASSERT_TRUE(dopo.count(w)) << w->objectName().toStdString();
      EXPECT_EQ(dopo.at(w), r) << w->objectName().toStdString();
    }
    ASSERT_EQ(f.childAt(calcola), f.cmdCalcola);
    QTest::mouseDClick(f.childAt(calcola), Qt::LeftButton);
    EXPECT_EQ(ui::FGrafico.SeCaricata(), nullptr);
    EXPECT_GT(f.Grd->Rows(), 2);
  }
}

}  // namespace

namespace {

// The single-air EC check of each pass: the first missing or implausible
// input stops the run with its message, before any row; "nolimits" checks
// nothing.
TEST_F(FinestreEC, ControlloDellaSingolaAria) {
  struct Caso {
    const char* cosa;
    std::function<void(FormDatiPEC&)> imposta;
    QString messaggio;  // "" the run rates
    bool senzaLimiti = false;
  } casi[] = {
      {"no air inlet in cooling", [](FormDatiPEC& f) { f.txtTsa1(0)->SetText(""); },
       "Air inlet temperature not indicated"},
      {"no water inlet in heating", [](FormDatiPEC& f) { f.txtTw1(1)->SetText(""); },
       "Water inlet temp.not indicated"},
      {"neither outlet temperature nor water flow in heating",
       [](FormDatiPEC& f) {
         f.txtTw2(1)->SetText("");
         f.txtQw(1)->SetText("");
       },
       "Enter outlet temp.or water flow"},
      {"41 K in heating", [](FormDatiPEC& f) { f.txtTw2(1)->SetText("29"); }, "DT cannot be  > 40 °C"},
      {"40 K in heating passes", [](FormDatiPEC& f) { f.txtTw2(1)->SetText("30"); }, ""},
      {"nolimits",
       [](FormDatiPEC& f) {
         f.txtTsa1(0)->SetText("");
         f.txtTw2(1)->SetText("20");
       },
       "", true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    FormDatiPEC& f = Singola();
    f.txtqatot->SetText("450");
    c.imposta(f);
    core::imp.SenzaLimiti = c.senzaLimiti;
    Calcola(f);
    core::imp.SenzaLimiti = false;
    EsitoDelControllo(f, c.messaggio);
    f.Scarica();
  }
}

// The twin of the single-air check in the heating pass of both mixed-air
// windows: a failed check ends the run at the first model, with its message
// and no row.
TEST_F(FinestreEC, ControlloDellAriaMistaInRiscaldamento) {
  struct Caso {
    const char* cosa;
    std::function<void(FormDatiPXXEC&)> imposta;
    QString messaggio;  // "" the run rates
  } casi[] = {
      {"no water inlet in heating", [](FormDatiPXXEC& f) { f.txtTw1(1)->SetText(""); },
       "Water inlet temp.not indicated"},
      {"41 K in heating", [](FormDatiPXXEC& f) { f.txtTw2(1)->SetText("29"); }, "DT cannot be  > 40 °C"},
      {"40 K in heating passes", [](FormDatiPXXEC& f) { f.txtTw2(1)->SetText("30"); }, ""},
  };
  for (const bool facile : {false, true})
    for (const Caso& c : casi) {
      SCOPED_TRACE(std::string(c.cosa) + (facile ? ", easy calc" : ""));
      ui::ApriLinea(catalogo::Codice::DVKBLDC, facile);
      FormDatiPXXEC& f = facile ? FDatiPXXEC_VFIX() : FDatiPXXEC();
      if (!facile) f.txtqatot->SetText("600");
      f.txtpsu->SetText("50");
      c.imposta(f);
      Calcola(f);
      EsitoDelControllo(f, c.messaggio);
      f.Scarica();
    }
}

// Every mixed-air run rates the heating pass with the heating coil's own
// coefficients and the cooling pass with the cooling coil's: a change of
// one moves only its own pass's cells.
TEST_F(FinestreEC, OgniPassoConIPropriCoefficienti) {
  struct Caso {
    const char* cosa;
    std::function<FinestraSelezione&()> apri;
    const char* modello;
  } casi[] = {
      {"at a required air flow",
       [this]() -> FinestraSelezione& {
         FormDatiPXXEC& f = Mista(catalogo::Codice::DVKBLDC);
         f.txtqatot->SetText("800");
         return f;
       },
       "DVKBLDC 30"},
      {"at a fixed level",
       []() -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::RMBBLDC, true);
         return FDatiPXXEC_VFIX();
       },
       "RMBBLDC 30"},
      {"at fixed speeds",
       []() -> FinestraSelezione& {
         ui::Fmenu().mnuprod_Click(1);
         FDatiPXX().cboVel->SetListIndex(3);
         return FDatiPXX();
       },
       "RMB 20"},
  };
  // The cells of one pass: capacity and water pressure drop.
  const auto celle = [](const FinestraSelezione& f, const char* pt, const char* dpw) {
    QStringList v;
    for (int k = 0; k < f.Grd->Cols(); ++k)
      if (f.Grd->TextMatrix(0, k) == pt || f.Grd->TextMatrix(0, k) == dpw) v << f.Grd->TextMatrix(2, k);
    return v;
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    FinestraSelezione& f = c.apri();
    f.txtpsu->SetText("20");
    const int m = Posizione(c.modello);
    f.cboModel->SetListIndex(m);
    catalogo::DatiModello& d = catalogo::Catalogo().Modelli[m];
    Calcola(f);
    ASSERT_EQ(f.Grd->Rows(), 3);
    const QStringList freddo = celle(f, "PT", "DPW (C)"), caldo = celle(f, "PH", "DPW (H)");
    ASSERT_EQ(freddo.size(), 2);
    ASSERT_EQ(caldo.size(), 2);
    for (float* coefficiente : {&d.CC30[1], &d.CCC50, &d.FC30[1], &d.FCC50}) {
      const bool diCaldo = coefficiente == &d.CC30[1] || coefficiente == &d.CCC50;
      const float prima = *coefficiente;
      *coefficiente *= 20;
      Calcola(f);
      *coefficiente = prima;
      ASSERT_EQ(f.Grd->Rows(), 3);
      EXPECT_EQ(celle(f, "PT", "DPW (C)") == freddo, diCaldo);
      EXPECT_EQ(celle(f, "PH", "DPW (H)") == caldo, !diCaldo);
    }
    plat::Forms::Svuota();
  }
}

// A working pressure below zero (a static pressure typed below zero that
// the accessories do not make up) drops every model of the mixed-air EC
// runs.
TEST_F(FinestreEC, PressioneDiLavoroNegativa) {
  for (bool facile : {false, true}) {
    SCOPED_TRACE(facile ? "fixed level" : "required air flow");
    ui::ApriLinea(catalogo::Codice::DVKBLDC, facile);
    FinestraSelezione& f = facile ? static_cast<FinestraSelezione&>(FDatiPXXEC_VFIX()) : FDatiPXXEC();
    if (!facile) f.txtqatot->SetText("600");
    f.txtpsu->SetText("-0.01");
    Calcola(f);
    EXPECT_EQ(f.Grd->Rows(), 2);
    EXPECT_EQ(Testi().last(), "No unit meets the requir.specified");
    f.txtpsu->SetText("0");
    Calcola(f);
    EXPECT_GT(f.Grd->Rows(), 2);
  }
}

// The legend's first row names the air flow when the run has none, the
// static pressure when it has one; the fixed-level window always the air
// flow it finds.
TEST_F(FinestreEC, PrimaRigaDellaLegenda) {
  struct Caso {
    bool facile;
    const char* portata;
    const char* simbolo;
    const char* descrizione;
  } casi[] = {{false, "0", "QA", "Air flow"},
              {false, "600", "PSU", "External static pressure"},
              {true, nullptr, "QA", "Air flow"}};
  for (const Caso& c : casi) {
    ui::ApriLinea(catalogo::Codice::RMBBLDC, c.facile);
    FinestraSelezione& f = c.facile ? static_cast<FinestraSelezione&>(FDatiPXXEC_VFIX()) : FDatiPXXEC();
    if (c.portata) f.txtqatot->SetText(c.portata);
    Calcola(f);
    EXPECT_EQ(f.lblLegSim(0)->Caption(), c.simbolo);
    EXPECT_EQ(f.lblLegDes(0)->Caption(), c.descrizione);
  }
}

}  // namespace

// A window opened over a selection window (units, print dialog, chart) and
// closed gives the activation back, also where nothing else does: the next
// box left is checked.
TEST_F(FinestreEC, DopoUnaFinestraChiusaLaCasellaEControllata) {
  const auto stampa = [](std::function<void(rapporto::FormStampa&)> esci) {
    return [esci](FormDatiPEC& f) {
      f.cmdStampa->click();
      test::ProcessaEventi();
      ASSERT_TRUE(rapporto::FStampa().isActiveWindow());
      esci(rapporto::FStampa());
    };
  };
  const std::pair<const char*, std::function<void(FormDatiPEC&)>> casi[] = {
      {"units",
       [](FormDatiPEC&) {
         ui::Fmenu().mnuUnmis_Click();
         test::ProcessaEventi();
         ui::Funmis().cmdOK->click();
       }},
      {"print dialog closed", stampa([](rapporto::FormStampa& s) { s.close(); })},
      {"print dialog, Cancel", stampa([](rapporto::FormStampa& s) { s.cmdAnnulla->click(); })},
      {"print dialog, Escape",
       stampa([](rapporto::FormStampa& s) { QTest::keyClick(s.txtcliente, Qt::Key_Escape); })},
      {"chart",
       [](FormDatiPEC& f) {
         f.cboModel->SetListIndex(Posizione("KALVOEC 50"));
         f.txtqatot->SetText("450");
         f.cmdCalcola_Click();
         f.cmdGrafico->click();
         test::ProcessaEventi();
         ASSERT_TRUE(ui::FGrafico().isActiveWindow());
         ui::FGrafico().close();
       }},
  };
  for (const auto& [nome, passi] : casi) {
    SCOPED_TRACE(nome);
    const auto& apriEChiudi = passi;  // Clang before 16 lets no lambda name a structured binding
    FormDatiPEC& f = Singola();
    [&] {
      Attiva(f);
      apriEChiudi(f);
      test::ProcessaEventi();
      reg.Svuota();
      Scrivi(f.txtTw1(0), "40");
      QTest::keyClick(f.txtTw1(0), Qt::Key_Tab);
      test::ProcessaEventi();
      ASSERT_EQ(reg.messaggi.size(), 1u);
      EXPECT_TRUE(reg.messaggi[0].testo.startsWith("Values must be in the range"))
          << reg.messaggi[0].testo.toStdString();
      EXPECT_TRUE(f.txtTw1(0)->hasFocus());
    }();
    f.Scarica();
  }
}
