// The six selection windows.  They share one design (FinestraSelezione);
// each series family adds its own inputs and run.
#pragma once

#include "platform/controlli.h"
#include "platform/form.h"

namespace sel {

class FinestraSelezione : public plat::Form {
  Q_OBJECT
 public:
  FinestraSelezione(const QString& nome, bool centra);

  plat::ComboBox* cboModel = nullptr;
  plat::CommandButton* CmdFine = nullptr;
  plat::ArrayControlli<plat::CheckBox> chkAcc;

  // Shows the unit labels in the units in force.
  virtual void AggiornaUnita() {}

 protected:
  void Progetta() override;
  void Form_Load() override;

 private:
  bool centra_;
};

class FormDatiP : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiP() : FinestraSelezione(QStringLiteral("FDatiP"), true) {}
};

class FormDatiPXX : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPXX() : FinestraSelezione(QStringLiteral("FDatiPXX"), true) {}
};

class FormDatiPEC : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPEC() : FinestraSelezione(QStringLiteral("FDatiPEC"), true) {}
};

class FormDatiPXXEC : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPXXEC() : FinestraSelezione(QStringLiteral("FDatiPXXEC"), false) {}
};

class FormDatiPEC_VFIX : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPEC_VFIX() : FinestraSelezione(QStringLiteral("FDatiPEC_VFIX"), true) {}
};

class FormDatiPXXEC_VFIX : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPXXEC_VFIX() : FinestraSelezione(QStringLiteral("FDatiPXXEC_VFIX"), false) {}
};

extern plat::Istanza<FormDatiP> FDatiP;
extern plat::Istanza<FormDatiPXX> FDatiPXX;
extern plat::Istanza<FormDatiPEC> FDatiPEC;
extern plat::Istanza<FormDatiPXXEC> FDatiPXXEC;
extern plat::Istanza<FormDatiPEC_VFIX> FDatiPEC_VFIX;
extern plat::Istanza<FormDatiPXXEC_VFIX> FDatiPXXEC_VFIX;

}  // namespace sel
