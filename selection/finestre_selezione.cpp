#include "selection/finestre_selezione.h"

#include "core/campi.h"
#include "core/testi.h"

namespace sel {

plat::Istanza<FormDatiP> FDatiP;
plat::Istanza<FormDatiPXX> FDatiPXX;
plat::Istanza<FormDatiPEC> FDatiPEC;
plat::Istanza<FormDatiPXXEC> FDatiPXXEC;
plat::Istanza<FormDatiPEC_VFIX> FDatiPEC_VFIX;
plat::Istanza<FormDatiPXXEC_VFIX> FDatiPXXEC_VFIX;

FinestraSelezione::FinestraSelezione(const QString& nome, bool centra)
    : plat::Form(nome, Tipo::Figlia), centra_(centra) {}

void FinestraSelezione::Progetta() {
  resize(900, 600);
  cboModel = new plat::ComboBox(this, QStringLiteral("cboModel"));
  plat::PosizionaTw(cboModel, 240, 240, 3000, 315);
  CmdFine = new plat::CommandButton(this, QStringLiteral("CmdFine"));
  plat::PosizionaTw(CmdFine, 240, 8000, 1800, 400);
  CmdFine->Click = [this] { Scarica(); };
}

void FinestraSelezione::Form_Load() {
  CmdFine->SetCaption(core::Testo(67));
  if (centra_) core::CentraForm(this);
}

}  // namespace sel
