#include <QClipboard>
#include <QGuiApplication>

#include "catalogue/catalogo.h"
#include "engine/stato.h"
#include "selection/fdatip.h"
#include "selection/stato.h"
#include "tests/selection/supporto_selezione.h"

using namespace sel;

namespace {

class CalcoloFanCoil : public test::ConProgramma {
 protected:
  void SetUp() override {
    ConProgramma::SetUp();
    ui::Fmenu().mnuprod_Click(0);
    f = &FDatiP();
    Attiva(*f);
  }
  QStringList RigaGriglia(int r) {
    QStringList c;
    for (int i = 0; i < f->Grd->Cols(); ++i) c << f->Grd->TextMatrix(r, i);
    return c;
  }
  void Stampa() {
    for (int r = 0; r < f->Grd->Rows(); ++r) std::printf("%s\n", RigaGriglia(r).join(" | ").toStdString().c_str());
  }
  FormDatiP* f = nullptr;
};

}  // namespace

TEST_F(CalcoloFanCoil, TutteLeVelocitaCondizioniStandard) {
  f->cboVel->SetListIndex(0);
  f->cmdCalcola->click();
  Stampa();
  for (auto& m : reg.messaggi) std::printf("MSG %s\n", m.testo.toStdString().c_str());
}
