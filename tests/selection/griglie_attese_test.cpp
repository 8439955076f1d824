// Whole runs of every shipped fixed-speed series, through their windows as a
// user starts them, compared cell for cell with the grids kept beside this
// file in griglie/. Any drift of a rated number shows here.
//
// To regenerate the expected grids on purpose (after a deliberate change of
// the ratings or of the sample catalogue): scripts/rigenera_griglie.sh
#include <QDir>
#include <QFile>
#include <functional>

#include "core/ambiente.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "selection/fdatipec.h"
#include "ui/linee.h"
#include "tests/selection/supporto_selezione.h"

using namespace sel;

namespace {

// Product-line menu entries, then the EC lines' "Advanced calc." windows,
// then their "Easy calc." windows.
constexpr int kKalvo = 0, kRmb = 1, kDvk = 2, kKalvop = 3, kKalvoEC = 4, kRmbBldc = 5, kDvkBldc = 6;
constexpr int kKalvoECFacile = 7, kRmbBldcFacile = 8, kDvkBldcFacile = 9;

struct Corsa {
  const char* nome;  // file griglie/<nome>.txt
  int linea;
  std::function<void(FinestraSelezione&)> imposta;
};

void PrintTo(const Corsa& c, std::ostream* os) { *os << c.nome; }

FormDatiP& P(FinestraSelezione& f) { return static_cast<FormDatiP&>(f); }
FormDatiPXX& X(FinestraSelezione& f) { return static_cast<FormDatiPXX&>(f); }
FormDatiPEC& E(FinestraSelezione& f) { return static_cast<FormDatiPEC&>(f); }
FormDatiPXXEC& XE(FinestraSelezione& f) { return static_cast<FormDatiPXXEC&>(f); }

// The fresh air of the mixed-air EC windows, as Rinnovo.
void RinnovoEC(FinestraAriaMista& x) {
  x.Scrollfreddo->SetValue(30);
  x.txtTsa1rin(0)->SetText("35");
  x.txturrin->SetText("40");
  x.txtTsa1rin(1)->SetText("-5");
}

void Tutte(FinestraSelezione& f) {
  if (auto* p = dynamic_cast<FormDatiP*>(&f)) p->cboVel->SetListIndex(0);
  if (auto* x = dynamic_cast<FormDatiPXX*>(&f)) x->cboVel->SetListIndex(0);
}

// Fresh air: 30 % at 35 °C / 40 % in cooling and at -5 °C in heating.
void Rinnovo(FormDatiPXX& x) {
  x.Scrollfreddo->SetValue(30);
  x.txtTsa1rin(0)->SetText("35");
  x.txturrin->SetText("40");
  x.txtTsa1rin(1)->SetText("-5");
}

const Corsa kCorse[] = {
    // Fan coils: standard conditions 27 °C / 47 %, water 7/12 and 70/60 °C.
    {"kalvo_standard", kKalvo, [](FinestraSelezione& f) { Tutte(f); }},
    {"kalvo_4tubi", kKalvo,
     [](FinestraSelezione& f) {
       Tutte(f);
       P(f).chkKQ->SetValue(1);
     }},
    {"kalvo_glicole", kKalvo,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtGlic->SetText("30");
       f.txtTw1(0)->SetText("5");
       f.txtTw2(0)->SetText("10");
     }},
    {"kalvo_portata_data", kKalvo,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtTw2(0)->SetText("");
       f.txtQw(0)->SetText("600");
       f.txtTw2(1)->SetText("");
       f.txtQw(1)->SetText("250");
       P(f).txtTsa1(0)->SetText("25");
       P(f).txtUr->SetText("60");
     }},
    {"kalvo_come_freddo", kKalvo,
     [](FinestraSelezione& f) {
       f.txtTw2(1)->SetText("");
       P(f).chkComeFreddo->SetValue(1);
       f.txtTw1(1)->SetText("45");
     }},
    {"kalvo_pressione", kKalvo,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtpsu->SetText("30");
     }},
    {"kalvo_nolimits", kKalvo,
     [](FinestraSelezione& f) {
       Tutte(f);
       core::imp.SenzaLimiti = true;
       f.txtpsu->SetText("60");
     }},
    {"kalvop_standard", kKalvop, [](FinestraSelezione& f) { Tutte(f); }},
    {"kalvop_4tubi", kKalvop,
     [](FinestraSelezione& f) {
       Tutte(f);
       P(f).chkKQ->SetValue(1);
     }},
    {"kalvop_pressione_glicole", kKalvop,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtpsu->SetText("45");
       f.txtGlic->SetText("20");
     }},
    // Mixed-air units: return air 27 °C / 47 %, water 7/12 and 70/60 °C.
    {"rmb_standard", kRmb, [](FinestraSelezione& f) { Tutte(f); }},
    {"rmb_pressione", kRmb,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtpsu->SetText("120");
     }},
    {"rmb_portata_aria", kRmb,
     [](FinestraSelezione& f) {
       Tutte(f);
       X(f).txtqatot->SetText("1800");
       X(f).chkAcc(3)->SetValue(1);
     }},
    {"rmb_rinnovo", kRmb,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtpsu->SetText("80");
       Rinnovo(X(f));
     }},
    {"rmb_4tubi_portata_data", kRmb,
     [](FinestraSelezione& f) {
       f.txtpsu->SetText("50");
       X(f).chkAcc(1)->SetValue(1);
       f.txtTw2(0)->SetText("");
       f.txtQw(0)->SetText("900");
       f.txtTw2(1)->SetText("");
       f.txtQw(1)->SetText("500");
     }},
    {"rmb_glicole_nolimits", kRmb,
     [](FinestraSelezione& f) {
       Tutte(f);
       core::imp.SenzaLimiti = true;
       f.txtGlic->SetText("35");
       f.txtpsu->SetText("240");
     }},
    {"dvk_standard", kDvk, [](FinestraSelezione& f) { Tutte(f); }},
    {"dvk_pressione", kDvk,
     [](FinestraSelezione& f) {
       Tutte(f);
       f.txtpsu->SetText("60");
     }},
    {"dvk_rinnovo_accessori", kDvk,
     [](FinestraSelezione& f) {
       Tutte(f);
       X(f).txtqatot->SetText("700");
       X(f).chkAcc(1)->SetValue(1);
       Rinnovo(X(f));
     }},
    {"dvk_nolimits", kDvk,
     [](FinestraSelezione& f) {
       Tutte(f);
       core::imp.SenzaLimiti = true;
       f.txtpsu->SetText("75");
     }},
    // EC fan coils at a required air flow (m3/h).
    {"kalvoec_300", kKalvoEC, [](FinestraSelezione& f) { f.txtqatot->SetText("300"); }},
    {"kalvoec_600_pressione", kKalvoEC,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("600");
       f.txtpsu->SetText("40");
     }},
    {"kalvoec_4tubi_portata_data", kKalvoEC,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("250");
       E(f).chkKQ->SetValue(1);
       f.txtTw2(0)->SetText("");
       f.txtQw(0)->SetText("400");
     }},
    {"kalvoec_ur", kKalvoEC,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("450");
       f.txtpsu->SetText("20");
       core::imp.ModoUR = QStringLiteral("UR");
     }},
    // EC mixed-air units at a required air flow (m3/h).
    {"rmbbldc_standard", kRmbBldc, [](FinestraSelezione& f) { f.txtqatot->SetText("700"); }},
    {"rmbbldc_pressione_rinnovo", kRmbBldc,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("900");
       f.txtpsu->SetText("100");
       RinnovoEC(XE(f));
     }},
    {"dvkbldc_standard", kDvkBldc,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("600");
       f.txtpsu->SetText("50");
     }},
    {"dvkbldc_4tubi", kDvkBldc,
     [](FinestraSelezione& f) {
       f.txtqatot->SetText("1000");
       f.txtpsu->SetText("80");
       XE(f).chkAcc(1)->SetValue(1);
     }},
    // EC units at a fixed command level ("Easy calc.").
    {"facile_kalvoec_max", kKalvoECFacile, [](FinestraSelezione&) {}},
    {"facile_kalvoec_med_pressione", kKalvoECFacile,
     [](FinestraSelezione& f) {
       E(f).cboVel->SetListIndex(1);
       f.txtpsu->SetText("30");
     }},
    {"facile_kalvoec_min_4tubi", kKalvoECFacile,
     [](FinestraSelezione& f) {
       E(f).cboVel->SetListIndex(0);
       E(f).chkKQ->SetValue(1);
     }},
    {"facile_dvkbldc_max_accessori", kDvkBldcFacile,
     [](FinestraSelezione& f) {
       f.txtpsu->SetText("50");
       XE(f).chkAcc(1)->SetValue(1);
       XE(f).chkAcc(2)->SetValue(1);
     }},
    {"facile_rmbbldc_min_rinnovo", kRmbBldcFacile,
     [](FinestraSelezione& f) {
       XE(f).cboVel->SetListIndex(0);
       RinnovoEC(XE(f));
     }},
    // No level chosen: 0 V, met by no model.
    {"facile_dvkbldc_senza_livello", kDvkBldcFacile,
     [](FinestraSelezione& f) {
       XE(f).cboVel->SetListIndex(-1);
       f.txtpsu->SetText("20");
     }},
};

