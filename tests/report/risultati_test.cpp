// The results section of a report from each selection window after a run:
// the conditions table against the window's boxes, the grid and the legend
// against the window's own, cell by cell; all of them as the run rated its
// rows, whatever the boxes hold when the report is printed.
#include <functional>
#include <string>

#include "selection/fdatip.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "ui/linee.h"
#include "tests/report/supporto_stampa.h"

using namespace sel;
using rapporto::FormStampa;

namespace {

class Risultati : public test::ConStampa {
 protected:
  // The window's grid as the report's table shows it: heading rows bold.
  static std::vector<QStringList> Griglia(const plat::Griglia& g) {
    std::vector<QStringList> t;
    for (int r = 0; r < g.Rows(); ++r) {
      QStringList riga;
      for (int c = 0; c < g.Cols(); ++c) {
        const QString x = g.TextMatrix(r, c);
        riga << (r < 2 && !x.isEmpty() ? QLatin1Char('*') + x + QLatin1Char('*') : x);
      }
      t.push_back(riga);
    }
    return t;
  }
  // The window's legend: symbol in bold, description, the listening distance
  // and directivity after the sound pressure's description.
  static std::vector<QStringList> Legenda(const FinestraSelezione& f, const std::vector<int>& voci) {
    std::vector<QStringList> t;
    for (int e : voci) {
      QString des = f.lblLegDes(e)->Caption();
      if (f.lblLegSim(e)->Caption() == QLatin1String("LP"))
        des += QStringLiteral(" Distance : ") + f.txtDistanza->Text() +
               QStringLiteral(" meter Directivity Factor : ") + f.cboDirezione->Text() + QStringLiteral("  ");
      t.push_back({QLatin1Char('*') + f.lblLegSim(e)->Caption() + QLatin1Char('*'), des});
    }
    return t;
  }
  // After the run, every condition the report states is changed as a user
  // would change it: typed into its box and left, another list item, another
  // tick, another share.  Each change is accepted (no message).
  void CambiaCondizioni(FinestraSelezione& f) {
    reg.Svuota();
    std::vector<std::pair<plat::TextBox*, QString>> caselle;
    if (auto* a = dynamic_cast<FinestraAriaSingola*>(&f)) {
      caselle = {{a->txtTsa1(0), "33"}, {a->txtTsa1(1), "15"}, {a->txtTbu, "18"}};
    } else {
      auto& m = dynamic_cast<FinestraAriaMista&>(f);
      caselle = {{m.txtTsa1ric(0), "33"}, {m.txtTsa1rin(1), "5"}, {m.txttburin, "17"}};
      m.Scrollfreddo->SetValue(m.Scrollfreddo->Value() == 50 ? 60 : 50);
      m.chkAcc(3)->SetValue(m.chkAcc(3)->Value() == 1 ? 0 : 1);
    }
    caselle.insert(caselle.end(),
                   {{f.txtTw1(0), "8"}, {f.txtpsu, "70"}, {f.txtGlic, "10"}, {f.txtDistanza, "5"}});
    if (f.txtqatot && f.txtqatot->isEnabled()) caselle.push_back({f.txtqatot, "1000"});
    for (const auto& [box, testo] : caselle) {
      Scrivi(box, testo);
      Esci(f.cmdCalcola);
      EXPECT_EQ(box->Text(), testo) << box->objectName().toStdString();
    }
    f.cboDirezione->SetListIndex(2);
    if (f.cboVel) f.cboVel->SetListIndex(f.cboVel->ListIndex() == 1 ? 2 : 1);
    EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('\n').toStdString();
  }
  static std::vector<int> Voci(int ultima, int ultimaVoce) {
    std::vector<int> v;
    for (int i = 0; i < ultima; ++i) v.push_back(i);
    v.push_back(ultimaVoce);
    return v;
  }
};

struct Caso {
  const char* nome;
  std::function<FinestraSelezione&(test::ConStampa&)> apri;  // opens the window and types its data
  std::string condizioni;                                    // the conditions table
  QStringList note;                                   // the paragraphs between the conditions and the grid
  std::vector<int> legenda;                           // the window's legend entries, in the report's order
  std::function<void(FinestraSelezione&)> dopo = {};  // changes to the boxes after the run
  QStringList primaVoce = {};                         // the legend's first row, when the case pins it
};

// The conditions table of a mixed-air window up to its static pressure: all
// return air, the boxes as the window opens.
const std::string kMisto =
    "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
    "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
    "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
    "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
    "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  | ";

TEST_F(Risultati, OgniFinestraComeLaMostra) {
  const std::vector<Caso> casi = {
      {"fan coil, cooling water by flow, the static pressure box empty (the run reads 0)",
       [](test::ConStampa& /*t*/) -> FinestraSelezione& {
         ui::Fmenu().mnuprod_Click(0);
         auto& f = FDatiP();
         f.txtpsu->SetText(QString());
         f.txtTw2(0)->SetText(QString());
         f.txtQw(0)->SetText(QStringLiteral("450"));
         f.cboVel->SetListIndex(2);
         return f;
       },
       "tbl{* * / *Cooling* / *Heating* | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature /  / 60 °C | "
       "Water flow / 450 l/h /  | External static pressure / 0 Pa<span 2> | Glycol  % / 0 %<span 2> | "
       "Operating speed / Med<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation "},
       Voci(14, 16)},
      {"ducted unit at a total air flow, 30 % fresh air",
       [](test::ConStampa& /*t*/) -> FinestraSelezione& {
         ui::Fmenu().mnuprod_Click(1);
         auto& f = FDatiPXX();
         f.Scrollfreddo->SetValue(30);
         f.txtqatot->SetText(QStringLiteral("900"));
         f.txtpsu->SetText(QStringLiteral("20"));
         f.chkAcc(1)->SetValue(1);
         return f;
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 70%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 30%*<span 3> | Air inlet temperature / 27 °C / 20 °C "
       "| "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 20 Pa<span 2> | Total Air flow / 900 m3/h<span 2> | "
       "Glycol  % / 0 %<span 2> | Operating speed / Max<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories : Additional Coil (4 pipes) - Filter G2(TR2) -  "},
       Voci(13, 13),
       // A run refused before its heading leaves the rows with their conditions.
       [](FinestraSelezione& f) {
         f.txtqatot->SetText(QStringLiteral("-5"));
         f.cmdCalcola->click();
       }},
      {"ducted unit, flow and pressure after a no-break space (the run reads 900 m3/h and 20 Pa)",
       [](test::ConStampa& /*t*/) -> FinestraSelezione& {
         ui::Fmenu().mnuprod_Click(1);
         auto& f = FDatiPXX();
         f.txtqatot->SetText(QStringLiteral("\u00a0900"));
         f.txtpsu->SetText(QStringLiteral("\u00a020"));
         return f;
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| External static pressure / \u00a020 Pa<span 2> | Total Air flow / \u00a0900 m3/h<span 2> | "
       "Glycol  % / 0 %<span 2> | Operating speed / Max<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories : Filter G2(TR2) -  "},
       Voci(13, 13)},
      {"thermo-ventilating unit without filter, a total air flow that is no number",
       [](test::ConStampa& /*t*/) -> FinestraSelezione& {
         ui::Fmenu().mnuprod_Click(2);
         auto& f = FDatiPXX();
         f.txtDistanza->SetText(QStringLiteral("3"));
         f.cboDirezione->SetListIndex(2);
         return f;
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 0 Pa<span 2> | Glycol  % / 0 %<span 2> | Operating speed / 3<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories :  "},
       Voci(13, 13),
       [](FinestraSelezione& f) { static_cast<FormDatiPXX&>(f).txtqatot->SetText(QStringLiteral("abc")); }},
      {"EC fan coil at a required air flow",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::KALVOEC);
         FDatiPEC().txtqatot->SetText(QStringLiteral("350"));
         FDatiPEC().txtpsu->SetText(QStringLiteral("30"));
         return FDatiPEC();
       },
       "tbl{* * / *Cooling* / *Heating* | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 30 Pa<span 2> | Air flow / 350 m3/h<span 2> | Glycol  % / 0 %<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation "},
       Voci(13, 13)},
      {"EC ducted unit at a required air flow",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::RMBBLDC);
         FDatiPXXEC().txtqatot->SetText(QStringLiteral("800"));
         FDatiPXXEC().txtpsu->SetText(QStringLiteral("40"));
         return FDatiPXXEC();
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 40 Pa<span 2> | Total Air flow / 800 m3/h<span 2> | Glycol  % / 0 %<span "
       "2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories : Filter G2(TR2) -  "},
       Voci(13, 13)},
      {"EC thermo-ventilating unit, its required air flow emptied after the run",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::DVKBLDC);
         FDatiPXXEC().txtqatot->SetText(QStringLiteral("900"));
         FDatiPXXEC().txtpsu->SetText(QStringLiteral("40"));
         return FDatiPXXEC();
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 40 Pa<span 2> | Total Air flow / 900 m3/h<span 2> | Glycol  % / 0 %<span "
       "2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories :  "},
       Voci(13, 13),
       [](FinestraSelezione& f) { f.txtqatot->SetText(QString()); },
       {"*PSU*", "External static pressure"}},
      {"easy-calc EC fan coil at the middle level",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::KALVOEC, true);
         FDatiPEC_VFIX().txtpsu->SetText(QStringLiteral("20"));
         FDatiPEC_VFIX().cboVel->SetListIndex(1);
         return FDatiPEC_VFIX();
       },
       "tbl{* * / *Cooling* / *Heating* | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 20 Pa<span 2> | Glycol  % / 0 %<span 2> | Velocita' funzionamento / "
       "Med<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation "},
       Voci(13, 13)},
      {"easy-calc EC ducted unit: no air-flow row, a level row",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::RMBBLDC, true);
         FDatiPXXEC_VFIX().txtpsu->SetText(QStringLiteral("30"));
         return FDatiPXXEC_VFIX();
       },
       "tbl{* * / *Cooling* / *Heating* | *Return air ratio 100%*<span 3> | "
       "Air inlet temperature / 27 °C / 20 °C | Wet bulb air temperature / 19 °C /  | "
       "Relative humidity / 47 % /  | *Fresh air ratio 0%*<span 3> | Air inlet temperature / 27 °C / 20 °C | "
       "Wet bulb air temperature / 19 °C /  | Relative humidity / 47 % /  | "
       "Water inlet temperature / 7 °C / 70 °C | Water outlet temperature / 12 °C / 60 °C | Water flow /  /  "
       "| "
       "External static pressure / 30 Pa<span 2> | Glycol  % / 0 %<span 2> | Velocita' funzionamento / "
       "Max<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories : Filter G2(TR2) -  "},
       Voci(13, 13),
       {},
       {"*QA*", "Air flow"}},
      {"easy-calc EC thermo-ventilating unit at the lowest level",
       [](test::ConStampa&) -> FinestraSelezione& {
         ui::ApriLinea(catalogo::Codice::DVKBLDC, true);
         FDatiPXXEC_VFIX().txtpsu->SetText(QStringLiteral("40"));
         FDatiPXXEC_VFIX().cboVel->SetListIndex(0);
         return FDatiPXXEC_VFIX();
       },
       kMisto + "External static pressure / 40 Pa<span 2> | Glycol  % / 0 %<span 2> | "
                "Velocita' funzionamento / Min<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories :  "},
       Voci(13, 13)},
      {"ducted unit with a decimal comma: the run reads 0.0,1 as 0.1 Pa (ValNum as 0), no warning",
       [](test::ConStampa&) -> FinestraSelezione& {
         core::imp.SepDec = QStringLiteral(",");
         ui::Fmenu().mnuprod_Click(1);
         FDatiPXX().txtpsu->SetText(QStringLiteral("0.0,1"));
         return FDatiPXX();
       },
       kMisto + "External static pressure / 0.0,1 Pa<span 2> | Glycol  % / 0 %<span 2> | "
                "Operating speed / Max<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories : Filter G2(TR2) -  "},
       Voci(13, 13)},
      {"thermo-ventilating unit with a decimal comma: the run reads a total air flow of 0.0.900 as 900 m3/h "
       "(ValNum as 0)",
       [](test::ConStampa&) -> FinestraSelezione& {
         core::imp.SepDec = QStringLiteral(",");
         ui::Fmenu().mnuprod_Click(2);
         FDatiPXX().txtqatot->SetText(QStringLiteral("0.0.900"));
         return FDatiPXX();
       },
       kMisto + "External static pressure / 0 Pa<span 2> | Total Air flow / 0.0.900 m3/h<span 2> | "
                "Glycol  % / 0 %<span 2> | Operating speed / 3<span 2>}",
       {"p:The selection is based on sea level,you should contact VTRL for recalculation ",
        "p:Accessories :  "},
       Voci(13, 13)},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    core::imp.SepDec = QStringLiteral(".");
    FinestraSelezione& f = c.apri(*this);
    Attiva(f);
    f.cmdCalcola->click();
    ASSERT_GT(f.Grd->Rows(), 2);
    const std::vector<QStringList> griglia = Griglia(*f.Grd), legenda = Legenda(f, c.legenda);
    CambiaCondizioni(f);
    if (c.dopo) c.dopo(f);
    const QStringList corpo = Stampa(Dialogo(f, {2}));
    EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('\n').toStdString();
    ASSERT_FALSE(corpo.isEmpty());
    const auto tabelle = Tabelle(corpo);
    ASSERT_EQ(tabelle.size(), 4u);  // title, conditions, grid, legend
    const int i = static_cast<int>(corpo.indexOf(QRegularExpression(QStringLiteral("^tbl\\{\\* \\*.*"))));
    ASSERT_GE(i, 0);
    EXPECT_EQ(corpo[i], QString::fromStdString(c.condizioni));
    // Every paragraph up to the grid: a warning the case does not list fails it.
    const auto griglia_doc = corpo.indexOf(QRegularExpression(QStringLiteral("tbl\\{.*")), i + 1);
    EXPECT_EQ(corpo.mid(i + 1, griglia_doc - i - 1), QStringList{"p: "} + c.note);
    EXPECT_EQ(tabelle[2], griglia);
    EXPECT_EQ(tabelle[3], legenda);
    if (!c.primaVoce.isEmpty()) {
      EXPECT_EQ(tabelle[3].front(), c.primaVoce);
    }
    EXPECT_EQ(DimensioniTabelle()[2], (std::set<double>{f.Grd->Cols() > 10 ? 8.0 : 10.0}));
    EXPECT_EQ(DimensioniTabelle()[3], std::set<double>{10});
    // A change of units while the dialog is open clears the rows: the
    // results are no longer offered, and Print writes none.
    FormStampa& s = Dialogo(f, {2});
    ASSERT_TRUE(s.chkSelez(2)->isEnabled());
    for (int qa : {0, 2}) {  // l/s, then m3/h again for the next window
      ui::Fmenu().mnuUnmis_Click();
      ui::Funmis().cboqa->SetListIndex(qa);
      ui::Funmis().cmdOK->click();
      EXPECT_FALSE(s.chkSelez(2)->isEnabled());
      EXPECT_EQ(s.chkSelez(2)->Value(), 1);
      const QStringList senza = Stampa(s);
      EXPECT_EQ(Tabelle(senza).size(), 1u);  // the title alone
      EXPECT_FALSE(senza.contains(QStringLiteral("p!Calculation results")));
    }
    // A run that leaves the heading rows alone records nothing: no model
    // rated (a pressure no fan gives, with "nolimits"), or letters pasted in
    // the static pressure box, refused after the heading.  No results are
    // offered and Print writes none.
    for (const char* pressione : {"5000", "abc"}) {
      if (f.txtqatot) f.txtqatot->SetText(QStringLiteral("800"));
      f.txtpsu->SetText(QString::fromLatin1(pressione));
      core::imp.SenzaLimiti = true;
      reg.Svuota();
      f.cmdCalcola->click();
      core::imp.SenzaLimiti = false;
      EXPECT_EQ(f.Grd->Rows(), 2) << pressione;
      ASSERT_FALSE(Messaggi().isEmpty());
      EXPECT_TRUE(Messaggi().back().startsWith(pressione[0] == 'a' ? "Values must be" : "No unit meets"))
          << Messaggi().join('|').toStdString();
      FormStampa& solo = Dialogo(f, {2});
      EXPECT_FALSE(solo.chkSelez(2)->isEnabled()) << pressione;
      EXPECT_EQ(Tabelle(Stampa(solo)).size(), 1u) << pressione;  // the title alone
    }
    plat::Forms::Svuota();
  }
}

}  // namespace