const char* Icona(plat::Icona i) {
  switch (i) {
    case plat::Icona::Critica:
      return "critical";
    case plat::Icona::Esclamativa:
      return "exclamation";
    case plat::Icona::Informazione:
      return "information";
    default:
      return "plain";
  }
}

QString Percorso(const char* nome) {
  return QStringLiteral(SOURCE_DIR "/tests/selection/griglie/%1.txt").arg(QString::fromLatin1(nome));
}

class GriglieAttese : public test::ConProgramma, public ::testing::WithParamInterface<Corsa> {
 protected:
  void TearDown() override {
    core::imp.SenzaLimiti = false;
    core::imp.ModoUR.clear();
    ConProgramma::TearDown();
  }
  // The messages of the run, then the grid: one line a row, cells by tabs.
  QString Esegui(const Corsa& c) {
    FinestraSelezione* p = nullptr;
    if (c.linea <= kKalvop) {
      ui::Fmenu().mnuprod_Click(c.linea);
      p = c.linea == kKalvo || c.linea == kKalvop ? static_cast<FinestraSelezione*>(&FDatiP()) : &FDatiPXX();
    } else {
      const catalogo::Codice linee[] = {catalogo::Codice::KALVOEC, catalogo::Codice::RMBBLDC,
                                        catalogo::Codice::DVKBLDC};
      const bool facile = c.linea >= kKalvoECFacile;
      const int linea = facile ? c.linea - kKalvoECFacile : c.linea - kKalvoEC;
      ui::ApriLinea(linee[linea], facile);
      if (facile)
        p = linea == 0 ? static_cast<FinestraSelezione*>(&FDatiPEC_VFIX()) : &FDatiPXXEC_VFIX();
      else
        p = linea == 0 ? static_cast<FinestraSelezione*>(&FDatiPEC()) : &FDatiPXXEC();
    }
    FinestraSelezione& f = *p;
    c.imposta(f);
    reg.Svuota();
    f.cmdCalcola_Click();
    QString t;
    for (const auto& m : reg.messaggi) t += QStringLiteral("message %1: %2\n").arg(Icona(m.icona), m.testo);
    t += QStringLiteral("fixed rows: %1\n").arg(f.Grd->FixedRows());
    for (int r = 0; r < f.Grd->Rows(); ++r) {
      QStringList celle;
      for (int k = 0; k < f.Grd->Cols(); ++k) celle << f.Grd->TextMatrix(r, k);
      t += celle.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return t;
  }
};

TEST_P(GriglieAttese, GrigliaUgualeAllAttesa) {
  const Corsa& c = GetParam();
  const QString ottenuta = Esegui(c);
  QFile file(Percorso(c.nome));
  if (qEnvironmentVariableIsSet("MISTREL_RIGENERA_GRIGLIE")) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ottenuta.toUtf8());
    return;
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  const QStringList attese = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  const QStringList righe = ottenuta.split(QLatin1Char('\n'));
  for (int i = 0; i < std::min(attese.size(), righe.size()); ++i)
    ASSERT_EQ(righe[i], attese[i]) << c.nome << " line " << i + 1;
  EXPECT_EQ(righe.size(), attese.size()) << c.nome;
}

INSTANTIATE_TEST_SUITE_P(Serie, GriglieAttese, ::testing::ValuesIn(kCorse),
                         [](const ::testing::TestParamInfo<Corsa>& i) { return std::string(i.param.nome); });

}  // namespace
